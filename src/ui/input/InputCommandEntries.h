// The entries of the command pop-up: built-in commands and script procedures.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// One entry of the command pop-up: a built-in command from the help lines or
// a "proc /name" procedure of a script loaded in the window.
struct CommandEntry
{
    std::string name; // without the slash
    bool script = false;
    std::string description; // may be empty; a backslash-n pair stands for a line break

    // The entry as the pop-up keeps it: "%s 0 %s" for a built-in command,
    // "%s 1" (followed by " %s" with a description) for a script command.
    std::string Text() const;
};

// Builds the pop-up's entries.
class InputCommandEntries
{
public:
    // A script line of at least six words whose first word is "proc" and whose
    // second starts with '/' defines a command; the rest of the line from a
    // later word starting with '#', without the '#' and trimmed, describes it.
    static bool ParseScriptLine(std::string_view line, CommandEntry &entry);

    // The commands defined in a script file; a relative path is taken from
    // baseDirectory. An unreadable file gives nothing.
    static std::vector<CommandEntry> ReadScript(const std::string &path, const std::string &baseDirectory);

    // The built-in commands of the help lines, then those of every script,
    // sorted by name without regard to case (stable: equal names keep that order).
    static std::vector<CommandEntry> Build(const std::vector<std::string> &helpLines,
                                           const std::vector<std::string> &scriptPaths,
                                           const std::string &baseDirectory);

    // The description as shown: each backslash-n pair becomes a line break.
    static std::string DisplayDescription(std::string_view description);
};
