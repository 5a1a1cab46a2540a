// Interpretation of the lines the server sends, in one fixed order of tests.
// Handlers change state first and print afterwards (DispatchHandlers.h);
// numerics nobody handles are shown with their code, other lines no rule
// recognises are dropped.
#include "session/Session.h"

#include "session/DispatchHandlers.h"
#include "session/IgnoreList.h"
#include "text/CaseFold.h"
#include "text/Words.h"

#include <utility>

struct Session::DispatchEntry
{
    const char *word; // compared exactly; null: the range below
    int low, high;    // range of the numeric value when word is null
    // Returns 1 when the line was handled; 0 lets a numeric show raw.
    int (*handler)(Session &session, const std::string &line);
};

namespace {

int HandledSilently(Session &, const std::string &)
{
    return 1;
}

} // namespace

// Step 4 of the dispatch: the first entry that matches the command word runs.
const Session::DispatchEntry *Session::FindDispatch(const std::string &word)
{
    static const DispatchEntry table[] = {
        {"JOIN", 0, 0, Dispatch::Join},
        {"PRIVMSG", 0, 0, Dispatch::Privmsg},
        {"NICK", 0, 0,
         [](Session &s, const std::string &l) {
             s.NickChanged(l);
             return 1;
         }},
        {"PART", 0, 0, Dispatch::Part},
        {"376", 0, 0, HandledSilently}, // end of the message of the day
        {"NOTICE", 0, 0, Dispatch::Notice},
        {"353", 0, 0, Dispatch::Names},
        {"366", 0, 0, Dispatch::NamesEnd},
        {"MODE", 0, 0, Dispatch::Mode},
        {"KICK", 0, 0, Dispatch::Kick},
        {"001", 0, 0,
         [](Session &s, const std::string &l) {
             const int result = Dispatch::Welcome(s, l);
             s.m_connecting = false;
             s.m_caps.EndNegotiation(); // registered: a server without CAP never ends it
             s.m_backoff.Registered(s.ClockMs());
             s.CheckSaslRequirement();
             return result; // 0: the welcome text itself shows raw
         }},
        {"QUIT", 0, 0, Dispatch::Quit},
        {"TOPIC", 0, 0, Dispatch::Topic},
        {"332", 0, 0, Dispatch::TopicReply},
        {"333", 0, 0, Dispatch::TopicReply},
        {"324", 0, 0, Dispatch::ChannelModes},
        {"329", 0, 0, HandledSilently}, // channel creation time
        {"CAP", 0, 0, Dispatch::Cap},
        {"AWAY", 0, 0, Dispatch::AwayNotify},
        {"ACCOUNT", 0, 0, Dispatch::Account},
        {"CHGHOST", 0, 0, Dispatch::ChangeHost},
        {"BATCH", 0, 0, Dispatch::Batch},
        {"421", 0, 0, Dispatch::UnknownCommand},
        {"464", 0, 0, Dispatch::RefusedForGood}, // wrong server password
        {"465", 0, 0, Dispatch::RefusedForGood}, // banned
        {"AUTHENTICATE", 0, 0, [](Session &s, const std::string &l) { return s.Authenticate(l); }},
        {nullptr, 900, 908,
         [](Session &s, const std::string &l) { return s.SaslReply(Dispatch::NumericValue(GetWord(l, 2)), l); }},
        {nullptr, 367, 368, Dispatch::BanList},
        {nullptr, 321, 323, Dispatch::ChannelList},
        {nullptr, 400, 600, Dispatch::ErrorReply},
        {"301", 0, 0, HandledSilently}, // the WHOIS step below shows it
        {"305", 0, 0, Dispatch::AwayReply},
        {"306", 0, 0, Dispatch::AwayReply},
        {"005", 0, 0,
         [](Session &s, const std::string &l) {
             s.LearnSupport(l);
             return 0; // shown raw
         }},
        {"302", 0, 0,
         [](Session &s, const std::string &l) {
             // "nick=+user@host" (a "*" after the nick marks an operator): our own teaches our host.
             const std::string reply = StripColon(GetWord(l, 4));
             const size_t equals = reply.find('=');
             if (equals != std::string::npos && equals + 1 < reply.size()) {
                 std::string nick = reply.substr(0, equals);
                 if (!nick.empty() && nick.back() == '*')
                     nick.pop_back();
                 s.LearnOwnAddress(nick + "!" + reply.substr(equals + 2));
             }
             return 0; // shown raw
         }},
        {"396", 0, 0,
         [](Session &s, const std::string &l) {
             s.LearnOwnHost(GetWord(l, 4)); // the host the server shows from now on
             return 0;                      // shown raw
         }},
    };
    const int value = Dispatch::NumericValue(word);
    for (const DispatchEntry &entry : table) {
        if (entry.word ? word == entry.word : value >= entry.low && value <= entry.high)
            return &entry;
    }
    return nullptr;
}

int Session::DispatchServerLine(const std::string &line)
{
    BusyGuard guard(*this);
    // What a server line makes us send, the user did not type.
    AutomaticLines automatic(*this);

    // 0. Message tags: the line is what follows them; they stay readable
    // (LineTags, LineTime) while it is handled.
    if (!line.empty() && line[0] == '@') {
        std::string_view rest = line;
        MessageTags tags;
        while (!rest.empty() && rest[0] == '@')
            rest = MessageTags::Split(rest, tags);
        const MessageTags outer = std::exchange(m_lineTags, std::move(tags));
        const int result = DispatchServerLine(std::string(rest));
        m_lineTags = outer;
        return result;
    }

    // 1. Lines without a prefix. A server may put its name before PING and
    // ERROR too; they mean the same then.
    const std::string first = GetWord(line, 1);
    if (first.size() > 1 && first[0] == ':') {
        const std::string command = GetWord(line, 2);
        if (command == "PING")
            return Dispatch::Ping(*this, GetRest(line, 2));
        if (command == "ERROR")
            return Dispatch::Error(*this, GetRest(line, 2));
    }
    if (first == "PING")
        return Dispatch::Ping(*this, line);
    if (first == "NOTICE")
        return Dispatch::ServerNotice(*this, line);
    if (first == "ERROR")
        return Dispatch::Error(*this, line);
    if (first == "AUTHENTICATE")
        return Authenticate(line);

    // 2. and 3.
    if (CountWords(line) < 2)
        return 0;
    if (IgnoreList::IsIgnored(*this, line))
        return 1;
    if (IsEchoNotShown(line))
        return 1;

    // 4. The handler of the command word.
    const std::string command = GetWord(line, 2);
    int handled = 0;
    if (const DispatchEntry *entry = FindDispatch(command))
        handled = entry->handler(*this, line);
    if (m_deleteWhenIdle)
        return handled; // the line closed the session

    // 5. WHOIS and WHO replies, whatever step 4 did.
    const int value = Dispatch::NumericValue(command);
    switch (value) {
    case 301:
    case 311:
    case 312:
    case 317:
    case 318:
    case 319:
        handled = Dispatch::WhoisReply(*this, line);
        break;
    case 315:
    case 352:
        handled = Dispatch::WhoReply(*this, line);
        break;
    default:
        break;
    }

    // 6. Any other numeric shows raw in the server window.
    if (!handled && value != 0) {
        PrintTo("", TextClass::Info, Dispatch::RawNumericText(value, line));
        handled = 1;
    }
    return handled;
}

bool Session::IsEchoNotShown(const std::string &line) const
{
    // With echo-message the server relays our own messages back. Messages
    // and actions are shown from the relay (the command does not show them
    // itself); notices are shown by the command, and CTCP requests never.
    if (!m_caps.IsEnabled("echo-message") || !EqualIgnoringCase(NickFromPrefix(GetWord(line, 1)), m_nick))
        return false;
    const std::string command = GetWord(line, 2);
    if (command == "NOTICE")
        return true;
    if (command != "PRIVMSG")
        return false;
    const std::string text = Dispatch::AfterFirstColon(line.substr(1));
    return !text.empty() && text[0] == '\x01'
        && text.compare(0, 8,
                        "\x01"
                        "ACTION ")
        != 0;
}
