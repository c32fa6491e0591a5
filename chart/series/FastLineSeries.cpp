#include "chart/series/FastLineSeries.h"

#include "chart/axispanel/AxisPanel.h"
#include "chart/draw/ChartPen.h"
#include "chart/draw/ChartTypes.h"
#include "chart/draw/PlotCanvas.h"
#include "chart/util/HitTests.h"

#include <algorithm>

TFastLineSeries::TFastLineSeries(TComponent* owner) : TCustomLineSeries(owner) {
    allowSinglePoint_ = false;
    drawBetweenPoints_ = true;
    SetTreatNulls(tnIgnore);
}

void TFastLineSeries::DeclareProperties(TPropertyList& p) {
    using S = TFastLineSeries;
    p.Add("AutoRepaint", &S::AutoRepaint, &S::SetAutoRepaint).Default(true);
    p.Add("DrawAllPoints", &S::DrawAllPoints, &S::SetDrawAllPoints).Default(true);
    p.Add("IgnoreNulls", &S::IgnoreNulls, &S::SetIgnoreNulls).Default(true);
    p.Add("InvertedStairs", &S::InvertedStairs, &S::SetInvertedStairs).Default(false);
    p.Add("LinePen", &S::LinePen, &S::SetLinePen);
    p.Add("Stairs", &S::Stairs, &S::SetStairs).Default(false);
    p.Add("TreatNulls", &S::TreatNulls, &S::SetTreatNulls).Default(tnIgnore);
}

void TFastLineSeries::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TFastLineSeries*>(source)) {
        autoRepaint_ = other->autoRepaint_;
        drawAllPoints_ = other->drawAllPoints_;
        ignoreNulls_ = other->ignoreNulls_;
        invertedStairs_ = other->invertedStairs_;
        stairs_ = other->stairs_;
    }
    TCustomLineSeries::Assign(source);
}

void TFastLineSeries::SetLinePen(TChartPen* value) {
    TCustomLineSeries::SetLinePen(value);
    SetSeriesColor(LinePen()->Color());
}

void TFastLineSeries::SetSeriesColor(TColor value) {
    TCustomLineSeries::SetSeriesColor(value);
    LinePen()->SetColor(value);
}

int TFastLineSeries::WidthMargin() const {
    const int w = LinePen()->Width();
    return w - (w - 2) / 2;
}

void TFastLineSeries::GetHorizMargins(int& left, int& right) {
    TCustomLineSeries::GetHorizMargins(left, right);
    left += WidthMargin();
    right += WidthMargin();
}

void TFastLineSeries::GetVertMargins(int& top, int& bottom) {
    TCustomLineSeries::GetVertMargins(top, bottom);
    top += WidthMargin();
    bottom += WidthMargin();
}

// ---- drawing ------------------------------------------------------------------------------------

TPoint TFastLineSeries::ScreenPosition(int index) const {
    return {XValueToPixel(XValues()->ValueAt(index)), YValueToPixel(YValues()->ValueAt(index))};
}

void TFastLineSeries::PrepareCanvas(TCanvas3D& canvas) {
    canvas.SelectPen(LinePen());
    canvas.Brush()->SetStyle(bsClear);
    canvas.SetBackgroundMode(cbmTransparent);
}

void TFastLineSeries::MoveCanvas(TCanvas3D& canvas, TPoint p) {
    if (ParentChart()->View3D())
        canvas.MoveToAtDepth(p.X, p.Y, MiddleZ());
    else
        canvas.MoveTo(p.X, p.Y);
}

void TFastLineSeries::DrawVisiblePoints() {
    const int first = FirstVisibleIndex();
    if (first < 0 || ParentChart() == nullptr)
        return;
    TCanvas3D& canvas = *ParentChart()->ChartCanvas();
    PrepareCanvas(canvas);
    const TPoint start = ScreenPosition(first > 0 ? first - 1 : first);
    lastX_ = start.X;
    lastY_ = start.Y;
    MoveCanvas(canvas, start);
    if (first > 0)
        DrawPoint(first);
    const int last = LastVisibleIndex();
    for (int i = first + 1; i <= last; ++i)
        DrawPoint(i);
}

bool TFastLineSeries::ShouldDraw(int index, TPoint& p) const {
    if (ignoreNulls_)
        return true;
    if (IsNull(index)) {
        switch (TreatNulls()) {
        case tnIgnore:
            return true;
        case tnSkip:
            p = {lastX_, lastY_};
            return false;
        case tnDontPaint:
            return false;
        }
        return false;
    }
    // After a gap the line starts again here.
    return !(TreatNulls() == tnDontPaint && index > 0 && IsNull(index - 1));
}

void TFastLineSeries::DrawPoint(int index) {
    TPoint p = ScreenPosition(index);
    if (p.X == lastX_ && (!drawAllPoints_ || p.Y == lastY_))
        return;
    TCanvas3D& canvas = *ParentChart()->ChartCanvas();
    if (!ShouldDraw(index, p)) {
        MoveCanvas(canvas, p);
    } else if (ParentChart()->View3D()) {
        const int z = MiddleZ();
        if (stairs_) {
            if (invertedStairs_)
                canvas.LineToAtDepth(lastX_, p.Y, z);
            else
                canvas.LineToAtDepth(p.X, lastY_, z);
        }
        canvas.LineToAtDepth(p.X, p.Y, z);
    } else {
        if (stairs_) {
            if (invertedStairs_)
                canvas.LineTo(lastX_, p.Y);
            else
                canvas.LineTo(p.X, lastY_);
        }
        canvas.LineTo(p.X, p.Y);
    }
    lastX_ = p.X;
    lastY_ = p.Y;
}

void TFastLineSeries::PrepareLegendSymbol(TCanvas3D& canvas) {
    PrepareCanvas(canvas);
}

void TFastLineSeries::DrawLegendShape(int, const TRect& rect) {
    if (ParentChart() == nullptr)
        return;
    TCanvas3D& canvas = *ParentChart()->ChartCanvas();
    PrepareLegendSymbol(canvas);
    const int y = (rect.Top + rect.Bottom) / 2;
    canvas.MoveTo(rect.Left, y);
    canvas.LineTo(rect.Right, y);
}

// ---- adding points ------------------------------------------------------------------------------

void TFastLineSeries::PointAdded(TChartSeries* sender, int index) {
    if (autoRepaint_) {
        TCustomLineSeries::PointAdded(sender, index);
        return;
    }
    if (ParentChart() != nullptr && Active())
        AppendSegment(index);
}

void TFastLineSeries::AppendSegment(int index) {
    auto* panel = dynamic_cast<TCustomAxisPanel*>(ParentChart());
    if (panel == nullptr)
        return;
    const TPoint from = ScreenPosition(index > 0 ? index - 1 : 0);
    const TPoint to = ScreenPosition(index);
    // The rectangle the segment may touch, stairs and pen width included, on the screen.
    TPoint corners[3] = {
        from, to, {invertedStairs_ ? from.X : to.X, invertedStairs_ ? to.Y : from.Y}};
    TCanvas3D& chartCanvas = *panel->ChartCanvas();
    if (panel->View3D())
        for (TPoint& c : corners)
            c = chartCanvas.Project(c.X, c.Y, MiddleZ());
    TRect area{corners[0].X, corners[0].Y, corners[0].X, corners[0].Y};
    for (const TPoint& c : corners) {
        area.Left = std::min(area.Left, c.X);
        area.Top = std::min(area.Top, c.Y);
        area.Right = std::max(area.Right, c.X);
        area.Bottom = std::max(area.Bottom, c.Y);
    }
    const int pen = std::max(1, LinePen()->Width());
    area = {area.Left - pen, area.Top - pen, area.Right + pen + 1, area.Bottom + pen + 1};
    // Without a valid back buffer this only asks for a full drawing.
    panel->DrawOverBuffer(area, [&](TCanvas3D& canvas) {
        struct TClip {
            TCustomAxisPanel& panel;
            ~TClip() { panel.RemovePlotClip(); }
        } clip{*panel};
        if (panel->ClipPoints())
            panel->ClipPlot();
        canvas.SelectPen(LinePen());
        lastX_ = from.X;
        lastY_ = from.Y;
        MoveCanvas(canvas, from);
        DrawPoint(index);
    });
}

// ---- hit test -----------------------------------------------------------------------------------

int TFastLineSeries::PointAt(int x, int y) {
    const int first = FirstVisibleIndex();
    if (first < 0 || ParentChart() == nullptr)
        return -1;
    if (ParentChart()->View3D())
        ParentChart()->ChartCanvas()->Unproject(x, y, MiddleZ());
    const TPoint at{x, y};
    TPoint previous{0, 0};
    for (int i = first; i <= LastVisibleIndex(); ++i) {
        TPoint p;
        PointPixels(i, p.X, p.Y);
        if (p == at)
            return i;
        if (i > first) {
            if (!stairs_) {
                if (PointNearSegment(at, p, previous))
                    return i - 1;
            } else if (PointNearSegment(at, p, {p.X, previous.Y}) ||
                       PointNearSegment(at, {p.X, previous.Y}, previous)) {
                return i - 1;
            }
        }
        previous = p;
    }
    return -1;
}
