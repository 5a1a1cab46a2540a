#include <gtest/gtest.h>

#include "CommandFixture.h"
#include "session/IgnoreList.h"
#include "session/WhoActions.h"
#include "support/RecordPrinters.h"

namespace {

std::string WhoReply(const std::string &nick, const std::string &host)
{
    return ":srv 352 me #a user " + host + " srv " + nick + " H :0 Real Name";
}

TEST(WhoEntryTest, TheQueuedEntryHasMaskOptionArgumentAndRest)
{
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"/who nick", ""},
        {"/who", ""},
        {"/who nick -ban #a", "nick -ban #a "},
        {"/who nick -BanKick #a", "nick -BanKick #a "},
        {"/who nick -bankick #a go  away", "nick -bankick #a go  away"},
        {"/who nick -ignore 6 10", "nick -ignore 6 10"},
        {"/who nick -ignore", "nick -ignore  "},
        {"/who nick -ban", "nick   "},
        {"/who nick -other x y", "nick   "},
    };
    for (const auto &c : cases)
        EXPECT_EQ(WhoActions::MakeEntry(c.first), c.second) << c.first;
}

using WhoActionQueue = CommandFixture;

TEST_F(WhoActionQueue, BanKickBansTheHostAndKicksWithTheQuotedReason)
{
    EXPECT_EQ(Sent([&] { Run("/who bob -bankick #a go away"); }), std::vector<std::string>{"WHO bob"});
    ASSERT_EQ(m_session->QueuedWhoActions(), std::vector<std::string>{"bob -bankick #a go away"});
    std::vector<std::string> sent =
        Sent([&] { EXPECT_EQ(WhoActions::RunReply(*m_session, WhoReply("Bob", "h.example")), 1); });
    EXPECT_EQ(sent, (std::vector<std::string>{"MODE #a +b *!*@h.example", "KICK #a bob :\"go away\""}));
    EXPECT_TRUE(m_session->QueuedWhoActions().empty());

    Sent([&] { Run("/who bob -ban #b"); });
    sent = Sent([&] { WhoActions::RunReply(*m_session, WhoReply("bob", "h2")); });
    EXPECT_EQ(sent, std::vector<std::string>{"MODE #b +b *!*@h2"});
}

TEST_F(WhoActionQueue, EveryActionForTheNickRunsOnceInQueueOrderAndOthersStay)
{
    Sent([&] {
        Run("/who bob -ban #a");
        Run("/who eve -ban #x");
        Run("/who bob -ban");
        Run("/who BOB -bankick #b");
    });
    std::vector<std::string> sent = Sent([&] { EXPECT_EQ(WhoActions::RunReply(*m_session, WhoReply("bob", "h")), 3); });
    EXPECT_EQ(sent, (std::vector<std::string>{"MODE #a +b *!*@h", "MODE #b +b *!*@h", "KICK #b BOB :\"\""}));
    EXPECT_EQ(m_session->QueuedWhoActions(), std::vector<std::string>{"eve -ban #x "});
    sent = Sent([&] { EXPECT_EQ(WhoActions::RunReply(*m_session, WhoReply("bob", "h")), 0); });
    EXPECT_TRUE(sent.empty());
}

TEST_F(WhoActionQueue, ManyUnansweredActionsStayQueuedAndDoNotHideAnswers)
{
    for (int i = 0; i < 10000; ++i)
        m_session->QueueWhoAction("ghost" + std::to_string(i) + " -ban #a ");
    Sent([&] { Run("/who bob -ban #a"); });
    for (int i = 0; i < 50; ++i)
        EXPECT_EQ(WhoActions::RunReply(*m_session, WhoReply("nobody" + std::to_string(i), "h")), 0);
    EXPECT_EQ(Sent([&] { WhoActions::RunReply(*m_session, WhoReply("bob", "h")); }),
              std::vector<std::string>{"MODE #a +b *!*@h"});
    ASSERT_EQ(m_session->QueuedWhoActions().size(), 10000u);
    EXPECT_EQ(m_session->QueuedWhoActions().front(), "ghost0 -ban #a ");
    EXPECT_EQ(m_session->QueuedWhoActions().back(), "ghost9999 -ban #a ");
}

TEST_F(WhoActionQueue, ShortRepliesChangeNothing)
{
    Run("/who bob -ban #a");
    EXPECT_EQ(WhoActions::RunReply(*m_session, ":srv 352 me #a"), 0);
    EXPECT_EQ(WhoActions::RunReply(*m_session, ""), 0);
    EXPECT_EQ(m_session->QueuedWhoActions().size(), 1u);
}

using IgnoreCommand = CommandFixture;

TEST_F(IgnoreCommand, AddLearnsTheHostFromTheWhoReplyAndMerges)
{
    EXPECT_EQ(Sent([&] { EXPECT_EQ(Run("/ignore add bob"), 1); }), std::vector<std::string>{"WHO bob"});
    EXPECT_EQ(m_session->QueuedWhoActions(), std::vector<std::string>{"bob -ignore 6 0"});
    EXPECT_TRUE(m_session->Ignores().empty());
    WhoActions::RunReply(*m_session, WhoReply("bob", "Bad.Host"));
    ASSERT_EQ(m_session->Ignores().size(), 1u);
    EXPECT_EQ(m_session->Ignores()[0].host, "Bad.Host");
    EXPECT_EQ(m_session->Ignores()[0].flags, 6);
    EXPECT_EQ(m_session->Ignores()[0].minutes, 0);

    Run("/ignore a bob 1");
    WhoActions::RunReply(*m_session, WhoReply("bob", "bad.host"));
    ASSERT_EQ(m_session->Ignores().size(), 1u);
    EXPECT_EQ(m_session->Ignores()[0].host, "bad.host");
    EXPECT_EQ(m_session->Ignores()[0].flags, 7);

    EXPECT_TRUE(IgnoreList::IsIgnored(*m_session, ":bob!u@BAD.host PRIVMSG me :hi"));
    EXPECT_TRUE(IgnoreList::IsIgnored(*m_session, ":bob!u@bad.host PRIVMSG #a :hi"));
}

TEST_F(IgnoreCommand, MinutesGivenToAddAreKeptAndTheTickExpiresTheEntry)
{
    Run("/ignore add bob 4 2");
    EXPECT_EQ(m_session->QueuedWhoActions(), std::vector<std::string>{"bob -ignore 4 2"});
    WhoActions::RunReply(*m_session, WhoReply("bob", "h"));
    ASSERT_EQ(m_session->Ignores().size(), 1u);
    EXPECT_EQ(m_session->Ignores()[0].host, "h");
    EXPECT_EQ(m_session->Ignores()[0].flags, 4);
    EXPECT_EQ(m_session->Ignores()[0].minutes, 2);

    Run("/timer 0");
    EXPECT_EQ(m_session->Ignores().size(), 1u);
    // an entry made long ago: the next tick removes it, the permanent one stays
    m_session->Ignores() = {{"old.host", 6, 2, 1000}, {"kept.host", 6, 0, 1000}};
    EXPECT_EQ(Run("/timer 0"), 1);
    EXPECT_EQ(m_session->Ignores(), (std::vector<IgnoreEntry>{{"kept.host", 6, 0, 1000}}));
}

TEST_F(IgnoreCommand, ListPrintsEntriesAsStoredAndDeleteRemovesByAddress)
{
    m_session->Ignores() = {{"a.host", 6, 0, 10}, {"b.host", 1, 5, 20}};
    EXPECT_EQ(Run("/ignore list x"), 1);
    EXPECT_TRUE(ServerView()->HasLine("a.host 6 0 10"));
    EXPECT_TRUE(ServerView()->HasLine("b.host 1 5 20"));
    EXPECT_EQ(Run("/ignore l x"), 1);
    EXPECT_EQ(ServerView()->CountLines("a.host 6 0 10"), 2);

    EXPECT_EQ(Run("/ignore delete A.HOST"), 1);
    EXPECT_EQ(m_session->Ignores(), (std::vector<IgnoreEntry>{{"b.host", 1, 5, 20}}));
    EXPECT_EQ(Run("/ignore d nothing.here"), 1);
    EXPECT_EQ(m_session->Ignores().size(), 1u);
}

TEST_F(IgnoreCommand, AddWithAnEmptyNickIsRefused)
{
    EXPECT_EQ(Sent([&] { EXPECT_EQ(Run("/ignore add  bob"), 0); }), std::vector<std::string>{});
    EXPECT_TRUE(m_session->QueuedWhoActions().empty());
}

} // namespace
