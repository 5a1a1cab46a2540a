#include "script/ScriptEngine.h"

#include <QFileInfo>

#include "conversation/Conversation.h"
#include "conversation/Shell.h"
#include "script/Script.h"
#include "script/TclLibrary.h"
#include "session/Session.h"
#include "text/Strings.h"

ScriptEngine::ScriptEngine(std::vector<std::string> libraryNames)
    : m_libraryNames(std::move(libraryNames)), m_timeLimitMs(Script::kTimeLimitMs)
{}

ScriptEngine::ScriptEngine() : ScriptEngine(TclLibrary::DefaultNames()) {}

ScriptEngine::~ScriptEngine() = default;

std::shared_ptr<Script> ScriptEngine::CreateScript(Conversation *owner) const
{
    TclLibrary *tcl = TclLibrary::Open(m_libraryNames);
    return tcl ? std::make_shared<Script>(*tcl, owner, m_timeLimitMs) : nullptr;
}

bool ScriptEngine::HasLibrary() const
{
    return TclLibrary::Open(m_libraryNames) != nullptr;
}

std::string ScriptEngine::MissingLibraryText()
{
    return std::string(Strings::Get(Str::ScriptSupportMissing)) + "\n" + Strings::Get(Str::ScriptSupportHelp);
}

void ScriptEngine::ReportMissingLibrary(Conversation &window)
{
    Session *session = Session::Of(window);
    if (Shell *shell = session ? session->GetShell() : nullptr)
        shell->MessageBox(MissingLibraryText(), "Brimo", Shell::ButtonsOk);
}

void ScriptEngine::LoadScript(Conversation &window, const std::string &path, bool announce)
{
    if (!announce && (!QFileInfo::exists(QString::fromStdString(Script::ResolvePath(path))) || !HasLibrary()))
        return;
    const std::string name = Script::NameOf(path);
    if (window.Scripts().count(name) || window.ScriptObjects().count(name))
        UnloadScript(window, path);

    std::shared_ptr<Script> script = CreateScript(&window);
    if (!script) {
        ReportMissingLibrary(window);
        return;
    }
    const int result = script->Init(path);
    // The file's own commands may have closed the window.
    if (!script->Owner())
        return;
    if (result != 0) {
        window.Print(Strings::Format(Str::ScriptLoadFailed, path.c_str()), TextClass::Info);
        window.Print(script->ErrorText(), TextClass::Info);
        script->DetachOwner();
        return;
    }
    if (announce)
        window.Print(Strings::Format(Str::ScriptLoaded, script->Name().c_str()), TextClass::Info);
    if (window.ScriptObjects().count(name)) // the file loaded itself again meanwhile
        UnloadScript(window, path);
    window.Scripts()[name] = path;
    window.ScriptObjects()[name] = std::move(script);
}

void ScriptEngine::UnloadScript(Conversation &window, const std::string &path)
{
    const std::string name = Script::NameOf(path);
    if (!window.Scripts().count(name) && !window.ScriptObjects().count(name))
        return;
    window.Print(Strings::Format(Str::ScriptUnloaded, name.c_str()), TextClass::Info);
    window.Scripts().erase(name);
    auto found = window.ScriptObjects().find(name);
    if (found == window.ScriptObjects().end())
        return;
    // A script that unloads itself is still running: it is released when
    // its evaluation returns, and reaches the window no more.
    found->second->DetachOwner();
    window.ScriptObjects().erase(found);
}

bool ScriptEngine::OfferCommand(Conversation &window, const std::string &scriptName, const std::string &line)
{
    auto found = window.ScriptObjects().find(scriptName);
    if (found == window.ScriptObjects().end())
        return false;
    const std::shared_ptr<WindowScript> keepAlive = found->second;
    return keepAlive->OfferCommand(line);
}
