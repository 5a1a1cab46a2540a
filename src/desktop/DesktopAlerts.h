// The alerts of the core as desktop notifications, or as tray balloons
// where the desktop has no notification service.
#pragma once

#include "conversation/UserAlert.h"
#include "desktop/NotificationService.h"
#include "shell/AlertBatcher.h"

#include <QObject>

#include <functional>

// Shows each alert as a notification of the desktop's service (lines of one
// sender joined as AlertBatcher says); the notification's default action
// brings its window forward. While no service runs, or when one refuses the
// call, the alert goes to the fallback (the application's tray balloon).
class DesktopAlerts : public QObject
{
    Q_OBJECT

public:
    using Handler = std::function<void(const UserAlert &alert)>;

    explicit DesktopAlerts(const QDBusConnection &bus, QObject *parent = nullptr);

    // What a clicked notification does: its window comes forward.
    void SetBringForward(Handler handler) { m_bringForward = std::move(handler); }
    // What an alert becomes without the service.
    void SetFallback(Handler handler) { m_fallback = std::move(handler); }

    void Present(const UserAlert &alert);

    NotificationService &Service() { return m_service; }
    int NotificationsSent() const { return m_sent; }

private:
    void Send(const UserAlert &alert, const DesktopNote &note);
    void Fallback(const UserAlert &alert);
    void OnAction(uint32_t id, const QString &action);

    NotificationService m_service;
    AlertBatcher m_batcher;
    Handler m_bringForward;
    Handler m_fallback;
    int m_sent = 0;
};
