// The commands that open the application's own windows: help, debug and the
// channel search.
#include "commands/CommandHandlers.h"
#include "conversation/Shell.h"
#include "session/Session.h"
#include "text/CaseFold.h"
#include "text/Strings.h"
#include "text/Words.h"

namespace Commands {

int Search(Session &session, const std::string &, const std::string &line)
{
    Shell *shell = session.GetShell();
    if (!shell)
        return 0;
    const std::string option = GetWord(line, 2);
    // Closing needs no window made first.
    if (EqualIgnoringAsciiCase(option, "close"))
        return shell->CloseSearchWindow(session.Key()) ? 1 : 0;
    if (!shell->OpenSearchWindow(session.Key()))
        return 0;
    if (option == "start"
        && shell->MessageBox(Strings::Get(Str::SearchWarning), "Brimo", Shell::ButtonsYesNo | Shell::DefaultSecond)
            == Shell::AnswerYes)
        session.SendLine("LIST");
    return 1;
}

int Debug(Session &session, const std::string &, const std::string &)
{
    Shell *shell = session.GetShell();
    return shell && shell->OpenDebugWindow() ? 1 : 0;
}

int Help(Session &session, const std::string &, const std::string &)
{
    if (Shell *shell = session.GetShell())
        shell->OpenHelpWindow();
    return 1;
}

} // namespace Commands
