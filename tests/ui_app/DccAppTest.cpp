#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPointer>
#include <QTcpServer>
#include <QTimer>

#include "AppFixture.h"
#include "app/BrimoApp.h"
#include "app/CommandIds.h"
#include "session/Session.h"
#include "support/WaitFor.h"
#include "transfers/TransferListModel.h"
#include "transfers/TransfersWindow.h"

namespace {

using DccApp = AppFixture;

// Accepting a file offer asks where to save it; choosing a file that exists
// asks before overwriting it, and answering No saves nothing there.
TEST_F(DccApp, SaveAsAsksBeforeOverwritingAnExistingFile)
{
    Session *session = StartConnected();
    ASSERT_NE(session, nullptr);
    EXPECT_TRUE(m_app->HasDcc());
    QTemporaryDir folder;
    const QString existing = folder.filePath("taken.txt");
    {
        QFile file(existing);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("keep me");
    }
    QTcpServer sender;
    ASSERT_TRUE(sender.listen(QHostAddress::LocalHost, 0));

    bool asked = false;
    bool chosen = false;
    QTimer driver;
    driver.setInterval(20);
    QObject::connect(&driver, &QTimer::timeout, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            asked = true;
            box->reject(); // "No": the default of the question
        } else if (auto *dialog = qobject_cast<QFileDialog *>(modal)) {
            if (asked) {
                dialog->reject();
                return;
            }
            if (chosen)
                return;
            chosen = true;
            dialog->selectFile(existing);
            // Queued: the question it asks runs a loop of its own, in which this
            // timer must fire again.
            QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
        }
    });
    driver.start();
    EXPECT_EQ(
        session->Command("", 0, "/dcc send receive 127.0.0.1 " + std::to_string(sender.serverPort()) + " 10 taken.txt"),
        1);
    driver.stop();
    EXPECT_TRUE(asked);
    EXPECT_FALSE(sender.hasPendingConnections() || sender.waitForNewConnection(0));
    QFile file(existing);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "keep me");
}

// The dialog begins in the download folder, made when missing; a folder that
// does not exist would leave it in the program's working folder, beside
// brimo.conf.
TEST_F(DccApp, SaveAsOpensInTheDownloadFolder)
{
    QTemporaryDir home;
    const QByteArray oldHome = qgetenv("HOME");
    const QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("HOME", home.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral(".config")).toUtf8());
    Session *session = StartConnected();
    ASSERT_NE(session, nullptr);

    QString shown;
    QTimer driver;
    driver.setInterval(20);
    QObject::connect(&driver, &QTimer::timeout, [&] {
        if (auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget())) {
            shown = dialog->directory().absolutePath();
            dialog->reject();
        }
    });
    driver.start();
    EXPECT_EQ(session->Command("", 0, "/dcc send receive 127.0.0.1 5000 10 file.txt"), 1);
    driver.stop();
    qputenv("HOME", oldHome);
    qputenv("XDG_CONFIG_HOME", oldConfig);

    EXPECT_EQ(shown, home.filePath(QStringLiteral("Downloads")));
    EXPECT_FALSE(QFileInfo::exists(QDir(shown).filePath(QStringLiteral("brimo.conf"))));
}

// The first transfer of the run opens the transfers window beside the
// active window, without taking its place; closed, it stays closed for the
// next transfer until the window menu opens it.
TEST_F(DccApp, TheFirstTransferOpensTheTransfersWindowOnce)
{
    Session *session = StartConnected();
    ASSERT_NE(session, nullptr);
    QTemporaryDir folder;
    const QString path = folder.filePath("notes.txt");
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("abc");
    }
    QMdiSubWindow *active = Frame()->ActiveChild();
    ASSERT_NE(active, nullptr);
    EXPECT_EQ(Frame()->findChild<TransfersWindow *>(), nullptr);

    EXPECT_EQ(session->Command("", 0, "/dcc send send bob " + path.toStdString()), 1);
    QPointer<TransfersWindow> transfers = Frame()->findChild<TransfersWindow *>();
    ASSERT_FALSE(transfers.isNull());
    EXPECT_TRUE(transfers->isVisible());
    EXPECT_EQ(Frame()->ActiveChild(), active);
    EXPECT_EQ(transfers->Rows()->rowCount(), 1);

    transfers->SubWindow()->close();
    // Closed from the test's own level: its deferred deletion is delivered by hand.
    ASSERT_TRUE(WaitFor([&] {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return transfers.isNull();
    }));
    EXPECT_EQ(session->Command("", 0, "/dcc send send bob " + path.toStdString()), 1);
    EXPECT_EQ(Frame()->findChild<TransfersWindow *>(), nullptr);

    QAction *menuItem = Frame()->Action(CommandId::Transfers);
    ASSERT_NE(menuItem, nullptr);
    menuItem->trigger();
    transfers = Frame()->findChild<TransfersWindow *>();
    ASSERT_FALSE(transfers.isNull());
    EXPECT_EQ(Frame()->ActiveChild(), transfers->SubWindow());
    EXPECT_EQ(transfers->Rows()->rowCount(), 2);
}

} // namespace
