#include <gtest/gtest.h>

#include <ctime>

#include "CommandFixture.h"
#include "commands/AwaySwitch.h"

namespace {

using ConversationCommands = CommandFixture;

TEST_F(ConversationCommands, JoinTakesTheStoredChannelKeyWhenNoneIsGiven)
{
    ASSERT_TRUE(WriteString(kPasswordsSection, m_session->ConfName() + " - #club", "sesame"));
    EXPECT_EQ(Sent([&] { Run("/join #club"); }), std::vector<std::string>{"JOIN #club sesame"});
    EXPECT_EQ(Sent([&] { Run("/join #club other"); }), std::vector<std::string>{"JOIN #club other"});
    EXPECT_EQ(Sent([&] { Run("/join #open"); }), std::vector<std::string>{"JOIN #open"});
}

TEST_F(ConversationCommands, JoinBringsAnOpenWindowForward)
{
    OpenChannel("#a");
    Run("/join #A");
    EXPECT_EQ(View("#a")->m_activations, 1);
}

TEST_F(ConversationCommands, MsgEchoesThroughTheServerMessagePathBeforeSending)
{
    OpenChannel("#a");
    EXPECT_EQ(Sent([&] { Run("/msg #a hello there", "#a"); }), std::vector<std::string>{"PRIVMSG #a :hello there"});
    EXPECT_TRUE(View("#a")->HasLineContaining("hello there"));

    // a target without text echoes an empty message, sends nothing, and fails
    EXPECT_EQ(Sent([&] { EXPECT_EQ(Run("/msg #a"), 0); }), std::vector<std::string>{});
}

TEST_F(ConversationCommands, OnlyActionsAmongCtcpMessagesAreEchoed)
{
    OpenChannel("#a");
    const std::vector<std::string> sent = Sent([&] {
        Run("/msg bob \x01VERSION\x01");
        Run("/msg bob \x01" "DCC CHAT chat 2130706433 5000\x01");
        Run("/msg #a \x01" "ACTION dances\x01");
    });
    ASSERT_EQ(sent.size(), 3u);
    EXPECT_FALSE(m_shell->AnyViewHasLineContaining("VERSION"));
    EXPECT_FALSE(m_shell->AnyViewHasLineContaining("DCC CHAT"));
    EXPECT_TRUE(m_shell->AnyViewHasLineContaining("dances"));
}

TEST_F(ConversationCommands, NoticeShowsInAnOpenWindowOfTheTargetOnly)
{
    EXPECT_EQ(Sent([&] { Run("/notice bob hi"); }), std::vector<std::string>{"NOTICE bob :hi"});
    EXPECT_FALSE(m_shell->AnyViewHasLineContaining("me: hi"));

    m_session->OpenWindow("bob", Conversation::KindText, Conversation::TypePrivate);
    Run("/notice BOB hi again");
    ASSERT_FALSE(View("bob")->Lines().empty());
    EXPECT_EQ(View("bob")->Lines().back().text, "me: hi again");
    EXPECT_EQ(View("bob")->Lines().back().textClass, static_cast<int>(TextClass::Text));
}

TEST_F(ConversationCommands, QueryOpensOnePrivateWindowAndBringsItForward)
{
    EXPECT_EQ(Run("/query Bob"), 1);
    Conversation *window = m_session->FindWindow("bob");
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->Type(), Conversation::TypePrivate);
    EXPECT_EQ(window->Kind(), Conversation::KindText);
    EXPECT_EQ(View("bob")->m_activations, 1);
    const size_t views = m_shell->ViewCount();
    EXPECT_EQ(Run("/query bob"), 1);
    EXPECT_EQ(m_shell->ViewCount(), views);
    EXPECT_EQ(m_session->FindWindow("bob"), window);
    EXPECT_EQ(View("bob")->m_activations, 2);
}

TEST_F(ConversationCommands, TheAwaySwitchKeepsTheMessageAndReturnsThePreviousOne)
{
    std::string previous;
    EXPECT_EQ(Sent([&] { previous = SetAway(*m_session, "at lunch"); }), std::vector<std::string>{"AWAY :at lunch"});
    EXPECT_EQ(previous, "");
    EXPECT_EQ(m_session->m_awayMessage, "at lunch");
    EXPECT_EQ(Sent([&] { previous = SetAway(*m_session, ""); }), std::vector<std::string>{"AWAY"});
    EXPECT_EQ(previous, "at lunch");
    EXPECT_EQ(m_session->m_awayMessage, "");
}

TEST_F(ConversationCommands, WhoisAllAsksVersionTimeAndPingThenWho)
{
    const int64_t before = static_cast<int64_t>(std::time(nullptr));
    const std::vector<std::string> sent = Sent([&] { EXPECT_EQ(Run("/whois -all bob"), 1); });
    const int64_t after = static_cast<int64_t>(std::time(nullptr));
    ASSERT_EQ(sent.size(), 5u);
    EXPECT_EQ(sent[0], "WHOIS bob");
    EXPECT_EQ(sent[1], "PRIVMSG bob :\x01VERSION\x01");
    EXPECT_EQ(sent[2], "PRIVMSG bob :\x01TIME\x01");
    const std::string pingPrefix = "PRIVMSG bob :\x01PING ";
    ASSERT_EQ(sent[3].rfind(pingPrefix, 0), 0u);
    ASSERT_EQ(sent[3].back(), '\x01');
    const int64_t stamp = std::atoll(sent[3].substr(pingPrefix.size()).c_str());
    EXPECT_GE(stamp, before);
    EXPECT_LE(stamp, after);
    EXPECT_EQ(sent[4], "WHO bob");
    EXPECT_TRUE(m_session->m_whoisAll);
    EXPECT_TRUE(m_session->m_whoisPopup);

    EXPECT_EQ(Sent([&] { Run("/whois -popup bob extra words"); }), std::vector<std::string>{"WHOIS bob"});
    EXPECT_FALSE(m_session->m_whoisAll);
    EXPECT_FALSE(m_session->m_whoisPopup);
}

TEST_F(ConversationCommands, QuitDoesNotCloseTheSession)
{
    Run("/quit bye now");
    EXPECT_EQ(m_table->FindSession(m_session->Key()), m_session);
}

} // namespace
