#pragma once

#include <string>

class Conversation;

// The script engine as the command language sees it. The application's
// Shell::Scripts supplies it; without one, "/load" only records the script
// in its window and no script ever takes a line.
class ScriptHost
{
public:
    virtual ~ScriptHost() = default;

    // Loads the script file into the window (replacing a script of the same
    // name), printing the load when announce is set and any error always.
    virtual void LoadScript(Conversation &window, const std::string &path, bool announce) = 0;
    // Unloads the script of that file from the window; nothing when it is not loaded.
    virtual void UnloadScript(Conversation &window, const std::string &path) = 0;
    // Offers a command line issued from the window to its script of that
    // name; true when the script took it.
    virtual bool OfferCommand(Conversation &window, const std::string &scriptName, const std::string &line) = 0;
};
