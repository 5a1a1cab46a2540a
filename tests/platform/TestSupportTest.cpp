#include "support/RawIrcClient.h"
#include "support/ScriptedServer.h"
#include "support/WaitFor.h"

#include <QTimer>

#include <gtest/gtest.h>

TEST(WaitForTest, ReturnsWhenTheConditionHoldsOrTheTimeRunsOut)
{
    bool fired = false;
    QTimer::singleShot(20, [&] { fired = true; });
    EXPECT_TRUE(WaitFor([&] { return fired; }));
    EXPECT_FALSE(WaitFor([] { return false; }, 30));
}

TEST(TestSupportTest, RawClientAndScriptedServerTalkLineByLine)
{
    ScriptedServer server;
    ASSERT_TRUE(server.Listen());
    RawIrcClient client;
    ASSERT_TRUE(client.Connect(server.Port()));
    ASSERT_TRUE(server.WaitForClient());
    EXPECT_EQ(server.ConnectionCount(), 1);

    // Registration takes the nick that the welcome names (here sent ahead,
    // as a server that answers at once would).
    ASSERT_TRUE(server.SendLine(":srv 001 given :Welcome"));
    ASSERT_TRUE(WaitFor([&] { return client.Lines().size() == 1; }));
    ASSERT_TRUE(client.Register("wanted"));
    EXPECT_EQ(client.Nick(), "given");
    ASSERT_TRUE(server.WaitForLineStartingWith("NICK wanted"));
    ASSERT_TRUE(server.WaitForLineStartingWith("USER wanted "));

    // PING is answered with its own argument; lines split across writes
    // and bare LF ends are assembled.
    ASSERT_TRUE(server.SendRaw(":srv PING :tok"));
    ASSERT_TRUE(server.SendRaw("en 42\r\nPING plain\n"));
    ASSERT_TRUE(server.WaitForLineStartingWith("PONG"));
    std::string pong;
    ASSERT_TRUE(server.WaitForLineStartingWith("PONG", 10000, &pong));
    EXPECT_EQ(server.Lines()[server.Lines().size() - 2], "PONG :token 42");
    EXPECT_EQ(pong, "PONG plain");

    // A wait only looks at lines after the previous match.
    ASSERT_TRUE(server.SendLine("X 1"));
    ASSERT_TRUE(server.SendLine("X 2"));
    std::string found;
    ASSERT_TRUE(client.WaitForCommand("X", 10000, &found));
    EXPECT_EQ(found, "X 1");
    ASSERT_TRUE(client.WaitForCommand("X", 10000, &found));
    EXPECT_EQ(found, "X 2");
    EXPECT_FALSE(client.WaitForCommand("X", 50));

    EXPECT_EQ(RawIrcClient::CommandOf(":nick!u@h PRIVMSG #c :hi"), "PRIVMSG");
    EXPECT_EQ(RawIrcClient::CommandOf("PING :x"), "PING");
    EXPECT_EQ(RawIrcClient::CommandOf(":prefixonly"), "");

    // A reconnecting client replaces the earlier one.
    server.CloseClient();
    ASSERT_TRUE(client.WaitForDisconnect());
    ASSERT_TRUE(client.Connect(server.Port()));
    ASSERT_TRUE(server.WaitForClient(2));
    ASSERT_TRUE(client.SendLine("AGAIN"));
    ASSERT_TRUE(server.WaitForLineStartingWith("AGAIN"));
}
