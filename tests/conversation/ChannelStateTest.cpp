#include <gtest/gtest.h>

#include "conversation/ChannelState.h"
#include "support/RecordPrinters.h"

#include <string>
#include <vector>

namespace {

const char *const kLine = ":op!u@h MODE #c";

TEST(ChannelState, KeyIsStoredAndMinusKKeepsItsParameterOrEmpty)
{
    ChannelState state;
    state.ApplyModes("+k", "secret", ":op!u@h MODE #c +k secret", 100);
    EXPECT_TRUE(state.HasMode('k'));
    EXPECT_EQ(state.Key(), "secret");

    state.ApplyModes("-k", "other", ":op!u@h MODE #c -k other", 100);
    EXPECT_FALSE(state.HasMode('k'));
    EXPECT_EQ(state.Key(), "other");

    state.ApplyModes("+k", "x", ":op!u@h MODE #c +k x", 100);
    state.ApplyModes("-k", "", ":op!u@h MODE #c -k", 100);
    EXPECT_FALSE(state.HasMode('k'));
    EXPECT_EQ(state.Key(), "");
}

TEST(ChannelState, LimitAndKeyTakeParametersInOrder)
{
    ChannelState state;
    state.ApplyModes("+l", "50", ":op!u@h MODE #c +l 50", 1);
    EXPECT_TRUE(state.HasMode('l'));
    EXPECT_EQ(state.Limit(), 50);

    state.ApplyModes("+kl", "key 20", ":op!u@h MODE #c +kl key 20", 1);
    EXPECT_EQ(state.Key(), "key");
    EXPECT_EQ(state.Limit(), 20);

    state.ApplyModes("-l", "", ":op!u@h MODE #c -l", 1);
    EXPECT_FALSE(state.HasMode('l'));
}

// Every letter takes its own parameter, in order, as the server counts them.
TEST(ChannelState, ParametersBelongToTheirLettersInOrder)
{
    struct Row
    {
        const char *modes;
        const char *parameters;
    };
    ChannelState state;
    const Row rows[] = {
        {"+bk", "mask!*@* k2"},  // a ban, then the key
        {"-o+b", "nick *!*@h"},  // a status letter uses up its nick
        {"+bb", "a!*@* b!*@*"},  // both listed
        {"+ok", "nick key"},     // the key is "key", not the nick
        {"+qaohv", "o a p h v"}, // owner and admin take a parameter too
        {"+l", "30"},
    };
    for (const Row &row : rows)
        state.ApplyModes(row.modes, row.parameters, std::string(kLine) + " " + row.modes + " " + row.parameters, 7);
    EXPECT_EQ(state.BanList(),
              (std::vector<BanEntry>{
                  {"mask!*@*", "op", 7, 0}, {"*!*@h", "op", 7, 0}, {"a!*@*", "op", 7, 0}, {"b!*@*", "op", 7, 0}}));
    EXPECT_EQ(state.Key(), "key");
    EXPECT_EQ(state.Limit(), 30);

    state.ApplyModes("-bb", "a!*@* b!*@*", ":op!u@h MODE #c -bb a!*@* b!*@*", 8);
    EXPECT_EQ(state.BanList(), (std::vector<BanEntry>{{"mask!*@*", "op", 7, 0}, {"*!*@h", "op", 7, 0}}));
    // "-l" takes no parameter: the mask after it belongs to "-b".
    state.ApplyModes("-lb", "*!*@h", ":op!u@h MODE #c -lb *!*@h", 8);
    EXPECT_FALSE(state.HasMode('l'));
    EXPECT_EQ(state.BanList(), (std::vector<BanEntry>{{"mask!*@*", "op", 7, 0}}));
}

// A server that announces other CHANMODES is counted its way.
TEST(ChannelState, TheServersChannelModesCountTheParameters)
{
    ModeRules rules;
    rules.SetChannelModes("beIq,kf,lj,imnpst");
    ASSERT_TRUE(rules.SetPrefix("(ov)@+"));
    ChannelState state;
    state.ApplyModes("+qfk", "quiet!*@* 5:10 key", ":op!u@h MODE #c +qfk quiet!*@* 5:10 key", 1, rules);
    EXPECT_EQ(state.Key(), "key");
    EXPECT_TRUE(state.BanList().empty()); // a quiet is no ban
    state.ApplyModes("+jb", "3:5 x!*@*", ":op!u@h MODE #c +jb 3:5 x!*@*", 1, rules);
    EXPECT_EQ(state.BanList(), (std::vector<BanEntry>{{"x!*@*", "op", 1, 0}}));
}

TEST(ChannelState, FlagsFollowTheSignAndUnknownLettersAreIgnored)
{
    ChannelState state;
    state.ApplyModes("+tnimps", "", kLine, 1);
    for (char flag : std::string("tnimps"))
        EXPECT_TRUE(state.HasMode(flag)) << flag;
    state.ApplyModes("-tn+xyz-s", "", kLine, 1);
    EXPECT_FALSE(state.HasMode('t'));
    EXPECT_FALSE(state.HasMode('n'));
    EXPECT_TRUE(state.HasMode('i'));
    EXPECT_FALSE(state.HasMode('s'));
    EXPECT_FALSE(state.HasMode('x'));
}

TEST(ChannelState, BansAreNotDuplicatedAndRemovedByTheirMask)
{
    ChannelState state;
    state.ApplyModes("+b", "a!*@*", ":op!u@h MODE #c +b a!*@*", 5);
    state.ApplyModes("+b", "a!*@*", ":op!u@h MODE #c +b a!*@*", 5);
    state.ApplyModes("+b", "b!*@*", ":op!u@h MODE #c +b b!*@*", 5);
    ASSERT_EQ(state.BanList().size(), 2u);

    state.ApplyModes("-b", "A!*@*", ":op!u@h MODE #c -b A!*@*", 6); // case-sensitive: no match
    EXPECT_EQ(state.BanList().size(), 2u);
    state.ApplyModes("-b", "a!*@*", ":op!u@h MODE #c -b a!*@*", 6);
    ASSERT_EQ(state.BanList().size(), 1u);
    EXPECT_EQ(state.BanList()[0], (BanEntry{"b!*@*", "op", 5, 0}));
}

TEST(ChannelState, MissingParametersAndHostileInputStaySafe)
{
    ChannelState state;
    state.ApplyModes("+klb", "", "", 1); // no parameters, no line
    EXPECT_TRUE(state.HasMode('k'));
    EXPECT_EQ(state.Key(), "");
    EXPECT_EQ(state.Limit(), 0);
    EXPECT_TRUE(state.BanList().empty()); // a ban without mask is not listed

    state.ApplyModes("+k", std::string(5000, 'x'), kLine, 1);
    EXPECT_EQ(state.Key().size(), ChannelState::MaxKeyLength);

    for (int i = 0; i < 6000; ++i)
        state.ApplyModes("+b", "m" + std::to_string(i), kLine, 1);
    EXPECT_LE(state.BanList().size(), 5000u);
}

TEST(ChannelState, TopicHistoryKeepsTheLastHundred)
{
    ChannelState state;
    for (int i = 0; i < 105; ++i)
        state.SetTopic("topic " + std::to_string(i));
    EXPECT_EQ(state.Topic(), "topic 104");
    ASSERT_EQ(state.TopicHistory().size(), 100u);
    EXPECT_EQ(state.TopicHistory().front(), "topic 5");
    EXPECT_EQ(state.TopicHistory().back(), "topic 104");
}

} // namespace

namespace {

TEST(ChannelStateBans, ADurationIsSetOnTheBanOfTheMaskAndLiftedWhenOver)
{
    ChannelState state;
    state.AddBan("*!*@a.sk", "op", 1000);
    state.AddBan("*!*@b.sk", "op", 1000);
    EXPECT_FALSE(state.SetBanDuration("*!*@none.sk", 5));
    ASSERT_TRUE(state.SetBanDuration("*!*@a.sk", 2));
    ASSERT_TRUE(state.SetBanDuration("*!*@b.sk", -3));
    EXPECT_EQ(state.BanList()[0], (BanEntry{"*!*@a.sk", "op", 1000, 2}));
    EXPECT_EQ(state.BanList()[1], (BanEntry{"*!*@b.sk", "op", 1000, 0}));

    EXPECT_TRUE(state.TakeExpiredBans(1120).empty());
    EXPECT_EQ(state.TakeExpiredBans(1121), std::vector<std::string>{"*!*@a.sk"});
    ASSERT_EQ(state.BanList().size(), 1u);
    EXPECT_TRUE(state.TakeExpiredBans(INT64_C(253402300799)).empty());
}

TEST(ChannelStateBans, DurationTextSaysAlwaysForZero)
{
    EXPECT_EQ(ChannelState::DurationText(0), "Vždy");
    EXPECT_EQ(ChannelState::DurationText(15), "15 (minút)");
}

} // namespace
