#include "text/Words.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(Words, CountWordsCountsBlanksBeforeTheFirstLineEnd)
{
    EXPECT_EQ(CountWords(""), 1);
    EXPECT_EQ(CountWords("word"), 1);
    EXPECT_EQ(CountWords("a b c"), 3);
    EXPECT_EQ(CountWords("a  b"), 3);
    EXPECT_EQ(CountWords(" "), 2);
    EXPECT_EQ(CountWords("a b\r\nc d"), 2);
    EXPECT_EQ(CountWords("a b\rc d"), 2);
    EXPECT_EQ(CountWords("a\rb c\nd e"), 2); // a line feed wins over an earlier carriage return
}

TEST(Words, GetWordCountsFromOneAndHonoursTheWordCount)
{
    const std::string line = ":nick!u@h PRIVMSG #chan :hello world";
    EXPECT_EQ(GetWord(line, 1), ":nick!u@h");
    EXPECT_EQ(GetWord(line, 3), "#chan");
    EXPECT_EQ(GetWord(line, 5), "world");
    EXPECT_EQ(GetWord(line, 6), "");
    EXPECT_EQ(GetWord(line, 0), "");
    EXPECT_EQ(GetWord(line, -3), "");
    EXPECT_EQ(GetWord("a  b", 2), "");
    EXPECT_EQ(GetWord("a  b", 3), "b");
    EXPECT_EQ(GetWord("a b\r\nc d", 2), "b\r\nc");
    EXPECT_EQ(GetWord("a b\r\nc d", 3), "");
}

TEST(Words, GetWordAtReportsPositionWithoutTheCountTest)
{
    int position = 99;
    EXPECT_EQ(GetWordAt("ab cd", 2, position), "cd");
    EXPECT_EQ(position, 3);
    EXPECT_EQ(GetWordAt("a b\nc d", 3, position), "d");
    EXPECT_EQ(position, 6);
    EXPECT_EQ(GetWordAt("a  b", 2, position), "");
    EXPECT_EQ(position, -1);
    EXPECT_EQ(GetWordAt("a b", 3, position), "");
    EXPECT_EQ(position, -1);
    EXPECT_EQ(GetWordAt("a b", 0, position), "");
    EXPECT_EQ(position, -1);
}

TEST(Words, GetRestKeepsBlanksToTheEnd)
{
    EXPECT_EQ(GetRest("a b c", 2), "b c");
    EXPECT_EQ(GetRest("a b c", 1), "a b c");
    EXPECT_EQ(GetRest("a b c", 3), "c");
    EXPECT_EQ(GetRest("a b c", 4), "");
    EXPECT_EQ(GetRest("a b  c  ", 3), " c  ");
    EXPECT_EQ(GetRest("PRIVMSG #c :x y\r\nz", 3), ":x y\r\nz");
    EXPECT_EQ(GetRest("a b", 0), "");
}

TEST(Words, ReplaceWordRebuildsCountedWords)
{
    EXPECT_EQ(ReplaceWord("a b c", 2, "X"), "a X c");
    EXPECT_EQ(ReplaceWord("a b c", 1, ""), " b c");
    EXPECT_EQ(ReplaceWord("a b c", 4, "X"), "a b c");
    EXPECT_EQ(ReplaceWord("a  c", 2, "b"), "a b c");
    EXPECT_EQ(ReplaceWord("", 1, "new"), "new");
    // Words after the first line end are not counted, so they are not rebuilt.
    EXPECT_EQ(ReplaceWord("a b\nc d", 1, "X"), "X b\nc");
}

TEST(Words, GetLineSplitsAtCarriageReturnsAndDropsLineFeeds)
{
    std::string out = ">";
    EXPECT_TRUE(GetLine("one\r\ntwo\r\nthree", 1, out));
    EXPECT_EQ(out, ">two");
    out.clear();
    EXPECT_TRUE(GetLine("one\r\ntwo\r\nthree", 0, out));
    EXPECT_EQ(out, "one");
    out.clear();
    EXPECT_TRUE(GetLine("one\r\ntwo\r\nthree", 2, out));
    EXPECT_EQ(out, "three");
    out.clear();
    EXPECT_FALSE(GetLine("one\r\ntwo", 2, out));
    EXPECT_FALSE(GetLine("one\r\n\r\ntwo", 1, out));
    EXPECT_FALSE(GetLine("", 0, out));
    EXPECT_FALSE(GetLine("x", -1, out));
    EXPECT_EQ(out, "");
}

TEST(Words, PrefixFunctions)
{
    EXPECT_EQ(NickFromPrefix(":nick!user@host"), "nick");
    EXPECT_EQ(NickFromPrefix("nick!user@host"), "nick");
    EXPECT_EQ(NickFromPrefix(":server.name"), "server.name");
    EXPECT_EQ(NickFromPrefix(":server.name 001 me"), "server.name");
    EXPECT_EQ(NickFromPrefix("::x"), ":x");
    EXPECT_EQ(NickFromPrefix(""), "");
    EXPECT_EQ(NickFromPrefix(":"), "");

    EXPECT_EQ(HostFromPrefix(":nick!user@host.example PRIVMSG x"), "host.example");
    EXPECT_EQ(HostFromPrefix(":nick!user@"), "");
    EXPECT_EQ(HostFromPrefix(":server.name"), "");
    EXPECT_EQ(HostFromPrefix("a@b@c"), "b@c");

    EXPECT_EQ(StripColon(":text"), "text");
    EXPECT_EQ(StripColon("::text"), ":text");
    EXPECT_EQ(StripColon("text"), "text");
    EXPECT_EQ(StripColon(""), "");
}

} // namespace
