#pragma once

#include <cstdint>
#include <string>
#include <string_view>

struct ChannelListEntry;

// Which channels of the list the search window shows: those with at least
// the minimum of users (both read as unsigned 32-bit numbers, so a negative
// minimum hides every channel) whose name, topic, or either holds the
// characters of the filter text in order (case matters: "abc" is in
// "#a1b2c3", not in "#cab"). With none of the three places chosen the text
// does not matter.
struct ChannelSearchFilter
{
    std::string text;
    bool inNames = true;
    bool inTopics = true;
    bool inEither = false;
    int32_t minimum = 0;

    bool Passes(const ChannelListEntry &entry) const;

    // The minimum as typed: an optional "-" and the leading digits after
    // any blanks; 0 for text that does not begin so or does not fit.
    static int32_t ReadMinimum(std::string_view text);

    bool operator==(const ChannelSearchFilter &) const = default;
};
