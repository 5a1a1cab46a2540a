#pragma once

#include <cstdint>
#include <string>

// One entry of a session's ignore list: an ignored address, the kinds of
// traffic dropped from it and for how long.
struct IgnoreEntry
{
    std::string host;  // the host part of nick!user@host; never empty, never a blank
    int flags = 0;     // IgnoreList::Flags ORed; 0 is everything
    int minutes = 0;   // how long the entry lasts; 0 for always
    int64_t since = 0; // when it was made, seconds since 1970

    // Whether it names this address (any case).
    bool IsFor(const std::string &address) const;
    // Whether its time (minutes other than 0) is over at now.
    bool IsOver(int64_t now) const;
    // The line "/ignore list" prints: "host flags minutes since".
    std::string Format() const;

    bool operator==(const IgnoreEntry &other) const = default;
};
