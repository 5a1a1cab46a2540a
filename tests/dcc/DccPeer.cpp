#include "DccPeer.h"

#include <QHostAddress>

#include "support/WaitFor.h"

DccPeer::DccPeer() = default;

DccPeer::~DccPeer()
{
    if (m_socket) {
        m_socket->disconnect(this);
        m_socket->abort();
        delete m_socket;
    }
}

bool DccPeer::Connect(uint16_t port)
{
    Adopt(new QTcpSocket());
    m_socket->connectToHost(QHostAddress::LocalHost, port);
    WaitFor([this] {
        const auto state = m_socket->state();
        return state == QAbstractSocket::ConnectedState || state == QAbstractSocket::UnconnectedState;
    });
    return IsConnected();
}

bool DccPeer::Listen()
{
    m_server = std::make_unique<QTcpServer>();
    if (!m_server->listen(QHostAddress::LocalHost, 0))
        return false;
    connect(m_server.get(), &QTcpServer::newConnection, this, [this] {
        if (!m_socket)
            Adopt(m_server->nextPendingConnection());
    });
    return true;
}

uint16_t DccPeer::Port() const
{
    return m_server ? m_server->serverPort() : 0;
}

bool DccPeer::WaitForConnection()
{
    return WaitFor([this] { return m_socket != nullptr; });
}

void DccPeer::Adopt(QTcpSocket *socket)
{
    m_socket = socket;
    m_socket->setParent(nullptr);
    connect(m_socket, &QTcpSocket::readyRead, this, &DccPeer::ReadAvailable);
}

bool DccPeer::IsConnected() const
{
    return m_socket && m_socket->state() == QAbstractSocket::ConnectedState;
}

bool DccPeer::WaitForDisconnect()
{
    return WaitFor([this] {
        ReadAvailable();
        return m_socket && m_socket->state() == QAbstractSocket::UnconnectedState;
    });
}

void DccPeer::Send(const std::string &bytes)
{
    if (m_socket)
        m_socket->write(bytes.data(), static_cast<qint64>(bytes.size()));
}

void DccPeer::Close()
{
    if (m_socket) {
        m_socket->flush();
        m_socket->disconnectFromHost();
    }
}

void DccPeer::SetPaused(bool paused)
{
    m_paused = paused;
    if (m_socket)
        m_socket->setReadBufferSize(paused ? 1 : 0);
    if (!paused)
        ReadAvailable();
}

void DccPeer::ReadAvailable()
{
    if (!m_socket || m_paused)
        return;
    const QByteArray bytes = m_socket->readAll();
    if (bytes.isEmpty())
        return;
    m_received.append(bytes.constData(), static_cast<size_t>(bytes.size()));
    if (m_acknowledging) {
        const uint32_t count = static_cast<uint32_t>(m_acknowledgementBase + m_received.size());
        const char ack[4] = {char(count >> 24), char(count >> 16), char(count >> 8), char(count)};
        m_socket->write(ack, 4);
    }
}

uint32_t DccPeer::LastAcknowledgement() const
{
    if (m_received.size() < 4)
        return 0;
    const auto *b = reinterpret_cast<const unsigned char *>(m_received.data() + (m_received.size() / 4 - 1) * 4);
    return (uint32_t(b[0]) << 24) | (uint32_t(b[1]) << 16) | (uint32_t(b[2]) << 8) | uint32_t(b[3]);
}
