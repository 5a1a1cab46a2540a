// Numeric replies: the welcome, error replies, the channel list, WHOIS and
// WHO replies.
#include "session/DispatchHandlers.h"

#include <cctype>
#include <cstdlib>
#include <vector>

#include "config/Config.h"
#include "config/FavouriteChannels.h"
#include "config/FavouriteServers.h"
#include "conversation/Conversation.h"
#include "conversation/NickList.h"
#include "conversation/Shell.h"
#include "session/Ctcp.h"
#include "session/Session.h"
#include "session/WhoActions.h"
#include "text/IrcCodes.h"
#include "text/StrPrintf.h"
#include "text/Strings.h"
#include "text/TextUtil.h"
#include "text/Words.h"

namespace Dispatch {

namespace {

std::string Rest(const std::string &line, int n)
{
    return StripColon(GetRest(line, n));
}

// The code text padded on the left with zeros to four characters.
std::string PaddedCode(const std::string &code)
{
    return code.size() >= 4 ? code : std::string(4 - code.size(), '0') + code;
}

void JoinFavouriteChannels(Session &session)
{
    for (const std::string &channel : FavouriteChannels::Names(session.ConfName())) {
        if (FavouriteChannels::Read(session.ConfName(), channel).autoJoin)
            session.Command("", 0, StrPrintf("/join %s", channel.c_str()));
    }
}

void RejoinOpenChannels(Session &session)
{
    std::vector<std::string> channels;
    for (Conversation *window : session.Windows()) {
        if (window->IsChannel())
            channels.push_back(window->Name());
    }
    for (const std::string &channel : channels)
        session.Command("", 0, StrPrintf("/join %s", channel.c_str()));
}

bool WantsInvisible(Session &session)
{
    if (const std::optional<ServerIdentity> identity = FavouriteServers::Identity(session.ConfName()))
        return identity->invisible;
    return ReadBool("InVisible");
}

std::string WhoisText(const std::string &line, int code)
{
    const std::string nick = GetWord(line, 4);
    switch (code) {
    case 301:
        return Strings::Format(Str::WhoisAway, nick.c_str(), Rest(line, 5).c_str());
    case 311:
        return Strings::Format(Str::WhoisAddress, nick.c_str(), GetWord(line, 6).c_str(), Rest(line, 8).c_str());
    case 312:
        return Strings::Format(Str::WhoisServer, nick.c_str(), Rest(line, 5).c_str());
    case 317:
        return Strings::Format(Str::WhoisIdle, nick.c_str(), GetWord(line, 5).c_str(),
                               TimeText(GetWord(line, 6)).c_str());
    case 319:
        return Strings::Format(Str::WhoisChannels, nick.c_str(), Rest(line, 5).c_str());
    default:
        return {};
    }
}

// The flags of a WHO reply: H or G (here, gone), '*' for an IRC operator,
// then the status symbols of the member (all of them with multi-prefix).
void RefreshFromWhoFlags(Conversation &window, const ModeRules &rules, const std::string &nick,
                         const std::string &flags)
{
    NickList &nicks = window.Nicks();
    for (size_t i = 0; i < rules.StatusSymbols().size(); ++i) {
        if (flags.find(rules.StatusSymbols()[i]) != std::string::npos)
            nicks.SetNickMode(nick, std::string{'+', rules.StatusLetters()[i]});
    }
    if (flags.find('G') != std::string::npos)
        nicks.SetNickAway(nick, "AWAY");
    if (flags.find('H') != std::string::npos)
        nicks.SetNickAway(nick, "");
    window.NickListChanged();
}

} // namespace

int Welcome(Session &session, const std::string &line)
{
    {
        // Dozens of favourites joined one line each would flood the server.
        Session::JoinsTogether joins(session);
        session.Welcome(line);
        JoinFavouriteChannels(session);
        RejoinOpenChannels(session);
    }
    if (WantsInvisible(session))
        session.Command("", 0, StrPrintf("/mode %s +i", session.Nick().c_str()));
    return 0;
}

int ErrorReply(Session &session, const std::string &line)
{
    const std::string code = GetWord(line, 2);
    const int value = NumericValue(code);
    switch (value) {
    case 432:
    case 433:
        return session.NickRejected(value, line);
    case 451:
        session.Command("", 0, "/reguser");
        return 1;
    case 482:
        session.PrintTo(GetWord(line, 4), TextClass::Error, Strings::Get(Str::NotChannelOperator));
        return 1;
    default:
        break;
    }
    if (CountWords(line) > 4) {
        if (Conversation *window = session.FindWindow(GetWord(line, 4))) {
            window->Print(StrPrintf("[%03d] %s -> %s: %s", value, GetWord(line, 1).c_str(), GetWord(line, 3).c_str(),
                                    Rest(line, 5).c_str()),
                          TextClass::Error);
            return 1;
        }
    }
    if (!session.ServerWindow())
        return 0;
    session.PrintTo("", TextClass::Error, StrPrintf("[ %s ] %s", PaddedCode(code).c_str(), GetRest(line, 3).c_str()));
    return 1;
}

// The list feeds the channel search window. Only channels named "#" and a
// letter or digit are listed; the user count saturates rather than wraps.
int ChannelList(Session &session, const std::string &line)
{
    ChannelListFeed &feed = session.ChannelList();
    switch (NumericValue(GetWord(line, 2))) {
    case 321:
        feed.Begin();
        break;
    case 322: {
        const std::string channel = GetWord(line, 4);
        if (channel.size() >= 2 && channel[0] == '#' && std::isalnum(static_cast<unsigned char>(channel[1])))
            feed.Row(channel, LeadingCount(GetWord(line, 5)), Rest(line, 6));
        break;
    }
    default:
        feed.End();
        break;
    }
    return 1;
}

int WhoisReply(Session &session, const std::string &line)
{
    if (Ctcp::ReplyFeed(session, std::string(), line))
        return 1;
    const std::string text = WhoisText(line, NumericValue(GetWord(line, 2)));
    if (text.empty())
        return 1;
    if (session.WhoisToPopup()) {
        if (Shell *shell = session.GetShell())
            shell->PopupLine(ConvertToHtml(text));
    } else {
        session.PrintTo("", TextClass::Text, text);
    }
    return 1;
}

int WhoReply(Session &session, const std::string &line)
{
    if (GetWord(line, 2) != "352")
        return 1;
    WhoActions::RunReply(session, line);
    if (session.WhoisToAll()) {
        if (Shell *shell = session.GetShell())
            shell->PopupLine(
                ConvertToHtml(StrPrintf("who %s: %s", GetWord(line, 3).c_str(), GetRest(line, 3).c_str())));
    }

    const std::string channel = GetWord(line, 4);
    const std::string nick = GetWord(line, 8);
    const std::string flags = GetWord(line, 9);
    if (nick.empty())
        return 1;
    if (channel != "*") {
        if (Conversation *window = session.FindWindow(channel); window && window->Nicks().FindNick(nick))
            RefreshFromWhoFlags(*window, session.Modes(), nick, flags);
        return 1;
    }
    for (Conversation *window : session.Windows()) {
        if (window->HasView() && window->Nicks().FindNick(nick))
            RefreshFromWhoFlags(*window, session.Modes(), nick, flags);
    }
    return 1;
}

} // namespace Dispatch
