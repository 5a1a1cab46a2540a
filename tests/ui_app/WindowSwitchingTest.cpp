#include "AppFixture.h"
#include "support/WaitFor.h"

#include "app/BrimoApp.h"
#include "app/CommandIds.h"
#include "app/MainWindow.h"
#include "app/MainWindowArea.h"
#include "app/WindowBar.h"
#include "conversation/Conversation.h"
#include "input/InputLine.h"
#include "session/Session.h"
#include "windows/ConversationWindow.h"

#include <QApplication>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QTest>
#include <QToolButton>

namespace {

class WindowSwitchingTest : public AppFixture
{
protected:
    // The application connected, its window active, with the status window
    // and the channel #brimo open.
    Session *StartWithChannel()
    {
        Session *session = StartConnected();
        if (!session || !QTest::qWaitForWindowActive(Frame()))
            return nullptr;
        m_server.SendLine(":tester!t@127.0.0.1 JOIN #brimo");
        return WaitFor([&] { return session->FindWindow("#brimo") != nullptr; }) ? session : nullptr;
    }

    ConversationWindow *WindowOf(Session *session, const std::string &name) const
    {
        Conversation *conversation = name.empty() ? session->ServerWindow() : session->FindWindow(name);
        return conversation ? dynamic_cast<ConversationWindow *>(conversation->View()) : nullptr;
    }

    static bool HasKeyboard(const ConversationWindow *window)
    {
        return window && QApplication::focusWidget() == window->Input();
    }

    // Keys as the user types them: to whichever widget of the window has the keyboard.
    void TypeIntoMainWindow(const QString &text) const
    {
        for (const QChar c : text)
            QTest::keyClick(Frame()->windowHandle(), c.toLatin1());
    }

    // The active window is maximised the way the main window shows it: the
    // window's buttons in the menu bar and its content right below the bars.
    ::testing::AssertionResult IsShownMaximised(const ConversationWindow *window) const
    {
        QMdiSubWindow *child = window->SubWindow();
        if (Frame()->ActiveChild() != child)
            return ::testing::AssertionFailure() << "not the active window";
        if (!child->isMaximized())
            return ::testing::AssertionFailure() << "not maximised";
        const QWidget *buttons = Frame()->menuBar()->cornerWidget(Qt::TopRightCorner);
        if (!buttons || !buttons->isVisible())
            return ::testing::AssertionFailure() << "no window buttons in the menu bar";
        const QPoint top = window->mapTo(Frame()->MdiArea()->viewport(), QPoint(0, 0));
        if (top != QPoint(0, 0))
            return ::testing::AssertionFailure() << "content starts at " << top.x() << "," << top.y();
        return ::testing::AssertionSuccess();
    }
};

TEST_F(WindowSwitchingTest, TheInputLineOfEachOpenedOrRaisedWindowHasTheKeyboard)
{
    Session *session = StartConnected();
    ASSERT_TRUE(session);
    ASSERT_TRUE(QTest::qWaitForWindowActive(Frame()));
    ConversationWindow *status = WindowOf(session, "");
    ASSERT_TRUE(status);
    EXPECT_TRUE(WaitFor([&] { return HasKeyboard(status); }));
    TypeIntoMainWindow(QStringLiteral("ahoj"));
    EXPECT_EQ(status->Input()->toPlainText(), "ahoj");

    m_server.SendLine(":tester!t@127.0.0.1 JOIN #brimo");
    ASSERT_TRUE(WaitFor([&] { return WindowOf(session, "#brimo") != nullptr; }));
    ConversationWindow *channel = WindowOf(session, "#brimo");
    EXPECT_TRUE(HasKeyboard(channel));

    session->Command(channel->WindowNameText(), 0, "/query ana");
    ConversationWindow *query = WindowOf(session, "ana");
    ASSERT_TRUE(query);
    EXPECT_TRUE(HasKeyboard(query));

    session->Command(query->WindowNameText(), 0, "/join #brimo");
    EXPECT_TRUE(HasKeyboard(channel));
    ClickWindowButton(status);
    EXPECT_TRUE(HasKeyboard(status));
    TypeIntoMainWindow(QStringLiteral(" svet"));
    EXPECT_EQ(status->Input()->toPlainText(), "ahoj svet");
}

// Text typed and not sent stays in the input line of its own window, however
// the user goes from window to window.
TEST_F(WindowSwitchingTest, UnsentTextStaysInTheInputLineOfItsWindow)
{
    Session *session = StartWithChannel();
    ASSERT_TRUE(session);
    ConversationWindow *status = WindowOf(session, "");
    ConversationWindow *channel = WindowOf(session, "#brimo");
    ASSERT_TRUE(WaitFor([&] { return HasKeyboard(channel); }));
    TypeIntoMainWindow(QStringLiteral("do kanala"));

    ClickWindowButton(status);
    ASSERT_TRUE(HasKeyboard(status));
    TypeIntoMainWindow(QStringLiteral("do stavu"));
    session->Command(status->WindowNameText(), 0, "/query ana");
    ConversationWindow *query = WindowOf(session, "ana");
    ASSERT_TRUE(query && HasKeyboard(query));
    TypeIntoMainWindow(QStringLiteral("pre anu"));

    ClickWindowButton(channel);
    EXPECT_TRUE(HasKeyboard(channel));
    EXPECT_EQ(channel->Input()->toPlainText(), "do kanala");
    EXPECT_EQ(status->Input()->toPlainText(), "do stavu");
    EXPECT_EQ(query->Input()->toPlainText(), "pre anu");
    TypeIntoMainWindow(QStringLiteral(" a dalej"));
    EXPECT_EQ(channel->Input()->toPlainText(), "do kanala a dalej");
    ClickWindowButton(query);
    EXPECT_EQ(query->Input()->toPlainText(), "pre anu");
    // Nothing of it was sent.
    for (const std::string &line : m_server.Lines())
        EXPECT_NE(line.rfind("PRIVMSG", 0), 0u) << line;
}

// Formatting and the caret's place stay too: the window comes back with the
// line exactly as it was left, by the window bar or by F6.
TEST_F(WindowSwitchingTest, UnsentFormattedTextAndTheCaretStayWhileOtherWindowsAreUsed)
{
    Session *session = StartWithChannel();
    ASSERT_TRUE(session);
    ConversationWindow *status = WindowOf(session, "");
    ConversationWindow *channel = WindowOf(session, "#brimo");
    ASSERT_TRUE(WaitFor([&] { return HasKeyboard(channel); }));
    QWindow *keys = Frame()->windowHandle();
    TypeIntoMainWindow(QStringLiteral("ab"));
    QTest::keyClick(keys, Qt::Key_B, Qt::ControlModifier);
    TypeIntoMainWindow(QStringLiteral("cd"));
    QTest::keyClick(keys, Qt::Key_B, Qt::ControlModifier);
    QTest::keyClick(keys, Qt::Key_U, Qt::ControlModifier);
    TypeIntoMainWindow(QStringLiteral("ef"));
    QTest::keyClick(keys, Qt::Key_Left);
    QTest::keyClick(keys, Qt::Key_Left);
    QTest::keyClick(keys, Qt::Key_Left);
    const std::string typed = channel->Input()->GetTextWithCodes();
    ASSERT_EQ(typed,
              "ab\x02"
              "cd\x02\x1F"
              "ef");
    ASSERT_EQ(channel->Input()->textCursor().position(), 3);

    ClickWindowButton(status);
    ASSERT_TRUE(HasKeyboard(status));
    TypeIntoMainWindow(QStringLiteral("ine"));
    ClickWindowButton(channel);
    ASSERT_TRUE(HasKeyboard(channel));
    EXPECT_EQ(channel->Input()->GetTextWithCodes(), typed);
    EXPECT_EQ(channel->Input()->textCursor().position(), 3);

    // Round the windows with F6 and back.
    for (int i = 0; i < 4 && !HasKeyboard(status); ++i)
        QTest::keyClick(keys, Qt::Key_F6);
    ASSERT_TRUE(HasKeyboard(status));
    for (int i = 0; i < 4 && !HasKeyboard(channel); ++i)
        QTest::keyClick(keys, Qt::Key_F6);
    ASSERT_TRUE(HasKeyboard(channel));
    EXPECT_EQ(channel->Input()->GetTextWithCodes(), typed);
    EXPECT_EQ(channel->Input()->textCursor().position(), 3);
    // What is typed now goes where the caret was left, in the format there.
    TypeIntoMainWindow(QStringLiteral("X"));
    EXPECT_EQ(channel->Input()->GetTextWithCodes(),
              "ab\x02"
              "cX"
              "d\x02\x1F"
              "ef");
    EXPECT_EQ(status->Input()->toPlainText(), "ine");
}

TEST_F(WindowSwitchingTest, MaximisedWindowsStayMaximisedWhateverBringsAnotherForward)
{
    Session *session = StartWithChannel();
    ASSERT_TRUE(session);
    ConversationWindow *status = WindowOf(session, "");
    ConversationWindow *channel = WindowOf(session, "#brimo");
    channel->SubWindow()->showMaximized();
    ASSERT_TRUE(IsShownMaximised(channel));

    ClickWindowButton(status); // the window bar
    EXPECT_TRUE(IsShownMaximised(status));

    session->Command(status->WindowNameText(), 0, "/query ana"); // a new window
    ConversationWindow *query = WindowOf(session, "ana");
    ASSERT_TRUE(query);
    EXPECT_TRUE(IsShownMaximised(query));

    session->Command(query->WindowNameText(), 0, "/join #brimo"); // a window already open
    EXPECT_TRUE(IsShownMaximised(channel));

    session->Command(channel->WindowNameText(), 0, "/query ana"); // a click on a nick
    EXPECT_TRUE(IsShownMaximised(query));

    // After a reconnection the open channels are joined again and come forward.
    m_server.CloseClient();
    ASSERT_TRUE(WaitFor([&] { return !session->IsConnected(); }));
    m_app->TimerTick();
    ASSERT_TRUE(m_server.WaitForClient(2));
    ASSERT_TRUE(m_server.WaitForLineStartingWith("NICK"));
    m_server.SendLine(":irc.test 001 tester :Vitaj");
    ASSERT_TRUE(m_server.WaitForLineStartingWith("JOIN #brimo"));
    EXPECT_TRUE(IsShownMaximised(channel));
    EXPECT_TRUE(HasKeyboard(channel));
}

// QMdiArea's own cascade sizes each window to its size hint.
TEST_F(WindowSwitchingTest, CascadeGivesEveryWindowAUsableSizeInsideTheArea)
{
    ASSERT_TRUE(StartApp());
    Frame()->resize(1000, 700);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Frame()));
    const QRect area = Frame()->MdiArea()->viewport()->rect();
    QList<QMdiSubWindow *> children;
    for (const char *title : {"#jeden", "#dva", "#tri"})
        children << Frame()->AddChild(new QLabel(QString::fromUtf8(title)), QString::fromUtf8(title));
    children.last()->showMaximized();

    Frame()->RunCommand(CommandId::WindowCascade);
    for (QMdiSubWindow *child : children) {
        EXPECT_FALSE(child->isMaximized());
        EXPECT_TRUE(area.contains(child->geometry())) << child->windowTitle().toStdString();
        EXPECT_GE(child->width(), ChildWindow::kUsableSize.width());
        EXPECT_GE(child->height(), ChildWindow::kUsableSize.height());
    }
    EXPECT_LT(children.at(0)->y(), children.at(1)->y());
    EXPECT_LT(children.at(1)->y(), children.at(2)->y());
    EXPECT_EQ(Frame()->ActiveChild(), children.last());

    // More windows than steps fit: they start again at the top, never outside.
    for (int i = 0; i < 30; ++i)
        children << Frame()->AddChild(new QLabel(QStringLiteral("okno")), QStringLiteral("okno"));
    Frame()->RunCommand(CommandId::WindowCascade);
    for (QMdiSubWindow *child : children) {
        EXPECT_TRUE(area.contains(child->geometry())) << child->x() << "," << child->y();
        EXPECT_GE(child->height(), ChildWindow::kUsableSize.height());
    }
}

} // namespace
