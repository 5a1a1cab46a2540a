#include "text/TextUtil.h"

#include "text/StrPrintf.h"

#include <QChar>

#include <climits>
#include <ctime>

namespace {

// Length of the UTF-8 sequence that starts at pos; a byte that does not start
// a complete, well-formed sequence counts as one character of its own.
size_t Utf8SequenceLength(std::string_view text, size_t pos)
{
    const unsigned char lead = static_cast<unsigned char>(text[pos]);
    size_t length = 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        length = 2;
    else if (lead >= 0xE0 && lead <= 0xEF)
        length = 3;
    else if (lead >= 0xF0 && lead <= 0xF4)
        length = 4;
    if (pos + length > text.size())
        return 1;
    for (size_t i = 1; i < length; ++i) {
        if ((static_cast<unsigned char>(text[pos + i]) & 0xC0) != 0x80)
            return 1;
    }
    return length;
}

// Code point of the sequence at pos (its length from Utf8SequenceLength).
// Stray bytes map to a private range so that they never equal a letter.
char32_t DecodeAt(std::string_view text, size_t pos, size_t length)
{
    const unsigned char lead = static_cast<unsigned char>(text[pos]);
    if (length == 1)
        return lead < 0x80 ? char32_t(lead) : char32_t(0xF0000 + lead);
    char32_t value = lead & (0x7F >> length);
    for (size_t i = 1; i < length; ++i)
        value = (value << 6) | (static_cast<unsigned char>(text[pos + i]) & 0x3F);
    return value;
}

char32_t FoldedAt(std::string_view text, size_t pos, size_t length)
{
    return QChar::toCaseFolded(DecodeAt(text, pos, length));
}

// atol-like: leading blanks, an optional sign, digits; anything else ends the
// number, no number is 0, and values past the range are clamped.
long long ParseSeconds(std::string_view text)
{
    size_t pos = 0;
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t'))
        ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '-' || text[pos] == '+'))
        negative = text[pos++] == '-';
    long long value = 0;
    for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos) {
        const int digit = text[pos] - '0';
        if (value > (LLONG_MAX - digit) / 10)
            return negative ? LLONG_MIN : LLONG_MAX;
        value = value * 10 + digit;
    }
    return negative ? -value : value;
}

bool ToLocalTime(std::time_t when, std::tm &local)
{
#ifdef _WIN32
    return localtime_s(&local, &when) == 0;
#else
    return localtime_r(&when, &local) != nullptr;
#endif
}

} // namespace

int CommonPrefixLength(std::string_view a, std::string_view b)
{
    size_t posA = 0;
    size_t posB = 0;
    while (posA < a.size() && posB < b.size()) {
        const size_t lengthA = Utf8SequenceLength(a, posA);
        const size_t lengthB = Utf8SequenceLength(b, posB);
        if (FoldedAt(a, posA, lengthA) != FoldedAt(b, posB, lengthB))
            break;
        posA += lengthA;
        posB += lengthB;
    }
    return static_cast<int>(posA);
}

std::string FormatSize(uint64_t bytes)
{
    const char *unit = "B";
    uint64_t value = bytes;
    if (bytes >= 1074790400ULL) {
        unit = "GB";
        value = bytes >> 30;
    } else if (bytes >= 1049600ULL) {
        unit = "MB";
        value = bytes >> 20;
    } else if (bytes > 1024ULL) {
        unit = "kB";
        value = bytes >> 10;
    }
    return StrPrintf("%llu %s", static_cast<unsigned long long>(value), unit);
}

std::string TimeText(std::string_view seconds)
{
    static const char kWeekdays[7][4] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static const char kMonths[12][4] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    std::tm local{};
    if (!ToLocalTime(static_cast<std::time_t>(ParseSeconds(seconds)), local))
        return {};
    if (local.tm_wday < 0 || local.tm_wday > 6 || local.tm_mon < 0 || local.tm_mon > 11)
        return {};
    // The C library's ctime layout, written here so that the names never
    // follow the user's locale.
    return StrPrintf("%s %s%3d %.2d:%.2d:%.2d %lld", kWeekdays[local.tm_wday], kMonths[local.tm_mon], local.tm_mday,
                     local.tm_hour, local.tm_min, local.tm_sec, static_cast<long long>(local.tm_year) + 1900);
}

uint32_t LeadingCount(std::string_view word)
{
    uint64_t value = 0;
    for (char c : word) {
        if (c < '0' || c > '9')
            break;
        value = value * 10 + static_cast<uint64_t>(c - '0');
        if (value > UINT32_MAX)
            return UINT32_MAX;
    }
    return static_cast<uint32_t>(value);
}

int64_t ClampShownTime(int64_t seconds)
{
    return seconds < 0 ? 0 : (seconds > kLatestShownTime ? kLatestShownTime : seconds);
}

std::string ClockAndDateText(int64_t seconds, bool leadingZeros)
{
    std::tm local{};
    if (!ToLocalTime(static_cast<std::time_t>(ClampShownTime(seconds)), local))
        return {};
    const char *format = leadingZeros ? "%02d:%02d (%02d.%02d.%04d)" : "%d:%d (%d.%d.%d)";
    return StrPrintf(format, local.tm_hour, local.tm_min, local.tm_mday, local.tm_mon + 1, local.tm_year + 1900);
}

bool MatchesInOrder(std::string_view text, std::string_view pattern)
{
    if (pattern.empty())
        return true;
    size_t textPos = 0;
    size_t patternPos = 0;
    // Whole characters are matched, so a letter's bytes never pair with the
    // bytes of different letters.
    while (patternPos < pattern.size()) {
        const size_t length = Utf8SequenceLength(pattern, patternPos);
        const size_t found = text.find(pattern.substr(patternPos, length), textPos);
        if (found == std::string_view::npos)
            return false;
        textPos = found + length;
        patternPos += length;
    }
    return true;
}
