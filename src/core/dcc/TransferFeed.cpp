#include "dcc/TransferFeed.h"

#include <QDateTime>

#include <algorithm>

#include "dcc/DirectConnect.h"
#include "text/Strings.h"

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
    // A connection says Closed only once it has judged its end. The user's
    // cancel reads as such even when the last bytes went meanwhile.
    const TransferEnd &end = connection.End();
    if (watched->cancelled)
        m_list.End(id, Transfer::State::Failed, Strings::Get(Str::TransferCancelled), now);
    else if (end.IsDone())
        m_list.End(id, Transfer::State::Done, std::string(), now);
    else
        m_list.End(id, Transfer::State::Failed, end.ReasonText(), now);
    if (!m_list.HasRunning())
        m_sampler.stop();
}

TransferFeed::Watched *TransferFeed::FindWatched(int id)
{
    auto it = std::find_if(m_watched.begin(), m_watched.end(), [id](const Watched &w) { return w.id == id; });
    return it == m_watched.end() ? nullptr : &*it;
}

uint64_t TransferFeed::BytesDone(const DirectConnect &connection)
{
    // What the receiver has confirmed, not what left for the socket.
    return connection.GetMode() == DirectConnect::FileReceive ? connection.Received() : connection.Acknowledged();
}
