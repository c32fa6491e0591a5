#include "chart/tools/ColorLineTool.h"

#include "chart/axispanel/AxisPanel.h"
#include "chart/core/ChartAxis.h"
#include "chart/draw/ChartPen.h"
#include "chart/draw/PlotCanvas.h"
#include "chart/tools/ToolDrawing.h"
#include "chart/tools/ToolTexts.h"
#include "platform/graphics/Cursors.h"

#include <cstdlib>
#include <utility>

namespace {

constexpr int kMouseDown = 0;
constexpr int kMouseMove = 1;
constexpr int kMouseUp = 2;
// A press or move closer than this to the line, across it, is on the line.
constexpr int kLineHitDistance = 3;

} // namespace

void TColorLineTool::DeclareProperties(TPropertyList& p) {
    using T = TColorLineTool;
    p.Add("Active", &T::Active, &T::SetActive).Default(true);
    p.Add("AllowDrag", &T::AllowDrag, &T::SetAllowDrag).Default(true);
    p.Add("DragRepaint", &T::DragRepaint, &T::SetDragRepaint).Default(false);
    p.Add("Draw3D", &T::Draw3D, &T::SetDraw3D).Default(true);
    p.Add("DrawBehind", &T::DrawBehind, &T::SetDrawBehind).Default(false);
    p.Add("NoLimitDrag", &T::NoLimitDrag, &T::SetNoLimitDrag).Default(false);
    p.Add("Pen", &T::Pen, &T::SetPen);
    p.Add("Style", &T::Style, &T::SetStyle).Default(clCustom);
    p.Add("Value", &T::Value, &T::SetValue);
}

void TColorLineTool::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TColorLineTool*>(source)) {
        allowDrag_ = other->allowDrag_;
        dragRepaint_ = other->dragRepaint_;
        draw3D_ = other->draw3D_;
        drawBehind_ = other->drawBehind_;
        noLimitDrag_ = other->noLimitDrag_;
        style_ = other->style_;
        value_ = other->value_;
    }
    TPlotCustomToolAxis::Assign(source);
}

std::string TColorLineTool::ToolTitleText() const {
    return ToolText(ttColorLineTitle);
}

std::string TColorLineTool::ToolSummaryText() const {
    return ToolText(ttColorLineSummary);
}

void TColorLineTool::SetValue(double value) {
    if (!ComponentState().Contains(csReading))
        style_ = clCustom;
    if (!dragging_ || dragRepaint_)
        SetField(value_, value);
    else
        value_ = value;
}

TCustomAxisPanel* TColorLineTool::TargetChart() const {
    return targetChart_ != nullptr ? targetChart_ : Panel();
}

void TColorLineTool::ChildChanged(TObject* sender) {
    if (targetChart_ != nullptr)
        targetChart_->Invalidate();
    else
        TPlotCustomToolAxis::ChildChanged(sender);
}

// ---- values -------------------------------------------------------------------------------------

double TColorLineTool::LineValue() const {
    const TChartAxis* axis = Axis();
    if (axis == nullptr)
        return value_;
    switch (style_) {
    case clMaximum:
        return axis->Maximum();
    case clCenter:
        return (axis->Maximum() + axis->Minimum()) * 0.5;
    case clMinimum:
        return axis->Minimum();
    case clCustom:
        break;
    }
    return value_;
}

double TColorLineTool::LimitValue(double value) const {
    const TChartAxis* axis = Axis();
    if (axis == nullptr)
        return value;
    int loPixel = axis->EndPixel();
    int hiPixel = axis->StartPixel();
    if (axis->Horizontal())
        std::swap(loPixel, hiPixel);
    if (axis->Inverted())
        std::swap(loPixel, hiPixel);
    const double lo = axis->PixelToValue(loPixel);
    const double hi = axis->PixelToValue(hiPixel);
    if (value < lo)
        return lo;
    if (value > hi)
        return hi;
    return value;
}

bool TColorLineTool::HitLine(int x, int y) const {
    const TChartAxis* axis = Axis();
    const TCustomAxisPanel* chart = TargetChart();
    if (axis == nullptr || chart == nullptr)
        return false;
    const int p = axis->PixelOf(LineValue());
    const TRect r = chart->PlotRect();
    if (axis->Horizontal())
        return std::abs(x - p) < kLineHitDistance && r.Top <= y && y <= r.Bottom;
    return std::abs(y - p) < kLineHitDistance && r.Left <= x && x <= r.Right;
}

// ---- drawing ------------------------------------------------------------------------------------

void TColorLineTool::DrawParts(TCanvas3D& canvas, int pixel, bool back, bool front) {
    const TCustomAxisPanel& chart = *TargetChart();
    const TRect r = chart.PlotRect();
    const int depth = chart.Depth3D();
    const bool horizontal = Axis()->Horizontal();
    if (back) {
        if (draw3D_) {
            if (horizontal)
                canvas.DepthLine(pixel, r.Bottom, 0, depth);
            else
                canvas.DepthLine(r.Left, pixel, 0, depth);
        }
        if (draw3D_ || drawBehind_) {
            if (horizontal)
                canvas.VerticalLineAtDepth(pixel, r.Top, r.Bottom, depth);
            else
                canvas.HorizontalLineAtDepth(r.Left, r.Right, pixel, depth);
        }
    }
    if (front) {
        if (draw3D_) {
            if (horizontal)
                canvas.DepthLine(pixel, r.Top, 0, depth);
            else
                canvas.DepthLine(r.Right, pixel, 0, depth);
        }
        if (!drawBehind_) {
            if (horizontal)
                canvas.VerticalLineAtDepth(pixel, r.Top, r.Bottom, 0);
            else
                canvas.HorizontalLineAtDepth(r.Left, r.Right, pixel, 0);
        }
    }
}

void TColorLineTool::DrawColorLine(bool back) {
    TCustomAxisPanel* chart = TargetChart();
    if (Axis() == nullptr || chart == nullptr || chart->DrawCanvas() == nullptr)
        return;
    // A custom value stays within the axis; stored quietly, this is the drawing in progress.
    if (allowDrag_ && !noLimitDrag_ && style_ == clCustom)
        value_ = LimitValue(value_);
    TCanvas3D& canvas = *chart->DrawCanvas();
    canvas.ApplyChartPen(Pen(), Pen()->Color());
    canvas.SetBackgroundMode(cbmTransparent);
    const int pixel = Axis()->PixelOf(LineValue());
    if (back)
        DrawParts(canvas, pixel, true, false);
    else if (chart->View3D() || !dragging_ || dragRepaint_)
        DrawParts(canvas, pixel, false, true);
}

void TColorLineTool::DrawInverted() {
    TCustomAxisPanel* chart = TargetChart();
    const int pixel = Axis()->PixelOf(LineValue());
    // The front part is left out of a drag in 2D: there it lies on the back part, and the two
    // would take each other away.
    const bool front = chart->View3D() || dragRepaint_;
    DrawOverChart(*chart, false, [&](TCanvas3D& canvas) {
        canvas.ApplyChartPen(Pen(), Pen()->Color());
        canvas.SetBackgroundMode(cbmTransparent);
        TPenModeScope inverted(canvas, pmNotXor);
        DrawParts(canvas, pixel, true, front);
    });
}

void TColorLineTool::ChartToolEvent(TChartToolEventKind kind) {
    TPlotCustomToolAxis::ChartToolEvent(kind);
    if (Axis() == nullptr)
        return;
    if (kind == ctkBeforeDrawSeries)
        DrawColorLine(true);
    else if (kind == ctkAfterDraw)
        DrawColorLine(false);
}

// ---- the mouse ----------------------------------------------------------------------------------

void TColorLineTool::DoEndDragLine() {
    if (OnEndDragInternal)
        OnEndDragInternal(this);
    if (OnEndDragLine)
        OnEndDragLine(this);
}

void TColorLineTool::MouseMoved(int x, int y) {
    TCustomAxisPanel* chart = TargetChart();
    TChartAxis* axis = Axis();
    if (!dragging_) {
        if (HitLine(x, y)) {
            chart->SetChartCursor(axis->Horizontal() ? crHSplit : crVSplit);
            chart->MouseCancelled = true;
        } else {
            chart->SetChartCursor(crDefault);
        }
        return;
    }
    double value = axis->PixelToValue(axis->Horizontal() ? x : y);
    if (!noLimitDrag_)
        value = LimitValue(value);
    bool moved = false;
    if (dragRepaint_) {
        SetValue(value);
    } else if (value != LineValue()) {
        DrawInverted();
        style_ = clCustom;
        SetValue(value);
        moved = true;
    }
    chart->MouseCancelled = true;
    if (OnDragLine)
        OnDragLine(this);
    if (moved)
        DrawInverted();
}

void TColorLineTool::ChartMouseEvent(int kind, TMouseButton button, TShiftState, int x, int y) {
    TCustomAxisPanel* chart = TargetChart();
    if (!allowDrag_ || Axis() == nullptr || chart == nullptr)
        return;
    switch (kind) {
    case kMouseDown:
        if (button != mbLeft)
            break;
        dragging_ = HitLine(x, y);
        chart->MouseCancelled = dragging_;
        if (dragging_ && OnBeginDragLine)
            OnBeginDragLine(this);
        break;
    case kMouseMove:
        MouseMoved(x, y);
        break;
    case kMouseUp:
        if (!dragging_)
            break;
        if (!dragRepaint_)
            chart->Invalidate();
        DoEndDragLine();
        dragging_ = false;
        break;
    default:
        break;
    }
}
