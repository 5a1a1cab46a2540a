// Resuming a file both ways with a peer of the test, past 4 GiB where the
// 32-bit acknowledgements wrap. The big files are sparse: only the bytes
// transferred take disk space, and the temporary folder goes after each test.
#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>

#include "DccFixture.h"
#include "DccPeer.h"
#include "session/Session.h"
#include "support/WaitFor.h"
#include "text/Strings.h"
#include "text/Words.h"

namespace {

constexpr uint64_t k4GiB = 4ull * 1024 * 1024 * 1024;
constexpr uint64_t kTail = 3 * 1024 * 1024;

// A sparse file of size bytes whose last `tail.size()` bytes are tail.
bool MakeSparse(const std::string &path, uint64_t size, const std::string &tail)
{
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly) || !file.resize(qint64(size)))
        return false;
    return file.seek(qint64(size - tail.size())) && file.write(tail.data(), qint64(tail.size())) == qint64(tail.size());
}

std::string ReadTail(const std::string &path, uint64_t from, uint64_t count)
{
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly) || !file.seek(qint64(from)))
        return {};
    return file.read(qint64(count)).toStdString();
}

using DccResume = DccFixture;

TEST_F(DccResume, OurSendAnswersAResumeAndStartsThereAcrossFourGiB)
{
    const std::string tail = RandomBytes(kTail);
    const uint64_t size = k4GiB + kTail - 1024 * 1024; // past 4 GiB
    const std::string path = TempPath("big file.bin");
    ASSERT_TRUE(MakeSparse(path, size, tail));
    Dcc("/dcc send send bob " + path);
    const std::string offer = NextOfferToBob();
    ASSERT_EQ(GetWord(offer, 6), std::to_string(size));
    const uint16_t port = OfferPort(offer);
    const TransferEnd &end = EndOf(Newest());

    // bob holds all but the tail; a position the send cannot start at is ignored.
    const uint64_t offset = size - kTail;
    OfferFromBob("DCC RESUME big.file.bin " + std::to_string(port) + " " + std::to_string(size + 1));
    OfferFromBob("DCC RESUME big.file.bin " + std::to_string(port) + " " + std::to_string(offset));
    std::string accept;
    ASSERT_TRUE(m_bob.WaitForText("\001DCC ACCEPT", 10000, &accept));
    EXPECT_NE(accept.find("\001DCC ACCEPT big.file.bin " + std::to_string(port) + " " + std::to_string(offset) + "\001"),
              std::string::npos)
        << accept;
    EXPECT_TRUE(ServerView()->HasLineContaining("big.file.bin"));

    DccPeer peer;
    peer.SetAcknowledging(true);
    peer.SetAcknowledgementBase(offset); // the acknowledgements wrap past 4 GiB
    ASSERT_TRUE(peer.Connect(port));
    ASSERT_TRUE(WaitForLine(m_me->Key(), Strings::Get(Str::DccTransferDone)));
    ASSERT_TRUE(WaitForEnd(end));
    EXPECT_TRUE(end.IsDone());
    EXPECT_EQ(end.done, size);
    EXPECT_EQ(peer.Received(), tail);
}

TEST_F(DccResume, ADownloadAsksToResumeAndContinuesAcrossFourGiB)
{
    const std::string tail = RandomBytes(kTail);
    const uint64_t size = k4GiB + 2 * 1024 * 1024;
    const uint64_t has = size - kTail;
    const std::string path = TempPath("saved.bin");
    // What an interrupted download left: the first part, the rest missing.
    ASSERT_TRUE(MakeSparse(path, has, std::string(16, 'h')));

    DccPeer peer;
    ASSERT_TRUE(peer.Listen());
    const std::string port = std::to_string(peer.Port());
    OfferFromBob("DCC SEND in.bin 2130706433 " + port + " " + std::to_string(size));
    ASSERT_TRUE(WaitFor([&] { return !m_shell.m_dccOffers.empty(); }));
    m_shell.m_fileDialogAnswer = path;
    m_shell.m_messageBoxAnswer = Shell::AnswerResume;
    EXPECT_EQ(Dcc("/dcc send receive 127.0.0.1 " + port + " " + std::to_string(size) + " in.bin"), 1);
    ASSERT_FALSE(m_shell.m_messageBoxes.empty());
    EXPECT_NE(m_shell.m_messageBoxes.back().find(path), std::string::npos);
    const TransferEnd &end = EndOf(Newest());

    std::string resume;
    ASSERT_TRUE(m_bob.WaitForText("\001DCC RESUME", 10000, &resume));
    EXPECT_NE(resume.find("\001DCC RESUME in.bin " + port + " " + std::to_string(has) + "\001"), std::string::npos)
        << resume;
    // Nothing connects before the sender accepts.
    PumpEvents(100);
    EXPECT_FALSE(peer.IsConnected());
    OfferFromBob("DCC ACCEPT in.bin " + port + " " + std::to_string(has));
    ASSERT_TRUE(peer.WaitForConnection());
    peer.Send(tail);
    ASSERT_TRUE(WaitForEnd(end));
    EXPECT_TRUE(end.IsDone()) << ServerView()->Lines().back().text;
    EXPECT_EQ(QFileInfo(QString::fromStdString(path)).size(), qint64(size));
    EXPECT_EQ(ReadTail(path, has - 16, 16), std::string(16, 'h'));
    EXPECT_EQ(ReadTail(path, has, kTail), tail);
    // The last acknowledgement is the whole size's low 32 bits.
    EXPECT_EQ(peer.LastAcknowledgement(), uint32_t(size & 0xFFFFFFFFu));
}

TEST_F(DccResume, OverwriteAndCancelAreTheOtherAnswers)
{
    const std::string path = TempPath("part.bin");
    ASSERT_TRUE(WriteFile(path, "abc"));
    DccPeer peer;
    ASSERT_TRUE(peer.Listen());
    const std::string port = std::to_string(peer.Port());
    OfferFromBob("DCC SEND part.bin 2130706433 " + port + " 10");
    ASSERT_TRUE(WaitFor([&] { return !m_shell.m_dccOffers.empty(); }));
    m_shell.m_fileDialogAnswer = path;
    m_shell.m_messageBoxAnswer = Shell::AnswerCancel;
    EXPECT_EQ(Dcc("/dcc send receive 127.0.0.1 " + port + " 10 part.bin"), 1);
    EXPECT_TRUE(m_dcc->Connections().empty());
    EXPECT_EQ(ReadFile(path), "abc");

    m_shell.m_messageBoxAnswer = Shell::AnswerOverwrite;
    EXPECT_EQ(Dcc("/dcc send receive 127.0.0.1 " + port + " 10 part.bin"), 1);
    ASSERT_TRUE(peer.WaitForConnection());
    peer.Send("0123456789");
    ASSERT_TRUE(WaitForLine(m_me->Key(), Strings::Get(Str::DccTransferDone)));
    EXPECT_EQ(ReadFile(path), "0123456789");
}

} // namespace
