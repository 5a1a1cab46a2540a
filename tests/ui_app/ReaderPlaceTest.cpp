// Where the user stopped reading a window: left for another window,
// minimised, or with the main window no longer active, the window marks the
// first line that comes after; Ctrl+M and "Zobraziť" jump to it.
#include "AppFixture.h"
#include "support/WaitFor.h"

#include "app/BrimoApp.h"
#include "app/CommandIds.h"
#include "app/MainWindow.h"
#include "conversation/Conversation.h"
#include "session/Session.h"
#include "view/TextView.h"
#include "windows/ConversationWindow.h"

#include <QAction>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

namespace {

class ReaderPlaceTest : public AppFixture
{
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        m_session = StartConnected();
        ASSERT_TRUE(m_session);
        ASSERT_TRUE(QTest::qWaitForWindowActive(Frame()));
        m_channel = JoinedChannel(m_session, "#brimo");
        ASSERT_TRUE(m_channel);
        m_status = dynamic_cast<ConversationWindow *>(m_session->ServerWindow()->View());
        ASSERT_TRUE(m_status);
        ASSERT_TRUE(WaitFor([&] { return m_channel->IsBeingRead(); }));
    }

    void Say(const std::string &text)
    {
        m_server.SendLine(":bob!b@127.0.0.1 PRIVMSG #brimo :" + text);
        ASSERT_TRUE(WaitFor([&] { return ShownLines(m_channel).filter(QString::fromStdString(text)).size() > 0; }))
            << text;
    }
    // The line the marker stands above, without its time stamp; empty without a marker.
    std::string MarkedLine() const
    {
        const int line = m_channel->View()->UnreadMarkerLine();
        if (line < 0)
            return std::string();
        const QString text = ShownLines(m_channel).value(line);
        return text.mid(text.indexOf(QLatin1Char(']')) + 2).toStdString();
    }
    bool JumpEnabled() const
    {
        bool enabled = false;
        bool checked = false;
        m_channel->UpdateCommand(CommandId::ViewJumpToUnread, enabled, checked);
        return enabled;
    }

    Session *m_session = nullptr;
    ConversationWindow *m_channel = nullptr;
    ConversationWindow *m_status = nullptr;
};

TEST_F(ReaderPlaceTest, LeavingForAnotherWindowMarksTheFirstLineThatComesAfterAndLeavingAgainMovesIt)
{
    Say("čítané");
    EXPECT_EQ(MarkedLine(), "");

    ClickWindowButton(m_status);
    ASSERT_TRUE(WaitFor([&] { return !m_channel->IsBeingRead(); }));
    Say("prvé neprečítané");
    Say("druhé neprečítané");
    EXPECT_EQ(MarkedLine(), "bob: prvé neprečítané");
    EXPECT_TRUE(JumpEnabled());

    // Back in the window the marker stays where the reader stopped.
    ClickWindowButton(m_channel);
    ASSERT_TRUE(WaitFor([&] { return m_channel->IsBeingRead(); }));
    Say("počas čítania");
    EXPECT_EQ(MarkedLine(), "bob: prvé neprečítané");

    // Leaving again moves the one marker to what comes after this leave.
    ClickWindowButton(m_status);
    ASSERT_TRUE(WaitFor([&] { return !m_channel->IsBeingRead(); }));
    EXPECT_EQ(MarkedLine(), "");
    EXPECT_FALSE(JumpEnabled());
    Say("po druhom odchode");
    EXPECT_EQ(MarkedLine(), "bob: po druhom odchode");
}

TEST_F(ReaderPlaceTest, AMinimisedWindowOrAnInactiveMainWindowIsNotBeingRead)
{
    m_channel->SubWindow()->showMinimized();
    ASSERT_TRUE(WaitFor([&] { return !m_channel->IsBeingRead(); }));
    Say("pri minimalizovanom");
    EXPECT_EQ(MarkedLine(), "bob: pri minimalizovanom");

    m_channel->Activate();
    ASSERT_TRUE(WaitFor([&] { return m_channel->IsBeingRead(); }));
    QWidget elsewhere;
    elsewhere.resize(200, 100);
    elsewhere.show();
    elsewhere.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&elsewhere));
    ASSERT_TRUE(WaitFor([&] { return !m_channel->IsBeingRead(); }));
    Say("mimo programu");
    EXPECT_EQ(MarkedLine(), "bob: mimo programu");
}

TEST_F(ReaderPlaceTest, CtrlMAndTheViewMenuJumpToTheFirstUnreadLine)
{
    for (int i = 0; i < 40; ++i)
        m_server.SendLine(":bob!b@127.0.0.1 PRIVMSG #brimo :čítané " + std::to_string(i));
    Say("čítané naposledy");
    ClickWindowButton(m_status);
    ASSERT_TRUE(WaitFor([&] { return !m_channel->IsBeingRead(); }));
    for (int i = 0; i < 300; ++i)
        m_server.SendLine(":bob!b@127.0.0.1 PRIVMSG #brimo :nové " + std::to_string(i));
    Say("posledné");
    ClickWindowButton(m_channel);
    ASSERT_TRUE(WaitFor([&] { return m_channel->IsBeingRead(); }));
    TextView *view = m_channel->View();
    ASSERT_TRUE(WaitFor([&] { return !view->VisibleTextRect(QStringLiteral("posledné")).isEmpty(); }));
    EXPECT_TRUE(view->VisibleTextRect(QStringLiteral("nové 0")).isEmpty());

    QTest::keyClick(Frame()->windowHandle(), Qt::Key_M, Qt::ControlModifier);
    ASSERT_TRUE(WaitFor([&] { return !view->VisibleTextRect(QStringLiteral("bob: nové 0")).isEmpty(); }));
    EXPECT_LT(view->VisibleTextRect(QStringLiteral("bob: nové 0")).top(), view->viewport()->height() / 3);

    // The same from the menu, after the view went back to the end.
    view->ScrollToEnd();
    ASSERT_TRUE(WaitFor([&] { return view->VisibleTextRect(QStringLiteral("bob: nové 0")).isEmpty(); }));
    QAction *item = nullptr;
    for (QAction *action : Frame()->menuBar()->findChild<QMenu *>(QStringLiteral("view"))->actions())
        if (action->data().toInt() == CommandId::ViewJumpToUnread)
            item = action;
    ASSERT_TRUE(item);
    EXPECT_EQ(item->shortcut(), QKeySequence(QStringLiteral("Ctrl+M")));
    item->trigger();
    EXPECT_TRUE(WaitFor([&] { return !view->VisibleTextRect(QStringLiteral("bob: nové 0")).isEmpty(); }));
}

} // namespace
