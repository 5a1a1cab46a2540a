// The marks of a TextView (the hits of a search) and the places of its
// fragments: drawing the marks of the lines on screen, scrolling to a line,
// finding the line of a fragment.

#include "view/TextView.h"

#include <QScrollBar>

#include <algorithm>

namespace {

// Behind every hit, and stronger behind the current one; the text keeps its
// own colours on both.
const QColor kMarkColour(255, 233, 120);
const QColor kCurrentMarkColour(255, 150, 50);

} // namespace

void TextView::RepaintMarks()
{
    viewport()->update();
}

void TextView::addMarkFormats(int line, QList<QTextLayout::FormatRange> &formats) const
{
    const std::span<const TextMark> marks = m_marks.OnLine(line);
    if (marks.empty())
        return;
    const int current = m_marks.Current();
    const TextMark *currentMark = current >= 0 ? &m_marks.At(current) : nullptr;
    for (const TextMark &mark : marks) {
        QTextLayout::FormatRange range;
        range.start = mark.m_start;
        range.length = mark.m_length;
        range.format.setBackground(&mark == currentMark ? kCurrentMarkColour : kMarkColour);
        formats.append(range);
    }
}

void TextView::ScrollToLine(int line)
{
    line = std::clamp(line, 0, m_document.LineCount() - 1);
    const int height = viewport()->height();
    for (const PlacedLine &placed : placeVisibleLines()) {
        if (placed.m_line == line && placed.m_top >= 0 && placed.m_top + m_rows.Rows(line) * m_rowHeight <= height)
            return;
    }
    const int64_t maximum = std::max<int64_t>(0, m_rows.Total() - visibleRows());
    const int64_t wanted = std::max<int64_t>(0, m_rows.RowsBefore(line) - visibleRows() / 3);
    if (wanted >= maximum && m_autoScroll) {
        m_stickToEnd = true;
    } else {
        m_stickToEnd = false;
        m_topLine = m_rows.LineAtRow(std::min(wanted, maximum), m_topRow);
    }
    updateScrollBar();
    viewport()->update();
}

int TextView::BottomLine()
{
    const std::vector<PlacedLine> placed = placeVisibleLines();
    return placed.empty() ? m_document.LineCount() - 1 : placed.back().m_line;
}

int TextView::LineOfFragment(uint64_t id) const
{
    if (id == 0 || id > LastFragmentId() || id - 1 < m_droppedFragments + m_setUpFragments)
        return -1;
    // A fragment starts on the line the one before it left open; a printed
    // line always ends with its break, so that line is known exactly.
    for (size_t before = size_t(id - 1 - m_droppedFragments); before-- > m_setUpFragments;) {
        if (m_fragmentOpenLines[before] >= 0)
            return m_fragmentOpenLines[before];
    }
    return m_setUpLines;
}
