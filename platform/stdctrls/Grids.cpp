#include "platform/stdctrls/Grids.h"

#include "platform/rtl/CodePage.h"
#include "platform/stdctrls/BevelFrame.h"
#include "platform/stdctrls/WidgetSupport_p.h"

#include <QLineEdit>
#include <QWidget>

#include <algorithm>

namespace {

constexpr TKeyCode kF2 = 0x71;

} // namespace

// ---- TInplaceEdit -------------------------------------------------------------------------------

TInplaceEdit::TInplaceEdit(TComponent* owner) : TEdit(owner) {
    grid_ = dynamic_cast<TCustomDrawGrid*>(owner);
    SetTabStop(false);
}

// The editor lies flat in its cell, in the colour it is given.
void TInplaceEdit::UpdateWidgetState() {
    TEdit::UpdateWidgetState();
    if (!HandleAllocated())
        return;
    static_cast<QLineEdit*>(Handle())->setFrame(false);
    ApplyViewColors(Handle(), Color(), Font()->Color());
}

void TInplaceEdit::KeyDown(TKeyCode& key, TShiftState shift) {
    TEdit::KeyDown(key, shift);
    if (!grid_ || key == 0)
        return;
    switch (key) {
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT:
        grid_->KeyDown(key, shift);
        key = 0;
        break;
    case VK_ESCAPE:
    case VK_RETURN:
        if (!grid_->Options().Contains(goAlwaysShowEditor))
            grid_->HideEditor();
        key = 0;
        break;
    default:
        break;
    }
}

void TInplaceEdit::KeyPress(char16_t& key) {
    if (grid_)
        grid_->KeyPress(key); // the grid's OnKeyPress filters what is typed in a cell
    if (key != 0)
        TEdit::KeyPress(key);
}

void TInplaceEdit::Change() {
    TEdit::Change();
    if (grid_ && !loading_)
        grid_->SetEditText(grid_->Col(), grid_->Row(), GetText());
}

// ---- TCustomDrawGrid ----------------------------------------------------------------------------

TCustomDrawGrid::TCustomDrawGrid(TComponent* owner) : TCustomControl(owner) {
    SetBounds(0, 0, 320, 120);
    SetColor(clWindow);
    SetTabStop(true);
    data_.CanSelect = [this](int col, int row) { return SelectCell(col, row); };
}

TCustomDrawGrid::~TCustomDrawGrid() {
    data_.CanSelect = nullptr;
}

void TCustomDrawGrid::DeclareProperties(TPropertyList& p) {
    // The counts come first, so that fixed counts read later fit them.
    p.Add("ColCount", &TCustomDrawGrid::ColCount, &TCustomDrawGrid::SetColCount).Default(5);
    p.Add("RowCount", &TCustomDrawGrid::RowCount, &TCustomDrawGrid::SetRowCount).Default(5);
    p.Add("DefaultColWidth", &TCustomDrawGrid::DefaultColWidth,
          &TCustomDrawGrid::SetDefaultColWidth)
        .Default(64);
    p.Add("DefaultRowHeight", &TCustomDrawGrid::DefaultRowHeight,
          &TCustomDrawGrid::SetDefaultRowHeight)
        .Default(24);
    p.Add("DefaultDrawing", &TCustomDrawGrid::DefaultDrawing, &TCustomDrawGrid::SetDefaultDrawing)
        .Default(true);
    p.Add("FixedColor", &TCustomDrawGrid::FixedColor, &TCustomDrawGrid::SetFixedColor,
          TColorTypeInfo())
        .Default(clBtnFace);
    p.Add("FixedCols", &TCustomDrawGrid::FixedCols, &TCustomDrawGrid::SetFixedCols).Default(1);
    p.Add("FixedRows", &TCustomDrawGrid::FixedRows, &TCustomDrawGrid::SetFixedRows).Default(1);
    p.Add("GridLineWidth", &TCustomDrawGrid::GridLineWidth, &TCustomDrawGrid::SetGridLineWidth)
        .Default(1);
    p.Add("Options", &TCustomDrawGrid::Options, &TCustomDrawGrid::SetOptions)
        .Default(TStringGridData::DefaultOptions());
    p.Add("ScrollBars", &TCustomDrawGrid::ScrollBars, &TCustomDrawGrid::SetScrollBars)
        .Default(ssBoth);
    p.Add("OnDrawCell", &TCustomDrawGrid::OnDrawCell);
    p.Add("OnSelectCell", &TCustomDrawGrid::OnSelectCell);
    p.Add("OnGetEditText", &TCustomDrawGrid::OnGetEditText);
    p.Add("OnSetEditText", &TCustomDrawGrid::OnSetEditText);
}

void TCustomDrawGrid::Changed() {
    UpdateEditor();
    Invalidate();
}

void TCustomDrawGrid::SetColCount(int v) {
    data_.SetColCount(v);
    Changed();
}

void TCustomDrawGrid::SetRowCount(int v) {
    data_.SetRowCount(v);
    Changed();
}

void TCustomDrawGrid::SetFixedCols(int v) {
    data_.SetFixedCols(v);
    Changed();
}

void TCustomDrawGrid::SetFixedRows(int v) {
    data_.SetFixedRows(v);
    Changed();
}

void TCustomDrawGrid::SetDefaultColWidth(int v) {
    data_.SetDefaultColWidth(v);
    Changed();
}

void TCustomDrawGrid::SetDefaultRowHeight(int v) {
    data_.SetDefaultRowHeight(v);
    Changed();
}

void TCustomDrawGrid::SetColWidths(int col, int width) {
    data_.SetColWidths(col, width);
    Changed();
}

void TCustomDrawGrid::SetRowHeights(int row, int height) {
    data_.SetRowHeights(row, height);
    Changed();
}

void TCustomDrawGrid::SetGridLineWidth(int v) {
    data_.SetGridLineWidth(v);
    Changed();
}

void TCustomDrawGrid::SetOptions(TGridOptions v) {
    data_.SetOptions(v);
    if (!data_.CanEditCell())
        HideEditor();
    else if (v.Contains(goAlwaysShowEditor) && !InLoading())
        ShowEditor();
    Changed();
}

void TCustomDrawGrid::SetFixedColor(TColor v) {
    fixedColor_ = v;
    Invalidate();
}

void TCustomDrawGrid::SetSelection(const TGridRect& r) {
    data_.SetSelection(r);
    Changed();
}

void TCustomDrawGrid::SetTopRow(int v) {
    data_.SetTopRow(v);
    Changed();
}

void TCustomDrawGrid::SetLeftCol(int v) {
    data_.SetLeftCol(v);
    Changed();
}

bool TCustomDrawGrid::SelectCell(int col, int row) {
    bool can = true;
    if (OnSelectCell)
        OnSelectCell(this, col, row, can);
    return can;
}

bool TCustomDrawGrid::FocusCell(int col, int row, bool extend) {
    if (!data_.MoveTo(col, row, extend))
        return false;
    data_.ScrollToCurrent(ClientWidth(), ClientHeight());
    if (editorMode_ || (Options().Contains(goAlwaysShowEditor) && data_.CanEditCell()))
        ShowEditor();
    Invalidate();
    return true;
}

std::string TCustomDrawGrid::GetEditText(int col, int row) {
    std::string value;
    if (OnGetEditText)
        OnGetEditText(this, col, row, value);
    return value;
}

void TCustomDrawGrid::SetEditText(int col, int row, const std::string& value) {
    if (OnSetEditText)
        OnSetEditText(this, col, row, value);
}

void TCustomDrawGrid::SetEditorMode(bool v) {
    if (v)
        ShowEditor();
    else
        HideEditor();
}

void TCustomDrawGrid::ShowEditor() {
    if (!data_.CanEditCell())
        return;
    if (!editor_) {
        editor_ = CreateEditor();
        editor_->SetParent(this);
    }
    editorMode_ = true;
    UpdateEditor();
    editor_->SetVisible(true);
    if (Focused() || editor_->Focused())
        editor_->SetFocus();
}

void TCustomDrawGrid::HideEditor() {
    editorMode_ = false;
    if (editor_)
        editor_->SetVisible(false);
}

void TCustomDrawGrid::UpdateEditor() {
    if (!editor_ || !editorMode_)
        return;
    TRect r = data_.CellRect(Col(), Row());
    if (r.Width() <= 0) {
        editor_->SetVisible(false);
        return;
    }
    editor_->SetBounds(r.Left, r.Top, r.Width(), r.Height());
    editor_->loading_ = true;
    editor_->SetText(GetEditText(Col(), Row()));
    editor_->loading_ = false;
    editor_->SetVisible(true);
}

void TCustomDrawGrid::WndProc(TMessage& message) {
    if (message.Msg == WM_GETDLGCODE) {
        message.Result =
            DLGC_WANTARROWS | DLGC_WANTCHARS | (Options().Contains(goTabs) ? DLGC_WANTTAB : 0);
        return;
    }
    TCustomControl::WndProc(message);
    if (message.Msg == CM_FONTCHANGED || message.Msg == CM_COLORCHANGED)
        Invalidate();
}

void TCustomDrawGrid::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (CanFocus() && !Focused())
        SetFocus();
    if (button == mbLeft) {
        const TGridCoord cell = data_.MouseCoord(x, y);
        if (cell.X >= 0) {
            const bool same = cell.X == Col() && cell.Y == Row();
            if (FocusCell(cell.X, cell.Y, shift.Contains(ssShift)) || same) {
                if (same && Options().Contains(goEditing))
                    ShowEditor();
            }
        }
    }
    TCustomControl::MouseDown(button, shift, x, y);
}

void TCustomDrawGrid::KeyDown(TKeyCode& key, TShiftState shift) {
    TCustomControl::KeyDown(key, shift);
    if (key == 0)
        return;
    const bool extend = shift.Contains(ssShift);
    const int page = std::max(1, data_.VisibleRowCount(ClientHeight()) - 1);
    int col = Col(), row = Row();
    switch (key) {
    case VK_LEFT:
        col = std::max(FixedCols(), col - 1);
        break;
    case VK_RIGHT:
        col = std::min(ColCount() - 1, col + 1);
        break;
    case VK_UP:
        row = std::max(FixedRows(), row - 1);
        break;
    case VK_DOWN:
        row = std::min(RowCount() - 1, row + 1);
        break;
    case VK_PRIOR:
        row = std::max(FixedRows(), row - page);
        break;
    case VK_NEXT:
        row = std::min(RowCount() - 1, row + page);
        break;
    case VK_HOME:
        col = FixedCols();
        if (shift.Contains(ssCtrl))
            row = FixedRows();
        break;
    case VK_END:
        col = ColCount() - 1;
        if (shift.Contains(ssCtrl))
            row = RowCount() - 1;
        break;
    case VK_TAB:
        if (!Options().Contains(goTabs))
            return;
        if (extend) {
            if (--col < FixedCols()) {
                col = ColCount() - 1;
                row = row > FixedRows() ? row - 1 : RowCount() - 1;
            }
        } else if (++col >= ColCount()) {
            col = FixedCols();
            row = row + 1 < RowCount() ? row + 1 : FixedRows();
        }
        FocusCell(col, row, false);
        key = 0;
        return;
    case kF2:
    case VK_RETURN:
        if (Options().Contains(goEditing)) {
            ShowEditor();
            key = 0;
        }
        return;
    default:
        return;
    }
    FocusCell(col, row, extend && key != VK_TAB);
    key = 0;
}

void TCustomDrawGrid::KeyPress(char16_t& key) {
    TCustomControl::KeyPress(key);
    if (key == 0 || editorMode_ || !data_.CanEditCell() || key < 0x20)
        return;
    // A character typed on the grid opens the editor with it.
    ShowEditor();
    if (editor_) {
        std::string text;
        AppendUtf8(text, key);
        editor_->SetText(text);
        editor_->SetSelStart(static_cast<int>(Utf8ToUtf16(text).size()));
    }
    key = 0;
}

void TCustomDrawGrid::Paint() {
    TCanvas* c = Canvas();
    // The canvas starts at the client area's corner, inside any border.
    const TRect client = Rect(0, 0, ClientWidth(), ClientHeight());
    c->Brush()->SetColor(Color());
    c->Brush()->SetStyle(bsSolid);
    c->FillRect(client);
    const TGridOptions opt = Options();
    const TGridRect sel = Selection();
    const bool focused = Focused() || (editor_ && editor_->Focused());

    auto rows = std::vector<int>();
    for (int r = 0; r < FixedRows(); ++r)
        rows.push_back(r);
    for (int r = TopRow(); r < RowCount(); ++r) {
        if (data_.CellRect(0, r).Top >= client.Bottom && FixedCols() > 0)
            break;
        rows.push_back(r);
    }
    auto cols = std::vector<int>();
    for (int col = 0; col < FixedCols(); ++col)
        cols.push_back(col);
    for (int col = LeftCol(); col < ColCount(); ++col) {
        cols.push_back(col);
        if (data_.CellRect(col, rows.empty() ? 0 : rows.front()).Right >= client.Right)
            break;
    }

    for (int r : rows) {
        for (int col : cols) {
            const TRect rect = data_.CellRect(col, r);
            if (rect.Width() <= 0 && rect.Height() <= 0)
                continue;
            if (rect.Top >= client.Bottom || rect.Left >= client.Right)
                continue;
            TGridDrawState state;
            const bool fixed = col < FixedCols() || r < FixedRows();
            if (fixed)
                state.Include(gdFixed);
            else {
                if (sel.Contains(col, r))
                    state.Include(gdSelected);
                if (col == Col() && r == Row() && focused)
                    state.Include(gdFocused);
            }
            // Lines: to the right of and below each cell.
            const bool vert = fixed ? opt.Contains(goFixedVertLine) : opt.Contains(goVertLine);
            const bool horz = fixed ? opt.Contains(goFixedHorzLine) : opt.Contains(goHorzLine);
            DrawCellLines(rect, fixed, vert, horz);
            if (defaultDrawing_) {
                const bool highlight =
                    state.Contains(gdSelected) &&
                    (!state.Contains(gdFocused) || opt.Contains(goDrawFocusSelected) ||
                     opt.Contains(goRowSelect));
                c->Brush()->SetStyle(bsSolid);
                c->Brush()->SetColor(fixed ? fixedColor_ : highlight ? clHighlight : Color());
                c->Font()->Assign(Font());
                if (highlight)
                    c->Font()->SetColor(clHighlightText);
                c->FillRect(rect);
            }
            DrawCell(col, r, rect, state);
            if (defaultDrawing_ && fixed)
                DrawFixedCellEdge(rect);
            if (defaultDrawing_ && state.Contains(gdFocused) && !opt.Contains(goRowSelect) &&
                !editorMode_)
                c->DrawFocusRect(rect);
        }
    }
}

void TCustomDrawGrid::DrawCellLines(const TRect& cell, bool fixed, bool vertical, bool horizontal) {
    const int line = GridLineWidth();
    if (line <= 0)
        return;
    TCanvas* c = Canvas();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(fixed ? clBlack : clSilver);
    if (vertical)
        c->FillRect(Rect(cell.Right, cell.Top, cell.Right + line, cell.Bottom + line));
    if (horizontal)
        c->FillRect(Rect(cell.Left, cell.Bottom, cell.Right + line, cell.Bottom + line));
}

void TCustomDrawGrid::DrawFixedCellEdge(const TRect& cell) {
    TRect edge = cell;
    BevelFrame(Canvas(), edge, true);
}

TInplaceEdit* TCustomDrawGrid::CreateEditor() {
    return new TInplaceEdit(this);
}

void TCustomDrawGrid::DrawCell(int col, int row, const TRect& rect, TGridDrawState state) {
    if (OnDrawCell)
        OnDrawCell(this, col, row, rect, state);
}

// ---- TStringGrid --------------------------------------------------------------------------------

void TStringGrid::SetCells(int col, int row, const std::string& text) {
    data_.SetCells(col, row, text);
    if (col == Col() && row == Row())
        UpdateEditor();
    Invalidate();
}

void TStringGrid::SetRows(int row, const std::vector<std::string>& texts) {
    data_.SetRows(row, texts);
    Changed();
}

void TStringGrid::SetCols(int col, const std::vector<std::string>& texts) {
    data_.SetCols(col, texts);
    Changed();
}

void TStringGrid::DrawCell(int col, int row, const TRect& rect, TGridDrawState state) {
    if (DefaultDrawing()) {
        TCanvas* c = Canvas();
        c->Brush()->SetStyle(bsClear);
        TRect r = rect;
        c->TextRect(r, rect.Left + 2, rect.Top + 2, data_.Cells(col, row));
        c->Brush()->SetStyle(bsSolid);
    }
    TCustomDrawGrid::DrawCell(col, row, rect, state);
}

std::string TStringGrid::GetEditText(int col, int row) {
    std::string value = data_.Cells(col, row);
    if (OnGetEditText)
        OnGetEditText(this, col, row, value);
    return value;
}

void TStringGrid::SetEditText(int col, int row, const std::string& value) {
    data_.SetCells(col, row, value);
    TCustomDrawGrid::SetEditText(col, row, value);
    Invalidate();
}
