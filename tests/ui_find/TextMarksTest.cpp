#include "view/TextMarks.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Marks on lines 1, 3, 3, 5, 8, the current one on line 5.
TextMarks Sample()
{
    TextMarks marks;
    for (auto [line, start] : {std::pair(1, 0), {3, 2}, {3, 9}, {5, 4}, {8, 1}})
        marks.Append(TextMark{line, uint16_t(start), 3});
    marks.SetCurrent(3);
    return marks;
}

std::vector<int> LinesOf(const TextMarks &marks)
{
    std::vector<int> lines;
    for (int i = 0; i < marks.Count(); ++i)
        lines.push_back(marks.At(i).m_line);
    return lines;
}

} // namespace

TEST(TextMarks, FindsTheMarksOfALineAndTheFirstFromAPlace)
{
    const TextMarks marks = Sample();
    ASSERT_EQ(marks.OnLine(3).size(), 2u);
    EXPECT_EQ(marks.OnLine(3)[1].m_start, 9);
    EXPECT_TRUE(marks.OnLine(4).empty());
    EXPECT_TRUE(marks.OnLine(9).empty());
    EXPECT_EQ(marks.FirstFrom(3, 0), 1);
    EXPECT_EQ(marks.FirstFrom(3, 3), 2);
    EXPECT_EQ(marks.FirstFrom(3, 10), 3);
    EXPECT_EQ(marks.FirstFrom(9, 0), 5);
}

TEST(TextMarks, ErasedLinesTakeTheirMarksAndLaterMarksMoveUp)
{
    TextMarks marks = Sample();
    marks.EraseLines(2, 2); // lines 2 and 3 go
    EXPECT_EQ(LinesOf(marks), (std::vector<int>{1, 3, 6}));
    EXPECT_EQ(marks.Current(), 1) << "the current mark stays on its line, now line 3";

    marks.EraseLines(0, 4); // the current mark goes: the first after it takes over
    EXPECT_EQ(LinesOf(marks), (std::vector<int>{2}));
    EXPECT_EQ(marks.Current(), 0);

    marks.EraseLines(0, 5);
    EXPECT_TRUE(marks.IsEmpty());
    EXPECT_EQ(marks.Current(), -1);
}

TEST(TextMarks, ErasingTheLastMarksLeavesTheOneBeforeCurrent)
{
    TextMarks marks = Sample();
    marks.SetCurrent(4);
    marks.EraseLines(6, 10);
    EXPECT_EQ(LinesOf(marks), (std::vector<int>{1, 3, 3, 5}));
    EXPECT_EQ(marks.Current(), 3);
}

TEST(TextMarks, LinesWithNewTextLoseTheirMarks)
{
    TextMarks marks = Sample();
    marks.RemoveFromLine(5);
    EXPECT_EQ(LinesOf(marks), (std::vector<int>{1, 3, 3}));
    EXPECT_EQ(marks.Current(), 2);
    marks.RemoveFromLine(0);
    EXPECT_EQ(marks.Current(), -1);
    marks.SetCurrent(4);
    EXPECT_EQ(marks.Current(), -1) << "no current mark without marks";
}
