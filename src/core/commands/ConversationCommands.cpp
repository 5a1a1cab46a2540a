// The commands that talk to the server about channels and people: join,
// messages, notices, actions, private windows, topic, modes, away, raw
// lines, nick, WHO and WHOIS.
#include <ctime>

#include "commands/AwaySwitch.h"
#include "commands/CommandHandlers.h"
#include "config/Config.h"
#include "config/FavouriteChannels.h"
#include "conversation/Conversation.h"
#include "session/MessageSplit.h"
#include "session/Session.h"
#include "session/WhoActions.h"
#include "text/CaseFold.h"
#include "text/StrPrintf.h"
#include "text/Strings.h"
#include "text/TextClass.h"
#include "text/Words.h"

namespace {

const char kCtcp = '\x01';

// Own messages are shown through the server message path; of CTCP messages
// only actions are, the other requests (VERSION, PING, DCC offers) are not.
bool IsEchoed(const std::string &text)
{
    if (text.empty() || text[0] != kCtcp)
        return true;
    return GetWord(text, 1)
        == "\x01"
           "ACTION";
}

const char kActionStart[] = "\x01"
                            "ACTION ";

// The lines a message goes out as: each fits, relayed with our address, in
// one protocol line. An action is split inside its markers and every part
// is an action again; other CTCP messages are never split.
std::vector<std::string> MessageParts(const Session &session, const std::string &command, const std::string &target,
                                      const std::string &text)
{
    const size_t budget = MessageSplit::TextBudget(session.OwnPrefixLength(), command, target);
    if (text.compare(0, sizeof kActionStart - 1, kActionStart) != 0)
        return !text.empty() && text[0] == kCtcp ? std::vector<std::string>{text}
                                                 : MessageSplit::SplitText(text, budget);

    std::string body = text.substr(sizeof kActionStart - 1);
    if (!body.empty() && body.back() == kCtcp)
        body.pop_back();
    const size_t markers = sizeof kActionStart - 1 + 1;
    std::vector<std::string> parts = MessageSplit::SplitText(body, budget > markers ? budget - markers : 0);
    for (std::string &part : parts)
        part = kActionStart + part + kCtcp;
    return parts;
}

void EchoMessage(Session &session, const std::string &target, const std::string &text)
{
    // With echo-message the server relays the message back and it is shown then.
    if (session.Caps().IsEnabled("echo-message") && session.IsConnected())
        return;
    if (IsEchoed(text))
        session.DispatchServerLine(
            StrPrintf(":%s!this@this PRIVMSG %s :%s", session.Nick().c_str(), target.c_str(), text.c_str()));
}

} // namespace

namespace Commands {

int Join(Session &session, const std::string &, const std::string &line)
{
    if (CountWords(line) < 2)
        return 0;
    const std::string channel = GetWord(line, 2);
    if (Conversation *open = session.FindWindow(channel))
        BringToFront(*open);
    const std::string key =
        CountWords(line) >= 3 ? GetWord(line, 3) : FavouriteChannels::Read(session.ConfName(), channel).key;
    session.SendJoin(channel, key);
    return 1;
}

int Msg(Session &session, const std::string &, const std::string &line)
{
    const std::string target = GetWord(line, 2);
    const std::string text = GetRest(line, 3);
    if (CountWords(line) < 3) {
        // The echo comes before the word count test (a target without text
        // echoes an empty message); without a target there is nothing to show.
        if (!target.empty())
            EchoMessage(session, target, text);
        return 0;
    }
    for (const std::string &part : MessageParts(session, "PRIVMSG", target, text)) {
        EchoMessage(session, target, part);
        session.SendLine(StrPrintf("PRIVMSG %s :%s", target.c_str(), part.c_str()));
    }
    return 1;
}

int Notice(Session &session, const std::string &, const std::string &line)
{
    const std::string target = GetWord(line, 2);
    const std::string text = GetRest(line, 3);
    const bool complete = CountWords(line) >= 3;
    const std::vector<std::string> parts =
        complete ? MessageParts(session, "NOTICE", target, text) : std::vector<std::string>{text};
    for (const std::string &part : parts) {
        // A CTCP text (the answers the program sends) was never typed there.
        const bool ctcp = !part.empty() && part[0] == kCtcp;
        Conversation *open = target.empty() || ctcp ? nullptr : session.FindWindow(target);
        if (open)
            open->Print(StrPrintf("%s: %s", session.Nick().c_str(), part.c_str()), TextClass::Text);
        if (complete)
            session.SendLine(StrPrintf("NOTICE %s :%s", target.c_str(), part.c_str()));
    }
    return complete ? 1 : 0;
}

int Action(Session &session, const std::string &, const std::string &line)
{
    if (CountWords(line) < 3)
        return 0;
    session.Command(session.Key(), 0,
                    StrPrintf("/msg %s \x01"
                              "ACTION %s\x01",
                              GetWord(line, 2).c_str(), GetRest(line, 3).c_str()));
    return 1;
}

int Query(Session &session, const std::string &, const std::string &line)
{
    if (CountWords(line) < 2)
        return 0;
    const std::string nick = GetWord(line, 2);
    Conversation *window = session.FindWindow(nick);
    if (!window)
        window = session.OpenWindow(nick, Conversation::KindText, Conversation::TypePrivate);
    if (!window)
        return 0;
    BringToFront(*window);
    return 1;
}

int Topic(Session &session, const std::string &, const std::string &line)
{
    if (CountWords(line) < 3)
        return 0;
    session.Command("", 0, StrPrintf("/quote TOPIC %s :%s", GetWord(line, 2).c_str(), GetRest(line, 3).c_str()));
    return 1;
}

int Mode(Session &session, const std::string &, const std::string &line)
{
    if (CountWords(line) < 2)
        return 0;
    session.Command("", 0, "/quote MODE " + GetRest(line, 2));
    return 1;
}

int Away(Session &session, const std::string &, const std::string &line)
{
    session.Command("", 0, CountWords(line) >= 2 ? "/quote AWAY :" + GetRest(line, 2) : std::string("/quote AWAY"));
    return 1;
}

int Quote(Session &session, const std::string &window, const std::string &line)
{
    if (CountWords(line) < 2)
        return 0;
    const std::string raw = GetRest(line, 2);
    const size_t bytes = raw.size() + 2; // with its CR LF
    if (bytes > MessageSplit::kMaxLineBytes) {
        session.PrintTo(window, TextClass::Error, MessageSplit::LineTooLongText(bytes));
        return 1;
    }
    session.SendLine(raw);
    return 1;
}

int Nick(Session &session, const std::string &, const std::string &line)
{
    return session.NickCommand(line);
}

int Who(Session &session, const std::string &, const std::string &line)
{
    if (CountWords(line) < 2)
        return 0;
    const std::string action = WhoActions::MakeEntry(line);
    if (!action.empty())
        session.QueueWhoAction(action);
    session.SendLine("WHO " + GetWord(line, 2));
    return 1;
}

int Whois(Session &session, const std::string &, const std::string &line)
{
    const int count = CountWords(line);
    if (count < 2)
        return 0;
    bool all = false;
    std::string nick;
    for (int n = 2; n <= count; ++n) {
        const std::string word = GetWord(line, n);
        if (word == "-popup")
            continue; // leaves the pop-up flag off
        if (word == "-all")
            all = true;
        else if (nick.empty())
            nick = word;
    }
    session.RouteWhoisReplies(all, all);
    if (nick.empty())
        return 0;

    session.SendLine("WHOIS " + nick);
    if (all) {
        const char *to = nick.c_str();
        session.SendLine(StrPrintf("PRIVMSG %s :%cVERSION%c", to, kCtcp, kCtcp));
        session.SendLine(StrPrintf("PRIVMSG %s :%cTIME%c", to, kCtcp, kCtcp));
        session.SendLine(StrPrintf("PRIVMSG %s :%cPING %lld%c", to, kCtcp, static_cast<long long>(Now()), kCtcp));
        session.Command(session.Key(), 0, "/who " + nick);
    }
    return 1;
}

int Log(Session &session, const std::string &window, const std::string &line)
{
    Conversation *conversation = session.FindWindow(window);
    if (!conversation || !conversation->IsTalk() || CountWords(line) > 2)
        return 0;
    const std::string option = GetWord(line, 2);
    bool &logging = conversation->GetToggles().logging;
    if (EqualIgnoringAsciiCase(option, "on"))
        logging = true;
    else if (EqualIgnoringAsciiCase(option, "off"))
        logging = false;
    else if (!option.empty())
        return 0;
    conversation->Print(Strings::Get(logging ? Str::LogWindowOn : Str::LogWindowOff), TextClass::Info);
    return 1;
}

} // namespace Commands

std::string SetAway(Session &session, const std::string &text)
{
    std::string previous = session.AwayMessage();
    session.SetAwayMessage(text);
    session.Command("", 0, text.empty() ? std::string("/away") : "/away " + text);
    return previous;
}
