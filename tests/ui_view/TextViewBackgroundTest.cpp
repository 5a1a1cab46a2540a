// The view's background: a gradient from white at the left edge to the
// list colour at the right, down the whole height, whatever the size and
// colour the view has had before.
#include "view/TextView.h"

#include "support/WaitFor.h"

#include <QImage>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

bool Near(const QColor &pixel, QRgb expected)
{
    return std::abs(pixel.red() - qRed(expected)) <= 8 && std::abs(pixel.green() - qGreen(expected)) <= 8
        && std::abs(pixel.blue() - qBlue(expected)) <= 8;
}

// Shows an empty view of the size with the list colour, as a window does.
void ShowView(TextView &view, QSize size, uint32_t colorList)
{
    TextView::PageStyle style;
    style.m_colorList = colorList;
    view.SetPageStyle(style);
    view.Create();
    view.resize(size);
    view.show();
    ASSERT_TRUE(WaitFor([&] { return view.viewport()->size().width() > 0 && view.isVisible(); }));
}

// Checks both edges on rows from the top to the bottom of the viewport.
void ExpectGradient(TextView &view, QRgb right)
{
    const QImage shot = view.viewport()->grab().toImage();
    ASSERT_GT(shot.height(), 100);
    for (int y : {0, shot.height() / 2, shot.height() - 1}) {
        EXPECT_TRUE(Near(shot.pixelColor(0, y), qRgb(255, 255, 255))) << "left edge at row " << y;
        EXPECT_TRUE(Near(shot.pixelColor(shot.width() - 1, y), right)) << "right edge at row " << y;
        const QColor middle = shot.pixelColor(shot.width() / 2, y);
        EXPECT_FALSE(Near(middle, qRgb(255, 255, 255))) << "middle at row " << y;
        EXPECT_FALSE(Near(middle, right)) << "middle at row " << y;
    }
}

} // namespace

TEST(ChannelListBackground, GradientFillsTheWholeHeightAndFollowsWidthAndColour)
{
    TextView view;
    ShowView(view, QSize(300, 240), 0xFF0000);
    ExpectGradient(view, qRgb(255, 0, 0));

    // Wider: the right edge is the full colour again, not a repeat of the left.
    view.resize(640, 300);
    ASSERT_TRUE(WaitFor([&] { return view.viewport()->width() > 600; }));
    ExpectGradient(view, qRgb(255, 0, 0));

    // Another list colour on the next document.
    ShowView(view, QSize(640, 300), 0x0000FF);
    ExpectGradient(view, qRgb(0, 0, 255));
}
