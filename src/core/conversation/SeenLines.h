#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string_view>
#include <unordered_set>

// The lines a window showed last, remembered by a hash of their second,
// text class and text, and by the server's id of each that had one: what a
// bouncer plays back again is known by it. Holds 2 * kMostLines keys at most
// (a line with an id takes two); the oldest is forgotten first.
class SeenLines
{
public:
    static constexpr size_t kMostLines = 1000;

    // time: seconds since 1970; id: the server's msgid, may be empty.
    void Note(int64_t time, int textClass, std::string_view text, std::string_view id);
    // Whether a noted line had this id (when id is not empty) or this second,
    // class and text.
    bool Has(int64_t time, int textClass, std::string_view text, std::string_view id) const;
    void Clear();

private:
    using Key = size_t;
    static Key KeyOf(int64_t time, int textClass, std::string_view text);
    static Key KeyOfId(std::string_view id);
    void Remember(Key key);

    std::unordered_set<Key> m_keys;
    std::deque<Key> m_order;
};
