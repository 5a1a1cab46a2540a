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
    // 001 and, for each of channels channels, our JOIN, its topic, the NAMES
    // of members members (a nick list of its own) and its end.
    static std::string Setup(const std::string &nick, int channels, int members);
    // The name of channel k of the set-up (channel 0 is kChannel).
    static std::string Channel(int k);
    // count lines: 90 % channel PRIVMSG with colours, nicks and addresses;
    // the rest JOIN, PART, QUIT, MODE and NICK of guests and members.
    static std::string Flood(int count);
};
