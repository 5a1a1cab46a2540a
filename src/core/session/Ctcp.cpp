#include "session/Ctcp.h"

#include <climits>
#include <cstdlib>
#include <ctime>

#include "conversation/Shell.h"
#include "session/Session.h"
#include "text/CaseFold.h"
#include "text/IrcCodes.h"
#include "text/StrPrintf.h"
#include "text/Strings.h"
#include "text/TextUtil.h"
#include "text/Words.h"

namespace {

// CTCP command words are ASCII and compare without regard to case.
bool IsCommand(const std::string &word, const char *command)
{
    return EqualIgnoringAsciiCase(word, command);
}

// The seconds between a time carried in a PING reply and now, as the
// speed line shows them.
int SecondsSince(const std::string &sentAt, int64_t now)
{
    const long long sent = std::strtoll(sentAt.c_str(), nullptr, 10);
    const long long elapsed = static_cast<long long>(now) - sent;
    if (elapsed > INT_MAX)
        return INT_MAX;
    if (elapsed < INT_MIN)
        return INT_MIN;
    return static_cast<int>(elapsed);
}

// Sends one answer unless the session has answered too much lately; a
// flood of requests must not get us thrown off the server.
bool Answer(Session &session, const std::string &sender, const std::string &command, const std::string &arguments)
{
    if (!session.AllowCtcpAnswer()) {
        session.Log("CTCP %s of %s not answered: too many requests", command.c_str(), sender.c_str());
        return false;
    }
    session.Command("", 0, StrPrintf("/notice %s %s", sender.c_str(), Ctcp::Frame(command, arguments).c_str()));
    return true;
}

void TellAsked(Session &session, StrFormat<const char *> asked, const std::string &sender)
{
    session.PrintTo("", TextClass::Info, Strings::Format(asked, sender.c_str()));
}

} // namespace

std::string Ctcp::Body(std::string_view text)
{
    if (!text.empty() && text.front() == kMarker)
        text.remove_prefix(1);
    if (!text.empty() && text.back() == kMarker)
        text.remove_suffix(1);
    return std::string(text);
}

std::string Ctcp::Frame(std::string_view command, std::string_view arguments)
{
    std::string framed(1, kMarker);
    framed += command;
    if (!arguments.empty()) {
        framed += ' ';
        framed += arguments;
    }
    framed += kMarker;
    return framed;
}

std::string Ctcp::LocalTimeText()
{
    return TimeText(std::to_string(static_cast<long long>(std::time(nullptr))));
}

int Ctcp::Request(Session &session, const std::string &line)
{
    const std::string prefix = StripColon(GetWord(line, 1));
    const std::string sender = NickFromPrefix(prefix);
    const std::string target = GetWord(line, 3);
    const std::string body = Body(StripColon(GetRest(line, 4)));
    const std::string command = GetWord(body, 1);
    if (sender.empty())
        return 1;

    if (IsCommand(command, "VERSION")) {
        if (Answer(session, sender, "VERSION", kVersionText))
            TellAsked(session, Str::AskedVersion, sender);
    } else if (IsCommand(command, "PING")) {
        // The payload goes back whole, blanks and all: some clients send
        // their time in two words.
        if (Answer(session, sender, "PING", GetRest(body, 2)))
            TellAsked(session, Str::AskedPing, sender);
    } else if (IsCommand(command, "TIME")) {
        if (Answer(session, sender, "TIME", LocalTimeText()))
            TellAsked(session, Str::AskedTime, sender);
    } else if (IsCommand(command, "DCC")) {
        const std::string kind = GetWord(body, 2);
        Shell *shell = session.GetShell();
        if (IsCommand(kind, "CHAT") || IsCommand(kind, "SEND")) {
            if (!shell || !shell->TakeDccOffer(session, body, prefix))
                ReceiveDccOffer(session, body, prefix);
        } else if ((IsCommand(kind, "RESUME") || IsCommand(kind, "ACCEPT")) && shell) {
            // About a transfer of ours: only the DCC code knows it.
            shell->TakeDccOffer(session, body, prefix);
        }
    } else if (IsCommand(command, "ACTION")) {
        const std::string action = GetRest(body, 2);
        const std::string shown = StrPrintf("* %s: %s", sender.c_str(), action.c_str());
        Conversation *own = EqualIgnoringCase(sender, session.Nick()) ? session.OwnLineWindow(target) : nullptr;
        const bool printed = own ? own->Print(shown, TextClass::High) : session.PrintTo(target, TextClass::High, shown);
        // A line played back again names nobody anew.
        if (printed || !session.IsPlayedBack())
            session.NoteMessage(target, sender, action, EqualIgnoringCase(target, session.Nick()));
    }
    return 1;
}

Ctcp::PropertyUpdate Ctcp::PropertyUpdateOf(const std::string &line, int64_t now)
{
    PropertyUpdate update;
    const std::string command = GetWord(line, 2);
    if (command == "NOTICE") {
        update.nick = NickFromPrefix(GetWord(line, 1));
        const std::string text = StripColon(GetRest(line, 4));
        if (text.empty() || text[0] != kMarker)
            return update;
        const std::string body = Body(text);
        const std::string reply = GetWord(body, 1);
        if (IsCommand(reply, "VERSION")) {
            update.field = PropertyUpdate::Version;
            update.value = StripCodes(GetRest(body, 2));
        } else if (IsCommand(reply, "TIME")) {
            update.field = PropertyUpdate::Time;
            update.value = GetRest(body, 2);
        } else if (IsCommand(reply, "PING") || IsCommand(reply, "PONG")) {
            update.field = PropertyUpdate::Speed;
            update.value = Strings::Format(Str::PingReply, update.nick.c_str(), SecondsSince(GetWord(body, 2), now));
        }
        return update;
    }
    update.nick = GetWord(line, 4);
    if (command == "311") {
        update.field = PropertyUpdate::Address;
        update.value = GetWord(line, 6);
        update.fullName = StripColon(GetRest(line, 8));
    } else if (command == "319") {
        update.field = PropertyUpdate::Channels;
        update.value = StripColon(GetRest(line, 5));
    } else if (command == "301") {
        update.field = PropertyUpdate::Away;
        update.value = StripColon(GetRest(line, 5));
    } else if (command == "312") {
        update.field = PropertyUpdate::Server;
        update.value = GetRest(line, 5);
    } else if (command == "317") {
        update.field = PropertyUpdate::SignOn;
        update.value = TimeText(GetWord(line, 6));
    }
    return update;
}

int Ctcp::ReplyFeed(Session &session, const std::string &text, const std::string &line)
{
    (void)text; // the line carries the reply; PropertyUpdateOf reads it from there
    if (session.PropertySheetNicks().empty())
        return 0;
    const PropertyUpdate update = PropertyUpdateOf(line, std::time(nullptr));
    if (update.field == PropertyUpdate::None || update.nick.empty())
        return 0;
    Shell *shell = session.GetShell();
    int taken = 0;
    for (const std::string &nick : session.PropertySheetNicks()) {
        if (!EqualIgnoringCase(nick, update.nick))
            continue;
        if (shell)
            shell->UserPropertiesLine(session.Key(), nick, line);
        taken = 1;
    }
    return taken;
}

void Ctcp::ShowReply(Session &session, const std::string &sender, const std::string &body, int64_t now)
{
    const std::string reply = GetWord(body, 1);
    std::string text;
    if (IsCommand(reply, "VERSION"))
        text = Strings::Format(Str::VersionReply, sender.c_str(), GetRest(body, 2).c_str());
    else if (IsCommand(reply, "TIME"))
        text = Strings::Format(Str::TimeReply, sender.c_str(), GetRest(body, 2).c_str());
    else if (IsCommand(reply, "PING"))
        text = Strings::Format(Str::PingReply, sender.c_str(), SecondsSince(GetWord(body, 2), now));
    if (text.empty())
        return;
    if (Shell *shell = session.GetShell())
        shell->PopupLine(ConvertToHtml(text));
}
