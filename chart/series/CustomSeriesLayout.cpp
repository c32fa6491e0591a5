// Where the line family's points land: stacking, origins, extremes, margins, the visible range,
// depth slots and the point under the mouse.

#include "chart/core/ChartAxis.h"
#include "chart/core/ChartHost.h"
#include "chart/core/SeriesMarks.h"
#include "chart/draw/PlotCanvas.h"
#include "chart/series/CustomSeries.h"
#include "chart/series/VisibleRangeWidening.h"
#include "chart/util/HitTests.h"

#include <algorithm>
#include <cstdint>

// ---- stacking ---------------------------------------------------------------------------------

bool TCustomSeries::StacksWith(TCustomSeries* series) {
    return IsSameKindAs(series);
}

// Values of the partners at index on value's side (above 0 for a value of 0 or more, below 0
// otherwise); onlyBelow stops at this series, else every series of the chart counts.
double TCustomSeries::StackSum(int index, double value, bool onlyBelow) {
    TChartHost* chart = ParentChart();
    if (!chart)
        return 0;
    double sum = 0;
    for (int i = 0; i < chart->SeriesCount(); ++i) {
        TChartSeries* series = chart->SeriesAt(i);
        if (onlyBelow && series == this)
            break;
        if (!series->Active() || series->Count() <= index)
            continue;
        auto* partner = dynamic_cast<TCustomSeries*>(series);
        if (partner != this && (!partner || !StacksWith(partner)))
            continue;
        const double v = series->MandatoryValueAt(index);
        if (value >= 0 ? v > 0 : v < 0)
            sum += v;
    }
    return sum;
}

double TCustomSeries::StackBelow(int index, double value) {
    return StackSum(index, value, true);
}

double TCustomSeries::StackTotal(int index, double value) {
    return StackSum(index, value, false);
}

int TCustomSeries::StackedPixel(int index, double value) {
    TChartAxis* axis = ValueAxis();
    if (!axis)
        return 0;
    const double below = StackBelow(index, value);
    if (stacked_ == cssStack100) {
        const double total = StackTotal(index, value);
        return total == 0 ? axis->EndPixel() : axis->PixelOf((below + value) * 100 / total);
    }
    return std::min(axis->PixelOf(below + value), axis->EndPixel());
}

// ---- positions --------------------------------------------------------------------------------

int TCustomSeries::PixelX(int index) {
    if (!VerticalValues() && StackingValues())
        return StackedPixel(index, XValueAt(index));
    return TCustomLineSeries::PixelX(index);
}

int TCustomSeries::PixelY(int index) {
    if (VerticalValues() && StackingValues())
        return StackedPixel(index, YValueAt(index));
    return TCustomLineSeries::PixelY(index);
}

int TCustomSeries::OriginPos(int index) {
    if (StackingValues())
        return StackedPixel(index, 0);
    TChartAxis* axis = ValueAxis();
    if (!axis)
        return 0;
    if (VerticalValues())
        return axis->Inverted() ? axis->StartPixel() : axis->EndPixel();
    return axis->Inverted() ? axis->EndPixel() : axis->StartPixel();
}

// ---- extremes ---------------------------------------------------------------------------------

double TCustomSeries::MandatoryExtreme(bool minimum) {
    const bool countNulls = TreatNulls() == tnIgnore;
    bool any = false;
    double result = 0;
    for (int i = 0; i < Count(); ++i) {
        if (!countNulls && IsNull(i))
            continue;
        const double v = MandatoryValueAt(i);
        if (!any || (minimum ? v < result : v > result))
            result = v;
        any = true;
    }
    return result;
}

double TCustomSeries::ValueExtreme(bool highest) {
    if (stacked_ == cssStack100)
        return highest ? 100 : 0;
    double result = MandatoryExtreme(!highest);
    if (stacked_ == cssStack) {
        for (int i = 0; i < Count(); ++i) {
            const double v = MandatoryValueAt(i);
            const double top = StackBelow(i, v) + v;
            result = highest ? std::max(result, top) : std::min(result, top);
        }
    }
    return result;
}

double TCustomSeries::HighestX() {
    return VerticalValues() ? TCustomLineSeries::HighestX() : ValueExtreme(true);
}

double TCustomSeries::HighestY() {
    return VerticalValues() ? ValueExtreme(true) : TCustomLineSeries::HighestY();
}

double TCustomSeries::LowestX() {
    return VerticalValues() ? TCustomLineSeries::LowestX() : ValueExtreme(false);
}

double TCustomSeries::LowestY() {
    return VerticalValues() ? ValueExtreme(false) : TCustomLineSeries::LowestY();
}

// ---- margins and depth ------------------------------------------------------------------------

void TCustomSeries::GetHorizMargins(int& left, int& right) {
    TCustomLineSeries::GetHorizMargins(left, right);
    pointer_->CalcHorizMargins(left, right);
    if (connectPoints_) {
        if (stairs_) {
            left = std::max(left, LinePen()->Width());
            right = std::max(right, LinePen()->Width());
        }
        if (outLine_->Visible()) {
            left = std::max(left, outLine_->Width());
            right = std::max(right, outLine_->Width());
        }
    }
    if (!VerticalValues() && Marks()->Visible())
        right = std::max(right, MarkOffset());
}

void TCustomSeries::GetVertMargins(int& top, int& bottom) {
    TCustomLineSeries::GetVertMargins(top, bottom);
    pointer_->CalcVerticalMargins(top, bottom);
    if (connectPoints_) {
        if (stairs_) {
            top = std::max(top, LinePen()->Width());
            bottom = std::max(bottom, LinePen()->Width());
        }
        if (outLine_->Visible()) {
            top = std::max(top, outLine_->Width());
            bottom = std::max(bottom, outLine_->Width());
        }
    }
    if (VerticalValues() && Marks()->Visible())
        top = std::max(top, MarkOffset());
    if (lineHeight_ > 0 && !drawArea_ && ParentChart() && ParentChart()->View3D())
        bottom = std::max(bottom, lineHeight_);
}

// Stacked and overlapping series share the slot of the series before them; the first series of
// a chart has no slot before it and takes the first one.
void TCustomSeries::AssignZOrder() {
    TChartHost* chart = ParentChart();
    if (stacked_ == cssNone || !chart || ZOrder() != -1) {
        TCustomLineSeries::AssignZOrder();
        return;
    }
    SetInternalZOrder(std::max(0, chart->MaxZOrder()));
    if (chart->MaxZOrder() < 0)
        chart->SetMaxZOrder(0);
}

// ---- visible range ----------------------------------------------------------------------------

bool TCustomSeries::PointInChartRect(int index) {
    TChartHost* chart = ParentChart();
    if (!chart)
        return false;
    const TRect plot = chart->ChartRect();
    // In 64 bits: a pointer size read from a description may be as large as an int holds.
    const std::int64_t x = PixelX(index), y = PixelY(index);
    const std::int64_t hs = pointer_->HorizSize(), vs = pointer_->VertSize();
    return std::max<std::int64_t>(plot.Left, x - hs) < std::min<std::int64_t>(plot.Right, x + hs) &&
           std::max<std::int64_t>(plot.Top, y - vs) < std::min<std::int64_t>(plot.Bottom, y + vs);
}

void TCustomSeries::UpdateVisibleRange() {
    TCustomLineSeries::UpdateVisibleRange();
    int first = FirstVisibleIndex(), last = LastVisibleIndex();
    if (first < 0)
        return;
    WidenVisibleRange(first, last, Count(), *NotMandatoryValueList(),
                      [this](int i) { return PointInChartRect(i); });
    SetVisibleRange(first, last);
}

// ---- hit test ---------------------------------------------------------------------------------

bool TCustomSeries::HandlesClicks() const {
    return HasClickHandlers() || (pointer_->Visible() && OnClickPointer);
}

bool TCustomSeries::PointerHit(int index, int px, int py, int x, int y) {
    BeforePointerHit(index);
    const TSeriesPointerStyle style =
        OnGetPointerStyle ? OnGetPointerStyle(this, index) : pointer_->Style();
    return style != psNothing && std::abs(px - x) < pointer_->HorizSize() &&
           std::abs(py - y) < pointer_->VertSize();
}

TPoint TCustomSeries::DepthStep() const {
    TChartHost* chart = ParentChart();
    if (!chart || !chart->View3D() || !chart->ChartCanvas())
        return {0, 0};
    TCanvas3D& canvas = *chart->ChartCanvas();
    const TPoint front = canvas.Project(0, 0, StartZ());
    const TPoint back = canvas.Project(0, 0, EndZ());
    return {back.X - front.X, front.Y - back.Y};
}

bool TCustomSeries::SegmentHit(int ppx, int ppy, int px, int py, int x, int y) {
    const TPoint p{x, y};
    if (ParentChart()->View3D()) {
        const TPoint d = DepthStep();
        return PointInsidePolygon(
            p, {{px, py}, {px + d.X, py - d.Y}, {ppx + d.X, ppy - d.Y}, {ppx, ppy}});
    }
    if (stairs_) {
        if (invertedStairs_)
            return PointNearSegment(p, {ppx, ppy}, {ppx, py}) ||
                   PointNearSegment(p, {ppx, py}, {px, py});
        return PointNearSegment(p, {ppx, ppy}, {px, ppy}) ||
               PointNearSegment(p, {px, ppy}, {px, py});
    }
    return PointNearSegment(p, {px, py}, {ppx, ppy});
}

bool TCustomSeries::AreaHit(int index, int ppx, int ppy, int px, int py, int x, int y) {
    const bool vertical = VerticalValues();
    int a = vertical ? ppy : ppx;
    int b = vertical ? py : px;
    if (stairs_) {
        if (invertedStairs_)
            a = b;
        else
            b = a;
    }
    const int origin = OriginPos(index), prevOrigin = OriginPos(index - 1);
    if (vertical)
        return PointInsidePolygon({x, y}, {{ppx, a}, {px, b}, {px, origin}, {ppx, prevOrigin}});
    return PointInsidePolygon({x, y}, {{a, ppy}, {b, py}, {origin, py}, {prevOrigin, ppy}});
}

int TCustomSeries::PointAt(int x, int y) {
    if (TChartHost* chart = ParentChart()) {
        if (TCanvas3D* canvas = chart->ChartCanvas())
            canvas->Unproject(x, y, StartZ());
    } else {
        return -1;
    }
    const int found = TCustomLineSeries::PointAt(x, y);
    const int first = FirstVisibleIndex(), last = LastVisibleIndex();
    if (found != -1 || first == -1 || last == -1)
        return found;
    const int start = clickableLine_ ? std::max(0, first - 1) : first;
    int ppx = 0, ppy = 0;
    for (int i = start; i <= last; ++i) {
        if (i >= Count())
            return -1;
        const int px = PixelX(i), py = PixelY(i);
        if (pointer_->Visible() && PointerHit(i, px, py, x, y)) {
            if (OnClickPointer)
                OnClickPointer(this, i, x, y);
            return i;
        }
        if (px == x && py == y)
            return i;
        if (i > start && ((clickableLine_ && SegmentHit(ppx, ppy, px, py, x, y)) ||
                          (drawArea_ && AreaHit(i, ppx, ppy, px, py, x, y))))
            return i - 1;
        ppx = px;
        ppy = py;
    }
    return -1;
}
