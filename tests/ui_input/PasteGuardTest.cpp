// A paste of several lines into a real input line asks first; the test
// answers the question as a user would.
#include "InputWidgetFixture.h"
#include "support/WhenModal.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QMessageBox>

#include <string>

namespace {

class PasteGuard : public InputWidgetFixture
{
protected:
    // The next paste question is answered with the button whose text begins
    // with answer; its prompt and buttons are kept.
    void AnswerWith(const QString &answer)
    {
        WhenModal<QMessageBox>([this, answer](QMessageBox *box) {
            ++m_asked;
            m_prompt = box->text();
            m_buttons.clear();
            QAbstractButton *chosen = nullptr;
            for (QAbstractButton *button : box->buttons()) {
                m_buttons << button->text();
                if (button->text().remove('&').startsWith(answer))
                    chosen = button;
            }
            ASSERT_NE(chosen, nullptr) << answer.toStdString();
            chosen->click();
        });
    }

    void Paste(const QString &text)
    {
        QApplication::clipboard()->setText(text);
        Press(Qt::Key_V, Qt::ControlModifier);
    }

    int m_asked = 0;
    QString m_prompt;
    QStringList m_buttons;
};

TEST_F(PasteGuard, SendingAsLinesEntersEachLineAndKeepsWhatWasTyped)
{
    QSignalSpy sent(m_input, &InputLine::lineEntered);
    Type("rozpisane");
    AnswerWith("Odoslať");
    Paste(QString::fromUtf8("prvý riadok\r\n\r\n\tdruhý\x02 tučný\nposledný\n"));

    EXPECT_EQ(m_asked, 1);
    EXPECT_TRUE(m_prompt.contains("(3)")) << m_prompt.toStdString();
    ASSERT_EQ(m_buttons.size(), 3);
    EXPECT_TRUE(m_buttons.join('|').contains("(3)")) << m_buttons.join('|').toStdString();
    ASSERT_EQ(sent.count(), 3);
    EXPECT_EQ(sent.at(0).at(0).toString(), QString::fromUtf8("prvý riadok"));
    EXPECT_EQ(sent.at(1).at(0).toString(), QString::fromUtf8(" druhý tučný"));
    EXPECT_EQ(sent.at(2).at(0).toString(), QString::fromUtf8("posledný"));
    EXPECT_EQ(m_input->PlainLine(), "rozpisane");
    EXPECT_EQ(m_input->History().Older(), "") << "pasted lines stay out of the history";
}

TEST_F(PasteGuard, JoiningPutsOneLineIntoTheInputAndCancelLeavesItAlone)
{
    QSignalSpy sent(m_input, &InputLine::lineEntered);
    Type("> ");
    AnswerWith("Spojiť");
    Paste("one\ntwo\r\n\nthree");
    EXPECT_EQ(m_asked, 1);
    EXPECT_EQ(m_input->PlainLine(), "> one two three");

    AnswerWith("Zrušiť");
    Paste("four\nfive");
    EXPECT_EQ(m_asked, 2);
    EXPECT_TRUE(m_prompt.contains("(2)")) << m_prompt.toStdString();
    EXPECT_EQ(m_input->PlainLine(), "> one two three");
    EXPECT_EQ(sent.count(), 0);
}

TEST_F(PasteGuard, OneLineWithBlankLinesAroundPastesWithoutAQuestion)
{
    QSignalSpy sent(m_input, &InputLine::lineEntered);
    // Were the question asked, the guard would cancel it and the line stay empty.
    AnswerWith("Zrušiť");
    Paste("\n  \nlen jeden\n");
    EXPECT_EQ(m_asked, 0);
    EXPECT_EQ(m_input->PlainLine(), "    len jeden ");
    EXPECT_EQ(sent.count(), 0);
    // The answer waits for a question: two lines ask it, and it ends.
    Paste("a\nb");
    EXPECT_EQ(m_asked, 1);
}

} // namespace
