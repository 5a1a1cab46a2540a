// Channel membership and channel state: JOIN, PART, QUIT, KICK, MODE, TOPIC
// and the numerics of topic, modes, names and bans.
#include "session/DispatchHandlers.h"

#include <cstdlib>
#include <vector>

#include "config/Config.h"
#include "conversation/Conversation.h"
#include "conversation/NickList.h"
#include "session/Session.h"
#include "text/CaseFold.h"
#include "text/StrPrintf.h"
#include "text/Strings.h"
#include "text/Words.h"

namespace Dispatch {

namespace {

std::string Who(const std::string &line)
{
    return NickFromPrefix(GetWord(line, 1));
}

std::string Rest(const std::string &line, int n)
{
    return StripColon(GetRest(line, n));
}

int OwnJoin(Session &session, Conversation &window)
{
    const std::string channel = window.Name();
    // The NAMES reply that follows lists every member, ourselves included.
    window.Nicks().Clear();
    window.NickListChanged();
    window.Channel().ResetModes();
    window.SetType(Conversation::TypeChannel);
    window.SetTopic(std::string());
    window.ApplyModes(std::string(), std::string(), std::string()); // tells the view the modes are gone

    session.PrintTo(channel, TextClass::Info, Strings::Format(Str::YouJoined, channel.c_str()));

    window.RefreshChannel();
    const std::string greeting = ReadString("Msgs Join");
    if (!greeting.empty())
        session.Command("", 0, StrPrintf("/action %s %s", channel.c_str(), greeting.c_str()));
    return 1;
}

} // namespace

int Join(Session &session, const std::string &line)
{
    const std::string who = Who(line);
    const std::string channel = StripColon(GetWord(line, 3));
    Conversation *window = session.FindWindow(channel);
    if (!window)
        window = session.OpenWindow(channel, Conversation::KindChannel, Conversation::TypeChannel);
    if (!window)
        return 1;
    // extended-join: ":nick!u@h JOIN #channel account :Real Name" ("*": no account).
    if (session.Caps().IsEnabled("extended-join"))
        session.SetAccount(who, GetWord(line, 4));
    if (who == session.Nick()) {
        session.LearnOwnAddress(GetWord(line, 1));
        return OwnJoin(session, *window);
    }

    window->Nicks().AddNick(who);
    window->NickListChanged();

    const std::string joined = window->GetToggles().fullAddress
        ? StrPrintf("%s (%s)", who.c_str(), StripColon(GetWord(line, 1)).c_str())
        : who;
    window->Print(Strings::Format(Str::UserJoined, joined.c_str()), TextClass::Info);
    Conversation *privateWindow = session.FindWindow(who);
    if (privateWindow && privateWindow->Type() == Conversation::TypePrivate)
        privateWindow->Print(Strings::Format(Str::UserJoined, who.c_str()), TextClass::Info);
    return 1;
}

int Part(Session &session, const std::string &line)
{
    const std::string who = Who(line);
    Conversation *window = session.FindWindow(GetWord(line, 3));
    if (!window)
        return 1;
    if (EqualIgnoringCase(who, session.Nick())) {
        // The window stays open for a rejoin; it lists no one meanwhile.
        window->Nicks().Clear();
        window->NickListChanged();
        window->Print(Strings::Format(Str::YouLeft, window->Name().c_str()), TextClass::Info);
        return 1;
    }
    window->Nicks().RemoveNick(who);
    window->NickListChanged();
    window->Print(Strings::Format(Str::UserLeft, who.c_str()), TextClass::Info);
    return 1;
}

int Quit(Session &session, const std::string &line)
{
    const std::string who = Who(line);
    if (who.empty())
        return 1;
    const std::string reason = Rest(line, 3);
    std::string text = Strings::Format(Str::UserQuit, who.c_str());
    if (!reason.empty())
        text += ": " + reason;

    session.SetAccount(who, std::string());
    const std::string lowerWho = FoldCase(who);
    for (Conversation *window : session.Windows()) {
        if (!window->HasView())
            continue;
        const bool listed = window->Nicks().RemoveNick(who);
        if (listed)
            window->NickListChanged();
        if (listed || FoldCase(window->Name()) == lowerWho)
            window->Print(text, TextClass::Info);
    }
    return 1;
}

int Kick(Session &session, const std::string &line)
{
    const std::string channel = GetWord(line, 3);
    Conversation *window = session.FindWindow(channel);
    if (!window)
        return 0;
    const std::string who = Who(line);
    const std::string victim = GetWord(line, 4);
    const std::string reason = Rest(line, 5);
    const bool kickedOut = !victim.empty() && EqualIgnoringCase(victim, session.Nick());

    window->Nicks().RemoveNick(victim);
    if (kickedOut)
        window->Nicks().Clear();
    window->NickListChanged();

    if (reason.empty())
        window->Print(Strings::Format(Str::UserKicked, who.c_str(), victim.c_str()), TextClass::Info);
    else
        window->Print(Strings::Format(Str::UserKickedWithReason, who.c_str(), victim.c_str(), reason.c_str()),
                      TextClass::Info);

    if (kickedOut)
        session.Command("", 0, StrPrintf("/join %s", channel.c_str()));
    return 0;
}

// The parameters belong to the letters as the server counts them (its
// CHANMODES and PREFIX), so "+kv key nick" voices nick rather than a nick
// called "key", and "-o+b nick mask" bans the mask.
int Mode(Session &session, const std::string &line)
{
    const std::string target = GetWord(line, 3);
    Conversation *window = session.FindWindow(target);
    if (!window)
        return 0; // user modes, or a channel without its window
    const std::string who = Who(line);
    const std::string modes = GetWord(line, 4);
    const std::string parameters = GetRest(line, 5);

    const ModeRules &rules = session.Modes();
    std::vector<std::string> whoNicks;
    if (!modes.empty() && (modes[0] == '+' || modes[0] == '-')) {
        for (const ModeRules::Change &change : rules.Split(modes, parameters)) {
            if (!rules.SymbolOf(change.letter) || change.parameter.empty())
                continue;
            const char text[3] = {change.adding ? '+' : '-', change.letter, '\0'};
            window->Nicks().SetNickMode(change.parameter, text);
            whoNicks.push_back(change.parameter);
        }
    }
    if (!whoNicks.empty())
        window->NickListChanged();
    window->ApplyModes(modes, parameters, line, rules);

    std::string text = Strings::Format(Str::ModeChanged, modes.c_str(), who.c_str());
    if (parameters.size() > 1)
        text += Strings::Format(Str::ModeParameters, parameters.c_str());
    window->Print(text, TextClass::Info);

    for (const std::string &nick : whoNicks)
        session.Command("", 0, StrPrintf("/who %s", nick.c_str()));
    return 1;
}

int Topic(Session &session, const std::string &line)
{
    Conversation *window = session.FindWindow(GetWord(line, 3));
    if (!window)
        return 1;
    const std::string topic = Rest(line, 4);
    window->SetTopic(topic);
    window->Print(Strings::Format(Str::TopicChanged, Who(line).c_str(), topic.c_str()), TextClass::Info);
    return 1;
}

int TopicReply(Session &session, const std::string &line)
{
    Conversation *window = session.FindWindow(GetWord(line, 4));
    if (!window)
        return 1;
    if (GetWord(line, 2) == "332") {
        const std::string topic = Rest(line, 5);
        window->SetTopic(topic);
        window->Print(Strings::Format(Str::TopicIs, topic.c_str()), TextClass::Info);
    } else {
        window->Print(Strings::Format(Str::TopicSetBy, NickFromPrefix(GetWord(line, 5)).c_str(),
                                      TopicTimeText(GetWord(line, 6)).c_str()),
                      TextClass::Info);
    }
    return 1;
}

int ChannelModes(Session &session, const std::string &line)
{
    if (Conversation *window = session.FindWindow(GetWord(line, 4)))
        window->ApplyModes(GetWord(line, 5), GetRest(line, 6), line, session.Modes());
    return 1;
}

int Names(Session &session, const std::string &line)
{
    Conversation *window = session.FindWindow(GetWord(line, 5));
    if (!window)
        return 0;
    const int count = CountWords(line);
    for (int i = 6; i <= count; ++i) {
        std::string nick = StripColon(GetWord(line, i));
        // userhost-in-names: "@bob!user@host"; the list keeps the nick.
        nick = nick.substr(0, nick.find('!'));
        if (!nick.empty())
            window->Nicks().AddNick(nick);
    }
    window->NickListChanged();
    return 1;
}

int NamesEnd(Session &session, const std::string &line)
{
    const std::string channel = GetWord(line, 4);
    Conversation *window = session.FindWindow(channel);
    if (!window)
        return 0;
    if (window->Nicks().NickCount() < kWhoNickLimit)
        session.Command("", 0, StrPrintf("/who %s", channel.c_str()));
    return 1;
}

int BanList(Session &session, const std::string &line)
{
    if (GetWord(line, 2) != "367")
        return 1;
    Conversation *window = session.FindWindow(GetWord(line, 4));
    if (!window)
        return 1;
    window->Channel().AddBan(GetWord(line, 5), GetWord(line, 6), std::strtoll(GetWord(line, 7).c_str(), nullptr, 10));
    window->ApplyModes(std::string(), std::string(), std::string());
    return 1;
}

} // namespace Dispatch
