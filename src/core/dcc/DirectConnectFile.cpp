// DirectConnect: the file of a transfer, its bytes both ways, acknowledgements
// and resuming.
#include "dcc/DirectConnect.h"

#include <QFileInfo>

#include <algorithm>
#include <cerrno>

#include "dcc/FileProgress.h"
#include "session/Session.h"
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

} // namespace

uint64_t DirectConnect::WidenAcknowledgement(uint32_t acknowledgement, uint64_t sent)
{
    uint64_t widened = (sent & ~kLow32) | acknowledgement;
    if (widened > sent && widened > kLow32)
        widened -= kLow32 + 1;
    return widened;
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
    m_end.size = m_size;
    return true;
}

bool DirectConnect::OpenFileToReceive()
{
    m_file.setFileName(QString::fromStdString(m_params.path));
    // Unbuffered: a full disk shows at the write that meets it, not at a later flush.
    const bool resuming = m_resumedFrom > 0;
    const QIODevice::OpenMode mode = resuming ? QIODevice::ReadWrite | QIODevice::Unbuffered
                                              : QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered;
    if (!m_file.open(mode)) {
        FailFile(true);
        return false;
    }
    // Whatever lies past the resumed offset is written again.
    if (resuming && (!m_file.resize(static_cast<qint64>(m_resumedFrom)) || !m_file.seek(static_cast<qint64>(m_resumedFrom)))) {
        FailFile(false);
        return false;
    }
    return true;
}

void DirectConnect::FailFile(bool opening)
{
    const int code = errno;
    if (m_file.error() == QFileDevice::ResourceError)
        Fail(TransferEnd::Reason::DiskFull, code);
    else
        Fail(TransferEnd::ReasonOfFileError(code, opening), code);
}

// ---- resuming ----

void DirectConnect::AskToResume()
{
    Session *session = GetSession();
    if (!session)
        return;
    const std::string offset = std::to_string(m_params.resumeFrom);
    Print(Strings::Format(Str::DccResumeAsked, PeerName().c_str(), m_params.offeredName.c_str(),
                          FormatSize(m_params.resumeFrom).c_str()));
    m_waitingForAccept = true;
    session->Command(m_params.window, 0,
                     StrPrintf("/msg %s \001DCC RESUME %s %u %s\001", PeerName().c_str(),
                               m_params.offeredName.c_str(), unsigned(m_params.port), offset.c_str()));
    if (!m_closed)
        m_offerTimer.start(m_offerTimeoutMs);
}

bool DirectConnect::ResumeAccepted(uint64_t offset)
{
    // An offset past what we hold would leave a hole in the file.
    if (!m_waitingForAccept || m_closed || offset > m_params.resumeFrom)
        return false;
    m_waitingForAccept = false;
    m_offerTimer.stop();
    m_resumedFrom = offset;
    m_received = offset;
    Print(Strings::Format(Str::DccConnecting, PeerName().c_str()));
    Connect(m_params.peer, m_params.port);
    return true;
}

bool DirectConnect::Resume(const std::string &name, uint64_t offset)
{
    if (m_params.mode != FileSend || m_connected || m_closed || !IsListening() || offset >= m_size)
        return false;
    if (!m_file.seek(static_cast<qint64>(offset)))
        return false;
    m_resumedFrom = offset;
    m_sent = offset;
    m_acknowledged = offset;
    Session *session = GetSession();
    if (!session)
        return false;
    Print(Strings::Format(Str::DccResumeAnswered, PeerName().c_str(), name.c_str(), FormatSize(offset).c_str()));
    session->Command(m_params.window, 0,
                     StrPrintf("/msg %s \001DCC ACCEPT %s %u %llu\001", m_params.peer.c_str(), name.c_str(),
                               unsigned(ListenPort()), static_cast<unsigned long long>(offset)));
    return true;
}

// ---- the bytes ----

void DirectConnect::ReceiveFileBytes(const char *data, size_t count)
{
    if (!m_connected)
        return;
    // Bytes past the announced size are never written: a peer cannot fill the disk.
    const uint64_t take = std::min<uint64_t>(count, m_size - m_received);
    if (take > 0 && m_file.write(data, static_cast<qint64>(take)) != static_cast<qint64>(take)) {
        FailFile(false);
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
                // The file shrank under us, or cannot be read any more.
                Fail(TransferEnd::Reason::FileVanished);
                return;
            }
            m_block.resize(static_cast<size_t>(read));
            m_blockOffset = 0;
        }
        const int taken = link.Send(m_block.data() + m_blockOffset, static_cast<int>(m_block.size() - m_blockOffset));
        if (taken < 0) {
            if (link.LastError() != AsyncSocket::WouldBlockCode())
                PeerClosed(link.LastError());
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

void DirectConnect::ShowProgress(uint64_t done)
{
    if (m_progress)
        m_progress->SetPosition(done, m_size);
}
