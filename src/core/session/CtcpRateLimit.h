#pragma once

#include <cstdint>
#include <functional>

// Paces the answers a session gives to CTCP requests, so that a burst of
// requests (a "CTCP flood") cannot make us send more than the server lets a
// client send before it disconnects it for flooding. A bucket of Burst
// answers that refills by one every RefillMs; a request that finds the bucket
// empty is not answered.
class CtcpRateLimit
{
public:
    static constexpr int Burst = 4;
    static constexpr int64_t RefillMs = 2000;

    // Whether an answer may go out at nowMs (a monotonic clock in
    // milliseconds); takes one answer from the bucket when it may.
    bool Allow(int64_t nowMs);
    // Allow at the limiter's clock.
    bool AllowNow() { return Allow(NowMs()); }

    // The clock AllowNow reads, in milliseconds: the steady clock unless a
    // test sets its own (null restores the steady clock). Each session has
    // its own limiter, so a test's clock ends with its session.
    using Clock = std::function<int64_t()>;
    void SetClock(Clock clock) { m_clock = std::move(clock); }
    int64_t NowMs() const;
    // Requests refused since the last answer that went out.
    int Dropped() const { return m_dropped; }

private:
    int m_tokens = Burst;
    int64_t m_lastRefillMs = 0;
    bool m_started = false;
    int m_dropped = 0;
    Clock m_clock;
};
