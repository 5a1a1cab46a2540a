#pragma once

#include <cstdint>
#include <string>

// One ban of a channel's ban list, as the server reported it, with how long
// the user wants it to last.
struct BanEntry
{
    std::string mask;   // nick!user@host with wildcards; never empty
    std::string setter; // who set it; empty when the server did not say
    int64_t since = 0;  // when it was set, seconds since 1970
    int minutes = 0;    // how long it lasts; 0 for always

    // Whether its time (minutes above 0) is over at now.
    bool IsOver(int64_t now) const;

    bool operator==(const BanEntry &other) const = default;
};
