#include <gtest/gtest.h>

#include <ctime>

#include "CommandFixture.h"
#include "commands/AwaySwitch.h"
#include "session/MessageSplit.h"
#include "support/SlovakText.h"
#include "text/Words.h"

namespace {

using ConversationCommands = CommandFixture;

// Long text against the scripted server: what was sent, and how long each
// line gets when the server relays it with the longest address it may give
// us (the user name we registered with "~" and a host of 63 bytes) or with
// the address it told us.
class LongMessages : public CommandFixture
{
protected:
    std::string WorstPrefix() const
    {
        for (const std::string &line : m_server.Lines()) {
            if (line.rfind("USER ", 0) == 0)
                return ":me!~" + GetWord(line, 2) + "@" + std::string(63, 'h') + " ";
        }
        ADD_FAILURE() << "no USER line";
        return std::string();
    }
    // The texts of lines "<command> <target> :<text>", checking the frame
    // and that each line relayed behind `prefix` fits in 512 bytes.
    std::vector<std::string> Texts(const std::vector<std::string> &sent, const std::string &frame,
                                   const std::string &prefix)
    {
        std::vector<std::string> texts;
        for (const std::string &line : sent) {
            EXPECT_EQ(line.rfind(frame, 0), 0u) << line;
            EXPECT_LE(prefix.size() + line.size() + 2, MessageSplit::kMaxLineBytes) << line;
            texts.push_back(line.substr(frame.size()));
        }
        return texts;
    }
    static std::string Joined(const std::vector<std::string> &parts)
    {
        std::string joined;
        for (const std::string &part : parts)
            joined += part;
        return joined;
    }
};

TEST_F(LongMessages, AMessageIsSplitAtCharactersAndEveryPartIsSentAndEchoed)
{
    OpenChannel("#a");
    const std::string text = SlovakText(640);
    const std::vector<std::string> sent = Sent([&] { EXPECT_EQ(Run("/msg #a " + text, "#a"), 1); });
    ASSERT_GE(sent.size(), 2u);
    const std::vector<std::string> parts = Texts(sent, "PRIVMSG #a :", WorstPrefix());
    EXPECT_EQ(Joined(parts), text);
    for (const std::string &part : parts) {
        EXPECT_FALSE(IsUtf8Continuation(part.front()));
        EXPECT_EQ(View("#a")->CountLines("me: " + part), 1) << part;
    }
}

TEST_F(LongMessages, TheAddressTheServerGaveUsIsWhatCounts)
{
    OpenChannel("#a");
    const std::string text = SlovakText(1000);
    const size_t guessed = Sent([&] { Run("/msg #a " + text); }).front().size();

    const std::string prefix = ":me!u@h.sk ";
    m_server.SendLine(prefix + "JOIN :#a");
    // Our own join asks for the channel's modes: let those pass first.
    ASSERT_TRUE(m_server.WaitForLine([](const std::string &line) { return line == "MODE #a b"; }));
    const std::vector<std::string> sent = Sent([&] { Run("/msg #a " + text); });
    EXPECT_GT(sent.front().size(), guessed);
    const std::vector<std::string> parts = Texts(sent, "PRIVMSG #a :", prefix);
    EXPECT_EQ(Joined(parts), text);
    // Filled up to a blank near the end of the line, not cut short.
    EXPECT_GT(prefix.size() + sent.front().size() + 2, MessageSplit::kMaxLineBytes - 80);
}

TEST_F(LongMessages, AnActionIsSplitIntoActionsAndANoticeIntoNotices)
{
    OpenChannel("#a");
    const std::string text = SlovakText(700);
    const std::vector<std::string> actions = Sent([&] { EXPECT_EQ(Run("/action #a " + text), 1); });
    ASSERT_GE(actions.size(), 2u);
    std::string body;
    for (const std::string &part : Texts(actions,
                                         "PRIVMSG #a :\x01"
                                         "ACTION ",
                                         WorstPrefix())) {
        ASSERT_EQ(part.back(), '\x01');
        body += part.substr(0, part.size() - 1);
    }
    EXPECT_EQ(body, text);

    const std::vector<std::string> notices = Sent([&] { EXPECT_EQ(Run("/notice #a " + text), 1); });
    ASSERT_GE(notices.size(), 2u);
    const std::vector<std::string> parts = Texts(notices, "NOTICE #a :", WorstPrefix());
    EXPECT_EQ(Joined(parts), text);
    EXPECT_EQ(View("#a")->CountLines("me: " + parts.back()), 1);
}

TEST_F(LongMessages, ARawLineOver512BytesIsRefusedWithAMessageInTheWindow)
{
    OpenChannel("#a");
    const std::string fits = "PRIVMSG #a :" + std::string(510 - 12, 'x'); // 512 bytes with CR LF
    EXPECT_EQ(Sent([&] { EXPECT_EQ(Run("/quote " + fits, "#a"), 1); }), std::vector<std::string>{fits});

    EXPECT_EQ(Sent([&] { EXPECT_EQ(Run("/quote " + fits + "y", "#a"), 1); }), std::vector<std::string>{});
    EXPECT_TRUE(View("#a")->HasLine(MessageSplit::LineTooLongText(513)));
    EXPECT_EQ(View("#a")->Lines().back().textClass, static_cast<int>(TextClass::Error));
    EXPECT_TRUE(m_session->IsConnected());
}

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
        Run("/msg bob \x01"
            "DCC CHAT chat 2130706433 5000\x01");
        Run("/msg #a \x01"
            "ACTION dances\x01");
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
    EXPECT_EQ(m_session->AwayMessage(), "at lunch");
    EXPECT_EQ(Sent([&] { previous = SetAway(*m_session, ""); }), std::vector<std::string>{"AWAY"});
    EXPECT_EQ(previous, "at lunch");
    EXPECT_EQ(m_session->AwayMessage(), "");
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
    EXPECT_TRUE(m_session->WhoisToAll());
    EXPECT_TRUE(m_session->WhoisToPopup());

    EXPECT_EQ(Sent([&] { Run("/whois -popup bob extra words"); }), std::vector<std::string>{"WHOIS bob"});
    EXPECT_FALSE(m_session->WhoisToAll());
    EXPECT_FALSE(m_session->WhoisToPopup());
}

TEST_F(ConversationCommands, QuitDoesNotCloseTheSession)
{
    Run("/quit bye now");
    EXPECT_EQ(m_table->FindSession(m_session->Key()), m_session);
}

} // namespace
