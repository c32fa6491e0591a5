// The series list box and the user: clicks on the columns, double clicks, the cursor, dragging a
// title onto another row, the keys, and renaming a series in an edit over its title.

#include "chart/editors/listbox/ChartListBox.h"

#include "chart/control/Chart.h"
#include "chart/editors/ButtonColor.h"
#include "platform/forms/Messages.h"
#include "platform/stdctrls/Edit.h"

namespace {

constexpr unsigned short VK_F2 = VK_F1 + 1;

} // namespace

void TChartListBox::WndProc(TMessage& message) {
    if (message.Msg == WM_LBUTTONDBLCLK)
        dblClickAt_ = {LParamX(message.LParam), LParamY(message.LParam)};
    TCustomListBox::WndProc(message);
}

void TChartListBox::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomListBox::MouseDown(button, shift, x, y);
    if (titleEdit_ != nullptr && titleEdit_->Visible())
        EndRename(true);
    if (CurrentRow() < 0)
        return;
    const int row = ItemAtPos({x, y});
    if (row >= 0 && InColumn(colActive, x)) {
        SwitchActive(row);
    } else if (row >= 0 && InColumn(colTitle, x) && EnableDragSeries && button == mbLeft &&
               !shift.Contains(ssShift) && !shift.Contains(ssCtrl) && !ignoreNextDrag_) {
        BeginDrag(false);
    }
    ignoreNextDrag_ = false;
    if (OnOtherItemsChange)
        OnOtherItemsChange(this);
}

void TChartListBox::SwitchActive(int row) {
    TChartSeries* series = SeriesAt(row);
    if (checkStyle_ == cbsRadio) {
        for (int other = 0; other < Count(); ++other)
            if (other != row)
                SeriesAt(other)->SetActive(false);
        series->SetActive(true);
    } else {
        series->SetActive(!series->Active());
    }
    if (series->ParentChart() == nullptr)
        Invalidate();
    if (OnChangeActive)
        OnChangeActive(this, series);
}

void TChartListBox::DblClick() {
    ignoreNextDrag_ = true;
    TCustomListBox::DblClick();
    DoubleClickAt(dblClickAt_);
}

void TChartListBox::DoubleClickAt(TPoint at) {
    const int row = ItemAtPos(at);
    if (row < 0 || (MultiSelect() ? !Selected(row) : row != ItemIndex()))
        return;
    TChartSeries* series = SeriesAt(row);
    if (InColumn(colIcon, at.X)) {
        if (EnableChangeType)
            ChangeTypeOfSelected();
    } else if (InColumn(colColor, at.X)) {
        // Every series shows its own colour in its legend symbol, so each may change it here.
        TColor color = series->SeriesColor();
        if (EnableChangeColor && EditColorVar(this, color)) {
            series->SetSeriesColor(color);
            series->SetColorEachPoint(false);
            if (OnChangeColor)
                OnChangeColor(this, series);
        }
    } else if (InColumn(colTitle, at.X)) {
        if (OnDblClickSeries)
            OnDblClickSeries(this, row);
    }
}

void TChartListBox::MouseMove(TShiftState shift, int x, int y) {
    TCustomListBox::MouseMove(shift, x, y);
    if (Dragging())
        return;
    TCursor cursor = crDefault;
    if (Count() > 0 && ItemAtPos({x, y}) >= 0 && ClientRect().Contains({x, y})) {
        if (InColumn(colIcon, x))
            cursor = EnableChangeType ? crHandPoint : crDefault;
        else if (InColumn(colActive, x))
            cursor = crDefault;
        else if (InColumn(colColor, x))
            cursor = EnableChangeColor ? crHandPoint : crDefault;
    }
    SetCursor(cursor);
}

void TChartListBox::DragOver(TObject* source, int x, int y, bool& accept) {
    TCustomListBox::DragOver(source, x, y, accept);
    accept = EnableDragSeries && source == this;
}

void TChartListBox::DragDrop(TObject* source, int x, int y) {
    TCustomListBox::DragDrop(source, x, y);
    const int from = CurrentRow();
    const int to = ItemAtPos({x, y});
    if (from < 0 || to < 0 || to == from)
        return;
    TChartSeries* first = SeriesAt(from);
    TChartSeries* second = SeriesAt(to);
    Items()->Exchange(from, to);
    if (chart_ != nullptr)
        chart_->SwapSeries(first, second);
    if (OnChangeOrder)
        OnChangeOrder(this, first, second);
    if (CanFocus())
        SetFocus();
    SelectSeries({first});
    Refreshed();
}

void TChartListBox::KeyUp(TKeyCode& key, TShiftState shift) {
    TCustomListBox::KeyUp(key, shift);
    if (key == VK_INSERT && AllowAddSeries)
        AddSeries();
    else if (key == VK_DELETE && AllowDeleteSeries)
        DeleteSelected();
    else if (key == VK_F2 && SelectedSeries() != nullptr)
        StartRename();
}

// ---- renaming -----------------------------------------------------------------------------------

void TChartListBox::StartRename() {
    TChartSeries* series = SelectedSeries();
    if (series == nullptr || !ShowColumn(colTitle))
        return;
    if (titleEdit_ == nullptr) {
        titleEdit_ = new TEdit(this);
        titleEdit_->FreeNotification(this);
        titleEdit_->OnKeyDown = [this](TObject*, TKeyCode& key, TShiftState) {
            if (key == VK_RETURN || key == VK_UP || key == VK_DOWN || key == VK_F2)
                EndRename(true);
            else if (key == VK_ESCAPE)
                EndRename(false);
        };
        // Enter and Escape end the rename without a beep.
        titleEdit_->OnKeyPress = [](TObject*, char16_t& key) {
            if (key == u'\r' || key == 27)
                key = 0;
        };
    }
    titleEdit_->SetParent(this);
    renamed_ = series;
    titleEdit_->SetText(Items()->Get(CurrentRow()));
    const TRect row = ItemRect(CurrentRow());
    titleEdit_->SetBounds(ColumnLeft(colTitle) - 2, row.Top, ColumnWidth(colTitle),
                          row.Height() + 1);
    titleEdit_->Show();
    if (titleEdit_->CanFocus())
        titleEdit_->SetFocus();
}

void TChartListBox::EndRename(bool store) {
    if (titleEdit_ == nullptr || !titleEdit_->Visible())
        return;
    titleEdit_->Hide();
    // The series may have gone while the edit was open.
    if (store && renamed_ != nullptr && Items()->IndexOfObject(renamed_) >= 0)
        renamed_->SetTitle(titleEdit_->GetText());
    renamed_ = nullptr;
    if (CanFocus())
        SetFocus();
    Invalidate();
}
