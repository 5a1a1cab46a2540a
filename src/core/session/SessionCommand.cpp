// The session's command entry: the command language itself lives in
// src/core/commands (CommandDispatcher and its handlers).
#include "session/Session.h"

#include "commands/CommandDispatcher.h"

int Session::Command(const std::string &window, int kind, const std::string &line)
{
    // A command may close this session; it is deleted only after the
    // outermost running handler has returned.
    BusyGuard guard(*this);
    return CommandDispatcher::Run(*this, window, kind, line);
}
