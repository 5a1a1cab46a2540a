#pragma once

#include <ostream>

#include "conversation/BanEntry.h"
#include "session/IgnoreEntry.h"

// How a failed expectation shows the program's records: field by field.
inline void PrintTo(const BanEntry &ban, std::ostream *out)
{
    *out << "{mask \"" << ban.mask << "\", setter \"" << ban.setter << "\", since " << ban.since << ", minutes "
         << ban.minutes << "}";
}

inline void PrintTo(const IgnoreEntry &entry, std::ostream *out)
{
    *out << "{host \"" << entry.host << "\", flags " << entry.flags << ", minutes " << entry.minutes << ", since "
         << entry.since << "}";
}
