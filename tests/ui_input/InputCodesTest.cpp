#include "input/InputCodes.h"

#include <gtest/gtest.h>

namespace {

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kRed = 0xFF0000;
constexpr uint32_t kBlue = 0x0000FF;

InputCharFormat Plain(uint32_t window = kWhite)
{
    InputCharFormat format;
    format.background = window;
    return format;
}

InputCharFormat Colored(uint32_t color, uint32_t background = kWhite)
{
    InputCharFormat format;
    format.color = color;
    format.background = background;
    return format;
}

InputCharFormat Bold()
{
    InputCharFormat format;
    format.bold = true;
    return format;
}

struct ToCodesRow
{
    const char *name;
    InputRuns runs;
    uint32_t window;
    std::string expected;
};

TEST(InputCodesTest, RunsBecomeIrcText)
{
    InputCharFormat underlinedRed = Colored(kRed);
    underlinedRed.underline = true;
    InputCharFormat boldBlue = Colored(kBlue);
    boldBlue.bold = true;
    const ToCodesRow rows[] = {
        {"plain text has no codes", {{"hello", Plain()}}, kWhite, "hello"},
        {"red word on white",
         {{"hi", Colored(kRed)}},
         kWhite,
         "\x03"
         "4,0hi"},
        {"digit after a colour code gets a blank",
         {{"5", Colored(kRed)}},
         kWhite,
         "\x03"
         "4,0 5"},
        {"bold middle word",
         {{"a ", Plain()}, {"b", Bold()}, {" c", Plain()}},
         kWhite,
         "a \x02"
         "b\x02 c"},
        {"colour, then bold, then underline in that order",
         {{"x", boldBlue}, {"y", underlinedRed}},
         kWhite,
         "\x03"
         "12,0\x02x\x03"
         "4,0\x02\x1Fy"},
        {"back to plain emits black on the window colour",
         {{"r", Colored(kRed)}, {"p", Plain()}},
         kWhite,
         "\x03"
         "4,0r\x03"
         "1,0p"},
        {"background only",
         {{"z", Colored(kBlack, kBlue)}},
         kWhite,
         "\x03"
         "1,12z"},
        {"colours outside the table fall back to 1 and 0",
         {{"q", Colored(0x123456, 0x654321)}},
         kWhite,
         "\x03"
         "1,0q"},
        {"a window colour outside the table",
         {{"w", Plain(0xEEEEEE)}, {"r", Colored(kRed, 0xEEEEEE)}},
         0xEEEEEE,
         "w\x03"
         "4,0r"},
        {"equal neighbouring runs emit nothing between them",
         {{"ab", Colored(kRed)}, {"cd", Colored(kRed)}},
         kWhite,
         "\x03"
         "4,0abcd"},
        {"empty runs are skipped", {{"", Colored(kRed)}, {"9", Plain()}}, kWhite, "9"},
        {"multi-byte text is copied whole",
         {{"čau", Colored(kRed)}},
         kWhite,
         "\x03"
         "4,0čau"},
    };
    for (const ToCodesRow &row : rows)
        EXPECT_EQ(InputCodes::GetTextWithCodes(row.runs, row.window), row.expected) << row.name;
}

TEST(InputCodesTest, IrcTextBecomesRuns)
{
    InputCharFormat boldUnderlined = Bold();
    boldUnderlined.underline = true;
    InputCharFormat redOnBlue = Colored(kRed, kBlue);
    struct Row
    {
        const char *name;
        std::string text;
        InputRuns expected;
    };
    const Row rows[] = {
        {"empty", "", {}},
        {"plain", "abc", {{"abc", Plain()}}},
        {"bold and underline toggle",
         "a\x02\x1F"
         "b\x02\x1F"
         "c",
         {{"a", Plain()}, {"b", boldUnderlined}, {"c", Plain()}}},
        {"foreground and background",
         "\x03"
         "4,12x",
         {{"x", redOnBlue}}},
        {"a third digit stays text",
         "\x03"
         "123",
         {{"3", Colored(kBlue)}}},
        {"a comma without digits means a white background",
         "\x03"
         "4,x",
         {{"x", Colored(kRed, kWhite)}}},
        {"background only", "\x03,12x", {{"x", Colored(kBlack, kBlue)}}},
        {"a bare colour byte changes nothing", "\x03x", {{"x", Plain()}}},
        {"plain byte is black on white",
         "\x03"
         "4r\x0Fp",
         {{"r", Colored(kRed)}, {"p", Colored(kBlack, kWhite)}}},
        {"reverse byte is white on black", "\x16v", {{"v", Colored(kWhite, kBlack)}}},
        {"colour numbers outside the table give black",
         "\x03"
         "99x",
         {{"x", Plain()}}},
        {"line breaks and other control bytes are dropped", std::string("a\r\nb\0c\x07", 7), {{"abc", Plain()}}},
        {"a trailing colour code leaves no run",
         "ab\x03"
         "4,",
         {{"ab", Plain()}}},
    };
    for (const Row &row : rows)
        EXPECT_EQ(InputCodes::SetTextWithCodes(row.text, kWhite), row.expected) << row.name;
}

TEST(InputCodesTest, UnformattedTextTakesTheWindowColour)
{
    const InputRuns runs = InputCodes::SetTextWithCodes("x", 0xDDEEFF);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].format.background, 0xDDEEFFu);
}

TEST(InputCodesTest, CanonicalLinesSurviveTheRoundTrip)
{
    const std::string lines[] = {
        "hello",
        "\x03"
        "4,0hi there",
        "a \x02"
        "b\x02 c",
        "\x03"
        "12,0\x02x\x03"
        "4,0\x02\x1Fy",
        "\x03"
        "4,0 5",
        "žltý \x03"
        "8,1kôň",
    };
    for (const std::string &line : lines) {
        const InputRuns runs = InputCodes::SetTextWithCodes(line, kWhite);
        EXPECT_EQ(InputCodes::GetTextWithCodes(runs, kWhite), line);
    }
}

TEST(InputCodesTest, PastedTextStaysOneLine)
{
    struct Row
    {
        std::string pasted;
        std::string expected;
    };
    const Row rows[] = {
        {"one\r\ntwo", "one two"},
        {"one\ntwo\n", "one two "},
        {"one\rtwo", "one two"},
        {"a\tb", "a b"},
        {std::string("x\0y", 3), "xy"},
        {"\x02"
         "bold\x03"
         "4red\x0F\x16\x1F\x7F",
         "bold4red"},
        {"čaute", "čaute"},
        {"", ""},
    };
    for (const Row &row : rows)
        EXPECT_EQ(InputCodes::CleanPastedText(row.pasted), row.expected);
}

TEST(InputCodesTest, PastedLinesAreCutAtLineBreaksAndBlankOnesLeftOut)
{
    using Lines = std::vector<std::string>;
    EXPECT_EQ(InputCodes::PastedLines("one\r\ntwo\rthree\nfour"), (Lines{"one", "two", "three", "four"}));
    EXPECT_EQ(InputCodes::PastedLines("\n\n a\tb \r\n \t \n\x02"
                                      "c\x03"
                                      "4\n"),
              (Lines{" a b ", "c4"}));
    EXPECT_EQ(InputCodes::PastedLines("jediný"), Lines{"jediný"});
    EXPECT_TRUE(InputCodes::PastedLines("\r\n \n").empty());
    EXPECT_TRUE(InputCodes::PastedLines("").empty());
}

TEST(InputCodesTest, CountsCharactersNotBytes)
{
    EXPECT_EQ(InputCodes::CharacterCount(""), 0);
    EXPECT_EQ(InputCodes::CharacterCount("abc"), 3);
    EXPECT_EQ(InputCodes::CharacterCount("čšž"), 3);
    EXPECT_EQ(InputCodes::PlainText(InputCodes::SetTextWithCodes("a\x02"
                                                                 "b\x03"
                                                                 "4c",
                                                                 kWhite)),
              "abc");
}

} // namespace
