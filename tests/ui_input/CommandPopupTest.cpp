#include "InputWidgetFixture.h"
#include "text/Strings.h"

#include <QFile>
#include <QListWidget>
#include <QScreen>
#include <QTemporaryDir>

#include <vector>

namespace {

using CommandListTest = InputWidgetFixture;

QPoint RowCenter(QListWidget *list, int row)
{
    return list->visualItemRect(list->item(row)).center();
}

TEST_F(CommandListTest, TypingACommandShowsThePopupWithThePrefixSelected)
{
    QSignalSpy sent(m_input, &InputLine::lineEntered);
    Type("/jo");
    ASSERT_TRUE(m_list->isVisible());
    EXPECT_EQ(m_list->SelectedName(), "join");
    EXPECT_TRUE(m_input->hasFocus()) << "the pop-up does not take the focus";

    Press(Qt::Key_Return);
    EXPECT_EQ(m_input->PlainLine(), "/join ");
    EXPECT_FALSE(m_list->isVisible());
    EXPECT_EQ(sent.count(), 0);

    Type("#a");
    Press(Qt::Key_Return);
    ASSERT_EQ(sent.count(), 1);
    EXPECT_EQ(sent.at(0).at(0).toString(), QStringLiteral("/join #a"));
}

TEST_F(CommandListTest, ListsEveryCommandSortedWithoutRegardToCase)
{
    Type("/");
    ASSERT_TRUE(m_list->isVisible());
    ASSERT_EQ(m_list->Count(), 29);
    EXPECT_EQ(m_list->SelectedName(), "action") << "an empty prefix selects the first name";
    for (int row = 1; row < m_list->Count(); ++row)
        EXPECT_LT(QString::fromStdString(m_list->NameAt(row - 1))
                      .compare(QString::fromStdString(m_list->NameAt(row)), Qt::CaseInsensitive),
                  0);
    EXPECT_EQ(m_list->ListBox()->count(), 29);
    EXPECT_EQ(m_list->Entries()[0].Text().rfind("action 0 Zobrazí", 0), 0u);
}

TEST_F(CommandListTest, OtherLinesHideThePopup)
{
    Type("/jo");
    ASSERT_TRUE(m_list->isVisible());
    Type("in #a");
    EXPECT_FALSE(m_list->isVisible()) << "two words";

    m_input->ClearLine();
    Type("//x");
    EXPECT_FALSE(m_list->isVisible());

    m_input->ClearLine();
    Type("hello");
    EXPECT_FALSE(m_list->isVisible());

    m_input->ClearLine();
    Type("/qu");
    ASSERT_TRUE(m_list->isVisible());
    Press(Qt::Key_Escape);
    EXPECT_FALSE(m_list->isVisible());
    EXPECT_EQ(m_input->PlainLine(), "/qu");
    Press(Qt::Key_Backspace);
    EXPECT_TRUE(m_list->isVisible()) << "every edit updates the pop-up";
}

TEST_F(CommandListTest, UnknownPrefixKeepsTheSelection)
{
    Type("/who");
    EXPECT_EQ(m_list->SelectedName(), "who");
    Type("x");
    EXPECT_TRUE(m_list->isVisible());
    EXPECT_EQ(m_list->SelectedName(), "who");
    Press(Qt::Key_Backspace);
    Type("is");
    EXPECT_EQ(m_list->SelectedName(), "whois");
}

TEST_F(CommandListTest, UpAndDownMoveTheSelectionWhileShown)
{
    Type("/a");
    ASSERT_EQ(m_list->SelectedName(), "action");
    Press(Qt::Key_Up);
    EXPECT_EQ(m_list->SelectedRow(), 0) << "not above the first";
    Press(Qt::Key_Down);
    EXPECT_EQ(m_list->SelectedName(), "away");
    Press(Qt::Key_Down);
    Press(Qt::Key_Up);
    EXPECT_EQ(m_list->SelectedName(), "away");
    EXPECT_EQ(m_input->PlainLine(), "/a") << "the history is not touched";
    for (int i = 0; i < 40; ++i)
        Press(Qt::Key_Down);
    EXPECT_EQ(m_list->SelectedRow(), m_list->Count() - 1);
}

// Enter completes an unfinished command only; whatever else was typed is
// sent as it is, never replaced by another command.
TEST_F(CommandListTest, EnterSendsAWholeCommandOrAnUnknownWordAsTyped)
{
    QSignalSpy sent(m_input, &InputLine::lineEntered);
    for (const char *typed : {"/close", "/reconnect", "/Quit", "/rex", "/me"}) {
        Type(typed);
        ASSERT_TRUE(m_list->isVisible()) << typed;
        Press(Qt::Key_Return);
        EXPECT_FALSE(m_list->isVisible()) << typed;
        EXPECT_EQ(m_input->PlainLine(), "") << typed;
        ASSERT_EQ(sent.count(), 1) << typed;
        EXPECT_EQ(sent.takeFirst().at(0).toString(), QString::fromUtf8(typed));
    }
    // Without a selection too.
    Type("/q");
    m_list->SelectRow(-1);
    Press(Qt::Key_Return);
    ASSERT_EQ(sent.count(), 1);
    EXPECT_EQ(sent.takeFirst().at(0).toString(), QStringLiteral("/q"));

    // The selection moved away from what the word begins: sent as typed.
    Type("/jo");
    Press(Qt::Key_Down);
    ASSERT_NE(m_list->SelectedName().rfind("jo", 0), 0u);
    Press(Qt::Key_Return);
    ASSERT_EQ(sent.count(), 1);
    EXPECT_EQ(sent.takeFirst().at(0).toString(), QStringLiteral("/jo"));

    Type("/RECO");
    Press(Qt::Key_Return);
    EXPECT_EQ(m_input->PlainLine(), "/reconnect ");
    EXPECT_EQ(sent.count(), 0);
}

TEST_F(CommandListTest, LosingTheFocusHidesThePopup)
{
    Type("/jo");
    ASSERT_TRUE(m_list->isVisible());
    QTest::mouseClick(m_other, Qt::LeftButton);
    ASSERT_TRUE(WaitFor([this] { return m_other->hasFocus(); }));
    EXPECT_FALSE(m_list->isVisible());
}

TEST_F(CommandListTest, ClickingAnEntrySelectsItAndDoubleClickTakesIt)
{
    Type("/");
    QListWidget *box = m_list->ListBox();
    const int row = 3;
    QTest::mouseClick(box->viewport(), Qt::LeftButton, Qt::NoModifier, RowCenter(box, row));
    EXPECT_EQ(m_list->SelectedRow(), row);
    EXPECT_TRUE(m_input->hasFocus());
    const std::string name = m_list->NameAt(row);
    QTest::mouseDClick(box->viewport(), Qt::LeftButton, Qt::NoModifier, RowCenter(box, row));
    EXPECT_EQ(m_input->PlainLine(), "/" + name + " ");
    EXPECT_FALSE(m_list->isVisible());
}

TEST_F(CommandListTest, DescriptionPanelTexts)
{
    EXPECT_EQ(std::string(Strings::Get(Str::CommandListHelp)),
              "Nápoveda a menší pomocník ku IRC príkazom a Brimo aliasom");
    Type("/");
    m_list->SelectRow(-1);
    EXPECT_EQ(m_list->PanelTitle(), "");
    EXPECT_EQ(m_list->PanelText(), Strings::Get(Str::CommandListHelp));

    Type("debug");
    EXPECT_EQ(m_list->PanelTitle(), "debug");
    EXPECT_EQ(m_list->PanelText(), "Otvorí okno pre vývojárov\n\nViac sa dozvieš v pomocníkovy.");
    EXPECT_FALSE(m_list->PanelShowsScriptMark());

    m_input->ClearLine();
    Type("/servermsg");
    EXPECT_EQ(m_list->PanelTitle(), "servermsg");
    EXPECT_EQ(m_list->PanelText(), "K príkazu nie je popis.");
}

TEST_F(CommandListTest, ScriptProceduresOfTheWindowJoinTheList)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile script(dir.filePath(QStringLiteral("brimo.tcl")));
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write("proc /me {args} { cmd \"/action [this] $args\" } # Akcia\\nv okne\n"
                 "proc /zzz {args} { echo \"zzz\" }\n");
    script.close();
    m_input->SetScriptFiles({"brimo.tcl"}, dir.path().toStdString());

    Type("/me");
    ASSERT_TRUE(m_list->isVisible());
    EXPECT_EQ(m_list->Count(), 31);
    EXPECT_EQ(m_list->SelectedName(), "me");
    EXPECT_EQ(m_list->PanelText(), "Akcia\nv okne");
    EXPECT_TRUE(m_list->PanelShowsScriptMark());

    // The file is read again on every update.
    ASSERT_TRUE(script.open(QIODevice::WriteOnly | QIODevice::Truncate));
    script.write("proc /zzz {args} { echo \"zzz\" }\n");
    script.close();
    Press(Qt::Key_Backspace);
    EXPECT_EQ(m_list->Count(), 30);
    EXPECT_EQ(m_list->SelectedName(), "mode");
    Type("zz");
    EXPECT_EQ(m_list->SelectedName(), "mode") << "no name begins with mzz, so the selection stays";
    m_input->ClearLine();
    Type("/zz");
    EXPECT_EQ(m_list->PanelText(), "K príkazu nie je popis.");
    EXPECT_TRUE(m_list->PanelShowsScriptMark());
}

TEST_F(CommandListTest, PanelDrawsTheTitleInItsColour)
{
    Type("/join");
    const QImage image = m_list->Panel()->grab().toImage();
    bool titleColour = false;
    for (int y = 10; y < 30 && !titleColour; ++y) {
        for (int x = 10; x < 60 && !titleColour; ++x)
            titleColour = (image.pixel(x, y) & 0xFFFFFF) == 0x0044AA;
    }
    EXPECT_TRUE(titleColour);
}

} // namespace

namespace {

// Rows of the list that the viewport shows, wholly or in part.
std::vector<QRect> ShownRows(QListWidget *list)
{
    std::vector<QRect> rows;
    for (int row = 0; row < list->count(); ++row) {
        const QRect rect = list->visualItemRect(list->item(row));
        if (rect.intersects(list->viewport()->rect()))
            rows.push_back(rect);
    }
    return rows;
}

void ExpectWholeRows(QListWidget *list, const char *where)
{
    const std::vector<QRect> rows = ShownRows(list);
    ASSERT_FALSE(rows.empty()) << where;
    int heights = 0;
    for (const QRect &row : rows) {
        EXPECT_TRUE(list->viewport()->rect().contains(row)) << where << ": a row is cut at y " << row.y();
        heights += row.height();
    }
    EXPECT_GE(list->viewport()->height(), heights) << where;
}

} // namespace

TEST_F(CommandListTest, PopupOpensAboveTheInputLineShowingWholeRows)
{
    const QRect screen = m_window->screen()->availableGeometry();
    for (int windowTop : {screen.top() + screen.height() / 2, screen.top() + 60}) {
        m_input->ClearLine();
        Press(Qt::Key_Escape);
        m_window->move(screen.left() + 20, windowTop);
        ASSERT_TRUE(WaitFor([&] { return m_window->geometry().top() >= windowTop; }));
        Type("/");
        ASSERT_TRUE(m_list->isVisible());

        EXPECT_EQ(m_list->windowTitle(), QStringLiteral("CommandList"));
        const QRect popup = m_list->frameGeometry();
        const QPoint input = m_input->mapToGlobal(QPoint(0, 0));
        EXPECT_EQ(popup.width(), 352);
        EXPECT_EQ(popup.left(), input.x() + m_input->cursorRect().x() + 40) << "right of the caret";
        EXPECT_LE(popup.bottom(), input.y() - 1) << "covers the input line at " << windowTop;
        EXPECT_GE(popup.top(), screen.top()) << windowTop;
        EXPECT_GT(m_list->ListBox()->height(), 0);

        ExpectWholeRows(m_list->ListBox(), "first rows");
        m_list->SelectRow(m_list->Count() - 1);
        ExpectWholeRows(m_list->ListBox(), "last row");
    }
}
