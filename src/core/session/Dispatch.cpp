// Interpretation of the lines the server sends: first the change of state,
// then what the user sees. Lines no handler takes: numerics are shown with
// their code, anything else as it came.
#include "session/Session.h"

#include <cstdlib>

#include "config/Config.h"
#include "config/Strings.h"
#include "text/StrPrintf.h"
#include "text/Words.h"

struct Session::DispatchEntry
{
    const char *word;
    // Returns 1 when the line was handled; 0 lets a numeric show raw.
    int (*handler)(Session &session, const std::string &line);
};

namespace {

// The text after the first colon of the line; empty without a colon.
std::string AfterFirstColon(const std::string &line)
{
    const size_t colon = line.find(':');
    return colon == std::string::npos ? std::string() : line.substr(colon + 1);
}

int Ping(Session &session, const std::string &line)
{
    const std::string argument = AfterFirstColon(line);
    const bool showPing = ReadBool("Show Ping");
    if (!argument.empty()) {
        session.SendLine("PONG " + argument);
        if (showPing)
            session.PrintTo("", TextClass::Info, Strings::Format(1010, argument.c_str()));
    } else {
        session.SendLine("PONG");
        if (showPing)
            session.PrintTo("", TextClass::Info, Strings::Get(1009));
    }
    return 1;
}

int NumericValue(const std::string &word)
{
    if (word.empty() || word.size() > 3)
        return 0;
    for (char c : word) {
        if (c < '0' || c > '9')
            return 0;
    }
    return std::atoi(word.c_str());
}

} // namespace

const Session::DispatchEntry *Session::FindDispatch(const std::string &word)
{
    static const DispatchEntry handlers[] = {
        {"NICK", [](Session &s, const std::string &l) { s.NickChanged(l); return 1; }},
        {"001", [](Session &s, const std::string &l) {
             s.Welcome(l);
             s.m_connecting = false;
             return 0; // the welcome text itself shows raw
         }},
        {"432", [](Session &s, const std::string &l) { return s.NickRejected(432, l); }},
        {"433", [](Session &s, const std::string &l) { return s.NickRejected(433, l); }},
        {"451", [](Session &s, const std::string &) { return s.Command("", 0, "/reguser"); }},
    };
    for (const DispatchEntry &entry : handlers) {
        if (word == entry.word)
            return &entry;
    }
    return nullptr;
}

void Session::DispatchServerLine(const std::string &line)
{
    BusyGuard guard(*this);
    const std::string first = GetWord(line, 1);
    if (first == "PING") {
        Ping(*this, line);
        return;
    }
    if (first == "NOTICE") {
        PrintTo("", TextClass::Info, AfterFirstColon(line));
        return;
    }
    if (first == "ERROR") {
        PrintTo("", TextClass::Error, AfterFirstColon(line));
        return;
    }
    if (CountWords(line) < 2)
        return;

    const std::string command = GetWord(line, 2);
    int handled = 0;
    if (const DispatchEntry *entry = FindDispatch(command))
        handled = entry->handler(*this, line);
    if (handled || m_deleteWhenIdle)
        return;
    if (const int numeric = NumericValue(command))
        PrintTo("", TextClass::Info, StrPrintf("[ %04d ] %s", numeric, StripColon(GetRest(line, 4)).c_str()));
    else
        PrintTo("", TextClass::Info, line);
}
