// How transfers and chats end: done only when complete, otherwise failed with
// the reason the user reads, on both sides.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QTcpServer>

#include "DccFixture.h"
#include "DccPeer.h"
#include "dcc/TransferEnd.h"
#include "session/Session.h"
#include "support/WaitFor.h"
#include "text/Strings.h"
#include "text/TextUtil.h"

#include <cerrno>

namespace {

using DccEnd = DccFixture;

TEST(TransferEndText, ReasonsReadAsWordsNeverAsABareNumber)
{
    TransferEnd end;
    EXPECT_EQ(end.ReasonText(), "");
    end.state = TransferEnd::State::Failed;
    end.reason = TransferEnd::Reason::PeerClosed;
    end.done = 12 * 1024 * 1024;
    end.size = 30 * 1024 * 1024;
    EXPECT_EQ(end.ReasonText(), Strings::Format(Str::DccReasonPeerClosed, 40, FormatSize(end.done).c_str(),
                                                FormatSize(end.size).c_str()));
    end.reason = TransferEnd::Reason::Refused;
    EXPECT_EQ(end.ReasonText(), Strings::Get(Str::DccReasonRefused));
    end.reason = TransferEnd::Reason::OtherError;
    end.errorCode = EHOSTUNREACH;
    const std::string other = end.ReasonText();
    EXPECT_NE(other, std::to_string(EHOSTUNREACH));
    EXPECT_GT(other.size(), std::to_string(EHOSTUNREACH).size() + 3) << other;
    end.state = TransferEnd::State::Done;
    EXPECT_EQ(end.ReasonText(), "");
}

TEST(TransferEndText, SocketAndFileErrorsHaveTheirReasons)
{
    using Reason = TransferEnd::Reason;
    EXPECT_EQ(TransferEnd::ReasonOfSocketError(ECONNREFUSED), Reason::Refused);
    EXPECT_EQ(TransferEnd::ReasonOfSocketError(ETIMEDOUT), Reason::TimedOut);
    EXPECT_EQ(TransferEnd::ReasonOfSocketError(0), Reason::PeerClosed);
    EXPECT_EQ(TransferEnd::ReasonOfSocketError(ECONNRESET), Reason::PeerClosed);
    EXPECT_EQ(TransferEnd::ReasonOfSocketError(ENETUNREACH), Reason::OtherError);
    EXPECT_EQ(TransferEnd::ReasonOfFileError(ENOSPC, false), Reason::DiskFull);
    EXPECT_EQ(TransferEnd::ReasonOfFileError(ENOSPC, true), Reason::DiskFull);
    EXPECT_EQ(TransferEnd::ReasonOfFileError(EACCES, true), Reason::FolderNotWritable);
    EXPECT_EQ(TransferEnd::ReasonOfFileError(EIO, false), Reason::OtherError);
}

TEST_F(DccEnd, ASendThePeerStopsReadingIsFailedNotDone)
{
    const std::string bytes = RandomBytes(3 * 1024 * 1024);
    const std::string path = TempPath("out.bin");
    ASSERT_TRUE(WriteFile(path, bytes));
    EXPECT_EQ(Dcc("/dcc send send bob " + path), 1);
    const std::string offer = NextOfferToBob();
    QPointer<DirectConnect> sender = Newest();
    const TransferEnd &end = EndOf(sender);
    DccPeer peer;
    peer.SetAcknowledging(true);
    ASSERT_TRUE(peer.Connect(OfferPort(offer)));
    ASSERT_TRUE(WaitFor([&] { return sender && sender->Acknowledged() >= 100000; }));
    peer.Close();
    ASSERT_TRUE(WaitForEnd(end));
    EXPECT_TRUE(end.IsFailed());
    EXPECT_EQ(end.reason, TransferEnd::Reason::PeerClosed);
    EXPECT_EQ(end.size, bytes.size());
    EXPECT_LT(end.done, bytes.size());
    EXPECT_GE(end.done, 100000u);
    EXPECT_TRUE(ServerView()->HasLine(
        Strings::Format(Str::DccTransferFailed, path.c_str(), "bob", end.ReasonText().c_str())))
        << ServerView()->Lines().back().text;
    EXPECT_FALSE(ServerView()->HasLine(Strings::Get(Str::DccTransferDone)));
    EXPECT_FALSE(ServerView()->HasLine(Strings::Format(Str::DccClosed, "bob")));
}

TEST_F(DccEnd, ACompleteSendIsDone)
{
    const std::string bytes = RandomBytes(200000);
    const std::string path = TempPath("whole.bin");
    ASSERT_TRUE(WriteFile(path, bytes));
    Dcc("/dcc send send bob " + path);
    const std::string offer = NextOfferToBob();
    const TransferEnd &end = EndOf(Newest());
    DccPeer peer;
    peer.SetAcknowledging(true);
    ASSERT_TRUE(peer.Connect(OfferPort(offer)));
    ASSERT_TRUE(WaitForLine(m_me->Key(), Strings::Get(Str::DccTransferDone)));
    ASSERT_TRUE(WaitForEnd(end));
    EXPECT_TRUE(end.IsDone());
    EXPECT_EQ(end.done, bytes.size());
    EXPECT_EQ(end.reason, TransferEnd::Reason::None);
}

TEST_F(DccEnd, AChatNobodyListensForIsRefused)
{
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost));
    const std::string port = std::to_string(closed.serverPort());
    closed.close();
    EXPECT_EQ(Dcc("/dcc chat connect 127.0.0.1 " + port), 1);
    QPointer<DirectConnect> chat = Newest();
    const std::string window = "*127.0.0.1:" + port;
    ASSERT_TRUE(WaitForLine(window, Strings::Format(Str::DccChatFailed, "127.0.0.1",
                                                    Strings::Get(Str::DccReasonRefused))));
    // An ended chat stays while its window shows it.
    ASSERT_TRUE(chat);
    EXPECT_EQ(chat->End().reason, TransferEnd::Reason::Refused);
    // Typed text is refused with a message, not shown as sent.
    EXPECT_FALSE(m_dcc->SendChat(*chat, "anybody?"));
    EXPECT_TRUE(ViewOf(window)->HasLine(Strings::Get(Str::DccChatEnded)));
    EXPECT_FALSE(ViewOf(window)->HasLineContaining("anybody?"));
}

TEST_F(DccEnd, AnOfferNobodyTakesTimesOut)
{
    m_dcc->SetOfferTimeout(200);
    const std::string path = TempPath("waits.bin");
    ASSERT_TRUE(WriteFile(path, "x"));
    Dcc("/dcc send send bob " + path);
    const TransferEnd &end = EndOf(Newest());
    ASSERT_TRUE(WaitForLine(m_me->Key(), Strings::Format(Str::DccOfferExpired, "bob")));
    ASSERT_TRUE(WaitForEnd(end));
    EXPECT_TRUE(end.IsFailed());
    EXPECT_EQ(end.reason, TransferEnd::Reason::TimedOut);
}

TEST_F(DccEnd, AFileDeletedBeforeThePeerCameHasVanished)
{
    const std::string path = TempPath("gone.bin");
    ASSERT_TRUE(WriteFile(path, RandomBytes(5000)));
    Dcc("/dcc send send bob " + path);
    const std::string offer = NextOfferToBob();
    const TransferEnd &end = EndOf(Newest());
    ASSERT_TRUE(QFile::remove(QString::fromStdString(path)));
    DccPeer peer;
    ASSERT_TRUE(peer.Connect(OfferPort(offer)));
    ASSERT_TRUE(WaitForEnd(end));
    EXPECT_EQ(end.reason, TransferEnd::Reason::FileVanished);
    EXPECT_TRUE(ServerView()->HasLine(Strings::Format(Str::DccTransferFailed, path.c_str(), "bob",
                                                      Strings::Get(Str::DccReasonFileVanished))));
    EXPECT_TRUE(peer.WaitForDisconnect());
    EXPECT_TRUE(peer.Received().empty());
}

// bob offers a file from a peer of the test; it is saved where the test says.
class DccReceiveInto : public DccFixture
{
protected:
    const TransferEnd &AcceptInto(const std::string &path, uint64_t size)
    {
        EXPECT_TRUE(m_peer.Listen());
        m_shell.m_fileDialogAnswer = path;
        m_shell.m_messageBoxAnswer = Shell::AnswerYes;
        EXPECT_EQ(Dcc("/dcc send receive 127.0.0.1 " + std::to_string(m_peer.Port()) + " " + std::to_string(size)
                      + " in.bin"),
                  1);
        const TransferEnd &end = EndOf(Newest());
        m_peer.WaitForConnection();
        return end;
    }

    DccPeer m_peer;
};

TEST_F(DccReceiveInto, AFullDiskIsSaidSo)
{
    if (!QFileInfo(QStringLiteral("/dev/full")).isWritable())
        GTEST_SKIP() << "/dev/full cannot be written here";
    const TransferEnd &end = AcceptInto("/dev/full", 100000);
    m_peer.Send(std::string(5000, 'a'));
    ASSERT_TRUE(WaitForEnd(end));
    EXPECT_EQ(end.reason, TransferEnd::Reason::DiskFull);
    EXPECT_TRUE(ServerView()->HasLine(
        Strings::Format(Str::DccTransferFailed, "/dev/full", "127.0.0.1", Strings::Get(Str::DccReasonDiskFull))))
        << ServerView()->Lines().back().text;
}

TEST_F(DccReceiveInto, AFolderThatCannotBeWrittenIsSaidSo)
{
    // A folder removed after Save As was answered.
    const std::string folder = TempPath("gone");
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(folder)));
    ASSERT_TRUE(QDir().rmdir(QString::fromStdString(folder)));
    const std::string path = folder + "/in.bin";
    const TransferEnd &end = AcceptInto(path, 100);
    ASSERT_TRUE(WaitForEnd(end));
    EXPECT_EQ(end.reason, TransferEnd::Reason::FolderNotWritable);
    EXPECT_TRUE(ServerView()->HasLine(Strings::Format(Str::DccTransferFailed, path.c_str(), "127.0.0.1",
                                                      Strings::Get(Str::DccReasonFolderNotWritable))));
}

} // namespace
