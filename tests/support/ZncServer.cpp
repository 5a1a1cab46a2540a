#include "ZncServer.h"

#include "FreePort.h"
#include "ServerProcess.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <sys/stat.h>
#include <unistd.h>

namespace {

// The unprivileged user and group ZNC runs as under root (nobody, nogroup).
constexpr uid_t kUnprivileged = 65534;

// Hands the folder and everything in it to the unprivileged user.
bool GiveAway(const QString &folder)
{
    if (::chown(QFile::encodeName(folder).constData(), kUnprivileged, kUnprivileged) != 0)
        return false;
    QDir dir(folder);
    for (const QFileInfo &entry : dir.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)) {
        if (entry.isDir() ? !GiveAway(entry.filePath())
                          : ::chown(QFile::encodeName(entry.filePath()).constData(), kUnprivileged, kUnprivileged) != 0)
            return false;
    }
    return true;
}

} // namespace

ZncServer::ZncServer(uint16_t ircPort) : m_ircPort(ircPort) {}

ZncServer::~ZncServer()
{
    Stop();
}

bool ZncServer::IsAvailable()
{
    return QFileInfo(QString::fromLatin1(Executable())).isExecutable();
}

std::string ZncServer::PasswordFor(const std::string &network)
{
    return std::string(kUser) + "/" + network + ":" + kPassword;
}

bool ZncServer::IsRunning() const
{
    return m_process && m_process->state() != QProcess::NotRunning;
}

std::string ZncServer::Output() const
{
    if (m_process)
        m_output += m_process->readAll().toStdString();
    return m_output;
}

bool ZncServer::WriteConfig() const
{
    const std::string server = "127.0.0.1 " + std::to_string(m_ircPort);
    std::string text;
    text += "Version = 1.8.2\n";
    // Networks connect at once, and again at once after the test's server restarts.
    text += "ConnectDelay = 0\nServerThrottle = 0\n";
    text += "<Listener l>\n\tPort = " + std::to_string(m_port) + "\n";
    text += "\tIPv4 = true\n\tIPv6 = false\n\tSSL = false\n\tHost = 127.0.0.1\n</Listener>\n";
    text += "<User " + std::string(kUser) + ">\n";
    text += "\tPass = plain#" + std::string(kPassword) + "\n";
    text += "\tAdmin = true\n\tNick = " + std::string(kNick) + "\n\tAltNick = " + std::string(kNick) + "_\n";
    text += "\tIdent = bnc\n\tRealName = Bouncer user\n";
    text += "\tAutoClearChanBuffer = false\n\tAutoClearQueryBuffer = false\n";
    text += "\tChanBufferSize = 500\n\tLoadModule = chansaver\n";
    text += "\t<Network " + std::string(kNetwork) + ">\n\t\tServer = " + server + "\n";
    text += "\t\t<Chan " + std::string(kChannel) + ">\n\t\t</Chan>\n\t</Network>\n";
    text += "\t<Network " + std::string(kSecondNetwork) + ">\n\t\tServer = " + server + "\n";
    text += "\t\tNick = " + std::string(kSecondNick) + "\n\t\tAltNick = " + std::string(kSecondNick) + "_\n";
    text += "\t</Network>\n";
    text += "</User>\n";

    const QString configs = m_dir.filePath(QStringLiteral("znc/configs"));
    if (!QDir().mkpath(configs))
        return false;
    QFile file(configs + QStringLiteral("/znc.conf"));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return file.write(text.data(), qint64(text.size())) == qint64(text.size());
}

bool ZncServer::Start(int timeoutMs)
{
    if (IsRunning())
        return true;
    if (!m_dir.isValid() || !IsAvailable())
        return false;
    if (m_port == 0)
        m_port = FreeLocalPort();
    if (m_port == 0 || !WriteConfig())
        return false;
    const QString data = m_dir.filePath(QStringLiteral("znc"));
    QString program = QString::fromLatin1(Executable());
    QStringList arguments = {QStringLiteral("--datadir"), data, QStringLiteral("--foreground")};
    if (::geteuid() == 0) {
        // The temporary folder is the owner's only; the bouncer's user must reach its data in it.
        ::chmod(QFile::encodeName(m_dir.path()).constData(), 0755);
        if (!GiveAway(data))
            return false;
        arguments =
            QStringList{QStringLiteral("--reuid=%1").arg(kUnprivileged),
                        QStringLiteral("--regid=%1").arg(kUnprivileged), QStringLiteral("--clear-groups"), program}
            + arguments;
        program = QStringLiteral("setpriv");
    }
    return StartListening(m_process, program, arguments, m_port, timeoutMs);
}

void ZncServer::Stop()
{
    StopProcess(m_process, m_output); // SIGTERM to its process id: setpriv became ZNC
}
