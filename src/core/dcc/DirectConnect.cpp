#include "dcc/DirectConnect.h"

#include <QRandomGenerator>
#include <QFileInfo>

#include <algorithm>
#include <limits>

#include "conversation/Conversation.h"
#include "conversation/Shell.h"
#include "config/Config.h"
#include "config/PortRange.h"
#include "dcc/FileProgress.h"
#include "dcc/OfferAddress.h"
#include "session/DccOffer.h"
#include "session/ServerEncoding.h"
#include "session/Session.h"
#include "session/SessionTable.h"
#include "text/CaseFold.h"
#include "text/StrPrintf.h"
#include "text/Strings.h"

namespace {

// The offered file name: no folder, blanks turned into "." so that it stays one word.
std::string OfferedFileName(const std::string &path)
{
    std::string name = QFileInfo(QString::fromStdString(path)).fileName().toStdString();
    std::replace(name.begin(), name.end(), ' ', '.');
    return name;
}

constexpr char kActionCommand[] = "/me ";
constexpr char kActionOpening[] = "\001ACTION ";
constexpr char kDccAddressKey[] = "DCC Address";
constexpr char kDccPortsKey[] = "DCC Ports";

// Ties a passive offer to its answer.
std::string NewToken()
{
    return std::to_string(QRandomGenerator::global()->bounded(1, 1000000000));
}

} // namespace

DirectConnect::DirectConnect(SessionTable &table, Params params)
    : m_table(table), m_params(std::move(params)), m_control(*this), m_data(*this), m_size(m_params.size)
{
    m_end.size = m_size;
    m_offerTimer.setSingleShot(true);
    connect(&m_offerTimer, &QTimer::timeout, this, &DirectConnect::OfferExpired);
}

DirectConnect::~DirectConnect()
{
    m_closed = true;
    blockSignals(true);
    ReleaseResources();
    if (Conversation *owner = Owner(); owner && owner->DccChat() == this)
        owner->SetDccChat(nullptr);
}

const std::string &DirectConnect::PeerName() const
{
    return m_params.peerName.empty() ? m_params.peer : m_params.peerName;
}

Session *DirectConnect::GetSession() const
{
    return m_table.FindSession(m_params.sessionKey);
}

Conversation *DirectConnect::Owner() const
{
    Session *session = GetSession();
    return session ? session->FindWindow(m_params.window) : nullptr;
}

void DirectConnect::Print(const std::string &text, TextClass textClass)
{
    if (Conversation *owner = Owner())
        owner->Print(text, textClass);
}

std::string DirectConnect::ListenAddress() const
{
    return m_control.IsListening() ? m_control.LocalAddress() : std::string();
}

uint16_t DirectConnect::ListenPort() const
{
    return m_control.IsListening() ? m_control.LocalPort() : 0;
}

bool DirectConnect::IsListening() const
{
    return m_control.IsListening();
}

uint64_t DirectConnect::Done() const
{
    if (!m_end.IsRunning())
        return m_end.done;
    return m_params.mode == FileSend ? m_acknowledged : m_received;
}

std::optional<StrText> DirectConnect::OfferRefusal(const std::string &localAddress)
{
    if (localAddress.empty())
        return Str::DccNotConnected;
    return std::nullopt;
}

// ---- starting ----

void DirectConnect::Start()
{
    if (m_started)
        return;
    m_started = true;
    const bool offering = IsOffering();
    const bool answeringPassive = !offering && !m_params.token.empty();
    // Every reason not to offer is found before anything is printed or sent.
    if (m_params.mode == FileSend && !OpenFileToSend()) {
        Print(Strings::Format(Str::DccFileUnreadable, m_params.path.c_str()), TextClass::Error);
        m_end.reason = TransferEnd::Reason::FileVanished;
        Shutdown();
        return;
    }
    if ((offering || answeringPassive) && !ChooseOfferAddress())
        return;
    m_listens = (offering && !m_params.passive) || answeringPassive;
    if (Conversation *owner = Owner())
        owner->SetDccChat(this);
    if (m_params.mode == FileReceive && m_params.resumeFrom > 0 && !answeringPassive) {
        AskToResume();
        return;
    }
    Print(Strings::Format(Str::DccConnecting, PeerName().c_str()));
    if (offering && m_params.passive) {
        Print(Strings::Format(Str::DccPassiveOffered, PeerName().c_str()));
        SendOffer();
        if (!m_closed)
            m_offerTimer.start(m_offerTimeoutMs);
        return;
    }
    if (!m_listens) {
        Connect(m_params.peer, m_params.port);
        return;
    }
    if (!Listen(m_offerAddress)) {
        Fail(TransferEnd::Reason::OtherError, m_control.LastError());
        return;
    }
    SendOffer();
    if (!m_closed && !m_connected)
        m_offerTimer.start(m_offerTimeoutMs);
}

bool DirectConnect::ChooseOfferAddress()
{
    Session *session = GetSession();
    m_offerAddress = session && session->IsConnected() ? session->LocalAddress() : std::string();
    if (const std::optional<StrText> refusal = OfferRefusal(m_offerAddress)) {
        Print(Strings::Get(*refusal), TextClass::Error);
        m_end.reason = TransferEnd::Reason::OtherError;
        Shutdown();
        return false;
    }
    const OfferAddress choice =
        OfferAddress::Choose(ReadString(kDccAddressKey), session->NetworkAddress(), m_offerAddress);
    m_announced = choice.announced;
    if (IsOffering() && choice.passive)
        m_params.passive = true;
    if (IsOffering() && m_params.passive && m_params.token.empty())
        m_params.token = NewToken();
    return true;
}

void DirectConnect::Connect(const std::string &host, uint16_t port)
{
    if (!m_control.Connect(host, port))
        Fail(TransferEnd::ReasonOfSocketError(m_control.LastError()), m_control.LastError());
}

bool DirectConnect::Listen(const std::string &address)
{
    const PortRange ports = PortRange::Parse(ReadString(kDccPortsKey)).value_or(PortRange{});
    for (unsigned port = ports.first; port <= ports.last; ++port) {
        if (m_control.Listen(static_cast<uint16_t>(port), address, 5))
            return true;
    }
    return false;
}

void DirectConnect::SendOffer()
{
    Session *session = GetSession();
    if (!session)
        return;
    const std::string address = OfferAddress::OfferWord(m_announced);
    const unsigned port = m_listens ? m_control.LocalPort() : 0;
    const std::string token = m_params.token.empty() ? std::string() : " " + m_params.token;
    const std::string name = IsOffering() ? OfferedFileName(m_params.path) : m_params.offeredName;
    const std::string body =
        IsChat() ? StrPrintf("DCC CHAT chat %s %u%s", address.c_str(), port, token.c_str())
                 : StrPrintf("DCC SEND %s %s %u %llu%s", name.c_str(), address.c_str(), port,
                             static_cast<unsigned long long>(m_size), token.c_str());
    const std::string &nick = IsOffering() ? m_params.peer : PeerName();
    session->Command(m_params.window, 0, StrPrintf("/msg %s \001%s\001", nick.c_str(), body.c_str()));
}

bool DirectConnect::PeerListens(const std::string &address, uint16_t port)
{
    if (!IsWaitingForPeer())
        return false;
    m_offerTimer.stop();
    Connect(address, port);
    return true;
}

bool DirectConnect::IsWaitingForPeer() const
{
    return IsOffering() && m_params.passive && m_started && !m_connected && !m_closed && !m_control.IsConnecting();
}

void DirectConnect::OfferExpired()
{
    if (m_connected || m_closed)
        return;
    Print(Strings::Format(Str::DccOfferExpired, PeerName().c_str()));
    m_end.reason = TransferEnd::Reason::TimedOut;
    Shutdown();
}

// ---- the connection established ----

void DirectConnect::OnConnect(int error)
{
    if (m_closed)
        return;
    if (error != 0) {
        Fail(TransferEnd::ReasonOfSocketError(error), error);
        return;
    }
    Established();
}

void DirectConnect::OnAccept(int error)
{
    if (m_closed || m_connected || error != 0)
        return;
    if (!m_control.Accept(m_data))
        return;
    // One connection per offer: nobody else may come in after the peer.
    m_control.Close();
    m_offerTimer.stop();
    Established();
}

void DirectConnect::Established()
{
    Print(Strings::Get(Str::DccConnected));
    if (IsChat()) {
        m_connected = true;
        FlushOutgoing();
        return;
    }
    Print(Strings::Get(Str::DccTransferStarting));
    const bool receiving = m_params.mode == FileReceive;
    if (receiving && !OpenFileToReceive())
        return;
    if (!receiving && !QFileInfo::exists(m_file.fileName())) {
        // Moved or deleted since the offer: what is still open is not what the user means to send.
        Fail(TransferEnd::Reason::FileVanished);
        return;
    }
    if (Shell *shell = m_table.GetShell()) {
        const std::string direction = receiving ? Strings::Format(Str::DccDirection, PeerName().c_str(), "...")
                                                : Strings::Format(Str::DccDirection, "...", PeerName().c_str());
        m_progress = shell->OpenFileProgress(*this, m_params.path, direction);
    }
    m_connected = true;
    ShowProgress(Done());
    if (Done() >= m_size) {
        Finished();
        return;
    }
    if (!receiving)
        SendFileBlocks();
}

// ---- receiving ----

void DirectConnect::OnReceive(DccSocket &socket, int error)
{
    if (m_closed)
        return;
    if (error != 0) {
        PeerClosed(error);
        return;
    }
    m_buffer.resize(kBlockBytes);
    const int count = socket.Receive(m_buffer.data(), kBlockBytes);
    if (count == 0) {
        PeerClosed(0);
        return;
    }
    if (count < 0) {
        if (socket.LastError() != AsyncSocket::WouldBlockCode())
            PeerClosed(socket.LastError());
        return;
    }
    switch (m_params.mode) {
    case FileReceive:
        ReceiveFileBytes(m_buffer.data(), static_cast<size_t>(count));
        break;
    case FileSend:
        ReceiveAcknowledgements(m_buffer.data(), static_cast<size_t>(count));
        break;
    case ChatConnect:
    case ChatOffer:
        ReceiveChatBytes(m_buffer.data(), static_cast<size_t>(count));
        break;
    }
}

void DirectConnect::ReceiveChatBytes(const char *data, size_t count)
{
    std::vector<std::string> lines;
    m_lines.Feed(data, count, lines);
    for (const std::string &line : lines) {
        ReceiveChatLine(line);
        if (m_closed)
            return;
    }
}

void DirectConnect::ReceiveChatLine(const std::string &line)
{
    const std::string text = ServerLineToUtf8(line);
    const size_t opening = std::char_traits<char>::length(kActionOpening);
    if (text.compare(0, opening, kActionOpening) == 0) {
        std::string action = text.substr(opening);
        if (!action.empty() && action.back() == '\001')
            action.pop_back();
        Print(StrPrintf("* %s: %s", PeerName().c_str(), action.c_str()), TextClass::High);
        return;
    }
    Print(PeerName() + ": " + text, TextClass::Text);
}

void DirectConnect::OnClose(int error)
{
    if (!m_closed)
        PeerClosed(error);
}

void DirectConnect::PeerClosed(int code)
{
    if (m_closed)
        return;
    if (IsChat()) {
        if (!m_lines.Partial().empty())
            ReceiveChatLine(m_lines.Partial());
        if (m_connected)
            Close();
        else
            Fail(TransferEnd::ReasonOfSocketError(code), code);
        return;
    }
    if (m_params.mode == FileSend && m_allRead && m_acknowledged >= m_size) {
        Finished();
        return;
    }
    // Whatever was sent or kept stays; the peer ended it before the end.
    Fail(m_connected ? TransferEnd::Reason::PeerClosed : TransferEnd::ReasonOfSocketError(code), code);
}

// ---- chat ----

bool DirectConnect::SendChat(const std::string &text)
{
    if (!IsChat())
        return false;
    if (m_closed) {
        Print(Strings::Get(Str::DccChatEnded), TextClass::Error);
        return false;
    }
    const size_t cut = text.find_first_of(std::string("\r\n\0", 3));
    const std::string line = text.substr(0, cut);
    Session *session = GetSession();
    const std::string nick = session ? session->Nick() : std::string();
    const size_t command = std::char_traits<char>::length(kActionCommand);
    if (line.size() > command && EqualIgnoringAsciiCase(line.substr(0, command), kActionCommand)) {
        const std::string action = line.substr(command);
        QueueOutgoing(kActionOpening + action + "\001\r\n");
        Print(StrPrintf("* %s: %s", nick.c_str(), action.c_str()), TextClass::High);
        return true;
    }
    for (const std::string &piece : ChatLines::Split(line))
        QueueOutgoing(piece + "\r\n");
    Print(nick + ": " + line, TextClass::Text);
    return true;
}

void DirectConnect::QueueOutgoing(const std::string &bytes)
{
    m_outgoing += bytes;
    FlushOutgoing();
}

void DirectConnect::FlushOutgoing()
{
    if (m_outgoing.empty() || !m_connected || m_closed)
        return;
    DccSocket &link = Link();
    const int taken = link.Send(m_outgoing.data(),
                                static_cast<int>(std::min<size_t>(m_outgoing.size(), std::numeric_limits<int>::max())));
    if (taken > 0)
        m_outgoing.erase(0, static_cast<size_t>(taken));
    else if (taken < 0 && link.LastError() != AsyncSocket::WouldBlockCode())
        PeerClosed(link.LastError());
}

void DirectConnect::OnSend(DccSocket &socket, int error)
{
    if (m_closed || error != 0 || &socket != &Link())
        return;
    FlushOutgoing();
    if (m_params.mode == FileSend && m_connected && !m_allRead)
        SendFileBlocks();
}

// ---- ending ----

void DirectConnect::Finished()
{
    if (m_closed)
        return;
    m_end.state = TransferEnd::State::Done;
    m_end.done = m_size;
    Print(Strings::Get(Str::DccTransferDone));
    Close();
}

void DirectConnect::Fail(TransferEnd::Reason reason, int code)
{
    if (m_closed)
        return;
    m_end.done = Done();
    m_end.reason = reason;
    m_end.errorCode = code;
    m_end.state = TransferEnd::State::Failed;
    const std::string why = m_end.ReasonText();
    if (IsChat())
        Print(Strings::Format(Str::DccChatFailed, PeerName().c_str(), why.c_str()), TextClass::Error);
    else
        Print(Strings::Format(Str::DccTransferFailed, m_params.path.c_str(), PeerName().c_str(), why.c_str()),
              TextClass::Error);
    Shutdown();
}

void DirectConnect::Close()
{
    if (m_closed)
        return;
    if (!IsChat() && m_end.IsRunning()) {
        Fail(TransferEnd::Reason::Cancelled);
        return;
    }
    if (m_end.IsRunning()) {
        m_end.done = Done();
        m_end.state = TransferEnd::State::Done;
    }
    m_closed = true;
    m_connected = false;
    Print(Strings::Format(Str::DccClosed, PeerName().c_str()));
    ReleaseResources();
}

void DirectConnect::Shutdown()
{
    if (m_end.IsRunning()) {
        m_end.done = Done();
        m_end.state = TransferEnd::State::Failed;
        if (m_end.reason == TransferEnd::Reason::None)
            m_end.reason = TransferEnd::Reason::Cancelled;
    }
    m_closed = true;
    m_connected = false;
    ReleaseResources();
}

void DirectConnect::OwnerWindowClosed()
{
    const bool wasClosed = m_closed;
    Close();
    if (wasClosed)
        emit Closed();
}

void DirectConnect::ForgetProgress(const FileProgress *progress)
{
    if (m_progress == progress)
        m_progress = nullptr;
}

void DirectConnect::Cancel()
{
    QTimer::singleShot(0, this, [this] { Close(); });
}

void DirectConnect::ReleaseResources()
{
    if (m_released)
        return;
    m_released = true;
    m_offerTimer.stop();
    if (m_progress) {
        FileProgress *progress = m_progress;
        m_progress = nullptr;
        progress->Finish();
    }
    // A send's last bytes still go out before the socket closes.
    if (m_params.mode == FileSend)
        Link().ShutdownSend();
    m_control.Close();
    m_data.Close();
    if (m_file.isOpen())
        m_file.close();
    m_outgoing.clear();
    emit Closed();
}
