// The place where the reader of a TextView stopped: the marker line drawn
// above the first unread line, and scrolling to it.

#include "view/TextView.h"

#include <QPainter>

#include <algorithm>

namespace {

// Lines read before the marker that stay in sight above it after a jump.
constexpr int kRowsAboveMarker = 2;
constexpr QRgb kMarkerColor = 0xFFE04040;
constexpr int kMarkerThickness = 2;

} // namespace

void TextView::MarkRead()
{
    // The last line is the open one the next printed line begins.
    m_unreadFrom = m_document.LineCount() - 1;
    viewport()->update();
}

int TextView::UnreadMarkerLine() const
{
    if (m_unreadFrom < 0 || m_unreadFrom >= m_document.LineCount() - 1)
        return -1;
    return m_unreadFrom;
}

bool TextView::ScrollToUnreadMarker()
{
    const int line = UnreadMarkerLine();
    if (line < 0)
        return false;
    const int64_t maximum = std::max<int64_t>(0, m_rows.Total() - visibleRows());
    const int64_t row = std::clamp<int64_t>(m_rows.RowsBefore(line) - kRowsAboveMarker, 0, maximum);
    if (row >= maximum && m_autoScroll) {
        m_stickToEnd = true;
    } else {
        m_stickToEnd = false;
        m_topLine = m_rows.LineAtRow(row, m_topRow);
    }
    updateScrollBar();
    viewport()->update();
    return true;
}

void TextView::paintUnreadMarker(QPainter &painter, const std::vector<PlacedLine> &placed)
{
    const int line = UnreadMarkerLine();
    if (line < 0)
        return;
    for (const PlacedLine &shown : placed) {
        if (shown.m_line != line)
            continue;
        const int top = std::max(0, shown.m_top - kMarkerThickness / 2);
        painter.fillRect(QRect(0, top, viewport()->width(), kMarkerThickness), QColor::fromRgba(kMarkerColor));
        return;
    }
}
