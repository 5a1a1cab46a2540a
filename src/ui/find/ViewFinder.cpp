#include "find/ViewFinder.h"

#include "view/TextView.h"

ViewFinder::ViewFinder(TextView *view, QObject *parent) : QObject(parent), m_view(view) {}

ViewFinder::~ViewFinder()
{
    Stop();
}

void ViewFinder::SetPattern(const FindPattern &pattern)
{
    if (!m_view)
        return;
    m_pattern = pattern;
    m_view->Marks().Clear();
    const bool searching = !m_pattern.IsEmpty() && m_pattern.IsValid();
    if (searching && !m_following) {
        connect(m_view, &TextView::linesWritten, this, &ViewFinder::linesWritten);
        connect(m_view, &TextView::linesErased, this, &ViewFinder::linesErased);
        m_following = true;
    } else if (!searching && m_following) {
        disconnect(m_view, nullptr, this, nullptr);
        m_following = false;
    }
    if (searching) {
        searchLinesFrom(0);
        makeCurrent(hitAboveScreenBottom());
    }
    m_view->RepaintMarks();
    emit hitsChanged();
}

void ViewFinder::Stop()
{
    m_pattern = FindPattern();
    if (!m_view)
        return;
    if (m_following)
        disconnect(m_view, nullptr, this, nullptr);
    m_following = false;
    m_view->Marks().Clear();
    m_view->RepaintMarks();
}

int ViewFinder::Count() const
{
    return m_view ? m_view->Marks().Count() : 0;
}

int ViewFinder::CurrentNumber() const
{
    return m_view ? m_view->Marks().Current() + 1 : 0;
}

void ViewFinder::Next()
{
    if (Count() == 0)
        return;
    const int current = m_view->Marks().Current();
    makeCurrent(current + 1 < Count() ? current + 1 : 0);
}

void ViewFinder::Previous()
{
    if (Count() == 0)
        return;
    const int current = m_view->Marks().Current();
    makeCurrent(current > 0 ? current - 1 : Count() - 1);
}

namespace {

// Each line's text is a block of its own on the heap: waiting for it to
// come from memory, not the search, took most of the time of a long
// scroll-back. Asking for the text of a line some lines ahead hides that.
constexpr int kPrefetchAhead = 8;

void Prefetch(const LineText &text)
{
    const char *data = text.bytes();
    for (qsizetype at = 0; at < text.byteCount(); at += 64)
        __builtin_prefetch(data + at);
}

} // namespace

void ViewFinder::searchLinesFrom(int firstLine)
{
    const StyledDocument &document = m_view->Document();
    TextMarks &marks = m_view->Marks();
    marks.RemoveFromLine(firstLine);
    const int count = document.LineCount();
    for (int line = firstLine; line < count; ++line) {
        if (line + kPrefetchAhead < count)
            Prefetch(document.Line(line + kPrefetchAhead).m_text);
        const LineText &text = document.Line(line).m_text;
        m_found.clear();
        if (text.isLatin1())
            m_pattern.FindIn(text.latin1(), m_found);
        else
            m_pattern.FindIn(text.utf16(), m_found);
        for (const FoundText &hit : m_found)
            marks.Append(TextMark{line, uint16_t(hit.m_start), uint16_t(hit.m_length)});
    }
}

void ViewFinder::linesWritten(int firstChanged)
{
    const int before = Count();
    const int current = m_view->Marks().Current();
    searchLinesFrom(firstChanged);
    // The first hit of all becomes the current one; later hits leave the
    // reader where he is. The view repaints the new lines with their marks.
    if (m_view->Marks().Current() < 0 && Count() > 0)
        m_view->Marks().SetCurrent(0);
    if (Count() != before || m_view->Marks().Current() != current)
        emit hitsChanged();
}

void ViewFinder::linesErased()
{
    emit hitsChanged();
}

void ViewFinder::makeCurrent(int index)
{
    m_view->Marks().SetCurrent(index);
    const int current = m_view->Marks().Current();
    if (current >= 0)
        m_view->ScrollToLine(m_view->Marks().At(current).m_line);
    m_view->RepaintMarks();
    emit hitsChanged();
}

int ViewFinder::hitAboveScreenBottom() const
{
    const int after = m_view->Marks().FirstFrom(m_view->BottomLine() + 1, 0);
    return after > 0 ? after - 1 : 0;
}
