#include "session/CtcpRateLimit.h"

#include <algorithm>
#include <chrono>

bool CtcpRateLimit::Allow(int64_t nowMs)
{
    if (!m_started || nowMs < m_lastRefillMs) { // first use, or a clock that went back
        m_started = true;
        m_lastRefillMs = nowMs;
    }
    const int64_t refills = (nowMs - m_lastRefillMs) / RefillMs;
    if (refills > 0) {
        m_tokens = static_cast<int>(std::min<int64_t>(Burst, m_tokens + refills));
        m_lastRefillMs += refills * RefillMs;
    }
    if (m_tokens == Burst)
        m_lastRefillMs = nowMs; // a full bucket does not save up time
    if (m_tokens <= 0) {
        ++m_dropped;
        return false;
    }
    --m_tokens;
    m_dropped = 0;
    return true;
}

int64_t CtcpRateLimit::NowMs() const
{
    if (m_clock)
        return m_clock();
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}
