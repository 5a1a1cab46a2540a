// The commands about the connection itself: new sessions, quitting, closing
// windows and sessions, registering again and the periodic tick.
#include "commands/CommandHandlers.h"
#include "config/Config.h"
#include "config/ServerPort.h"
#include "conversation/Conversation.h"
#include "session/IgnoreList.h"
#include "session/Session.h"
#include "session/SessionTable.h"
#include "text/CaseFold.h"
#include "text/StrPrintf.h"
#include "text/Strings.h"
#include "text/TextClass.h"
#include "text/Words.h"

namespace {

const char *const kDefaultHost = "127.0.0.1";

} // namespace

namespace Commands {

int Server(Session &session, const std::string &, const std::string &line)
{
    const std::string hostWord = GetWord(line, 2);
    const std::string host = hostWord.empty() ? std::string(kDefaultHost) : hostWord;
    ServerPort port{ServerPort::kDefaultPort, false};
    if (CountWords(line) >= 3) {
        const std::string portWord = GetWord(line, 3);
        port = ServerPort::Parse(portWord);
        if (!port.IsValid()) {
            session.PrintTo("", TextClass::Error, Strings::Format(Str::BadPort, portWord.c_str()));
            return 0;
        }
    }
    SessionTable &table = session.Table();
    table.CreateSession(host, port.port, std::string(), port.tls);
    // The window without a server has done its part: the new session's
    // window takes its place. The key is copied: closing destroys its owner.
    if (session.HasNoServer()) {
        const std::string key = session.Key();
        table.CloseSession(key);
    }
    return 1;
}

int Quit(Session &session, const std::string &, const std::string &line)
{
    std::string quit = "QUIT";
    if (CountWords(line) >= 2)
        quit += " :" + GetRest(line, 2);
    session.SendLine(quit);
    session.NoteQuitSent();
    return 1;
}

int Close(Session &session, const std::string &window, const std::string &line)
{
    // Without a name (the command pop-up leaves "/close " with a blank) the
    // window it was typed in closes; the server window's name is the
    // session's key, so there (or with no window) the session closes.
    const std::string word = GetWord(line, 2);
    const std::string named = word.empty() ? window : word;
    const std::string name = FoldCase(named.empty() ? session.Key() : named);
    // A window of this session comes first: a private window may well bear
    // the name of a network. Only a name that is no such window (or the
    // server window) names a session.
    const Conversation *closed = session.FindWindow(name);
    SessionTable &table = session.Table();
    Session *closing = closed && closed->Type() != Conversation::TypeStatus ? nullptr : table.FindSession(name);
    if (closing) {
        // The key is copied: closing destroys the session that holds it.
        const std::string key = closing->Key();
        return table.CloseSession(key) ? 1 : 0;
    }
    // The closing text goes only to a window that is open: a name without
    // one may well be someone's nick.
    // A direct chat window's name is no one's on the server: nothing is sent there.
    const std::string partMessage = ReadString("Msgs Part");
    if (!partMessage.empty() && closed && !closed->DccChat())
        session.Command("", 0, StrPrintf("/action %s %s", name.c_str(), partMessage.c_str()));
    if (!session.CloseWindow(name))
        session.PrintTo("", TextClass::Info, Strings::Format(Str::CannotClose, name.c_str()));
    return 1;
}

int RegUser(Session &session, const std::string &, const std::string &)
{
    session.Register();
    return 1;
}

int Timer(Session &session, const std::string &, const std::string &)
{
    session.Tick();
    IgnoreList::Expire(session.Ignores(), Now());
    session.LiftExpiredBans(Now());
    return 1;
}

int Reconnect(Session &session, const std::string &, const std::string &)
{
    session.ReconnectNow();
    return 1;
}

} // namespace Commands
