#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "conversation/BanEntry.h"
#include "conversation/ModeRules.h"

// The state of one channel as the server reports it: topic and its history,
// modes t n i m k l p s with the key and the member limit, and the ban list.
class ChannelState
{
public:
    static constexpr size_t MaxTopicHistory = 100;
    static constexpr size_t MaxKeyLength = 1027;

    // Stores the topic (already stripped of formatting bytes) and appends it to
    // the history, dropping the oldest entry beyond MaxTopicHistory.
    void SetTopic(const std::string &topic);
    const std::string &Topic() const { return m_topic; }
    const std::deque<std::string> &TopicHistory() const { return m_topicHistory; }

    // Applies a MODE change. parameters: the words of the MODE line from its
    // fifth word on, each belonging to a letter as the server's rules count
    // them; line: the whole MODE line (its prefix names who set a ban).
    // now: seconds since 1970. Status letters (o, v, ...) only use up their
    // parameter: the nick list keeps the statuses.
    void ApplyModes(const std::string &modes, const std::string &parameters, const std::string &line, int64_t now,
                    const ModeRules &rules = ModeRules::Defaults());

    bool HasMode(char flag) const; // t n i m k l p s
    const std::string &Key() const { return m_key; }
    int Limit() const { return m_limit; }

    // The bans in the order the server reported them.
    const std::vector<BanEntry> &BanList() const { return m_bans; }
    // The first ban of mask, or null.
    const BanEntry *FindBan(const std::string &mask) const;
    // Adds a ban lasting for always unless an equal one is listed (or the
    // mask is empty). A time outside 1970 .. 9999 is taken as the nearer bound.
    void AddBan(const std::string &mask, const std::string &setter, int64_t time);
    // Gives the first ban of mask a duration in minutes (negative: 0);
    // false when no ban has that mask.
    bool SetBanDuration(const std::string &mask, int minutes);
    // Takes the bans whose duration is over at now out of the list and
    // returns their masks.
    std::vector<std::string> TakeExpiredBans(int64_t now);
    // What the ban list dialog shows for a duration: "Vždy" for 0, else the
    // minutes, a blank and "(minút)".
    static std::string DurationText(int minutes);
    void ClearBans() { m_bans.clear(); }
    // Forgets modes, key, limit and bans (the topic and its history stay).
    void ResetModes();

private:
    void SetFlag(char flag, bool on);
    void RemoveBan(const std::string &mask);

    std::string m_topic;
    std::deque<std::string> m_topicHistory;
    bool m_t = false, m_n = false, m_i = false, m_m = false, m_k = false, m_l = false, m_p = false, m_s = false;
    std::string m_key;
    int m_limit = 0;
    std::vector<BanEntry> m_bans;
};
