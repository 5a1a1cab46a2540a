#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

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
    // fifth word on; line: the whole MODE line (its prefix names who set a ban,
    // its fifth word is the mask of a removed ban). now: seconds since 1970.
    void ApplyModes(const std::string &modes, const std::string &parameters, const std::string &line, int64_t now);

    bool HasMode(char flag) const; // t n i m k l p s
    const std::string &Key() const { return m_key; }
    int Limit() const { return m_limit; }

    // Entries "mask setter seconds 0".
    const std::vector<std::string> &BanList() const { return m_bans; }
    // Adds "mask setter time 0" unless an equal entry is listed (or the mask is empty).
    void AddBan(const std::string &mask, const std::string &setter, int64_t time);
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
    std::vector<std::string> m_bans;
};
