#include "session/PendingRequests.h"

#include "text/CaseFold.h"
#include "text/StrPrintf.h"
#include "text/Words.h"

namespace {

const char *const kSenderFullText = "* Od %s čaká %zu správ a žiadostí, ďalšie sa zahodia, kým neodpovieš";
const char *const kListFullText = "* Čaká %zu správ a žiadostí, ďalšie sa zahodia, kým neodpovieš";

} // namespace

bool PendingRequests::Add(int kind, int64_t time, const std::string &nick, const std::string &data, std::string &notice)
{
    notice.clear();
    const std::string folded = FoldCase(nick);
    size_t &count = m_countOf[folded];
    if (count >= kMaxPerSender) {
        if (m_toldSenders.insert(folded).second)
            notice = StrPrintf(kSenderFullText, nick.c_str(), kMaxPerSender);
        return false;
    }
    if (m_entries.size() >= kMaxEntries) {
        if (count == 0)
            m_countOf.erase(folded);
        if (!m_toldFull)
            notice = StrPrintf(kListFullText, kMaxEntries);
        m_toldFull = true;
        return false;
    }
    ++count;
    m_entries.push_back(StrPrintf("%d %lld %s %s", kind, static_cast<long long>(time), nick.c_str(), data.c_str()));
    return true;
}

std::vector<std::string> PendingRequests::Take(const std::function<bool(const std::string &entry)> &match)
{
    std::vector<std::string> taken;
    for (auto it = m_entries.begin(); it != m_entries.end();) {
        if (match(*it)) {
            const auto counted = m_countOf.find(FoldCase(GetWord(*it, 3)));
            if (counted != m_countOf.end() && --counted->second == 0)
                m_countOf.erase(counted);
            taken.push_back(std::move(*it));
            it = m_entries.erase(it);
        } else {
            ++it;
        }
    }
    std::erase_if(m_toldSenders, [this](const std::string &folded) {
        const auto counted = m_countOf.find(folded);
        return counted == m_countOf.end() || counted->second < kMaxPerSender;
    });
    if (m_entries.size() < kMaxEntries)
        m_toldFull = false;
    return taken;
}
