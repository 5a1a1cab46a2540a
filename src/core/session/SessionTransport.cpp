// The line transport of a session: received bytes to lines, lines to the wire.
#include "session/Session.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>

#include "config/Config.h"
#include "session/MessageSplit.h"
#include "session/ServerEncoding.h"
#include "session/SessionSocket.h"

namespace {

constexpr int kReceiveChunk = 4096;
// How long one read notification may go on reading a burst.
constexpr qint64 kMaxBurstMs = 50;
// Bounds for what waits to be sent: a script looping on a dead connection
// must not eat memory. Only whole lines are dropped, never parts of one.
constexpr size_t kMaxWaitingLines = 10000;
constexpr size_t kMaxUnsentBytes = 1024 * 1024;

// The protocol text of a line: a closing CR LF removed, and cut at the first
// CR, LF or NUL inside, so that no line can carry a second command.
std::string ProtocolText(const std::string &line, bool &cut)
{
    std::string text = line;
    if (text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0)
        text.resize(text.size() - 2);
    const size_t stop = text.find_first_of(std::string("\r\n\0", 3));
    cut = stop != std::string::npos;
    if (cut)
        text.resize(stop);
    return text;
}

} // namespace

int Session::SendLine(const std::string &line)
{
    Log("Send: %s", line.c_str());
    bool cut = false;
    std::string bytes = ProtocolText(line, cut);
    if (cut)
        Log("Line cut at an inner line break or NUL: %s", bytes.c_str());
    if (bytes.empty())
        return 0;
    bytes += "\r\n";
    // A server drops the connection of a client whose line is too long:
    // long text is split before it gets here, anything else is refused.
    if (bytes.size() > MessageSplit::kMaxLineBytes) {
        Log("Line too long, not sent: %s", bytes.c_str());
        PrintTo("", TextClass::Error, MessageSplit::LineTooLongText(bytes.size()));
        return 0;
    }

    if (m_connected) {
        // Registration is a handful of lines the server waits for; they count
        // toward the pace but never wait for it.
        const bool automatic = m_automaticDepth > 0;
        const SendQueue::Priority priority =
            m_welcomed ? SendQueue::PriorityOf(bytes, automatic) : SendQueue::Priority::Immediate;
        return QueueLine(std::move(bytes), priority);
    }
    if (m_waitingLines.size() >= kMaxWaitingLines) {
        Log("Waiting lines full, dropped: %s", bytes.c_str());
        return 0;
    }
    m_waitingLines.push_back(bytes);
    Log("Not send add to buffer: %s", bytes.c_str());
    return 0;
}

int Session::FlushWaitingLines()
{
    std::vector<std::string> lines;
    lines.swap(m_waitingLines);
    for (std::string &line : lines) {
        Log("Sending NonSendLine (waiting line) : %s", line.c_str());
        QueueLine(std::move(line), SendQueue::Priority::Typed);
    }
    return 0;
}

void Session::SendJoin(const std::string &channels, const std::string &keys)
{
    if (m_joinBatchDepth > 0) {
        m_joinBatch.Add(channels, keys);
        return;
    }
    SendLine(keys.empty() ? "JOIN " + channels : "JOIN " + channels + " " + keys);
}

void Session::SendCollectedJoins()
{
    const std::vector<std::string> lines = m_joinBatch.Lines();
    m_joinBatch.Clear();
    for (const std::string &line : lines)
        SendLine(line);
}

void Session::ResetSendQueue()
{
    m_sendTimer.stop();
    m_sendQueue.Clear();
    m_sendQueue.Configure(SendQueue::kDefaultBurst, ReadSendIntervalMs());
}

int Session::QueueLine(std::string bytes, SendQueue::Priority priority)
{
    if (!m_sendQueue.Push(bytes, priority)) {
        Log("Send queue full, dropped: %s", bytes.c_str());
        return 0;
    }
    return WriteDueLines();
}

int Session::WriteDueLines()
{
    int written = 0;
    const int64_t now = ClockMs();
    for (const std::string &line : m_sendQueue.TakeDue(now)) {
        const int sent = WriteToSocket(line);
        if (sent > 0)
            written += sent;
    }
    const int64_t wait = m_sendQueue.WaitMs(now);
    if (wait >= 0)
        m_sendTimer.start(static_cast<int>(std::max<int64_t>(wait, 1)));
    else
        m_sendTimer.stop();
    return written;
}

int Session::WriteToSocket(const std::string &bytes)
{
    if (!m_unsent.empty()) {
        // Earlier bytes still wait: keep the order on the wire.
        if (m_unsent.size() + bytes.size() > kMaxUnsentBytes) {
            Log("Send buffer full, dropped: %s", bytes.c_str());
            return 0;
        }
        m_unsent += bytes;
        return 0;
    }
    const int sent = m_socket->Send(bytes.data(), static_cast<int>(bytes.size()));
    if (sent < 0) {
        if (m_socket->LastError() != AsyncSocket::WouldBlockCode()) {
            Log("Sending error (%d)", m_socket->LastError());
            return sent;
        }
        m_unsent = bytes;
        return 0;
    }
    if (static_cast<size_t>(sent) < bytes.size())
        m_unsent.assign(bytes, static_cast<size_t>(sent), std::string::npos);
    return sent;
}

void Session::WritePending()
{
    while (!m_unsent.empty()) {
        const int sent = m_socket->Send(m_unsent.data(), static_cast<int>(m_unsent.size()));
        if (sent <= 0)
            return; // the next write-ready notification continues
        m_unsent.erase(0, static_cast<size_t>(sent));
    }
}

void Session::OnSend(int error)
{
    if (error != 0) {
        Log("Sending error (%d)", error);
        return;
    }
    WritePending();
}

void Session::OnReceive(int error)
{
    (void)error;
    BusyGuard guard(*this);
    ++m_receiveDepth;

    char chunk[kReceiveChunk];
    int count = m_socket->Receive(chunk, kReceiveChunk);
    if (count < 1) {
        if (count < 0 && m_socket->LastError() == AsyncSocket::WouldBlockCode()) {
            --m_receiveDepth;
            return;
        }
        Log("Receive error socket error ...");
        --m_receiveDepth;
        ConnectionLost();
        return;
    }

    // A burst is read chunk after chunk here rather than one chunk per
    // notification: every return to the event loop repaints whatever the
    // lines changed (the nick list above all), which under a flood costs
    // more than the lines themselves. The pump between lines keeps the user
    // interface live; the bound gives other connections their turn.
    const unsigned connection = m_connectionNumber;
    QElapsedTimer burst;
    burst.start();
    while (DispatchChunk(chunk, static_cast<size_t>(count), connection) && m_socket->BytesAvailable() > 0
           && !burst.hasExpired(kMaxBurstMs)) {
        count = m_socket->Receive(chunk, kReceiveChunk);
        if (count < 1)
            break; // a closed connection is reported by the socket's close notification
    }
    --m_receiveDepth;
    if (m_closeAfterReceive) {
        m_closeAfterReceive = false;
        m_socket->Close();
    }
}

bool Session::DispatchChunk(const char *chunk, size_t count, unsigned connection)
{
    std::vector<std::string> lines;
    m_assembler.Feed(chunk, count, lines);
    for (const std::string &line : lines) {
        Log("Received: %s", line.c_str());
        DispatchReceivedLine(line);
        // The line, or something done while the user interface was pumped,
        // may have closed the session or its connection: what is left of
        // the burst belongs to no one.
        if (!IsSameConnection(connection))
            return false;
        PumpUserInterface();
        if (!IsSameConnection(connection))
            return false;
    }
    return !m_closeAfterReceive;
}

bool Session::IsSameConnection(unsigned connection) const
{
    return !m_deleteWhenIdle && !m_shutdown && connection == m_connectionNumber;
}

void Session::DispatchReceivedLine(const std::string &raw)
{
    DispatchServerLine(ServerLineToUtf8(raw));
}

void Session::PumpUserInterface()
{
    // The user interface keeps painting and taking input during a long burst;
    // socket notifications wait, so no second receive enters. Pumping once a
    // frame rather than once a line keeps a flood from repainting per line.
    if (!QCoreApplication::instance())
        return;
    if (m_lastPump.isValid() && m_lastPump.elapsed() < kPumpIntervalMs)
        return;
    QCoreApplication::processEvents(QEventLoop::ExcludeSocketNotifiers);
    m_lastPump.start();
}
