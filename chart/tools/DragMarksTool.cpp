#include "chart/tools/DragMarksTool.h"

#include "chart/axispanel/AxisPanel.h"
#include "chart/core/ChartSeries.h"
#include "chart/core/SeriesMarks.h"
#include "chart/tools/ToolTexts.h"
#include "platform/graphics/Cursors.h"

namespace {

constexpr int kMouseDown = 0;
constexpr int kMouseMove = 1;
constexpr int kMouseUp = 2;

} // namespace

void TDragMarksTool::DeclareProperties(TPropertyList& p) {
    using T = TDragMarksTool;
    p.Add("Active", &T::Active, &T::SetActive).Default(true);
}

std::string TDragMarksTool::ToolTitleText() const {
    return ToolText(ttDragMarksTitle);
}

std::string TDragMarksTool::ToolSummaryText() const {
    return ToolText(ttDragMarksSummary);
}

void TDragMarksTool::Notification(TComponent* component, TOperation operation) {
    TPlotCustomToolSeries::Notification(component, operation);
    if (operation == opRemove && component == markSeries_) {
        markSeries_ = nullptr;
        markIndex_ = -1;
    }
}

int TDragMarksTool::MarkAt(int x, int y, bool visibleOnly, TChartSeries*& series) const {
    const auto test = [&](TChartSeries* s) {
        if (!s->Active() || (visibleOnly && !s->Marks()->Visible()))
            return -1;
        return s->Marks()->MarkAt(x, y);
    };
    series = nullptr;
    if (Series() != nullptr) {
        const int index = test(Series());
        if (index != -1)
            series = Series();
        return index;
    }
    TCustomAxisPanel* chart = Panel();
    if (chart == nullptr)
        return -1;
    for (int i = chart->SeriesCount() - 1; i >= 0; --i) {
        const int index = test(chart->SeriesAt(i));
        if (index != -1) {
            series = chart->SeriesAt(i);
            return index;
        }
    }
    return -1;
}

void TDragMarksTool::DragTo(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomAxisPanel* chart = Panel();
    if (TSeriesMarkPosition* position = markSeries_->Marks()->Positions().EntryAt(markIndex_)) {
        const int dx = x - lastX_;
        const int dy = y - lastY_;
        position->Custom = true;
        position->Left += dx;
        position->Top += dy;
        position->ArrowTo.X += dx;
        position->ArrowTo.Y += dy;
    }
    lastX_ = x;
    lastY_ = y;
    chart->MouseCancelled = true;
    chart->Invalidate();
    if (OnDraggingMark)
        OnDraggingMark(this, markIndex_, button, shift, x, y);
}

void TDragMarksTool::ChartMouseEvent(int kind, TMouseButton button, TShiftState shift, int x,
                                     int y) {
    TCustomAxisPanel* chart = Panel();
    if (chart == nullptr)
        return;
    // A series taken off the chart during the drag ends it.
    if (markIndex_ != -1 && (markSeries_ == nullptr || markSeries_->ParentChart() != chart))
        markIndex_ = -1;
    switch (kind) {
    case kMouseDown: {
        TChartSeries* series = nullptr;
        const int index = MarkAt(x, y, false, series);
        if (index != -1) {
            if (markSeries_ != nullptr && markSeries_ != series)
                markSeries_->RemoveFreeNotification(this);
            markSeries_ = series;
            markSeries_->FreeNotification(this);
            markIndex_ = index;
            lastX_ = x;
            lastY_ = y;
            chart->MouseCancelled = true;
        }
        break;
    }
    case kMouseMove:
        if (markIndex_ != -1) {
            DragTo(button, shift, x, y);
        } else {
            TChartSeries* series = nullptr;
            if (MarkAt(x, y, true, series) != -1) {
                chart->SetChartCursor(crHandPoint);
                chart->MouseCancelled = true;
            }
        }
        break;
    case kMouseUp:
        if (markIndex_ != -1 && OnDraggedMark)
            OnDraggedMark(this, markIndex_, button, shift, x, y);
        markIndex_ = -1;
        break;
    default:
        break;
    }
}
