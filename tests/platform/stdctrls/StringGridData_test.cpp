#include "platform/stdctrls/StringGridData.h"

#include "platform/classes/Object.h"

#include <gtest/gtest.h>

namespace {

TEST(StringGridData, CellsAndObjectsSurviveGrowthAndGoWithShrinking) {
    TStringGridData g;
    TObject tag;
    g.SetCells(1, 2, "A");
    g.SetCells(4, 4, "edge");
    g.SetObjects(1, 2, &tag);
    g.SetRowCount(20);
    g.SetColCount(17);
    EXPECT_EQ(g.Cells(1, 2), "A");
    EXPECT_EQ(g.Objects(1, 2), &tag);
    EXPECT_EQ(g.Cells(4, 4), "edge");
    EXPECT_EQ(g.Cells(16, 19), "");

    g.SetRowCount(3);
    g.SetColCount(3);
    EXPECT_EQ(g.Cells(1, 2), "A");
    g.SetRowCount(5);
    g.SetColCount(5);
    EXPECT_EQ(g.Cells(4, 4), "") << "a shrunk-away cell must not come back";
    EXPECT_EQ(g.Objects(4, 4), nullptr);
}

TEST(StringGridData, OutOfRangeIsAnError) {
    TStringGridData g; // 5 x 5
    EXPECT_THROW(g.Cells(5, 0), EInvalidGridOperation);
    EXPECT_THROW(g.SetCells(0, -1, "x"), EInvalidGridOperation);
    EXPECT_THROW(g.Objects(-1, 0), EInvalidGridOperation);
    EXPECT_THROW(g.ColWidths(5), EInvalidGridOperation);
    EXPECT_THROW(g.SetRowCount(0), EInvalidGridOperation);
    EXPECT_THROW(g.SetFixedRows(5), EInvalidGridOperation);
    EXPECT_THROW(g.SetFixedCols(-1), EInvalidGridOperation);
}

TEST(StringGridData, FixedCountsFollowShrinkingAndKeepTheCurrentCellScrolling) {
    TStringGridData g;
    g.SetFixedCols(3);
    g.SetFixedRows(2);
    EXPECT_EQ(g.Col(), 3);
    EXPECT_EQ(g.Row(), 2);
    g.SetColCount(2);
    EXPECT_EQ(g.FixedCols(), 1);
    EXPECT_EQ(g.Col(), 1);
    g.SetRowCount(1);
    EXPECT_EQ(g.FixedRows(), 0);
    EXPECT_EQ(g.Row(), 0);
}

TEST(StringGridData, RowsColsAndMoves) {
    TStringGridData g;
    g.SetColCount(3);
    g.SetRows(1, {"a", "b", "c", "ignored"});
    g.SetRows(2, {"d"});
    EXPECT_EQ(g.Rows(1), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(g.Cols(0), (std::vector<std::string>{"", "a", "d", "", ""}));
    g.SetRowHeights(1, 40);
    g.MoveRow(1, 3);
    EXPECT_EQ(g.Rows(3), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(g.Rows(1), (std::vector<std::string>{"d", "", ""}));
    EXPECT_EQ(g.RowHeights(3), 40);
    g.DeleteRow(1);
    EXPECT_EQ(g.RowCount(), 4);
    EXPECT_EQ(g.Rows(2), (std::vector<std::string>{"a", "b", "c"}));
    g.MoveColumn(0, 2);
    EXPECT_EQ(g.Rows(2), (std::vector<std::string>{"b", "c", "a"}));
    g.DeleteColumn(0);
    EXPECT_EQ(g.Rows(2), (std::vector<std::string>{"c", "a"}));
}

struct MoveCase {
    const char* what;
    TGridOptions options;
    TGridCoord to;
    bool extend;
    bool moved;
    TGridRect selection;
};

TEST(StringGridData, SelectionRules) {
    const TGridOptions def = TStringGridData::DefaultOptions();
    const TGridOptions rowSel = def + TGridOptions{goRowSelect};
    const TGridOptions noRange = def - TGridOptions{goRangeSelect};
    // From the current cell (1,1) of a 5 x 5 grid with one fixed row and column.
    const MoveCase cases[] = {
        {"plain move", def, {3, 2}, false, true, {3, 2, 3, 2}},
        {"range from the anchor", def, {3, 4}, true, true, {1, 1, 3, 4}},
        {"range needs goRangeSelect", noRange, {3, 4}, true, true, {3, 4, 3, 4}},
        {"fixed column refused", def, {0, 2}, false, false, {1, 1, 1, 1}},
        {"fixed row refused", def, {2, 0}, false, false, {1, 1, 1, 1}},
        {"outside refused", def, {5, 2}, false, false, {1, 1, 1, 1}},
        {"row select spans the row", rowSel, {2, 3}, false, true, {1, 3, 4, 3}},
        {"row select with a range", rowSel, {2, 3}, true, true, {1, 1, 4, 3}},
    };
    for (const MoveCase& c : cases) {
        SCOPED_TRACE(c.what);
        TStringGridData g;
        g.SetOptions(c.options);
        EXPECT_EQ(g.MoveTo(c.to.X, c.to.Y, c.extend), c.moved);
        EXPECT_EQ(g.Selection(), c.selection);
    }
}

TEST(StringGridData, CanSelectVetoesAMove) {
    TStringGridData g;
    std::vector<TGridCoord> asked;
    g.CanSelect = [&](int col, int row) {
        asked.push_back({col, row});
        return row != 3;
    };
    EXPECT_FALSE(g.MoveTo(2, 3));
    EXPECT_EQ(g.Col(), 1);
    EXPECT_TRUE(g.MoveTo(2, 4));
    EXPECT_EQ(g.Row(), 4);
    EXPECT_EQ(asked, (std::vector<TGridCoord>{{2, 3}, {2, 4}}));
}

TEST(StringGridData, EditingNeedsTheOptionAndNoRowSelect) {
    TStringGridData g;
    EXPECT_FALSE(g.CanEditCell());
    g.SetOptions(g.Options() + TGridOptions{goEditing});
    EXPECT_TRUE(g.CanEditCell());
    g.SetOptions(g.Options() + TGridOptions{goRowSelect});
    EXPECT_FALSE(g.CanEditCell());
}

TEST(StringGridData, GeometryWithScrolling) {
    TStringGridData g;
    g.SetColCount(10);
    g.SetRowCount(10);
    g.SetDefaultColWidth(30);
    g.SetDefaultRowHeight(20);
    g.SetColWidths(0, 50);
    // Fixed column 0 at x 0..50, then a line; column 1 from 51.
    EXPECT_EQ(g.CellRect(0, 0), Rect(0, 0, 50, 20));
    EXPECT_EQ(g.CellRect(2, 1), Rect(82, 21, 112, 41));
    EXPECT_EQ(g.MouseCoord(50, 0), (TGridCoord{0, 0})) << "a cell's line belongs to it";
    EXPECT_EQ(g.MouseCoord(51, 21), (TGridCoord{1, 1}));
    EXPECT_EQ(g.MouseCoord(10000, 5), (TGridCoord{-1, -1}));

    g.SetLeftCol(3);
    g.SetTopRow(4);
    EXPECT_EQ(g.CellRect(2, 1), TRect{}) << "scrolled away";
    EXPECT_EQ(g.CellRect(3, 4), Rect(51, 21, 81, 41));
    EXPECT_EQ(g.CellRect(0, 4), Rect(0, 21, 50, 41)) << "fixed cells stay";
    EXPECT_EQ(g.MouseCoord(60, 25), (TGridCoord{3, 4}));
    EXPECT_EQ(g.VisibleColCount(51 + 31 * 2 + 1), 3);

    // Scrolling brings the current cell into view and back.
    g.MoveTo(9, 9);
    g.ScrollToCurrent(150, 100);
    EXPECT_GE(g.CellRect(9, 9).Left, 51);
    EXPECT_LE(g.CellRect(9, 9).Right, 150);
    EXPECT_LE(g.CellRect(9, 9).Bottom, 100);
    g.MoveTo(1, 1);
    g.ScrollToCurrent(150, 100);
    EXPECT_EQ(g.LeftCol(), 1);
    EXPECT_EQ(g.TopRow(), 1);
}

} // namespace
