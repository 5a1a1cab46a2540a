// The pace of the lines a session sends, with a clock the test sets.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "session/SendQueue.h"

namespace {

using Priority = SendQueue::Priority;

std::vector<std::string> Numbered(const char *prefix, int count)
{
    std::vector<std::string> lines;
    for (int i = 1; i <= count; ++i)
        lines.push_back(prefix + std::to_string(i));
    return lines;
}

class Pace : public testing::Test
{
protected:
    void SetUp() override { m_queue.Configure(5, 2000); }

    void PushAll(const std::vector<std::string> &lines, Priority priority)
    {
        for (const std::string &line : lines)
            ASSERT_TRUE(m_queue.Push(line, priority));
    }

    SendQueue m_queue;
};

TEST_F(Pace, ABurstGoesAtOnceThenOneLineAnInterval)
{
    PushAll(Numbered("PRIVMSG #a :", 8), Priority::Typed);
    const int64_t start = 100000;
    EXPECT_EQ(m_queue.TakeDue(start), Numbered("PRIVMSG #a :", 5));
    EXPECT_EQ(m_queue.Size(), 3u);
    EXPECT_EQ(m_queue.WaitMs(start), 2000);
    EXPECT_TRUE(m_queue.TakeDue(start + 1999).empty());
    EXPECT_EQ(m_queue.WaitMs(start + 1999), 1);
    EXPECT_EQ(m_queue.TakeDue(start + 2000), std::vector<std::string>{"PRIVMSG #a :6"});
    // A late look sends only what the pace allows by then, not a second burst.
    EXPECT_EQ(m_queue.TakeDue(start + 4500), std::vector<std::string>{"PRIVMSG #a :7"});
    EXPECT_EQ(m_queue.TakeDue(start + 6000), std::vector<std::string>{"PRIVMSG #a :8"});
    EXPECT_TRUE(m_queue.IsEmpty());
    EXPECT_EQ(m_queue.WaitMs(start + 6000), -1);
}

TEST_F(Pace, QuietTimeRefillsTheBurstButNoMore)
{
    PushAll(Numbered("a", 5), Priority::Typed);
    EXPECT_EQ(m_queue.TakeDue(0).size(), 5u);
    // Two intervals of quiet give two lines back.
    PushAll(Numbered("b", 4), Priority::Typed);
    EXPECT_EQ(m_queue.TakeDue(4000), Numbered("b", 2));
    // A long quiet gives a whole burst, never more.
    m_queue.TakeDue(10000);
    PushAll(Numbered("c", 7), Priority::Typed);
    EXPECT_EQ(m_queue.TakeDue(60000), Numbered("c", 5));
}

TEST_F(Pace, TypedLinesJumpAheadOfAutomaticOnesAndEachKeepsItsOrder)
{
    PushAll(Numbered("WHO #w", 6), Priority::Automatic);
    EXPECT_EQ(m_queue.TakeDue(0), Numbered("WHO #w", 5));
    PushAll(Numbered("PRIVMSG #a :", 2), Priority::Typed);
    EXPECT_EQ(m_queue.TakeDue(2000), std::vector<std::string>{"PRIVMSG #a :1"});
    EXPECT_EQ(m_queue.TakeDue(4000), std::vector<std::string>{"PRIVMSG #a :2"});
    EXPECT_EQ(m_queue.TakeDue(6000), std::vector<std::string>{"WHO #w6"});
}

TEST_F(Pace, PongAndQuitNeverWaitButCountTowardThePace)
{
    PushAll(Numbered("x", 6), Priority::Typed);
    EXPECT_EQ(m_queue.TakeDue(0).size(), 5u);
    ASSERT_TRUE(m_queue.Push("PONG :irc.brimo.test", SendQueue::PriorityOf("PONG :irc.brimo.test", true)));
    EXPECT_EQ(m_queue.WaitMs(0), 0);
    EXPECT_EQ(m_queue.TakeDue(1), std::vector<std::string>{"PONG :irc.brimo.test"});
    // The PONG took the turn of the next line.
    EXPECT_TRUE(m_queue.TakeDue(2001).empty());
    EXPECT_EQ(m_queue.TakeDue(4001), std::vector<std::string>{"x6"});

    ASSERT_TRUE(m_queue.Push("quit :bye", SendQueue::PriorityOf("quit :bye", false)));
    EXPECT_EQ(m_queue.TakeDue(4002), std::vector<std::string>{"quit :bye"});
}

TEST_F(Pace, PriorityFollowsTheCommandWordAndWhoSendsIt)
{
    EXPECT_EQ(SendQueue::PriorityOf("PONG", false), Priority::Immediate);
    EXPECT_EQ(SendQueue::PriorityOf("QUIT :bye\r\n", true), Priority::Immediate);
    EXPECT_EQ(SendQueue::PriorityOf("PRIVMSG #a :PONG", false), Priority::Typed);
    EXPECT_EQ(SendQueue::PriorityOf("PONGS x", true), Priority::Automatic);
    EXPECT_EQ(SendQueue::PriorityOf("WHO #a", true), Priority::Automatic);
}

TEST_F(Pace, ZeroIntervalSendsEverythingAtOnce)
{
    m_queue.Configure(5, 0);
    EXPECT_FALSE(m_queue.IsPacing());
    PushAll(Numbered("l", 40), Priority::Automatic);
    EXPECT_EQ(m_queue.TakeDue(0).size(), 40u);
    EXPECT_EQ(m_queue.WaitMs(0), -1);
}

TEST_F(Pace, AFullQueueRefusesLinesButNeverAPong)
{
    for (size_t i = 0; i < SendQueue::kMaxLines; ++i)
        ASSERT_TRUE(m_queue.Push("PRIVMSG #a :x", Priority::Automatic));
    EXPECT_FALSE(m_queue.Push("PRIVMSG #a :one too many", Priority::Typed));
    EXPECT_TRUE(m_queue.Push("PONG :x", Priority::Immediate));
    EXPECT_EQ(m_queue.TakeDue(0).front(), "PONG :x");
    m_queue.Clear();
    EXPECT_TRUE(m_queue.IsEmpty());
    // A cleared queue starts a new connection with a whole burst.
    PushAll(Numbered("n", 5), Priority::Typed);
    EXPECT_EQ(m_queue.TakeDue(0).size(), 5u);
}

} // namespace
