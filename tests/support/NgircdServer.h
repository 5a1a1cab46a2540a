#pragma once

#include <QTemporaryDir>

#include <cstdint>
#include <string>

class QProcess;

// A real ngircd for integration tests: it gets its own configuration in a
// temporary folder (listening on 127.0.0.1 only, on a free port, without
// PAM, ident or DNS lookups, nicks of up to 30 characters, a fast ping
// time-out, any number of connections from 127.0.0.1, no penalty delays
// unless asked for, and LIST replies of any length) and runs in the foreground as a child
// process. It stops when the object is destroyed.
class NgircdServer
{
public:
    static constexpr const char *kServerName = "irc.brimo.test";
    static constexpr const char *kOperName = "oper";
    static constexpr const char *kOperPassword = "operpass";

    // extraConfig is appended to the generated configuration (whole
    // sections such as "[Channel]\nName = #x\n").
    explicit NgircdServer(std::string extraConfig = std::string());
    ~NgircdServer();
    NgircdServer(const NgircdServer &) = delete;
    NgircdServer &operator=(const NgircdServer &) = delete;

    // Starts the server and waits until it accepts connections. The first
    // start picks the port; later starts (after Stop) reuse it.
    bool Start(int timeoutMs = 15000);
    // Stops the server and waits for it to end; clients are disconnected.
    void Stop();
    bool IsRunning() const;

    // Also listens for TLS on a second free port with this certificate and
    // key (PEM files), from the next Start on.
    void EnableTls(const std::string &certificateFile, const std::string &keyFile);
    uint16_t TlsPort() const { return m_tlsPort; }

    // Seconds of silence after which the server sends PING (before Start).
    void SetPingTimeout(int seconds) { m_pingTimeoutSeconds = seconds; }
    // Keeps ngircd's own flood protection (before Start): every command
    // costs time, and a client that sends faster than that fills its
    // receive buffer and is disconnected.
    void EnablePenalties() { m_penalties = true; }

    uint16_t Port() const { return m_port; }
    std::string Host() const { return "127.0.0.1"; }
    std::string ConfigPath() const;
    // What the server printed so far (its log), for failure messages.
    std::string Output() const;

    static bool IsAvailable();
    static const char *Executable() { return "/usr/sbin/ngircd"; }

private:
    bool WriteConfig();
    bool Launch(int timeoutMs);

    QTemporaryDir m_dir;
    QProcess *m_process = nullptr;
    std::string m_extraConfig;
    mutable std::string m_output;
    uint16_t m_port = 0;
    uint16_t m_tlsPort = 0;
    std::string m_certificateFile;
    std::string m_keyFile;
    int m_pingTimeoutSeconds = 5;
    bool m_penalties = false;
};
