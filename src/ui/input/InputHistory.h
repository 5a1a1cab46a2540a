// The input line's history of sent lines (Up, Down).
#pragma once

#include <string>
#include <vector>

// The lines sent from one input line, newest first, at most 100, and the
// position the user has stepped to with Up and Down (-1: none).
class InputHistory
{
public:
    static constexpr int kMaxEntries = 100;

    // Adds a sent line as the newest entry and forgets the position.
    void Add(const std::string &line);

    // One step older (Up): position + 1, wrapping to the newest after the
    // empty line that follows the oldest. Returns the text to show ("" for
    // the empty line).
    std::string Older();
    // One step newer (Down): position - 1; below the newest it becomes the
    // empty line after the oldest.
    std::string Newer();

    int Count() const { return static_cast<int>(m_entries.size()); }
    int Position() const { return m_position; }
    // Entry i, 0 being the newest; "" when out of range.
    std::string At(int index) const;

private:
    std::string Current() const;

    std::vector<std::string> m_entries;
    int m_position = -1;
};
