#include "session/MessageSplit.h"

#include <algorithm>

#include "text/Strings.h"

namespace MessageSplit {

namespace {

// How far back from a cut a blank is looked for: far enough to keep most
// words whole, near enough that a line is not left much shorter than it
// could be.
constexpr size_t kBlankReach = 80;

bool IsContinuationByte(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// The end of a character that starts at `at`.
size_t CharacterEnd(std::string_view text, size_t at)
{
    size_t end = at + 1;
    while (end < text.size() && IsContinuationByte(text[end]))
        ++end;
    return end;
}

// Where a part that starts at `from` ends when more than maxBytes (> 0) of
// text are left: at most maxBytes on, at the start of a character and, when
// a blank is near, before that blank.
size_t PartEnd(std::string_view text, size_t from, size_t maxBytes)
{
    const size_t limit = from + maxBytes;
    // A UTF-8 character has at most three continuation bytes; more in a row
    // is not UTF-8, and is cut where the limit falls.
    size_t cut = limit;
    for (int back = 0; back < 3 && cut > from && IsContinuationByte(text[cut]); ++back)
        --cut;
    if (IsContinuationByte(text[cut]))
        cut = limit;
    else if (cut == from)
        return CharacterEnd(text, from); // one character longer than a part

    const size_t reach = std::min(kBlankReach, maxBytes / 2);
    for (size_t at = cut; at > from && cut - at <= reach; --at) {
        if (text[at] == ' ')
            return at;
    }
    return cut;
}

} // namespace

size_t TextBudget(size_t prefixLength, std::string_view command, std::string_view target)
{
    // ':' prefix ' ' command ' ' target " :" text CR LF
    const size_t frame = 1 + prefixLength + 1 + command.size() + 1 + target.size() + 2 + 2;
    return frame < kMaxLineBytes ? kMaxLineBytes - frame : 0;
}

std::vector<std::string> SplitText(std::string_view text, size_t maxBytes)
{
    std::vector<std::string> parts;
    size_t from = 0;
    while (text.size() - from > maxBytes) {
        const size_t end = maxBytes == 0 ? CharacterEnd(text, from) : PartEnd(text, from, maxBytes);
        parts.emplace_back(text.substr(from, end - from));
        from = end;
    }
    if (from < text.size() || parts.empty())
        parts.emplace_back(text.substr(from));
    return parts;
}

std::string LineTooLongText(size_t bytes)
{
    return Strings::Format(Str::LineNotSent, static_cast<int>(bytes), static_cast<int>(kMaxLineBytes));
}

} // namespace MessageSplit
