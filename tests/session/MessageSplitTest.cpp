#include <gtest/gtest.h>

#include "session/MessageSplit.h"
#include "support/SlovakText.h"

namespace {

using MessageSplit::SplitText;
using MessageSplit::TextBudget;

struct SplitCase
{
    const char *name;
    std::string text;
    size_t maxBytes;
    std::vector<std::string> parts;
};

class SplitRows : public testing::TestWithParam<SplitCase>
{};

TEST_P(SplitRows, CutsWhereTheRowSays)
{
    const SplitCase &c = GetParam();
    EXPECT_EQ(SplitText(c.text, c.maxBytes), c.parts);
}

const std::string kWithoutBlanks(25, 'a');
const std::string kEmoji = "\xF0\x9F\x98\x80"; // one character of four bytes

INSTANTIATE_TEST_SUITE_P(
    Rows, SplitRows,
    testing::Values(
        SplitCase{"ShortTextIsOnePart", "ahoj", 10, {"ahoj"}}, SplitCase{"EmptyTextIsOneEmptyPart", "", 10, {""}},
        SplitCase{"ExactlyTheLimitIsOnePart", "0123456789", 10, {"0123456789"}},
        SplitCase{"OneByteOverTheLimitIsTwoParts", "0123456789x", 10, {"0123456789", "x"}},
        SplitCase{"TextWithoutBlanksIsCutAtTheLimit",
                  kWithoutBlanks,
                  10,
                  {std::string(10, 'a'), std::string(10, 'a'), std::string(5, 'a')}},
        // "á" is two bytes at offsets 9 and 10: the cut moves before it.
        SplitCase{"ATwoByteCharacterAcrossTheLimitMovesToTheNextPart",
                  "abcdefghi\xC3\xA1jk",
                  10,
                  {"abcdefghi", "\xC3\xA1jk"}},
        SplitCase{"AFourByteCharacterAcrossTheLimitMovesToTheNextPart",
                  "abcdefgh" + kEmoji + "z",
                  10,
                  {"abcdefgh", kEmoji + "z"}},
        SplitCase{"AFourByteCharacterStartingThreeBytesBeforeTheLimitMovesToTheNextPart",
                  "abcdefg" + kEmoji + "z",
                  10,
                  {"abcdefg", kEmoji + "z"}},
        SplitCase{"AFourByteCharacterStartingOneByteBeforeTheLimitMovesToTheNextPart",
                  "abcdefghi" + kEmoji,
                  10,
                  {"abcdefghi", kEmoji}},
        SplitCase{"AFourByteCharacterEndingAtTheLimitStays", "abcdef" + kEmoji + "z", 10, {"abcdef" + kEmoji, "z"}},
        // The blank begins the next part, so the parts give the text back.
        SplitCase{"ANearBlankTakesTheCut", "Dobré ráno, svet", 14, {"Dobré ráno,", " svet"}},
        SplitCase{"ABlankRightAtTheLimitTakesTheCut", "abcdefghij klm", 10, {"abcdefghij", " klm"}},
        SplitCase{"AFarBlankDoesNot", "ab cdefghijklmnop", 10, {"ab cdefghi", "jklmnop"}},
        SplitCase{"ABytesRunThatIsNotUtf8IsCutAtTheLimit",
                  "ab" + std::string(12, '\x80'),
                  10,
                  {"ab" + std::string(8, '\x80'), std::string(4, '\x80')}},
        SplitCase{"ACharacterLongerThanAPartIsAPartOfItsOwn", "a" + kEmoji + "b", 2, {"a", kEmoji, "b"}}),
    [](const testing::TestParamInfo<SplitCase> &info) { return std::string(info.param.name); });

// Wherever a character of four bytes falls against the limit, no part ends
// inside it, every part fits and the parts give the text back.
TEST(MessageSplit, NoCutInsideAFourByteCharacterAtAnyDistanceFromTheLimit)
{
    for (size_t before = 0; before <= 12; ++before) {
        const std::string text = std::string(before, 'a') + kEmoji + kEmoji + "zz";
        const std::vector<std::string> parts = SplitText(text, 10);
        std::string joined;
        for (const std::string &part : parts) {
            EXPECT_LE(part.size(), 10u) << before;
            ASSERT_FALSE(part.empty()) << before;
            EXPECT_NE(static_cast<unsigned char>(part.front()) & 0xC0, 0x80u) << "starts inside: " << before;
            joined += part;
        }
        EXPECT_EQ(joined, text) << before;
    }
}

TEST(MessageSplit, LongSlovakTextComesBackWholeInPartsThatFitAndEndOnCharacters)
{
    const std::string text = SlovakText(2000);
    for (size_t maxBytes : {4u, 7u, 100u, 399u, 430u}) {
        SCOPED_TRACE(maxBytes);
        const std::vector<std::string> parts = SplitText(text, maxBytes);
        std::string joined;
        for (const std::string &part : parts) {
            EXPECT_FALSE(part.empty());
            EXPECT_LE(part.size(), maxBytes);
            EXPECT_FALSE(IsUtf8Continuation(part.front()));
            joined += part;
        }
        EXPECT_EQ(joined, text);
    }
}

TEST(MessageSplit, TheBudgetFillsTheRelayedLineToExactly512Bytes)
{
    const std::string prefix = "alice!~alice@localhost";
    const size_t budget = TextBudget(prefix.size(), "PRIVMSG", "#kanal");
    const std::string relayed = ":" + prefix + " PRIVMSG #kanal :" + std::string(budget, 'x') + "\r\n";
    EXPECT_EQ(relayed.size(), MessageSplit::kMaxLineBytes);
    EXPECT_EQ(TextBudget(600, "PRIVMSG", "#kanal"), 0u);
}

} // namespace
