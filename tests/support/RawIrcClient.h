#pragma once

#include <QObject>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "session/LineAssembler.h"

class QTcpSocket;

// A small IRC client for tests, on the event loop (nothing blocks): it
// connects to a server on 127.0.0.1, registers with a nick, records every
// line it receives (without CR LF), answers PING with PONG by itself and
// sends whatever lines the test gives it.
class RawIrcClient : public QObject
{
    Q_OBJECT

public:
    explicit RawIrcClient(QObject *parent = nullptr);
    ~RawIrcClient() override;

    // Connects and waits (pumping the event loop) until connected.
    bool Connect(uint16_t port, const std::string &host = "127.0.0.1", int timeoutMs = 10000);
    // Sends NICK and USER and waits for the server's welcome (001). The nick
    // the server confirms is kept in Nick().
    bool Register(const std::string &nick, int timeoutMs = 10000);
    // Connect and Register in one step.
    bool ConnectAndRegister(uint16_t port, const std::string &nick, int timeoutMs = 10000);

    bool IsConnected() const;
    void Disconnect();
    bool WaitForDisconnect(int timeoutMs = 10000);

    // Writes line + CR LF.
    bool SendLine(const std::string &line);
    bool SendRaw(const std::string &bytes);

    const std::vector<std::string> &Lines() const { return m_lines; }
    void ClearLines();
    std::string Nick() const { return m_nick; }

    // Waits for a received line that satisfies `match`, looking only at
    // lines after the one the previous successful wait found.
    bool WaitForLine(const std::function<bool(const std::string &)> &match, int timeoutMs = 10000,
                     std::string *found = nullptr);
    // A line whose command word (the word after the prefix) is `command`,
    // such as "001", "JOIN" or "PRIVMSG".
    bool WaitForCommand(const std::string &command, int timeoutMs = 10000, std::string *found = nullptr);
    // A line containing `text`.
    bool WaitForText(const std::string &text, int timeoutMs = 10000, std::string *found = nullptr);

    // The command word of a server line (":prefix CMD ..." or "CMD ...").
    static std::string CommandOf(const std::string &line);

private:
    void ReadLines();
    void HandleLine(const std::string &line);

    QTcpSocket *m_socket = nullptr;
    std::vector<std::string> m_lines;
    LineAssembler m_assembler;
    std::string m_nick;
    size_t m_scanFrom = 0;
};
