#include "session/PendingRequests.h"

#include "text/CaseFold.h"
#include "text/Strings.h"

bool PendingRequests::Add(PendingRequest request, std::string &notice)
{
    notice.clear();
    const std::string &nick = request.nick;
    const std::string folded = FoldCase(nick);
    size_t &count = m_countOf[folded];
    if (count >= kMaxPerSender) {
        if (m_toldSenders.insert(folded).second)
            notice = Strings::Format(Str::SenderRequestsFull, nick.c_str(), static_cast<int>(kMaxPerSender));
        return false;
    }
    if (m_entries.size() >= kMaxEntries) {
        if (count == 0)
            m_countOf.erase(folded);
        if (!m_toldFull)
            notice = Strings::Format(Str::RequestsFull, static_cast<int>(kMaxEntries));
        m_toldFull = true;
        return false;
    }
    ++count;
    m_entries.push_back(std::move(request));
    return true;
}

std::vector<PendingRequest> PendingRequests::TakeSettled(const Question &question)
{
    std::vector<PendingRequest> taken;
    for (auto it = m_entries.begin(); it != m_entries.end();) {
        if (it->IsSettledBy(question)) {
            const auto counted = m_countOf.find(FoldCase(it->nick));
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
