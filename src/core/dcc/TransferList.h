#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// One file transfer of this run, as the transfers window lists it.
struct Transfer
{
    enum class Direction { Receive, Send };
    // Waiting: offered or connecting, no byte moved yet. Failed carries the
    // reason in words (cancelled by the user is a failure too).
    enum class State { Waiting, Running, Done, Failed };

    int id = 0;
    Direction direction = Direction::Receive;
    std::string sessionKey;
    std::string nick;
    std::string path; // where the file is read from or saved to
    uint64_t size = 0;
    uint64_t done = 0; // bytes received, or acknowledged by the receiver
    int64_t startMs = 0;
    int64_t endMs = 0; // 0 while it has not ended
    State state = State::Waiting;
    std::string reason;

    bool HasEnded() const { return state == State::Done || state == State::Failed; }
};

// Every file transfer of this run, oldest first, with what is measured about
// it: bytes per second over the last kSpeedWindowMs and the time left at that
// speed. It knows nothing of sockets: whoever runs the transfers reports
// progress and ends (TransferFeed in the program), with the time of each
// report, so that the figures follow from the reports alone.
class TransferList
{
public:
    // Speed is measured over the reports of this last stretch of time.
    static constexpr int64_t kSpeedWindowMs = 5000;

    // A new transfer, waiting; returns its id (never 0).
    int Add(Transfer::Direction direction, const std::string &sessionKey, const std::string &nick,
            const std::string &path, uint64_t size, int64_t nowMs);
    // Bytes done by nowMs; the first byte makes a waiting transfer running.
    // Reports about an ended transfer are ignored.
    void Progress(int id, uint64_t done, int64_t nowMs);
    // The size became known (a send learns it when it opens its file).
    void SetSize(int id, uint64_t size);
    // The transfer ended: done, or failed with the reason in words.
    void End(int id, Transfer::State state, const std::string &reason, int64_t nowMs);
    // Removes the transfer (a newer one took its place).
    void Remove(int id);
    // Removes every ended transfer; returns how many went.
    int ClearFinished();

    int Count() const { return static_cast<int>(m_entries.size()); }
    const Transfer &At(int row) const { return m_entries[static_cast<size_t>(row)].transfer; }
    const Transfer *Find(int id) const;
    // Whether any transfer has not ended (waiting or running).
    bool HasRunning() const;

    // Bytes per second while running (0 until two reports lie apart in
    // time); the average over the whole transfer once it is done.
    double Speed(int id) const;
    // Seconds until the end at the present speed; nothing when the
    // transfer is not running or no speed is known yet.
    std::optional<int64_t> SecondsLeft(int id) const;
    // "0:42", "12:05", "3:07:15".
    static std::string FormatDuration(int64_t seconds);

    // Called after every change (not for progress reports: the window reads
    // those at its own pace).
    void SetListener(std::function<void()> listener) { m_listener = std::move(listener); }

private:
    struct Sample
    {
        int64_t ms;
        uint64_t done;
    };

    struct Entry
    {
        Transfer transfer;
        std::deque<Sample> samples;  // the reports within the speed window, oldest first
        std::optional<Sample> first; // the report that made it running
    };

    Entry *FindEntry(int id);
    const Entry *FindEntry(int id) const;
    void Changed() const;

    std::vector<Entry> m_entries;
    int m_nextId = 1;
    std::function<void()> m_listener;
};
