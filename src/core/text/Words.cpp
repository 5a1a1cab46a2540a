#include "text/Words.h"

#include <algorithm>

namespace {

struct WordSpan
{
    size_t start = 0;
    size_t end = 0;
};

// Finds word n (1-based) across the whole text; false when the text has fewer
// words.
bool FindWord(std::string_view text, int n, WordSpan &span)
{
    if (n < 1)
        return false;
    size_t start = 0;
    for (int word = 1; word < n; ++word) {
        const size_t blank = text.find(' ', start);
        if (blank == std::string_view::npos)
            return false;
        start = blank + 1;
    }
    const size_t blank = text.find(' ', start);
    span.start = start;
    span.end = blank == std::string_view::npos ? text.size() : blank;
    return true;
}

std::string_view CountedRegion(std::string_view text)
{
    size_t end = text.find('\n');
    if (end == std::string_view::npos)
        end = text.find('\r');
    return end == std::string_view::npos ? text : text.substr(0, end);
}

} // namespace

int CountWords(std::string_view text)
{
    const std::string_view region = CountedRegion(text);
    return 1 + static_cast<int>(std::count(region.begin(), region.end(), ' '));
}

std::string GetWord(std::string_view text, int n)
{
    if (n < 1 || CountWords(text) < n)
        return {};
    WordSpan span;
    if (!FindWord(text, n, span))
        return {};
    return std::string(text.substr(span.start, span.end - span.start));
}

std::string GetWordAt(std::string_view text, int n, int &position)
{
    position = -1;
    WordSpan span;
    if (!FindWord(text, n, span) || span.end == span.start)
        return {};
    position = static_cast<int>(span.start);
    return std::string(text.substr(span.start, span.end - span.start));
}

std::string GetRest(std::string_view text, int n)
{
    if (n < 1 || CountWords(text) < n)
        return {};
    WordSpan span;
    if (!FindWord(text, n, span))
        return {};
    return std::string(text.substr(span.start));
}

std::string ReplaceWord(std::string_view text, int n, std::string_view replacement)
{
    const int count = CountWords(text);
    std::string result;
    result.reserve(text.size() + replacement.size());
    size_t start = 0;
    for (int word = 1; word <= count; ++word) {
        size_t end = text.find(' ', start);
        if (end == std::string_view::npos)
            end = text.size();
        if (word > 1)
            result += ' ';
        if (word == n)
            result += replacement;
        else
            result.append(text.data() + start, end - start);
        start = std::min(end + 1, text.size());
    }
    return result;
}

bool GetLine(std::string_view text, int n, std::string &out)
{
    if (n < 0)
        return false;
    size_t start = 0;
    for (int line = 0; line < n; ++line) {
        const size_t cr = text.find('\r', start);
        if (cr == std::string_view::npos)
            return false;
        start = cr + 1;
    }
    size_t end = text.find('\r', start);
    if (end == std::string_view::npos)
        end = text.size();
    const size_t before = out.size();
    for (size_t pos = start; pos < end; ++pos) {
        if (text[pos] != '\n')
            out += text[pos];
    }
    return out.size() != before;
}

std::string NickFromPrefix(std::string_view prefix)
{
    if (!prefix.empty() && prefix.front() == ':')
        prefix.remove_prefix(1);
    size_t end = prefix.find('!');
    if (end == std::string_view::npos)
        end = prefix.find(' ');
    return std::string(prefix.substr(0, end));
}

std::string HostFromPrefix(std::string_view prefix)
{
    const size_t at = prefix.find('@');
    if (at == std::string_view::npos)
        return {};
    const std::string_view host = prefix.substr(at + 1);
    return std::string(host.substr(0, host.find(' ')));
}

std::string StripColon(std::string_view text)
{
    if (!text.empty() && text.front() == ':')
        text.remove_prefix(1);
    return std::string(text);
}
