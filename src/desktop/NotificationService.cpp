#include "desktop/NotificationService.h"

#include "text/Strings.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QVariantMap>

namespace {

const char *const kDesktopEntry = "sk.brimo.Brimo";
const char *const kIcon = "brimo";

} // namespace

NotificationService::NotificationService(const QDBusConnection &bus, QObject *parent)
    : QObject(parent)
    , m_bus(bus)
    , m_watcher(
          new QDBusServiceWatcher(QString::fromLatin1(kService), bus, QDBusServiceWatcher::WatchForOwnerChange, this))
{
    connect(m_watcher, &QDBusServiceWatcher::serviceOwnerChanged, this,
            [this](const QString &, const QString &, const QString &newOwner) { SetRunning(!newOwner.isEmpty()); });
    m_bus.connect(QString::fromLatin1(kService), QString::fromLatin1(kPath), QString::fromLatin1(kInterface),
                  QStringLiteral("ActionInvoked"), this, SLOT(OnActionInvoked(uint, QString)));
    m_bus.connect(QString::fromLatin1(kService), QString::fromLatin1(kPath), QString::fromLatin1(kInterface),
                  QStringLiteral("NotificationClosed"), this, SLOT(OnClosed(uint, uint)));
    AskWhetherRunning();
}

void NotificationService::AskWhetherRunning()
{
    if (!m_bus.isConnected())
        return;
    QDBusMessage ask =
        QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/"),
                                       QStringLiteral("org.freedesktop.DBus"), QStringLiteral("NameHasOwner"));
    ask << QString::fromLatin1(kService);
    auto *watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(ask), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher *call) {
        const QDBusPendingReply<bool> reply = *call;
        if (!reply.isError())
            SetRunning(reply.value());
        call->deleteLater();
    });
}

void NotificationService::SetRunning(bool running)
{
    if (running == m_running)
        return;
    m_running = running;
    emit RunningChanged(running);
}

void NotificationService::Notify(const DesktopNote &note, std::function<void(uint32_t id)> done)
{
    QDBusMessage call = QDBusMessage::createMethodCall(QString::fromLatin1(kService), QString::fromLatin1(kPath),
                                                       QString::fromLatin1(kInterface), QStringLiteral("Notify"));
    const QStringList actions{QString::fromLatin1(kDefaultAction),
                              QString::fromUtf8(Strings::Get(Str::AlertShowAction))};
    QVariantMap hints;
    hints.insert(QStringLiteral("desktop-entry"), QString::fromLatin1(kDesktopEntry));
    hints.insert(QStringLiteral("category"), QStringLiteral("im.received"));
    call << QStringLiteral("Brimo") << static_cast<uint>(note.replaces) << QString::fromLatin1(kIcon)
         << QString::fromStdString(note.summary) << QString::fromStdString(note.body) << actions << hints << -1;
    auto *watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [done = std::move(done)](QDBusPendingCallWatcher *w) {
        const QDBusPendingReply<uint> reply = *w;
        w->deleteLater();
        if (done)
            done(reply.isError() ? 0 : reply.value());
    });
}

void NotificationService::OnActionInvoked(uint id, const QString &action)
{
    emit ActionInvoked(id, action);
}

void NotificationService::OnClosed(uint id, uint reason)
{
    (void)reason;
    emit Closed(id);
}
