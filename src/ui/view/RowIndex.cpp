#include "view/RowIndex.h"

void RowIndex::Clear()
{
    m_rows.clear();
    m_tree.assign(1, 0);
    m_total = 0;
}

void RowIndex::Reset(const std::vector<int> &rows)
{
    m_rows = rows;
    m_tree.assign(rows.size() + 1, 0);
    m_total = 0;
    // Linear build: each node passes its sum on to its parent.
    for (size_t i = 1; i <= rows.size(); ++i) {
        m_tree[i] += rows[i - 1];
        m_total += rows[i - 1];
        const size_t parent = i + (i & (~i + 1));
        if (parent <= rows.size())
            m_tree[parent] += m_tree[i];
    }
}

void RowIndex::Append(int rows)
{
    if (m_tree.empty())
        m_tree.assign(1, 0);
    m_rows.push_back(rows);
    const size_t index = m_rows.size();
    // The new node covers (index - lowbit, index]: its own count plus the
    // nodes below it that already hold the sums of that range.
    int64_t sum = rows;
    const size_t lowest = index & (~index + 1);
    for (size_t child = index - 1; child > index - lowest; child -= child & (~child + 1))
        sum += m_tree[child];
    m_tree.push_back(sum);
    m_total += rows;
}

void RowIndex::Set(int line, int rows)
{
    const int delta = rows - m_rows[size_t(line)];
    if (delta == 0)
        return;
    m_rows[size_t(line)] = rows;
    add(line, delta);
}

void RowIndex::add(int line, int delta)
{
    m_total += delta;
    for (size_t i = size_t(line) + 1; i < m_tree.size(); i += i & (~i + 1))
        m_tree[i] += delta;
}

int64_t RowIndex::RowsBefore(int line) const
{
    int64_t sum = 0;
    for (size_t i = size_t(line); i > 0; i -= i & (~i + 1))
        sum += m_tree[i];
    return sum;
}

int RowIndex::LineAtRow(int64_t row, int &rowInLine) const
{
    rowInLine = 0;
    if (m_rows.empty())
        return 0;
    if (row < 0)
        row = 0;
    if (row >= m_total) {
        rowInLine = m_rows.back() > 0 ? m_rows.back() - 1 : 0;
        return int(m_rows.size()) - 1;
    }
    // Descend the tree for the last position whose prefix sum is <= row.
    size_t position = 0;
    size_t step = 1;
    while (step * 2 < m_tree.size())
        step *= 2;
    int64_t remaining = row;
    for (; step > 0; step /= 2) {
        const size_t next = position + step;
        if (next < m_tree.size() && m_tree[next] <= remaining) {
            position = next;
            remaining -= m_tree[next];
        }
    }
    rowInLine = int(remaining);
    return int(position);
}
