#include "search/ChannelListEntry.h"
#include "search/ChannelSearchFilter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

ChannelListEntry Entry(const std::string &channel, uint32_t users, const std::string &topic = "")
{
    return ChannelListEntry::Make(channel, users, topic);
}

ChannelSearchFilter Filter(const std::string &text, bool names, bool topics, bool either, int32_t minimum = 0)
{
    ChannelSearchFilter filter;
    filter.text = text;
    filter.inNames = names;
    filter.inTopics = topics;
    filter.inEither = either;
    filter.minimum = minimum;
    return filter;
}

TEST(ChannelSearchFilter, FindsTheTextInOrderWhereTheBoxesSay)
{
    const ChannelListEntry spread = Entry("#a1b2c3", 5, "nothing here");
    const ChannelListEntry reversed = Entry("#cab", 5, "a topic about bc");
    // Names only: in order and case-sensitive.
    EXPECT_TRUE(Filter("abc", true, false, false).Passes(spread));
    EXPECT_FALSE(Filter("abc", true, false, false).Passes(reversed));
    EXPECT_FALSE(Filter("ABC", true, false, false).Passes(spread));
    // Topics only, and either.
    EXPECT_TRUE(Filter("abc", false, true, false).Passes(reversed));
    EXPECT_FALSE(Filter("abc", false, true, false).Passes(spread));
    EXPECT_TRUE(Filter("abc", false, false, true).Passes(spread));
    EXPECT_TRUE(Filter("abc", false, false, true).Passes(reversed));
    EXPECT_FALSE(Filter("xyz", true, true, true).Passes(spread));
    // No box: the text does not matter.
    EXPECT_TRUE(Filter("xyz", false, false, false).Passes(spread));
    // An empty text matches an empty topic; any other text does not.
    const ChannelListEntry bare = Entry("#bare", 1);
    EXPECT_TRUE(Filter("", false, true, false).Passes(bare));
    EXPECT_FALSE(Filter("b", false, true, false).Passes(bare));
    // The topic is searched as shown: colour codes do not count.
    EXPECT_FALSE(Filter("4", false, true, false)
                     .Passes(Entry("#c", 1,
                                   "\x03"
                                   "4red")));
}

TEST(ChannelSearchFilter, TheMinimumComparesAsUnsignedNumbers)
{
    const ChannelListEntry nine = Entry("#nine", 9);
    const ChannelListEntry ten = Entry("#ten", 10);
    EXPECT_TRUE(Filter("", true, true, false, 0).Passes(Entry("#empty", 0)));
    EXPECT_FALSE(Filter("", true, true, false, 10).Passes(nine));
    EXPECT_TRUE(Filter("", true, true, false, 10).Passes(ten));
    // A negative minimum is larger than any count a server sends.
    EXPECT_FALSE(Filter("", false, false, false, -1).Passes(ten));
    EXPECT_FALSE(Filter("", false, false, false, -1).Passes(Entry("#many", 4000000000u)));
}

TEST(ChannelSearchFilter, ReadsTheMinimumAsASignedNumber)
{
    EXPECT_EQ(ChannelSearchFilter::ReadMinimum("12"), 12);
    EXPECT_EQ(ChannelSearchFilter::ReadMinimum("  7 users"), 7);
    EXPECT_EQ(ChannelSearchFilter::ReadMinimum("-1"), -1);
    EXPECT_EQ(ChannelSearchFilter::ReadMinimum("abc"), 0);
    EXPECT_EQ(ChannelSearchFilter::ReadMinimum(""), 0);
    EXPECT_EQ(ChannelSearchFilter::ReadMinimum("2147483647"), 2147483647);
    EXPECT_EQ(ChannelSearchFilter::ReadMinimum("99999999999"), 0);
}

TEST(ChannelListEntry, ComparesUsersByNumberAndNamesAndTopicsWithoutCase)
{
    const ChannelListEntry a = Entry("#Beta", 9, "zebra first");
    const ChannelListEntry b = Entry("#alpha", 10, "Apple \x02pie\x02");
    const ChannelListEntry c = Entry("#ALPHA", 100, "apple tart");
    EXPECT_LT(ChannelListEntry::Compare(ChannelListEntry::UsersColumn, a, b), 0); // 9 < 10, not "10" < "9"
    EXPECT_GT(ChannelListEntry::Compare(ChannelListEntry::ChannelColumn, a, b), 0);
    EXPECT_EQ(ChannelListEntry::Compare(ChannelListEntry::ChannelColumn, b, c), 0);
    EXPECT_GT(ChannelListEntry::Compare(ChannelListEntry::TopicColumn, a, b), 0);
    // Only the first word counts.
    EXPECT_EQ(ChannelListEntry::Compare(ChannelListEntry::TopicColumn, b, c), 0);
    EXPECT_EQ(b.shownTopic, "Apple pie");
    EXPECT_EQ(b.topic, "Apple \x02pie\x02");
}

TEST(ChannelListEntry, SavedLinesPadTheNameAndTheCount)
{
    EXPECT_EQ(Entry("#a", 5, "hello").SavedLine(), "#a" + std::string(13, ' ') + "   5 hello\r\n");
    EXPECT_EQ(Entry("#a-very-long-channel", 12345, "").SavedLine(), "#a-very-long-channel 12345 \r\n");
    // Padding counts characters, not bytes.
    EXPECT_EQ(Entry("#čaj", 42, "\x1fčaj\x1f").SavedLine(), "#čaj" + std::string(11, ' ') + "  42 čaj\r\n");
}

TEST(ChannelListEntry, ANameWithACommaIsNotOneChannel)
{
    EXPECT_TRUE(Entry("#linux", 1).IsSingleChannel());
    EXPECT_FALSE(Entry("#a,0", 1).IsSingleChannel());
    EXPECT_FALSE(Entry("#a,#b", 1).IsSingleChannel());
}

} // namespace
