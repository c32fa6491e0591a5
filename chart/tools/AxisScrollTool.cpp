#include "chart/tools/AxisScrollTool.h"

#include "chart/axispanel/AxisPanel.h"
#include "chart/axispanel/ChartAxes.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/ChartSeries.h"
#include "chart/tools/AxisScrolling.h"
#include "chart/tools/ToolTexts.h"
#include "platform/graphics/Cursors.h"

namespace {

constexpr int kMouseDown = 0;
constexpr int kMouseMove = 1;
constexpr int kMouseUp = 2;

// Some series of the chart uses both axes.
bool ShareASeries(const TCustomAxisPanel& chart, TChartAxis* a, TChartAxis* b) {
    for (int i = 0; i < chart.SeriesCount(); ++i) {
        TChartSeries* series = chart.SeriesAt(i);
        if (series->UsesAxis(a) && series->UsesAxis(b))
            return true;
    }
    return false;
}

} // namespace

void TAxisScrollTool::DeclareProperties(TPropertyList& p) {
    using T = TAxisScrollTool;
    p.Add("Active", &T::Active, &T::SetActive).Default(true);
    p.Add("ScrollInverted", &T::ScrollInverted, &T::SetScrollInverted).Default(false);
}

void TAxisScrollTool::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TAxisScrollTool*>(source))
        scrollInverted_ = other->scrollInverted_;
    TPlotCustomToolAxis::Assign(source);
}

std::string TAxisScrollTool::ToolTitleText() const {
    return ToolText(ttAxisScrollTitle);
}

std::string TAxisScrollTool::ToolSummaryText() const {
    return ToolText(ttAxisScrollSummary);
}

TChartAxis* TAxisScrollTool::AxisAt(int x, int y) const {
    TCustomAxisPanel* chart = Panel();
    if (chart == nullptr)
        return nullptr;
    if (TChartAxis* axis = Axis())
        return axis->Visible() && axis->ClickedAt(x, y) ? axis : nullptr;
    TChartAxes& axes = *chart->Axes();
    for (int i = 0; i < axes.Count(); ++i) {
        TChartAxis* axis = axes.Items(i);
        if (axis->Visible() && axis->ClickedAt(x, y))
            return axis;
    }
    return nullptr;
}

void TAxisScrollTool::DragTo(int x, int y) {
    TCustomAxisPanel* chart = Panel();
    const bool horizontal = dragAxis_->Horizontal();
    int delta = horizontal ? startX_ - x : startY_ - y;
    if (dragAxis_->Inverted())
        delta = -delta;
    if (horizontal == scrollInverted_)
        delta = -delta;
    ScrollAxisByPixels(*dragAxis_, delta);
    TChartAxes& axes = *chart->Axes();
    for (int i = 0; i < axes.Count(); ++i) {
        TChartAxis* other = axes.Items(i);
        if (other != dragAxis_ && other->Horizontal() == horizontal &&
            ShareASeries(*chart, dragAxis_, other))
            ScrollAxisByPixels(*other, delta);
    }
    startX_ = x;
    startY_ = y;
    chart->MouseCancelled = true;
}

void TAxisScrollTool::ChartMouseEvent(int kind, TMouseButton, TShiftState, int x, int y) {
    TCustomAxisPanel* chart = Panel();
    if (chart == nullptr)
        return;
    switch (kind) {
    case kMouseDown:
        dragAxis_ = AxisAt(x, y);
        startX_ = x;
        startY_ = y;
        // The drag is this tool's: the chart starts no zoom or scroll of its own under it.
        if (dragAxis_ != nullptr)
            chart->MouseCancelled = true;
        break;
    case kMouseMove:
        // An axis freed during the drag ends it.
        if (dragAxis_ != nullptr && chart->Axes()->IndexOf(dragAxis_) < 0)
            dragAxis_ = nullptr;
        if (dragAxis_ != nullptr) {
            DragTo(x, y);
        } else if (AxisAt(x, y) != nullptr) {
            chart->SetChartCursor(crHandPoint);
            chart->MouseCancelled = true;
        }
        break;
    case kMouseUp:
        dragAxis_ = nullptr;
        break;
    default:
        break;
    }
}
