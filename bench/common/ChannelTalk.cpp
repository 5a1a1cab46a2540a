#include "ChannelTalk.h"

#include "conversation/NickList.h"

namespace ChannelTalk {

std::vector<std::string> MakeMembers(std::mt19937 &random, int count)
{
    static const char *syllables[] = {"ka", "to", "mi", "ro", "la", "ne", "zu", "pe", "vi", "do", "sa", "ri"};
    NickList unique;
    std::vector<std::string> members;
    while (members.size() < size_t(count)) {
        std::string nick;
        const int parts = 2 + int(random() % 3);
        for (int i = 0; i < parts; ++i)
            nick += syllables[random() % 12];
        if (random() % 4 == 0)
            nick += std::to_string(random() % 100);
        if (unique.AddNick(nick) < 0)
            continue;
        const unsigned status = random() % 10;
        members.push_back(status == 0 ? "@" + nick : status == 1 ? "+" + nick : nick);
    }
    return members;
}

std::string Bare(const std::string &member)
{
    return member[0] == '@' || member[0] == '+' ? member.substr(1) : member;
}

std::vector<Line> MakeMix(const std::vector<std::string> &members, std::mt19937 &random, bool slovak)
{
    static const char *words[] = {"ahoj",   "dnes",   "je",    "pekny", "den",   "a",      "co",
                                  "robis",  "ja",     "nic",   "len",   "tak",   "sedim",  "pri",
                                  "kompe",  "server", "lagol", "zase",  "mas",   "pravdu", "uvidime",
                                  "zajtra", "vecer",  "hra",   "film",  "kanal", "link",   "pozri"};
    static const char *smileys[] = {":)", ";)", ":D", ":(", ":-)", ":o", "8)", ":P"};
    static const char *slovakWords[] = {"správa", "čaj", "ďakujem", "šťastie", "ľudia", "päť", "môžeš", "žiadne"};
    std::vector<Line> mix;
    const auto nick = [&] { return Bare(members[random() % members.size()]); };
    for (int i = 0; i < 2000; ++i) {
        std::string text;
        TextClass textClass = TextClass::Text;
        const int kind = int(random() % 20);
        if (kind < 2) {
            text = "* Teraz tu je aj " + nick() + " (user@host" + std::to_string(i) + ".example.sk)";
            textClass = TextClass::Info;
        } else if (kind == 2) {
            text = "* Od teraz tu nieje " + nick();
            textClass = TextClass::Info;
        } else if (kind == 3) {
            text = "* Nový mód +o " + nick() + " od " + nick();
            textClass = TextClass::Info;
        } else {
            text = nick() + ": ";
            // Drawn only with slovak, so that the mix without it stays as it was.
            const bool wide = slovak && random() % 6 == 0;
            const int length = 4 + int(random() % 14);
            for (int w = 0; w < length; ++w) {
                const int pick = int(random() % 30);
                if (pick == 0)
                    text += nick();
                else if (pick == 1)
                    text.append("\x03")
                        .append(std::to_string(random() % 16))
                        .append(",")
                        .append(std::to_string(random() % 16))
                        .append("farba\x03");
                else if (pick == 2)
                    text += "\x02tucne\x02";
                else if (pick == 3)
                    text += "http://www.example.sk/stranka" + std::to_string(random() % 1000);
                else if (pick == 4)
                    text += smileys[random() % 8];
                else if (pick == 5)
                    text += wide ? slovakWords[random() % 8] : "#brimo";
                else
                    text += words[random() % 28];
                text += ' ';
            }
            text.pop_back();
        }
        mix.push_back({text, textClass});
    }
    return mix;
}

} // namespace ChannelTalk
