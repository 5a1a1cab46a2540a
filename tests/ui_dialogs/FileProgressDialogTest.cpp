#include <gtest/gtest.h>

#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

#include "commands/CommandDispatcher.h"
#include "dcc/DirectConnect.h"
#include "dialogs/FileProgressDialog.h"
#include "session/SessionTable.h"
#include "support/FakeShell.h"
#include "support/WaitFor.h"

namespace {

// The application's progress dialogs, as the program opens them.
class ProgressShell : public FakeShell
{
public:
    FileProgress *OpenFileProgress(DirectConnect &connection, const std::string &path,
                                   const std::string &direction) override
    {
        m_dialog = new FileProgressDialog(connection, path, direction);
        m_dialog->show();
        return m_dialog;
    }
    QPointer<FileProgressDialog> m_dialog;
};

// A file of 3 GB offered by a sender of the test; the receiving connection
// is a real one.
class FileProgressDialogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_sender.listen(QHostAddress::LocalHost, 0));
        DirectConnect::Params params;
        params.peer = "127.0.0.1";
        params.peerName = "<b>bob</b>";
        params.port = m_sender.serverPort();
        params.mode = DirectConnect::FileReceive;
        params.path = m_folder.filePath("in.bin").toStdString();
        params.size = 3000000000ull;
        m_connection = std::make_unique<DirectConnect>(m_table, params);
        m_connection->Start();
        ASSERT_TRUE(WaitFor([&] { return m_sender.hasPendingConnections(); }));
        m_peer = m_sender.nextPendingConnection();
        ASSERT_TRUE(WaitFor([&] { return !m_shell.m_dialog.isNull(); }));
    }
    void TearDown() override { delete m_shell.m_dialog.data(); }

    ProgressShell m_shell;
    CommandDispatcher m_commands;
    SessionTable m_table{&m_shell, m_commands};
    QTemporaryDir m_folder;
    QTcpServer m_sender;
    QTcpSocket *m_peer = nullptr;
    std::unique_ptr<DirectConnect> m_connection;
};

TEST_F(FileProgressDialogTest, ShowsPathDirectionAndProgressAsPlainText)
{
    FileProgressDialog &dialog = *m_shell.m_dialog;
    EXPECT_EQ(dialog.PathText(), m_folder.filePath("in.bin"));
    EXPECT_EQ(dialog.DirectionText(), "Od <b>bob</b> Do ...");
    for (QLabel *label : dialog.findChildren<QLabel *>())
        EXPECT_EQ(label->textFormat(), Qt::PlainText);
    m_peer->write(QByteArray(3000000, 'a'));
    ASSERT_TRUE(WaitFor([&] { return dialog.Bar()->value() == 1; })) << dialog.Bar()->value();
    // Past 2 GiB, where an int position would have wrapped.
    dialog.SetPosition(2250000000ull, 3000000000ull);
    EXPECT_EQ(dialog.Bar()->value(), 750);
}

TEST_F(FileProgressDialogTest, CancelClosesTheTransferFromTheEventLoopAndTheDialogGoes)
{
    QPointer<FileProgressDialog> dialog = m_shell.m_dialog;
    QTest::mouseClick(dialog->CancelButton(), Qt::LeftButton);
    // Nothing is torn down inside the click: the connection closes afterwards.
    EXPECT_FALSE(m_connection->IsClosed());
    EXPECT_FALSE(dialog->CancelButton()->isEnabled());
    ASSERT_TRUE(WaitFor([&] { return m_connection->IsClosed(); }));
    EXPECT_TRUE(WaitFor([&] { return dialog.isNull(); }));
    EXPECT_TRUE(WaitFor([&] { return m_peer->state() == QAbstractSocket::UnconnectedState; }));
}

} // namespace
