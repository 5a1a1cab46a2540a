#include "view/RowIndex.h"

#include <gtest/gtest.h>

#include <numeric>
#include <random>

namespace {

// Checks every prefix sum and every row look-up against a plain array.
void ExpectSameAs(const RowIndex &index, const std::vector<int> &rows)
{
    ASSERT_EQ(index.Count(), int(rows.size()));
    int64_t sum = 0;
    for (int line = 0; line < int(rows.size()); ++line) {
        ASSERT_EQ(index.RowsBefore(line), sum) << line;
        for (int row = 0; row < rows[size_t(line)]; ++row) {
            int inLine = -1;
            ASSERT_EQ(index.LineAtRow(sum + row, inLine), line) << "row " << sum + row;
            ASSERT_EQ(inLine, row);
        }
        sum += rows[size_t(line)];
    }
    EXPECT_EQ(index.Total(), sum);
}

TEST(RowIndex, AppendSetAndResetAgreeWithPlainSums)
{
    std::mt19937 random(7);
    std::vector<int> rows;
    RowIndex index;
    index.Clear();
    for (int i = 0; i < 300; ++i) {
        const int value = int(random() % 4); // empty lines have 0 rows
        rows.push_back(value);
        index.Append(value);
    }
    ExpectSameAs(index, rows);
    for (int i = 0; i < 200; ++i) {
        const int line = int(random() % rows.size());
        rows[size_t(line)] = int(random() % 5);
        index.Set(line, rows[size_t(line)]);
    }
    ExpectSameAs(index, rows);
    RowIndex rebuilt;
    rebuilt.Reset(rows);
    ExpectSameAs(rebuilt, rows);
    for (int i = 0; i < 50; ++i) {
        rows.push_back(1 + int(random() % 3));
        rebuilt.Append(rows.back());
    }
    ExpectSameAs(rebuilt, rows);
}

TEST(RowIndex, RowsOutsideTheDocumentClampToItsEnds)
{
    RowIndex index;
    int inLine = -1;
    EXPECT_EQ(index.LineAtRow(5, inLine), 0);
    index.Reset({2, 3, 0});
    EXPECT_EQ(index.LineAtRow(-4, inLine), 0);
    EXPECT_EQ(inLine, 0);
    EXPECT_EQ(index.LineAtRow(100, inLine), 2);
    EXPECT_EQ(index.LineAtRow(4, inLine), 1);
    EXPECT_EQ(inLine, 2);
}

} // namespace
