#include "session/JoinBatch.h"

#include <algorithm>

#include "session/MessageSplit.h"
#include "text/CaseFold.h"

namespace {

std::vector<std::string> SplitAtCommas(const std::string &text)
{
    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= text.size()) {
        const size_t comma = std::min(text.find(',', start), text.size());
        parts.push_back(text.substr(start, comma - start));
        start = comma + 1;
    }
    return parts;
}

// "JOIN " and the blank before the keys, and the closing CR LF.
constexpr size_t kLineOverhead = 5 + 1 + 2;

class LineBuilder
{
public:
    bool Fits(const std::string &name, const std::string &key) const
    {
        if (m_names.empty())
            return true;
        size_t size = kLineOverhead + m_names.size() + 1 + name.size() + m_keys.size();
        if (!key.empty())
            size += (m_keys.empty() ? 0 : 1) + key.size();
        return size <= MessageSplit::kMaxLineBytes;
    }
    void Add(const std::string &name, const std::string &key)
    {
        m_names += (m_names.empty() ? "" : ",") + name;
        if (!key.empty())
            m_keys += (m_keys.empty() ? "" : ",") + key;
    }
    bool IsEmpty() const { return m_names.empty(); }
    std::string Take()
    {
        std::string line = "JOIN " + m_names;
        if (!m_keys.empty())
            line += " " + m_keys;
        m_names.clear();
        m_keys.clear();
        return line;
    }

private:
    std::string m_names;
    std::string m_keys;
};

} // namespace

void JoinBatch::Add(const std::string &channels, const std::string &keys)
{
    const std::vector<std::string> names = SplitAtCommas(channels);
    const std::vector<std::string> givenKeys = keys.empty() ? std::vector<std::string>() : SplitAtCommas(keys);
    for (size_t i = 0; i < names.size(); ++i)
        AddOne(names[i], i < givenKeys.size() ? givenKeys[i] : std::string());
}

void JoinBatch::AddOne(const std::string &name, const std::string &key)
{
    if (name.empty())
        return;
    const auto same = [&](const Channel &channel) { return EqualIgnoringCase(channel.name, name); };
    const auto found = std::find_if(m_channels.begin(), m_channels.end(), same);
    if (found == m_channels.end())
        m_channels.push_back({name, key});
    else if (found->key.empty())
        found->key = key;
}

std::vector<std::string> JoinBatch::Lines() const
{
    // A key belongs to the channel at its place in the list: keyed channels
    // go first, so that the keyless ones after them need no placeholder.
    std::vector<Channel> ordered = m_channels;
    std::stable_partition(ordered.begin(), ordered.end(), [](const Channel &channel) { return !channel.key.empty(); });

    std::vector<std::string> lines;
    LineBuilder builder;
    for (const Channel &channel : ordered) {
        if (!builder.Fits(channel.name, channel.key))
            lines.push_back(builder.Take());
        builder.Add(channel.name, channel.key);
    }
    if (!builder.IsEmpty())
        lines.push_back(builder.Take());
    return lines;
}
