#include <gtest/gtest.h>

#include "session/IgnoreList.h"
#include "support/RecordPrinters.h"

namespace {

struct IgnoreCase
{
    int flags;
    std::string line;
    bool dropped;
};

const std::string kFrom = ":bob!u@Bad.Host ";

TEST(IgnoreTest, EachFlagDropsItsKindOfTrafficFromTheAddress)
{
    const std::vector<IgnoreCase> cases = {
        // 0: every line of more than 3 words
        {0, kFrom + "PRIVMSG #a :hi", true},
        {0, kFrom + "NOTICE me :hi there", true},
        {0, kFrom + "JOIN :#a", false},
        {0, kFrom + "NICK bobby", false},
        {0, kFrom + "QUIT", false},
        // 1: channel text
        {1, kFrom + "PRIVMSG #a :hi", true},
        {1, kFrom + "PRIVMSG me :hi", false},
        {1,
         kFrom
             + "PRIVMSG #a :\x01"
               "ACTION waves\x01",
         false},
        {1, kFrom + "NOTICE #a :hi", false},
        // 2: private text (target is the own nick, any case)
        {2, kFrom + "PRIVMSG me :hi", true},
        {2, kFrom + "PRIVMSG ME :hi", true},
        {2, kFrom + "PRIVMSG #a :hi", false},
        {2, kFrom + "PRIVMSG me :\x01VERSION\x01", false},
        // 4: CTCP requests, actions and DCC offers, wherever sent
        {4, kFrom + "PRIVMSG me :\x01VERSION\x01", true},
        {4,
         kFrom
             + "PRIVMSG #a :\x01"
               "ACTION waves\x01",
         true},
        {4,
         kFrom
             + "PRIVMSG me :\x01"
               "DCC SEND f 2130706433 5000 10\x01",
         true},
        {4, kFrom + "PRIVMSG #a :channel text", false},
        {4, kFrom + "PRIVMSG me :private text", false},
        // 6 (the default): private text and CTCP, but channel text shows
        {6, kFrom + "PRIVMSG me :hi", true},
        {6,
         kFrom
             + "PRIVMSG #a :\x01"
               "ACTION waves\x01",
         true},
        {6, kFrom + "PRIVMSG #a :hi", false},
        // other senders and server lines are never dropped
        {0, ":eve!u@good.host PRIVMSG me :hi", false},
        {0, ":irc.server 372 me :- motd line", false},
        {0, ":bob!u@bad.host.example PRIVMSG me :hi", false},
        // a message without text after the colon
        {2, kFrom + "PRIVMSG me :", true},
        {4, kFrom + "PRIVMSG me :", false},
    };
    for (const IgnoreCase &c : cases) {
        SCOPED_TRACE(std::to_string(c.flags) + " " + c.line);
        const std::vector<IgnoreEntry> list = {{"bad.host", c.flags, 0, 1000}};
        EXPECT_EQ(IgnoreList::IsIgnored(list, "me", c.line), c.dropped);
    }
}

TEST(IgnoreTest, TheFirstEntryForTheAddressDecides)
{
    const std::vector<IgnoreEntry> list = {{"other.host", 0, 0, 1}, {"BAD.HOST", 1, 0, 1}, {"bad.host", 0, 0, 1}};
    EXPECT_FALSE(IgnoreList::IsIgnored(list, "me", kFrom + "PRIVMSG me :hi"));
    EXPECT_TRUE(IgnoreList::IsIgnored(list, "me", kFrom + "PRIVMSG #a :hi"));
    EXPECT_FALSE(IgnoreList::IsIgnored({}, "me", kFrom + "PRIVMSG #a :hi"));
}

TEST(IgnoreTest, AddingTheSameHostAgainWidensTheEntryAndRestartsItsClock)
{
    std::vector<IgnoreEntry> list;
    IgnoreList::Add(list, "a.host", 4, 0, 100);
    IgnoreList::Add(list, "b.host", 6, 0, 100);
    IgnoreList::Add(list, "A.HOST", 1, 5, 200);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0], (IgnoreEntry{"b.host", 6, 0, 100}));
    EXPECT_EQ(list[1], (IgnoreEntry{"A.HOST", 5, 5, 200}));

    // 0 stands for everything: merged with new flags it ignores less
    IgnoreList::Add(list, "b.host", 0, 0, 300);
    IgnoreList::Add(list, "c.host", 0, 0, 300);
    IgnoreList::Add(list, "c.host", 2, 0, 400);
    EXPECT_EQ(list.back(), (IgnoreEntry{"c.host", 2, 0, 400}));

    IgnoreList::Add(list, "", 6, 0, 500);
    IgnoreList::Add(list, "two words", 6, 0, 500);
    EXPECT_EQ(list.size(), 3u);
}

TEST(IgnoreTest, RemoveTakesTheFirstEntryOfTheAddressOnly)
{
    std::vector<IgnoreEntry> list = {{"x.host", 6, 0, 1}, {"Y.host", 6, 0, 1}, {"y.host", 4, 0, 1}};
    EXPECT_TRUE(IgnoreList::Remove(list, "y.HOST"));
    EXPECT_EQ(list, (std::vector<IgnoreEntry>{{"x.host", 6, 0, 1}, {"y.host", 4, 0, 1}}));
    EXPECT_FALSE(IgnoreList::Remove(list, "z.host"));
    EXPECT_EQ(list.size(), 2u);
}

TEST(IgnoreTest, EntriesExpireOnlyAfterTheirMinutesHavePassed)
{
    const int64_t t = 1700000000;
    std::vector<IgnoreEntry> list = {{"two.minutes", 6, 2, t}, {"always", 6, 0, t - 1000000}, {"one.minute", 6, 1, t}};
    EXPECT_EQ(IgnoreList::Expire(list, t + 60), 0);
    EXPECT_EQ(IgnoreList::Expire(list, t + 61), 1);
    EXPECT_EQ(IgnoreList::Expire(list, t + 120), 0);
    EXPECT_EQ(list.size(), 2u);
    EXPECT_EQ(IgnoreList::Expire(list, t + 121), 1);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].host, "always");
}

} // namespace

namespace {

TEST(IgnoreTest, FlagsAreNamedInTheirOrderOrAsEverything)
{
    EXPECT_EQ(IgnoreList::FlagsText(6), "Súkromný text, Priame spojenia");
    EXPECT_EQ(IgnoreList::FlagsText(0), "Všetko");
    EXPECT_EQ(IgnoreList::FlagsText(1), "Text");
    EXPECT_EQ(IgnoreList::FlagsText(7), "Text, Súkromný text, Priame spojenia");
}

TEST(IgnoreTest, ChangingAnEntryKeepsItsStartTime)
{
    std::vector<IgnoreEntry> list{{"a.sk", 6, 0, 1000}, {"b.sk", 0, 0, 2000}};
    EXPECT_TRUE(IgnoreList::Change(list, "B.SK", 1, 30));
    EXPECT_FALSE(IgnoreList::Change(list, "c.sk", 1, 30));
    EXPECT_EQ(list, (std::vector<IgnoreEntry>{{"a.sk", 6, 0, 1000}, {"b.sk", 1, 30, 2000}}));
}

TEST(IgnoreTest, FindLooksUpTheAddressInAnyCaseAndListLinesKeepTheirFormat)
{
    // A host of Slovak letters folds as the session folds nicks.
    const std::vector<IgnoreEntry> list{{"Čierny.Kôň.sk", 6, 0, 1700000000}, {"a.sk", 0, 15, -1}};
    ASSERT_TRUE(IgnoreList::Find(list, "čierny.kôň.SK"));
    EXPECT_EQ(IgnoreList::Find(list, "čierny.kôň.SK"), &list[0]);
    EXPECT_EQ(IgnoreList::Find(list, "a.sk.example"), nullptr);
    // What "/ignore list" prints, as it always has.
    EXPECT_EQ(list[0].Format(), "Čierny.Kôň.sk 6 0 1700000000");
    EXPECT_EQ(list[1].Format(), "a.sk 0 15 -1");
}

} // namespace
