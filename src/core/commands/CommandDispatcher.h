#pragma once

#include <string>

#include "session/CommandRunner.h"

class ScriptHost;

// The command language: every slash-command line that the user, a menu, a
// clickable text, a dialog, a script or the program itself hands to a
// session. One table maps the command word (compared whole, without regard
// to ASCII case) to its handler; after the handler the line is offered to
// the scripts of the issuing window; unknown and misused commands are
// reported in Slovak; every line is logged with its result.
// Session::Command is the entry; this is its body (the session table holds
// the dispatcher as its CommandRunner).
class CommandDispatcher final : public CommandRunner
{
public:
    // Runs one command line for the session (window: the issuing window's
    // name, may be empty; kind: the issuing window's kind, unused). Returns
    // 1 done, 0 unknown or misused. A line that closes the session returns
    // without touching it again. Only the part of the line before the first
    // CR, LF or NUL is a command: the rest is dropped.
    int Run(Session &session, const std::string &window, int kind, const std::string &line) override;

    // The script engine of the application the session belongs to (its
    // Shell's); null when there is none.
    static ScriptHost *ScriptHostOf(const Session &session);
};
