#include "session/RequestAnswer.h"

#include "conversation/Conversation.h"
#include "session/Session.h"
#include "text/CaseFold.h"
#include "text/StrPrintf.h"
#include "text/Words.h"

#include <cstdlib>

namespace {

// The entries matching the request, taken out of the list in their order.
std::vector<std::string> TakeMatching(Session &session, int kind, const std::string &nick, const std::string &data)
{
    return session.Requests().Take(
        [&](const std::string &entry) { return RequestAnswer::Matches(entry, kind, nick, data); });
}

} // namespace

bool RequestAnswer::Matches(const std::string &entry, int kind, const std::string &nick, const std::string &data)
{
    if (std::atoi(GetWord(entry, 1).c_str()) != kind || !EqualIgnoringCase(GetWord(entry, 3), nick))
        return false;
    // A file offer is "... /dcc send receive host port size file name".
    return kind != 4 || GetRest(entry, 10) == data;
}

void RequestAnswer::AcceptRequest(Session &session, int kind, const std::string &from, const std::string &data)
{
    const std::string nick = NickFromPrefix(from);
    if (kind == 1) {
        session.Command(std::string(), 0, StrPrintf("/query %s", nick.c_str()));
        for (const std::string &entry : TakeMatching(session, kind, nick, data)) {
            if (Conversation *window = session.FindWindow(nick))
                window->Print(StrPrintf("%s: %s", nick.c_str(), GetRest(entry, 4).c_str()), 1,
                              std::atoll(GetWord(entry, 2).c_str()));
        }
        return;
    }
    if (kind != 2 && kind != 4)
        return;
    // One answer accepts one offer: the newest, since a sender that offers
    // again has given up on its earlier offers (the question dialog asks
    // once for equal offers).
    const std::vector<std::string> matching = TakeMatching(session, kind, nick, data);
    if (!matching.empty())
        session.Command(std::string(), 0, GetRest(matching.back(), 4));
}

void RequestAnswer::RejectRequest(Session &session, int kind, const std::string &from, const std::string &data)
{
    TakeMatching(session, kind, NickFromPrefix(from), data);
}
