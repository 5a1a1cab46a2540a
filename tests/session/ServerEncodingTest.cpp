#include <gtest/gtest.h>

#include "session/ServerEncoding.h"

namespace {

TEST(ServerEncoding, Utf8LinesPassUnchanged)
{
    const std::string line = ":a!b@c PRIVMSG #sk :Dobrý deň, ľudia \xF0\x9F\x98\x80";
    EXPECT_TRUE(IsValidUtf8(line));
    EXPECT_EQ(ServerLineToUtf8(line), line);
    EXPECT_EQ(ServerLineToUtf8(""), "");
}

TEST(ServerEncoding, OtherLinesAreDecodedAsWindows1250)
{
    // "Dobrý deň, ľudia, šťastie" as an old client sends it in windows-1250.
    const std::string legacy = "Dobr\xFD de\xF2, \xBEudia, \x9A\x9D"
                               "astie";
    EXPECT_FALSE(IsValidUtf8(legacy));
    EXPECT_EQ(ServerLineToUtf8(legacy), "Dobrý deň, ľudia, šťastie");
}

TEST(ServerEncoding, MalformedUtf8IsRecognised)
{
    EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));         // overlong "/"
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));     // surrogate
    EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80")); // above U+10FFFF
    EXPECT_FALSE(IsValidUtf8("abc\xE2\x82"));      // cut sequence at the end
}

TEST(ServerEncoding, BytesWithoutCharacterBecomeReplacementMarks)
{
    // 0x81 and 0x98 have no character in windows-1250.
    const std::string decoded = ServerLineToUtf8("a\x81"
                                                 "b\x98"
                                                 "c\xE1");
    EXPECT_EQ(decoded,
              "a\xEF\xBF\xBD"
              "b\xEF\xBF\xBD"
              "cá");
    EXPECT_TRUE(IsValidUtf8(decoded));
}

TEST(ServerEncoding, EveryByteValueGivesValidUtf8)
{
    std::string all;
    for (int c = 1; c < 256; ++c)
        all += static_cast<char>(c);
    EXPECT_TRUE(IsValidUtf8(ServerLineToUtf8(all)));
}

} // namespace
