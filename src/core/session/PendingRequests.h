#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

// The private messages and DCC offers of a session that wait for the user's
// answer to the question dialog. Entries are texts "%d %lld %s %s": kind (1
// private message, 2 DCC chat, 4 DCC file), time in seconds since 1970,
// sender's nick, and the message or the command that accepts the offer.
//
// Bounded per sender and in all, so that one sender's flood can never push
// out someone else's message; the user is told once when lines are dropped.
class PendingRequests
{
public:
    static constexpr size_t kMaxPerSender = 100;
    static constexpr size_t kMaxEntries = 500;

    // Queues an entry; false when the sender already has kMaxPerSender
    // entries or the list is full. The first drop for that sender (or for
    // the full list) since it last had room sets `notice` to the line to
    // show the user; otherwise `notice` is left empty.
    bool Add(int kind, int64_t time, const std::string &nick, const std::string &data, std::string &notice);

    // Removes the entries for which match is true and returns them in order.
    std::vector<std::string> Take(const std::function<bool(const std::string &entry)> &match);

    size_t size() const { return m_entries.size(); }
    bool empty() const { return m_entries.empty(); }
    const std::string &operator[](size_t index) const { return m_entries[index]; }

private:
    std::vector<std::string> m_entries;
    std::map<std::string, size_t> m_countOf; // entries per folded nick
    std::set<std::string> m_toldSenders;     // folded nicks whose drops were told; at most kMaxEntries / kMaxPerSender
    bool m_toldFull = false;
};
