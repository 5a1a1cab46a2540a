#pragma once

#include <QTcpServer>
#include <QTcpSocket>

#include <cstdint>
#include <memory>
#include <string>

// The other end of a direct connection, written for the tests: it connects
// to an offer or listens for one, collects what arrives and sends what the
// test gives it. Reading can be held back to make the sender wait.
class DccPeer : public QObject
{
public:
    DccPeer();
    ~DccPeer() override;

    // Connects to 127.0.0.1:port; false when refused.
    bool Connect(uint16_t port);
    // Listens on a free port of 127.0.0.1 for one connection (see Port).
    bool Listen();
    uint16_t Port() const;
    bool WaitForConnection();

    bool IsConnected() const;
    bool WaitForDisconnect();
    void Send(const std::string &bytes);
    void Close();

    // While paused nothing is read (the sender's writes pile up).
    void SetPaused(bool paused);
    // Every byte received so far.
    const std::string &Received() const { return m_received; }
    // Received taken as 4-byte acknowledgements in network order: the last one.
    uint32_t LastAcknowledgement() const;
    // A sender's peer acknowledges what it has read (the receiver's side of a file).
    void SetAcknowledging(bool on) { m_acknowledging = on; }
    // A resumed file: acknowledgements count from this position (their low 32 bits go out).
    void SetAcknowledgementBase(uint64_t base) { m_acknowledgementBase = base; }

private:
    void Adopt(QTcpSocket *socket);
    void ReadAvailable();

    std::unique_ptr<QTcpServer> m_server;
    QTcpSocket *m_socket = nullptr;
    std::string m_received;
    bool m_paused = false;
    bool m_acknowledging = false;
    uint64_t m_acknowledgementBase = 0;
};
