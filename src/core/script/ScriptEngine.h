// The script engine: loads Tcl scripts into windows and offers them lines.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "conversation/ScriptHost.h"

class Script;
class Shell;

// The script host of the application: "/load", "/unload" and the
// dispatcher's script hook reach it. A window owns the scripts loaded into
// it (Conversation::ScriptObjects), so its interpreters end with it and
// follow it through a rename.
class ScriptEngine : public ScriptHost
{
public:
    // libraryNames: where to look for Tcl (tests name a missing one).
    explicit ScriptEngine(std::vector<std::string> libraryNames);
    ScriptEngine();
    ~ScriptEngine() override;

    // A script bound to owner (null: the editor's parse check); null when
    // the Tcl library cannot be loaded.
    std::shared_ptr<Script> CreateScript(Conversation *owner) const;
    // How long each evaluation of the scripts made from now on may run
    // (Script::kTimeLimitMs unless changed).
    void SetTimeLimit(int milliseconds) { m_timeLimitMs = milliseconds; }
    // Whether the Tcl library can be loaded.
    bool HasLibrary() const;
    // What the user is told when it cannot: "%s\n%s" of 57430 and 57431.
    static std::string MissingLibraryText();

    // ScriptHost. A quiet load (announce off) says nothing when the library
    // or the file is missing, so the default load of every new window stays
    // silent; an explicit one reports both. Errors of the script itself are
    // always printed in the window.
    void LoadScript(Conversation &window, const std::string &path, bool announce) override;
    void UnloadScript(Conversation &window, const std::string &path) override;
    bool OfferCommand(Conversation &window, const std::string &scriptName, const std::string &line) override;

private:
    static void ReportMissingLibrary(Conversation &window);

    std::vector<std::string> m_libraryNames;
    int m_timeLimitMs;
};
