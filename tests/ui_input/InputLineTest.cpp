#include "FakeCompletionSource.h"
#include "InputWidgetFixture.h"
#include "input/InputEditMenu.h"

#include "support/WhenModal.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMessageBox>

namespace {

using ChannelCmdTest = InputWidgetFixture;

TEST_F(ChannelCmdTest, BoldTypedOnTheMiddleWord)
{
    Type("a ");
    Press(Qt::Key_B, Qt::ControlModifier);
    Type("b");
    Press(Qt::Key_B, Qt::ControlModifier);
    Type(" c");
    EXPECT_EQ(m_input->PlainLine(), "a b c");
    EXPECT_EQ(Line(),
              "a \x02"
              "b\x02 c");
}

TEST_F(ChannelCmdTest, StyleKeysActOnTheSelection)
{
    Type("a b c");
    Press(Qt::Key_Home);
    Press(Qt::Key_Right);
    Press(Qt::Key_Right);
    Press(Qt::Key_Right, Qt::ShiftModifier);
    Press(Qt::Key_B, Qt::ControlModifier);
    EXPECT_TRUE(m_input->IsSelectionBold());
    EXPECT_EQ(Line(),
              "a \x02"
              "b\x02 c");

    Press(Qt::Key_U, Qt::ControlModifier);
    EXPECT_EQ(Line(),
              "a \x02\x1F"
              "b\x02\x1F c");

    Press(Qt::Key_B, Qt::ControlModifier);
    Press(Qt::Key_U, Qt::ControlModifier);
    EXPECT_FALSE(m_input->IsSelectionBold());
    EXPECT_EQ(Line(), "a b c");

    Press(Qt::Key_I, Qt::ControlModifier);
    EXPECT_EQ(Line(),
              "a \x03"
              "0,1b\x03"
              "1,0 c");
    Press(Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(Line(), "a b c") << "black on white is the line's own look";
}

TEST_F(ChannelCmdTest, SelectionPartlyBoldIsNotBold)
{
    Type("ab");
    Press(Qt::Key_Left, Qt::ShiftModifier);
    Press(Qt::Key_B, Qt::ControlModifier);
    Press(Qt::Key_Home, Qt::ShiftModifier);
    EXPECT_FALSE(m_input->IsSelectionBold());
    Press(Qt::Key_B, Qt::ControlModifier);
    EXPECT_EQ(Line(),
              "\x02"
              "ab")
        << "a mixed selection becomes bold";
}

TEST_F(ChannelCmdTest, TextColourChosenFromTheMenuOfCtrlK)
{
    Press(Qt::Key_K, Qt::ControlModifier);
    QMenu *colors = m_style->TextColorMenu();
    ClickAction(colors, ActionWithData(colors, InputEditMenu::kTextColorId + 4));
    EXPECT_FALSE(colors->isVisible());
    Type("hi");
    EXPECT_EQ(Line(),
              "\x03"
              "4,0hi");
}

TEST_F(ChannelCmdTest, ADigitTypedInColourIsKeptApartFromTheCode)
{
    Press(Qt::Key_K, Qt::ControlModifier);
    QMenu *colors = m_style->TextColorMenu();
    ClickAction(colors, ActionWithData(colors, InputEditMenu::kTextColorId + 4));
    Type("5");
    EXPECT_EQ(Line(),
              "\x03"
              "4,0 5");
}

TEST_F(ChannelCmdTest, BackgroundColourFromTheMenuOfCtrlL)
{
    Type("x");
    Press(Qt::Key_Home, Qt::ShiftModifier);
    Press(Qt::Key_L, Qt::ControlModifier);
    QMenu *colors = m_style->BackgroundColorMenu();
    ClickAction(colors, ActionWithData(colors, InputEditMenu::kBackgroundColorId + 12));
    EXPECT_EQ(Line(),
              "\x03"
              "1,12x");
}

TEST_F(ChannelCmdTest, StyleButtonMenuChecksAndTogglesBold)
{
    EXPECT_FALSE(m_style->toolTip().isEmpty());
    Press(Qt::Key_B, Qt::ControlModifier);
    QTest::mouseClick(m_style, Qt::LeftButton);
    QMenu *menu = m_style->EditMenu();
    ASSERT_TRUE(WaitFor([menu] { return menu->isVisible(); }));
    auto *edit = static_cast<InputEditMenu *>(menu);
    EXPECT_TRUE(edit->BoldAction()->isChecked());
    EXPECT_TRUE(edit->BoldAction()->isEnabled());
    EXPECT_FALSE(edit->UnderlineAction()->isChecked());
    ClickAction(menu, edit->BoldAction());
    Type("n");
    EXPECT_EQ(Line(), "n") << "bold was switched off again from the menu";
}

// On a screen of scale 2 an icon painted at 16 pixels would be stretched and blurred.
TEST_F(ChannelCmdTest, DrawnIconsHaveAsManyPixelsAsAScreenOfScaleTwoShows)
{
    const QSize buttonSize = m_style->iconSize();
    const QPixmap button = m_style->icon().pixmap(buttonSize, 2.0);
    EXPECT_EQ(button.size(), buttonSize * 2);
    EXPECT_EQ(button.devicePixelRatio(), 2.0);

    QMenu *colors = m_style->TextColorMenu();
    const QAction *red = ActionWithData(colors, InputEditMenu::kTextColorId + 4);
    ASSERT_NE(red, nullptr);
    const QPixmap swatch = red->icon().pixmap(QSize(14, 14), 2.0);
    EXPECT_EQ(swatch.size(), QSize(28, 28));
    const QImage image = swatch.toImage();
    EXPECT_EQ(image.pixelColor(14, 14), QColor(255, 0, 0)) << "the swatch is filled with its colour";
    EXPECT_EQ(image.pixelColor(0, 14), QColor(128, 128, 128)) << "and framed";
}

TEST_F(ChannelCmdTest, EditMenuIsDisabledWithoutTheFocus)
{
    m_other->setFocus();
    ASSERT_TRUE(WaitFor([this] { return m_other->hasFocus(); }));
    auto *edit = static_cast<InputEditMenu *>(m_style->EditMenu());
    edit->UpdateItems();
    EXPECT_FALSE(edit->BoldAction()->isEnabled());
    EXPECT_FALSE(edit->PlainAction()->isEnabled());
    EXPECT_FALSE(ActionWithData(edit->TextColorMenu(), InputEditMenu::kTextColorId)->isEnabled());
}

TEST_F(ChannelCmdTest, RightButtonOpensTheEditMenu)
{
    // QTest's clicks do not make the context menu event a window system sends.
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), m_input->viewport()->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(m_input->viewport(), &event);
    QMenu *menu = m_style->EditMenu();
    EXPECT_TRUE(WaitFor([menu] { return menu->isVisible(); }));
}

TEST_F(ChannelCmdTest, EnterSendsTheLineEmptiesItAndResetsTheLook)
{
    QSignalSpy sent(m_input, &InputLine::lineEntered);
    Press(Qt::Key_B, Qt::ControlModifier);
    Type("hello");
    Press(Qt::Key_Return);
    ASSERT_EQ(sent.count(), 1);
    EXPECT_EQ(sent.at(0).at(0).toString(),
              QString::fromUtf8("\x02"
                                "hello"));
    EXPECT_EQ(m_input->PlainLine(), "");
    EXPECT_EQ(m_input->History().At(0),
              "\x02"
              "hello");

    Type("plain");
    EXPECT_EQ(Line(), "plain") << "the next line starts unformatted";

    m_input->ClearLine();
    Press(Qt::Key_Enter);
    EXPECT_EQ(sent.count(), 1) << "an empty line is not sent";
    EXPECT_EQ(m_input->History().Count(), 1);
}

TEST_F(ChannelCmdTest, UpAndDownWalkTheHistory)
{
    for (const char *line : {"one", "two", "three"}) {
        Type(QString::fromLatin1(line));
        Press(Qt::Key_Return);
    }
    const char *older[] = {"three", "two", "one", "", "three"};
    for (const char *expected : older) {
        Press(Qt::Key_Up);
        EXPECT_EQ(m_input->PlainLine(), expected);
    }
    Type("x");
    Press(Qt::Key_Return);
    Press(Qt::Key_Down);
    EXPECT_EQ(m_input->PlainLine(), "") << "down from the fresh state";
    Press(Qt::Key_Down);
    EXPECT_EQ(m_input->PlainLine(), "one");
}

TEST_F(ChannelCmdTest, HistoryKeepsTheFormatting)
{
    Press(Qt::Key_U, Qt::ControlModifier);
    Type("under");
    Press(Qt::Key_Return);
    Press(Qt::Key_Up);
    EXPECT_EQ(Line(),
              "\x1F"
              "under");
}

TEST_F(ChannelCmdTest, The513thCharacterCannotBeTyped)
{
    const QString full(InputLine::kMaxLength, QLatin1Char('a'));
    m_input->SetTextWithCodes(full.toStdString() + "bcd");
    EXPECT_EQ(m_input->PlainLine().size(), 512u) << "longer text is cut";
    Type("z");
    EXPECT_EQ(m_input->PlainLine(), full.toStdString());
    Press(Qt::Key_Backspace);
    Type("yz");
    EXPECT_EQ(m_input->PlainLine().size(), 512u);
    EXPECT_EQ(m_input->PlainLine().back(), 'y');
    Press(Qt::Key_A, Qt::ControlModifier);
    Type("q");
    EXPECT_EQ(m_input->PlainLine(), "q") << "typing over a selection has room";
}

TEST_F(ChannelCmdTest, PastedLineBreaksAndControlBytesStayOneLine)
{
    QSignalSpy sent(m_input, &InputLine::lineEntered);
    QApplication::clipboard()->setText(QString::fromUtf8("one\ntwo\r\nthree\x03"
                                                         "4\x00x",
                                                         18));
    Type("> ");
    // Several lines: the user is asked and joins them.
    WhenModal<QMessageBox>([](QMessageBox *box) {
        for (QAbstractButton *button : box->buttons())
            if (box->buttonRole(button) == QMessageBox::ActionRole)
                button->click();
    });
    Press(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(m_input->PlainLine(), "> one two three4x");
    EXPECT_EQ(Line(), "> one two three4x");
    EXPECT_EQ(sent.count(), 0) << "a paste never sends";

    m_input->ClearLine();
    QApplication::clipboard()->setText(QString(600, QLatin1Char('p')));
    Press(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(m_input->PlainLine().size(), 512u);
}

TEST_F(ChannelCmdTest, TabStepsThroughTheChannelMembers)
{
    const FakeCompletionSource channel(Conversation::TypeChannel, "#c", {"@ann", "bob", "+Bobby"});
    m_input->SetCompletionSource(&channel);
    Type("hi bo");
    Press(Qt::Key_Tab);
    EXPECT_EQ(m_input->PlainLine(), "hi bob");
    EXPECT_TRUE(m_input->hasFocus()) << "Tab completes, it does not move the focus";
    Press(Qt::Key_Tab);
    EXPECT_EQ(m_input->PlainLine(), "hi Bobby");
    Press(Qt::Key_Tab);
    EXPECT_EQ(m_input->PlainLine(), "hi bo");
    Press(Qt::Key_Tab);
    Type(": ");
    Press(Qt::Key_Tab);
    EXPECT_EQ(m_input->PlainLine(), "hi bob: ann") << "typing starts a new completion of the new last word";
}

TEST_F(ChannelCmdTest, TabInPrivateAndStatusWindows)
{
    const FakeCompletionSource query(Conversation::TypePrivate, "peter");
    m_input->SetCompletionSource(&query);
    Type("ahoj ");
    Press(Qt::Key_Tab);
    EXPECT_EQ(m_input->PlainLine(), "ahoj peter ");

    const FakeCompletionSource status(Conversation::TypeStatus, "krnl:1:127.0.0.1:6667");
    m_input->SetCompletionSource(&status);
    m_input->ClearLine();
    Press(Qt::Key_Tab);
    EXPECT_EQ(m_input->PlainLine(), "/quote ");
}

} // namespace
