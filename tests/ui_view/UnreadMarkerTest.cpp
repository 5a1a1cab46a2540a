// The place where the reader of a text view stopped: the marker line above
// the first unread line, on a real view on the offscreen screen.
#include "view/TextView.h"

#include "support/WaitFor.h"

#include <QImage>
#include <QTest>

#include <gtest/gtest.h>

namespace {

constexpr QRgb kMarker = 0xFFE04040;

class UnreadMarkerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        FormatContext context;
        context.m_timeStamps = false;
        view.SetFormatContext(context);
        view.resize(500, 300);
        view.Create();
        view.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    }

    void Lines(const std::string &prefix, int count)
    {
        for (int i = 0; i < count; ++i)
            view.WriteLine(prefix + " " + std::to_string(i), TextClass::Text, false);
    }
    // The text of a line of the view (lines are short: none wraps).
    QString TextOfLine(int line) const { return view.PlainText().split(QLatin1Char('\n')).value(line); }
    // Where the line with this text is drawn now; empty when off screen.
    QRect Shown(const QString &text)
    {
        QRect rect;
        WaitFor(
            [&] {
                rect = view.VisibleTextRect(text);
                return !rect.isEmpty();
            },
            1000);
        return rect;
    }
    // The rows of the viewport painted in the marker's colour across the
    // right half, where no text reaches.
    std::vector<int> MarkerRows()
    {
        QCoreApplication::processEvents();
        const QImage image = view.viewport()->grab().toImage();
        std::vector<int> rows;
        for (int y = 0; y < image.height(); ++y)
            if (image.pixel(image.width() * 3 / 4, y) == kMarker && image.pixel(image.width() - 3, y) == kMarker)
                rows.push_back(y);
        return rows;
    }

    TextView view;
};

TEST_F(UnreadMarkerTest, TheMarkerStandsAboveTheFirstLineAfterThePlaceAndMovesWithTheNextOne)
{
    Lines("prečítaný", 3);
    EXPECT_EQ(view.UnreadMarkerLine(), -1);
    view.MarkRead();
    // Nothing came after the place yet: no marker.
    EXPECT_EQ(view.UnreadMarkerLine(), -1);
    EXPECT_TRUE(MarkerRows().empty());

    Lines("nový", 2);
    ASSERT_GE(view.UnreadMarkerLine(), 0);
    EXPECT_EQ(TextOfLine(view.UnreadMarkerLine()), "nový 0");
    const QRect first = Shown(QStringLiteral("nový 0"));
    ASSERT_FALSE(first.isEmpty());
    const std::vector<int> rows = MarkerRows();
    ASSERT_FALSE(rows.empty());
    // A thin line just above the first unread line, nowhere else.
    EXPECT_LE(rows.size(), 3u);
    EXPECT_GE(rows.front(), first.top() - 2);
    EXPECT_LE(rows.back(), first.top() + 1);

    // Leaving again moves the place to the end: one marker, above what comes next.
    view.MarkRead();
    EXPECT_EQ(view.UnreadMarkerLine(), -1);
    EXPECT_TRUE(MarkerRows().empty());
    Lines("ešte", 1);
    EXPECT_EQ(TextOfLine(view.UnreadMarkerLine()), "ešte 0");
    const QRect next = Shown(QStringLiteral("ešte 0"));
    const std::vector<int> moved = MarkerRows();
    ASSERT_FALSE(moved.empty());
    EXPECT_GE(moved.front(), next.top() - 2);
    EXPECT_LE(moved.back(), next.top() + 1);

    view.Create();
    EXPECT_EQ(view.UnreadMarkerLine(), -1);
}

TEST_F(UnreadMarkerTest, TheJumpScrollsTheFirstUnreadLineNearTheTopAndStaysThere)
{
    EXPECT_FALSE(view.ScrollToUnreadMarker());
    Lines("prečítaný", 200);
    view.MarkRead();
    Lines("nový", 200);
    ASSERT_TRUE(WaitFor([&] { return !view.VisibleTextRect(QStringLiteral("nový 199")).isEmpty(); }));
    EXPECT_TRUE(view.VisibleTextRect(QStringLiteral("nový 0")).isEmpty());

    ASSERT_TRUE(view.ScrollToUnreadMarker());
    const QRect first = Shown(QStringLiteral("nový 0"));
    ASSERT_FALSE(first.isEmpty());
    // Two lines read before it stay in sight above it.
    EXPECT_FALSE(Shown(QStringLiteral("prečítaný 198")).isEmpty());
    EXPECT_LT(first.top(), view.viewport()->height() / 3);
    EXPECT_FALSE(MarkerRows().empty());
    EXPECT_FALSE(view.IsAtEnd());
    // New lines do not pull the reader away from it.
    Lines("neskôr", 5);
    EXPECT_EQ(Shown(QStringLiteral("nový 0")).top(), first.top());
}

TEST_F(UnreadMarkerTest, TheMarkerFollowsItsLineWhenOldLinesGoAndTheFirstKeptOneWhenItGoes)
{
    view.SetTextLimit(2000);
    Lines("starý riadok", 40);
    view.MarkRead();
    Lines("nový riadok", 40);
    ASSERT_GE(view.UnreadMarkerLine(), 0);
    EXPECT_EQ(TextOfLine(view.UnreadMarkerLine()), "nový riadok 0");
    // The limit drops some of the lines read: the marker keeps its line.
    Lines("ďalší riadok", 60);
    ASSERT_FALSE(view.PlainText().contains(QStringLiteral("starý riadok 0\n")));
    EXPECT_EQ(TextOfLine(view.UnreadMarkerLine()), "nový riadok 0");
    // Then every line before the marker and the marker's own: every kept line is unread.
    Lines("ďalší riadok", 150);
    const int line = view.UnreadMarkerLine();
    ASSERT_GE(line, 0);
    EXPECT_TRUE(TextOfLine(line).startsWith(QStringLiteral("ďalší riadok"))) << TextOfLine(line).toStdString();
    EXPECT_TRUE(TextOfLine(line - 1).isEmpty()) << TextOfLine(line - 1).toStdString();
}

} // namespace
