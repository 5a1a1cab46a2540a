#pragma once

#include <cstdint>
#include <functional>
#include <set>
#include <string>

#include "platform/AsyncSocket.h"

class IdentConnection;

// The ident responder: while switched on it listens on TCP port 113 and
// answers every connection with one fixed line naming the program and the
// process, then closes the connection. Owned by the application object.
class IdentServer : public AsyncSocket
{
public:
    using LogSink = std::function<void(const std::string &text)>;

    // address empty: every local address. Tests use 127.0.0.1 and port 0.
    explicit IdentServer(uint16_t port = 113, std::string address = std::string(), LogSink log = {});
    ~IdentServer() override;

    // Where the user is told, in one line, that the listener could not be
    // opened (port 113 needs privileges on Linux).
    void SetNoticeSink(LogSink notice) { m_notice = std::move(notice); }

    // Opens the listener when on and not yet listening; closes it when off.
    // A failure to listen is written to the log and told once through the
    // notice sink; it is not retried until the setting has been switched
    // off once.
    void ApplyIdentSetting(bool on);
    bool Listening() const { return m_listening; }
    // The port really listened on (useful with port 0); 0 when closed.
    uint16_t ListeningPort() const;
    // Accepted connections not yet closed.
    int OpenConnections() const { return static_cast<int>(m_connections.size()); }

    // " : USERID : <os> : Brimo-<pid>\r\n", <os> WIN32 on Windows, UNIX elsewhere.
    static std::string ReplyLine();

    // Called by a connection when it is done.
    void Forget(IdentConnection *connection);

protected:
    void OnAccept(int error) override;

private:
    uint16_t m_port;
    std::string m_address;
    LogSink m_log;
    LogSink m_notice;
    bool m_listening = false;
    std::set<IdentConnection *> m_connections;
};
