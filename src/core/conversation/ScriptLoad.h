#pragma once

#include <optional>
#include <string>

// A script file to load into a window, as the command line
// "/load [-q] window file" says it. Every "/load" the program issues is
// written by CommandLine, and the command reads it with Parse.
struct ScriptLoad
{
    // The script every new window loads quietly, from the program's folder.
    static constexpr const char *kDefaultScript = "brimo.tcl";

    std::string window;   // the window's name (the session key for its status window)
    std::string path;     // the script file; blanks are part of it
    bool announce = true; // false: "-q", loaded without a line about it

    // "/load window file", with "-q " before the window when not announced.
    std::string CommandLine() const;
    // Reads a "/load" line from its second word on: "-q" (any number of them,
    // before the window) silences the load, the first other word is the window and the rest of
    // the line after it is the file. nullopt without a window or a file.
    static std::optional<ScriptLoad> Parse(const std::string &line);

    bool operator==(const ScriptLoad &other) const = default;
};
