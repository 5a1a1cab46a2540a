#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

// The lines a session has for its server, paced so that the server never
// cuts the connection for flooding: a burst of Burst lines may go at once,
// after that one line every interval. Lines the user typed go before the
// lines the program sends by itself (joins, WHO polls, answers); lines that
// must never wait (PONG, QUIT) go at once and count toward the pace like any
// other. Within a priority the order is kept. The queue keeps no clock: the
// caller gives the time (milliseconds of a monotonic clock) to every call.
class SendQueue
{
public:
    enum class Priority { Immediate, Typed, Automatic };
    static constexpr int kDefaultBurst = 5;
    static constexpr int kDefaultIntervalMs = 2000;
    // Beyond this many waiting lines new ones are refused (a script looping
    // on a slow connection must not eat memory).
    static constexpr size_t kMaxLines = 10000;

    // intervalMs 0: no pacing, every line is due at once.
    void Configure(int burst, int intervalMs);
    int IntervalMs() const { return m_intervalMs; }
    bool IsPacing() const { return m_intervalMs > 0; }

    // PONG and QUIT never wait; anything else waits by the priority given.
    static Priority PriorityOf(const std::string &line, bool automatic);

    // Queues a line (its bytes as they go on the wire); false when the
    // queue is full and the line was dropped.
    bool Push(std::string bytes, Priority priority);
    // The lines that may go out at nowMs, in the order they are to be sent;
    // they leave the queue and count toward the pace.
    std::vector<std::string> TakeDue(int64_t nowMs);
    // Milliseconds from nowMs until the next waiting line is due; -1 when
    // nothing waits.
    int64_t WaitMs(int64_t nowMs) const;

    size_t Size() const { return m_typed.size() + m_automatic.size() + m_immediate.size(); }
    bool IsEmpty() const { return Size() == 0; }
    // Forgets the waiting lines and the pace (a new connection).
    void Clear();

private:
    bool MayGo(int64_t nowMs) const;
    void NoteSent(int64_t nowMs);

    int m_burst = kDefaultBurst;
    int m_intervalMs = kDefaultIntervalMs;
    // The time by which the server has digested what we sent: every line
    // moves it one interval on; a line may go while it is less than a burst
    // ahead of now.
    int64_t m_busyUntilMs = 0;
    std::deque<std::string> m_immediate;
    std::deque<std::string> m_typed;
    std::deque<std::string> m_automatic;
};
