#pragma once

#include <QObject>
#include <QPointer>

#include <cstdint>
#include <functional>
#include <string>

class QTcpServer;
class QTcpSocket;
class QTimer;

// A TCP socket whose network events arrive as virtual notifications on the
// thread that owns it (the UI thread), in the manner of the classic
// asynchronous socket: derive from it and override OnConnect, OnReceive,
// OnSend, OnClose and, for a listening socket, OnAccept.
//
// One object is either a connection (Connect, or an accepted connection
// adopted through the constructor or Attach) or a listener (Listen). Nothing
// ever blocks: the name lookup and the connect run in the background and end
// in OnConnect.
//
// Error codes given to the notifications and returned by LastError are the
// operating system's own: errno values on Unix (ECONNREFUSED, ETIMEDOUT, ...),
// WSA codes on Windows (WSAECONNREFUSED, ...). 0 means success, and for
// OnClose an orderly close by the peer.
//
// Notifications are level-triggered like those of the classic socket:
// OnReceive comes again after it returns as long as it called Receive and
// bytes are still waiting; it is never entered again while it runs (an event
// loop pumped inside it does not re-enter it). After Close no notification
// arrives any more.
class AsyncSocket : public QObject
{
    Q_OBJECT

public:
    // The options that SetOption understands; all are set at socket level
    // on the connected (or listening) socket.
    enum Option {
        KeepAlive,         // value 0/1
        DontRoute,         // value 0/1
        OobInline,         // value 0/1
        NoDelay,           // value 0/1 (TCP level)
        ReceiveBufferSize, // bytes
        SendBufferSize,    // bytes
    };

    static constexpr int kDefaultConnectTimeoutMs = 100000;
    // How many bytes Send lets wait in the outgoing buffer before it
    // accepts fewer bytes than offered (see Send).
    static constexpr int kDefaultSendLimit = 4 * 1024 * 1024;

    explicit AsyncSocket(QObject *parent = nullptr);
    // Adopts an accepted connection (see Attach).
    explicit AsyncSocket(QTcpSocket *accepted, QObject *parent = nullptr);
    ~AsyncSocket() override;

    // Starts connecting to host:port (a name or a dotted address). Returns
    // true when the attempt has started; its outcome arrives as OnConnect
    // (0 on success, an error code on failure, ETIMEDOUT after the connect
    // time-out). A previous connection or listener of this object is closed
    // first. Returns false (LastError set) when no attempt could start.
    bool Connect(const std::string &host, uint16_t port);
    // Like Connect, over TLS: the handshake (with the system's certificate
    // authorities and a check of the host name) is part of the attempt, and
    // OnConnect(0) comes once it has succeeded. A certificate that cannot be
    // verified is offered to OnCertificateProblem; unless that accepts it the
    // attempt fails. clientCertificate names a PEM file holding the client's
    // certificate and key (empty: none); false (LastError set) when it cannot
    // be read.
    bool ConnectEncrypted(const std::string &host, uint16_t port, const std::string &clientCertificate);
    // The connect time-out also bounds the TLS handshake.
    void SetConnectTimeout(int ms);

    // Takes ownership of an already connected socket (one from Accept or
    // from a QTcpServer) and delivers its events from now on. Bytes that
    // arrived before are announced with OnReceive. Closes whatever this
    // object held before. Returns false for a null or unconnected socket
    // (which is then deleted).
    bool Attach(QTcpSocket *accepted);

    // Listens on port (0 picks a free one, see LocalPort) of address (a
    // dotted address; empty means every local address). Returns false and
    // sets LastError when the port cannot be bound.
    bool Listen(uint16_t port, const std::string &address = std::string(), int backlog = 5);
    bool IsListening() const;
    // The next pending connection of a listener, or nullptr. The caller owns
    // the socket (usually passing it to Attach or to the constructor).
    QTcpSocket *Accept();
    // Accepts the next pending connection into `into`. Returns false when
    // none is pending.
    bool Accept(AsyncSocket &into);

    // Hands up to len bytes to the connection and returns how many it took
    // (possibly fewer than len when more than the send limit already waits
    // to be written; the rest is the caller's to send again after OnSend).
    // Returns -1 with LastError EWOULDBLOCK when nothing could be taken, or
    // with ENOTCONN when there is no connection. The object keeps no copy of
    // its own: accepted bytes are in the socket's outgoing buffer.
    int Send(const char *data, int len);
    // Reads up to len bytes. Returns the count read; 0 when the peer has
    // closed the connection and nothing is left to read; -1 with LastError
    // EWOULDBLOCK when nothing is waiting, or ENOTCONN without a connection.
    int Receive(char *buffer, int len);

    // Closes the socket at once. Bytes already accepted by Send are still
    // delivered if the connection lives (a graceful close in the
    // background); no notification follows.
    void Close();
    // Sends FIN after every byte accepted so far has been written; receiving
    // goes on until the peer closes.
    void ShutdownSend();

    bool IsConnected() const;
    bool IsConnecting() const;
    bool IsEncrypted() const;
    // The protocol and cipher of an encrypted connection ("TLSv1.3",
    // "TLS_AES_256_GCM_SHA384"); empty without one.
    std::string TlsProtocol() const;
    std::string TlsCipher() const;
    // The SHA-256 fingerprint of the peer's certificate as upper-case hex
    // pairs joined by ":"; empty without one.
    std::string PeerFingerprint() const;
    // Bytes accepted by Send and not yet handed to the operating system.
    qint64 BytesToWrite() const;
    qint64 BytesAvailable() const;
    void SetSendLimit(int bytes) { m_sendLimit = bytes > 0 ? bytes : 1; }

    // Sets one option on the open socket; false (LastError set) when there
    // is no socket yet or the system refuses the option.
    bool SetOption(Option option, int value);
    // Reads an option back; -1 when it cannot be read.
    int GetOption(Option option) const;

    std::string LocalAddress() const; // dotted text, empty when unknown
    uint16_t LocalPort() const;
    std::string PeerAddress() const;
    uint16_t PeerPort() const;

    // The error code of the last call that failed.
    int LastError() const { return m_lastError; }

    // The system's error code for a Qt socket error (ECONNREFUSED for
    // ConnectionRefusedError, ...). RemoteHostClosedError gives 0.
    static int ErrorCode(int qtSocketError);
    // The reason for an error code followed by the code, for the user:
    // "Spojenie odmietnuté (111)". 0 is an orderly close by the peer.
    static std::string ErrorText(int code);
    static int RefusedCode();
    static int WouldBlockCode();
    static int NotConnectedCode();

    // A server certificate that could not be verified, as the user is shown
    // it: the reasons (one per line) and the SHA-256 fingerprint.
    struct CertificateProblem
    {
        std::string reasons;
        std::string fingerprint;
    };

protected:
    virtual void OnConnect(int error) { (void)error; }
    virtual void OnReceive(int error) { (void)error; }
    virtual void OnSend(int error) { (void)error; }
    virtual void OnClose(int error) { (void)error; }
    virtual void OnAccept(int error) { (void)error; }
    // Return true to accept the certificate for this connection anyway.
    virtual bool OnCertificateProblem(const CertificateProblem &problem)
    {
        (void)problem;
        return false;
    }

private:
    bool StartConnect(QTcpSocket *socket, const std::string &host, uint16_t port, bool encrypted);
    void AdoptSocket(QTcpSocket *socket);
    void HandleCertificateErrors();
    void ReleaseSocket();
    void ReleaseServer();
    void HandleConnected();
    void HandleConnectTimeout();
    void FailConnect(int error);
    void HandleReadyRead();
    void HandleBytesWritten();
    void HandleDisconnected();
    void HandleSocketError(int qtSocketError);
    void HandleNewConnection();
    void HandleAcceptError(int qtSocketError);
    void DeliverReceive();
    void ScheduleReceive();
    void DeliverClose(int error);
    void FinishShutdownSend();
    // Runs call from the event loop unless Close intervenes first.
    void PostCall(std::function<void()> call);
    qintptr NativeDescriptor() const;

    QPointer<QTcpSocket> m_socket;
    QTcpServer *m_server = nullptr;
    QTimer *m_connectTimer = nullptr;
    int m_connectTimeoutMs = kDefaultConnectTimeoutMs;
    int m_sendLimit = kDefaultSendLimit;
    int m_lastError = 0;
    bool m_connecting = false;
    bool m_encrypted = false; // the attempt or connection runs over TLS
    bool m_connected = false;
    bool m_peerClosed = false; // the peer's FIN arrived; OnClose is due once the data is read
    bool m_closeDelivered = false;
    bool m_inReceive = false;     // OnReceive is running
    bool m_receiveCalled = false; // Receive was called during the running OnReceive
    bool m_receiveQueued = false; // a posted OnReceive is on its way
    bool m_receiveAgain = false;  // new bytes arrived while OnReceive ran
    bool m_inConnectCall = false; // inside Connect: notifications are posted
    int m_closeError = 0;         // the code OnClose will carry
    bool m_sendBlocked = false;   // Send took less than offered: OnSend is due
    bool m_shutdownSendPending = false;
    bool m_sendShutDown = false;
    quint64 m_generation = 0; // guards posted notifications against a later Close
};
