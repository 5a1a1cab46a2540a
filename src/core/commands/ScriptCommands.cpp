// The command surface of the script engine: loading and unloading scripts.
#include "commands/CommandDispatcher.h"
#include "commands/CommandHandlers.h"
#include "conversation/Conversation.h"
#include "conversation/ScriptHost.h"
#include "conversation/ScriptLoad.h"
#include "conversation/Shell.h"
#include "script/Script.h"
#include "session/Session.h"
#include "text/Words.h"

namespace {

const int kRefreshAfterScripts = Shell::RefreshMenus | Shell::RefreshWindowBar | Shell::RefreshSettings;

void RefreshShell(Session &session)
{
    if (Shell *shell = session.GetShell())
        shell->RefreshShell(kRefreshAfterScripts);
}

} // namespace

namespace Commands {

int Load(Session &session, const std::string &, const std::string &line)
{
    const std::optional<ScriptLoad> load = ScriptLoad::Parse(line);
    Conversation *window = load ? session.FindWindow(load->window) : nullptr;
    if (!window)
        return 0;
    if (ScriptHost *host = CommandDispatcher::ScriptHostOf(session))
        host->LoadScript(*window, load->path, load->announce);
    else
        window->Scripts()[Script::NameOf(load->path)] =
            load->path; // without an engine the window still knows its scripts
    RefreshShell(session);
    return 1;
}

int Unload(Session &session, const std::string &, const std::string &line)
{
    if (CountWords(line) < 3)
        return 0;
    Conversation *window = session.FindWindow(GetWord(line, 2));
    const std::string path = GetRest(line, 3);
    if (!window || path.empty())
        return 0;
    if (ScriptHost *host = CommandDispatcher::ScriptHostOf(session))
        host->UnloadScript(*window, path);
    else
        window->Scripts().erase(Script::NameOf(path));
    RefreshShell(session);
    return 1;
}

} // namespace Commands
