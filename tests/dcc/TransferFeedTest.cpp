// The transfers list fed by real direct connections with bob on the test's
// ngircd: what each transfer ends as, cancelling, sending again, and the
// folder a download is saved to.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QSignalSpy>

#include "DccFixture.h"
#include "DccPeer.h"
#include "config/Config.h"
#include "dcc/TransferEnd.h"
#include "session/Session.h"
#include "support/WaitFor.h"
#include "text/Strings.h"
#include "text/TextUtil.h"

namespace {

// What the transfers window says of a transfer that failed for reason: the
// connection's own words, as its window line says them.
std::string FailureText(TransferEnd::Reason reason, uint64_t done = 0, uint64_t size = 0)
{
    TransferEnd end;
    end.state = TransferEnd::State::Failed;
    end.reason = reason;
    end.done = done;
    end.size = size;
    return end.ReasonText();
}

class TransferFeedTest : public DccFixture
{
protected:
    const Transfer &Only() const
    {
        EXPECT_EQ(m_dcc->Transfers().Count(), 1);
        return m_dcc->Transfers().At(0);
    }
    bool WaitForEnd(const Transfer::State state) const
    {
        return WaitFor([&] { return m_dcc->Transfers().Count() == 1 && m_dcc->Transfers().At(0).state == state; });
    }
    // bob offers size bytes from m_peer; the accept line ran and saves into saved.bin.
    std::string ReceiveFromBob(uint64_t size)
    {
        EXPECT_TRUE(m_peer.Listen());
        OfferFromBob("DCC SEND in.bin 2130706433 " + std::to_string(m_peer.Port()) + " " + std::to_string(size));
        EXPECT_TRUE(WaitFor([&] { return !m_shell.m_dccOffers.empty(); }));
        const std::string path = TempPath("saved.bin");
        m_shell.m_fileDialogAnswer = path;
        EXPECT_EQ(Dcc("/dcc send receive 127.0.0.1 " + std::to_string(m_peer.Port()) + " " + std::to_string(size)
                      + " in.bin"),
                  1);
        EXPECT_TRUE(m_peer.WaitForConnection());
        return path;
    }

    DccPeer m_peer;
};

TEST_F(TransferFeedTest, AWholeSendIsListedAsDoneWithItsFigures)
{
    const std::string bytes = RandomBytes(2 * 1024 * 1024 + 17);
    const std::string path = TempPath("out.bin");
    ASSERT_TRUE(WriteFile(path, bytes));
    QSignalSpy added(&m_dcc->Feed(), &TransferFeed::Added);
    EXPECT_EQ(Dcc("/dcc send send bob " + path), 1);
    EXPECT_EQ(added.count(), 1);
    EXPECT_EQ(Only().state, Transfer::State::Waiting);
    EXPECT_EQ(Only().direction, Transfer::Direction::Send);
    EXPECT_EQ(Only().nick, "bob");
    EXPECT_EQ(Only().path, path);
    EXPECT_EQ(Only().sessionKey, m_me->Key());

    m_peer.SetAcknowledging(true);
    ASSERT_TRUE(m_peer.Connect(OfferPort(NextOfferToBob())));
    ASSERT_TRUE(WaitForEnd(Transfer::State::Done));
    EXPECT_EQ(Only().size, bytes.size());
    EXPECT_EQ(Only().done, bytes.size());
    EXPECT_EQ(Only().reason, "");
    EXPECT_GE(Only().endMs, Only().startMs);
    EXPECT_FALSE(m_dcc->CanResume(Only().id));
}

TEST_F(TransferFeedTest, APeerThatStopsEarlyFailsTheReceiveWithWhereItStopped)
{
    const std::string bytes = RandomBytes(100000);
    const std::string path = ReceiveFromBob(bytes.size());
    EXPECT_EQ(Only().direction, Transfer::Direction::Receive);
    m_peer.Send(bytes.substr(0, 30000));
    ASSERT_TRUE(WaitFor([&] { return QFileInfo(QString::fromStdString(path)).size() == 30000; }));
    m_peer.Close();
    ASSERT_TRUE(WaitForEnd(Transfer::State::Failed));
    EXPECT_EQ(Only().done, 30000u);
    EXPECT_EQ(Only().reason, FailureText(TransferEnd::Reason::PeerClosed, 30000, 100000));
    // A download is not offered again by us: the sender has to.
    EXPECT_FALSE(m_dcc->CanResume(Only().id));
    EXPECT_FALSE(m_dcc->ResumeTransfer(Only().id));
}

TEST_F(TransferFeedTest, CancelEndsARunningTransferAsCancelled)
{
    ReceiveFromBob(1000000);
    m_peer.Send(std::string(1000, 'x'));
    const int id = Only().id;
    ASSERT_TRUE(WaitFor([&] {
        m_dcc->Feed().SampleAll();
        return Only().state == Transfer::State::Running;
    }));
    EXPECT_TRUE(m_dcc->CancelTransfer(id));
    // Nothing is torn down inside the caller's handler.
    EXPECT_FALSE(Only().HasEnded());
    ASSERT_TRUE(WaitForEnd(Transfer::State::Failed));
    EXPECT_EQ(Only().reason, Strings::Get(Str::TransferCancelled));
    EXPECT_TRUE(m_peer.WaitForDisconnect());
    EXPECT_FALSE(m_dcc->CancelTransfer(id));
}

TEST_F(TransferFeedTest, AnUnansweredSendCanBeOfferedAgainInItsPlace)
{
    const std::string path = TempPath("again.bin");
    ASSERT_TRUE(WriteFile(path, RandomBytes(5000)));
    m_dcc->SetOfferTimeout(200);
    Dcc("/dcc send send bob " + path);
    NextOfferToBob();
    ASSERT_TRUE(WaitForEnd(Transfer::State::Failed));
    EXPECT_EQ(Only().reason, FailureText(TransferEnd::Reason::TimedOut));
    const int failed = Only().id;
    ASSERT_TRUE(m_dcc->CanResume(failed));

    m_dcc->SetOfferTimeout(DirectConnect::kDefaultOfferTimeoutMs);
    EXPECT_TRUE(m_dcc->ResumeTransfer(failed));
    const std::string offer = NextOfferToBob();
    EXPECT_NE(offer.find("again.bin"), std::string::npos) << offer;
    // The new offer took the failed one's place.
    EXPECT_EQ(m_dcc->Transfers().Find(failed), nullptr);
    EXPECT_EQ(Only().state, Transfer::State::Waiting);
    EXPECT_EQ(Only().path, path);
    EXPECT_FALSE(m_dcc->CanResume(Only().id));

    // A cancelled send can be offered again too, unless its file has gone since.
    EXPECT_TRUE(m_dcc->CancelTransfer(Only().id));
    ASSERT_TRUE(WaitForEnd(Transfer::State::Failed));
    EXPECT_TRUE(m_dcc->CanResume(Only().id));
    ASSERT_TRUE(QFile::remove(QString::fromStdString(path)));
    EXPECT_FALSE(m_dcc->CanResume(Only().id));
}

TEST_F(TransferFeedTest, AFileThatCannotBeReadFailsAtOnceWithThatReason)
{
    Dcc("/dcc send send bob " + TempPath("missing.bin"));
    ASSERT_TRUE(WaitForEnd(Transfer::State::Failed));
    EXPECT_EQ(Only().reason, FailureText(TransferEnd::Reason::FileVanished));
    EXPECT_EQ(m_dcc->Feed().ClearFinished(), 1);
    EXPECT_EQ(m_dcc->Transfers().Count(), 0);
}

TEST_F(TransferFeedTest, ChatsAreNoTransfers)
{
    Dcc("/dcc chat connect bob");
    NextOfferToBob();
    EXPECT_EQ(m_dcc->Transfers().Count(), 0);
}

// Save As begins in a folder that exists: left in one that does not, the
// file dialog shows the program's working folder (with brimo.conf).
class DownloadFolderTest : public TransferFeedTest
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_home.isValid());
        m_oldHome = qgetenv("HOME");
        m_oldConfig = qgetenv("XDG_CONFIG_HOME");
        qputenv("HOME", m_home.path().toUtf8());
        qputenv("XDG_CONFIG_HOME", m_home.filePath(QStringLiteral(".config")).toUtf8());
        TransferFeedTest::SetUp();
    }
    void TearDown() override
    {
        TransferFeedTest::TearDown();
        qputenv("HOME", m_oldHome);
        qputenv("XDG_CONFIG_HOME", m_oldConfig);
    }
    std::string SaveFolderOfAnOffer()
    {
        m_shell.m_fileDialogAnswer.clear(); // the user cancels
        m_shell.m_saveFolders.clear();
        EXPECT_EQ(Dcc("/dcc send receive 127.0.0.1 5000 10 x.bin"), 1);
        return m_shell.m_saveFolders.empty() ? std::string() : m_shell.m_saveFolders.back();
    }

    QTemporaryDir m_home;
    QByteArray m_oldHome, m_oldConfig;
};

TEST_F(DownloadFolderTest, SaveAsBeginsInTheDownloadFolderMadeWhenMissing)
{
    const QString downloads = m_home.filePath(QStringLiteral("Downloads"));
    ASSERT_FALSE(QFileInfo::exists(downloads));
    const std::string folder = SaveFolderOfAnOffer();
    EXPECT_EQ(QDir(QString::fromStdString(folder)).canonicalPath(), QDir(downloads).canonicalPath()) << folder;
    EXPECT_TRUE(QFileInfo(downloads).isDir());
}

TEST_F(DownloadFolderTest, TheFolderOfTheSettingsComesFirstWhenItExists)
{
    const std::string chosen = TempPath("received");
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(chosen)));
    ASSERT_TRUE(WriteString(kBaseSection, "DCC Folder", chosen));
    EXPECT_EQ(SaveFolderOfAnOffer(), chosen);
    // A folder of the settings that has gone is passed over.
    ASSERT_TRUE(QDir(QString::fromStdString(chosen)).removeRecursively());
    const std::string fallback = SaveFolderOfAnOffer();
    EXPECT_EQ(QDir(QString::fromStdString(fallback)).canonicalPath(),
              QDir(m_home.filePath(QStringLiteral("Downloads"))).canonicalPath());
}

} // namespace
