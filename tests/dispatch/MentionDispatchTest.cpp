#include <gtest/gtest.h>

#include "DispatchFixture.h"
#include "session/MentionList.h"

namespace {

class MentionDispatch : public DispatchFixture
{
protected:
    const MentionList &Mentions() const { return m_table->Mentions(); }

    // Sends the lines over the wire, as the server would, and waits until
    // the last one has been dispatched (it prints to the window).
    void Receive(std::initializer_list<std::string> lines, const std::string &lastWindow, const std::string &lastText)
    {
        for (const std::string &line : lines)
            m_server.SendLine(line);
        ASSERT_TRUE(WaitFor([&] { return View(lastWindow) && View(lastWindow)->HasLine(lastText); }));
    }
};

} // namespace

TEST_F(MentionDispatch, ChannelLinesThatNameUsAreKeptNewestFirst)
{
    Channel("#room", {"ann", "bob", "me"});
    Receive({":ann!u@h PRIVMSG #room :ahoj vsetci", ":ann!u@h PRIVMSG #room :me: si tu?",
             ":bob!u@h PRIVMSG #room :\x02ME\x02, pozri", ":bob!u@h PRIVMSG #room :memes su fajn"},
            "#room", "bob: memes su fajn");

    ASSERT_EQ(Mentions().Count(), 2u);
    const Mention &newest = Mentions().At(0);
    EXPECT_EQ(newest.m_nick, "bob");
    EXPECT_EQ(newest.m_text, "ME, pozri") << "without its formatting codes";
    EXPECT_EQ(newest.m_window, "#room");
    EXPECT_EQ(newest.m_sessionKey, m_session->Key());
    EXPECT_EQ(newest.m_network, m_session->HumanName());
    EXPECT_TRUE(newest.m_unread);
    EXPECT_GT(newest.m_time, 0);
    // The number of the line in its window, taken once the line was shown.
    EXPECT_EQ(newest.m_lineId, 3u);
    EXPECT_EQ(Mentions().At(1).m_text, "me: si tu?");
    EXPECT_EQ(Mentions().At(1).m_lineId, 2u);
}

TEST_F(MentionDispatch, PrivateLinesActionsAndHighlightWords)
{
    m_table->Mentions().SetHighlightWords("brimo");
    Channel("#room", {"ann"});
    m_session->OpenWindow("ann", Conversation::KindText, Conversation::TypePrivate);
    Receive({":ann!u@h PRIVMSG me :povedz me co robis",
             ":ann!u@h PRIVMSG #room :\x01"
             "ACTION mava me\x01",
             ":ann!u@h PRIVMSG #room :Brimo je super"},
            "#room", "ann: Brimo je super");
    ASSERT_EQ(Mentions().Count(), 3u);
    EXPECT_EQ(Mentions().At(2).m_window, "ann") << "a private line is in the sender's window";
    EXPECT_EQ(Mentions().At(1).m_window, "#room");
    EXPECT_EQ(Mentions().At(1).m_text, "mava me");
    EXPECT_EQ(Mentions().At(0).m_text, "Brimo je super");
}

TEST_F(MentionDispatch, OurOwnLinesAndLinesWithoutAWindowOfTheirOwn)
{
    Channel("#room", {"ann"});
    // Our own line coming back (echo-message, a bouncer) names us but is no mention.
    Dispatch(":me!u@h PRIVMSG #room :me again");
    EXPECT_EQ(Mentions().Count(), 0u);
    // A channel without a window: the line is printed to the server window, and so is the mention.
    Dispatch(":ann!u@h PRIVMSG #elsewhere :hey me");
    ASSERT_EQ(Mentions().Count(), 1u);
    EXPECT_EQ(Mentions().At(0).m_window, m_session->Key());
    EXPECT_EQ(Mentions().At(0).m_lineId, ServerView()->Lines().size());
}

TEST_F(MentionDispatch, ALineInTheWindowTheUserIsReadingIsReadAtOnce)
{
    Channel("#room", {"ann"});
    View("#room")->m_active = true;
    m_shell->m_mainActive = false;
    Dispatch(":ann!u@h PRIVMSG #room :me, halo");
    m_shell->m_mainActive = true;
    Dispatch(":ann!u@h PRIVMSG #room :me, uz?");
    ASSERT_EQ(Mentions().Count(), 2u);
    EXPECT_FALSE(Mentions().At(0).m_unread);
    EXPECT_TRUE(Mentions().At(1).m_unread) << "the main window was not active";
}
