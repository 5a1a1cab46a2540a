#pragma once

#include <string>
#include <string_view>
#include <vector>

// The one-line help texts of the built-in commands, read once from the
// program's resource (":/commands/help.txt"). Each line is the command word
// without its slash, one blank and the Slovak description; a literal
// backslash-n pair inside a description stands for a line break. The command
// pop-up of the input line and /help read them from here.
class CommandHelp
{
public:
    // Every help line, in the resource's order. Loaded on the first call.
    static const std::vector<std::string> &Lines();

    // The description of a built-in command (name without the slash, compared
    // without regard to ASCII case); empty when the command has none.
    static std::string Description(std::string_view command);

    // Splits a help line into its command word and description.
    static void SplitLine(const std::string &line, std::string &name, std::string &description);
};
