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

std::string FirstWord(const std::string &entry)
{
    return GetWord(entry, 1);
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

void ChannelState::AddBan(const std::string &mask, const std::string &setter, int64_t now)
{
    if (mask.empty() || m_bans.size() >= MaxBans)
        return;
    std::string entry =
        StrPrintf("%s %s %lld 0", mask.c_str(), setter.c_str(), static_cast<long long>(ClampShownTime(now)));
    for (const std::string &ban : m_bans) {
        if (ban == entry)
            return;
    }
    m_bans.push_back(std::move(entry));
}

void ChannelState::RemoveBan(const std::string &mask)
{
    for (auto it = m_bans.begin(); it != m_bans.end(); ++it) {
        if (FirstWord(*it) == mask) {
            m_bans.erase(it);
            return;
        }
    }
}

bool ChannelState::SetBanDuration(const std::string &mask, int minutes)
{
    for (std::string &ban : m_bans) {
        if (FirstWord(ban) == mask) {
            ban = StrPrintf("%s %s %s %d", mask.c_str(), GetWord(ban, 2).c_str(), GetWord(ban, 3).c_str(),
                            minutes < 0 ? 0 : minutes);
            return true;
        }
    }
    return false;
}

std::vector<std::string> ChannelState::TakeExpiredBans(int64_t now)
{
    std::vector<std::string> masks;
    auto isOver = [now](const std::string &ban) {
        const int64_t minutes = std::atoll(GetWord(ban, 4).c_str());
        const int64_t since = std::atoll(GetWord(ban, 3).c_str());
        return minutes > 0 && now > since + minutes * 60;
    };
    for (const std::string &ban : m_bans) {
        if (isOver(ban))
            masks.push_back(FirstWord(ban));
    }
    m_bans.erase(std::remove_if(m_bans.begin(), m_bans.end(), isOver), m_bans.end());
    return masks;
}

std::string ChannelState::DurationText(int minutes)
{
    if (minutes == 0)
        return Strings::Get(Str::BanForever);
    return StrPrintf("%d %s", minutes, Strings::Get(Str::BanMinutes));
}
