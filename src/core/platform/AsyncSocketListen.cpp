// AsyncSocket as a listener: listening on a port and taking the connections
// that arrive.
#include "platform/AsyncSocket.h"

#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>

#include <algorithm>

#include "platform/SocketCode.h"

bool AsyncSocket::Listen(uint16_t port, const std::string &address, int backlog)
{
    Close();
    QHostAddress bindAddress(QHostAddress::Any);
    if (!address.empty() && !bindAddress.setAddress(QString::fromStdString(address))) {
        m_lastError = SocketCode::AddressNotAvailable;
        return false;
    }
    auto *server = new QTcpServer();
    server->setListenBacklogSize(std::max(1, backlog));
    if (!server->listen(bindAddress, port)) {
        m_lastError = ErrorCode(server->serverError());
        delete server;
        return false;
    }
    m_server = server;
    connect(server, &QTcpServer::newConnection, this, &AsyncSocket::HandleNewConnection);
    connect(server, &QTcpServer::acceptError, this,
            [this](QAbstractSocket::SocketError error) { HandleAcceptError(error); });
    return true;
}

bool AsyncSocket::IsListening() const
{
    return m_server && m_server->isListening();
}

QTcpSocket *AsyncSocket::Accept()
{
    if (!m_server)
        return nullptr;
    QTcpSocket *socket = m_server->nextPendingConnection();
    if (!socket) {
        m_lastError = SocketCode::WouldBlock;
        return nullptr;
    }
    socket->setParent(nullptr);
    return socket;
}

bool AsyncSocket::Accept(AsyncSocket &into)
{
    QTcpSocket *socket = Accept();
    return socket && into.Attach(socket);
}

void AsyncSocket::HandleNewConnection()
{
    OnAccept(0);
}

void AsyncSocket::HandleAcceptError(int qtSocketError)
{
    m_lastError = ErrorCode(qtSocketError);
    OnAccept(m_lastError);
}

void AsyncSocket::ReleaseServer()
{
    QTcpServer *server = m_server;
    m_server = nullptr;
    if (!server)
        return;
    disconnect(server, nullptr, this, nullptr);
    server->close();
    server->deleteLater();
}
