#include "shell/BalloonQueue.h"
#include "shell/TrayBlinker.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

std::string Repeat(const std::string &piece, int times)
{
    std::string text;
    for (int i = 0; i < times; ++i)
        text += piece;
    return text;
}

} // namespace

TEST(BalloonCut, SixtyTwoCharactersStayWholeSixtyThreeAreCut)
{
    const std::string exact62 = Repeat("a", 62);
    EXPECT_EQ(BalloonQueue::Cut(exact62), exact62);
    const std::string long63 = Repeat("b", 63);
    EXPECT_EQ(BalloonQueue::Cut(long63), Repeat("b", 60) + "...");
    EXPECT_EQ(BalloonQueue::Cut(""), "");
}

TEST(BalloonCut, CountsCharactersNotBytes)
{
    // 62 two-byte letters are 62 characters: whole.
    const std::string slovak62 = Repeat("ž", 62);
    EXPECT_EQ(BalloonQueue::Cut(slovak62), slovak62);
    const std::string slovak70 = Repeat("ž", 70);
    EXPECT_EQ(BalloonQueue::Cut(slovak70), Repeat("ž", 60) + "...");
}

TEST(BalloonMake, InformationalLinesMakeNoBalloon)
{
    EXPECT_FALSE(BalloonQueue::Make("#kanal", "* Tvoja prezývka", 0, 0).has_value());
    EXPECT_TRUE(BalloonQueue::Make("#kanal", "ana: ahoj", 1, 0).has_value());
    EXPECT_TRUE(BalloonQueue::Make("#kanal", "chyba", 3, 0).has_value());
}

TEST(BalloonMake, CodesAreRemovedBeforeCutting)
{
    auto balloon = BalloonQueue::Make("#kanal\x02",
                                      "\x02tu\x02\x03"
                                      "4,2 je\x0f text",
                                      1, 48);
    ASSERT_TRUE(balloon);
    EXPECT_EQ(balloon->title, "#kanal");
    EXPECT_EQ(balloon->text, "tu je text");
    EXPECT_EQ(balloon->sound, 48);
    // Codes do not count towards the limit: 62 letters with colour codes stay whole.
    auto coloured = BalloonQueue::Make("t",
                                       "\x03"
                                       "4" + Repeat("x", 62)
                                           + "\x0f",
                                       1, 0);
    EXPECT_EQ(coloured->text, Repeat("x", 62));
}

// What someone wrote is shown as written: a "<" or ">" is no tag there.
TEST(BalloonMake, NetworkTextIsShownAsSent)
{
    for (const std::string text : {"ja <3 teba", "2 > 1 & 3 < 4", "<b>nie tučne</b> &amp;", "a <<< b >>> c"})
        EXPECT_EQ(BalloonQueue::Make("<nick>", text, 1, 0)->text, text);
    EXPECT_EQ(BalloonQueue::Make("<nick>", "x", 1, 0)->title, "<nick>");
    // A line the program wrote as HTML shows its text.
    EXPECT_EQ(BalloonQueue::Make("t", "<span style='color: red'>ponuka &lt;súbor&gt; &amp; viac</span>", -1, 0)->text,
              "ponuka <súbor> & viac");
}

TEST(BalloonPacing, EachBalloonWaitsPointTwoSecondsPerCharacterOfThePrevious)
{
    int64_t now = 1000;
    BalloonQueue queue([&now] { return now; });
    EXPECT_TRUE(queue.Add("a", "12345", 1, 0));      // 5 characters: 1000 ms
    EXPECT_TRUE(queue.Add("b", "1234567890", 1, 0)); // 10 characters: 2000 ms
    EXPECT_TRUE(queue.Add("c", "x", 1, 0));
    EXPECT_FALSE(queue.Add("d", "info", 0, 0));
    EXPECT_EQ(queue.Size(), 3u);

    auto first = queue.Next();
    ASSERT_TRUE(first);
    EXPECT_EQ(first->title, "a");
    EXPECT_EQ(queue.PauseLeft(), 1000);
    now += 999;
    EXPECT_FALSE(queue.Next());
    now += 1;
    auto second = queue.Next();
    ASSERT_TRUE(second);
    EXPECT_EQ(second->title, "b");
    now += 1999;
    EXPECT_FALSE(queue.Next());
    now += 1;
    auto third = queue.Next();
    ASSERT_TRUE(third);
    EXPECT_EQ(third->title, "c");
    EXPECT_EQ(queue.Size(), 0u);
    now += 10000;
    EXPECT_FALSE(queue.Next());
}

TEST(BalloonPacing, ClearingDropsWaitingBalloons)
{
    int64_t now = 0;
    BalloonQueue queue([&now] { return now; });
    queue.Add("a", "text", 2, 0);
    queue.Add("b", "text", 2, 0);
    queue.Clear();
    EXPECT_FALSE(queue.Next());
}

TEST(BalloonQueueLock, ConcurrentAddAndTakeLoseNothing)
{
    std::atomic<int64_t> now{0};
    BalloonQueue queue([&now] { return now.load(); });
    constexpr int kCount = 2000;
    std::thread producer([&] {
        for (int i = 0; i < kCount; ++i)
            queue.Push(Balloon{"t", "", 0}); // empty text: no pause
    });
    int taken = 0;
    while (taken < kCount) {
        if (queue.Next())
            ++taken;
        else
            std::this_thread::yield();
    }
    producer.join();
    EXPECT_EQ(taken, kCount);
    EXPECT_EQ(queue.Size(), 0u);
}

TEST(TrayBlinker, BlinksAtFiveAndRestartsPastTen)
{
    TrayBlinker blinker;
    std::string pattern;
    for (int i = 0; i < 24; ++i)
        pattern += blinker.Cycle(true) == TrayBlinker::Icon::Blink ? 'B' : 'n';
    // Counter 0..4 normal, 5..10 blink, 11 restarts at 0.
    EXPECT_EQ(pattern, "nnnnnBBBBBBnnnnnBBBBBBnn");
    EXPECT_EQ(blinker.Cycle(false), TrayBlinker::Icon::Normal);
    EXPECT_EQ(blinker.Counter(), 0);
}
