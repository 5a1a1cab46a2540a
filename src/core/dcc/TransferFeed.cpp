#include "dcc/TransferFeed.h"

#include <QDateTime>
#include <QFileInfo>

#include <algorithm>

#include "dcc/DirectConnect.h"
#include "text/Strings.h"
#include "text/TextUtil.h"

TransferFeed::TransferFeed(TransferList &list)
    : m_list(list), m_clock([] { return QDateTime::currentMSecsSinceEpoch(); })
{
    m_sampler.setInterval(kSampleMs);
    connect(&m_sampler, &QTimer::timeout, this, &TransferFeed::SampleAll);
    m_list.SetListener([this] { emit ListChanged(); });
}

TransferFeed::~TransferFeed()
{
    m_list.SetListener(nullptr);
}

int TransferFeed::Watch(DirectConnect &connection)
{
    const bool receiving = connection.GetMode() == DirectConnect::FileReceive;
    // A send learns its size when it opens the file: the list reads it again below.
    const int id =
        m_list.Add(receiving ? Transfer::Direction::Receive : Transfer::Direction::Send, connection.SessionKey(),
                   connection.PeerName(), connection.Path(), connection.Size(), m_clock());
    m_watched.push_back({id, &connection});
    connect(&connection, &DirectConnect::Closed, this, [this, id] { Ended(id); });
    if (!m_sampler.isActive())
        m_sampler.start();
    emit Added(id);
    return id;
}

bool TransferFeed::Cancel(int id)
{
    Watched *watched = FindWatched(id);
    if (!watched || !watched->connection || watched->connection->IsClosed())
        return false;
    watched->cancelled = true;
    watched->connection->Cancel();
    return true;
}

int TransferFeed::ClearFinished()
{
    const int removed = m_list.ClearFinished();
    std::erase_if(m_watched, [this](const Watched &watched) { return !m_list.Find(watched.id); });
    return removed;
}

void TransferFeed::Remove(int id)
{
    m_list.Remove(id);
    std::erase_if(m_watched, [id](const Watched &watched) { return watched.id == id; });
}

void TransferFeed::SampleAll()
{
    const int64_t now = m_clock();
    for (Watched &watched : m_watched) {
        DirectConnect *connection = watched.connection;
        if (!connection || connection->IsClosed())
            continue;
        watched.connected = watched.connected || connection->IsConnected();
        m_list.SetSize(watched.id, connection->Size());
        m_list.Progress(watched.id, BytesDone(*connection), now);
    }
    if (!m_list.HasRunning())
        m_sampler.stop();
}

void TransferFeed::Ended(int id)
{
    Watched *watched = FindWatched(id);
    if (!watched || !watched->connection)
        return;
    const DirectConnect &connection = *watched->connection;
    const int64_t now = m_clock();
    const uint64_t done = BytesDone(connection);
    m_list.SetSize(id, connection.Size());
    m_list.Progress(id, done, now);
    // The connection knows how it ended; a close it did not judge (none yet)
    // is read from what was seen of it.
    const TransferEnd &end = connection.End();
    const bool whole = end.IsDone()
        || (end.IsRunning() && done >= connection.Size() && (connection.Size() > 0 || watched->connected));
    if (whole && !watched->cancelled)
        m_list.End(id, Transfer::State::Done, std::string(), now);
    else if (end.IsFailed() && !watched->cancelled)
        m_list.End(id, Transfer::State::Failed, end.ReasonText(), now);
    else
        m_list.End(id, Transfer::State::Failed, FailureReason(connection, *watched, done), now);
    if (!m_list.HasRunning())
        m_sampler.stop();
}

TransferFeed::Watched *TransferFeed::FindWatched(int id)
{
    auto it = std::find_if(m_watched.begin(), m_watched.end(), [id](const Watched &w) { return w.id == id; });
    return it == m_watched.end() ? nullptr : &*it;
}

std::string TransferFeed::FailureReason(const DirectConnect &connection, const Watched &watched, uint64_t done)
{
    if (watched.cancelled)
        return Strings::Get(Str::TransferCancelled);
    const bool sending = connection.GetMode() == DirectConnect::FileSend;
    if (!watched.connected && done == 0) {
        if (sending && !QFileInfo(QString::fromStdString(connection.Path())).isReadable())
            return Strings::Get(Str::TransferUnreadable);
        return Strings::Get(sending ? Str::TransferNotAccepted : Str::TransferNotConnected);
    }
    return Strings::Format(Str::TransferInterrupted, FormatSize(done).c_str(), FormatSize(connection.Size()).c_str());
}

uint64_t TransferFeed::BytesDone(const DirectConnect &connection)
{
    // What the receiver has confirmed, not what left for the socket.
    return connection.GetMode() == DirectConnect::FileReceive ? connection.Received() : connection.Acknowledged();
}
