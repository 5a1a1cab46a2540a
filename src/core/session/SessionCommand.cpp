// The commands a session itself needs: registration, nick, the periodic tick,
// quitting, raw lines, closing. One table; the full command language grows
// from here.
#include "session/Session.h"

#include "config/Config.h"
#include "session/NameCase.h"
#include "session/SessionTable.h"
#include "text/StrPrintf.h"
#include "text/Words.h"

struct Session::CommandEntry
{
    const char *word;
    int (*handler)(Session &session, const std::string &window, int kind, const std::string &line);
};

namespace {

int RawLine(Session &session, const std::string &line)
{
    if (CountWords(line) < 2)
        return 0;
    session.SendLine(GetRest(line, 2));
    return 1;
}

int Quit(Session &session, const std::string &line)
{
    std::string quit = "QUIT";
    if (CountWords(line) >= 2)
        quit += " :" + GetRest(line, 2);
    session.SendLine(quit);
    return 1;
}

int Close(Session &session, const std::string &line)
{
    const std::string name = LowerName(CountWords(line) >= 2 ? GetWord(line, 2) : session.Key());
    SessionTable &table = session.Table();
    if (Session *closing = table.FindSession(name)) {
        const std::string key = closing->Key();
        return table.CloseSession(key) ? 1 : 0;
    }
    const std::string partMessage = ReadString("Msgs Part");
    if (!partMessage.empty())
        session.Command("", 0, StrPrintf("/action %s %s", name.c_str(), partMessage.c_str()));
    if (!session.CloseWindow(name))
        session.PrintTo("", TextClass::Info, StrPrintf("Cannot close: %s", name.c_str()));
    return 1;
}

} // namespace

const Session::CommandEntry *Session::FindCommand(const std::string &word)
{
    static const CommandEntry commands[] = {
        {"/reguser", [](Session &s, const std::string &, int, const std::string &) { return s.Register(); }},
        {"/nick", [](Session &s, const std::string &, int, const std::string &l) { return s.NickCommand(l); }},
        {"/timer", [](Session &s, const std::string &, int, const std::string &) { return s.Tick(); }},
        {"/quit", [](Session &s, const std::string &, int, const std::string &l) { return Quit(s, l); }},
        {"/servermsg", [](Session &s, const std::string &, int, const std::string &l) { return RawLine(s, l); }},
        {"/quote", [](Session &s, const std::string &, int, const std::string &l) { return RawLine(s, l); }},
        // Scripts come with the script engine; until then nothing is loaded.
        {"/load", [](Session &, const std::string &, int, const std::string &) { return 0; }},
        {"/close", [](Session &s, const std::string &, int, const std::string &l) { return Close(s, l); }},
    };
    const std::string lower = LowerName(word);
    for (const CommandEntry &entry : commands) {
        if (lower == entry.word)
            return &entry;
    }
    return nullptr;
}

int Session::Command(const std::string &window, int kind, const std::string &line)
{
    BusyGuard guard(*this);
    const CommandEntry *entry = FindCommand(GetWord(line, 1));
    const int result = entry ? entry->handler(*this, window, kind, line) : 0;
    Log("Command: %s (%d)", line.c_str(), result);
    if (!m_deleteWhenIdle) {
        m_lastCommand = line;
        m_lastResult = result;
    }
    return result;
}
