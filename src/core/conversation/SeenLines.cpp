#include "conversation/SeenLines.h"

#include <functional>
#include <string>

SeenLines::Key SeenLines::KeyOf(int64_t time, int textClass, std::string_view text)
{
    std::string key = std::to_string(time);
    key += '\x1f';
    key += std::to_string(textClass);
    key += '\x1f';
    key += text;
    return std::hash<std::string>{}(key);
}

SeenLines::Key SeenLines::KeyOfId(std::string_view id)
{
    // Apart from every key of a line: those begin with the second's digits.
    return std::hash<std::string>{}("id\x1f" + std::string(id));
}

void SeenLines::Remember(Key key)
{
    if (!m_keys.insert(key).second)
        return;
    m_order.push_back(key);
    if (m_order.size() > 2 * kMostLines) {
        m_keys.erase(m_order.front());
        m_order.pop_front();
    }
}

void SeenLines::Note(int64_t time, int textClass, std::string_view text, std::string_view id)
{
    Remember(KeyOf(time, textClass, text));
    if (!id.empty())
        Remember(KeyOfId(id));
}

bool SeenLines::Has(int64_t time, int textClass, std::string_view text, std::string_view id) const
{
    if (!id.empty() && m_keys.count(KeyOfId(id)))
        return true;
    return m_keys.count(KeyOf(time, textClass, text)) > 0;
}

void SeenLines::Clear()
{
    m_keys.clear();
    m_order.clear();
}
