// The transfers window over real transfers between two sessions ("me" and
// "ann") on the test's ngircd, with real direct connections between them.
#include <gtest/gtest.h>

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QPushButton>
#include <QTest>
#include <QTreeView>
#include <QUrl>

#include "dcc/DirectConnections.h"
#include "session/Session.h"
#include "support/FakeConversationView.h"
#include "support/NgircdFixture.h"
#include "support/WaitFor.h"
#include "text/Strings.h"
#include "text/TextUtil.h"
#include "transfers/TransferListModel.h"
#include "transfers/TransfersWindow.h"
#include "widgets/PlainToolTip.h"
#include "widgets/Utf8Text.h"

namespace {

// Records the addresses the window asks the desktop to open.
class UrlRecorder : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> m_opened;
public slots:
    void Open(const QUrl &url) { m_opened.push_back(url); }
};

class TransfersWindowTest : public NgircdFixture
{
protected:
    void SetUp() override
    {
        NgircdFixture::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        m_dcc = std::make_unique<DirectConnections>(*m_table);
        m_shell.m_dcc = m_dcc.get();
        m_me = ConnectAs("me");
        m_ann = ConnectAs("ann");
        ASSERT_TRUE(m_me && m_ann);
        m_window = std::make_unique<TransfersWindow>(*m_dcc);
        m_window->resize(900, 300);
        m_window->show();
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &m_urls, "Open");
    }
    void TearDown() override
    {
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        m_window.reset();
        m_shell.m_dcc = nullptr;
        m_dcc.reset();
        NgircdFixture::TearDown();
    }

    // me offers the file to ann; ann accepts it into saved (the line its
    // offer printed, as a click on it runs it).
    void SendToAnn(const std::string &path, const std::string &saved)
    {
        const size_t offersBefore = m_shell.m_dccOffers.size();
        ASSERT_EQ(m_me->Command(m_me->Key(), 0, "/dcc send send ann " + path), 1);
        ASSERT_TRUE(WaitFor([&] { return m_shell.m_dccOffers.size() > offersBefore; }));
        FakeConversationView *annServer = m_shell.View(m_ann->Key());
        ASSERT_NE(annServer, nullptr);
        std::string accept;
        ASSERT_TRUE(WaitFor([&] {
            for (const FakeConversationView::Line &shown : annServer->Lines()) {
                const std::string &line = shown.text;
                const size_t start = line.find("id='/dcc send receive");
                if (start != std::string::npos)
                    accept = line.substr(start + 4, line.find('\'', start + 4) - start - 4);
            }
            return !accept.empty();
        }));
        m_shell.m_fileDialogAnswer = saved;
        ASSERT_EQ(m_ann->Command(m_ann->Key(), 0, accept), 1);
    }
    QString Cell(int row, int column) const { return m_window->Rows()->index(row, column).data().toString(); }
    int RowOf(Transfer::Direction direction) const
    {
        for (int row = 0; row < m_dcc->Transfers().Count(); ++row)
            if (m_dcc->Transfers().At(row).direction == direction)
                return row;
        return -1;
    }
    std::string TempPath(const std::string &name) const
    {
        return m_files.filePath(QString::fromStdString(name)).toStdString();
    }
    static bool WriteFile(const std::string &path, size_t size)
    {
        QFile file(QString::fromStdString(path));
        return file.open(QIODevice::WriteOnly) && file.write(QByteArray(qsizetype(size), 'z')) == qint64(size);
    }
    void ClickOn(int row)
    {
        QTreeView *view = m_window->ListView();
        const QRect cell = view->visualRect(m_window->Rows()->index(row, TransferListModel::NickColumn));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell.center());
    }

    std::unique_ptr<DirectConnections> m_dcc;
    Session *m_me = nullptr;
    Session *m_ann = nullptr;
    std::unique_ptr<TransfersWindow> m_window;
    QTemporaryDir m_files;
    UrlRecorder m_urls;
};

TEST_F(TransfersWindowTest, BothEndsOfATransferAreListedWithTheirFiguresUntilDone)
{
    const std::string path = TempPath("<b>photo<i>.jpg");
    const std::string saved = TempPath("saved.jpg");
    ASSERT_TRUE(WriteFile(path, 3 * 1024 * 1024));
    SendToAnn(path, saved);
    ASSERT_TRUE(WaitFor([&] {
        return m_dcc->Transfers().Count() == 2 && m_dcc->Transfers().At(0).state == Transfer::State::Done
            && m_dcc->Transfers().At(1).state == Transfer::State::Done;
    }));
    ASSERT_TRUE(WaitFor([&] { return Cell(0, TransferListModel::StateColumn) == FromStr(Str::TransferDone); }));

    const int send = RowOf(Transfer::Direction::Send);
    const int receive = RowOf(Transfer::Direction::Receive);
    ASSERT_EQ(m_window->Rows()->rowCount(), 2);
    EXPECT_EQ(Cell(send, TransferListModel::DirectionColumn), FromStr(Str::TransferSend));
    EXPECT_EQ(Cell(receive, TransferListModel::DirectionColumn), FromStr(Str::TransferReceive));
    EXPECT_EQ(Cell(send, TransferListModel::NickColumn), "ann");
    EXPECT_EQ(Cell(receive, TransferListModel::NickColumn), "me");
    // The name as it is, never as markup.
    EXPECT_EQ(Cell(send, TransferListModel::FileColumn), "<b>photo<i>.jpg");
    EXPECT_EQ(Cell(receive, TransferListModel::FileColumn), "saved.jpg");
    for (int row : {send, receive}) {
        EXPECT_EQ(Cell(row, TransferListModel::SizeColumn), "3 MB");
        EXPECT_EQ(Cell(row, TransferListModel::ProgressColumn), "100 %");
        EXPECT_EQ(m_window->Rows()
                      ->index(row, TransferListModel::ProgressColumn)
                      .data(TransferListModel::PercentRole)
                      .toInt(),
                  100);
        EXPECT_EQ(Cell(row, TransferListModel::TimeLeftColumn), "");
        EXPECT_EQ(Cell(row, TransferListModel::StateColumn), FromStr(Str::TransferDone));
    }
    EXPECT_EQ(QFileInfo(QString::fromStdString(saved)).size(), 3 * 1024 * 1024);
    // The tool tip is the whole path, shown as plain text.
    EXPECT_EQ(m_window->Rows()->index(send, TransferListModel::FileColumn).data(Qt::ToolTipRole).toString(),
              PlainToolTip(QString::fromStdString(path)));

    // Nothing to cancel or resume on a done transfer; its file and folder open.
    ClickOn(receive);
    EXPECT_FALSE(m_window->CancelButton()->isEnabled());
    EXPECT_FALSE(m_window->ResumeButton()->isEnabled());
    ASSERT_TRUE(m_window->OpenFileButton()->isEnabled());
    QTest::mouseClick(m_window->OpenFileButton(), Qt::LeftButton);
    QTest::mouseClick(m_window->OpenFolderButton(), Qt::LeftButton);
    ASSERT_EQ(m_urls.m_opened.size(), 2);
    EXPECT_EQ(m_urls.m_opened[0], QUrl::fromLocalFile(QString::fromStdString(saved)));
    EXPECT_EQ(m_urls.m_opened[1], QUrl::fromLocalFile(m_files.path()));

    EXPECT_TRUE(m_window->ClearButton()->isEnabled());
    QTest::mouseClick(m_window->ClearButton(), Qt::LeftButton);
    EXPECT_EQ(m_window->Rows()->rowCount(), 0);
    EXPECT_FALSE(m_window->ClearButton()->isEnabled());
}

TEST_F(TransfersWindowTest, CancelEndsAWaitingOfferFromTheEventLoopAndItCanBeOfferedAgain)
{
    const std::string path = TempPath("report.pdf");
    ASSERT_TRUE(WriteFile(path, 1000));
    ASSERT_EQ(m_me->Command(m_me->Key(), 0, "/dcc send send ann " + path), 1);
    ASSERT_TRUE(WaitFor([&] { return m_window->Rows()->rowCount() == 1; }));
    EXPECT_EQ(Cell(0, TransferListModel::StateColumn), FromStr(Str::TransferWaiting));
    ClickOn(0);
    EXPECT_FALSE(m_window->ResumeButton()->isEnabled());
    // The file being offered is there to open.
    EXPECT_TRUE(m_window->OpenFileButton()->isEnabled());
    EXPECT_TRUE(m_window->OpenFolderButton()->isEnabled());
    ASSERT_TRUE(m_window->CancelButton()->isEnabled());

    QTest::mouseClick(m_window->CancelButton(), Qt::LeftButton);
    EXPECT_FALSE(m_window->CancelButton()->isEnabled());
    const QString failed = FromUtf8(Strings::Format(Str::TransferFailed, Strings::Get(Str::TransferCancelled)));
    ASSERT_TRUE(WaitFor([&] { return Cell(0, TransferListModel::StateColumn) == failed; }));
    EXPECT_EQ(Cell(0, TransferListModel::ProgressColumn), "0 %");
    // The row stays selected; a cancelled send can be offered again.
    ASSERT_TRUE(m_window->ResumeButton()->isEnabled());
    const size_t offers = m_shell.m_dccOffers.size();
    QTest::mouseClick(m_window->ResumeButton(), Qt::LeftButton);
    ASSERT_TRUE(WaitFor([&] { return m_shell.m_dccOffers.size() > offers; }));
    ASSERT_EQ(m_window->Rows()->rowCount(), 1);
    EXPECT_EQ(Cell(0, TransferListModel::StateColumn), FromStr(Str::TransferWaiting));
}

TEST(TransferProgress, PerCentOfSizesPast4GiBDoesNotWrap)
{
    Transfer transfer;
    transfer.size = 3000000000ull * 3;
    transfer.done = 2250000000ull * 3;
    EXPECT_EQ(TransferListModel::Percent(transfer), 75);
    transfer.done = transfer.size + 5; // a peer that sends more than it offered
    EXPECT_EQ(TransferListModel::Percent(transfer), 100);
    transfer.size = 0;
    transfer.done = 0;
    EXPECT_EQ(TransferListModel::Percent(transfer), 0);
    transfer.state = Transfer::State::Done;
    EXPECT_EQ(TransferListModel::Percent(transfer), 100);
}

} // namespace

#include "TransfersWindowTest.moc"
