// The marked stretches of a text view's lines (the hits of a search).
#pragma once

#include <cstdint>
#include <span>
#include <vector>

// A marked stretch of one line of the view: where it starts in the line's
// text and how long it is (UTF-16 units, as the line's text counts them).
struct TextMark
{
    int m_line = 0;
    uint16_t m_start = 0;
    uint16_t m_length = 0;

    bool operator==(const TextMark &other) const = default;
};

// The marks of a view in the order of the text, one of them the current
// one. Twelve bytes a mark and no per-line storage: a million lines with
// a hundred thousand hits cost a megabyte. Finding the marks of a line is a
// binary search, so painting the lines on screen costs the same however
// many marks there are.
class TextMarks
{
public:
    void Clear();
    bool IsEmpty() const { return m_marks.empty(); }
    int Count() const { return int(m_marks.size()); }
    const TextMark &At(int index) const { return m_marks[size_t(index)]; }

    // Adds a mark after all the others (marks come in the order of the
    // text: a later line, or further on in the same line).
    void Append(const TextMark &mark) { m_marks.push_back(mark); }
    // Forgets the marks of line and of every line after it (their text
    // changed); the current mark stays when it was before them.
    void RemoveFromLine(int line);
    // The lines first .. first + count - 1 are gone and the lines after
    // them moved up: their marks go, later marks follow their lines. A
    // current mark that went is replaced by the first mark after it.
    void EraseLines(int first, int count);

    // The marks of one line, in order.
    std::span<const TextMark> OnLine(int line) const;
    // The index of the first mark that starts at or after (line, offset);
    // Count() when there is none.
    int FirstFrom(int line, int offset) const;

    // The index of the current mark, -1 for none.
    int Current() const { return m_current; }
    // index is clamped to the marks (-1 when there are none).
    void SetCurrent(int index);

private:
    std::vector<TextMark> m_marks;
    int m_current = -1;
};
