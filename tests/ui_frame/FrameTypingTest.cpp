// Typed lines, clicks on the view and closing: the command lines a
// conversation window hands to its session.
#include "FrameFixture.h"

#include "app/CommandIds.h"
#include "conversation/NickList.h"
#include "input/InputLine.h"
#include "nicklist/UserMenu.h"
#include "session/DispatchHandlers.h"
#include "text/Strings.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

namespace {

void Type(ConversationWindow *frame, const QString &text)
{
    frame->Input()->setFocus();
    QTest::keyClicks(frame->Input(), text);
    QTest::keyClick(frame->Input(), Qt::Key_Return);
}

QPoint CentreOf(ConversationWindow *frame, const QString &word)
{
    QRect rect;
    EXPECT_TRUE(WaitFor([&] {
        rect = frame->View()->VisibleTextRect(word);
        return !rect.isEmpty();
    })) << word.toStdString();
    return rect.center();
}

// The connection of a chat window: the window only hands it back to the
// Shell, which sends; the connection itself is never used.
class UntouchedConnection : public WindowConnection
{
public:
    bool IsChat() const override { return true; }
    bool SendChat(const std::string &) override
    {
        ADD_FAILURE() << "the window sends through the Shell";
        return false;
    }
    void Shutdown() override {}
    void OwnerWindowClosed() override {}
};

} // namespace

TEST_F(FrameTest, TypedLinesBecomeCommandsOrMessagesOfTheChannel)
{
    RecordCommands();
    ConversationWindow *frame = FrameOf(OpenWindow("#chan", Conversation::KindChannel, Conversation::TypeChannel));
    ASSERT_NE(frame, nullptr);

    Type(frame, QStringLiteral("hello"));
    Type(frame, QStringLiteral("/join #x"));
    Type(frame, QStringLiteral("//x"));
    Type(frame, QString());

    ASSERT_EQ(m_commands.size(), 3u);
    EXPECT_EQ(m_commands[0].window, "#chan");
    EXPECT_EQ(m_commands[0].number, 0);
    EXPECT_EQ(m_commands[0].line, "/msg #chan hello");
    EXPECT_EQ(m_commands[1].number, 2); // typed commands carry the window kind
    EXPECT_EQ(m_commands[1].line, "/join #x");
    EXPECT_EQ(m_commands[2].number, 0);
    EXPECT_EQ(m_commands[2].line, "/msg #chan //x");
    EXPECT_TRUE(frame->Input()->PlainLine().empty());
}

TEST_F(FrameTest, TypedCommandInAPrivateWindowCarriesKindOne)
{
    RecordCommands();
    ConversationWindow *frame = FrameOf(OpenWindow("bob", Conversation::KindText, Conversation::TypePrivate));
    ASSERT_NE(frame, nullptr);
    frame->SendTypedLine("/whois bob");
    frame->SendTypedLine("hi there");
    ASSERT_EQ(m_commands.size(), 2u);
    EXPECT_EQ(m_commands[0].number, 1);
    EXPECT_EQ(m_commands[0].line, "/whois bob");
    EXPECT_EQ(m_commands[1].line, "/msg bob hi there");
}

TEST_F(FrameTest, TextTypedIntoTheStatusWindowIsNotSentButExplained)
{
    StartSession();
    ConversationWindow *status = FrameOf(m_session->ServerWindow());
    ASSERT_NE(status, nullptr);
    ASSERT_TRUE(m_server.WaitForClient());
    status->SetCommandSink([this](const std::string &window, int number, const std::string &line) {
        m_commands.push_back({window, number, line});
        return 1;
    });

    Type(status, QStringLiteral("hello server"));

    EXPECT_TRUE(m_commands.empty());
    const QString shown = Shown(status);
    EXPECT_TRUE(shown.contains(QString::fromUtf8(Strings::Get(Str::NoTextToServer)))) << shown.toStdString();
    EXPECT_TRUE(shown.contains(QString::fromUtf8(Strings::Get(Str::QuoteCommandHint))));
    EXPECT_LT(shown.indexOf(QString::fromUtf8(Strings::Get(Str::NoTextToServer))),
              shown.indexOf(QString::fromUtf8(Strings::Get(Str::QuoteCommandHint))));
    PumpEvents(50);
    for (const std::string &line : m_server.Lines())
        EXPECT_EQ(line.find("hello server"), std::string::npos) << line;
}

TEST_F(FrameTest, DccChatWindowSendsEverythingAsChatText)
{
    RecordCommands();
    Conversation *chat = OpenWindow("bob", Conversation::KindText, Conversation::TypePrivate);
    ConversationWindow *frame = FrameOf(chat);
    ASSERT_NE(frame, nullptr);
    UntouchedConnection connection;
    chat->SetDccChat(&connection);
    m_shell.m_dccChatSends = true;

    Type(frame, QStringLiteral("/me waves"));

    chat->SetDccChat(nullptr);
    EXPECT_TRUE(m_commands.empty());
    const auto &sent = m_shell.m_dccChatTexts;
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].connection, &connection);
    EXPECT_EQ(sent[0].text, "/me waves");
    // The connection shows what it sent (or why not): the window adds no line of its own.
    EXPECT_FALSE(Shown(frame).contains(QStringLiteral("/me waves")));
}

TEST_F(FrameTest, ClickingChannelsNicksAndAddressesRunsTheirCommandsWithNumberZero)
{
    RecordCommands();
    Conversation *channel = OpenWindow("#chan", Conversation::KindChannel, Conversation::TypeChannel);
    ConversationWindow *frame = FrameOf(channel);
    ASSERT_NE(frame, nullptr);
    channel->Nicks().AddNick("@Bob");
    frame->Print("bob: come to #brimo or http://brimo.example/x", static_cast<int>(TextClass::Text));

    QTest::mouseClick(frame->View()->viewport(), Qt::LeftButton, {}, CentreOf(frame, QStringLiteral("#brimo")));
    QTest::mouseClick(frame->View()->viewport(), Qt::LeftButton, {}, CentreOf(frame, QStringLiteral("bob")));
    QTest::mouseClick(frame->View()->viewport(), Qt::LeftButton, {},
                      CentreOf(frame, QStringLiteral("brimo.example")));

    ASSERT_EQ(m_commands.size(), 3u);
    for (const SentCommand &command : m_commands) {
        EXPECT_EQ(command.window, "#chan");
        EXPECT_EQ(command.number, 0);
    }
    EXPECT_EQ(m_commands[0].line, "/join #brimo");
    EXPECT_EQ(m_commands[1].line, "/query bob");
    EXPECT_EQ(m_commands[2].line, "/link http://brimo.example/x");
}

TEST_F(FrameTest, ClickedChannelIsJoinedOnTheServer)
{
    Conversation *channel = OpenWindow("#chan", Conversation::KindChannel, Conversation::TypeChannel);
    ConversationWindow *frame = FrameOf(channel);
    ASSERT_NE(frame, nullptr);
    ASSERT_TRUE(m_server.WaitForClient());
    ASSERT_TRUE(m_server.WaitForLineStartingWith("NICK"));
    m_server.SendLine(":irc.test 001 " + m_session->Nick() + " :Welcome");
    ASSERT_TRUE(WaitFor([&] { return m_session->IsConnected(); }));

    frame->Print("meet in #brimo", static_cast<int>(TextClass::Text));
    QTest::mouseClick(frame->View()->viewport(), Qt::LeftButton, {}, CentreOf(frame, QStringLiteral("#brimo")));

    EXPECT_TRUE(m_server.WaitForLine([](const std::string &line) { return line.rfind("JOIN #brimo", 0) == 0; }));
}

TEST_F(FrameTest, ContextMenuOnANickSelectsItFirst)
{
    RecordCommands();
    Conversation *channel = OpenWindow("#chan", Conversation::KindChannel, Conversation::TypeChannel);
    ConversationWindow *frame = FrameOf(channel);
    ASSERT_NE(frame, nullptr);
    channel->Nicks().AddNick("+Bob");
    channel->Nicks().AddNick("alice");
    frame->Print("bob said hi", static_cast<int>(TextClass::Text));

    const QPoint at = CentreOf(frame, QStringLiteral("bob"));
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, frame->View()->viewport()->mapToGlobal(at));
    QCoreApplication::sendEvent(frame->View()->viewport(), &event);

    EXPECT_EQ(channel->Nicks().SelectedNick(), "Bob");
    EXPECT_EQ(frame->CurrentUser(), "Bob");
    EXPECT_TRUE(WaitFor([&] { return frame->NickMenu()->isVisible(); }));
    frame->NickMenu()->Action(UserMenu::OpenQuery)->trigger();
    frame->NickMenu()->hide();
    ASSERT_FALSE(m_commands.empty());
    EXPECT_EQ(m_commands.back().line, "/query Bob");
}

TEST_F(FrameTest, ClosingTheWindowAsksTheSessionToCloseIt)
{
    RecordCommands();
    ConversationWindow *frame = FrameOf(OpenWindow("#chan", Conversation::KindChannel, Conversation::TypeChannel));
    ASSERT_NE(frame, nullptr);
    QPointer<QMdiSubWindow> child = frame->SubWindow();

    child->close();

    ASSERT_EQ(m_commands.size(), 1u);
    EXPECT_EQ(m_commands[0].line, "/close #chan");
    EXPECT_EQ(m_commands[0].number, 0);
    PumpEvents(20);
    EXPECT_FALSE(child.isNull()); // the command decides
}

TEST_F(FrameTest, ClosedByTheSessionTheWindowGoesAndLeavesNoDanglingView)
{
    Conversation *channel = OpenWindow("#chan", Conversation::KindChannel, Conversation::TypeChannel);
    QPointer<ConversationWindow> frame = FrameOf(channel);
    ASSERT_FALSE(frame.isNull());

    frame->SubWindow()->close(); // "/close #chan" through the real command

    EXPECT_EQ(m_session->FindWindow("#chan"), nullptr);
    EXPECT_TRUE(WaitFor([&] { return frame.isNull(); }));
    EXPECT_TRUE(m_area->subWindowList().size() == 1); // the status window stays
}

TEST_F(FrameTest, WhoPollAsksOnlyForSmallListsWithShowAwayOn)
{
    RecordCommands();
    Conversation *channel = OpenWindow("#chan", Conversation::KindChannel, Conversation::TypeChannel);
    ConversationWindow *frame = FrameOf(channel);
    ASSERT_NE(frame, nullptr);

    frame->PollAway(); // empty list
    channel->Nicks().AddNick("bob");
    frame->PollAway();
    frame->SetShowAway(false);
    frame->PollAway();
    frame->SetShowAway(true);
    // append rather than operator+: GCC 12 at -O3 warns falsely (-Wrestrict) on the latter.
    for (int k = 1; k < Dispatch::kWhoNickLimit - 1; ++k)
        channel->Nicks().AddNick(std::string("n").append(std::to_string(k)));
    ASSERT_EQ(frame->NickCount(), 299);
    frame->PollAway(); // 299 members
    channel->Nicks().AddNick("one_more");
    frame->PollAway(); // 300 members

    EXPECT_EQ(Lines(), (std::vector<std::string>{"/who #chan", "/who #chan"}));
}

TEST_F(FrameTest, NoWhoPollWhileTheServerTellsOfAbsencesItself)
{
    RecordCommands();
    Conversation *channel = OpenWindow("#chan", Conversation::KindChannel, Conversation::TypeChannel);
    ConversationWindow *frame = FrameOf(channel);
    ASSERT_NE(frame, nullptr);
    channel->Nicks().AddNick("bob");
    m_session->Caps().Acknowledge("away-notify");
    frame->PollAway();
    m_session->Caps().Acknowledge("-away-notify");
    frame->PollAway();

    EXPECT_EQ(Lines(), (std::vector<std::string>{"/who #chan"}));
}

TEST_F(FrameTest, SelectingPlainTextWithTheMouseCopiesItAndCopyPrefersTheInputLine)
{
    ConversationWindow *frame = FrameOf(OpenWindow("#chan", Conversation::KindChannel, Conversation::TypeChannel));
    ASSERT_NE(frame, nullptr);
    frame->Print("nothing clickable here", static_cast<int>(TextClass::Text));
    QApplication::clipboard()->clear();

    QWidget *viewport = frame->View()->viewport();
    const QPoint from = CentreOf(frame, QStringLiteral("nothing"));
    const QPoint to = CentreOf(frame, QStringLiteral("here"));
    QTest::mousePress(viewport, Qt::LeftButton, {}, from);
    QMouseEvent move(QEvent::MouseMove, QPointF(to), viewport->mapToGlobal(QPointF(to)), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(viewport, &move);
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, to);

    const QString selected = frame->View()->SelectedText();
    EXPECT_TRUE(selected.contains(QStringLiteral("clickable"))) << selected.toStdString();
    EXPECT_EQ(QApplication::clipboard()->text(), selected);
    EXPECT_TRUE(WaitFor([&] { return frame->Input()->hasFocus(); }));

    frame->Input()->setPlainText(QStringLiteral("typed words"));
    frame->Input()->selectAll();
    EXPECT_TRUE(frame->HandleCommand(CommandId::EditCopy));
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("typed words"));
}

// Reading the scroll-back: a selection there, and the focus going back to
// the input line after it, leave the view where the reader put it.
TEST_F(FrameTest, SelectingInTheScrollBackKeepsTheViewInPlace)
{
    ConversationWindow *frame = FrameOf(OpenWindow("#chan", Conversation::KindChannel, Conversation::TypeChannel));
    ASSERT_NE(frame, nullptr);
    for (int i = 0; i < 300; ++i)
        frame->Print("line " + std::to_string(i) + " of text", static_cast<int>(TextClass::Text));
    TextView *view = frame->View();
    QScrollBar *bar = view->verticalScrollBar();
    ASSERT_TRUE(WaitFor([&] { return bar->maximum() > 0 && bar->value() == bar->maximum(); }));
    PumpEvents(2 * ConversationWindow::kScrollDelayMs); // the scroll after the window's first sizing is over
    bar->setValue(0);
    ASSERT_FALSE(view->IsAtEnd());

    QWidget *viewport = view->viewport();
    const QPoint from = CentreOf(frame, QStringLiteral("line 1 "));
    const QPoint to = CentreOf(frame, QStringLiteral("line 3 "));
    QTest::mousePress(viewport, Qt::LeftButton, {}, from);
    QMouseEvent move(QEvent::MouseMove, QPointF(to), viewport->mapToGlobal(QPointF(to)), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(viewport, &move);
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, to);
    ASSERT_TRUE(view->SelectedText().contains(QStringLiteral("line 2 of text")));
    ASSERT_TRUE(WaitFor([&] { return frame->Input()->hasFocus(); }));
    PumpEvents(50); // a refresh gets its chance to move the view

    EXPECT_EQ(bar->value(), 0);
    EXPECT_FALSE(view->VisibleTextRect(QStringLiteral("line 1 ")).isEmpty());
    // New lines do not pull it to the end either.
    frame->Print("line new", static_cast<int>(TextClass::Text));
    PumpEvents(50);
    EXPECT_EQ(bar->value(), 0);
    EXPECT_FALSE(view->IsAtEnd());
}
