#include "spreadsheet/records/XLSColumns.h"

#include "spreadsheet/core/XLSGlobals.h"
#include "tests/support/ErrorMessage.h"

#include <gtest/gtest.h>

TEST(XLSColumns, ClearColumnsChecksTheRange) {
    TXLSColumns columns;
    columns.EnsureColumn(4);
    columns.EnsureColumn(16383);
    EXPECT_EQ(ErrorMessage([&] { columns.ClearColumns(5, 4); }), "Invalid columns");
    EXPECT_EQ(ErrorMessage([&] { columns.ClearColumns(0, 16384); }), "Invalid columns");
    EXPECT_EQ(ErrorMessage([&] { columns.ClearColumns(-1, 3); }), "Invalid columns");
    EXPECT_NE(columns.Column(4), nullptr); // nothing freed by a refused clear
    columns.ClearColumns(0, 4);
    EXPECT_EQ(columns.Column(4), nullptr);
    EXPECT_EQ(columns.Column(16383)->Col, 16383);
    EXPECT_EQ(columns.Column(16384), nullptr); // outside: no object, no read past the array
    EXPECT_EQ(columns.Column(-1), nullptr);
}

TEST(XLSRows, IndexOfRow) {
    MaxRow = MaxRowClassic;
    TXLSRows rows;
    EXPECT_EQ(rows.IndexOfRow(0), -1);
    for (int r : {9, 1, 5, 5})
        rows.EnsureRow(r);
    ASSERT_EQ(rows.Count(), 3);
    EXPECT_EQ(rows.IndexOfRow(5), 1);
    EXPECT_EQ(rows.IndexOfRow(1), 0);
    EXPECT_EQ(rows.IndexOfRow(9), 2);
    EXPECT_EQ(rows.IndexOfRow(6), -1);
    EXPECT_EQ(rows.IndexOfRow(-1), -1);
    EXPECT_EQ(rows.IndexOfRow(MaxRow + 1), -1);
    EXPECT_EQ(rows.RowItem(9)->Row, 9);
    EXPECT_EQ(rows.RowItem(2), nullptr);
}
