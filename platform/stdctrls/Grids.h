#pragma once
// Grids drawn by the control itself: TDrawGrid (the owner draws every cell) and TStringGrid
// (cells of text and objects). Their state lives in TStringGridData; the window adds painting,
// mouse and keyboard navigation and the in-place editor.

#include "platform/forms/Controls.h"
#include "platform/stdctrls/ControlTypes.h"
#include "platform/stdctrls/Edit.h"
#include "platform/stdctrls/StringGridData.h"

#include <functional>
#include <string>

Q4_ENUM(TGridDrawStateItem, gdSelected, gdFocused, gdFixed);
using TGridDrawState = TSet<TGridDrawStateItem>;

using TDrawCellEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, TRect Rect, TGridDrawState State)>;
using TSelectCellEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool& CanSelect)>;
using TGetEditEvent = std::function<void(TObject* Sender, int ACol, int ARow, std::string& Value)>;
using TSetEditEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, const std::string& Value)>;

class TCustomDrawGrid;

// The editor laid over the current cell. Its keys pass through the grid's OnKeyPress first, so
// a grid's key filter applies to what is typed in a cell.
class TInplaceEdit : public TEdit {
    Q4_CLASS(TInplaceEdit, TEdit)
public:
    explicit TInplaceEdit(TComponent* owner);
    TCustomDrawGrid* Grid() const { return grid_; }

protected:
    friend class TCustomDrawGrid;
    void UpdateWidgetState() override;
    void KeyDown(TKeyCode& key, TShiftState shift) override;
    void KeyPress(char16_t& key) override;
    void Change() override;

private:
    TCustomDrawGrid* grid_ = nullptr;
    bool loading_ = false;
};

class TCustomDrawGrid : public TCustomControl {
    Q4_CLASS(TCustomDrawGrid, TCustomControl)
public:
    explicit TCustomDrawGrid(TComponent* owner);
    ~TCustomDrawGrid() override;
    static void DeclareProperties(TPropertyList& p);

    TStringGridData& Data() { return data_; }
    const TStringGridData& Data() const { return data_; }

    int ColCount() const { return data_.ColCount(); }
    void SetColCount(int v);
    int RowCount() const { return data_.RowCount(); }
    void SetRowCount(int v);
    int FixedCols() const { return data_.FixedCols(); }
    void SetFixedCols(int v);
    int FixedRows() const { return data_.FixedRows(); }
    void SetFixedRows(int v);
    int DefaultColWidth() const { return data_.DefaultColWidth(); }
    void SetDefaultColWidth(int v);
    int DefaultRowHeight() const { return data_.DefaultRowHeight(); }
    void SetDefaultRowHeight(int v);
    int ColWidths(int col) const { return data_.ColWidths(col); }
    void SetColWidths(int col, int width);
    int RowHeights(int row) const { return data_.RowHeights(row); }
    void SetRowHeights(int row, int height);
    int GridLineWidth() const { return data_.GridLineWidth(); }
    void SetGridLineWidth(int v);
    TGridOptions Options() const { return data_.Options(); }
    void SetOptions(TGridOptions v);
    TColor FixedColor() const { return fixedColor_; }
    void SetFixedColor(TColor v);
    bool DefaultDrawing() const { return defaultDrawing_; }
    void SetDefaultDrawing(bool v) { defaultDrawing_ = v; }
    // Kept and stored; the grid draws no scroll bars (it scrolls to the current cell), which is
    // what ssNone asks for.
    TScrollStyle ScrollBars() const { return scrollBars_; }
    void SetScrollBars(TScrollStyle v) { scrollBars_ = v; }

    int Col() const { return data_.Col(); }
    void SetCol(int v) { FocusCell(v, data_.Row(), false); }
    int Row() const { return data_.Row(); }
    void SetRow(int v) { FocusCell(data_.Col(), v, false); }
    TGridRect Selection() const { return data_.Selection(); }
    void SetSelection(const TGridRect& r);
    int TopRow() const { return data_.TopRow(); }
    void SetTopRow(int v);
    int LeftCol() const { return data_.LeftCol(); }
    void SetLeftCol(int v);
    TRect CellRect(int col, int row) const { return data_.CellRect(col, row); }
    TGridCoord MouseCoord(int x, int y) const { return data_.MouseCoord(x, y); }

    // The in-place editor (null while it was never shown).
    TInplaceEdit* InplaceEditor() const { return editor_; }
    bool EditorMode() const { return editorMode_; }
    void SetEditorMode(bool v);

    TDrawCellEvent OnDrawCell;
    TSelectCellEvent OnSelectCell;
    TGetEditEvent OnGetEditText;
    TSetEditEvent OnSetEditText;

protected:
    friend class TInplaceEdit;
    void Paint() override;
    virtual void DrawCell(int col, int row, const TRect& rect, TGridDrawState state);
    // The lines right of and below a cell, GridLineWidth wide, of the kinds switched on (fixed
    // cells have their own options); the default draws fixed lines black and others silver.
    virtual void DrawCellLines(const TRect& cell, bool fixed, bool vertical, bool horizontal);
    // The edge of a fixed cell; the default raises it.
    virtual void DrawFixedCellEdge(const TRect& cell);
    // Makes the in-place editor when it is first shown; the grid owns it.
    virtual TInplaceEdit* CreateEditor();
    virtual bool SelectCell(int col, int row);
    // The text the editor starts with, and where what is typed goes.
    virtual std::string GetEditText(int col, int row);
    virtual void SetEditText(int col, int row, const std::string& value);
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void KeyDown(TKeyCode& key, TShiftState shift) override;
    void KeyPress(char16_t& key) override;
    void WndProc(TMessage& message) override;
    // Moves the current cell (through OnSelectCell), scrolls to it and moves the editor along.
    bool FocusCell(int col, int row, bool extend);
    void ShowEditor();
    void HideEditor();
    void UpdateEditor();
    void Changed();

    TStringGridData data_;

private:
    TColor fixedColor_ = clBtnFace;
    bool defaultDrawing_ = true;
    TScrollStyle scrollBars_ = ssBoth;
    bool editorMode_ = false;
    TInplaceEdit* editor_ = nullptr;
};

class TDrawGrid : public TCustomDrawGrid {
    Q4_CLASS(TDrawGrid, TCustomDrawGrid)
public:
    explicit TDrawGrid(TComponent* owner) : TCustomDrawGrid(owner) {}
};

class TStringGrid : public TCustomDrawGrid {
    Q4_CLASS(TStringGrid, TCustomDrawGrid)
public:
    explicit TStringGrid(TComponent* owner) : TCustomDrawGrid(owner) {}

    const std::string& Cells(int col, int row) const { return data_.Cells(col, row); }
    void SetCells(int col, int row, const std::string& text);
    TObject* Objects(int col, int row) const { return data_.Objects(col, row); }
    void SetObjects(int col, int row, TObject* object) { data_.SetObjects(col, row, object); }
    std::vector<std::string> Rows(int row) const { return data_.Rows(row); }
    void SetRows(int row, const std::vector<std::string>& texts);
    std::vector<std::string> Cols(int col) const { return data_.Cols(col); }
    void SetCols(int col, const std::vector<std::string>& texts);

protected:
    void DrawCell(int col, int row, const TRect& rect, TGridDrawState state) override;
    std::string GetEditText(int col, int row) override;
    void SetEditText(int col, int row, const std::string& value) override;
};
