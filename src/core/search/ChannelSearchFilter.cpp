#include "search/ChannelSearchFilter.h"

#include "search/ChannelListEntry.h"
#include "text/TextUtil.h"

namespace {

// A non-empty filter never matches an empty text.
bool Matches(std::string_view text, const std::string &filter)
{
    return filter.empty() || (!text.empty() && MatchesInOrder(text, filter));
}

} // namespace

bool ChannelSearchFilter::Passes(const ChannelListEntry &entry) const
{
    if (entry.users < static_cast<uint32_t>(minimum))
        return false;
    if (!inNames && !inTopics && !inEither)
        return true;
    const bool inName = (inNames || inEither) && Matches(entry.channel, text);
    const bool inTopic = (inTopics || inEither) && Matches(entry.shownTopic, text);
    return inName || inTopic;
}

int32_t ChannelSearchFilter::ReadMinimum(std::string_view text)
{
    size_t at = text.find_first_not_of(' ');
    if (at == std::string_view::npos)
        return 0;
    const bool negative = text[at] == '-';
    if (negative)
        ++at;
    int64_t value = 0;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
        value = value * 10 + (text[at] - '0');
        if (value > INT32_MAX)
            return 0;
    }
    return static_cast<int32_t>(negative ? -value : value);
}
