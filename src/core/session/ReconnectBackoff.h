#pragma once

#include <cstdint>
#include <functional>

// When a lost connection is tried again. The first attempt after a loss
// goes at once (at the next tick); each further attempt that fails doubles
// the wait: 10 s, 20 s, 40 s ... at most 5 minutes, each with up to a fifth
// more at random, so that many clients a server dropped do not all return
// at the same moment. A connection that was registered for at least
// LastingMs starts the count anew.
class ReconnectBackoff
{
public:
    static constexpr int64_t FirstWaitMs = 10000;
    static constexpr int64_t MostWaitMs = 300000;
    static constexpr int64_t LastingMs = 60000;

    // The server welcomed us at nowMs.
    void Registered(int64_t nowMs);
    // The connection or the attempt ended at nowMs.
    void Lost(int64_t nowMs);
    // Whether a new attempt may start at nowMs.
    bool IsDue(int64_t nowMs) const { return nowMs >= m_nextAttemptMs; }
    // The next attempt may start at once, and the count starts anew.
    void Reset();

    int Failures() const { return m_failures; }
    int64_t NextAttemptMs() const { return m_nextAttemptMs; }
    // The wait after that many consecutive failures, without the random part.
    static int64_t WaitAfter(int failures);

    // A number in [0, 1) for the random part; a test may fix it.
    using Random = std::function<double()>;
    void SetRandom(Random random) { m_random = std::move(random); }

private:
    double NextRandom();

    int m_failures = 0;
    int64_t m_nextAttemptMs = 0;
    int64_t m_registeredAtMs = -1;
    Random m_random;
};
