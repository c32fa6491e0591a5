// The series list box: its settings, the chart it lists, the series events it follows and the
// operations on the selected series.

#include "chart/editors/listbox/ChartListBox.h"

#include "chart/control/Chart.h"
#include "chart/control/SeriesFactory.h"
#include "chart/editors/EditorRoutines.h"
#include "platform/stdctrls/Edit.h"

#include <algorithm>

TAddSeriesHook& AddSeriesHook() {
    static TAddSeriesHook hook;
    return hook;
}

TChangeSeriesTypeHook& ChangeSeriesTypeHook() {
    static TChangeSeriesTypeHook hook;
    return hook;
}

namespace {

// A series' row: its display title on one line.
std::string RowText(const TChartSeries* series) {
    return ReplaceCharacter(series->DisplayTitle(), TChartSeries::LineSeparator, ' ');
}

} // namespace

TChartListBox::TChartListBox(TComponent* owner) : TCustomListBox(owner) {
    SetStyle(lbOwnerDrawFixed);
    SetItemHeight(24);
    SetSorted(false);
    SetMultiSelect(true);
    OnDrawItem = [this](TWinControl*, int index, const TRect& rect, TOwnerDrawState state) {
        DrawRow(index, rect, state);
    };
    OnClick = [this](TObject*) {
        if (OnRefresh)
            OnRefresh(this);
    };
}

TChartListBox::~TChartListBox() {
    destroying_ = true;
    SetChart(nullptr);
}

void TChartListBox::DeclareProperties(TPropertyList& p) {
    using B = TChartListBox;
    p.Add("AllowAddSeries", &B::AllowAddSeries).Default(true);
    p.Add("AllowDeleteSeries", &B::AllowDeleteSeries).Default(true);
    p.Add("AskDelete", &B::AskDelete).Default(true);
    p.Add("Chart", &B::Chart, &B::SetChart);
    p.Add("CheckStyle", &B::CheckStyle, &B::SetCheckStyle).Default(cbsCheck);
    p.Add("EnableChangeColor", &B::EnableChangeColor).Default(true);
    p.Add("EnableDragSeries", &B::EnableDragSeries).Default(true);
    p.Add("EnableChangeType", &B::EnableChangeType).Default(true);
    p.Add("FontSeriesColor", &B::FontSeriesColor, &B::SetFontSeriesColor).Default(false);
    const char* names[] = {"ShowSeriesIcon", "ShowActiveCheck", "ShowSeriesColor",
                           "ShowSeriesTitle"};
    for (int c = colIcon; c <= colTitle; ++c) {
        const auto column = static_cast<TColumn>(c);
        p.AddFn<B>(
             names[c], [column](B* b) { return b->ShowColumn(column); },
             [column](B* b, bool on) { b->SetShowColumn(column, on); })
            .Default(true);
    }
}

// ---- the chart ----------------------------------------------------------------------------------

void TChartListBox::SetChart(TCustomChart* chart) {
    if (chart == chart_)
        return;
    if (chart_ != nullptr) {
        chart_->RemoveListener(this);
        chart_->RemoveFreeNotification(this);
    }
    chart_ = chart;
    if (chart_ == nullptr) {
        if (!destroying_)
            Clear();
        return;
    }
    chart_->FreeNotification(this);
    chart_->AddListener(this);
    FillSeries(nullptr);
}

void TChartListBox::Notification(TComponent* component, TOperation operation) {
    TCustomListBox::Notification(component, operation);
    if (operation != opRemove)
        return;
    if (component == chart_) {
        // The chart is going: it tells nothing more, and its listener list goes with it.
        chart_ = nullptr;
        if (!destroying_)
            Clear();
    }
    if (component == titleEdit_)
        titleEdit_ = nullptr;
}

void TChartListBox::SetParent(TWinControl* parent) {
    TCustomListBox::SetParent(parent);
    if (parent != nullptr && Showing() && ItemIndex() >= 0 && Count() == 0)
        SetItemIndex(-1);
}

void TChartListBox::FillSeries(TChartSeries* keep) {
    Items()->Clear();
    if (chart_ != nullptr) {
        for (int i = 0; i < chart_->SeriesCount(); ++i) {
            TChartSeries* series = chart_->SeriesAt(i);
            if (series->ShowInEditor())
                Items()->AddObject(RowText(series), series);
        }
        FollowLegendStyle();
    }
    int row = keep != nullptr ? Items()->IndexOfObject(keep) : -1;
    if (row < 0 && Count() > 0)
        row = 0;
    ClearSelection();
    SetItemIndex(row);
    SetSelected(row, true);
    if (OnOtherItemsChange)
        OnOtherItemsChange(this);
    if (OnRefresh)
        OnRefresh(this);
}

void TChartListBox::FollowLegendStyle() {
    if (chart_ != nullptr && chart_->Legend()->CheckBoxes())
        SetCheckStyle(chart_->Legend()->CheckBoxesStyle());
}

void TChartListBox::ChartEvent(TPlotEvent& event) {
    if (destroying_)
        return;
    if (dynamic_cast<TPlotView3DEvent*>(&event) != nullptr) {
        Invalidate();
        return;
    }
    auto* e = dynamic_cast<TPlotSeriesEvent*>(&event);
    if (e == nullptr)
        return;
    switch (e->Kind) {
    case sekAdd:
    case sekSwap:
        FillSeries(SelectedSeries());
        break;
    case sekRemove:
        RemoveRow(e->Series);
        break;
    case sekChangeTitle: {
        const int row = Items()->IndexOfObject(e->Series);
        if (row < 0)
            break;
        auto* series = static_cast<TChartSeries*>(e->Series);
        if (Sorted()) {
            // A sorted list takes no text in place: the row goes in again where it belongs.
            Items()->Delete(row);
            Items()->AddObject(RowText(series), series);
        } else {
            Items()->Put(row, RowText(series));
        }
        break;
    }
    case sekChangeActive:
        FollowLegendStyle();
        Invalidate();
        break;
    case sekChangeColor:
        Invalidate();
        break;
    case sekDataChanged:
        break;
    }
}

void TChartListBox::RemoveRow(TCustomChartSeries* series) {
    const int row = Items()->IndexOfObject(series);
    if (row < 0)
        return;
    Items()->Delete(row);
    if (OnRemovedSeries)
        OnRemovedSeries(this, series);
}

// ---- settings -----------------------------------------------------------------------------------

void TChartListBox::SetCheckStyle(TCheckBoxesStyle style) {
    if (style == checkStyle_)
        return;
    checkStyle_ = style;
    if (style == cbsRadio && Parent() != nullptr && Parent()->Showing()) {
        bool first = true;
        for (int row = 0; row < Count(); ++row) {
            TChartSeries* series = SeriesAt(row);
            if (series == nullptr || !series->Active())
                continue;
            if (!first)
                series->SetActive(false);
            first = false;
        }
    }
    Invalidate();
}

void TChartListBox::SetFontSeriesColor(bool on) {
    fontSeriesColor_ = on;
    Invalidate();
}

void TChartListBox::SetShowColumn(TColumn column, bool on) {
    columns_[column].visible = on;
    Invalidate();
}

int TChartListBox::ColumnLeft(TColumn column) const {
    int left = 0;
    for (int c = colIcon; c < column; ++c)
        if (columns_[c].visible)
            left += columns_[c].width;
    return left;
}

bool TChartListBox::InColumn(TColumn column, int x) const {
    const int left = ColumnLeft(column);
    return columns_[column].visible && x > left && x < left + columns_[column].width;
}

// ---- the rows and their series ------------------------------------------------------------------

TChartSeries* TChartListBox::SeriesAt(int row) const {
    if (row < 0 || row >= Count())
        return nullptr;
    return static_cast<TChartSeries*>(Items()->Objects(row));
}

TChartSeries* TChartListBox::SelectedSeries() const {
    return SeriesAt(CurrentRow());
}

std::vector<TChartSeries*> TChartListBox::SelectedSeriesList() {
    std::vector<TChartSeries*> list;
    if (MultiSelect())
        for (int row = 0; row < Count(); ++row)
            if (Selected(row))
                list.push_back(SeriesAt(row));
    if (list.empty() && SelectedSeries() != nullptr) {
        list.push_back(SelectedSeries());
        SetSelected(CurrentRow(), true);
    }
    return list;
}

void TChartListBox::SelectSeries(const std::vector<TChartSeries*>& series) {
    ClearSelection();
    for (TChartSeries* s : series) {
        const int row = Items()->IndexOfObject(s);
        if (row < 0)
            continue;
        SetItemIndex(row);
        SetSelected(row, true);
    }
}

void TChartListBox::SelectAll() {
    // The designer, when one is attached, would be told that the chart changed.
    TCustomListBox::SelectAll();
}

void TChartListBox::Refreshed() {
    // The designer, when one is attached, would be told that the chart changed.
    if (OnRefresh)
        OnRefresh(this);
}

// ---- operations ---------------------------------------------------------------------------------

TChartSeries* TChartListBox::AddSeries() {
    if (!AddSeriesHook())
        return nullptr;
    TChartSeries* series = AddSeriesHook()(Owner(), chart_, SelectedSeries());
    if (series == nullptr)
        return nullptr;
    SelectSeries({series});
    Refreshed();
    return series;
}

bool TChartListBox::DeleteSelected() {
    // The series are taken first: each one freed takes its row out through its removal event.
    const std::vector<TChartSeries*> doomed = SelectedSeriesList();
    if (doomed.empty())
        return false;
    if (AskDelete) {
        const std::string name =
            MultiSelect() && SelCount() != 1 ? "(Selected Series)" : RowText(doomed.front());
        if (!ConfirmDelete(name, this))
            return false;
    }
    for (TChartSeries* series : doomed)
        series->Free();
    if (Count() > 0)
        SelectSeries({SeriesAt(0)});
    Refreshed();
    return true;
}

void TChartListBox::ChangeTypeOfSelected() {
    if (chart_ == nullptr || !ChangeSeriesTypeHook())
        return;
    std::vector<TChartSeries*> series = SelectedSeriesList();
    if (series.empty())
        return;
    TChartSeries* const first = series.front();
    const TClass chosen = ChangeSeriesTypeHook()(Owner(), series.front());
    // The first series stays the same object only when the user cancelled: then no other
    // series is changed either.
    if (series.front() == first || chosen == nullptr)
        return;
    for (std::size_t i = 1; i < series.size(); ++i)
        ReplaceSeriesClass(series[i], chosen);
    SelectSeries(series);
    Refreshed();
}
