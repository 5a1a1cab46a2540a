#include "session/LineAssembler.h"

#include <cstring>

void LineAssembler::Feed(const char *data, size_t size, std::vector<std::string> &lines)
{
    // What follows a NUL in the same chunk is not part of the stream.
    if (const void *nul = std::memchr(data, '\0', size))
        size = static_cast<size_t>(static_cast<const char *>(nul) - data);

    size_t pos = 0;
    while (pos < size) {
        const void *found = std::memchr(data + pos, '\n', size - pos);
        if (!found) {
            Append(data + pos, size - pos);
            return;
        }
        const size_t lf = static_cast<size_t>(static_cast<const char *>(found) - data);
        Append(data + pos, lf - pos);
        EndLine(lines);
        pos = lf + 1;
    }
}

void LineAssembler::Clear()
{
    m_partial.clear();
    m_discarding = false;
}

void LineAssembler::Append(const char *data, size_t size)
{
    if (m_discarding || size == 0)
        return;
    if (m_partial.capacity() < MaxLine)
        m_partial.reserve(MaxLine);
    const bool tagged = (m_partial.empty() ? data[0] : m_partial.front()) == '@';
    const size_t room = (tagged ? MaxLine + MaxTags : MaxLine) - m_partial.size();
    if (size > room) {
        m_partial.append(data, room);
        m_discarding = true;
        return;
    }
    m_partial.append(data, size);
}

void LineAssembler::EndLine(std::vector<std::string> &lines)
{
    if (!m_partial.empty() && m_partial.back() == '\r' && !m_discarding)
        m_partial.pop_back();
    lines.push_back(m_partial);
    m_partial.clear();
    m_discarding = false;
}
