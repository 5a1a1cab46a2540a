#include "conversation/BanEntry.h"

bool BanEntry::IsOver(int64_t now) const
{
    return minutes > 0 && now > since + int64_t{minutes} * 60;
}
