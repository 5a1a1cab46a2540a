#pragma once

#include <QTemporaryDir>

#include <cstdint>
#include <string>

class QProcess;

// A real InspIRCd 3 for integration tests that need IRCv3 capabilities or
// SASL: its own configuration in a temporary folder, a plain and a TLS port
// (a self-signed certificate made with openssl) on 127.0.0.1, the IRCv3
// modules, WHOIS showing the fingerprint of a client certificate, an operator (kOperName / kOperPassword) and, when asked for,
// Anope services linked to it that answer SASL PLAIN for NickServ accounts.
// Both run as child processes that die with the test and are killed (not
// terminated: the TLS module crashes on its way out) when the object goes.
class InspircdServer
{
public:
    static constexpr const char *kServerName = "irc.test";
    static constexpr const char *kOperName = "admin";
    static constexpr const char *kOperPassword = "adminpw";

    explicit InspircdServer(bool withServices = false);
    ~InspircdServer();
    InspircdServer(const InspircdServer &) = delete;
    InspircdServer &operator=(const InspircdServer &) = delete;

    // Starts the server (and the services) and waits until a client is
    // offered the capabilities (with services: "sasl" among them).
    bool Start(int timeoutMs = 20000);
    void Stop();

    uint16_t Port() const { return m_port; }
    uint16_t TlsPort() const { return m_tlsPort; }
    // The server's log, for failure messages.
    std::string Output() const;

    static bool IsAvailable(bool withServices = false);

private:
    bool WriteFiles();
    bool WriteFile(const char *name, const std::string &text) const;
    QProcess *Launch(const QString &program, const QStringList &arguments) const;
    bool WaitUntilOffered(const char *capability, int timeoutMs) const;

    QTemporaryDir m_dir;
    bool m_withServices;
    QProcess *m_ircd = nullptr;
    QProcess *m_services = nullptr;
    uint16_t m_port = 0;
    uint16_t m_tlsPort = 0;
    uint16_t m_linkPort = 0;
};
