#include "conversation/ScriptLoad.h"

#include "text/Words.h"

namespace {

constexpr const char *kQuiet = "-q";

} // namespace

std::string ScriptLoad::CommandLine() const
{
    return std::string("/load ") + (announce ? "" : std::string(kQuiet) + " ") + window + " " + path;
}

std::optional<ScriptLoad> ScriptLoad::Parse(const std::string &line)
{
    ScriptLoad load;
    int n = 2;
    for (; GetWord(line, n) == kQuiet; ++n)
        load.announce = false;
    load.window = GetWord(line, n);
    load.path = GetRest(line, n + 1);
    if (load.window.empty() || load.path.empty())
        return std::nullopt;
    return load;
}
