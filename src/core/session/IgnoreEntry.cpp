#include "session/IgnoreEntry.h"

#include "text/CaseFold.h"
#include "text/StrPrintf.h"

bool IgnoreEntry::IsFor(const std::string &address) const
{
    return EqualIgnoringCase(host, address);
}

bool IgnoreEntry::IsOver(int64_t now) const
{
    return minutes != 0 && now > since + int64_t{minutes} * 60;
}

std::string IgnoreEntry::Format() const
{
    return StrPrintf("%s %d %d %lld", host.c_str(), flags, minutes, static_cast<long long>(since));
}
