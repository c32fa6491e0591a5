// The pie's drawing: the multi-pie cell, slices in 2D and 3D (back to front when they stand
// apart), the legend symbol, marks round the circle with their legs, and the slice under the
// mouse.

#include "chart/series/PieSeries.h"

#include "chart/control/Chart.h"
#include "chart/core/MarksCallout.h"
#include "chart/core/SeriesMarks.h"
#include "chart/draw/DrawRoutines.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace {

constexpr double Pi = 3.14159265358979323846;

// One canvas group per slice, closed on every path.
class TSliceGroup {
public:
    TSliceGroup(TCanvas3D& canvas, int index) : canvas_(canvas) {
        canvas_.BeginGroup(std::to_string(index));
    }
    ~TSliceGroup() { canvas_.EndGroup(); }
    TSliceGroup(const TSliceGroup&) = delete;
    TSliceGroup& operator=(const TSliceGroup&) = delete;

private:
    TCanvas3D& canvas_;
};

bool InsidePolygon(const TPointList& poly, int x, int y) {
    bool inside = false;
    for (std::size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++) {
        const TPoint& a = poly[i];
        const TPoint& b = poly[j];
        if ((a.Y > y) != (b.Y > y)) {
            const double cross =
                a.X + static_cast<double>(b.X - a.X) * (y - a.Y) / static_cast<double>(b.Y - a.Y);
            if (x < cross)
                inside = !inside;
        }
    }
    return inside;
}

} // namespace

// ---- the circle and the cell --------------------------------------------------------------------

TRect TPieSeries::MultiPieCell(const TRect& plot, int k, int n) {
    const int columns = std::max(1, RoundEven(std::sqrt(static_cast<double>(n))));
    const int rows = std::max(1, RoundEven(std::sqrt(static_cast<double>(n)) + 0.5));
    const int w = (plot.Right - plot.Left) / columns;
    const int h = (plot.Bottom - plot.Top) / rows;
    const int left = plot.Left + (k % columns) * w;
    const int top = plot.Top + (k / columns) * h;
    return {left, top, left + w, top + h};
}

void TPieSeries::DoBeforeDrawValues() {
    TCustomChart* chart = Chart();
    if (chart != nullptr) {
        savedPlotRect_ = chart->PlotRect();
        savedFixedPlot_ = chart->FixedPlotRect();
        plotSaved_ = true;
        if (multiPie_ == mpAutomatic) {
            int n = 0, k = 0;
            for (int i = 0; i < chart->SeriesCount(); ++i) {
                TChartSeries* s = chart->SeriesAt(i);
                if (!s->Active() || dynamic_cast<TPieSeries*>(s) == nullptr)
                    continue;
                if (s == this)
                    k = n;
                ++n;
            }
            if (n > 1) {
                chart->SetPlotRect(MultiPieCell(savedPlotRect_, k, n));
                chart->SetFixedPlotRect(savedFixedPlot_);
            }
        }
    }
    TCircledSeries::DoBeforeDrawValues();
}

void TPieSeries::DoAfterDrawValues() {
    if (TCustomChart* chart = Chart(); chart != nullptr && plotSaved_) {
        chart->SetPlotRect(savedPlotRect_);
        chart->SetFixedPlotRect(savedFixedPlot_);
        plotSaved_ = false;
    }
    TCircledSeries::DoAfterDrawValues();
}

// ---- slices -------------------------------------------------------------------------------------

TBrushStyle TPieSeries::SlicePattern(int index) const {
    const bool mono = Chart() != nullptr && Chart()->Monochrome();
    if ((!usePatterns_ && !mono) || index == -1)
        return bsSolid;
    static constexpr TBrushStyle patterns[] = {bsHorizontal, bsVertical, bsFDiagonal,
                                               bsBDiagonal,  bsCross,    bsDiagCross};
    return patterns[((index % 6) + 6) % 6];
}

TColor TPieSeries::SliceColor(int index) const {
    if (Chart() != nullptr && Chart()->Monochrome())
        return clBlack;
    return PointColor(index);
}

void TPieSeries::SetSlicePen(int index) {
    TCanvas3D& canvas = *ParentChart()->ChartCanvas();
    if (darkPen_ > 0)
        canvas.ApplyChartPen(PiePen(), ColorDarker(PointColor(index), 255 - darkPen_));
    else
        canvas.ApplyChartPen(PiePen(), PiePen()->Color());
}

void TPieSeries::SetSliceGradient(TColor color) {
    Gradient()->SetEndColor(color);
    if (gradientBright_ > 0)
        Gradient()->SetStartColor(ColorBrighter(color, gradientBright_));
    else if (gradientBright_ < 0)
        Gradient()->SetStartColor(ColorDarker(color, -gradientBright_));
}

void TPieSeries::DrawPoint(int index) {
    if (CircleWidth() < 5 || CircleHeight() < 5 || IsGrouped(index))
        return;
    TCustomChart* chart = Chart();
    if (chart == nullptr)
        return;
    TCanvas3D& canvas = *chart->DrawCanvas();
    const TColor color = SliceColor(index);
    if (color == clNone) {
        canvas.Brush()->SetStyle(bsClear);
    } else {
        chart->SetCanvasBrush(color, Brush(), CircleBackColorInUse());
        const TBrushStyle pattern = SlicePattern(index);
        if (pattern != bsSolid) {
            canvas.Brush()->SetStyle(pattern);
            canvas.SetBackgroundColor(CircleBackColorInUse());
        }
        if (Gradient()->Visible())
            SetSliceGradient(color);
    }
    SetSlicePen(index);
    PaintSlice(index);
}

void TPieSeries::PaintSlice(int index) {
    TCanvas3D& canvas = *ParentChart()->ChartCanvas();
    const TSliceAngle a = Angles()[static_cast<std::size_t>(index)];
    const TPoint offset = ExplodeOffset(index);
    const int cx = CircleXCenter() + offset.X;
    const int cy = CircleYCenter() - offset.Y;
    const bool gradient = Gradient()->Visible() && canvas.Brush()->Style() == bsSolid;
    if (ParentChart()->View3D()) {
        canvas.PieSliceSolid(cx, cy, XRadius(), YRadius(), StartZ(), SliceDepth(index),
                             a.Start + Rotation(), a.End + Rotation(), dark3D_, explodedDrawing_,
                             DonutPercent(), gradient ? Gradient() : nullptr);
        return;
    }
    if (DonutPercent() > 0) {
        if (YValues()->ValueAt(index) != 0)
            canvas.RingSector(cx, cy, XRadius(), YRadius(), a.Start + Rotation(),
                              a.End + Rotation(), DonutPercent());
        return;
    }
    TPoint p3 = AngleToPos(a.Start, XRadius(), YRadius());
    TPoint p5 = AngleToPos(a.End, XRadius(), YRadius());
    if (p3 == p5 && Count() != 1 && !(Count() > 1 && a.End - a.Start > 1))
        return;
    p3 = {p3.X + offset.X, p3.Y - offset.Y};
    p5 = {p5.X + offset.X, p5.Y - offset.Y};
    const TRect r{CircleRect().Left + offset.X, CircleRect().Top - offset.Y,
                  CircleRect().Right + offset.X, CircleRect().Bottom - offset.Y};
    if (gradient) {
        // The gradient fills the slice's outline, centred on the whole circle.
        TPointList outline{{cx, cy}};
        const int steps = std::max(2, RoundEven((a.End - a.Start) * 180 / Pi / 3));
        for (int k = 0; k <= steps; ++k) {
            const TPoint p =
                AngleToPos(a.Start + (a.End - a.Start) * k / steps, XRadius(), YRadius());
            outline.push_back({p.X + offset.X, p.Y - offset.Y});
        }
        canvas.ClipToPolygon(outline, false);
        Gradient()->Fill(canvas, r, 0);
        canvas.RemoveClip();
        canvas.Brush()->SetStyle(bsClear);
    }
    canvas.Pie(r.Left, r.Top, r.Right, r.Bottom, p3.X, p3.Y, p5.X, p5.Y);
}

std::vector<int> TPieSeries::SortedForDepth() const {
    const double size = angleSize_ * Pi / 180;
    const double quarter = size / 4;
    std::vector<std::pair<double, int>> keyed;
    for (int i = FirstVisibleIndex(); i >= 0 && i <= LastVisibleIndex(); ++i) {
        double m = angles_[static_cast<std::size_t>(i)].Middle + Rotation();
        if (m > size)
            m -= size;
        double d = 0;
        if (m <= quarter)
            d = quarter - m;
        else if (m - quarter <= Pi)
            d = m - quarter;
        else
            d = size - (m - quarter);
        keyed.push_back({d, i});
    }
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<int> order;
    for (const auto& k : keyed)
        order.push_back(k.second);
    return order;
}

void TPieSeries::DrawVisiblePoints() {
    drawOrder_.clear();
    if (FirstVisibleIndex() < 0 || ParentChart() == nullptr)
        return;
    TCanvas3D& canvas = *ParentChart()->ChartCanvas();
    ExplodeBiggestSlice();
    int widest = -1;
    for (int i = FirstVisibleIndex(); i <= LastVisibleIndex(); ++i)
        if (exploded_.Value(i) > 0 && (widest < 0 || exploded_.Value(i) > exploded_.Value(widest)))
            widest = i;
    Angles();
    explodedDrawing_ = widest >= 0 || heights_.Count() > 0;
    if (widest >= 0) {
        const TPoint offset = ExplodeOffset(widest);
        TRect r = CircleRect();
        r.Left += std::abs(offset.X) / 2;
        r.Right -= std::abs(offset.X) / 2;
        r.Top += std::abs(offset.Y) / 2;
        r.Bottom -= std::abs(offset.Y) / 2;
        SetCircleRect(r);
        ApplyRadii();
    }
    if (Shadow()->Visible() && (Shadow()->HorizSize() != 0 || Shadow()->VertSize() != 0))
        Shadow()->DrawEllipseShadow(canvas, CircleRect(), EndZ() - 10);
    const bool whole = widest < 0 && angleSize_ == 360 && DonutPercent() == 0;
    if (!ParentChart()->View3D() || whole || canvas.RendersTrue3D()) {
        for (int i = FirstVisibleIndex(); i <= LastVisibleIndex(); ++i)
            drawOrder_.push_back(i);
    } else {
        drawOrder_ = SortedForDepth();
    }
    // A cut pie shows the cut faces of its first and last slices.
    const bool cutFaces = !whole && widest < 0 && !explodedDrawing_ && ParentChart()->View3D();
    for (int i : drawOrder_) {
        TSliceGroup group(canvas, i);
        const bool edge = cutFaces && (i == FirstVisibleIndex() || i == LastVisibleIndex());
        const bool saved = explodedDrawing_;
        explodedDrawing_ = saved || edge;
        DrawPoint(i);
        explodedDrawing_ = saved;
    }
}

void TPieSeries::DrawLegendShape(int index, const TRect& rect) {
    TCircledSeries::DrawLegendShape(index, rect);
    if (!Gradient()->Visible() || ParentChart() == nullptr || index < 0)
        return;
    const TColor color = SliceColor(index);
    if (color == clNone)
        return;
    TCanvas3D& canvas = *ParentChart()->ChartCanvas();
    SetSliceGradient(color);
    Gradient()->Fill(canvas, rect, 0);
    SetSlicePen(index);
    canvas.Brush()->SetStyle(bsClear);
    canvas.Rectangle(rect.Left, rect.Top, rect.Right, rect.Bottom);
}

void TPieSeries::PrepareLegendBrush(int index, TColor& backColor, TBrushStyle& style) {
    TCircledSeries::PrepareLegendBrush(index, backColor, style);
    if (ParentChart() != nullptr && index >= 0)
        SetSlicePen(index);
    style = SlicePattern(index);
}

// ---- marks --------------------------------------------------------------------------------------

void TPieSeries::PointPixels(int index, int& x, int& y) {
    if (index >= 0 && index < static_cast<int>(angles_.size())) {
        int rx = 0, ry = 0;
        ExplodedRadius(index, rx, ry);
        const TPoint p = AngleToPos(angles_[static_cast<std::size_t>(index)].Middle, rx, ry);
        x = p.X;
        y = p.Y;
        return;
    }
    TCircledSeries::PointPixels(index, x, y);
}

void TPieSeries::PlaceMarkLeg(TSeriesMarkPosition& p, int centreX) const {
    const int leg = pieMarks_->LegSize();
    if (leg == 0) {
        p.MidPointUsed = false;
        p.MidPoint = {};
        return;
    }
    int legX = 0;
    if (p.ArrowTo.X > centreX) {
        if (p.ArrowTo.X - leg < p.ArrowFrom.X) {
            legX = p.ArrowFrom.X;
            p.ArrowTo.X += leg;
            p.Left += leg;
        } else {
            legX = p.ArrowTo.X - leg;
        }
    } else if (p.ArrowTo.X + leg > p.ArrowFrom.X) {
        legX = p.ArrowFrom.X;
        p.ArrowTo.X = p.ArrowFrom.X - leg;
        p.Left = p.ArrowTo.X - p.Width;
    } else {
        legX = p.ArrowTo.X + leg;
    }
    p.MidPoint = {legX, p.ArrowTo.Y};
    p.MidPointUsed = true;
}

void TPieSeries::DrawMark(int index, const std::string& text, TSeriesMarkPosition& position) {
    if (IsGrouped(index) || index >= static_cast<int>(Angles().size()))
        return;
    int rx = 0, ry = 0;
    ExplodedRadius(index, rx, ry);
    const double angle = angles_[static_cast<std::size_t>(index)].Middle;
    Marks()->SetZPosition(ParentChart()->View3D() ? SliceDepth(index) : 0);
    const int length = Marks()->Callout()->Length();
    const int distance = Marks()->Callout()->Distance();
    position.ArrowFix = true;
    position.ArrowTo = AngleToPos(angle, rx + length + distance, ry + length + distance);
    position.ArrowFrom = AngleToPos(angle, rx + distance, ry + distance);
    const int cx = CircleXCenter();
    const int cy = CircleYCenter();
    position.Left =
        position.ArrowTo.X > cx ? position.ArrowTo.X : position.ArrowTo.X - position.Width;
    position.Top =
        position.ArrowTo.Y > cy ? position.ArrowTo.Y : position.ArrowTo.Y - position.Height;
    if (pieMarks_->VertCenter())
        position.ArrowTo.Y += position.ArrowTo.Y > cy ? position.Height / 2 : -position.Height / 2;
    PlaceMarkLeg(position, cx);
    if (autoMarkPosition_)
        Marks()->AvoidOverlap(FirstVisibleIndex(), index, position);
    TCircledSeries::DrawMark(index, text, position);
}

// ---- the slice under the mouse ------------------------------------------------------------------

bool TPieSeries::HitSlice(int index, int x, int y) {
    const TSliceAngle a = angles_[static_cast<std::size_t>(index)];
    const TPoint offset = ExplodeOffset(index);
    TCanvas3D* canvas = ParentChart() != nullptr ? ParentChart()->ChartCanvas() : nullptr;
    const int z = EndZ();
    auto place = [&](TPoint p) {
        p = {p.X + offset.X, p.Y - offset.Y};
        return canvas != nullptr && ParentChart()->View3D() ? canvas->Project(p.X, p.Y, z) : p;
    };
    TPointList polygon;
    polygon.reserve(32);
    polygon.push_back(place(AngleToPos(a.Start, XRadius(), YRadius())));
    polygon.push_back(place({CircleXCenter(), CircleYCenter()}));
    const double step = (a.End - a.Start) / 30;
    for (int k = 0; k < 30; ++k)
        polygon.push_back(place(AngleToPos(a.End - k * step, XRadius(), YRadius())));
    return InsidePolygon(polygon, x, y);
}

int TPieSeries::PointAt(int x, int y) {
    const int base = TCircledSeries::PointAt(x, y);
    if (base != -1)
        return base;
    if (angles_.empty())
        return -1;
    const int n = std::min(Count(), static_cast<int>(angles_.size()));
    for (int i = 0; i < n; ++i)
        if (!IsGrouped(i) && HitSlice(i, x, y))
            return i;
    return -1;
}
