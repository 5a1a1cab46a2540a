#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "session/PendingRequest.h"

// The private messages and DCC offers of a session that wait for the user's
// answer to the question dialog, in the order they came.
//
// Bounded per sender and in all, so that one sender's flood can never push
// out someone else's message; the user is told once when lines are dropped.
class PendingRequests
{
public:
    static constexpr size_t kMaxPerSender = 100;
    static constexpr size_t kMaxEntries = 500;

    // Queues a request; false when its sender already has kMaxPerSender
    // requests or the list is full. The first drop for that sender (or for
    // the full list) since it last had room sets `notice` to the line to
    // show the user; otherwise `notice` is left empty.
    bool Add(PendingRequest request, std::string &notice);

    // Removes the requests the answer to the question settles and returns
    // them in order.
    std::vector<PendingRequest> TakeSettled(const Question &question);

    size_t size() const { return m_entries.size(); }
    bool empty() const { return m_entries.empty(); }
    const PendingRequest &operator[](size_t index) const { return m_entries[index]; }

private:
    std::vector<PendingRequest> m_entries;
    std::map<std::string, size_t> m_countOf; // entries per folded nick
    std::set<std::string> m_toldSenders;     // folded nicks whose drops were told; at most kMaxEntries / kMaxPerSender
    bool m_toldFull = false;
};
