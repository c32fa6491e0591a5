#include "chart/tools/AxisArrowTool.h"

#include "chart/axispanel/AxisPanel.h"
#include "chart/axispanel/ChartAxes.h"
#include "chart/control/Chart.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/ChartSeries.h"
#include "chart/draw/ChartPen.h"
#include "chart/draw/PlotCanvas.h"
#include "chart/tools/AxisScrolling.h"
#include "chart/tools/ToolTexts.h"
#include "platform/graphics/Cursors.h"

#include <cstdlib>

namespace {

constexpr int kMouseDown = 0;
constexpr int kMouseMove = 1;
// A press closer than this to the axis line, across it, may hit an arrow.
constexpr int kArrowHitDistance = 3;

// Some series on the axis is bound to both axes of its orientation.
bool AxisPairedBySeries(const TCustomAxisPanel& chart, TChartAxis* axis) {
    for (int i = 0; i < chart.SeriesCount(); ++i) {
        TChartSeries* series = chart.SeriesAt(i);
        if (!series->UsesAxis(axis))
            continue;
        if (axis->Horizontal() ? series->HorizAxis() == aBothHorizAxis
                               : series->VertAxis() == aBothVertAxis)
            return true;
    }
    return false;
}

} // namespace

void TAxisArrowTool::DeclareProperties(TPropertyList& p) {
    using T = TAxisArrowTool;
    p.Add("Active", &T::Active, &T::SetActive).Default(true);
    p.Add("Brush", &T::Brush, &T::SetBrush);
    p.Add("HeadWidth", &T::HeadWidth, &T::SetHeadWidth).Default(8);
    p.Add("Length", &T::Length, &T::SetLength).Default(16);
    p.Add("Pen", &T::Pen, &T::SetPen);
    p.Add("Position", &T::Position, &T::SetPosition).Default(aaBoth);
    p.Add("ScrollInverted", &T::ScrollInverted, &T::SetScrollInverted).Default(false);
    p.Add("ScrollPercent", &T::ScrollPercent, &T::SetScrollPercent).Default(10);
    p.Add("SizePercent", &T::SizePercent, &T::SetSizePercent).Default(50);
}

void TAxisArrowTool::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TAxisArrowTool*>(source)) {
        headWidth_ = other->headWidth_;
        length_ = other->length_;
        position_ = other->position_;
        scrollInverted_ = other->scrollInverted_;
        scrollPercent_ = other->scrollPercent_;
        sizePercent_ = other->sizePercent_;
    }
    TPlotCustomToolAxis::Assign(source);
}

std::string TAxisArrowTool::ToolTitleText() const {
    return ToolText(ttAxisArrowTitle);
}

std::string TAxisArrowTool::ToolSummaryText() const {
    return ToolText(ttAxisArrowSummary);
}

// ---- drawing ------------------------------------------------------------------------------------

void TAxisArrowTool::ChartToolEvent(TChartToolEventKind kind) {
    TPlotCustomToolAxis::ChartToolEvent(kind);
    TCustomAxisPanel* chart = Panel();
    if (kind != ctkAfterDraw || Axis() == nullptr || chart == nullptr || !chart->DrawCanvas())
        return;
    DrawArrows(*chart->DrawCanvas());
}

void TAxisArrowTool::DrawArrows(TCanvas3D& canvas) {
    TChartAxis* axis = Axis();
    TCustomAxisPanel* chart = Panel();
    canvas.SelectBrushWithColor(Brush(), Brush()->Color());
    canvas.ApplyChartPen(Pen(), Pen()->Color());
    const int z = chart->View3D() && axis->OtherSide() ? chart->Depth3D() : 0;
    const int across = axis->AxisPosition();
    const auto arrow = [&](int at, int length) {
        const TPoint head = axis->Horizontal() ? TPoint{at, across} : TPoint{across, at};
        const TPoint tail =
            axis->Horizontal() ? TPoint{at + length, across} : TPoint{across, at + length};
        canvas.ArrowShape(true, tail, head, headWidth_, headWidth_, z, sizePercent_);
    };
    if (position_ != aaEnd)
        arrow(axis->StartPixel(), length_);
    if (position_ != aaStart)
        arrow(axis->EndPixel(), -length_);
}

// ---- the mouse ----------------------------------------------------------------------------------

int TAxisArrowTool::HitArrow(int x, int y) const {
    TChartAxis* axis = Axis();
    if (axis == nullptr)
        return -1;
    const int along = axis->Horizontal() ? x : y;
    const int across = axis->Horizontal() ? y : x;
    if (std::abs(across - axis->AxisPosition()) >= kArrowHitDistance)
        return -1;
    const int start = axis->StartPixel();
    const int end = axis->EndPixel();
    if (position_ != aaEnd && start < along && along < start + length_)
        return 0;
    if (position_ != aaStart && end - length_ < along && along < end)
        return 1;
    return -1;
}

void TAxisArrowTool::ScrollBy(double delta) {
    TChartAxis* axis = Axis();
    auto* chart = dynamic_cast<TCustomChart*>(Panel());
    if (chart == nullptr)
        return;
    if (chart->OnAllowScroll) {
        double minimum = axis->Minimum() + delta;
        double maximum = axis->Maximum() + delta;
        bool allow = true;
        chart->OnAllowScroll(axis, minimum, maximum, allow);
        if (!allow)
            return;
    }
    if (!ScrollAxisBy(*axis, delta))
        return;
    if (AxisPairedBySeries(*chart, axis)) {
        if (TChartAxis* opposite = OppositeAxis(*axis))
            ScrollAxisBy(*opposite, delta);
    }
    if (chart->OnScroll)
        chart->OnScroll(chart);
}

void TAxisArrowTool::ChartMouseEvent(int kind, TMouseButton, TShiftState, int x, int y) {
    TChartAxis* axis = Axis();
    TCustomAxisPanel* chart = Panel();
    if (axis == nullptr || chart == nullptr || !axis->Visible())
        return;
    if (kind == kMouseDown && scrollPercent_ != 0) {
        const int hit = HitArrow(x, y);
        if (hit == -1)
            return;
        double step = (axis->Maximum() - axis->Minimum()) * scrollPercent_ / 100;
        if (scrollInverted_)
            step = -step;
        ScrollBy(hit == 0 ? step : -step);
        chart->MouseCancelled = true;
        if (OnClick)
            OnClick(this, hit == 0);
    } else if (kind == kMouseMove && HitArrow(x, y) != -1) {
        chart->SetChartCursor(crHandPoint);
        chart->MouseCancelled = true;
    }
}
