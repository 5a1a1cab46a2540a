#include "FakeCompletionSource.h"
#include "input/InputCodes.h"

#include <gtest/gtest.h>

namespace {

InputCompletion::Line LineOf(const std::string &codes, int caret = -1)
{
    InputCompletion::Line line;
    line.codes = codes;
    line.plain = InputCodes::PlainText(InputCodes::SetTextWithCodes(codes, 0xFFFFFF));
    line.caret = caret < 0 ? InputCodes::CharacterCount(line.plain) : caret;
    return line;
}

// Presses Tab on the line as the input line does and returns what it shows.
std::string Tab(InputCompletion &completion, const CompletionSource &source, const std::string &codes, int caret = -1)
{
    InputCompletion::Line result;
    if (!completion.Complete(source, LineOf(codes, caret), result))
        return codes;
    return result.codes;
}

TEST(InputCompletionTest, ChannelTabStepsThroughMatchesAndRestoresTheWord)
{
    const FakeCompletionSource channel(Conversation::TypeChannel, "#c", {"@alice", "bob", "+Bobby", "carol"});
    InputCompletion completion;
    std::string line = "bo";
    line = Tab(completion, channel, line);
    EXPECT_EQ(line, "bob");
    EXPECT_FALSE(completion.IsFresh());
    line = Tab(completion, channel, line);
    EXPECT_EQ(line, "Bobby");
    line = Tab(completion, channel, line);
    EXPECT_EQ(line, "bo");
    EXPECT_TRUE(completion.IsFresh());
    line = Tab(completion, channel, line);
    EXPECT_EQ(line, "bob") << "a new round starts from the first member";
}

TEST(InputCompletionTest, ChannelTabCompletesTheLastWordOnlyAndKeepsFormatting)
{
    const FakeCompletionSource channel(Conversation::TypeChannel, "#c", {"%dan", "@Zuzana"});
    InputCompletion completion;
    EXPECT_EQ(Tab(completion, channel, "ahoj zu"), "ahoj Zuzana");
    completion.Reset();
    EXPECT_EQ(Tab(completion, channel,
                  "\x02"
                  "ahoj\x02 D"),
              "\x02"
              "ahoj\x02 dan")
        << "'%' is a status character";
    completion.Reset();
    EXPECT_EQ(Tab(completion, channel,
                  "\x03"
                  "4,0da"),
              "\x03"
              "4,0dan");
}

TEST(InputCompletionTest, ChannelTabDoesNothingAwayFromTheEndOrOnAnEmptyLine)
{
    const FakeCompletionSource channel(Conversation::TypeChannel, "#c", {"bob"});
    InputCompletion completion;
    InputCompletion::Line result;
    EXPECT_FALSE(completion.Complete(channel, LineOf("bo and", 1), result));
    EXPECT_FALSE(completion.Complete(channel, LineOf(""), result));
    EXPECT_TRUE(completion.IsFresh());
}

TEST(InputCompletionTest, ChannelTabWithoutMatchRestoresTheLine)
{
    const FakeCompletionSource channel(Conversation::TypeChannel, "#c", {"bob"});
    const FakeCompletionSource empty(Conversation::TypeChannel, "#c");
    InputCompletion completion;
    EXPECT_EQ(Tab(completion, channel, "\x02xy"), "\x02xy");
    EXPECT_TRUE(completion.IsFresh());
    EXPECT_EQ(Tab(completion, empty, "bo"), "bo");
}

TEST(InputCompletionTest, ChannelTabMatchesWithoutRegardToCaseBeyondAscii)
{
    const FakeCompletionSource channel(Conversation::TypeChannel, "#c", {"Ľubo", "ľudo"});
    InputCompletion completion;
    EXPECT_EQ(Tab(completion, channel, "ahoj ľu"), "ahoj Ľubo");
    EXPECT_EQ(Tab(completion, channel, "ahoj Ľubo"), "ahoj ľudo");
}

TEST(InputCompletionTest, PrivateTabAppendsTheWindowNameAtTheEndOfThePlainLine)
{
    const FakeCompletionSource query(Conversation::TypePrivate, "peter");
    InputCompletion completion;
    EXPECT_EQ(Tab(completion, query, "ahoj "), "ahoj peter ");
    EXPECT_EQ(Tab(completion, query, ""), "peter ");
    EXPECT_EQ(Tab(completion, query, "ahoj", 2), "ahoj") << "caret in the middle";
    // With formatting the IRC text is longer than the caret can reach.
    EXPECT_EQ(Tab(completion, query,
                  "\x02"
                  "ahoj"),
              "\x02"
              "ahoj");
}

TEST(InputCompletionTest, StatusTabAtTheStartStartsAQuote)
{
    const FakeCompletionSource status(Conversation::TypeStatus, "krnl:1:127.0.0.1:6667");
    InputCompletion completion;
    EXPECT_EQ(Tab(completion, status, "", 0), "/quote ");
    EXPECT_EQ(Tab(completion, status, "MODE x", 0), "/quote ");
    EXPECT_EQ(Tab(completion, status, "MODE x"), "MODE x");
}

} // namespace
