// Spell checking in a real input line with the installed Slovak and English
// dictionaries: the underlines, what is never marked, and the menu.
#include "FakeCompletionSource.h"
#include "InputWidgetFixture.h"
#include "config/Config.h"
#include "config/UserDictionary.h"
#include "input/InputEditMenu.h"
#include "input/SpellChecker.h"

#include <QContextMenuEvent>
#include <QFile>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextLayout>

namespace {

class SpellCheck : public InputWidgetFixture
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_configDir.isValid());
        SetConfigDirectory(m_configDir.path().toStdString());
        InputWidgetFixture::SetUp();
        m_checker.Configure(true, "sk_SK");
        ASSERT_TRUE(m_checker.IsActive()) << "hunspell-sk is not installed";
        m_input->SetSpellChecker(&m_checker);
    }

    void TearDown() override
    {
        InputWidgetFixture::TearDown();
        SetConfigDirectory(std::string());
    }

    // The words drawn with the spell checker's underline.
    QStringList Underlined() const
    {
        QStringList words;
        const QTextBlock block = m_input->document()->firstBlock();
        for (const QTextLayout::FormatRange &range : block.layout()->formats()) {
            if (range.format.underlineStyle() == QTextCharFormat::SpellCheckUnderline)
                words << block.text().mid(range.start, range.length);
        }
        return words;
    }

    // Right click on the character at position, as the window system sends it.
    QMenu *RightClickAt(int position)
    {
        QTextCursor cursor(m_input->document());
        cursor.setPosition(position);
        const QPoint point = m_input->cursorRect(cursor).center() + QPoint(2, 0);
        QContextMenuEvent event(QContextMenuEvent::Mouse, point, m_input->viewport()->mapToGlobal(point));
        QApplication::sendEvent(m_input->viewport(), &event);
        QMenu *menu = m_style->EditMenu();
        EXPECT_TRUE(WaitFor([menu] { return menu->isVisible(); }));
        return menu;
    }

    QTemporaryDir m_configDir;
    SpellChecker m_checker;
};

TEST_F(SpellCheck, MisspeltWordsAreUnderlinedAndTheSentLineStaysAsTyped)
{
    Type(QString::fromUtf8("Ahoj, dakujem za pomoc s tymto"));
    EXPECT_EQ(Underlined(), QStringList({"dakujem", "tymto"}));
    Press(Qt::Key_Return);
    EXPECT_EQ(m_input->GetTextWithCodes(), "");
    EXPECT_EQ(m_input->History().Older(), "Ahoj, dakujem za pomoc s tymto") << "no underline code sent";

    m_input->ClearLine();
    m_input->insertPlainText(QString::fromUtf8("ďakujem za pomoc"));
    EXPECT_TRUE(Underlined().isEmpty());
}

TEST_F(SpellCheck, NicksCommandsAndChannelsAreNeverMarked)
{
    const FakeCompletionSource channel(Conversation::TypeChannel, "#kanal", {"@Zuzkaa", "+peterko_x", "mrkvicka"});
    m_input->SetCompletionSource(&channel);
    Type(QString::fromUtf8("zuzkaa: Mrkvicka dakujem #kanalik"));
    EXPECT_EQ(Underlined(), QStringList({"dakujem"}));

    m_input->ClearLine();
    Type(QString::fromUtf8("/join #kanalik heslooo"));
    EXPECT_TRUE(Underlined().isEmpty());
    m_input->ClearLine();
    Type(QString::fromUtf8("/me dakujem"));
    EXPECT_EQ(Underlined(), QStringList({"dakujem"}));
}

TEST_F(SpellCheck, OffOrAnotherLanguageFollowsTheChecker)
{
    Type(QString::fromUtf8("dakujem thanks"));
    EXPECT_EQ(Underlined(), QStringList({"dakujem", "thanks"}));
    m_checker.Configure(true, "en_US");
    ASSERT_TRUE(m_checker.IsActive()) << "hunspell-en-us is not installed";
    EXPECT_EQ(Underlined(), QStringList({"dakujem"}));
    m_checker.Configure(false, "en_US");
    EXPECT_TRUE(Underlined().isEmpty());
    m_checker.Configure(true, "xx_XX");
    EXPECT_FALSE(m_checker.IsActive());
    EXPECT_TRUE(Underlined().isEmpty());
}

TEST_F(SpellCheck, TheMenuOfAMisspeltWordReplacesItWithASuggestion)
{
    Type(QString::fromUtf8("vdaka za dakujem"));
    auto *menu = static_cast<InputEditMenu *>(RightClickAt(10));
    const QList<QAction *> spelling = menu->SpellingActions();
    ASSERT_GE(spelling.size(), 3);
    EXPECT_EQ(menu->actions().first(), spelling.first()) << "the suggestions come first";
    QAction *suggestion = nullptr;
    for (QAction *action : spelling)
        if (action->text() == QString::fromUtf8("ďakujem"))
            suggestion = action;
    ASSERT_NE(suggestion, nullptr);
    bool addOffered = false;
    for (QAction *action : spelling)
        addOffered = addOffered || action->text() == QString::fromUtf8("Pridať do slovníka");
    EXPECT_TRUE(addOffered);
    ClickAction(menu, suggestion);
    EXPECT_EQ(m_input->PlainLine(), "vdaka za ďakujem");
    EXPECT_EQ(Underlined(), QStringList({"vdaka"}));

    // Opened by the style button, the menu has no spelling items.
    menu->hide();
    m_style->click();
    EXPECT_TRUE(WaitFor([menu] { return menu->isVisible(); }));
    EXPECT_TRUE(menu->SpellingActions().isEmpty());
    menu->hide();
}

TEST_F(SpellCheck, AWordAddedToTheDictionaryIsKeptInTheUserFile)
{
    Type(QString::fromUtf8("brimovsky klient"));
    ASSERT_EQ(Underlined(), QStringList({"brimovsky"}));
    auto *menu = static_cast<InputEditMenu *>(RightClickAt(3));
    QAction *add = nullptr;
    for (QAction *action : menu->SpellingActions())
        if (action->text() == QString::fromUtf8("Pridať do slovníka"))
            add = action;
    ASSERT_NE(add, nullptr);
    ClickAction(menu, add);
    EXPECT_TRUE(Underlined().isEmpty());
    EXPECT_EQ(UserDictionary::Words(), QStringList({"brimovsky"}));

    // Another checker (the next start) reads the word back.
    SpellChecker next;
    next.Configure(true, "sk_SK");
    EXPECT_FALSE(next.IsMisspelt("brimovsky"));
    EXPECT_TRUE(next.IsMisspelt("brimovskyy"));
}

} // namespace
