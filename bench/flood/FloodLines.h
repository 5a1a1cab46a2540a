#pragma once

#include <string>
#include <vector>

// The server side of the flood: the registration and channel set-up lines,
// and a realistic, repeatable mix of channel traffic.
class FloodLines
{
public:
    static constexpr int kMembers = 500;
    static constexpr const char *kChannel = "#flood";

    // 001, our JOIN, the NAMES of kMembers members and its end.
    static std::string Setup(const std::string &nick);
    // count lines: 90 % channel PRIVMSG with colours, nicks and addresses;
    // the rest JOIN, PART, QUIT, MODE and NICK of guests and members.
    static std::string Flood(int count);
};
