#include "session/SendQueue.h"

#include <algorithm>

#include "text/CaseFold.h"
#include "text/Words.h"

void SendQueue::Configure(int burst, int intervalMs)
{
    m_burst = std::max(burst, 1);
    m_intervalMs = std::max(intervalMs, 0);
}

SendQueue::Priority SendQueue::PriorityOf(const std::string &line, bool automatic)
{
    const std::string command = GetWord(line, 1);
    // A late PONG ends the connection as surely as a flood does; a QUIT
    // behind a queue of lines would keep the user waiting to leave.
    if (EqualIgnoringAsciiCase(command, "PONG") || EqualIgnoringAsciiCase(command, "QUIT"))
        return Priority::Immediate;
    return automatic ? Priority::Automatic : Priority::Typed;
}

bool SendQueue::Push(std::string bytes, Priority priority)
{
    if (priority != Priority::Immediate && Size() >= kMaxLines)
        return false;
    switch (priority) {
    case Priority::Immediate:
        m_immediate.push_back(std::move(bytes));
        break;
    case Priority::Typed:
        m_typed.push_back(std::move(bytes));
        break;
    case Priority::Automatic:
        m_automatic.push_back(std::move(bytes));
        break;
    }
    return true;
}

std::vector<std::string> SendQueue::TakeDue(int64_t nowMs)
{
    std::vector<std::string> due;
    while (!m_immediate.empty()) {
        due.push_back(std::move(m_immediate.front()));
        m_immediate.pop_front();
        NoteSent(nowMs);
    }
    for (std::deque<std::string> *queue : {&m_typed, &m_automatic}) {
        while (!queue->empty() && MayGo(nowMs)) {
            due.push_back(std::move(queue->front()));
            queue->pop_front();
            NoteSent(nowMs);
        }
    }
    return due;
}

int64_t SendQueue::WaitMs(int64_t nowMs) const
{
    if (IsEmpty())
        return -1;
    if (!m_immediate.empty() || MayGo(nowMs))
        return 0;
    const int64_t ahead = static_cast<int64_t>(m_burst - 1) * m_intervalMs;
    return m_busyUntilMs - ahead - nowMs;
}

void SendQueue::Clear()
{
    m_immediate.clear();
    m_typed.clear();
    m_automatic.clear();
    m_busyUntilMs = 0;
}

bool SendQueue::MayGo(int64_t nowMs) const
{
    if (!IsPacing())
        return true;
    return m_busyUntilMs - nowMs <= static_cast<int64_t>(m_burst - 1) * m_intervalMs;
}

void SendQueue::NoteSent(int64_t nowMs)
{
    if (IsPacing())
        m_busyUntilMs = std::max(m_busyUntilMs, nowMs) + m_intervalMs;
}
