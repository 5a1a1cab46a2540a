#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QStringList>
#include <QVariantMap>

#include <vector>

// A desktop notification service of the test's own: owns the name
// org.freedesktop.Notifications on a (private) bus, records every Notify
// call and answers with an id (the one to replace, or a new one), and emits
// the service's signals when the test says so.
class FakeNotificationServer : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    struct Call
    {
        QString appName;
        uint replacesId = 0;
        QString icon, summary, body;
        QStringList actions;
        QVariantMap hints;
        int timeout = 0;
        uint answeredId = 0;
    };

    explicit FakeNotificationServer(const QDBusConnection &bus);
    ~FakeNotificationServer() override;

    // Registers the object and takes the name; false when it is taken.
    bool Register();
    void Unregister();

    void EmitActionInvoked(uint id, const QString &action);
    void EmitClosed(uint id, uint reason = 2);

    std::vector<Call> m_calls;

public slots:
    Q_SCRIPTABLE uint Notify(const QString &appName, uint replacesId, const QString &icon, const QString &summary,
                             const QString &body, const QStringList &actions, const QVariantMap &hints, int timeout);
    Q_SCRIPTABLE QStringList GetCapabilities();
    Q_SCRIPTABLE void CloseNotification(uint id);

private:
    QDBusConnection m_bus;
    uint m_nextId = 100;
    bool m_registered = false;
};
