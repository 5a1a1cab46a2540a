#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The message tags of a received line ("@time=...;msgid=1 :nick!u@h PRIVMSG
// ..."): keys with their values unescaped. Whatever the tags hold, the rest
// of the line is found and dispatched as if it had come without them.
//
// Bounded: tags past MaxBytes of the tag section are dropped, and so are tags
// past MaxTags; a malformed escape keeps the character after the backslash,
// a backslash at the end is dropped.
class MessageTags
{
public:
    static constexpr size_t MaxBytes = 8191;
    static constexpr size_t MaxTags = 256;

    // Parses the tags of a line that starts with "@" and returns what follows
    // them (without the blanks between); any other line comes back whole and
    // leaves the tags empty.
    static std::string_view Split(std::string_view line, MessageTags &tags);
    // "\:" ";", "\s" blank, "\\" "\", "\r" CR, "\n" LF, "\x" "x".
    static std::string Unescape(std::string_view raw);

    bool IsEmpty() const { return m_tags.empty(); }
    size_t Count() const { return m_tags.size(); }
    bool Has(std::string_view key) const;
    // The value of the key; empty when the key is missing or has none.
    std::string Value(std::string_view key) const;
    // The time the server gives in "time" (an ISO 8601 UTC time stamp) in
    // seconds since 1970; 0 when there is none or it cannot be read.
    int64_t ServerTime() const;
    void Clear() { m_tags.clear(); }

private:
    void Parse(std::string_view section);

    std::vector<std::pair<std::string, std::string>> m_tags;
};
