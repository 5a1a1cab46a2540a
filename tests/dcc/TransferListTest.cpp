// The list of this run's transfers: states, speed, time left, clearing.
#include <gtest/gtest.h>

#include "dcc/TransferList.h"

namespace {

constexpr uint64_t kMB = 1024 * 1024;

class TransferListTest : public ::testing::Test
{
protected:
    int AddReceive(uint64_t size, int64_t nowMs = 0)
    {
        return m_list.Add(Transfer::Direction::Receive, "net", "bob", "/tmp/in.bin", size, nowMs);
    }

    TransferList m_list;
    int m_changes = 0;
};

TEST_F(TransferListTest, ATransferWaitsUntilItsFirstByteAndEndsOnce)
{
    m_list.SetListener([this] { ++m_changes; });
    const int id = AddReceive(10 * kMB, 1000);
    EXPECT_EQ(m_changes, 1);
    const Transfer *transfer = m_list.Find(id);
    ASSERT_NE(transfer, nullptr);
    EXPECT_EQ(transfer->state, Transfer::State::Waiting);
    EXPECT_EQ(transfer->startMs, 1000);
    EXPECT_FALSE(transfer->HasEnded());

    m_list.Progress(id, 0, 1500); // connected, nothing moved yet
    EXPECT_EQ(transfer->state, Transfer::State::Waiting);
    m_list.Progress(id, kMB, 2000);
    EXPECT_EQ(transfer->state, Transfer::State::Running);
    EXPECT_EQ(transfer->done, kMB);
    EXPECT_EQ(m_changes, 2); // the start is a change; further progress is read by the window
    m_list.Progress(id, 2 * kMB, 2500);
    EXPECT_EQ(m_changes, 2);

    m_list.End(id, Transfer::State::Failed, "prerušené", 3000);
    EXPECT_EQ(transfer->state, Transfer::State::Failed);
    EXPECT_EQ(transfer->reason, "prerušené");
    EXPECT_EQ(transfer->endMs, 3000);
    // An ended transfer stays as it ended.
    m_list.End(id, Transfer::State::Done, "", 4000);
    m_list.Progress(id, 10 * kMB, 4000);
    EXPECT_EQ(transfer->state, Transfer::State::Failed);
    EXPECT_EQ(transfer->done, 2 * kMB);
    EXPECT_EQ(transfer->endMs, 3000);
    EXPECT_EQ(m_changes, 3);
}

TEST_F(TransferListTest, SpeedIsMeasuredOverTheLastFiveSecondsWithoutTheWait)
{
    const int id = AddReceive(100 * kMB, 0);
    EXPECT_EQ(m_list.Speed(id), 0);
    // Ten seconds waiting for the peer, then 1 MB a second.
    m_list.Progress(id, kMB, 10000);
    EXPECT_EQ(m_list.Speed(id), 0); // one report says nothing about speed
    m_list.Progress(id, 2 * kMB, 11000);
    EXPECT_DOUBLE_EQ(m_list.Speed(id), double(kMB));
    for (int second = 2; second <= 8; ++second)
        m_list.Progress(id, uint64_t(second + 1) * kMB, 10000 + second * 1000);
    EXPECT_DOUBLE_EQ(m_list.Speed(id), double(kMB));
    // It slows to 0.25 MB a second: after five seconds only the new pace counts.
    uint64_t done = 9 * kMB;
    for (int second = 9; second <= 13; ++second) {
        done += kMB / 4;
        m_list.Progress(id, done, 10000 + second * 1000);
    }
    EXPECT_DOUBLE_EQ(m_list.Speed(id), double(kMB / 4));
}

TEST_F(TransferListTest, TimeLeftFollowsTheSpeedAndIsUnknownWithoutOne)
{
    const int id = AddReceive(10 * kMB, 0);
    EXPECT_FALSE(m_list.SecondsLeft(id).has_value());
    m_list.Progress(id, kMB, 1000);
    EXPECT_FALSE(m_list.SecondsLeft(id).has_value());
    m_list.Progress(id, 3 * kMB, 2000); // 2 MB a second, 7 MB left
    ASSERT_TRUE(m_list.SecondsLeft(id).has_value());
    EXPECT_EQ(*m_list.SecondsLeft(id), 4); // 3.5 s, rounded up
    m_list.Progress(id, 3 * kMB, 9000);    // stalled for the whole window
    EXPECT_FALSE(m_list.SecondsLeft(id).has_value());
    m_list.End(id, Transfer::State::Failed, "x", 9500);
    EXPECT_FALSE(m_list.SecondsLeft(id).has_value());
}

TEST_F(TransferListTest, ADoneTransferKeepsItsAverageSpeed)
{
    const int id = AddReceive(8 * kMB, 0);
    m_list.Progress(id, 2 * kMB, 5000);
    m_list.Progress(id, 8 * kMB, 8000);
    m_list.End(id, Transfer::State::Done, "ignored", 9000);
    EXPECT_EQ(m_list.Find(id)->reason, "");
    EXPECT_DOUBLE_EQ(m_list.Speed(id), double(6 * kMB) / 4.0);
    EXPECT_FALSE(m_list.SecondsLeft(id).has_value());
    // A failed one shows no speed: it is not moving.
    const int failed = AddReceive(8 * kMB, 0);
    m_list.Progress(failed, kMB, 1000);
    m_list.Progress(failed, 2 * kMB, 2000);
    m_list.End(failed, Transfer::State::Failed, "x", 3000);
    EXPECT_EQ(m_list.Speed(failed), 0);
}

TEST_F(TransferListTest, SizesPast4GiBKeepTheirFigures)
{
    const uint64_t size = 6ull * 1024 * kMB;
    const int id = AddReceive(size, 0);
    m_list.Progress(id, 5ull * 1024 * kMB, 1000);
    m_list.Progress(id, 5ull * 1024 * kMB + 512 * kMB, 2000);
    EXPECT_DOUBLE_EQ(m_list.Speed(id), double(512 * kMB));
    EXPECT_EQ(*m_list.SecondsLeft(id), 1);
}

TEST_F(TransferListTest, ClearingFinishedKeepsTheRunningInTheirOrder)
{
    m_list.SetListener([this] { ++m_changes; });
    const int done = AddReceive(10);
    const int running = AddReceive(10);
    const int failed = AddReceive(10);
    const int waiting = AddReceive(10);
    m_list.Progress(running, 5, 10);
    m_list.Progress(done, 10, 10);
    m_list.End(done, Transfer::State::Done, "", 20);
    m_list.End(failed, Transfer::State::Failed, "zrušené", 20);
    EXPECT_TRUE(m_list.HasRunning());
    m_changes = 0;

    EXPECT_EQ(m_list.ClearFinished(), 2);
    EXPECT_EQ(m_changes, 1);
    ASSERT_EQ(m_list.Count(), 2);
    EXPECT_EQ(m_list.At(0).id, running);
    EXPECT_EQ(m_list.At(1).id, waiting);
    EXPECT_EQ(m_list.Find(done), nullptr);
    EXPECT_EQ(m_list.ClearFinished(), 0);
    EXPECT_EQ(m_changes, 1);

    m_list.End(running, Transfer::State::Done, "", 30);
    m_list.Remove(waiting);
    EXPECT_FALSE(m_list.HasRunning());
    // Ids are never handed out twice, even after clearing.
    EXPECT_GT(AddReceive(1), waiting);
}

TEST(TransferDuration, ReadsAsMinutesAndSecondsOrHours)
{
    EXPECT_EQ(TransferList::FormatDuration(0), "0:00");
    EXPECT_EQ(TransferList::FormatDuration(42), "0:42");
    EXPECT_EQ(TransferList::FormatDuration(725), "12:05");
    EXPECT_EQ(TransferList::FormatDuration(3600), "1:00:00");
    EXPECT_EQ(TransferList::FormatDuration(11235), "3:07:15");
    EXPECT_EQ(TransferList::FormatDuration(-5), "0:00");
}

} // namespace
