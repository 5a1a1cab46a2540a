// Links of the irc:// and ircs:// schemes as a desktop hands them over.
#include <gtest/gtest.h>

#include "session/IrcUrl.h"

namespace {

IrcUrl Parsed(const std::string &text)
{
    const std::optional<IrcUrl> url = IrcUrl::Parse(text);
    EXPECT_TRUE(url.has_value()) << text;
    return url.value_or(IrcUrl());
}

TEST(IrcUrl, ServerPortAndTheChannelInEveryWayItIsWritten)
{
    IrcUrl url = Parsed("irc://irc.example.net:6668/brimo");
    EXPECT_FALSE(url.tls);
    EXPECT_EQ(url.host, "irc.example.net");
    EXPECT_EQ(url.port, 6668u);
    EXPECT_EQ(url.channel, "#brimo");

    EXPECT_EQ(Parsed("irc://irc.example.net/%23brimo").channel, "#brimo");
    EXPECT_EQ(Parsed("irc://irc.example.net/#brimo").channel, "#brimo");
    EXPECT_EQ(Parsed("irc://irc.example.net/&local").channel, "&local");
    EXPECT_EQ(Parsed("IRC://Irc.Example.Net/brimo,needkey?tajne").key, "tajne");
    EXPECT_EQ(Parsed("irc://irc.example.net/brimo,needkey").channel, "#brimo");
    EXPECT_EQ(Parsed("irc://irc.example.net/%C5%A1ach").channel, "#šach");
}

TEST(IrcUrl, DefaultPortsFollowTheSchemeAndAServerAloneHasNoChannel)
{
    IrcUrl plain = Parsed("irc://127.0.0.1");
    EXPECT_EQ(plain.port, 6667u);
    EXPECT_TRUE(plain.channel.empty());
    EXPECT_TRUE(Parsed("irc://127.0.0.1/").channel.empty());
    EXPECT_TRUE(Parsed("irc://127.0.0.1/#").channel.empty());

    IrcUrl secure = Parsed("ircs://irc.example.net/brimo");
    EXPECT_TRUE(secure.tls);
    EXPECT_EQ(secure.port, 6697u);
}

TEST(IrcUrl, RefusesWhatIsNoIrcLinkOrWouldSplitACommand)
{
    for (const char *text :
         {"http://irc.example.net/brimo", "irc:///brimo", "irc://host:0/x", "irc://host:70000/x", "irc://host/a%2C0",
          "irc://host/a%200", "irc://host/a%0D%0AQUIT", "irc://host/x?k%20ey", "irc://host/%07bell", "brimo"}) {
        EXPECT_FALSE(IrcUrl::Parse(text).has_value()) << text;
    }
}

} // namespace
