#include "platform/AsyncSocket.h"

#include <QCryptographicHash>
#include <QFile>
#include <QHostAddress>
#include <QSslCipher>
#include <QSslKey>
#include <QSslSocket>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <algorithm>
#include <system_error>

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
#ifdef _MSC_VER
#pragma comment(lib, "ws2_32.lib")
#endif
#else
#include <cerrno>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#endif

namespace {

#ifdef _WIN32
using OptionValue = char;
constexpr int kShutdownSend = SD_SEND;
namespace Code {
constexpr int Refused = WSAECONNREFUSED;
constexpr int TimedOut = WSAETIMEDOUT;
constexpr int HostNotFound = WSAHOST_NOT_FOUND;
constexpr int NetUnreachable = WSAENETUNREACH;
constexpr int Access = WSAEACCES;
constexpr int NoBuffers = WSAENOBUFS;
constexpr int AddressInUse = WSAEADDRINUSE;
constexpr int AddressNotAvailable = WSAEADDRNOTAVAIL;
constexpr int NotSupported = WSAEOPNOTSUPP;
constexpr int MessageSize = WSAEMSGSIZE;
constexpr int Invalid = WSAEINVAL;
constexpr int WouldBlock = WSAEWOULDBLOCK;
constexpr int NotConnected = WSAENOTCONN;
constexpr int ConnectionReset = WSAECONNRESET;
constexpr int Shutdown = WSAESHUTDOWN;
constexpr int ConnectionAborted = WSAECONNABORTED;
} // namespace Code
int LastNativeError()
{
    return WSAGetLastError();
}
#else
using OptionValue = void;
constexpr int kShutdownSend = SHUT_WR;
namespace Code {
constexpr int Refused = ECONNREFUSED;
constexpr int TimedOut = ETIMEDOUT;
// Unix has no errno for a failed name lookup; an unreachable host is the
// nearest meaning.
constexpr int HostNotFound = EHOSTUNREACH;
constexpr int NetUnreachable = ENETUNREACH;
constexpr int Access = EACCES;
constexpr int NoBuffers = ENOBUFS;
constexpr int AddressInUse = EADDRINUSE;
constexpr int AddressNotAvailable = EADDRNOTAVAIL;
constexpr int NotSupported = EOPNOTSUPP;
constexpr int MessageSize = EMSGSIZE;
constexpr int Invalid = EINVAL;
constexpr int WouldBlock = EWOULDBLOCK;
constexpr int NotConnected = ENOTCONN;
constexpr int ConnectionReset = ECONNRESET;
constexpr int Shutdown = ESHUTDOWN;
constexpr int ConnectionAborted = ECONNABORTED;
} // namespace Code
int LastNativeError()
{
    return errno;
}
#endif

// Time a closed connection gets to deliver what was already accepted by
// Send before it is cut.
constexpr int kGracefulCloseMs = 30000;
constexpr qint64 kReadBufferBytes = 64 * 1024;

bool NativeLevelAndName(AsyncSocket::Option option, int &level, int &name)
{
    level = SOL_SOCKET;
    switch (option) {
    case AsyncSocket::KeepAlive:
        name = SO_KEEPALIVE;
        return true;
    case AsyncSocket::DontRoute:
        name = SO_DONTROUTE;
        return true;
    case AsyncSocket::OobInline:
        name = SO_OOBINLINE;
        return true;
    case AsyncSocket::ReceiveBufferSize:
        name = SO_RCVBUF;
        return true;
    case AsyncSocket::SendBufferSize:
        name = SO_SNDBUF;
        return true;
    case AsyncSocket::NoDelay:
        level = IPPROTO_TCP;
        name = TCP_NODELAY;
        return true;
    }
    return false;
}

// The reasons a user meets, in the program's language; others come in the
// system's words.
struct ErrorReason
{
    int code;
    const char *text;
};
const ErrorReason kErrorReasons[] = {
    {0, "Server ukončil spojenie"},
    {Code::Refused, "Spojenie odmietnuté"},
    {Code::TimedOut, "Čas na spojenie vypršal"},
    {Code::HostNotFound, "Server sa nenašiel alebo je nedosiahnuteľný"},
    {Code::NetUnreachable, "Sieť je nedosiahnuteľná"},
    {Code::Access, "Prístup zamietnutý"},
    {Code::AddressInUse, "Adresa sa už používa"},
    {Code::AddressNotAvailable, "Adresa nie je dostupná"},
    {Code::ConnectionReset, "Spojenie zrušené druhou stranou"},
    {Code::ConnectionAborted, "Spojenie zlyhalo"},
};

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

std::string Fingerprint(const QSslCertificate &certificate)
{
    if (certificate.isNull())
        return std::string();
    return certificate.digest(QCryptographicHash::Sha256).toHex(':').toUpper().toStdString();
}

// Reads a PEM file holding a certificate and its private key (of any of the
// usual algorithms) into the socket's configuration.
bool LoadClientCertificate(QSslSocket &socket, const std::string &path)
{
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    constexpr qint64 kMostPemBytes = 1024 * 1024;
    const QByteArray pem = file.read(kMostPemBytes);
    const QList<QSslCertificate> certificates = QSslCertificate::fromData(pem, QSsl::Pem);
    if (certificates.isEmpty())
        return false;
    for (QSsl::KeyAlgorithm algorithm : {QSsl::Rsa, QSsl::Ec, QSsl::Dsa}) {
        const QSslKey key(pem, algorithm, QSsl::Pem);
        if (!key.isNull()) {
            socket.setLocalCertificate(certificates.first());
            socket.setPrivateKey(key);
            return true;
        }
    }
    return false;
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

int AsyncSocket::RefusedCode()
{
    return Code::Refused;
}
int AsyncSocket::WouldBlockCode()
{
    return Code::WouldBlock;
}
int AsyncSocket::NotConnectedCode()
{
    return Code::NotConnected;
}

std::string AsyncSocket::ErrorText(int code)
{
    std::string reason;
    for (const ErrorReason &known : kErrorReasons) {
        if (known.code == code)
            reason = known.text;
    }
    if (reason.empty())
        reason = std::system_category().message(code);
    return reason + " (" + std::to_string(code) + ")";
}

int AsyncSocket::ErrorCode(int qtSocketError)
{
    switch (static_cast<QAbstractSocket::SocketError>(qtSocketError)) {
    case QAbstractSocket::ConnectionRefusedError:
        return Code::Refused;
    case QAbstractSocket::RemoteHostClosedError:
        return 0;
    case QAbstractSocket::HostNotFoundError:
        return Code::HostNotFound;
    case QAbstractSocket::SocketAccessError:
        return Code::Access;
    case QAbstractSocket::SocketResourceError:
        return Code::NoBuffers;
    case QAbstractSocket::SocketTimeoutError:
        return Code::TimedOut;
    case QAbstractSocket::DatagramTooLargeError:
        return Code::MessageSize;
    case QAbstractSocket::NetworkError:
        return Code::NetUnreachable;
    case QAbstractSocket::AddressInUseError:
        return Code::AddressInUse;
    case QAbstractSocket::SocketAddressNotAvailableError:
        return Code::AddressNotAvailable;
    case QAbstractSocket::UnsupportedSocketOperationError:
        return Code::NotSupported;
    case QAbstractSocket::OperationError:
        return Code::Invalid;
    case QAbstractSocket::TemporaryError:
        return Code::WouldBlock;
    case QAbstractSocket::ProxyConnectionRefusedError:
        return Code::Refused;
    case QAbstractSocket::ProxyConnectionClosedError:
        return Code::ConnectionReset;
    case QAbstractSocket::ProxyConnectionTimeoutError:
        return Code::TimedOut;
    case QAbstractSocket::ProxyNotFoundError:
        return Code::HostNotFound;
    default:
        return Code::ConnectionAborted;
    }
}

// ---- connecting ----

bool AsyncSocket::Connect(const std::string &host, uint16_t port)
{
    return StartConnect(new QTcpSocket(), host, port, false);
}

bool AsyncSocket::ConnectEncrypted(const std::string &host, uint16_t port, const std::string &clientCertificate)
{
    if (!QSslSocket::supportsSsl()) {
        Close();
        m_lastError = Code::NotSupported;
        return false;
    }
    auto *socket = new QSslSocket();
    if (!clientCertificate.empty() && !LoadClientCertificate(*socket, clientCertificate)) {
        delete socket;
        Close();
        m_lastError = Code::Access;
        return false;
    }
    return StartConnect(socket, host, port, true);
}

bool AsyncSocket::StartConnect(QTcpSocket *socket, const std::string &host, uint16_t port, bool encrypted)
{
    Close();
    if (host.empty() || port == 0) {
        delete socket;
        m_lastError = host.empty() ? Code::HostNotFound : Code::AddressNotAvailable;
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
    FailConnect(Code::TimedOut);
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

void AsyncSocket::HandleCertificateErrors()
{
    auto *ssl = qobject_cast<QSslSocket *>(m_socket.data());
    if (!ssl)
        return;
    CertificateProblem problem;
    for (const QSslError &error : ssl->sslHandshakeErrors()) {
        if (!problem.reasons.empty())
            problem.reasons += "\n";
        problem.reasons += error.errorString().toStdString();
    }
    problem.fingerprint = Fingerprint(ssl->peerCertificate());
    QPointer<AsyncSocket> alive(this);
    const bool accepted = OnCertificateProblem(problem);
    // Qt aborts the handshake after this signal unless told to go on.
    if (alive && accepted && m_socket == ssl)
        ssl->ignoreSslErrors();
}

// ---- adopting accepted connections ----

bool AsyncSocket::Attach(QTcpSocket *accepted)
{
    Close();
    if (!accepted) {
        m_lastError = Code::NotConnected;
        return false;
    }
    const bool connected = accepted->state() == QAbstractSocket::ConnectedState;
    if (!connected && accepted->bytesAvailable() == 0) {
        accepted->deleteLater();
        m_lastError = Code::NotConnected;
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

// ---- listening ----

bool AsyncSocket::Listen(uint16_t port, const std::string &address, int backlog)
{
    Close();
    QHostAddress bindAddress(QHostAddress::Any);
    if (!address.empty() && !bindAddress.setAddress(QString::fromStdString(address))) {
        m_lastError = Code::AddressNotAvailable;
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
        m_lastError = Code::WouldBlock;
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

// ---- receiving ----

int AsyncSocket::Receive(char *buffer, int len)
{
    if (!m_socket) {
        m_lastError = Code::NotConnected;
        return -1;
    }
    m_receiveCalled = true;
    if (len <= 0)
        return 0;
    if (m_socket->bytesAvailable() > 0) {
        const qint64 count = m_socket->read(buffer, len);
        if (count >= 0)
            return static_cast<int>(count);
        m_lastError = Code::ConnectionReset;
        return -1;
    }
    if (m_peerClosed || m_socket->state() != QAbstractSocket::ConnectedState)
        return 0;
    m_lastError = Code::WouldBlock;
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
        m_lastError = Code::NotConnected;
        return -1;
    }
    if (m_sendShutDown || m_shutdownSendPending) {
        m_lastError = Code::Shutdown;
        return -1;
    }
    if (len <= 0)
        return 0;
    const qint64 room = m_sendLimit - m_socket->bytesToWrite();
    if (room <= 0) {
        m_sendBlocked = true;
        m_lastError = Code::WouldBlock;
        return -1;
    }
    const qint64 count = std::min<qint64>(len, room);
    const qint64 written = m_socket->write(data, count);
    if (written < 0) {
        m_lastError = Code::ConnectionReset;
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
        m_lastError = LastNativeError();
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

// ---- state and options ----

bool AsyncSocket::IsConnected() const
{
    return m_connected && m_socket && m_socket->state() == QAbstractSocket::ConnectedState;
}

bool AsyncSocket::IsConnecting() const
{
    return m_connecting;
}

bool AsyncSocket::IsEncrypted() const
{
    auto *ssl = qobject_cast<QSslSocket *>(m_socket.data());
    return ssl && ssl->isEncrypted();
}

std::string AsyncSocket::TlsProtocol() const
{
    return IsEncrypted() ? static_cast<QSslSocket *>(m_socket.data())->sessionCipher().protocolString().toStdString()
                         : std::string();
}

std::string AsyncSocket::TlsCipher() const
{
    return IsEncrypted() ? static_cast<QSslSocket *>(m_socket.data())->sessionCipher().name().toStdString()
                         : std::string();
}

std::string AsyncSocket::PeerFingerprint() const
{
    auto *ssl = qobject_cast<QSslSocket *>(m_socket.data());
    return ssl ? Fingerprint(ssl->peerCertificate()) : std::string();
}

qint64 AsyncSocket::BytesToWrite() const
{
    return m_socket ? m_socket->bytesToWrite() : 0;
}

qint64 AsyncSocket::BytesAvailable() const
{
    return m_socket ? m_socket->bytesAvailable() : 0;
}

qintptr AsyncSocket::NativeDescriptor() const
{
    if (m_socket)
        return m_socket->socketDescriptor();
    if (m_server)
        return m_server->socketDescriptor();
    return -1;
}

bool AsyncSocket::SetOption(Option option, int value)
{
    int level = 0;
    int name = 0;
    const qintptr descriptor = NativeDescriptor();
    if (descriptor == -1 || !NativeLevelAndName(option, level, name)) {
        m_lastError = Code::NotConnected;
        return false;
    }
#ifdef _WIN32
    const int result = ::setsockopt(static_cast<SOCKET>(descriptor), level, name,
                                    reinterpret_cast<const char *>(&value), sizeof value);
#else
    const int result = ::setsockopt(static_cast<int>(descriptor), level, name, &value, sizeof value);
#endif
    if (result != 0) {
        m_lastError = LastNativeError();
        return false;
    }
    return true;
}

int AsyncSocket::GetOption(Option option) const
{
    int level = 0;
    int name = 0;
    const qintptr descriptor = NativeDescriptor();
    if (descriptor == -1 || !NativeLevelAndName(option, level, name))
        return -1;
    int value = 0;
#ifdef _WIN32
    int size = sizeof value;
    const int result =
        ::getsockopt(static_cast<SOCKET>(descriptor), level, name, reinterpret_cast<char *>(&value), &size);
#else
    socklen_t size = sizeof value;
    const int result =
        ::getsockopt(static_cast<int>(descriptor), level, name, static_cast<OptionValue *>(&value), &size);
#endif
    return result == 0 ? value : -1;
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
