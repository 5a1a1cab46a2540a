#include "NgircdServer.h"

#include "FreePort.h"
#include "ServerProcess.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>

namespace {

// A stale server left behind by a killed test run ends itself after this
// long without any client.
constexpr int kIdleShutdownSeconds = 300;
constexpr int kFirstStartAttempts = 3;

} // namespace

NgircdServer::NgircdServer(std::string extraConfig) : m_extraConfig(std::move(extraConfig)) {}

NgircdServer::~NgircdServer()
{
    Stop();
}

bool NgircdServer::IsAvailable()
{
    return QFileInfo(QString::fromLatin1(Executable())).isExecutable();
}

std::string NgircdServer::ConfigPath() const
{
    return m_dir.filePath(QStringLiteral("ngircd.conf")).toStdString();
}

bool NgircdServer::IsRunning() const
{
    return m_process && m_process->state() != QProcess::NotRunning;
}

std::string NgircdServer::Output() const
{
    if (m_process)
        m_output += m_process->readAll().toStdString();
    return m_output;
}

bool NgircdServer::WriteConfig()
{
    std::string text;
    text += "[Global]\n";
    text += "Name = " + std::string(kServerName) + "\n";
    text += "Info = Brimo test server\n";
    text += "AdminInfo1 = Brimo tests\nAdminInfo2 = localhost\nAdminEMail = tests@localhost\n";
    text += "Listen = 127.0.0.1\n";
    text += "Ports = " + std::to_string(m_port) + "\n";
    text += "MotdPhrase = Brimo test server\n";
    text += "[Limits]\n";
    text += "MaxConnections = 0\n";
    text += "MaxConnectionsIP = 0\n";
    text += "MaxJoins = 0\n";
    text += "MaxNickLength = 30\n";
    text += "MaxListSize = 0\n";
    if (!m_penalties)
        text += "MaxPenaltyTime = 0\n";
    text += "PingTimeout = " + std::to_string(m_pingTimeoutSeconds) + "\n";
    text += "PongTimeout = 20\n";
    text += "IdleTimeout = " + std::to_string(kIdleShutdownSeconds) + "\n";
    text += "[Options]\n";
    text += "PAM = no\n";
    text += "Ident = no\n";
    text += "DNS = no\n";
    text += "[Operator]\n";
    text += "Name = " + std::string(kOperName) + "\n";
    text += "Password = " + std::string(kOperPassword) + "\n";
    if (!m_certificateFile.empty()) {
        text += "[SSL]\n";
        text += "CertFile = " + m_certificateFile + "\n";
        text += "KeyFile = " + m_keyFile + "\n";
        text += "Ports = " + std::to_string(m_tlsPort) + "\n";
    }
    text += m_extraConfig;
    text += "\n";

    QFile file(QString::fromStdString(ConfigPath()));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return file.write(text.data(), static_cast<qint64>(text.size())) == static_cast<qint64>(text.size());
}

bool NgircdServer::Start(int timeoutMs)
{
    if (IsRunning())
        return true;
    if (!m_dir.isValid() || !IsAvailable())
        return false;
    // A port picked before the server binds it may be taken in between by
    // someone else; a first start may therefore try another one.
    const bool portChosen = m_port != 0;
    const int attempts = portChosen ? 1 : kFirstStartAttempts;
    for (int attempt = 0; attempt < attempts; ++attempt) {
        if (!portChosen) {
            m_port = FreeLocalPort();
            m_tlsPort = 0;
            while (!m_certificateFile.empty() && (m_tlsPort == 0 || m_tlsPort == m_port))
                m_tlsPort = FreeLocalPort();
        }
        if (m_port == 0 || !WriteConfig())
            return false;
        if (Launch(timeoutMs))
            return true;
        Stop();
    }
    return false;
}

bool NgircdServer::Launch(int timeoutMs)
{
    return StartListening(m_process, QString::fromLatin1(Executable()),
                          {QStringLiteral("-n"), QStringLiteral("-f"), QString::fromStdString(ConfigPath())}, m_port,
                          timeoutMs);
}

void NgircdServer::EnableTls(const std::string &certificateFile, const std::string &keyFile)
{
    m_certificateFile = certificateFile;
    m_keyFile = keyFile;
}

void NgircdServer::Stop()
{
    StopProcess(m_process, m_output);
}
