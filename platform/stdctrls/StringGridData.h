#pragma once
// What a string grid holds and how its current cell and selection move, apart from the window
// that draws it: the cells and their objects, fixed rows and columns, sizes, options, the current
// cell, the selected range and the scroll position, and the geometry that maps cells to pixels.

#include "platform/classes/TypeInfo.h"
#include "platform/graphics/Types.h"
#include "platform/rtl/Exception.h"

#include <functional>
#include <string>
#include <vector>

class TObject;

Q4_EXCEPTION(EInvalidGridOperation, Exception);

Q4_ENUM(TGridOption, goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect,
        goDrawFocusSelected, goRowSizing, goColSizing, goRowMoving, goColMoving, goEditing, goTabs,
        goRowSelect, goAlwaysShowEditor, goThumbTracking);
using TGridOptions = TSet<TGridOption>;

struct TGridCoord {
    int X = 0;
    int Y = 0;
    bool operator==(const TGridCoord&) const = default;
};

// Left/Right are columns, Top/Bottom rows, both ends included.
struct TGridRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    bool operator==(const TGridRect&) const = default;
    bool Contains(int col, int row) const {
        return col >= Left && col <= Right && row >= Top && row <= Bottom;
    }
};

class TStringGridData {
public:
    static constexpr TGridOptions DefaultOptions() {
        return {goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect};
    }

    TStringGridData();

    int ColCount() const { return colCount_; }
    int RowCount() const { return rowCount_; }
    // Growing adds empty cells; shrinking drops the cells beyond and lowers the fixed counts
    // to leave one scrolling column (row).
    void SetColCount(int value);
    void SetRowCount(int value);
    int FixedCols() const { return fixedCols_; }
    int FixedRows() const { return fixedRows_; }
    // Raises EInvalidGridOperation unless the value is below the column (row) count.
    void SetFixedCols(int value);
    void SetFixedRows(int value);

    // Cells and objects; an index outside the grid raises EInvalidGridOperation.
    const std::string& Cells(int col, int row) const;
    void SetCells(int col, int row, const std::string& text);
    TObject* Objects(int col, int row) const;
    void SetObjects(int col, int row, TObject* object);
    std::vector<std::string> Rows(int row) const;
    void SetRows(int row, const std::vector<std::string>& texts);
    std::vector<std::string> Cols(int col) const;
    void SetCols(int col, const std::vector<std::string>& texts);
    // Moves a whole row (column) of cells; the current cell stays where it is.
    void MoveRow(int from, int to);
    void MoveColumn(int from, int to);
    void DeleteRow(int row);
    void DeleteColumn(int col);

    TGridOptions Options() const { return options_; }
    void SetOptions(TGridOptions value);

    int DefaultColWidth() const { return defaultColWidth_; }
    void SetDefaultColWidth(int value);
    int DefaultRowHeight() const { return defaultRowHeight_; }
    void SetDefaultRowHeight(int value);
    int ColWidths(int col) const;
    void SetColWidths(int col, int width);
    int RowHeights(int row) const;
    void SetRowHeights(int row, int height);
    int GridLineWidth() const { return gridLineWidth_; }
    void SetGridLineWidth(int value) { gridLineWidth_ = value < 0 ? 0 : value; }

    // The current cell, always a scrolling (non-fixed) cell while the grid has one.
    int Col() const { return current_.X; }
    int Row() const { return current_.Y; }
    // The selected range: the current cell, the whole row under goRowSelect, or a range reached
    // with goRangeSelect.
    TGridRect Selection() const;
    // Asked before the current cell moves; returning false keeps it (the grid's OnSelectCell).
    std::function<bool(int col, int row)> CanSelect;
    // Moves the current cell; with extend (and goRangeSelect) the range grows from its anchor.
    // Fixed cells and cells outside the grid are refused. Returns whether it moved.
    bool MoveTo(int col, int row, bool extend = false);
    // Sets the selected range directly (clamped to the scrolling cells); the current cell goes to
    // its top-left corner.
    void SetSelection(const TGridRect& rect);
    // Whether the current cell may be edited in place.
    bool CanEditCell() const;

    // Scroll position: the first scrolling column and row shown after the fixed ones.
    int LeftCol() const { return leftCol_; }
    int TopRow() const { return topRow_; }
    void SetLeftCol(int col);
    void SetTopRow(int row);
    // Scrolls so that the current cell is fully inside a client area of the given size.
    void ScrollToCurrent(int clientWidth, int clientHeight);

    // The pixel rectangle of a cell for the current scroll position (lines excluded: a cell's
    // line lies to its right and below it); an empty rectangle when the cell is scrolled away.
    TRect CellRect(int col, int row) const;
    // The cell under a client point, or {-1, -1}.
    TGridCoord MouseCoord(int x, int y) const;
    // The visible scrolling columns (rows) in a client area, counting a partly shown last one.
    int VisibleColCount(int clientWidth) const;
    int VisibleRowCount(int clientHeight) const;

private:
    struct TCell {
        std::string Text;
        TObject* Object = nullptr;
    };
    void CheckIndex(int col, int row) const;
    void ClampCurrent();
    TCell& At(int col, int row) { return cells_[static_cast<size_t>(row) * colCount_ + col]; }
    const TCell& At(int col, int row) const {
        return cells_[static_cast<size_t>(row) * colCount_ + col];
    }
    void Resize(int cols, int rows);

    int colCount_ = 5;
    int rowCount_ = 5;
    int fixedCols_ = 1;
    int fixedRows_ = 1;
    std::vector<TCell> cells_;
    std::vector<int> colWidths_;
    std::vector<int> rowHeights_;
    int defaultColWidth_ = 64;
    int defaultRowHeight_ = 24;
    int gridLineWidth_ = 1;
    TGridOptions options_ = DefaultOptions();
    TGridCoord current_{1, 1};
    TGridCoord anchor_{1, 1};
    int leftCol_ = 1;
    int topRow_ = 1;
};
