#include "session/PendingRequests.h"

#include <gtest/gtest.h>

namespace {

const std::string kKey = "krnl:1:127.0.0.1:6667";

TEST(PendingRequest, AnAnswerSettlesTheRequestsOfItsKindNickAndFile)
{
    const PendingRequest chat{Question::PrivateChat, 1700000000, "Ľubo", "ahoj, ako sa máš?", {}};
    EXPECT_TRUE(chat.IsSettledBy(Question::ForRequest(Question::PrivateChat, "ľubo!~l@dom.sk", kKey)));
    EXPECT_FALSE(chat.IsSettledBy(Question::ForRequest(Question::DccChat, "Ľubo!~l@dom.sk", kKey)));
    EXPECT_FALSE(chat.IsSettledBy(Question::ForRequest(Question::PrivateChat, "bob!b@dom.sk", kKey)));

    // A file offer: the file decides, blanks and all.
    const PendingRequest file{Question::DccFile, 1700000000, "bob",
                              "/dcc send receive 10.0.0.1 5000 2048 moja_fotka.jpg", "moja fotka.jpg"};
    EXPECT_TRUE(file.IsSettledBy(Question::ForRequest(Question::DccFile, "BOB!b@h", kKey, "moja fotka.jpg", 2048)));
    EXPECT_FALSE(file.IsSettledBy(Question::ForRequest(Question::DccFile, "bob!b@h", kKey, "moja", 2048)));
    EXPECT_FALSE(file.IsSettledBy(Question::ForRequest(Question::DccFile, "bob!b@h", kKey, "", 2048)));
}

TEST(PendingRequests, TakingKeepsTheOrderAndEveryFieldWhole)
{
    PendingRequests requests;
    std::string notice;
    const PendingRequest first{Question::PrivateChat, 1, "ann", " medzera na začiatku", {}};
    const PendingRequest empty{Question::PrivateChat, 2, "ann", "", {}};
    const PendingRequest other{Question::PrivateChat, 3, "eve", "iný", {}};
    ASSERT_TRUE(requests.Add(first, notice));
    ASSERT_TRUE(requests.Add(other, notice));
    ASSERT_TRUE(requests.Add(empty, notice));
    EXPECT_TRUE(notice.empty());

    const std::vector<PendingRequest> taken =
        requests.TakeSettled(Question::ForRequest(Question::PrivateChat, "ANN!a@h", kKey));
    EXPECT_EQ(taken, (std::vector<PendingRequest>{first, empty}));
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0], other);
}

} // namespace
