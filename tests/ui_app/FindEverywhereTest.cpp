// Find everywhere in the running application: Ctrl+Shift+F opens the
// window over the logs the program wrote, and a found line opens in its
// window or, when that is not open, as the day's log.
#include "AppFixture.h"

#include "support/WaitFor.h"

#include "app/BrimoApp.h"
#include "app/MainWindow.h"
#include "history/ConversationLog.h"
#include "history/FindEverywhereWindow.h"
#include "history/HistoryIndex.h"
#include "history/LogDayView.h"
#include "session/Session.h"
#include "view/TextView.h"
#include "windows/ConversationWindow.h"

#include <QApplication>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextBlock>
#include <QTreeWidget>

namespace {

class FindEverywhereTest : public AppFixture
{
protected:
    // Writes what the logs keep and waits until the index holds it.
    void Indexed()
    {
        m_app->Log().Flush();
        bool done = false;
        ASSERT_TRUE(m_app->History());
        m_app->History()->AfterPendingWork([&] { done = true; });
        ASSERT_TRUE(WaitFor([&] { return done; }, 30000));
    }
    FindEverywhereWindow *OpenedByShortcut()
    {
        QTest::keyClick(Frame(), Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier);
        return m_app->FindEverywhere();
    }
    void Search(FindEverywhereWindow *window, const QString &text)
    {
        window->Search(text);
        ASSERT_TRUE(WaitFor([&] { return !window->IsSearching(); }, 30000));
    }
    static LogDayView *ShownDayView()
    {
        for (QWidget *widget : QApplication::topLevelWidgets())
            if (auto *day = qobject_cast<LogDayView *>(widget); day && day->isVisible())
                return day;
        return nullptr;
    }
};

TEST_F(FindEverywhereTest, AFoundLineOpensInItsWindowOrAsTheDaysLog)
{
    Session *session = StartConnected();
    ASSERT_TRUE(session);
    ConversationWindow *brimo = JoinedChannel(session, "#brimo");
    ASSERT_TRUE(brimo);
    m_server.SendLine(":bob!b@h PRIVMSG #brimo :hľadaná správa na začiatku");
    for (int k = 0; k < 300; ++k)
        m_server.SendLine(":ann!a@h PRIVMSG #brimo :výplň " + std::to_string(k));
    ConversationWindow *old = JoinedChannel(session, "#stary");
    ASSERT_TRUE(old);
    m_server.SendLine(":bob!b@h PRIVMSG #stary :hľadaná sprava v zavretom okne");
    ASSERT_TRUE(WaitFor([&] { return brimo->View()->PlainText().contains(QStringLiteral("výplň 299")); }));
    ASSERT_TRUE(WaitFor([&] { return old->View()->PlainText().contains(QStringLiteral("zavretom")); }));
    ASSERT_TRUE(session->CloseWindow("#stary"));
    ASSERT_EQ(session->FindWindow("#stary"), nullptr);
    Indexed();

    FindEverywhereWindow *find = OpenedByShortcut();
    ASSERT_TRUE(find);
    EXPECT_TRUE(find->isVisible());
    Search(find, QStringLiteral("hladana sprava"));
    QTreeWidget *results = find->Results();
    ASSERT_EQ(results->topLevelItemCount(), 2);
    EXPECT_TRUE(results->topLevelItem(0)->text(0).startsWith(QStringLiteral("Siet › #stary › ")));
    EXPECT_TRUE(results->topLevelItem(1)->text(0).startsWith(QStringLiteral("Siet › #brimo › ")));

    // The window is open: it comes forward at the line, far back in its text.
    ASSERT_TRUE(brimo->View()->VisibleTextRect(QStringLiteral("hľadaná správa")).isEmpty());
    emit results->itemActivated(results->topLevelItem(1)->child(0), 0);
    EXPECT_EQ(Frame()->ActiveChild(), brimo->SubWindow());
    EXPECT_TRUE(
        WaitFor([&] { return !brimo->View()->VisibleTextRect(QStringLiteral("hľadaná správa")).isEmpty(); }, 5000));
    EXPECT_FALSE(ShownDayView());

    // The window is gone: the day's log opens read-only at the line.
    emit results->itemActivated(results->topLevelItem(0)->child(0), 0);
    LogDayView *day = ShownDayView();
    ASSERT_TRUE(day);
    EXPECT_TRUE(day->Text()->isReadOnly());
    EXPECT_TRUE(
        day->Text()->textCursor().block().text().endsWith(QStringLiteral("<bob> hľadaná sprava v zavretom okne")));
    day->close();
}

} // namespace
