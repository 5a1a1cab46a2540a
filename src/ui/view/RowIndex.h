// The text view's index of rows per line, for scrolling without laying out every line.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// The number of rows of every line of the view, with sums over any prefix
// and the line that holds a given row, both in logarithmic time (a Fenwick
// tree), so that the scroll range is known without laying out every line.
class RowIndex
{
public:
    void Clear();
    // Replaces all counts at once.
    void Reset(const std::vector<int> &rows);
    void Append(int rows);
    void Set(int line, int rows);
    int Rows(int line) const { return m_rows[size_t(line)]; }
    int Count() const { return int(m_rows.size()); }
    int64_t Total() const { return m_total; }
    // Rows of the lines before line.
    int64_t RowsBefore(int line) const;
    // The line holding row (clamped to the document) and the row's place in
    // that line.
    int LineAtRow(int64_t row, int &rowInLine) const;

private:
    void add(int line, int delta);

    std::vector<int> m_rows;
    std::vector<int64_t> m_tree; // 1-based Fenwick tree
    int64_t m_total = 0;
};
