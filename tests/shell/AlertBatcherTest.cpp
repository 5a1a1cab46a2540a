#include <gtest/gtest.h>

#include "shell/AlertBatcher.h"

namespace {

UserAlert Alert(const std::string &sender, const std::string &text, const std::string &window = "bob",
                UserAlert::Kind kind = UserAlert::Kind::PrivateMessage)
{
    return {kind, "irc.test:6667", window, sender, text};
}

class AlertBatcherTest : public ::testing::Test
{
protected:
    int64_t m_now = 1000;
    AlertBatcher m_batcher{[this] { return m_now; }};
};

} // namespace

TEST_F(AlertBatcherTest, SummaryIsTheSenderAndTheBodyPlainEscapedText)
{
    const std::optional<DesktopNote> note = m_batcher.Take(Alert("bob",
                                                                 "\x02tučne\x02 \x03"
                                                                 "4<b>a</b> & 'ďalej'\x01"));
    ASSERT_TRUE(note);
    EXPECT_EQ(note->summary, "bob");
    EXPECT_EQ(note->body, "tučne &lt;b&gt;a&lt;/b&gt; &amp; &#39;ďalej&#39;");
    EXPECT_EQ(note->replaces, 0u);

    const std::optional<DesktopNote> mention =
        m_batcher.Take(Alert("ann", "bob: pozri", "#brimo", UserAlert::Kind::Mention));
    ASSERT_TRUE(mention);
    EXPECT_EQ(mention->summary, "ann v #brimo") << "a line naming the user says its window";
}

TEST_F(AlertBatcherTest, LinesOfOneSenderWithinFiveSecondsUpdateOneNotification)
{
    const UserAlert first = Alert("bob", "jeden");
    ASSERT_TRUE(m_batcher.Take(first));
    EXPECT_FALSE(m_batcher.Shown(first, 41)) << "nothing came meanwhile";

    m_now += AlertBatcher::kJoinMs - 1;
    std::optional<DesktopNote> second = m_batcher.Take(Alert("BOB", "dva"));
    ASSERT_TRUE(second);
    EXPECT_EQ(second->replaces, 41u) << "one sender, compared as nicks are";
    EXPECT_EQ(second->body, "jeden\ndva");
    EXPECT_FALSE(m_batcher.Shown(first, 41));

    const std::optional<DesktopNote> other = m_batcher.Take(Alert("ann", "ina"));
    ASSERT_TRUE(other);
    EXPECT_EQ(other->replaces, 0u) << "another sender stacks";
    m_batcher.Shown(Alert("ann", "ina"), 42);

    m_now += AlertBatcher::kJoinMs;
    const std::optional<DesktopNote> later = m_batcher.Take(Alert("bob", "neskor"));
    ASSERT_TRUE(later);
    EXPECT_EQ(later->replaces, 0u) << "five seconds of quiet start a new one";
    EXPECT_EQ(later->body, "neskor");
}

TEST_F(AlertBatcherTest, LinesWhileTheIdIsAwaitedGoOutAsOneUpdate)
{
    const UserAlert first = Alert("bob", "1");
    ASSERT_TRUE(m_batcher.Take(first));
    EXPECT_FALSE(m_batcher.Take(Alert("bob", "2")));
    EXPECT_FALSE(m_batcher.Take(Alert("bob", "3")));
    const std::optional<DesktopNote> update = m_batcher.Shown(first, 7);
    ASSERT_TRUE(update);
    EXPECT_EQ(update->replaces, 7u);
    EXPECT_EQ(update->body, "1\n2\n3");
    EXPECT_FALSE(m_batcher.Shown(first, 7));
}

TEST_F(AlertBatcherTest, TheBodyKeepsTheNewestLinesAndCutsLongOnes)
{
    const UserAlert alert = Alert("bob", "x");
    for (int i = 1; i <= 8; ++i) {
        if (m_batcher.Take(Alert("bob", std::to_string(i))))
            m_batcher.Shown(alert, 5);
    }
    std::optional<DesktopNote> note = m_batcher.Take(Alert("bob", std::string(1000, 'a') + "ž"));
    ASSERT_TRUE(note);
    EXPECT_EQ(note->body.substr(0, 8), "5\n6\n7\n8\n") << "the newest lines, five at most";
    const std::string last = note->body.substr(8);
    EXPECT_LE(last.size(), AlertBatcher::kMaxLineBytes + 3);
    EXPECT_EQ(last.substr(last.size() - 3), "…");
}

TEST_F(AlertBatcherTest, AnIdLeadsToItsWindowUntilTheNotificationCloses)
{
    const UserAlert alert = Alert("ann", "bob: tu", "#brimo", UserAlert::Kind::Mention);
    ASSERT_TRUE(m_batcher.Take(alert));
    EXPECT_FALSE(m_batcher.Target(9)) << "no id before the service gave one";
    m_batcher.Shown(alert, 9);
    const std::optional<UserAlert> target = m_batcher.Target(9);
    ASSERT_TRUE(target);
    EXPECT_EQ(target->window, "#brimo");
    EXPECT_EQ(target->sessionKey, "irc.test:6667");

    m_batcher.Closed(9);
    EXPECT_FALSE(m_batcher.Target(9));
    const std::optional<DesktopNote> next = m_batcher.Take(Alert("ann", "este", "#brimo", UserAlert::Kind::Mention));
    ASSERT_TRUE(next);
    EXPECT_EQ(next->replaces, 0u) << "a closed notification is not updated";
    EXPECT_EQ(next->body, "este");

    // A failed call leaves no id to update.
    const UserAlert failed = Alert("zoe", "a");
    ASSERT_TRUE(m_batcher.Take(failed));
    EXPECT_FALSE(m_batcher.Shown(failed, 0));
    const std::optional<DesktopNote> again = m_batcher.Take(Alert("zoe", "b"));
    ASSERT_TRUE(again);
    EXPECT_EQ(again->replaces, 0u);
}
