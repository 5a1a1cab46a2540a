#include "input/InputHistory.h"

void InputHistory::Add(const std::string &line)
{
    m_entries.insert(m_entries.begin(), line);
    if (m_entries.size() > static_cast<size_t>(kMaxEntries))
        m_entries.pop_back();
    m_position = -1;
}

std::string InputHistory::Older()
{
    ++m_position;
    if (m_position > Count())
        m_position = 0;
    return Current();
}

std::string InputHistory::Newer()
{
    --m_position;
    if (m_position < 0)
        m_position = Count();
    return Current();
}

std::string InputHistory::At(int index) const
{
    if (index < 0 || index >= Count())
        return {};
    return m_entries[static_cast<size_t>(index)];
}

std::string InputHistory::Current() const
{
    return At(m_position);
}
