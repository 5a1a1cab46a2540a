// The session's command entry: the command language itself lives in
// src/core/commands (CommandDispatcher and its handlers), which the session
// reaches as its table's CommandRunner.
#include "session/CommandRunner.h"
#include "session/Session.h"
#include "session/SessionTable.h"

int Session::Command(const std::string &window, int kind, const std::string &line)
{
    // A command may close this session; it is deleted only after the
    // outermost running handler has returned.
    BusyGuard guard(*this);
    return m_table.Commands().Run(*this, window, kind, line);
}
