#include "support/PrivateBus.h"

#include "support/WaitFor.h"

#include <QDBusConnectionInterface>
#include <QFile>
#include <QProcess>

namespace {

const char *const kConfig = R"(<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:dir=%1</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
)";

void Stop(std::unique_ptr<QProcess> &process)
{
    if (!process)
        return;
    process->terminate();
    if (!process->waitForFinished(5000)) {
        process->kill();
        process->waitForFinished(5000);
    }
    process.reset();
}

} // namespace

PrivateBus::PrivateBus() = default;

PrivateBus::~PrivateBus()
{
    Stop(m_keyring);
    Stop(m_daemon);
}

bool PrivateBus::Start(int timeoutMs)
{
    if (!m_dir.isValid())
        return false;
    const QString configPath = m_dir.filePath(QStringLiteral("bus.conf"));
    QFile config(configPath);
    if (!config.open(QIODevice::WriteOnly))
        return false;
    config.write(QString::fromLatin1(kConfig).arg(m_dir.path()).toUtf8());
    config.close();
    m_daemon = std::make_unique<QProcess>();
    m_daemon->setProgram(QStringLiteral("dbus-daemon"));
    m_daemon->setArguments({QStringLiteral("--config-file=") + configPath, QStringLiteral("--nofork"),
                            QStringLiteral("--print-address=1")});
    m_daemon->setProcessChannelMode(QProcess::SeparateChannels);
    m_daemon->start();
    if (!m_daemon->waitForStarted(timeoutMs))
        return false;
    if (!WaitFor([&] { return m_daemon->canReadLine() || m_daemon->state() != QProcess::Running; }, timeoutMs))
        return false;
    m_address = QString::fromUtf8(m_daemon->readLine()).trimmed();
    return !m_address.isEmpty();
}

QDBusConnection PrivateBus::Connection(const QString &name) const
{
    return QDBusConnection::connectToBus(m_address, name);
}

void PrivateBus::StopSecretService()
{
    Stop(m_keyring);
}

bool PrivateBus::StartSecretService(const QByteArray &password)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    const QString home = m_dir.filePath(QStringLiteral("home"));
    environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), m_address);
    environment.insert(QStringLiteral("HOME"), home);
    environment.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/data"));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_dir.path());
    m_keyring = std::make_unique<QProcess>();
    m_keyring->setProcessEnvironment(environment);
    m_keyring->setProgram(QStringLiteral("gnome-keyring-daemon"));
    m_keyring->setArguments(
        {QStringLiteral("--foreground"), QStringLiteral("--unlock"), QStringLiteral("--components=secrets")});
    m_keyring->start();
    if (!m_keyring->waitForStarted(5000))
        return false;
    m_keyring->write(password);
    m_keyring->closeWriteChannel();
    QDBusConnection bus = Connection(QStringLiteral("keyring-watch"));
    const bool up = WaitFor([&] {
        return m_keyring->state() == QProcess::Running
            && bus.interface()->isServiceRegistered(QStringLiteral("org.freedesktop.secrets"));
    });
    QDBusConnection::disconnectFromBus(QStringLiteral("keyring-watch"));
    return up;
}
