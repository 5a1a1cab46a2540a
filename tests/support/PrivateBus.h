#pragma once

#include <QDBusConnection>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <memory>

class QProcess;

// A D-Bus session bus of the test's own: a dbus-daemon with a generated
// configuration (a socket in a temporary folder, no services it would start
// by itself), run as a child process and stopped with the object. Tests
// reach it with Connection(), or hand Address() to what reads
// DBUS_SESSION_BUS_ADDRESS.
class PrivateBus
{
public:
    PrivateBus();
    ~PrivateBus();
    PrivateBus(const PrivateBus &) = delete;
    PrivateBus &operator=(const PrivateBus &) = delete;

    // Starts the daemon and waits until it says its address.
    bool Start(int timeoutMs = 10000);
    QString Address() const { return m_address; }
    // A connection of its own to the bus (one per name).
    QDBusConnection Connection(const QString &name) const;

    // Starts gnome-keyring's Secret Service on the bus, its keyring unlocked
    // with password, its files in a temporary folder; false when it does
    // not come (not installed). It stops with the bus.
    bool StartSecretService(const QByteArray &password = "brimo");
    // Ends it; its name leaves the bus.
    void StopSecretService();

private:
    QTemporaryDir m_dir;
    std::unique_ptr<QProcess> m_daemon;
    std::unique_ptr<QProcess> m_keyring;
    QString m_address;
    int m_connections = 0;
};
