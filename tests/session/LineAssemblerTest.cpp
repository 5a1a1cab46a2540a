#include <gtest/gtest.h>

#include "session/LineAssembler.h"

namespace {

std::vector<std::string> Feed(LineAssembler &assembler, const std::string &chunk)
{
    std::vector<std::string> lines;
    assembler.Feed(chunk.data(), chunk.size(), lines);
    return lines;
}

using Lines = std::vector<std::string>;

TEST(LineAssembler, ALineSplitOverThreeChunksComesOnceWhole)
{
    LineAssembler assembler;
    EXPECT_TRUE(Feed(assembler, ":srv 001 ni").empty());
    EXPECT_TRUE(Feed(assembler, "ck :Welc").empty());
    EXPECT_EQ(Feed(assembler, "ome\r\n"), Lines({":srv 001 nick :Welcome"}));
    EXPECT_EQ(assembler.Partial(), "");
}

TEST(LineAssembler, LineEndsAndEmptyLines)
{
    LineAssembler assembler;
    EXPECT_EQ(Feed(assembler, "A\r\nB"), Lines({"A"}));
    EXPECT_EQ(assembler.Partial(), "B");
    EXPECT_EQ(Feed(assembler, "C\r\n"), Lines({"BC"}));
    EXPECT_EQ(Feed(assembler, "bare\nkeeps last\r\r\n\r\n"), Lines({"bare", "keeps last\r", ""}));
}

TEST(LineAssembler, ANulEndsTheUsablePartOfItsChunk)
{
    LineAssembler assembler;
    EXPECT_EQ(Feed(assembler, std::string("one\r\ntw\0o\r\nthree\r\n", 19)), Lines({"one"}));
    EXPECT_EQ(assembler.Partial(), "tw");
    EXPECT_EQ(Feed(assembler, "o\r\n"), Lines({"two"}));
}

TEST(LineAssembler, AnOverlongLineIsCutAtTheBufferSize)
{
    LineAssembler assembler;
    const std::string longLine(LineAssembler::MaxLine + 500, 'x');
    EXPECT_EQ(Feed(assembler, longLine.substr(0, 3000)), Lines());
    Lines lines = Feed(assembler, longLine.substr(3000) + "\r\nnext\r\n");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], std::string(LineAssembler::MaxLine, 'x'));
    EXPECT_EQ(lines[1], "next");
    EXPECT_FALSE(assembler.IsDiscarding());
}

TEST(LineAssembler, TenMegabytesWithoutLineFeedStayBounded)
{
    LineAssembler assembler;
    const std::string chunk(4096, 'y');
    for (int i = 0; i < 10 * 256; ++i) {
        ASSERT_TRUE(Feed(assembler, chunk).empty());
        ASSERT_LE(assembler.Partial().size(), LineAssembler::MaxLine);
    }
    EXPECT_TRUE(assembler.IsDiscarding());
    EXPECT_EQ(Feed(assembler, "tail\nPING :x\n").back(), "PING :x");
    assembler.Clear();
    EXPECT_EQ(assembler.Partial(), "");
}

} // namespace
