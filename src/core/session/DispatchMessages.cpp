// Messages: NOTICE and PRIVMSG with a prefix (CTCP goes to Ctcp), and the
// away confirmations 305 / 306.
#include "session/DispatchHandlers.h"

#include <ctime>

#include "config/AddressBook.h"
#include "config/Config.h"
#include "conversation/Conversation.h"
#include "conversation/NickList.h"
#include "conversation/Question.h"
#include "conversation/Shell.h"
#include "session/BouncerNicks.h"
#include "session/Ctcp.h"
#include "session/Session.h"
#include "session/SessionTable.h"
#include "text/CaseFold.h"
#include "text/IrcCodes.h"
#include "text/StrPrintf.h"
#include "text/Strings.h"
#include "text/Words.h"

namespace Dispatch {

namespace {

// The sounds of the address-book alert.
constexpr int kSimpleBeep = 0;
constexpr int kInformationBeep = 64;

void Popup(Session &session, const std::string &text)
{
    if (Shell *shell = session.GetShell())
        shell->PopupLine(ConvertToHtml(text));
}

// The alert mode of an address-book contact (its notify mode); 0 for anyone
// else.
int AlertMode(const Session &session, const std::string &sender)
{
    if (sender.empty())
        return 0;
    const ContactList &contacts = session.Table().Contacts();
    if (contacts.IsLoaded() && !contacts.IsContact(sender))
        return 0;
    return AddressBook::Find(sender).notify;
}

void AddressBookAlert(Session &session, const std::string &sender, const std::string &target)
{
    const int mode = AlertMode(session, sender);
    if (mode == 0)
        return;
    const bool toMe = EqualIgnoringCase(target, session.Nick());
    int sound = -1;
    if (mode == 1 || (mode == 3 && toMe))
        sound = kSimpleBeep;
    else if (mode == 2 || (mode == 4 && toMe))
        sound = kInformationBeep;
    if (sound >= 0) {
        if (Shell *shell = session.GetShell())
            shell->Beep(sound);
    }
}

// Returns whether the message was shown (not held for the question, nor known already).
bool PrivateMessage(Session &session, const std::string &line, const std::string &sender, const std::string &text)
{
    const std::string shown = StrPrintf("%s: %s", sender.c_str(), text.c_str());
    if (Conversation *window = session.FindWindow(sender))
        return window->Print(shown, TextClass::Text);
    // The bouncer's own voice answers what the user asked of it: its own window, always.
    const bool bouncer = IsBouncerNick(sender);
    if (!bouncer && !ReadBool("Open Query Window"))
        return session.PrintTo(sender, TextClass::Text, shown);
    // What a bouncer plays back was said long ago: no chat to accept.
    if (!bouncer && ReadBool("Query Dialog") && !session.IsPlayedBack()) {
        std::string notice;
        if (!session.Requests().Add({Question::PrivateChat, std::time(nullptr), sender, text, {}}, notice)) {
            session.Log("No room among the pending requests, dropped the message of %s", sender.c_str());
            if (!notice.empty())
                session.PrintTo("", TextClass::Error, notice);
            return false;
        }
        if (Shell *shell = session.GetShell())
            shell->AskQuestion(
                Question::ForRequest(Question::PrivateChat, StripColon(GetWord(line, 1)), session.Key()));
        return false;
    }
    Conversation *window = session.OpenWindow(sender, Conversation::KindText, Conversation::TypePrivate);
    if (!window)
        return false;
    window->SetType(Conversation::TypePrivate);
    return window->Print(shown, TextClass::Text);
}

} // namespace

int Notice(Session &session, const std::string &line)
{
    const std::string who = NickFromPrefix(GetWord(line, 1));
    std::string text = StripColon(GetRest(line, CountWords(line) == 3 ? 3 : 4));
    const bool ctcpReply = !text.empty() && text[0] == Ctcp::kMarker;
    if (ctcpReply) {
        text.erase(0, 1);
        Ctcp::ReplyFeed(session, text, line); // open user-property sheets fill in what they show
    }
    if (!text.empty() && text.back() == Ctcp::kMarker)
        text.pop_back();

    if (session.WhoisToAll()) {
        if (ctcpReply)
            Ctcp::ShowReply(session, who, text, std::time(nullptr));
        else
            Popup(session, StrPrintf("notice %s: %s", who.c_str(), text.c_str()));
        return 1;
    }
    if (ctcpReply)
        return 1;
    const std::string shown = StrPrintf("[NOTICE] %s: %s", who.c_str(), text.c_str());
    if (ReadBool("Notice Msgs To Wnd")) {
        Conversation *window = session.FindWindow(who);
        if (!window)
            window = session.OpenWindow(who, Conversation::KindText, Conversation::TypePrivate);
        if (window)
            window->Print(shown, TextClass::Info);
        return 1;
    }
    session.PrintTo("", TextClass::Info, shown);
    return 1;
}

int Privmsg(Session &session, const std::string &line)
{
    const std::string sender = NickFromPrefix(GetWord(line, 1));
    const std::string target = GetWord(line, 3);
    const std::string text = StripColon(GetRest(line, 4));

    AddressBookAlert(session, sender, target);
    if (!text.empty() && text[0] == Ctcp::kMarker)
        return Ctcp::Request(session, line);
    const bool toMe = EqualIgnoringCase(target, session.Nick());
    const bool fromMe = EqualIgnoringCase(sender, session.Nick());
    const std::string shown = StrPrintf("%s: %s", sender.c_str(), text.c_str());
    bool printed;
    if (toMe)
        printed = PrivateMessage(session, line, sender, text);
    else if (Conversation *own = fromMe ? session.OwnLineWindow(target) : nullptr)
        printed = own->Print(shown, TextClass::Text);
    else
        printed = session.PrintTo(target, TextClass::Text, shown);
    // A line played back again names nobody anew.
    if (printed || !session.IsPlayedBack())
        session.NoteMessage(toMe ? sender : target, sender, text, toMe);
    return 1;
}

int AwayReply(Session &session, const std::string &line)
{
    const bool away = GetWord(line, 2) == "306";
    session.SetAway(away);
    const std::string &nick = session.Nick();
    for (Conversation *window : session.Windows()) {
        if (!window->Nicks().FindNick(nick))
            continue;
        window->Nicks().SetNickAway(nick, away ? "AWAY" : "");
        window->NickListChanged();
    }
    return 1;
}

} // namespace Dispatch
