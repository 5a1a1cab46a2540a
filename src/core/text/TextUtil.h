#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Small text helpers: case-insensitive common prefix, sizes, times and the
// in-order match of the channel-list filter.

// Length in bytes of a's leading part that b shares, compared character by
// character without regard to case (UTF-8 aware: never ends inside a
// character; case folding by Unicode simple folding).
int CommonPrefixLength(std::string_view a, std::string_view b);
// "%d %s": up to 1024 "B", then "kB" (>> 10) below 1049600, "MB" (>> 20)
// below 1074790400, else "GB" (>> 30). 1048576 gives "1024 kB".
std::string FormatSize(uint64_t bytes);
// Decimal seconds since 1970 to the 24-character local-time form
// "Wed Jun 30 21:49:08 1993" (English names, as the C library writes them).
// Text that is not a number counts as 0; a time that cannot be shown gives "".
std::string TimeText(std::string_view seconds);
// The value of the leading decimal digits as an unsigned 32-bit count:
// 4294967295 for any larger value, 0 without leading digits ("-7", "").
uint32_t LeadingCount(std::string_view word);
// The last second of the year 9999: later times, and times before 1970, are
// taken as these bounds so that every time converts to a calendar date.
inline constexpr int64_t kLatestShownTime = 253402300799;
int64_t ClampShownTime(int64_t seconds);
// Local time of seconds since 1970 (clamped as above) as hour, minute and
// date: "9:5 (7.3.2026)" without leading zeros, or "09:05 (07.03.2026)" with
// them. "" when the time cannot be converted.
std::string ClockAndDateText(int64_t seconds, bool leadingZeros);
// True when every character of pattern occurs in text in the same order
// (case-sensitive); an empty pattern matches everything.
bool MatchesInOrder(std::string_view text, std::string_view pattern);
