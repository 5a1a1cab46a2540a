#include "find/FindBar.h"

#include "support/WaitFor.h"

#include "view/TextView.h"

#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

// A text view with a find bar under it, shown offscreen.
class FindBarTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        FormatContext context;
        context.m_timeStamps = false;
        m_view->SetFormatContext(context);
        m_view->Create();
        auto *layout = new QVBoxLayout(&m_window);
        layout->addWidget(m_view);
        layout->addWidget(m_bar);
        m_window.resize(700, 300);
        m_window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_window));
    }

    void Write(const std::string &text) { m_view->WriteLine(text, TextClass::Text, false); }

    // Puts the text into the field (as typing or pasting does) and presses
    // Enter, which searches at once.
    void Search(const QString &text)
    {
        m_bar->Open();
        m_bar->Field()->clear();
        m_bar->Field()->insert(text);
        QTest::keyClick(m_bar->Field(), Qt::Key_Return);
    }

    QString Count() const { return m_bar->CountLabel()->text(); }
    bool FieldIsRed() const { return m_bar->Field()->palette().color(QPalette::Base).green() < 230; }

    // The text of every mark, checked against the line it is on.
    QStringList MarkedTexts() const
    {
        QStringList texts;
        const TextMarks &marks = m_view->Marks();
        for (int i = 0; i < marks.Count(); ++i) {
            const TextMark &mark = marks.At(i);
            texts << m_view->Document().Line(mark.m_line).m_text.mid(mark.m_start, mark.m_length);
        }
        return texts;
    }

    // What the current mark is on: the whole text of its line.
    QString CurrentLine() const
    {
        const int current = m_view->Marks().Current();
        return current < 0 ? QString() : m_view->Document().Line(m_view->Marks().At(current).m_line).m_text.toString();
    }

    QWidget m_window;
    TextView *m_view = new TextView(&m_window);
    FindBar *m_bar = new FindBar(m_view, &m_window);
};

} // namespace

TEST_F(FindBarTest, CountsEveryHitOfTheWholeScrollBackAndMarksTheNewestOnScreen)
{
    Write("bob: ahoj ľudia");
    for (int i = 0; i < 300; ++i)
        Write("ann: riadok " + std::to_string(i));
    Write("eve: AHOJ bob, ahojte");
    Search(QStringLiteral("ahoj"));

    EXPECT_EQ(Count(), QStringLiteral("3 z 3"));
    EXPECT_EQ(MarkedTexts(), (QStringList{"ahoj", "AHOJ", "ahoj"}));
    EXPECT_EQ(CurrentLine(), QStringLiteral("eve: AHOJ bob, ahojte")) << "the last hit above the bottom of the screen";
    EXPECT_FALSE(FieldIsRed());

    Search(QStringLiteral("nikto"));
    EXPECT_EQ(Count(), QStringLiteral("0 z 0"));
    EXPECT_TRUE(FieldIsRed());
    EXPECT_TRUE(m_view->Marks().IsEmpty());
}

TEST_F(FindBarTest, NextAndPreviousGoRoundAndScrollTheHitIntoView)
{
    Write("bob: prvý výskyt slova kľúč");
    for (int i = 0; i < 300; ++i)
        Write("ann: výplň " + std::to_string(i));
    Write("bob: druhý kľúč");
    Write("bob: tretí kľúč");
    Search(QStringLiteral("kľúč"));
    ASSERT_EQ(Count(), QStringLiteral("3 z 3"));

    QTest::keyClick(m_bar->Field(), Qt::Key_F3); // from the last hit round to the first
    EXPECT_EQ(Count(), QStringLiteral("1 z 3"));
    EXPECT_EQ(CurrentLine(), QStringLiteral("bob: prvý výskyt slova kľúč"));
    EXPECT_TRUE(WaitFor([&] { return !m_view->VisibleTextRect(QStringLiteral("prvý výskyt")).isEmpty(); }))
        << "the first hit, far up the scroll-back, is brought on screen";

    QTest::keyClick(m_bar->Field(), Qt::Key_Return, Qt::ShiftModifier); // and back round to the last
    EXPECT_EQ(Count(), QStringLiteral("3 z 3"));
    QTest::keyClick(m_bar->Field(), Qt::Key_F3, Qt::ShiftModifier);
    EXPECT_EQ(Count(), QStringLiteral("2 z 3"));
    EXPECT_EQ(CurrentLine(), QStringLiteral("bob: druhý kľúč"));
    m_bar->FindNext();
    EXPECT_EQ(Count(), QStringLiteral("3 z 3"));
    EXPECT_TRUE(WaitFor([&] { return !m_view->VisibleTextRect(QStringLiteral("tretí")).isEmpty(); }));
}

TEST_F(FindBarTest, OptionsSearchAgainAtOnce)
{
    Write("Bob: bobby a bob");
    Write("ann: BOB?");
    Search(QStringLiteral("bob"));
    EXPECT_EQ(Count(), QStringLiteral("4 z 4"));

    m_bar->CaseBox()->setChecked(true);
    EXPECT_EQ(MarkedTexts(), (QStringList{"bob", "bob"}));
    m_bar->WordBox()->setChecked(true);
    EXPECT_EQ(Count(), QStringLiteral("1 z 1"));
    m_bar->CaseBox()->setChecked(false);
    EXPECT_EQ(MarkedTexts(), (QStringList{"Bob", "bob", "BOB"}));

    m_bar->ExpressionBox()->setChecked(true);
    Search(QStringLiteral("b[aeiou]b"));
    EXPECT_EQ(MarkedTexts(), (QStringList{"Bob", "bob", "BOB"}));
}

TEST_F(FindBarTest, ABrokenRegularExpressionSaysSoAndMarksNothing)
{
    Write("ann: (ahoj");
    m_bar->ExpressionBox()->setChecked(true);
    Search(QStringLiteral("(ahoj"));
    EXPECT_TRUE(Count().startsWith(QStringLiteral("Chybný regulárny výraz"))) << Count().toStdString();
    EXPECT_TRUE(FieldIsRed());
    EXPECT_TRUE(m_view->Marks().IsEmpty());
    QTest::keyClick(m_bar->Field(), Qt::Key_F3); // nothing to go to, nothing breaks

    m_bar->ExpressionBox()->setChecked(false); // the same text, plain
    EXPECT_EQ(Count(), QStringLiteral("1 z 1"));
    EXPECT_FALSE(FieldIsRed());
}

TEST_F(FindBarTest, TypingSearchesAfterAPause)
{
    Write("ann: mačka a pes");
    m_bar->Open();
    QTest::keyClicks(m_bar->Field(), QStringLiteral("pes"));
    EXPECT_TRUE(Count().isEmpty()) << "no search for every key";
    EXPECT_TRUE(WaitFor([&] { return Count() == QStringLiteral("1 z 1"); }));
}

TEST_F(FindBarTest, HitsFollowNewLinesAndLinesThatGo)
{
    m_view->SetTextLimit(3000);
    for (int i = 0; i < 40; ++i)
        Write("ann: riadok " + std::to_string(i) + (i % 4 == 0 ? " s hľadaným slovom" : ""));
    Search(QStringLiteral("hľadaným"));
    ASSERT_EQ(Count(), QStringLiteral("10 z 10"));
    m_bar->FindPrevious();
    m_bar->FindPrevious();
    EXPECT_EQ(CurrentLine(), QStringLiteral("ann: riadok 28 s hľadaným slovom"));

    Write("bob: nový riadok s hľadaným slovom");
    EXPECT_EQ(Count(), QStringLiteral("8 z 11")) << "a new hit is counted, the current one stays";

    // Enough new text to push the oldest lines, and five of the hits, past
    // the limit; the current hit's line stays.
    for (int i = 0; i < 40; ++i)
        Write("eve: ďalší " + std::to_string(i) + (i % 10 == 0 ? " hľadaným " : " ") + std::string(40, 'x'));
    const int hitsInText = int(m_view->PlainText().count(QStringLiteral("hľadaným")));
    ASSERT_FALSE(m_view->PlainText().contains(QStringLiteral("riadok 8 ")));
    EXPECT_GT(hitsInText, 0);
    EXPECT_LT(hitsInText, 15) << "old lines went";
    EXPECT_EQ(m_view->Marks().Count(), hitsInText);
    EXPECT_EQ(MarkedTexts(), QStringList(hitsInText, QStringLiteral("hľadaným")));
    EXPECT_EQ(Count().section(QLatin1Char(' '), 2), QString::number(hitsInText));
    EXPECT_EQ(CurrentLine(), QStringLiteral("ann: riadok 28 s hľadaným slovom")) << "the current hit is still there";
}

TEST_F(FindBarTest, EscClosesTheBarAndTakesTheMarksAway)
{
    Write("ann: ahoj");
    Search(QStringLiteral("ahoj"));
    ASSERT_FALSE(m_view->Marks().IsEmpty());
    QTest::keyClick(m_bar->Field(), Qt::Key_Escape);
    EXPECT_TRUE(m_bar->isHidden());
    EXPECT_TRUE(m_view->Marks().IsEmpty());
    Write("ann: ahoj znova");
    EXPECT_TRUE(m_view->Marks().IsEmpty()) << "a closed bar marks nothing new";

    m_bar->Open(); // shown again, it marks what its field still holds
    EXPECT_EQ(Count(), QStringLiteral("2 z 2"));
}

TEST_F(FindBarTest, HitsAreDrawnBehindTheTextTheCurrentOneStronger)
{
    Write("ann: kľúč1 je tu");
    Write("bob: kľúč2 je tam");
    Search(QStringLiteral("kľúč"));
    ASSERT_EQ(CurrentLine(), QStringLiteral("bob: kľúč2 je tam"));
    const auto pixelsOf = [&](const QString &text, QRgb colour) {
        const QImage shot = m_view->viewport()->grab().toImage();
        const QRect rect = m_view->VisibleTextRect(text);
        int count = 0;
        for (int y = rect.top(); y <= rect.bottom(); ++y)
            for (int x = rect.left(); x <= rect.right(); ++x)
                count += (shot.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF) ? 1 : 0;
        return count;
    };
    const QRgb mark = qRgb(255, 233, 120);
    const QRgb current = qRgb(255, 150, 50);
    ASSERT_TRUE(WaitFor([&] { return pixelsOf(QStringLiteral("kľúč2"), current) > 20; }));
    EXPECT_EQ(pixelsOf(QStringLiteral("kľúč2"), mark), 0);
    EXPECT_GT(pixelsOf(QStringLiteral("kľúč1"), mark), 20);
    EXPECT_EQ(pixelsOf(QStringLiteral("je tu"), mark), 0) << "only the hit is marked";

    m_bar->FindNext(); // round to the first: the marks change places
    EXPECT_TRUE(WaitFor([&] { return pixelsOf(QStringLiteral("kľúč1"), current) > 20; }));
    EXPECT_GT(pixelsOf(QStringLiteral("kľúč2"), mark), 20);
}
