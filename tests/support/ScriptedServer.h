#pragma once

#include <QObject>
#include <QPointer>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class QTcpServer;
class QTcpSocket;

// A server on 127.0.0.1 that a test drives line by line: it accepts clients,
// records every line they send (without CR LF; lines of all clients in
// arrival order), and sends lines or raw bytes when told. The latest
// accepted client is the current one; an earlier one is closed when a new
// one arrives.
class ScriptedServer : public QObject
{
    Q_OBJECT

public:
    explicit ScriptedServer(QObject *parent = nullptr);
    ~ScriptedServer() override;

    // Listens on 127.0.0.1:port (0 picks a free port); a test may listen
    // again on the same port after StopListening.
    bool Listen(uint16_t port = 0);
    void StopListening();
    uint16_t Port() const { return m_port; }

    bool HasClient() const;
    int ConnectionCount() const { return m_connectionCount; }
    // Waits until `count` connections in total have been accepted.
    bool WaitForClient(int count = 1, int timeoutMs = 10000);
    // Waits until the current client has closed its side.
    bool WaitForDisconnect(int timeoutMs = 10000);

    // Writes line + CR LF / the bytes as given to the current client.
    bool SendLine(const std::string &line);
    bool SendRaw(const std::string &bytes);
    // Hands what was sent to the system now, so that it reaches the client
    // even while the client's thread is busy.
    bool Flush();
    // Closes the current client's connection (after writing what is queued).
    void CloseClient();
    // Resets the current client's connection at once.
    void AbortClient();

    const std::vector<std::string> &Lines() const { return m_lines; }
    std::string ReceivedBytes() const { return m_received; }
    void ClearLines();

    // Waits for a recorded line that satisfies `match`, looking only at lines
    // after the one the previous successful wait found. The line found goes
    // to *found when given.
    bool WaitForLine(const std::function<bool(const std::string &)> &match, int timeoutMs = 10000,
                     std::string *found = nullptr);
    // Shorthand: a line that begins with `prefix`.
    bool WaitForLineStartingWith(const std::string &prefix, int timeoutMs = 10000, std::string *found = nullptr);

private:
    void AcceptClients();
    void ReadClient(QTcpSocket *client);

    QTcpServer *m_server = nullptr;
    QPointer<QTcpSocket> m_client;
    uint16_t m_port = 0;
    int m_connectionCount = 0;
    std::vector<std::string> m_lines;
    std::string m_received;
    std::string m_partial;
    size_t m_scanFrom = 0;
};
