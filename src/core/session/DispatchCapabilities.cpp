// The IRCv3 lines: capability negotiation and the notifications the
// capabilities bring (away-notify, account-notify, chghost, batch).
#include "session/DispatchHandlers.h"

#include "conversation/Conversation.h"
#include "conversation/NickList.h"
#include "session/Capabilities.h"
#include "session/Session.h"
#include "text/CaseFold.h"
#include "text/Words.h"

namespace Dispatch {

namespace {

// The last parameter: the text after " :" past the prefix, else the last word.
std::string LastParameter(const std::string &line)
{
    const size_t from = !line.empty() && line[0] == ':' ? line.find(' ') : 0;
    const size_t colon = from == std::string::npos ? std::string::npos : line.find(" :", from);
    if (colon != std::string::npos)
        return line.substr(colon + 2);
    return GetWord(line, CountWords(line));
}

} // namespace

int Cap(Session &session, const std::string &line)
{
    Capabilities &caps = session.Caps();
    const std::string subcommand = GetWord(line, 4);
    const std::string list = CountWords(line) >= 5 ? LastParameter(line) : std::string();
    if (subcommand == "LS") {
        caps.AddOffered(list);
        const bool more = GetWord(line, 5) == "*";
        if (!caps.CountListLine())
            session.EndCapabilities();
        else if (!more && caps.IsNegotiating())
            session.RequestCapabilities();
    } else if (subcommand == "ACK") {
        caps.Acknowledge(list);
        caps.SetRequestPending(false);
        session.CapabilitiesAcknowledged();
    } else if (subcommand == "NAK") {
        caps.SetRequestPending(false);
        session.CapabilitiesAcknowledged();
    } else if (subcommand == "NEW") {
        caps.AddOffered(list);
        session.RequestCapabilities();
    } else if (subcommand == "DEL") {
        caps.Remove(list);
    }
    return 1;
}

int UnknownCommand(Session &session, const std::string &line)
{
    // A server that knows no CAP says so; it registers without it.
    if (GetWord(line, 4) == "CAP") {
        session.Caps().EndNegotiation();
        return 1;
    }
    return ErrorReply(session, line);
}

int AwayNotify(Session &session, const std::string &line)
{
    const std::string who = NickFromPrefix(GetWord(line, 1));
    // "AWAY" with a reason: gone; without one: back.
    std::string reason = CountWords(line) >= 3 ? LastParameter(line) : std::string();
    if (CountWords(line) >= 3 && reason.empty())
        reason = "AWAY";
    for (Conversation *window : session.Windows()) {
        if (window->Nicks().SetNickAway(who, reason))
            window->NickListChanged();
    }
    return 1;
}

int Account(Session &session, const std::string &line)
{
    session.SetAccount(NickFromPrefix(GetWord(line, 1)), StripColon(GetWord(line, 3)));
    return 1;
}

int ChangeHost(Session &session, const std::string &line)
{
    const std::string who = NickFromPrefix(GetWord(line, 1));
    const std::string user = GetWord(line, 3);
    const std::string host = StripColon(GetWord(line, 4));
    if (EqualIgnoringCase(who, session.Nick()) && !user.empty() && !host.empty())
        session.LearnOwnAddress(who + "!" + user + "@" + host);
    return 1;
}

int Batch(Session &session, const std::string &line)
{
    const std::string reference = GetWord(line, 3);
    if (reference.size() < 2)
        return 1;
    if (reference[0] == '+')
        session.OpenBatch(reference.substr(1), GetWord(line, 4));
    else if (reference[0] == '-')
        session.CloseBatch(reference.substr(1));
    return 1;
}

} // namespace Dispatch
