// Message tags: the parser finds the rest of the line whatever the tags hold.
#include <gtest/gtest.h>

#include "session/LineAssembler.h"
#include "session/MessageTags.h"

namespace {

TEST(MessageTags, SplitFindsTheLineAfterItsTags)
{
    struct Row
    {
        const char *line;
        const char *rest;
        size_t count;
    };
    const Row rows[] = {
        {":a!b@c PRIVMSG #t :hi", ":a!b@c PRIVMSG #t :hi", 0},
        {"@time=2026-12-07T11:59:27.382Z;msgid=001~1 :bob!b@h PRIVMSG #t :hello", ":bob!b@h PRIVMSG #t :hello", 2},
        {"@a;b=;c=1 PING :x", "PING :x", 3},
        {"@a   :srv 001 me :hi", ":srv 001 me :hi", 1},
        {"@", "", 0},
        {"@a=b", "", 1},
        {"@;;;=x;= :s NOTICE me :n", ":s NOTICE me :n", 0},
        {"@ PING", "PING", 0},
    };
    for (const Row &row : rows) {
        MessageTags tags;
        EXPECT_EQ(MessageTags::Split(row.line, tags), row.rest) << row.line;
        EXPECT_EQ(tags.Count(), row.count) << row.line;
    }
}

TEST(MessageTags, ValuesAreUnescapedAndMalformedEscapesKeepTheirCharacter)
{
    MessageTags tags;
    MessageTags::Split("@k=a\\:b\\sc\\\\d\\r\\n;bad=x\\qy;end=z\\;dup=1;dup=2;flag :s X", tags);
    EXPECT_EQ(tags.Value("k"), "a;b c\\d\r\n");
    EXPECT_EQ(tags.Value("bad"), "xqy");
    EXPECT_EQ(tags.Value("end"), "z");
    EXPECT_EQ(tags.Value("dup"), "2");
    EXPECT_TRUE(tags.Has("flag"));
    EXPECT_EQ(tags.Value("flag"), "");
    EXPECT_FALSE(tags.Has("missing"));
}

TEST(MessageTags, ServerTimeReadsUtcStampsAndRefusesJunk)
{
    MessageTags tags;
    MessageTags::Split("@time=2026-12-07T11:59:27.382Z :s X", tags);
    EXPECT_EQ(tags.ServerTime(), 1796644767);
    for (const char *line : {"@time=yesterday :s X", "@time= :s X", "@time=1970-01-01T00:00:00Z :s X", ":s X"}) {
        MessageTags::Split(line, tags);
        EXPECT_EQ(tags.ServerTime(), 0) << line;
    }
}

TEST(MessageTags, HugeTagSectionsAreBounded)
{
    std::string many = "@";
    for (int i = 0; i < 4000; ++i)
        many += "k" + std::to_string(i) + "=v;";
    MessageTags tags;
    EXPECT_EQ(MessageTags::Split(many + " :s PRIVMSG #t :after", tags), ":s PRIVMSG #t :after");
    EXPECT_EQ(tags.Count(), MessageTags::MaxTags);

    const std::string big = "@big=" + std::string(20000, 'x');
    EXPECT_EQ(MessageTags::Split(big + " PING :p", tags), "PING :p");
    EXPECT_EQ(tags.Value("big").size(), MessageTags::MaxBytes - 4);
}

TEST(MessageTags, AnAssembledLineKeeps8KBOfTagsBeforeAFullMessage)
{
    LineAssembler assembler;
    std::vector<std::string> lines;
    const std::string tagged = "@t=" + std::string(8000, 'x') + " :s PRIVMSG #t :" + std::string(400, 'm') + "\r\n";
    assembler.Feed(tagged.data(), tagged.size(), lines);
    const std::string untagged = std::string(5000, 'y') + "\r\n";
    assembler.Feed(untagged.data(), untagged.size(), lines);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], tagged.substr(0, tagged.size() - 2));
    EXPECT_EQ(lines[1].size(), LineAssembler::MaxLine);
}

} // namespace
