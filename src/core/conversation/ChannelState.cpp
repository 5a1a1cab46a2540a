#include "conversation/ChannelState.h"

#include <algorithm>
#include <cstdlib>

#include "text/StrPrintf.h"
#include "text/Strings.h"
#include "text/TextUtil.h"
#include "text/Words.h"

namespace {

// A hostile server could send bans without end; the list stays bounded.
constexpr size_t MaxBans = 5000;

// The first ban of mask in a list, const or not.
template <typename Bans>
auto BanOf(Bans &bans, const std::string &mask)
{
    return std::find_if(bans.begin(), bans.end(), [&](const BanEntry &ban) { return ban.mask == mask; });
}

} // namespace

void ChannelState::SetTopic(const std::string &topic)
{
    m_topic = topic;
    m_topicHistory.push_back(topic);
    while (m_topicHistory.size() > MaxTopicHistory)
        m_topicHistory.pop_front();
}

void ChannelState::ApplyModes(const std::string &modes, const std::string &parameters, const std::string &line,
                              int64_t now, const ModeRules &rules)
{
    for (const ModeRules::Change &change : rules.Split(modes, parameters)) {
        switch (change.letter) {
        case 't':
        case 'n':
        case 'i':
        case 'm':
        case 'p':
        case 's':
            SetFlag(change.letter, change.adding);
            break;
        case 'k':
            // "-k" may name the old key; it is kept as the text of the lock item.
            m_k = change.adding;
            m_key = change.parameter.substr(0, MaxKeyLength);
            break;
        case 'l':
            m_l = change.adding;
            m_limit = std::atoi(change.parameter.c_str());
            break;
        case 'b':
            if (change.adding)
                AddBan(change.parameter, NickFromPrefix(GetWord(line, 1)), now);
            else
                RemoveBan(change.parameter);
            break;
        default:
            break;
        }
    }
}

bool ChannelState::HasMode(char flag) const
{
    switch (flag) {
    case 't':
        return m_t;
    case 'n':
        return m_n;
    case 'i':
        return m_i;
    case 'm':
        return m_m;
    case 'k':
        return m_k;
    case 'l':
        return m_l;
    case 'p':
        return m_p;
    case 's':
        return m_s;
    default:
        return false;
    }
}

void ChannelState::ResetModes()
{
    m_t = m_n = m_i = m_m = m_k = m_l = m_p = m_s = false;
    m_key.clear();
    m_limit = 0;
    m_bans.clear();
}

void ChannelState::SetFlag(char flag, bool on)
{
    switch (flag) {
    case 't':
        m_t = on;
        break;
    case 'n':
        m_n = on;
        break;
    case 'i':
        m_i = on;
        break;
    case 'm':
        m_m = on;
        break;
    case 'p':
        m_p = on;
        break;
    case 's':
        m_s = on;
        break;
    default:
        break;
    }
}

const BanEntry *ChannelState::FindBan(const std::string &mask) const
{
    const auto ban = BanOf(m_bans, mask);
    return ban == m_bans.end() ? nullptr : &*ban;
}

void ChannelState::AddBan(const std::string &mask, const std::string &setter, int64_t now)
{
    if (mask.empty() || m_bans.size() >= MaxBans)
        return;
    BanEntry entry{mask, setter, ClampShownTime(now), 0};
    if (std::find(m_bans.begin(), m_bans.end(), entry) == m_bans.end())
        m_bans.push_back(std::move(entry));
}

void ChannelState::RemoveBan(const std::string &mask)
{
    const auto ban = BanOf(m_bans, mask);
    if (ban != m_bans.end())
        m_bans.erase(ban);
}

bool ChannelState::SetBanDuration(const std::string &mask, int minutes)
{
    const auto ban = BanOf(m_bans, mask);
    if (ban == m_bans.end())
        return false;
    ban->minutes = minutes < 0 ? 0 : minutes;
    return true;
}

std::vector<std::string> ChannelState::TakeExpiredBans(int64_t now)
{
    std::vector<std::string> masks;
    for (const BanEntry &ban : m_bans) {
        if (ban.IsOver(now))
            masks.push_back(ban.mask);
    }
    std::erase_if(m_bans, [now](const BanEntry &ban) { return ban.IsOver(now); });
    return masks;
}

std::string ChannelState::DurationText(int minutes)
{
    if (minutes == 0)
        return Strings::Get(Str::BanForever);
    return StrPrintf("%d %s", minutes, Strings::Get(Str::BanMinutes));
}
