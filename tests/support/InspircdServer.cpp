#include "InspircdServer.h"

#include "FreePort.h"
#include "WaitFor.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTcpSocket>

#include <csignal>
#include <set>
#include <sys/prctl.h>
#include <unistd.h>

namespace {

constexpr const char *kInspircd = "/usr/sbin/inspircd";
constexpr const char *kAnope = "/usr/sbin/anope";
constexpr const char *kOpenssl = "/usr/bin/openssl";
constexpr const char *kLinkPassword = "linkpw";
// Anope as root waits seconds before it starts; as nobody it is ready at once.
constexpr const char *kNobody = "65534";

} // namespace

InspircdServer::InspircdServer(bool withServices) : m_withServices(withServices) {}

InspircdServer::~InspircdServer()
{
    Stop();
}

bool InspircdServer::IsAvailable(bool withServices)
{
    const bool ircd = QFileInfo(QString::fromLatin1(kInspircd)).isExecutable()
        && QFileInfo(QString::fromLatin1(kOpenssl)).isExecutable();
    return ircd && (!withServices || QFileInfo(QString::fromLatin1(kAnope)).isExecutable());
}

std::string InspircdServer::Output() const
{
    QFile log(m_dir.filePath(QStringLiteral("ircd.log")));
    return log.open(QIODevice::ReadOnly) ? log.readAll().toStdString() : std::string();
}

bool InspircdServer::WriteFile(const char *name, const std::string &text) const
{
    QFile file(m_dir.filePath(QString::fromLatin1(name)));
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        && file.write(text.data(), static_cast<qint64>(text.size())) == static_cast<qint64>(text.size());
}

bool InspircdServer::WriteFiles()
{
    const std::string dir = m_dir.path().toStdString();
    const std::string p = std::to_string(m_port), tp = std::to_string(m_tlsPort), lp = std::to_string(m_linkPort);
    std::string conf = "<server name=\"" + std::string(kServerName)
        + "\" description=\"test\" network=\"TestNet\" id=\"001\">\n"
          "<admin name=\"t\" nick=\"t\" email=\"t@irc.test\">\n"
          "<path configdir=\""
        + dir + "\" datadir=\"" + dir + "\" logdir=\"" + dir + "\" runtimedir=\"" + dir
        + "\" moduledir=\"/usr/lib/inspircd/modules\">\n"
          "<bind address=\"127.0.0.1\" port=\""
        + p + "\" type=\"clients\">\n<bind address=\"127.0.0.1\" port=\"" + tp
        + "\" type=\"clients\" sslprofile=\"tls\">\n<bind address=\"127.0.0.1\" port=\"" + lp
        + "\" type=\"servers\">\n"
          "<connect name=\"main\" allow=\"*\" localmax=\"1000\" globalmax=\"1000\" maxconnwarn=\"no\" "
          "resolvehostnames=\"no\" useident=\"no\" fakelag=\"no\" timeout=\"30\" pingfreq=\"120\" "
          "recvq=\"65536\" softsendq=\"65536\" hardsendq=\"1048576\" limit=\"5000\" threshold=\"1000\" "
          "commandrate=\"100000\">\n"
          "<log method=\"file\" type=\"* -USERINPUT -USEROUTPUT\" level=\"default\" target=\"ircd.log\">\n"
          "<module name=\"ssl_gnutls\">\n"
          "<sslprofile name=\"tls\" provider=\"gnutls\" certfile=\"cert.pem\" keyfile=\"key.pem\" hash=\"sha256\">\n"
          "<module name=\"cap\"><module name=\"ircv3\"><module name=\"ircv3_servertime\">"
          "<module name=\"namesx\">\n<module name=\"ircv3_capnotify\"><module name=\"ircv3_echomessage\">"
          "<module name=\"ircv3_msgid\">\n<module name=\"ircv3_ctctags\"><module name=\"chghost\">"
          "<module name=\"ircv3_chghost\">\n<module name=\"sasl\"><module name=\"services_account\">"
          "<module name=\"hidechans\"><module name=\"spanningtree\"><module name=\"sslinfo\">\n"
          "<sslinfo operonly=\"no\">\n"
          "<sasl target=\"services.test\">\n"
          "<link name=\"services.test\" ipaddr=\"127.0.0.1\" port=\""
        + lp + "\" allowmask=\"127.0.0.0/8\" sendpass=\"" + kLinkPassword + "\" recvpass=\"" + kLinkPassword
        + "\">\n<uline server=\"services.test\" silent=\"yes\">\n"
          "<class name=\"all\" commands=\"*\" privs=\"*\" usermodes=\"*\" chanmodes=\"*\" snomasks=\"*\">\n"
          "<type name=\"Admin\" classes=\"all\" vhost=\"staff.test\">\n"
          "<oper name=\""
        + kOperName + "\" password=\"" + kOperPassword + "\" host=\"*@*\" type=\"Admin\">\n";
    std::string services = "serverinfo { name = \"services.test\"; description = \"Services\"; pid = \"" + dir
        + "/anope.pid\"; motd = \"/dev/null\"; }\n"
          "uplink { host = \"127.0.0.1\"; ipv6 = no; ssl = no; port = "
        + lp + "; password = \"" + kLinkPassword
        + "\"; }\n"
          "module { name = \"inspircd3\"; }\n"
          "networkinfo { networkname = \"TestNet\"; nicklen = 31; userlen = 10; hostlen = 64; "
          "chanlen = 32; }\n"
          "options { casemap = \"rfc1459\"; seed = 1234567; readtimeout = 5s; warningtimeout = 4h; "
          "timeoutcheck = 3s; }\n"
          "mail { usemail = no; }\n"
          "module { name = \"db_flatfile\"; database = \"anope.db\"; }\n"
          "module { name = \"enc_sha256\"; }\n"
          "module { name = \"m_sasl\"; }\n"
          "service { nick = \"NickServ\"; user = \"services\"; host = \"services.test\"; gecos = "
          "\"Nickname Services\"; }\n"
          "module { name = \"nickserv\"; client = \"NickServ\"; forceemail = no; defaults = "
          "\"ns_secure\"; }\n"
          "module { name = \"ns_register\"; registration = \"none\"; }\n"
          "command { service = \"NickServ\"; name = \"REGISTER\"; command = \"nickserv/register\"; }\n"
          "module { name = \"ns_identify\"; }\n"
          "command { service = \"NickServ\"; name = \"IDENTIFY\"; command = \"nickserv/identify\"; }\n";
    return WriteFile("inspircd.conf", conf) && WriteFile("services.conf", services);
}

QProcess *InspircdServer::Launch(const QString &program, const QStringList &arguments) const
{
    auto *process = new QProcess();
    process->setProcessChannelMode(QProcess::MergedChannels);
    process->setWorkingDirectory(m_dir.path());
    // A test that crashes takes its servers with it.
    process->setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
    process->start(program, arguments);
    return process;
}

bool InspircdServer::Start(int timeoutMs)
{
    if (m_ircd)
        return true;
    if (!m_dir.isValid() || !IsAvailable(m_withServices))
        return false;
    std::set<uint16_t> ports;
    while (ports.size() < 3)
        ports.insert(FreeLocalPort());
    auto port = ports.begin();
    m_port = *port++;
    m_tlsPort = *port++;
    m_linkPort = *port;
    const QString dir = m_dir.path();
    QProcess openssl;
    openssl.start(QString::fromLatin1(kOpenssl),
                  {QStringLiteral("req"), QStringLiteral("-x509"), QStringLiteral("-newkey"), QStringLiteral("ec"),
                   QStringLiteral("-pkeyopt"), QStringLiteral("ec_paramgen_curve:prime256v1"), QStringLiteral("-nodes"),
                   QStringLiteral("-keyout"), dir + QStringLiteral("/key.pem"), QStringLiteral("-out"),
                   dir + QStringLiteral("/cert.pem"), QStringLiteral("-days"), QStringLiteral("2"),
                   QStringLiteral("-subj"), QStringLiteral("/CN=127.0.0.1")});
    if (!openssl.waitForFinished(30000) || openssl.exitCode() != 0 || !WriteFiles())
        return false;

    QStringList arguments = {QStringLiteral("--config"), dir + QStringLiteral("/inspircd.conf"),
                             QStringLiteral("--nofork"), QStringLiteral("--nopid")};
    if (::getuid() == 0)
        arguments << QStringLiteral("--runasroot");
    m_ircd = Launch(QString::fromLatin1(kInspircd), arguments);
    if (m_withServices) {
        QFile::setPermissions(dir,
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
                                  | QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther);
        QStringList services = {QStringLiteral("--config=services.conf"),
                                QStringLiteral("--confdir=") + dir,
                                QStringLiteral("--dbdir=") + dir,
                                QStringLiteral("--logdir=") + dir,
                                QStringLiteral("--modulesdir=/usr/lib/anope"),
                                QStringLiteral("--localedir=/usr/share/anope/locale"),
                                QStringLiteral("--nofork")};
        if (::getuid() == 0) {
            services.prepend(QString::fromLatin1(kAnope));
            services = QStringList{QStringLiteral("--reuid=") + kNobody, QStringLiteral("--regid=") + kNobody,
                                   QStringLiteral("--clear-groups")}
                + services;
            m_services = Launch(QStringLiteral("/usr/bin/setpriv"), services);
        } else {
            m_services = Launch(QString::fromLatin1(kAnope), services);
        }
    }
    return WaitUntilOffered(m_withServices ? "sasl=" : "server-time", timeoutMs);
}

bool InspircdServer::WaitUntilOffered(const char *capability, int timeoutMs) const
{
    QTcpSocket probe;
    QByteArray received;
    bool asked = false;
    return WaitFor(
        [&] {
            if (!m_ircd || m_ircd->state() == QProcess::NotRunning)
                return false;
            if (probe.state() == QAbstractSocket::UnconnectedState) {
                received.clear();
                asked = false;
                probe.connectToHost(QStringLiteral("127.0.0.1"), m_port);
            }
            if (probe.state() != QAbstractSocket::ConnectedState)
                return false;
            if (!asked) {
                probe.write("CAP LS 302\r\n");
                asked = true;
            }
            received += probe.readAll();
            if (received.contains(capability))
                return true;
            // Services link a moment after the server starts; the offer is
            // made anew to each connection.
            if (received.contains("CAP * LS :")) {
                probe.abort();
            }
            return false;
        },
        timeoutMs);
}

void InspircdServer::Stop()
{
    for (QProcess **process : {&m_services, &m_ircd}) {
        if (!*process)
            continue;
        (*process)->kill();
        (*process)->waitForFinished(10000);
        delete *process;
        *process = nullptr;
    }
}
