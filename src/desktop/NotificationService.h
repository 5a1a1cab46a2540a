// The desktop's notification service (org.freedesktop.Notifications) on a
// D-Bus connection.
#pragma once

#include "shell/AlertBatcher.h"

#include <QDBusConnection>
#include <QObject>

#include <functional>

class QDBusServiceWatcher;

// Sends notifications and hears their actions and their closing. Nothing
// here waits for the bus: whether the service runs is asked once and then
// followed as its name gets or loses an owner, and every call is answered
// later. Until the first answer the service counts as not running.
class NotificationService : public QObject
{
    Q_OBJECT

public:
    static constexpr const char *kService = "org.freedesktop.Notifications";
    static constexpr const char *kPath = "/org/freedesktop/Notifications";
    static constexpr const char *kInterface = "org.freedesktop.Notifications";
    static constexpr const char *kDefaultAction = "default";

    explicit NotificationService(const QDBusConnection &bus, QObject *parent = nullptr);

    // Whether the service's name has an owner on the bus (as last heard).
    bool IsRunning() const { return m_running; }
    // Sends the notification; done gets the id the service gave it, or 0
    // when the call failed.
    void Notify(const DesktopNote &note, std::function<void(uint32_t id)> done);

signals:
    void RunningChanged(bool running);
    // The user chose an action of the notification (kDefaultAction: clicked it).
    void ActionInvoked(uint32_t id, const QString &action);
    void Closed(uint32_t id);

private slots:
    void OnActionInvoked(uint id, const QString &action);
    void OnClosed(uint id, uint reason);

private:
    void AskWhetherRunning();
    void SetRunning(bool running);

    QDBusConnection m_bus;
    QDBusServiceWatcher *m_watcher;
    bool m_running = false;
};
