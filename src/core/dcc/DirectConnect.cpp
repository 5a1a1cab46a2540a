#include "dcc/DirectConnect.h"

#include <QFileInfo>

#include <algorithm>
#include <limits>

#include "conversation/Conversation.h"
#include "conversation/Shell.h"
#include "dcc/FileProgress.h"
#include "session/DccOffer.h"
#include "session/ServerEncoding.h"
#include "session/Session.h"
#include "session/SessionTable.h"
#include "text/StrPrintf.h"
#include "text/Strings.h"
#include "text/TextUtil.h"

namespace {

constexpr uint64_t kLow32 = 0xFFFFFFFFull;

std::string AcknowledgementBytes(uint64_t received)
{
    const uint32_t low = static_cast<uint32_t>(received & kLow32);
    const char bytes[4] = {static_cast<char>(low >> 24), static_cast<char>(low >> 16), static_cast<char>(low >> 8),
                           static_cast<char>(low)};
    return std::string(bytes, 4);
}

uint32_t ReadNetworkOrder(const char *bytes)
{
    const auto *b = reinterpret_cast<const unsigned char *>(bytes);
    return (uint32_t(b[0]) << 24) | (uint32_t(b[1]) << 16) | (uint32_t(b[2]) << 8) | uint32_t(b[3]);
}

// The offered file name: no folder, blanks turned into "." so that it stays one word.
std::string OfferedFileName(const std::string &path)
{
    std::string name = QFileInfo(QString::fromStdString(path)).fileName().toStdString();
    std::replace(name.begin(), name.end(), ' ', '.');
    return name;
}

} // namespace

DirectConnect::DirectConnect(SessionTable &table, Params params)
    : m_table(table), m_params(std::move(params)), m_control(*this), m_data(*this), m_size(m_params.size)
{
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

std::optional<StrText> DirectConnect::OfferRefusal(const std::string &localAddress)
{
    if (localAddress.empty())
        return Str::DccNotConnected;
    if (DccOffer::AddressNumber(localAddress) == 0)
        return Str::DccNoIpv6Offer;
    return std::nullopt;
}

uint64_t DirectConnect::WidenAcknowledgement(uint32_t acknowledgement, uint64_t sent)
{
    uint64_t widened = (sent & ~kLow32) | acknowledgement;
    if (widened > sent && widened > kLow32)
        widened -= kLow32 + 1;
    return widened;
}

// ---- starting ----

void DirectConnect::Start()
{
    if (m_started)
        return;
    m_started = true;
    const bool offering = m_params.mode == ChatOffer || m_params.mode == FileSend;
    // Every reason not to offer is found before anything is printed or sent.
    if (m_params.mode == FileSend && !OpenFileToSend()) {
        Print(Strings::Format(Str::DccFileUnreadable, m_params.path.c_str()), TextClass::Error);
        Shutdown();
        return;
    }
    if (offering) {
        Session *session = GetSession();
        m_offerAddress = session && session->IsConnected() ? session->LocalAddress() : std::string();
        if (const std::optional<StrText> refusal = OfferRefusal(m_offerAddress)) {
            Print(Strings::Get(*refusal), TextClass::Error);
            Shutdown();
            return;
        }
    }
    if (Conversation *owner = Owner())
        owner->SetDccChat(this);
    Print(Strings::Format(Str::DccConnecting, PeerName().c_str()));
    if (!offering) {
        if (!m_control.Connect(m_params.peer, m_params.port))
            Close(m_control.LastError());
        return;
    }
    if (!Listen(m_offerAddress)) {
        Close(kListenOrFileError);
        return;
    }
    SendOffer();
    if (!m_closed && !m_connected)
        m_offerTimer.start(m_offerTimeoutMs);
}

bool DirectConnect::OpenFileToSend()
{
    const QFileInfo info(QString::fromStdString(m_params.path));
    if (!info.isFile() || !info.isReadable())
        return false;
    m_file.setFileName(info.absoluteFilePath());
    if (!m_file.open(QIODevice::ReadOnly))
        return false;
    m_size = static_cast<uint64_t>(m_file.size());
    return true;
}

bool DirectConnect::Listen(const std::string &address)
{
    for (unsigned port = kFirstListenPort; port <= kLastListenPort; ++port) {
        if (m_control.Listen(static_cast<uint16_t>(port), address, 5))
            return true;
    }
    return false;
}

void DirectConnect::SendOffer()
{
    const uint32_t address = DccOffer::AddressNumber(m_offerAddress);
    const unsigned port = m_control.LocalPort();
    Session *session = GetSession();
    if (!session)
        return;
    if (m_params.mode == ChatOffer) {
        session->Command(m_params.window, 0,
                         StrPrintf("/msg %s \001DCC CHAT chat %u %u\001", m_params.peer.c_str(), address, port));
        return;
    }
    session->Command(m_params.window, 0,
                     StrPrintf("/msg %s \001DCC SEND %s %u %u %llu\001", m_params.peer.c_str(),
                               OfferedFileName(m_params.path).c_str(), address, port,
                               static_cast<unsigned long long>(m_size)));
}

void DirectConnect::OfferExpired()
{
    if (m_connected || m_closed)
        return;
    Print(Strings::Format(Str::DccOfferExpired, PeerName().c_str()));
    Shutdown();
}

// ---- the connection established ----

void DirectConnect::OnConnect(int error)
{
    if (m_closed)
        return;
    if (error != 0) {
        Close(error);
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
    if (receiving) {
        m_file.setFileName(QString::fromStdString(m_params.path));
        if (!m_file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            Close(kListenOrFileError);
            return;
        }
    }
    if (Shell *shell = m_table.GetShell()) {
        const std::string direction = receiving ? Strings::Format(Str::DccDirection, PeerName().c_str(), "...")
                                                : Strings::Format(Str::DccDirection, "...", PeerName().c_str());
        m_progress = shell->OpenFileProgress(*this, m_params.path, direction);
    }
    m_connected = true;
    ShowProgress(0);
    if (m_size == 0) {
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

void DirectConnect::ReceiveFileBytes(const char *data, size_t count)
{
    if (!m_connected)
        return;
    // Bytes past the announced size are never written: a peer cannot fill the disk.
    const uint64_t take = std::min<uint64_t>(count, m_size - m_received);
    if (take > 0 && m_file.write(data, static_cast<qint64>(take)) != static_cast<qint64>(take)) {
        Close(kListenOrFileError);
        return;
    }
    m_received += take;
    QueueOutgoing(AcknowledgementBytes(m_received));
    ShowProgress(m_received);
    if (m_received == m_size)
        Finished();
}

void DirectConnect::ReceiveAcknowledgements(const char *data, size_t count)
{
    m_partialAck.append(data, count);
    size_t used = 0;
    for (; used + 4 <= m_partialAck.size(); used += 4)
        m_acknowledged = WidenAcknowledgement(ReadNetworkOrder(m_partialAck.data() + used), m_sent);
    m_partialAck.erase(0, used);
    if (used == 0)
        return;
    ShowProgress(m_acknowledged);
    if (m_allRead && m_acknowledged >= m_size)
        Finished();
}

void DirectConnect::ReceiveChatBytes(const char *data, size_t count)
{
    std::vector<std::string> lines;
    m_lines.Feed(data, count, lines);
    for (const std::string &line : lines) {
        Print(PeerName() + ": " + ServerLineToUtf8(line), TextClass::Text);
        if (m_closed)
            return;
    }
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
    if (IsChat() && !m_lines.Partial().empty())
        Print(PeerName() + ": " + ServerLineToUtf8(m_lines.Partial()), TextClass::Text);
    if (m_params.mode == FileReceive && m_connected && m_received < m_size) {
        // The partial file stays; 57413 would read as success here.
        Print(Strings::Format(Str::DccFileIncomplete, m_params.path.c_str(), FormatSize(m_received).c_str(),
                              FormatSize(m_size).c_str()),
              TextClass::Error);
        Shutdown();
        return;
    }
    if (m_params.mode == FileSend && m_allRead && m_acknowledged >= m_size) {
        Finished();
        return;
    }
    Close(code);
}

// ---- sending ----

void DirectConnect::OnSend(DccSocket &socket, int error)
{
    if (m_closed || error != 0 || &socket != &Link())
        return;
    FlushOutgoing();
    if (m_params.mode == FileSend && m_connected && !m_allRead)
        SendFileBlocks();
}

void DirectConnect::SendFileBlocks()
{
    DccSocket &link = Link();
    while (!m_closed && m_connected) {
        if (m_blockOffset == m_block.size()) {
            const uint64_t left = m_size - m_sent;
            if (left == 0) {
                m_allRead = true;
                break;
            }
            m_block.resize(static_cast<size_t>(std::min<uint64_t>(kBlockBytes, left)));
            const qint64 read = m_file.read(m_block.data(), static_cast<qint64>(m_block.size()));
            if (read <= 0) {
                // An error, or the file shrank under us.
                Close(kListenOrFileError);
                return;
            }
            m_block.resize(static_cast<size_t>(read));
            m_blockOffset = 0;
        }
        const int taken = link.Send(m_block.data() + m_blockOffset, static_cast<int>(m_block.size() - m_blockOffset));
        if (taken < 0) {
            if (link.LastError() != AsyncSocket::WouldBlockCode())
                Close(link.LastError());
            return; // OnSend comes when the socket takes more
        }
        m_blockOffset += static_cast<size_t>(taken);
        m_sent += static_cast<uint64_t>(taken);
        if (m_blockOffset < m_block.size())
            return;
    }
    if (m_allRead && m_acknowledged >= m_size)
        Finished();
}

bool DirectConnect::SendChat(const std::string &text)
{
    if (!IsChat() || m_closed)
        return false;
    const size_t cut = text.find_first_of(std::string("\r\n\0", 3));
    QueueOutgoing(text.substr(0, cut) + "\r\n");
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
        Close(link.LastError());
}

void DirectConnect::ShowProgress(uint64_t done)
{
    if (m_progress)
        m_progress->SetPosition(done, m_size);
}

// ---- ending ----

void DirectConnect::Finished()
{
    Print(Strings::Get(Str::DccTransferDone));
    Close(0);
}

void DirectConnect::Close(int code)
{
    if (m_closed)
        return;
    m_closed = true;
    m_connected = false;
    Print(code == 0 ? Strings::Format(Str::DccClosed, PeerName().c_str()) : Strings::Format(Str::DccError, code));
    ReleaseResources();
}

void DirectConnect::Shutdown()
{
    m_closed = true;
    m_connected = false;
    ReleaseResources();
}

void DirectConnect::OwnerWindowClosed()
{
    const bool wasClosed = m_closed;
    Close(0);
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
    QTimer::singleShot(0, this, [this] { Close(0); });
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
    m_control.Close();
    if (m_params.mode == FileSend)
        m_data.ShutdownSend();
    m_data.Close();
    if (m_file.isOpen())
        m_file.close();
    m_outgoing.clear();
    emit Closed();
}
