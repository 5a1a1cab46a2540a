#pragma once

#include <QFile>
#include <QObject>
#include <QTimer>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "conversation/WindowConnection.h"
#include "dcc/ChatLines.h"
#include "dcc/DccSocket.h"
#include "dcc/TransferEnd.h"
#include "text/Strings.h"
#include "text/TextClass.h"

class Conversation;
class FileProgress;
class Session;
class SessionTable;

// One direct connection: a DCC chat or one file transfer, in one of four
// modes. Connecting modes (ChatConnect, FileReceive) connect to the peer's
// announced address; offering modes (ChatOffer, FileSend) listen on the
// address of the session's own server connection (a port of "DCC Ports"),
// send the offer with the address OfferAddress chooses and accept exactly
// one connection. Passive DCC turns this round: a passive offer of ours
// (port 0, a token) waits for the peer's address and connects to it; an
// accepted passive offer of the peer's makes us listen and answer with our
// address, port and its token.
//
// Messages go to the owner window (the chat window, or the session's server
// window for file transfers), looked up by session key and window name each
// time, so a closed window or session is simply not printed to.
//
// Every connection ends either done or failed with a reason (End): a file is
// done only when all of it arrived or was acknowledged, never when the peer
// merely closed.
//
// Nothing blocks: sending a file is driven by the socket's write-ready
// notification and never pumps events. Close and Shutdown only release
// resources; the object itself is deleted later by whoever owns it
// (DirectConnections), never from inside one of its own handlers.
class DirectConnect : public QObject, public WindowConnection
{
    Q_OBJECT

public:
    enum Mode { ChatConnect = 1, FileReceive = 2, FileSend = 3, ChatOffer = 4 };

    struct Params
    {
        std::string sessionKey;
        std::string window;   // owner window
        std::string peer;     // connecting modes: host; offering modes: nick
        std::string peerName; // printed before received chat lines; empty: peer
        uint16_t port = 0;    // connecting modes
        Mode mode = ChatConnect;
        std::string path;  // FileSend: file to send; FileReceive: where to store
        uint64_t size = 0; // FileReceive: the announced size
        // FileReceive: continue the file at path from this offset; the peer is
        // asked with DCC RESUME (offeredName, port) and connected to after its
        // DCC ACCEPT. 0: the file is written from its start.
        uint64_t resumeFrom = 0;
        std::string offeredName; // FileReceive: the file name of the offer
        // Connecting modes: the token of a passive offer of peerName: we
        // listen and answer with our address instead of connecting.
        // Offering modes: the token our passive offer carries.
        std::string token;
        // Offering modes: ask the peer to listen (port 0 and a token) and
        // connect to the address it answers with. Also chosen by Start when
        // nobody can connect to us (see OfferAddress).
        bool passive = false;
    };

    // Ports tried, in order, for listening.
    static constexpr uint16_t kFirstListenPort = 1024;
    static constexpr uint16_t kLastListenPort = 2000;
    // An offer nobody answers is withdrawn after this long.
    static constexpr int kDefaultOfferTimeoutMs = 5 * 60 * 1000;
    // Bytes read from the file or the socket at a time.
    static constexpr int kBlockBytes = 64 * 1024;
    // The code of a failed listen or a file error.

    DirectConnect(SessionTable &table, Params params);
    ~DirectConnect() override;

    // Prints the attempt and connects, or listens and sends the offer. A
    // file that cannot be read, a session without a server connection or
    // one on IPv6 gets a message and no offer (the object is then closed).
    void Start();
    void SetOfferTimeout(int ms) { m_offerTimeoutMs = ms; }

    // Chat modes: sends the text and CR LF on the connection (cut at a CR,
    // LF or NUL inside; "/me text" as a CTCP ACTION) and shows it as ours in
    // the owner window. A chat that has ended refuses it with a message.
    // False when nothing can be sent.
    bool SendChat(const std::string &text) override;

    // FileSend: the peer asks to continue at offset (DCC RESUME name ...):
    // while the offer waits and offset is inside the file, the send starts
    // there and DCC ACCEPT goes back with the same name. False when the
    // request does not fit.
    bool Resume(const std::string &name, uint64_t offset);
    // FileReceive asked to resume: the peer accepts at offset (DCC ACCEPT);
    // the connection is made now. False when not waiting for it.
    bool ResumeAccepted(uint64_t offset);
    bool IsWaitingForAccept() const { return m_waitingForAccept; }

    // Our passive offer: the peer listens at address:port (its answer with
    // our token); the connection is made now. False when not waiting for it.
    bool PeerListens(const std::string &address, uint16_t port);
    bool IsWaitingForPeer() const;
    const std::string &Token() const { return m_params.token; }

    // Ends a chat normally (57413 in the owner window); a file transfer not
    // yet done ends cancelled. Then releases sockets, progress and file.
    // Later calls do nothing.
    void Close();
    // Releases everything without a message (a newer chat replaces this one).
    void Shutdown() override;
    // The chat window was closed: Close, and its owner may now let it go.
    void OwnerWindowClosed() override;
    // The progress is going away on its own (its window was destroyed).
    void ForgetProgress(const FileProgress *progress);
    // Close from the event loop: safe from any handler (the Cancel button).
    void Cancel();

    Mode GetMode() const { return m_params.mode; }
    bool IsChat() const override { return m_params.mode == ChatConnect || m_params.mode == ChatOffer; }
    const std::string &Peer() const { return m_params.peer; }
    // Connecting modes: the peer's port.
    uint16_t Port() const { return m_params.port; }
    const std::string &PeerName() const;
    const std::string &Path() const { return m_params.path; }
    const std::string &SessionKey() const { return m_params.sessionKey; }
    const std::string &WindowName() const { return m_params.window; }
    uint64_t Size() const { return m_size; }
    uint64_t Received() const { return m_received; }
    uint64_t Sent() const { return m_sent; }
    uint64_t Acknowledged() const { return m_acknowledged; }
    bool IsConnected() const { return m_connected; }
    bool IsClosed() const { return m_closed; }
    // Running, done, or failed and why; the bytes done count the resumed start.
    const TransferEnd &End() const { return m_end; }
    // Where a resumed transfer began (0: at the start of the file).
    uint64_t ResumedFrom() const { return m_resumedFrom; }
    // Where an offering connection listens (empty / 0 when it does not).
    std::string ListenAddress() const;
    uint16_t ListenPort() const;
    bool IsListening() const;

    // The owner window, null when it (or its session) is gone.
    Conversation *Owner() const;

    // The size and position a transfer has reached now (what End says once it ended).
    uint64_t Done() const;

    // Why no offer can be made from this local address of the server
    // connection (Str::DccNotConnected without one); nothing when it can.
    static std::optional<StrText> OfferRefusal(const std::string &localAddress);

    // The 64-bit count an acknowledgement (the low 32 bits of the bytes
    // received) stands for, given that at most `sent` bytes were sent.
    static uint64_t WidenAcknowledgement(uint32_t acknowledgement, uint64_t sent);

signals:
    // The connection has ended (Close or Shutdown); emitted once.
    void Closed();

private:
    friend class DccSocket;
    void OnConnect(int error);
    void OnAccept(int error);
    void OnReceive(DccSocket &socket, int error);
    void OnSend(DccSocket &socket, int error);
    void OnClose(int error);

    Session *GetSession() const;
    void Print(const std::string &text, TextClass textClass = TextClass::Info);
    // The socket that carries the chat or the file: the accepted one when we listened.
    DccSocket &Link() { return m_listens ? m_data : m_control; }
    bool IsOffering() const { return m_params.mode == ChatOffer || m_params.mode == FileSend; }
    bool OpenFileToSend();
    bool Listen(const std::string &address);
    void SendOffer();
    void OfferExpired();
    void Established();
    void PeerClosed(int code);
    void Finished();
    // The end of a running connection as a failure: its line in the owner
    // window, then everything released.
    void Fail(TransferEnd::Reason reason, int code = 0);
    void FailFile(bool opening);
    bool OpenFileToReceive();
    void AskToResume();
    void Connect(const std::string &host, uint16_t port);
    // The address our offers announce and whether they must be passive.
    bool ChooseOfferAddress();
    void ReceiveChatLine(const std::string &line);
    void ReleaseResources();

    void ReceiveFileBytes(const char *data, size_t count);
    void ReceiveChatBytes(const char *data, size_t count);
    void ReceiveAcknowledgements(const char *data, size_t count);
    void SendFileBlocks();
    void QueueOutgoing(const std::string &bytes);
    void FlushOutgoing();
    void ShowProgress(uint64_t done);

    SessionTable &m_table;
    Params m_params;
    DccSocket m_control;
    DccSocket m_data;
    QFile m_file;
    FileProgress *m_progress = nullptr;
    QTimer m_offerTimer;
    int m_offerTimeoutMs = kDefaultOfferTimeoutMs;
    std::string m_offerAddress;
    uint64_t m_size = 0;
    uint64_t m_received = 0;
    uint64_t m_sent = 0;
    uint64_t m_acknowledged = 0;
    uint64_t m_resumedFrom = 0;
    TransferEnd m_end;
    bool m_connected = false;
    bool m_closed = false;
    bool m_started = false;
    bool m_released = false;
    bool m_allRead = false;
    bool m_waitingForAccept = false;
    bool m_listens = false;     // we listen and the peer connects
    std::string m_announced;    // the address our offer or answer announces
    std::vector<char> m_buffer; // one block read from the socket
    std::string m_block;        // FileSend: the block being handed to the socket
    size_t m_blockOffset = 0;   // bytes of m_block already taken by the socket
    std::string m_outgoing;     // chat lines and acknowledgements the socket has not taken yet
    std::string m_partialAck;   // FileSend: bytes of an acknowledgement still incomplete
    ChatLines m_lines;          // chat modes
};
