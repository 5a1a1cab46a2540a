#include "desktop/DesktopAlerts.h"

DesktopAlerts::DesktopAlerts(const QDBusConnection &bus, QObject *parent) : QObject(parent), m_service(bus)
{
    connect(&m_service, &NotificationService::ActionInvoked, this, &DesktopAlerts::OnAction);
    connect(&m_service, &NotificationService::Closed, this, [this](uint32_t id) { m_batcher.Closed(id); });
}

void DesktopAlerts::Present(const UserAlert &alert)
{
    if (!m_service.IsRunning()) {
        Fallback(alert);
        return;
    }
    if (std::optional<DesktopNote> note = m_batcher.Take(alert))
        Send(alert, *note);
}

void DesktopAlerts::Send(const UserAlert &alert, const DesktopNote &note)
{
    ++m_sent;
    m_service.Notify(note, [this, alert, fresh = note.replaces == 0](uint32_t id) {
        // A service that refused a new notification told the user nothing.
        if (id == 0 && fresh)
            Fallback(alert);
        if (std::optional<DesktopNote> update = m_batcher.Shown(alert, id))
            Send(alert, *update);
    });
}

void DesktopAlerts::Fallback(const UserAlert &alert)
{
    if (m_fallback)
        m_fallback(alert);
}

void DesktopAlerts::OnAction(uint32_t id, const QString &action)
{
    if (action != QLatin1String(NotificationService::kDefaultAction))
        return;
    if (std::optional<UserAlert> target = m_batcher.Target(id); target && m_bringForward)
        m_bringForward(*target);
}
