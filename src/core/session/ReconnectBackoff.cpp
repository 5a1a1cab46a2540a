#include "session/ReconnectBackoff.h"

#include <random>

int64_t ReconnectBackoff::WaitAfter(int failures)
{
    if (failures <= 1)
        return 0;
    int64_t wait = FirstWaitMs;
    for (int i = 2; i < failures && wait < MostWaitMs; ++i)
        wait *= 2;
    return wait < MostWaitMs ? wait : MostWaitMs;
}

void ReconnectBackoff::Registered(int64_t nowMs)
{
    m_registeredAtMs = nowMs;
}

void ReconnectBackoff::Lost(int64_t nowMs)
{
    if (m_registeredAtMs >= 0 && nowMs - m_registeredAtMs >= LastingMs)
        m_failures = 0;
    m_registeredAtMs = -1;
    ++m_failures;
    const int64_t wait = WaitAfter(m_failures);
    m_nextAttemptMs = nowMs + wait + static_cast<int64_t>(static_cast<double>(wait) / 5 * NextRandom());
}

void ReconnectBackoff::Reset()
{
    m_failures = 0;
    m_nextAttemptMs = 0;
    m_registeredAtMs = -1;
}

double ReconnectBackoff::NextRandom()
{
    if (m_random)
        return m_random();
    static std::minstd_rand generator(std::random_device{}());
    return std::uniform_real_distribution<double>(0.0, 1.0)(generator);
}
