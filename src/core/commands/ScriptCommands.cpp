// The command surface of the script engine: loading and unloading scripts.
#include "commands/CommandDispatcher.h"
#include "commands/CommandHandlers.h"
#include "conversation/Conversation.h"
#include "conversation/ScriptHost.h"
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
    const int count = CountWords(line);
    if (count < 3)
        return 0;
    bool announce = true;
    bool haveWindow = false;
    std::string windowName, path;
    for (int n = 2; n <= count; ++n) {
        const std::string word = GetWord(line, n);
        if (!haveWindow && word == "-q") {
            announce = false;
        } else if (!haveWindow) {
            windowName = word;
            haveWindow = true;
        } else {
            path = GetRest(line, n);
            break;
        }
    }
    Conversation *window = haveWindow ? session.FindWindow(windowName) : nullptr;
    if (!window || path.empty())
        return 0;
    if (ScriptHost *host = CommandDispatcher::ScriptHostOf(session))
        host->LoadScript(*window, path, announce);
    else
        window->Scripts()[Script::NameOf(path)] = path; // without an engine the window still knows its scripts
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
