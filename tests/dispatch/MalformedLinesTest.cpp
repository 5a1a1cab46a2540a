// Lines no sane server sends: every one is handled without a crash or a
// hang, repeating them grows nothing, and the session still answers PING.
#include <gtest/gtest.h>

#include "DispatchFixture.h"
#include "session/ServerEncoding.h"

namespace {

std::vector<std::string> Corpus()
{
    const std::string big(4096, 'a');
    const std::string nul("x\0y", 3);
    std::vector<std::string> lines = {
        "",
        " ",
        "  ",
        ":",
        "::",
        ":x",
        ":x ",
        ": PRIVMSG",
        "!@ !@ !@",
        "\r",
        "\n",
        // missing and empty words
        ":a!b@c PRIVMSG",
        ":a!b@c PRIVMSG #c",
        ":a!b@c PRIVMSG  :",
        ":a!b@c PRIVMSG #c :",
        ":a!b@c JOIN",
        ":a!b@c JOIN :",
        ":a!b@c JOIN  ",
        ":a!b@c PART",
        ":a!b@c QUIT",
        ":a!b@c NICK",
        ":a!b@c NICK :",
        ":a!b@c KICK",
        ":a!b@c KICK #c",
        ":a!b@c KICK #c  :",
        ":a!b@c TOPIC",
        ":a!b@c MODE",
        ":a!b@c MODE #c",
        ":a!b@c MODE #c +",
        ":a!b@c MODE #c -",
        ":a!b@c MODE #c +-+-",
        ":a!b@c NOTICE",
        ":a!b@c NOTICE me",
        ":a!b@c NOTICE me :\x01",
        "NOTICE",
        "ERROR",
        "PING",
        "PING :",
        ":a!b@c INVITE me #c",
        ":!@ JOIN #c",
        ": JOIN #c",
        ":a!b@c JOIN #",
        // numerics with too few parameters
        ":srv 001",
        ":srv 001 ",
        ":srv 301",
        ":srv 305",
        ":srv 306",
        ":srv 311",
        ":srv 311 me",
        ":srv 312",
        ":srv 315",
        ":srv 317",
        ":srv 317 me x",
        ":srv 318",
        ":srv 319",
        ":srv 321",
        ":srv 322",
        ":srv 322 me",
        ":srv 322 me #",
        ":srv 323",
        ":srv 324",
        ":srv 324 me #c",
        ":srv 329",
        ":srv 332",
        ":srv 332 me #c",
        ":srv 333",
        ":srv 333 me #c",
        ":srv 333 me #c x",
        ":srv 352",
        ":srv 352 me",
        ":srv 352 me * a b c",
        ":srv 353",
        ":srv 353 me",
        ":srv 353 me = #c",
        ":srv 353 me = #c :",
        ":srv 366",
        ":srv 367",
        ":srv 367 me #c",
        ":srv 368",
        ":srv 376",
        ":srv 400",
        ":srv 432",
        ":srv 433",
        ":srv 482",
        ":srv 600",
        ":srv 000",
        ":srv 999",
        ":srv 0",
        ":srv 0000000001 me :x",
        ":srv 4294967297 me :x",
        ":srv 99999999999",
        // odd values
        ":srv 333 me #c x 99999999999999999999999",
        ":srv 333 me #c x -5",
        ":srv 317 me x y 99999999999999999999",
        ":srv 322 me #c -7 :neg",
        ":srv 322 me #c 99999999999999999999 :huge",
        // 15 and more parameters
        ":srv 005 me a b c d e f g h i j k l m n o p q r s t :are supported",
        ":a!b@c MODE #c +ooooooooooooooooooooooo a b c d e f g h i j k l m n o p",
        ":a!b@c MODE #c +kkkkkkkkkkkkkkkk",
        ":a!b@c MODE #c -v+o-v+o-l+l a b c d",
        // bad colour codes and control bytes
        ":a!b@c PRIVMSG #c :\x03",
        ":a!b@c PRIVMSG #c :\x03,",
        ":a!b@c PRIVMSG #c :\x03"
        "99,99x",
        ":a!b@c PRIVMSG #c :\x03"
        "1234567,",
        ":a!b@c PRIVMSG #c :\x02\x1f\x16\x0f\x03"
        "4,\x02",
        ":a!b@c PRIVMSG #c :x\x01y\x01z",
        ":a!b@c PRIVMSG #c :\x01\x01\x01",
        ":a!b@c PRIVMSG #c :\x01 ",
        ":a!b@c PRIVMSG me :\x01"
        "DCC",
        ":a!b@c PRIVMSG me :\x01"
        "DCC SEND",
        ":a!b@c PRIVMSG me :\x01"
        "DCC SEND x y",
        ":a!b@c PRIVMSG me :\x01"
        "DCC CHAT chat 1 1 1 1 1",
        ":a!b@c PRIVMSG me :\x01PING",
        ":a!b@c PRIVMSG #c :<script>alert(1)</script> ' \" &amp;",
        ":a!b@c PRIVMSG #c :www.' onclick='x",
        ":a!b@c PRIVMSG #c :" + nul,
        ":a!b" + nul + "@c PRIVMSG #c :x",
        ":srv 353 me = #c :a" + nul + "b",
        // invalid UTF-8
        ":a!b@c PRIVMSG #c :\xff\xfe\xc3",
        ":\xc3!b@c JOIN #\xe2\x82",
        ":srv 332 me #c :\xed\xa0\x80",
        // 4 KB words
        ":" + big + " PRIVMSG #c :x",
        ":a!b@c PRIVMSG #c :" + big,
        ":a!b@c JOIN #" + big,
        ":srv 353 me = #c :" + big,
        ":a!b@c MODE #c +o " + big,
        ":a!b@c PRIVMSG me :\x01PING " + big + "\x01",
        ":srv " + big + " me :x",
        big,
    };
    return lines;
}

class MalformedLines : public DispatchFixture
{
protected:
    void SetUp() override
    {
        DispatchFixture::SetUp();
        WriteBool(kBaseSection, "Show Ping", true);
        WriteBool(kBaseSection, "Open Query Window", true);
        Dispatch(":me!u@h JOIN #c");
        Dispatch(":srv 353 me = #c :@me a");
    }

    struct Sizes
    {
        size_t windows, pending, nicks, bans, topics;
        bool operator==(const Sizes &) const = default;
    };
    Sizes Measure() const
    {
        Sizes sizes{m_session->Windows().size(), m_session->Requests().size(), 0, 0, 0};
        for (Conversation *window : m_session->Windows()) {
            sizes.nicks += window->Nicks().NickCount();
            sizes.bans += window->Channel().BanList().size();
        }
        return sizes;
    }
};

TEST_F(MalformedLines, EveryLineIsSurvivedAndThePingStillAnswered)
{
    for (const std::string &line : Corpus()) {
        Dispatch(line);
        Dispatch(ServerLineToUtf8(line));
    }
    Dispatch("PING :still-here");
    EXPECT_TRUE(Sent("PONG still-here", 10000));
    EXPECT_EQ(LastText(m_session->Key()), "PING? PONG! (still-here)");
}

TEST_F(MalformedLines, RepeatingTheCorpusGrowsNoState)
{
    const std::vector<std::string> corpus = Corpus();
    for (const std::string &line : corpus)
        Dispatch(line);
    const Sizes first = Measure();
    for (int round = 0; round < 20; ++round) {
        for (const std::string &line : corpus)
            Dispatch(line);
    }
    EXPECT_EQ(Measure(), first);
    EXPECT_LT(first.windows, 20u);
}

TEST_F(MalformedLines, TheSameLinesOverTheWire)
{
    // Through the real receive path: cut at LF, decoded, dispatched.
    for (const std::string &line : Corpus()) {
        if (line.find('\n') == std::string::npos)
            m_server.SendRaw(line + "\r\n");
    }
    m_server.SendLine("PING :after-the-corpus");
    EXPECT_TRUE(Sent("PONG after-the-corpus", 20000));
    EXPECT_TRUE(m_session->IsConnected());
}

} // namespace
