// AsyncSocket: the connection itself (connecting, receiving, sending,
// closing) and what it tells of its state. TLS, listening, socket options
// and error texts have files of their own (AsyncSocketTls.cpp ...).
#include "platform/AsyncSocket.h"

#include <QHostAddress>
#include <QSslSocket>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <algorithm>

#ifdef _WIN32
#include <winsock2.h>
#ifdef _MSC_VER
#pragma comment(lib, "ws2_32.lib")
#endif
#else
#include <sys/socket.h>
#endif

#include "platform/SocketCode.h"

namespace {

#ifdef _WIN32
constexpr int kShutdownSend = SD_SEND;
#else
constexpr int kShutdownSend = SHUT_WR;
#endif

// Time a closed connection gets to deliver what was already accepted by
// Send before it is cut.
constexpr int kGracefulCloseMs = 30000;
constexpr qint64 kReadBufferBytes = 64 * 1024;

std::string AddressText(const QHostAddress &address)
{
    if (address.isNull())
        return std::string();
    bool isIPv4 = false;
    const quint32 ipv4 = address.toIPv4Address(&isIPv4);
    if (isIPv4)
        return QHostAddress(ipv4).toString().toStdString();
    return address.toString().toStdString();
}

} // namespace

AsyncSocket::AsyncSocket(QObject *parent) : QObject(parent) {}

AsyncSocket::AsyncSocket(QTcpSocket *accepted, QObject *parent) : QObject(parent)
{
    Attach(accepted);
}

AsyncSocket::~AsyncSocket()
{
    ++m_generation;
    ReleaseSocket();
    ReleaseServer();
}

// ---- connecting ----

bool AsyncSocket::Connect(const std::string &host, uint16_t port)
{
    return StartConnect(new QTcpSocket(), host, port, false);
}

bool AsyncSocket::StartConnect(QTcpSocket *socket, const std::string &host, uint16_t port, bool encrypted)
{
    Close();
    if (host.empty() || port == 0) {
        delete socket;
        m_lastError = host.empty() ? SocketCode::HostNotFound : SocketCode::AddressNotAvailable;
        return false;
    }
    m_encrypted = encrypted;
    AdoptSocket(socket);
    m_connecting = true;
    if (!m_connectTimer) {
        m_connectTimer = new QTimer(this);
        m_connectTimer->setSingleShot(true);
        connect(m_connectTimer, &QTimer::timeout, this, &AsyncSocket::HandleConnectTimeout);
    }
    // Over TLS the timer runs until the handshake is over, so a server that
    // stalls it cannot hold the attempt open.
    m_connectTimer->start(m_connectTimeoutMs);
    // Qt may report a failure from inside connectToHost; the outcome must
    // still reach OnConnect from the event loop, never from within Connect.
    m_inConnectCall = true;
    if (auto *ssl = qobject_cast<QSslSocket *>(socket); ssl && encrypted)
        ssl->connectToHostEncrypted(QString::fromStdString(host), port);
    else
        socket->connectToHost(QString::fromStdString(host), port);
    m_inConnectCall = false;
    return true;
}

void AsyncSocket::SetConnectTimeout(int ms)
{
    m_connectTimeoutMs = ms > 0 ? ms : kDefaultConnectTimeoutMs;
}

void AsyncSocket::HandleConnected()
{
    if (m_inConnectCall) {
        PostCall([this] { HandleConnected(); });
        return;
    }
    if (!m_connecting)
        return;
    m_connectTimer->stop();
    m_connecting = false;
    m_connected = true;
    QPointer<AsyncSocket> alive(this);
    OnConnect(0);
    // A fresh connection is writable, as the classic socket reports.
    if (alive && m_connected)
        OnSend(0);
}

void AsyncSocket::HandleConnectTimeout()
{
    if (!m_connecting)
        return;
    FailConnect(SocketCode::TimedOut);
}

void AsyncSocket::FailConnect(int error)
{
    m_connecting = false;
    if (m_connectTimer)
        m_connectTimer->stop();
    ++m_generation;
    ReleaseSocket();
    m_lastError = error;
    OnConnect(error);
}

// ---- adopting accepted connections ----

bool AsyncSocket::Attach(QTcpSocket *accepted)
{
    Close();
    if (!accepted) {
        m_lastError = SocketCode::NotConnected;
        return false;
    }
    const bool connected = accepted->state() == QAbstractSocket::ConnectedState;
    if (!connected && accepted->bytesAvailable() == 0) {
        accepted->deleteLater();
        m_lastError = SocketCode::NotConnected;
        return false;
    }
    m_encrypted = false;
    AdoptSocket(accepted);
    m_connected = true;
    m_peerClosed = !connected;
    if (accepted->bytesAvailable() > 0 || m_peerClosed)
        ScheduleReceive();
    return true;
}

void AsyncSocket::AdoptSocket(QTcpSocket *socket)
{
    // Not a child: this object may be destroyed from inside one of the
    // socket's own signals, and the socket must outlive that emission.
    socket->setParent(nullptr);
    // A peer that sends faster than we read is held back by TCP instead of
    // growing Qt's buffer without bound.
    socket->setReadBufferSize(kReadBufferBytes);
    m_socket = socket;
    if (auto *ssl = qobject_cast<QSslSocket *>(socket); ssl && m_encrypted) {
        // The connection is usable once the handshake is over, not when TCP connects.
        connect(ssl, &QSslSocket::encrypted, this, &AsyncSocket::HandleConnected);
        connect(ssl, &QSslSocket::sslErrors, this, &AsyncSocket::HandleCertificateErrors);
    } else {
        connect(socket, &QTcpSocket::connected, this, &AsyncSocket::HandleConnected);
    }
    connect(socket, &QTcpSocket::readyRead, this, &AsyncSocket::HandleReadyRead);
    connect(socket, &QTcpSocket::bytesWritten, this, &AsyncSocket::HandleBytesWritten);
    connect(socket, &QTcpSocket::disconnected, this, &AsyncSocket::HandleDisconnected);
    connect(socket, &QTcpSocket::errorOccurred, this,
            [this](QAbstractSocket::SocketError error) { HandleSocketError(error); });
}

void AsyncSocket::ReleaseSocket()
{
    QTcpSocket *socket = m_socket.data();
    m_socket.clear();
    if (!socket)
        return;
    disconnect(socket, nullptr, this, nullptr);
    const bool connected = socket->state() == QAbstractSocket::ConnectedState;
    if (connected && socket->bytesToWrite() > 0)
        socket->flush();
    if (connected && socket->bytesToWrite() > 0) {
        // The classic socket's close still delivers what was sent; let the
        // connection finish writing on its own, within a bound.
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        QTimer::singleShot(kGracefulCloseMs, socket, [socket] {
            socket->abort();
            socket->deleteLater();
        });
        socket->disconnectFromHost();
        return;
    }
    socket->abort();
    socket->deleteLater();
}

// ---- receiving ----

int AsyncSocket::Receive(char *buffer, int len)
{
    if (!m_socket) {
        m_lastError = SocketCode::NotConnected;
        return -1;
    }
    m_receiveCalled = true;
    if (len <= 0)
        return 0;
    if (m_socket->bytesAvailable() > 0) {
        const qint64 count = m_socket->read(buffer, len);
        if (count >= 0)
            return static_cast<int>(count);
        m_lastError = SocketCode::ConnectionReset;
        return -1;
    }
    if (m_peerClosed || m_socket->state() != QAbstractSocket::ConnectedState)
        return 0;
    m_lastError = SocketCode::WouldBlock;
    return -1;
}

void AsyncSocket::HandleReadyRead()
{
    DeliverReceive();
}

void AsyncSocket::ScheduleReceive()
{
    if (m_receiveQueued)
        return;
    m_receiveQueued = true;
    PostCall([this] {
        m_receiveQueued = false;
        DeliverReceive();
    });
}

void AsyncSocket::DeliverReceive()
{
    if (!m_socket)
        return;
    if (m_inReceive) {
        m_receiveAgain = true;
        return;
    }
    if (m_socket->bytesAvailable() == 0) {
        if (m_peerClosed)
            DeliverClose(m_closeError);
        return;
    }
    m_inReceive = true;
    m_receiveCalled = false;
    m_receiveAgain = false;
    QPointer<AsyncSocket> alive(this);
    OnReceive(0);
    if (!alive)
        return;
    m_inReceive = false;
    if (!m_socket)
        return;
    // Like the classic socket, a handler that read nothing is not told again
    // about the same bytes, only about new ones.
    if (m_socket->bytesAvailable() > 0 && (m_receiveCalled || m_receiveAgain))
        ScheduleReceive();
    else if (m_peerClosed)
        DeliverClose(m_closeError);
}

// ---- sending ----

int AsyncSocket::Send(const char *data, int len)
{
    if (!m_socket || !m_connected || m_socket->state() != QAbstractSocket::ConnectedState) {
        m_lastError = SocketCode::NotConnected;
        return -1;
    }
    if (m_sendShutDown || m_shutdownSendPending) {
        m_lastError = SocketCode::Shutdown;
        return -1;
    }
    if (len <= 0)
        return 0;
    const qint64 room = m_sendLimit - m_socket->bytesToWrite();
    if (room <= 0) {
        m_sendBlocked = true;
        m_lastError = SocketCode::WouldBlock;
        return -1;
    }
    const qint64 count = std::min<qint64>(len, room);
    const qint64 written = m_socket->write(data, count);
    if (written < 0) {
        m_lastError = SocketCode::ConnectionReset;
        return -1;
    }
    if (written < len)
        m_sendBlocked = true;
    return static_cast<int>(written);
}

void AsyncSocket::HandleBytesWritten()
{
    if (!m_socket)
        return;
    if (m_shutdownSendPending && m_socket->bytesToWrite() == 0)
        FinishShutdownSend();
    if (m_sendBlocked && m_socket->bytesToWrite() < m_sendLimit) {
        m_sendBlocked = false;
        OnSend(0);
    }
}

void AsyncSocket::ShutdownSend()
{
    if (!m_socket || m_sendShutDown || m_socket->state() != QAbstractSocket::ConnectedState)
        return;
    m_shutdownSendPending = true;
    m_socket->flush();
    if (m_socket->bytesToWrite() == 0)
        FinishShutdownSend();
}

void AsyncSocket::FinishShutdownSend()
{
    m_shutdownSendPending = false;
    m_sendShutDown = true;
    const qintptr descriptor = m_socket ? m_socket->socketDescriptor() : -1;
    if (descriptor == -1)
        return;
#ifdef _WIN32
    const int result = ::shutdown(static_cast<SOCKET>(descriptor), kShutdownSend);
#else
    const int result = ::shutdown(static_cast<int>(descriptor), kShutdownSend);
#endif
    if (result != 0)
        m_lastError = SocketCode::LastNativeError();
}

// ---- closing ----

void AsyncSocket::HandleDisconnected()
{
    if (!m_connected || m_closeDelivered)
        return;
    m_peerClosed = true;
    // Whatever is still buffered is offered to OnReceive before OnClose.
    if (m_socket && m_socket->bytesAvailable() > 0)
        DeliverReceive();
    else if (!m_inReceive)
        DeliverClose(m_closeError);
}

void AsyncSocket::HandleSocketError(int qtSocketError)
{
    const int code = ErrorCode(qtSocketError);
    if (m_connecting) {
        if (m_inConnectCall) {
            const quint64 generation = m_generation;
            PostCall([this, code, generation] {
                if (generation == m_generation && m_connecting)
                    FailConnect(code);
            });
            return;
        }
        FailConnect(code);
        return;
    }
    if (!m_connected)
        return;
    m_lastError = code;
    // The peer's orderly close (code 0) follows through disconnected; a
    // reset or a network failure is kept for the OnClose that follows.
    m_closeError = code;
    if (code != 0 && m_socket && m_socket->state() == QAbstractSocket::ConnectedState) {
        m_peerClosed = true;
        if (!m_inReceive)
            DeliverClose(code);
    }
}

void AsyncSocket::DeliverClose(int error)
{
    if (m_closeDelivered)
        return;
    m_closeDelivered = true;
    m_connected = false;
    OnClose(error);
}

void AsyncSocket::Close()
{
    ++m_generation;
    if (m_connectTimer)
        m_connectTimer->stop();
    ReleaseSocket();
    ReleaseServer();
    m_connecting = false;
    m_connected = false;
    m_encrypted = false;
    m_peerClosed = false;
    m_closeDelivered = false;
    m_closeError = 0;
    m_receiveQueued = false;
    m_receiveAgain = false;
    m_sendBlocked = false;
    m_shutdownSendPending = false;
    m_sendShutDown = false;
}

void AsyncSocket::PostCall(std::function<void()> call)
{
    const quint64 generation = m_generation;
    QTimer::singleShot(0, this, [this, generation, call = std::move(call)] {
        if (generation == m_generation)
            call();
    });
}

// ---- state ----

bool AsyncSocket::IsConnected() const
{
    return m_connected && m_socket && m_socket->state() == QAbstractSocket::ConnectedState;
}

bool AsyncSocket::IsConnecting() const
{
    return m_connecting;
}

qint64 AsyncSocket::BytesToWrite() const
{
    return m_socket ? m_socket->bytesToWrite() : 0;
}

qint64 AsyncSocket::BytesAvailable() const
{
    return m_socket ? m_socket->bytesAvailable() : 0;
}

std::string AsyncSocket::LocalAddress() const
{
    if (m_socket)
        return AddressText(m_socket->localAddress());
    return m_server ? AddressText(m_server->serverAddress()) : std::string();
}

uint16_t AsyncSocket::LocalPort() const
{
    if (m_socket)
        return m_socket->localPort();
    return m_server ? m_server->serverPort() : 0;
}

std::string AsyncSocket::PeerAddress() const
{
    return m_socket ? AddressText(m_socket->peerAddress()) : std::string();
}

uint16_t AsyncSocket::PeerPort() const
{
    return m_socket ? m_socket->peerPort() : 0;
}
