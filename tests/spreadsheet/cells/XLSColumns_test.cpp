#include "spreadsheet/cells/XLSColumns.h"

#include "spreadsheet/core/XLSGlobals.h"
#include "tests/support/ErrorMessage.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

struct Lines : ::testing::Test {
    TXFonts fonts;
    TCellFormats formats{fonts, true};
};

} // namespace

TEST_F(Lines, ClearColumnsChecksTheRange) {
    TXLSColumns columns(formats);
    columns.EnsureColumn(4);
    columns.EnsureColumn(16383);
    EXPECT_EQ(ErrorMessage([&] { columns.ClearColumns(5, 4); }), "Invalid columns");
    EXPECT_EQ(ErrorMessage([&] { columns.ClearColumns(0, 16384); }), "Invalid columns");
    EXPECT_EQ(ErrorMessage([&] { columns.ClearColumns(-1, 3); }), "Invalid columns");
    EXPECT_EQ(ErrorMessage([&] { columns.EnsureColumn(16384); }), "Invalid columns");
    EXPECT_NE(columns.Column(4), nullptr); // nothing freed by a refused clear
    columns.ClearColumns(0, 4);
    EXPECT_EQ(columns.Column(4), nullptr);
    EXPECT_EQ(columns.Column(16383)->Col, 16383);
    EXPECT_EQ(columns.Column(16384), nullptr); // outside: no object, no read past the array
    EXPECT_EQ(columns.Column(-1), nullptr);
}

TEST_F(Lines, IndexOfRow) {
    MaxRow = MaxRowClassic;
    TXLSRows rows(formats);
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
    // A row number that does not fit the row object's field is refused, not cut short.
    EXPECT_EQ(ErrorMessage([&] { rows.EnsureRow(65536 + 5); }), "Invalid row");
    EXPECT_EQ(rows.Count(), 3);
    MaxRow = MaxRowWide;
}

TEST_F(Lines, FormatChangesReachTheSheetWithTheLineNumber) {
    TXLSColumns columns(formats);
    TXLSRows rows(formats);
    std::vector<std::pair<TCellFormat*, int>> columnCalls, rowCalls;
    columns.OnFormatChanged = [&](TCellFormat* f, int col) { columnCalls.emplace_back(f, col); };
    rows.OnFormatChanged = [&](TCellFormat* f, int row) { rowCalls.emplace_back(f, row); };

    TXLSColumn& c = columns.EnsureColumn(3);
    EXPECT_EQ(c.Format(), formats.DefaultFormat());
    c.SetFillPatternForeColor(xcRed);
    c.SetFillPatternForeColor(xcRed); // unchanged: not reported
    ASSERT_EQ(columnCalls.size(), 1u);
    EXPECT_EQ(columnCalls[0].second, 3);
    EXPECT_EQ(columnCalls[0].first, c.Format());
    EXPECT_EQ(formats.DefaultFormat()->GetFillPatternForeColor(), 64);

    TXLSRow& r = rows.EnsureRow(40);
    r.SetFontStyle(1 << xfsItalic);
    ASSERT_EQ(rowCalls.size(), 1u);
    EXPECT_EQ(rowCalls[0].second, 40);
    EXPECT_EQ(r.FontStyle(), 1 << xfsItalic);
    EXPECT_EQ(columnCalls.size(), 1u);
}
