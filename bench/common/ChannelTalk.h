#pragma once

#include "text/TextClass.h"

#include <random>
#include <string>
#include <vector>

// A realistic, repeatable mix of what a busy channel window prints, for the
// benchmarks that fill windows.
namespace ChannelTalk {

struct Line
{
    std::string text;
    TextClass textClass;
};

// count distinct nicks (distinct without regard to case, as the nick list
// compares them), some of them operators ("@") or voiced ("+").
std::vector<std::string> MakeMembers(std::mt19937 &random, int count = 500);
// A member's nick without its "@" or "+".
std::string Bare(const std::string &member);
// 2000 lines: talk with nicks, colours, bold, addresses and smileys, and
// joins, parts and mode changes. With slovak, a sixth of the talk also has
// words with Slovak letters beyond Latin-1 (the same draws otherwise).
std::vector<Line> MakeMix(const std::vector<std::string> &members, std::mt19937 &random, bool slovak = false);

} // namespace ChannelTalk
