#pragma once

#include <functional>
#include <string>

class ScriptHost;
class Session;

// The command language: every slash-command line that the user, a menu, a
// clickable text, a dialog, a script or the program itself hands to a
// session. One table maps the command word (compared whole, without regard
// to ASCII case) to its handler; after the handler the line is offered to
// the scripts of the issuing window; unknown and misused commands are
// reported in Slovak; every line is logged with its result.
// Session::Command is the entry; this is its body.
class CommandDispatcher
{
public:
    // A built-in handler: the session, the issuing window's name (may be
    // empty) and the whole line. 1 done, 0 too few words or unusable.
    using Handler = std::function<int(Session &session, const std::string &window, const std::string &line)>;

    // Runs one command line for the session (window: the issuing window's
    // name, may be empty; kind: the issuing window's kind, unused). Returns
    // 1 done, 0 unknown or misused. A line that closes the session returns
    // without touching it again. Only the part of the line before the first
    // CR, LF or NUL is a command: the rest is dropped.
    static int Run(Session &session, const std::string &window, int kind, const std::string &line);

    // The script engine that loads scripts and is offered every line issued
    // from a window that has scripts; null: none (the default).
    static void SetScriptHost(ScriptHost *host);
    static ScriptHost *GetScriptHost();

    // The handler of "/dcc" (the DCC code registers it); without one, "/dcc"
    // is a recognised command that does nothing and returns 0.
    static void SetDccHandler(Handler handler);
};
