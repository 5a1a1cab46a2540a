#include "support/FakeNotificationServer.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>

namespace {

const char *const kService = "org.freedesktop.Notifications";
const char *const kPath = "/org/freedesktop/Notifications";

} // namespace

FakeNotificationServer::FakeNotificationServer(const QDBusConnection &bus) : m_bus(bus) {}

FakeNotificationServer::~FakeNotificationServer()
{
    Unregister();
}

bool FakeNotificationServer::Register()
{
    if (!m_bus.registerObject(QString::fromLatin1(kPath), this, QDBusConnection::ExportScriptableSlots))
        return false;
    m_registered = m_bus.registerService(QString::fromLatin1(kService));
    return m_registered;
}

void FakeNotificationServer::Unregister()
{
    if (!m_registered)
        return;
    m_bus.unregisterService(QString::fromLatin1(kService));
    m_bus.unregisterObject(QString::fromLatin1(kPath));
    m_registered = false;
}

uint FakeNotificationServer::Notify(const QString &appName, uint replacesId, const QString &icon,
                                    const QString &summary, const QString &body, const QStringList &actions,
                                    const QVariantMap &hints, int timeout)
{
    const uint id = replacesId != 0 ? replacesId : m_nextId++;
    m_calls.push_back({appName, replacesId, icon, summary, body, actions, hints, timeout, id});
    return id;
}

QStringList FakeNotificationServer::GetCapabilities()
{
    return {QStringLiteral("actions"), QStringLiteral("body"), QStringLiteral("body-markup")};
}

void FakeNotificationServer::CloseNotification(uint id)
{
    EmitClosed(id, 3);
}

void FakeNotificationServer::EmitActionInvoked(uint id, const QString &action)
{
    QDBusMessage signal = QDBusMessage::createSignal(QString::fromLatin1(kPath), QString::fromLatin1(kService),
                                                     QStringLiteral("ActionInvoked"));
    signal << id << action;
    m_bus.send(signal);
}

void FakeNotificationServer::EmitClosed(uint id, uint reason)
{
    QDBusMessage signal = QDBusMessage::createSignal(QString::fromLatin1(kPath), QString::fromLatin1(kService),
                                                     QStringLiteral("NotificationClosed"));
    signal << id << reason;
    m_bus.send(signal);
}
