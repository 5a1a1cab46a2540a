#include "input/InputHistory.h"

#include <gtest/gtest.h>

#include <string>

namespace {

InputHistory ThreeLines()
{
    InputHistory history;
    history.Add("one");
    history.Add("two");
    history.Add("three");
    return history;
}

TEST(InputHistoryTest, UpStepsOlderAndWrapsAfterAnEmptyLine)
{
    InputHistory history = ThreeLines();
    EXPECT_EQ(history.Older(), "three");
    EXPECT_EQ(history.Older(), "two");
    EXPECT_EQ(history.Older(), "one");
    EXPECT_EQ(history.Older(), "");
    EXPECT_EQ(history.Older(), "three");
    EXPECT_EQ(history.Position(), 0);
}

TEST(InputHistoryTest, DownFromTheFreshStateShowsTheEmptyLineThenTheOldest)
{
    InputHistory history = ThreeLines();
    EXPECT_EQ(history.Newer(), "");
    EXPECT_EQ(history.Position(), 3);
    EXPECT_EQ(history.Newer(), "one");
    EXPECT_EQ(history.Newer(), "two");
    EXPECT_EQ(history.Newer(), "three");
    EXPECT_EQ(history.Newer(), "");
}

TEST(InputHistoryTest, AddingForgetsThePosition)
{
    InputHistory history = ThreeLines();
    history.Older();
    history.Older();
    history.Add("four");
    EXPECT_EQ(history.Position(), -1);
    EXPECT_EQ(history.Older(), "four");
}

TEST(InputHistoryTest, EmptyHistoryShowsOnlyEmptyLines)
{
    InputHistory history;
    EXPECT_EQ(history.Older(), "");
    EXPECT_EQ(history.Older(), "");
    EXPECT_EQ(history.Newer(), "");
    EXPECT_EQ(history.At(0), "");
    EXPECT_EQ(history.At(-1), "");
}

TEST(InputHistoryTest, KeepsTheNewestHundredLines)
{
    InputHistory history;
    for (int i = 1; i <= 150; ++i)
        history.Add("line " + std::to_string(i));
    EXPECT_EQ(history.Count(), InputHistory::kMaxEntries);
    EXPECT_EQ(history.At(0), "line 150");
    EXPECT_EQ(history.At(99), "line 51");
    EXPECT_EQ(history.At(100), "");
}

} // namespace
