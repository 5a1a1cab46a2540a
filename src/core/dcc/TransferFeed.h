#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "dcc/TransferList.h"

class DirectConnect;

// Keeps the transfer list up to date with the file transfers of the direct
// connections: a record for each one watched, its bytes read every kSampleMs
// while any runs, and its end (with the reason) when the connection closes.
class TransferFeed : public QObject
{
    Q_OBJECT

public:
    static constexpr int kSampleMs = 500;

    explicit TransferFeed(TransferList &list);
    ~TransferFeed() override;

    // Lists a file transfer (before it starts) and follows it; its id.
    int Watch(DirectConnect &connection);
    // Asks the transfer to end (from the event loop, never inside the
    // caller's handler); it then ends as cancelled. False when it has ended.
    bool Cancel(int id);
    // Removes the ended transfers from the list, or one transfer.
    int ClearFinished();
    void Remove(int id);
    // Reads the bytes of every running transfer now.
    void SampleAll();
    // Where the times of the reports come from (milliseconds); the wall
    // clock unless a test sets another.
    void SetClock(std::function<int64_t()> clock) { m_clock = std::move(clock); }

    TransferList &List() { return m_list; }

signals:
    // A transfer was listed (the first of a run opens the transfers window).
    void Added(int id);
    // A transfer was listed, started, ended or removed.
    void ListChanged();

private:
    struct Watched
    {
        int id = 0;
        QPointer<DirectConnect> connection;
        bool cancelled = false;
    };

    void Ended(int id);
    Watched *FindWatched(int id);
    static uint64_t BytesDone(const DirectConnect &connection);

    TransferList &m_list;
    std::vector<Watched> m_watched;
    QTimer m_sampler;
    std::function<int64_t()> m_clock;
};
