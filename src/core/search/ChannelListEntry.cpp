#include "search/ChannelListEntry.h"

#include "text/CaseFold.h"
#include "text/IrcCodes.h"

namespace {

size_t CharacterCount(const std::string &text)
{
    size_t count = 0;
    for (const char c : text) {
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
            ++count;
    }
    return count;
}

std::string PaddedRight(const std::string &text, size_t width)
{
    const size_t count = CharacterCount(text);
    return count >= width ? text : text + std::string(width - count, ' ');
}

std::string PaddedLeft(const std::string &text, size_t width)
{
    const size_t count = CharacterCount(text);
    return count >= width ? text : std::string(width - count, ' ') + text;
}

template <typename T>
int ThreeWay(const T &a, const T &b)
{
    return a < b ? -1 : (b < a ? 1 : 0);
}

} // namespace

ChannelListEntry ChannelListEntry::Make(std::string channel, uint32_t users, std::string topic)
{
    ChannelListEntry entry;
    entry.channelKey = FoldCase(channel);
    entry.channel = std::move(channel);
    entry.users = users;
    entry.shownTopic = StripCodes(topic);
    entry.topic = std::move(topic);
    entry.topicKey = FoldCase(entry.shownTopic.substr(0, entry.shownTopic.find(' ')));
    return entry;
}

int ChannelListEntry::Compare(Column column, const ChannelListEntry &a, const ChannelListEntry &b)
{
    switch (column) {
    case UsersColumn:
        return ThreeWay(a.users, b.users);
    case TopicColumn:
        return ThreeWay(a.topicKey, b.topicKey);
    case ChannelColumn:
        break;
    }
    return ThreeWay(a.channelKey, b.channelKey);
}

std::string ChannelListEntry::SavedLine() const
{
    return PaddedRight(channel, 15) + ' ' + PaddedLeft(std::to_string(users), 3) + ' ' + shownTopic + "\r\n";
}

bool ChannelListEntry::IsSingleChannel() const
{
    return !channel.empty() && channel.find(',') == std::string::npos;
}
