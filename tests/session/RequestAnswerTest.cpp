#include "session/RequestAnswer.h"

#include <gtest/gtest.h>

TEST(RequestAnswer, MatchesByKindNickAndFileName)
{
    const std::string chat = "1 1700000000 Ana ahoj ako sa mas";
    EXPECT_TRUE(RequestAnswer::Matches(chat, 1, "ana", ""));
    EXPECT_FALSE(RequestAnswer::Matches(chat, 2, "ana", ""));
    EXPECT_FALSE(RequestAnswer::Matches(chat, 1, "bob", ""));

    const std::string file = "4 1700000000 bob /dcc send receive 10.0.0.1 5000 2048 moja fotka.jpg";
    EXPECT_TRUE(RequestAnswer::Matches(file, 4, "BOB", "moja fotka.jpg"));
    EXPECT_FALSE(RequestAnswer::Matches(file, 4, "bob", "ina.jpg"));
    EXPECT_FALSE(RequestAnswer::Matches("", 4, "bob", ""));
}
