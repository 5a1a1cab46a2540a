#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QPointer>

#include "DccFixture.h"
#include "DccPeer.h"
#include "session/Session.h"
#include "support/FakeFileProgress.h"
#include "support/WaitFor.h"
#include "text/Strings.h"
#include "text/TextUtil.h"
#include "text/Words.h"

namespace {

using DccFile = DccFixture;

std::string Sha256(const std::string &bytes)
{
    return QCryptographicHash::hash(QByteArray::fromStdString(bytes), QCryptographicHash::Sha256).toHex().toStdString();
}

TEST_F(DccFile, OnlyReadableRegularFilesAreOffered)
{
    const std::string folder = m_files.path().toStdString();
    EXPECT_EQ(Dcc("/dcc send send bob " + folder), 1);
    EXPECT_EQ(Dcc("/dcc send send bob " + TempPath("missing.txt")), 1);
    EXPECT_TRUE(ServerView()->HasLine(Strings::Format(Str::DccFileUnreadable, folder.c_str())));
    EXPECT_TRUE(ServerView()->HasLine(Strings::Format(Str::DccFileUnreadable, TempPath("missing.txt").c_str())));
    // Nothing was offered: the first thing bob hears from me is a marker.
    m_me->Command(m_me->Key(), 0, "/msg bob marker");
    std::string line;
    ASSERT_TRUE(m_bob.WaitForCommand("PRIVMSG", 10000, &line));
    EXPECT_NE(line.find(":marker"), std::string::npos) << line;
    EXPECT_TRUE(WaitFor([&] { return m_dcc->Connections().empty(); }));
}

TEST_F(DccFile, ASlowReaderGetsEveryByteInOrder)
{
    // More than the socket's send limit and the system's buffers take while
    // the reader holds back: the sender has to wait for the socket.
    const std::string bytes = RandomBytes(24 * 1024 * 1024 + 123);
    const std::string path = TempPath("my file.bin");
    ASSERT_TRUE(WriteFile(path, bytes));
    EXPECT_EQ(Dcc("/dcc send send bob " + path), 1);
    const std::string offer = NextOfferToBob();
    EXPECT_EQ(GetWord(offer, 3), "my.file.bin");
    EXPECT_EQ(GetWord(offer, 4), "2130706433");
    EXPECT_EQ(GetWord(offer, 6), std::to_string(bytes.size()));
    QPointer<DirectConnect> sender = Newest();

    DccPeer peer;
    peer.SetPaused(true);
    ASSERT_TRUE(peer.Connect(OfferPort(offer)));
    ASSERT_TRUE(WaitFor([&] { return sender && sender->Sent() >= 6u * 1024 * 1024; }));
    EXPECT_LT(sender->Sent(), bytes.size());
    peer.SetAcknowledging(true);
    peer.SetPaused(false);
    ASSERT_TRUE(WaitForLine(m_me->Key(), Strings::Get(Str::DccTransferDone)));
    ASSERT_TRUE(WaitForLine(m_me->Key(), Strings::Format(Str::DccClosed, "bob")));
    ASSERT_TRUE(peer.WaitForDisconnect());
    EXPECT_EQ(peer.Received().size(), bytes.size());
    EXPECT_EQ(Sha256(peer.Received()), Sha256(bytes));

    ASSERT_EQ(m_shell.m_progress.size(), 1u);
    const FakeFileProgress &progress = *m_shell.m_progress[0];
    EXPECT_EQ(progress.m_path, path);
    EXPECT_EQ(progress.m_direction, Strings::Format(Str::DccDirection, "...", "bob"));
    ASSERT_FALSE(progress.m_positions.empty());
    EXPECT_EQ(progress.m_positions.back(), bytes.size());
    EXPECT_TRUE(std::is_sorted(progress.m_positions.begin(), progress.m_positions.end()));
    EXPECT_TRUE(progress.m_finished);
}

class DccReceive : public DccFixture
{
protected:
    // bob offers a file of the announced size from a peer of the test;
    // returns the path the file is saved under after the accept line ran.
    std::string AcceptOfferFromBob(uint64_t size, const std::string &name = "in file.bin")
    {
        EXPECT_TRUE(m_peer.Listen());
        OfferFromBob("DCC SEND \"" + name + "\" 2130706433 " + std::to_string(m_peer.Port()) + " "
                     + std::to_string(size));
        EXPECT_TRUE(WaitFor([&] { return !m_shell.m_dccOffers.empty(); }));
        const std::string path = TempPath("saved.bin");
        m_shell.m_fileDialogAnswer = path;
        const std::string accept = "/dcc send receive 127.0.0.1 " + std::to_string(m_peer.Port()) + " "
            + std::to_string(size) + " in_file.bin";
        EXPECT_TRUE(ServerView()->HasLineContaining("id='" + accept + "'"));
        EXPECT_EQ(Dcc(accept), 1);
        EXPECT_TRUE(m_peer.WaitForConnection());
        EXPECT_TRUE(WaitForLine(m_me->Key(), Strings::Get(Str::DccTransferStarting)));
        return path;
    }

    DccPeer m_peer;
};

TEST_F(DccReceive, AcknowledgesEveryBlockAndTheWholeFile)
{
    const std::string bytes = RandomBytes(300000);
    const std::string path = AcceptOfferFromBob(bytes.size());
    m_peer.Send(bytes);
    ASSERT_TRUE(WaitForLine(m_me->Key(), Strings::Get(Str::DccTransferDone)));
    ASSERT_TRUE(WaitForLine(m_me->Key(), Strings::Format(Str::DccClosed, "bob")));
    EXPECT_EQ(ReadFile(path), bytes);
    ASSERT_TRUE(m_peer.WaitForDisconnect());
    EXPECT_EQ(m_peer.Received().size() % 4, 0u);
    EXPECT_EQ(m_peer.LastAcknowledgement(), bytes.size());
    ASSERT_EQ(m_shell.m_progress.size(), 1u);
    EXPECT_EQ(m_shell.m_progress[0]->m_direction, Strings::Format(Str::DccDirection, "bob", "..."));
    EXPECT_EQ(m_shell.m_progress[0]->m_positions.back(), bytes.size());
}

TEST_F(DccReceive, NothingPastTheAnnouncedSizeReachesTheDisk)
{
    const std::string bytes = RandomBytes(300000);
    const std::string path = AcceptOfferFromBob(bytes.size());
    m_peer.Send(bytes + std::string(50000, 'x'));
    ASSERT_TRUE(WaitForLine(m_me->Key(), Strings::Get(Str::DccTransferDone)));
    EXPECT_EQ(ReadFile(path), bytes);
}

TEST_F(DccReceive, AnEmptyFileIsCreated)
{
    const std::string path = AcceptOfferFromBob(0);
    ASSERT_TRUE(WaitForLine(m_me->Key(), Strings::Get(Str::DccTransferDone)));
    EXPECT_TRUE(QFileInfo::exists(QString::fromStdString(path)));
    EXPECT_EQ(QFileInfo(QString::fromStdString(path)).size(), 0);
}

TEST_F(DccReceive, APeerThatClosesEarlyLeavesAnIncompleteFileThatIsNamedSo)
{
    const std::string bytes = RandomBytes(100000);
    const std::string path = AcceptOfferFromBob(bytes.size());
    m_peer.Send(bytes.substr(0, 30000));
    ASSERT_TRUE(WaitFor([&] { return Newest() && Newest()->Received() == 30000; }));
    m_peer.Close();
    const std::string reason =
        Strings::Format(Str::DccReasonPeerClosed, 30, FormatSize(30000).c_str(), FormatSize(100000).c_str());
    ASSERT_TRUE(WaitForLine(m_me->Key(), Strings::Format(Str::DccTransferFailed, path.c_str(), "bob", reason.c_str())))
        << ServerView()->Lines().back().text;
    EXPECT_EQ(ReadFile(path), bytes.substr(0, 30000));
    EXPECT_FALSE(ServerView()->HasLine(Strings::Format(Str::DccClosed, "bob")));
    EXPECT_FALSE(ServerView()->HasLine(Strings::Get(Str::DccTransferDone)));
}

TEST_F(DccReceive, CancelEndsTheTransferAsCancelled)
{
    const std::string path = AcceptOfferFromBob(100000);
    m_peer.Send(std::string(1000, 'a'));
    ASSERT_EQ(m_shell.m_progress.size(), 1u);
    FakeFileProgress &progress = *m_shell.m_progress[0];
    ASSERT_TRUE(WaitFor([&] { return !progress.m_positions.empty() && progress.m_positions.back() == 1000; }));
    const TransferEnd &end = EndOf(Newest());
    progress.Cancel();
    ASSERT_TRUE(WaitForLine(m_me->Key(), Strings::Format(Str::DccTransferFailed, path.c_str(), "bob",
                                                         Strings::Get(Str::DccReasonCancelled))));
    ASSERT_TRUE(WaitForEnd(end));
    EXPECT_TRUE(end.IsFailed());
    EXPECT_EQ(end.reason, TransferEnd::Reason::Cancelled);
    EXPECT_EQ(end.done, 1000u);
    EXPECT_FALSE(ServerView()->HasLine(Strings::Format(Str::DccClosed, "bob")));
    EXPECT_TRUE(progress.m_finished);
    EXPECT_TRUE(m_peer.WaitForDisconnect());
    EXPECT_EQ(ReadFile(path), std::string(1000, 'a'));
    EXPECT_TRUE(WaitFor([&] { return m_dcc->Connections().empty(); }));
}

TEST_F(DccReceive, NothingIsReceivedWhenSaveAsIsCancelled)
{
    ASSERT_TRUE(m_peer.Listen());
    m_shell.m_fileDialogAnswer.clear();
    EXPECT_EQ(Dcc("/dcc send receive 127.0.0.1 " + std::to_string(m_peer.Port()) + " 10 f.txt"), 1);
    EXPECT_TRUE(m_dcc->Connections().empty());
}

} // namespace
