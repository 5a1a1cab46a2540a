#include "ListServer.h"

namespace {

const char *const kWords[] = {"Vitajte",
                              "diskusia",
                              "o",
                              "Linuxe",
                              "hudba",
                              "\x02sport\x02",
                              "\x03"
                              "4film\x03",
                              "programovanie",
                              "Slovensko",
                              "hry",
                              "pokec",
                              "novinky"};
constexpr int kWordCount = static_cast<int>(sizeof(kWords) / sizeof(kWords[0]));

} // namespace

ListServer::ListServer(int channels, QObject *parent) : OneClientServer(parent), m_channels(channels) {}

std::string ListServer::ListReply(int channels)
{
    std::string reply = ":bench.test 321 hladac Channel :Users  Name\r\n";
    unsigned seed = 12345;
    for (int k = 0; k < channels; ++k) {
        seed = seed * 1103515245u + 12345u;
        const unsigned users = (seed >> 16) % 500;
        reply += ":bench.test 322 hladac #" + std::string(k % 3 == 0 ? "Kanal" : "kanal")
            + std::to_string(seed % 100000) + "-" + std::to_string(k) + " " + std::to_string(users) + " :";
        for (int w = 0; w < 1 + static_cast<int>(seed % 7); ++w)
            reply += std::string(w ? " " : "") + kWords[(seed >> (w + 3)) % kWordCount];
        reply += "\r\n";
    }
    reply += ":bench.test 323 hladac :End of LIST\r\n";
    return reply;
}

void ListServer::HandleLine(const std::string &line)
{
    std::string reply;
    if (line.rfind("NICK ", 0) == 0)
        reply = ":bench.test 001 " + line.substr(5) + " :Vitaj\r\n";
    else if (line == "LIST")
        reply = ListReply(m_channels);
    else if (line.rfind("PING ", 0) == 0)
        reply = "PONG " + line.substr(5) + "\r\n";
    if (!reply.empty())
        Send(reply);
}
