#include "AppFixture.h"
#include "support/WaitFor.h"

#include "app/BrimoApp.h"
#include "app/MainWindow.h"
#include "app/MainWindowArea.h"
#include "conversation/Conversation.h"
#include "find/FindBar.h"
#include "find/MentionListModel.h"
#include "find/MentionsWindow.h"
#include "input/InputLine.h"
#include "session/MentionList.h"
#include "session/Session.h"
#include "session/SessionTable.h"
#include "view/TextView.h"
#include "windows/ConversationWindow.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QTest>
#include <QTreeView>

namespace {

class FindAndMentionsTest : public AppFixture
{
protected:
    // Connected, the main window active, in #brimo.
    ConversationWindow *StartInChannel()
    {
        m_session = StartConnected();
        if (!m_session || !QTest::qWaitForWindowActive(Frame()))
            return nullptr;
        return Joined("#brimo");
    }

    // A channel window, once the scroll to the end after its first sizing is over.
    ConversationWindow *Joined(const std::string &channel)
    {
        ConversationWindow *window = JoinedChannel(m_session, channel);
        PumpEvents(2 * ConversationWindow::kScrollDelayMs);
        return window;
    }

    // Lines from the server, waited for until the last is shown.
    void Say(const std::string &channel, const std::string &nick, const std::vector<std::string> &texts)
    {
        for (const std::string &text : texts)
            m_server.SendLine(":" + nick + "!u@h PRIVMSG " + channel + " :" + text);
        Conversation *window = m_session->FindWindow(channel);
        ASSERT_NE(window, nullptr);
        TextView *view = dynamic_cast<ConversationWindow *>(window->View())->View();
        ASSERT_TRUE(WaitFor([&] { return view->PlainText().contains(QString::fromStdString(texts.back())); }));
    }

    std::vector<std::string> Filler(const std::string &what, int count)
    {
        std::vector<std::string> lines;
        for (int i = 0; i < count; ++i)
            lines.push_back(what + " " + std::to_string(i));
        return lines;
    }

    // Keys as the user presses them: to whichever widget has the keyboard.
    void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) const
    {
        QTest::keyClick(Frame()->windowHandle(), key, modifiers);
    }
    void Type(const char *text) const
    {
        for (const char *c = text; *c; ++c)
            QTest::keyClick(Frame()->windowHandle(), *c);
    }

    static bool Shows(ConversationWindow *window, const char *text)
    {
        return !window->View()->VisibleTextRect(QString::fromUtf8(text)).isEmpty();
    }

    Session *m_session = nullptr;
};

} // namespace

TEST_F(FindAndMentionsTest, CtrlFFindsInTheActiveWindowAndEscGivesTheKeyboardBack)
{
    ConversationWindow *channel = StartInChannel();
    ASSERT_NE(channel, nullptr);
    Say("#brimo", "ann", {"prvý riadok so slovom ananas"});
    Say("#brimo", "bob", Filler("vata", 200));
    ASSERT_TRUE(WaitFor([&] { return QApplication::focusWidget() == channel->Input(); }));

    Press(Qt::Key_F, Qt::ControlModifier);
    FindBar *bar = channel->Finder();
    ASSERT_NE(bar, nullptr);
    ASSERT_TRUE(bar->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), bar->Field());
    // The bar lies between the text and the input line.
    EXPECT_LE(channel->View()->geometry().bottom(), bar->geometry().top());
    EXPECT_LE(bar->geometry().bottom(), channel->Input()->geometry().top());

    Type("ananas");
    Press(Qt::Key_Return);
    EXPECT_EQ(bar->CountLabel()->text(), QStringLiteral("1 z 1"));
    EXPECT_TRUE(WaitFor([&] { return Shows(channel, "prvý riadok"); })) << "the hit, far up, is on screen";

    Press(Qt::Key_F3); // the main window's key reaches the bar: one hit, it stays
    EXPECT_EQ(bar->CountLabel()->text(), QStringLiteral("1 z 1"));

    Press(Qt::Key_Escape);
    EXPECT_FALSE(bar->isVisible());
    EXPECT_TRUE(WaitFor([&] { return QApplication::focusWidget() == channel->Input(); }));
    PumpEvents(2 * ConversationWindow::kScrollDelayMs);
    EXPECT_TRUE(Shows(channel, "prvý riadok")) << "the reader stays at the hit";
    EXPECT_TRUE(channel->View()->Marks().IsEmpty());

    Press(Qt::Key_F3); // with the bar closed F3 opens it on the same text
    EXPECT_TRUE(bar->isVisible());
    EXPECT_EQ(bar->Field()->text(), QStringLiteral("ananas"));
    EXPECT_EQ(bar->CountLabel()->text(), QStringLiteral("1 z 1"));
}

TEST_F(FindAndMentionsTest, MentionsListEveryWindowNewestFirstAndAClickOpensTheLine)
{
    ConversationWindow *channel = StartInChannel();
    ASSERT_NE(channel, nullptr);
    ConversationWindow *other = Joined("#druhy"); // the active window now
    ASSERT_NE(other, nullptr);
    ASSERT_TRUE(WaitFor([&] { return Frame()->ActiveChild() == other->SubWindow(); }));
    Say("#brimo", "ann", {"tester: pozri sa na toto"});
    Say("#brimo", "bob", Filler("vata", 200));
    Say("#druhy", "eve", {"ahoj TESTER"}); // in the window the user reads: read at once
    Say("#druhy", "eve", {"testeri su tu?"});

    Press(Qt::Key_M, Qt::ControlModifier | Qt::ShiftModifier);
    MentionsWindow *mentions = Frame()->findChild<MentionsWindow *>();
    ASSERT_NE(mentions, nullptr);
    ASSERT_TRUE(WaitFor([&] { return Frame()->ActiveChild() == mentions->SubWindow(); }));
    QAbstractItemModel *rows = mentions->ListView()->model();
    ASSERT_EQ(rows->rowCount(), 2);
    const auto cell = [&](int row, int column) { return rows->index(row, column).data().toString(); };
    const auto bold = [&](int row) { return rows->index(row, 0).data(Qt::FontRole).value<QFont>().bold(); };
    EXPECT_EQ(cell(0, MentionListModel::WindowColumn), QStringLiteral("#druhy"));
    EXPECT_EQ(cell(0, MentionListModel::NickColumn), QStringLiteral("eve"));
    EXPECT_EQ(cell(0, MentionListModel::TextColumn), QStringLiteral("ahoj TESTER"));
    EXPECT_EQ(cell(1, MentionListModel::WindowColumn), QStringLiteral("#brimo"));
    EXPECT_EQ(cell(1, MentionListModel::NetworkColumn), QString::fromStdString(m_session->HumanName()));
    EXPECT_EQ(cell(1, MentionListModel::TimeColumn).size(), 8) << cell(1, 0).toStdString();
    EXPECT_FALSE(bold(0));
    EXPECT_TRUE(bold(1));
    EXPECT_EQ(mentions->windowTitle(), QStringLiteral("Zmienky – neprečítané: 1"));

    // A click on the unread one: #brimo comes forward, scrolled back to the
    // line. Maximised, as most users keep their windows: it is sized anew as
    // it comes forward, which scrolls a window to its end.
    mentions->SubWindow()->showMaximized();
    QRect row;
    ASSERT_TRUE(WaitFor([&] {
        row = mentions->ListView()->visualRect(rows->index(1, MentionListModel::TimeColumn));
        return !row.isEmpty() && mentions->ListView()->viewport()->rect().contains(row.center());
    }));
    QTest::mouseClick(mentions->ListView()->viewport(), Qt::LeftButton, {}, row.center());
    ASSERT_TRUE(WaitFor([&] { return Frame()->ActiveChild() == channel->SubWindow(); }));
    EXPECT_TRUE(WaitFor([&] { return Shows(channel, "pozri sa na toto"); }));
    PumpEvents(2 * ConversationWindow::kScrollDelayMs);
    EXPECT_TRUE(Shows(channel, "pozri sa na toto")) << "nothing pulls the view back to the end";
    EXPECT_FALSE(Shows(channel, "vata 199"));
    EXPECT_FALSE(bold(1));
    EXPECT_EQ(mentions->windowTitle(), QStringLiteral("Zmienky"));

    // A line for a window the user is not reading is unread until he opens that window.
    Say("#druhy", "eve", {"tester, halo"});
    ASSERT_EQ(rows->rowCount(), 3);
    EXPECT_TRUE(bold(0));
    Frame()->ActivateChild(other->SubWindow());
    EXPECT_TRUE(WaitFor([&] { return !bold(0); }));

    // Enter on a row opens it too.
    Frame()->ActivateChild(mentions->SubWindow());
    mentions->ListView()->setFocus();
    mentions->ListView()->setCurrentIndex(rows->index(2, 0));
    QTest::keyClick(mentions->ListView(), Qt::Key_Return);
    EXPECT_TRUE(WaitFor([&] { return Frame()->ActiveChild() == channel->SubWindow(); }));
}
