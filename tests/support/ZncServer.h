#pragma once

#include <QTemporaryDir>

#include <cstdint>
#include <string>

class QProcess;

// A real ZNC bouncer for integration tests, in front of an IRC server on
// 127.0.0.1: its own data folder in a temporary folder, one listener on a
// free port of 127.0.0.1 without TLS, and one user (kUser / kPassword) with
// two networks on the same server: kNetwork (nick kNick, channel kChannel
// kept, buffers never cleared on attach) and kSecondNetwork (nick
// kSecondNick). ZNC refuses to run as root, so under root it runs as the
// unprivileged user 65534; it is stopped by its process id when the object
// goes.
class ZncServer
{
public:
    static constexpr const char *kUser = "bnc";
    static constexpr const char *kPassword = "tajne";
    static constexpr const char *kNetwork = "local";
    static constexpr const char *kSecondNetwork = "druha";
    static constexpr const char *kNick = "bncuser";
    static constexpr const char *kSecondNick = "bncdruhy";
    static constexpr const char *kChannel = "#hist";

    explicit ZncServer(uint16_t ircPort);
    ~ZncServer();
    ZncServer(const ZncServer &) = delete;
    ZncServer &operator=(const ZncServer &) = delete;

    // Starts the bouncer and waits until it accepts connections.
    bool Start(int timeoutMs = 20000);
    void Stop();
    bool IsRunning() const;

    uint16_t Port() const { return m_port; }
    // The server password that logs in to a network: "user/network:password".
    static std::string PasswordFor(const std::string &network);
    // What the bouncer printed so far, for failure messages.
    std::string Output() const;

    static bool IsAvailable();
    static const char *Executable() { return "/usr/bin/znc"; }

private:
    bool WriteConfig() const;

    QTemporaryDir m_dir;
    QProcess *m_process = nullptr;
    mutable std::string m_output;
    uint16_t m_ircPort;
    uint16_t m_port = 0;
};
