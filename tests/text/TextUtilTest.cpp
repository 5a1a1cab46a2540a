#include "text/TextUtil.h"
#include "text/StrPrintf.h"

#include <QByteArray>
#include <QtGlobal>
#include <gtest/gtest.h>

#include <ctime>
#include <string>

namespace {

TEST(StrPrintf, FormatsIntoExactlySizedText)
{
    EXPECT_EQ(StrPrintf("%s %d", "abc", 42), "abc 42");
    EXPECT_EQ(StrPrintf("%s", ""), "");
    EXPECT_EQ(StrPrintf("%c%s%c", 1, "PING", 1), "\x01PING\x01");
    const std::string big(5000, 'x');
    const std::string formatted = StrPrintf("<%s>", big.c_str());
    EXPECT_EQ(formatted.size(), 5002u);
    EXPECT_EQ(formatted.back(), '>');
}

TEST(CommonPrefixLength, ComparesCharactersWithoutCase)
{
    EXPECT_EQ(CommonPrefixLength("Nickname", "niCKel"), 4);
    EXPECT_EQ(CommonPrefixLength("abc", "abc"), 3);
    EXPECT_EQ(CommonPrefixLength("abc", "abcdef"), 3);
    EXPECT_EQ(CommonPrefixLength("", "abc"), 0);
    EXPECT_EQ(CommonPrefixLength("xyz", "abc"), 0);
    // Slovak letters fold too, and the length is in bytes of the first text.
    EXPECT_EQ(CommonPrefixLength("Šťastný", "šŤASTie"), 7);
    // "á" and "â" share their first byte; the prefix must not end inside the letter.
    EXPECT_EQ(CommonPrefixLength("xá", "xâ"), 1);
}

TEST(FormatSize, PicksUnitAtTheDocumentedBounds)
{
    EXPECT_EQ(FormatSize(0), "0 B");
    EXPECT_EQ(FormatSize(1024), "1024 B");
    EXPECT_EQ(FormatSize(1025), "1 kB");
    EXPECT_EQ(FormatSize(1048576), "1024 kB");
    EXPECT_EQ(FormatSize(1049599), "1024 kB");
    EXPECT_EQ(FormatSize(1049600), "1 MB");
    EXPECT_EQ(FormatSize(1074790399), "1024 MB");
    EXPECT_EQ(FormatSize(1074790400), "1 GB");
    EXPECT_EQ(FormatSize(5ULL << 40), "5120 GB");
}

// Runs a test body with the local time zone set to UTC, restoring it after.
class TimeTextInUtc : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_hadZone = qEnvironmentVariableIsSet("TZ");
        m_savedZone = qgetenv("TZ");
        qputenv("TZ", "UTC");
        tzset();
    }
    void TearDown() override
    {
        if (m_hadZone)
            qputenv("TZ", m_savedZone);
        else
            qunsetenv("TZ");
        tzset();
    }

private:
    bool m_hadZone = false;
    QByteArray m_savedZone;
};

TEST_F(TimeTextInUtc, WritesTheCLibraryLayout)
{
    EXPECT_EQ(TimeText("0"), "Thu Jan  1 00:00:00 1970");
    EXPECT_EQ(TimeText("1000000000"), "Sun Sep  9 01:46:40 2001");
    EXPECT_EQ(TimeText("1700000000"), "Tue Nov 14 22:13:20 2023");
    EXPECT_EQ(TimeText("1700000000").size(), 24u);
}

TEST_F(TimeTextInUtc, ReadsTheNumberLikeTheCLibrary)
{
    EXPECT_EQ(TimeText(""), "Thu Jan  1 00:00:00 1970");
    EXPECT_EQ(TimeText("abc"), "Thu Jan  1 00:00:00 1970");
    EXPECT_EQ(TimeText("  1000000000xyz"), "Sun Sep  9 01:46:40 2001");
    EXPECT_EQ(TimeText("-86400"), "Wed Dec 31 00:00:00 1969");
    // A number far past any calendar either gives "" or a well-formed text; it never crashes.
    const std::string huge = TimeText("99999999999999999999999999");
    EXPECT_TRUE(huge.empty() || huge.size() >= 24u) << huge;
}

TEST(LeadingCount, SaturatesInsteadOfWrapping)
{
    EXPECT_EQ(LeadingCount("42"), 42u);
    EXPECT_EQ(LeadingCount("42abc"), 42u);
    EXPECT_EQ(LeadingCount(""), 0u);
    EXPECT_EQ(LeadingCount("-7"), 0u);
    EXPECT_EQ(LeadingCount("4294967295"), 4294967295u);
    EXPECT_EQ(LeadingCount("4294967296"), 4294967295u);
    EXPECT_EQ(LeadingCount("99999999999999999999999"), 4294967295u);
}

TEST(MatchesInOrder, FindsPatternCharactersInOrder)
{
    EXPECT_TRUE(MatchesInOrder("channel", "cnl"));
    EXPECT_TRUE(MatchesInOrder("channel", ""));
    EXPECT_TRUE(MatchesInOrder("", ""));
    EXPECT_FALSE(MatchesInOrder("", "a"));
    EXPECT_FALSE(MatchesInOrder("channel", "lc"));
    EXPECT_FALSE(MatchesInOrder("channel", "C"));
    EXPECT_FALSE(MatchesInOrder("channel", "channell"));
    EXPECT_TRUE(MatchesInOrder("#slovensko", "#sko"));
    EXPECT_TRUE(MatchesInOrder("čaj a káva", "čkv"));
    // The bytes of "á" (C3 A1) are present apart, but not as the letter itself.
    EXPECT_FALSE(MatchesInOrder("\xC3\x83 \xC2\xA1", "á"));
}

} // namespace

namespace {

TEST_F(TimeTextInUtc, ClockAndDateWithAndWithoutLeadingZeros)
{
    EXPECT_EQ(ClockAndDateText(1000000000, false), "1:46 (9.9.2001)");
    EXPECT_EQ(ClockAndDateText(1000000000, true), "01:46 (09.09.2001)");
    // Times past the calendar's reach show as its bounds.
    EXPECT_EQ(ClockAndDateText(INT64_MAX, true), "23:59 (31.12.9999)");
    EXPECT_EQ(ClockAndDateText(-5, false), "0:0 (1.1.1970)");
}

} // namespace
