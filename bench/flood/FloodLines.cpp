#include "FloodLines.h"

#include <cstdint>

namespace {

// A small fixed generator, so every run floods with the same lines.
class Random
{
public:
    uint32_t Next()
    {
        m_state = m_state * 1664525u + 1013904223u;
        return m_state >> 8;
    }
    int Below(int n) { return static_cast<int>(Next() % static_cast<uint32_t>(n)); }

private:
    uint32_t m_state = 12345;
};

std::string Member(int i)
{
    return "user" + std::to_string(i);
}

std::string Prefix(const std::string &nick)
{
    return ":" + nick + "!~" + nick + "@host-" + std::to_string(nick.size() * 37) + ".dsl.example.sk";
}

const char *const kTexts[] = {
    "ahoj vsetci, ako sa mate?",
    "\x03"
    "4cervena\x03 a \x03"
    "12,8modra na zltom\x03 a \x02tucne\x02",
    "pozri si www.example.sk/stranka alebo http://irc.example.org/a?b=c :)",
    "\x1fpodciarknute\x1f a obycajny text s <znakmi> & entitami",
    "dnes je pekne pocasie ;) a zajtra bude prsat :(",
};

std::string ChannelText(Random &random)
{
    const std::string speaker = Member(random.Below(FloodLines::kMembers));
    const std::string mention = Member(random.Below(FloodLines::kMembers));
    return Prefix(speaker) + " PRIVMSG " + FloodLines::kChannel + " :" + mention + ": "
        + kTexts[random.Below(static_cast<int>(sizeof kTexts / sizeof kTexts[0]))];
}

} // namespace

std::string FloodLines::Setup(const std::string &nick)
{
    return Setup(nick, 1, kMembers);
}

std::string FloodLines::Channel(int k)
{
    return k == 0 ? kChannel : kChannel + std::to_string(k);
}

std::string FloodLines::Setup(const std::string &nick, int channels, int members)
{
    std::string lines = ":irc.flood.test 001 " + nick + " :Welcome to the flood\r\n";
    for (int k = 0; k < channels; ++k) {
        const std::string channel = Channel(k);
        lines += Prefix(nick) + " JOIN :" + channel + "\r\n";
        lines += ":irc.flood.test 332 " + nick + " " + channel + " :Kanal " + channel
            + ": pravidla na www.example.sk/pravidla, bez spamu :)\r\n";
        std::string names;
        for (int i = 0; i < members; ++i) {
            names += i % 10 == 0 ? "@" : i % 7 == 0 ? "+" : "";
            names += k == 0 ? Member(i) : Member(i) + "_" + std::to_string(k);
            names += ' ';
            if (i % 50 == 49 || i == members - 1) {
                lines += ":irc.flood.test 353 " + nick + " = " + channel + " :" + names + "\r\n";
                names.clear();
            }
        }
        lines += ":irc.flood.test 366 " + nick + " " + channel + " :End of NAMES list\r\n";
    }
    return lines;
}

std::string FloodLines::Flood(int count)
{
    Random random;
    std::string lines;
    lines.reserve(static_cast<size_t>(count) * 150);
    std::vector<std::string> guests; // joined by the flood, not yet gone
    int nextGuest = 0;
    for (int i = 0; i < count; ++i) {
        const int kind = random.Below(100);
        if (kind < 90) {
            lines += ChannelText(random);
        } else if (kind < 93 || guests.empty()) {
            guests.push_back("guest" + std::to_string(nextGuest++));
            lines += Prefix(guests.back()) + " JOIN :" + kChannel;
        } else if (kind < 95) {
            lines += Prefix(guests.back()) + " PART " + kChannel + " :odchadzam";
            guests.pop_back();
        } else if (kind < 97) {
            lines += Prefix(guests.back()) + " QUIT :Ping timeout: 240 seconds";
            guests.pop_back();
        } else if (kind < 99) {
            const std::string target = Member(random.Below(kMembers));
            lines += Prefix(Member(0)) + " MODE " + kChannel + (random.Below(2) ? " +v " : " -v ") + target;
        } else {
            std::string &guest = guests.back();
            const std::string renamed = guest + "_";
            lines += Prefix(guest) + " NICK :" + renamed;
            guest = renamed;
        }
        lines += "\r\n";
    }
    return lines;
}
