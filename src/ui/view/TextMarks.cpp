#include "view/TextMarks.h"

#include <algorithm>

namespace {

bool Before(const TextMark &mark, int line)
{
    return mark.m_line < line;
}

} // namespace

void TextMarks::Clear()
{
    std::vector<TextMark>().swap(m_marks);
    m_current = -1;
}

void TextMarks::RemoveFromLine(int line)
{
    const auto from = std::lower_bound(m_marks.begin(), m_marks.end(), line, Before);
    m_marks.erase(from, m_marks.end());
    if (m_current >= Count())
        m_current = Count() - 1;
}

void TextMarks::EraseLines(int first, int count)
{
    if (count <= 0)
        return;
    const int end = first + count;
    const auto from = std::lower_bound(m_marks.begin(), m_marks.end(), first, Before);
    const auto to = std::lower_bound(from, m_marks.end(), end, Before);
    const int gone = int(to - from);
    const int firstGone = int(from - m_marks.begin());
    for (auto mark = to; mark != m_marks.end(); ++mark)
        mark->m_line -= count;
    m_marks.erase(from, to);
    if (m_current >= firstGone + gone)
        m_current -= gone;
    else if (m_current >= firstGone)
        m_current = firstGone < Count() ? firstGone : Count() - 1;
}

std::span<const TextMark> TextMarks::OnLine(int line) const
{
    const auto from = std::lower_bound(m_marks.begin(), m_marks.end(), line, Before);
    const auto to = std::lower_bound(from, m_marks.end(), line + 1, Before);
    return {from, to};
}

int TextMarks::FirstFrom(int line, int offset) const
{
    const auto found = std::lower_bound(m_marks.begin(), m_marks.end(), std::pair(line, offset),
                                        [](const TextMark &mark, const std::pair<int, int> &place) {
                                            return mark.m_line < place.first
                                                || (mark.m_line == place.first && mark.m_start < place.second);
                                        });
    return int(found - m_marks.begin());
}

void TextMarks::SetCurrent(int index)
{
    m_current = m_marks.empty() ? -1 : std::clamp(index, 0, Count() - 1);
}
