// The command language against a real ngircd, with a second client.
#include <gtest/gtest.h>

#include <regex>

#include "config/Config.h"
#include "conversation/Conversation.h"
#include "session/IgnoreList.h"
#include "session/MessageSplit.h"
#include "session/Session.h"
#include "session/SessionTable.h"
#include "support/FakeConversationView.h"
#include "support/FakeShell.h"
#include "support/NgircdFixture.h"
#include "support/NgircdServer.h"
#include "support/RawIrcClient.h"
#include "support/SlovakText.h"
#include "support/WaitFor.h"

namespace {

class CommandsOnNgircd : public NgircdFixture
{
protected:
    void SetUp() override
    {
        NgircdFixture::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        m_alice = ConnectAs("alice");
        ASSERT_TRUE(Registered(m_alice));
        ASSERT_EQ(m_alice->Nick(), "alice");
        ASSERT_TRUE(m_bob.ConnectAndRegister(m_ircd->Port(), "bob"));
    }

    int Run(const std::string &line, const std::string &window = std::string())
    {
        return m_alice->Command(window, 0, line);
    }
    bool DebugMatches(const std::string &pattern)
    {
        return WaitFor([&] { return std::regex_search(m_debug, std::regex(pattern)); });
    }
    // Alice joins first (and so holds the channel's operator status), then bob.
    void BothJoin(const std::string &channel)
    {
        ASSERT_EQ(Run("/join " + channel), 1);
        ASSERT_TRUE(DebugMatches("Received: :alice!\\S+ JOIN :?" + channel));
        m_bob.SendLine("JOIN " + channel);
        ASSERT_TRUE(m_bob.WaitForCommand("366"));
        ASSERT_TRUE(DebugMatches("Received: :bob!\\S+ JOIN :?" + channel));
    }
    bool AnyViewShows(const std::string &part)
    {
        for (FakeConversationView *view : m_shell.Views()) {
            if (view->HasLineContaining(part))
                return true;
        }
        return false;
    }

    RawIrcClient m_bob;
    Session *m_alice = nullptr;
};

TEST_F(CommandsOnNgircd, MessagesTopicModesAwayAndQuitReachTheServer)
{
    BothJoin("#a");
    std::string found;
    ASSERT_EQ(Run("/msg #a hello bob", "#a"), 1);
    ASSERT_TRUE(m_bob.WaitForCommand("PRIVMSG", 10000, &found));
    EXPECT_TRUE(std::regex_match(found, std::regex(":alice!\\S+ PRIVMSG #a :hello bob"))) << found;
    ASSERT_NE(m_shell.View("#a"), nullptr);
    EXPECT_TRUE(m_shell.View("#a")->HasLineContaining("hello bob"));

    ASSERT_EQ(Run("/topic #a fresh topic"), 1);
    ASSERT_TRUE(m_bob.WaitForCommand("TOPIC", 10000, &found));
    EXPECT_NE(found.find("TOPIC #a :fresh topic"), std::string::npos) << found;

    ASSERT_EQ(Run("/mode #a +t"), 1);
    ASSERT_TRUE(m_bob.WaitForCommand("MODE", 10000, &found));
    EXPECT_NE(found.find("MODE #a +t"), std::string::npos) << found;

    ASSERT_EQ(Run("/away gone"), 1);
    EXPECT_TRUE(DebugMatches("Received: :\\S+ 306 alice"));
    ASSERT_EQ(Run("/away"), 1);
    EXPECT_TRUE(DebugMatches("Received: :\\S+ 305 alice"));

    ASSERT_EQ(Run("/quit bye now"), 1);
    ASSERT_TRUE(m_bob.WaitForCommand("QUIT", 10000, &found));
    EXPECT_NE(found.find("bye now"), std::string::npos) << found;
    EXPECT_TRUE(WaitFor([&] { return !m_alice->IsConnected(); }));
}

// The server drops a client whose line is too long: long text goes out in
// lines that fit, as the server relays them, and arrives whole.
TEST_F(CommandsOnNgircd, TwoThousandSlovakCharactersArriveWholeAndTheConnectionStays)
{
    BothJoin("#a");
    const std::string text = SlovakText(2000);
    ASSERT_EQ(Run("/msg #a " + text, "#a"), 1);

    const std::string frame = " PRIVMSG #a :";
    std::string received;
    std::vector<std::string> relayed;
    ASSERT_TRUE(WaitFor(
        [&] {
            received.clear();
            relayed.clear();
            for (const std::string &line : m_bob.Lines()) {
                const size_t at = line.find(frame);
                if (line.rfind(":alice!", 0) == 0 && at != std::string::npos) {
                    relayed.push_back(line);
                    received += line.substr(at + frame.size());
                }
            }
            return received.size() >= text.size();
        },
        30000))
        << received.size() << " of " << text.size() << " bytes";
    EXPECT_EQ(received, text);
    EXPECT_GE(relayed.size(), 5u);
    for (const std::string &line : relayed)
        EXPECT_LE(line.size() + 2, MessageSplit::kMaxLineBytes) << line;

    EXPECT_TRUE(m_alice->IsConnected());
    ASSERT_EQ(Run("/msg #a still here", "#a"), 1);
    EXPECT_TRUE(m_bob.WaitForText("PRIVMSG #a :still here"));
}

TEST_F(CommandsOnNgircd, WhoBanKickBansTheOtherClientsHostAndKicksIt)
{
    BothJoin("#a");
    ASSERT_EQ(Run("/who bob -bankick #a go away", "#a"), 1);
    std::string found;
    ASSERT_TRUE(m_bob.WaitForCommand("MODE", 10000, &found));
    EXPECT_TRUE(std::regex_search(found, std::regex("MODE #a \\+b \\*!\\*@\\S+"))) << found;
    ASSERT_TRUE(m_bob.WaitForCommand("KICK", 10000, &found));
    EXPECT_NE(found.find("KICK #a bob :\"go away\""), std::string::npos) << found;
    EXPECT_TRUE(m_alice->QueuedWhoActions().empty());

    // the ban holds: bob cannot come back
    m_bob.SendLine("JOIN #a");
    EXPECT_TRUE(m_bob.WaitForCommand("474"));
}

TEST_F(CommandsOnNgircd, IgnoredPrivateTextIsDroppedWhileChannelTextShows)
{
    BothJoin("#a");
    ASSERT_EQ(Run("/ignore add bob"), 1);
    ASSERT_TRUE(WaitFor([&] { return !m_alice->Ignores().empty(); }));
    EXPECT_TRUE(std::regex_match(m_alice->Ignores()[0].Format(), std::regex("\\S+ 6 0 \\d+")))
        << m_alice->Ignores()[0].Format();

    m_bob.SendLine("PRIVMSG alice :private secret");
    m_bob.SendLine("PRIVMSG #a :public words");
    ASSERT_TRUE(WaitFor([&] { return m_shell.View("#a") && m_shell.View("#a")->HasLineContaining("public words"); }));
    EXPECT_FALSE(AnyViewShows("private secret"));
    EXPECT_EQ(m_shell.View("bob"), nullptr);
}

TEST_F(CommandsOnNgircd, WhoisAllSendsWhoisTheThreeRequestsInOrderAndWho)
{
    ASSERT_EQ(Run("/whois -all bob"), 1);
    std::string version, time, ping;
    ASSERT_TRUE(m_bob.WaitForCommand("PRIVMSG", 10000, &version));
    ASSERT_TRUE(m_bob.WaitForCommand("PRIVMSG", 10000, &time));
    ASSERT_TRUE(m_bob.WaitForCommand("PRIVMSG", 10000, &ping));
    EXPECT_NE(version.find("PRIVMSG bob :\x01VERSION\x01"), std::string::npos) << version;
    EXPECT_NE(time.find("PRIVMSG bob :\x01TIME\x01"), std::string::npos) << time;
    EXPECT_TRUE(std::regex_search(ping, std::regex("PRIVMSG bob :\x01PING \\d+\x01"))) << ping;

    const size_t whois = m_debug.find("Send: WHOIS bob");
    const size_t firstCtcp = m_debug.find("Send: PRIVMSG bob :\x01VERSION");
    const size_t who = m_debug.find("Send: WHO bob");
    ASSERT_NE(whois, std::string::npos);
    ASSERT_NE(who, std::string::npos);
    EXPECT_LT(whois, firstCtcp);
    EXPECT_LT(firstCtcp, who);
    EXPECT_TRUE(DebugMatches("Received: :\\S+ 311 alice bob "));
    EXPECT_TRUE(DebugMatches("Received: :\\S+ 352 alice \\S+ \\S+ \\S+ \\S+ bob "));
}

} // namespace
