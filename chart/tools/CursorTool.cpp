#include "chart/tools/CursorTool.h"

#include "chart/axispanel/AxisPanel.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/ChartSeries.h"
#include "chart/draw/ChartPen.h"
#include "chart/draw/PlotCanvas.h"
#include "chart/tools/ToolDrawing.h"
#include "chart/tools/ToolTexts.h"
#include "chart/tools/VisiblePoints.h"
#include "platform/graphics/Cursors.h"

#include <cmath>
#include <cstdlib>

namespace {

constexpr int kMouseDown = 0;
constexpr int kMouseMove = 1;
constexpr int kMouseUp = 2;

} // namespace

TCursorTool::TCursorTool(TComponent* owner) : TPlotCustomToolSeries(owner) {}

void TCursorTool::DeclareProperties(TPropertyList& p) {
    using T = TCursorTool;
    p.Add("Active", &T::Active, &T::SetActive).Default(true);
    p.Add("ClickTolerance", &T::ClickTolerance, &T::SetClickTolerance).Default(3);
    p.Add("FollowMouse", &T::FollowMouse, &T::SetFollowMouse).Default(false);
    p.Add("HorizSize", &T::HorizSize, &T::SetHorizSize).Default(0);
    p.Add("Pen", &T::Pen, &T::SetPen);
    p.Add("ScopeSize", &T::ScopeSize, &T::SetScopeSize).Default(4);
    p.Add("ScopeStyle", &T::ScopeStyle, &T::SetScopeStyle).Default(scsRectangle);
    p.Add("Snap", &T::Snap, &T::SetSnap).Default(false);
    p.Add("SnapStyle", &T::SnapStyle, &T::SetSnapStyle).Default(snapDefault);
    p.Add("Style", &T::Style, &T::SetStyle).Default(cssBoth);
    p.Add("UseSeriesZ", &T::UseSeriesZ, &T::SetUseSeriesZ).Default(false);
    p.Add("VertSize", &T::VertSize, &T::SetVertSize).Default(0);
}

void TCursorTool::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TCursorTool*>(source)) {
        boundByPlotRect_ = other->boundByPlotRect_;
        xValue_ = other->xValue_;
        yValue_ = other->yValue_;
        clickTolerance_ = other->clickTolerance_;
        followMouse_ = other->followMouse_;
        horizSize_ = other->horizSize_;
        scopeSize_ = other->scopeSize_;
        scopeStyle_ = other->scopeStyle_;
        snap_ = other->snap_;
        snapStyle_ = other->snapStyle_;
        style_ = other->style_;
        useSeriesZ_ = other->useSeriesZ_;
        vertSize_ = other->vertSize_;
    }
    TPlotCustomToolSeries::Assign(source);
}

void TCursorTool::SetParentChart(TChartHost* chart) {
    TPlotCustomToolSeries::SetParentChart(chart);
    Repaint();
}

void TCursorTool::SetSeries(TChartSeries* value) {
    TPlotCustomToolSeries::SetSeries(value);
    lastSnapIndex_ = -1;
    if (value != nullptr && !ComponentState().Contains(csLoading)) {
        SnapToSeries();
        Repaint();
    }
}

void TCursorTool::SetStyle(TCursorToolStyle value) {
    if (value == style_)
        return;
    style_ = value;
    SnapToSeries();
    Repaint();
}

std::string TCursorTool::ToolTitleText() const {
    return ToolText(ttCursorTitle);
}

std::string TCursorTool::ToolSummaryText() const {
    return ToolText(ttCursorSummary);
}

void TCursorTool::DoChange(int valueIndex) {
    if (OnChange)
        OnChange(this, cursorX_, cursorY_, xValue_, yValue_, Series(), valueIndex);
}

// ---- positions ----------------------------------------------------------------------------------

int TCursorTool::DepthZ() const {
    return useSeriesZ_ && Series() != nullptr ? Series()->StartZ() : 0;
}

TPoint TCursorTool::DepthMapped(int x, int y) const {
    if (useSeriesZ_) {
        if (TCustomAxisPanel* panel = Panel(); panel != nullptr && panel->DrawCanvas() != nullptr)
            panel->DrawCanvas()->Unproject(x, y, DepthZ());
    }
    return {x, y};
}

void TCursorTool::ValuesFromPixels(int x, int y) {
    const TPoint p = DepthMapped(x, y);
    if (dragPart_ != curVertLine)
        yValue_ = VertAxisOf()->PixelToValue(p.Y);
    if (dragPart_ != curHorizLine)
        xValue_ = HorizAxisOf()->PixelToValue(p.X);
}

void TCursorTool::PixelsFromValues() {
    TChartAxis* horiz = HorizAxisOf();
    TChartAxis* vert = VertAxisOf();
    if (cursorX_ == -1 || cursorY_ == -1) {
        cursorX_ = (horiz->StartPixel() + horiz->EndPixel()) / 2;
        cursorY_ = (vert->StartPixel() + vert->EndPixel()) / 2;
        ValuesFromPixels(cursorX_, cursorY_);
        const int index = SnapToSeries();
        cursorX_ = horiz->PixelOf(xValue_);
        cursorY_ = vert->PixelOf(yValue_);
        DoChange(index);
        return;
    }
    cursorX_ = horiz->PixelOf(xValue_);
    cursorY_ = vert->PixelOf(yValue_);
}

int TCursorTool::FindNearestIndex(TCursorToolStyle style) const {
    TChartSeries* series = Series();
    if (series == nullptr)
        return -1;
    int first = 0;
    int last = -1;
    if (!VisiblePointRange(*series, first, last))
        return -1;
    const bool byY =
        snapStyle_ == snapHorizontal || (snapStyle_ == snapDefault && style == cssHorizontal);
    const bool byX =
        snapStyle_ == snapVertical || (snapStyle_ == snapDefault && style == cssVertical);
    int best = -1;
    double bestDistance = -1;
    for (int i = first; i <= last; ++i) {
        const double dx = xValue_ - series->XValueAt(i);
        const double dy = yValue_ - series->YValueAt(i);
        // Measured in axis values: the two directions are not scaled to pixels.
        const double d = byY ? std::fabs(dy) : byX ? std::fabs(dx) : std::sqrt(dx * dx + dy * dy);
        if (bestDistance < 0 || d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    return best;
}

int TCursorTool::SnapToSeries() {
    if (Series() == nullptr || !snap_)
        return -1;
    const int index = FindNearestIndex(style_);
    if (index == -1)
        return -1;
    if (style_ != cssVertical)
        yValue_ = Series()->YValueAt(index);
    if (style_ != cssHorizontal)
        xValue_ = Series()->XValueAt(index);
    return index;
}

// ---- bounds and hits ----------------------------------------------------------------------------

TRect TCursorTool::AxisBounds() const {
    TCustomAxisPanel* panel = Panel();
    if (panel == nullptr)
        return {};
    if (boundByPlotRect_)
        return panel->PlotRect();
    TChartAxis* horiz = HorizAxisOf();
    TChartAxis* vert = VertAxisOf();
    TRect r{horiz->StartPixel(), vert->StartPixel(), horiz->EndPixel(), vert->EndPixel()};
    if (OnAxisBounds)
        OnAxisBounds(const_cast<TCursorTool*>(this), r);
    return r;
}

TRect TCursorTool::CursorBounds(int x, int y, bool limited) const {
    TRect r = AxisBounds();
    if (limited) {
        if (horizSize_ != 0) {
            r.Left = x - horizSize_;
            r.Right = x + horizSize_;
        }
        if (vertSize_ != 0) {
            r.Top = y - vertSize_;
            r.Bottom = y + vertSize_;
        }
    }
    return r;
}

bool TCursorTool::IsInBounds(int x, int y, bool limited) const {
    const TPoint p = DepthMapped(x, y);
    const TRect r = CursorBounds(p.X, p.Y, limited);
    return r.Left <= p.X && p.X <= r.Right && r.Top <= p.Y && p.Y <= r.Bottom;
}

TCursorPart TCursorTool::HitPart(int x, int y) const {
    if (Panel() == nullptr || !IsInBounds(x, y, true))
        return curNone;
    const TPoint at = DepthMapped(x, y);
    const TPoint cursor = DepthMapped(cursorX_, cursorY_);
    const bool onHoriz = std::abs(at.Y - cursor.Y) <= clickTolerance_;
    const bool onVert = std::abs(at.X - cursor.X) <= clickTolerance_;
    if ((style_ == cssBoth || style_ == cssScope || style_ == cssScopeOnly) && onHoriz && onVert)
        return curCrossing;
    if (style_ != cssVertical && onHoriz)
        return curHorizLine;
    if (style_ != cssHorizontal && onVert)
        return curVertLine;
    return curNone;
}

// ---- painting -----------------------------------------------------------------------------------

void TCursorTool::PaintXor(TCanvas3D& canvas) {
    TCustomAxisPanel* panel = Panel();
    const TColor back = ChartBackgroundRGB(*panel);
    canvas.ApplyChartPen(Pen(), static_cast<TColor>(ColorToRGB(Pen()->Color()) ^ back));
    canvas.Brush()->SetStyle(bsClear);
    TPenModeScope xorMode(canvas, pmXor);
    const TRect r = CursorBounds(cursorX_, cursorY_, true);
    const bool view3D = panel->View3D();
    const int z = DepthZ();
    const auto horizontal = [&] {
        if (view3D)
            canvas.HorizontalLineAtDepth(r.Left, r.Right, cursorY_, z);
        else
            canvas.HorizontalLine(r.Left, r.Right, cursorY_);
    };
    const auto vertical = [&] {
        if (view3D)
            canvas.VerticalLineAtDepth(cursorX_, r.Top, r.Bottom, z);
        else
            canvas.VerticalLine(cursorX_, r.Top, r.Bottom);
    };
    switch (style_) {
    case cssHorizontal:
        horizontal();
        break;
    case cssVertical:
        vertical();
        break;
    case cssBoth:
        horizontal();
        vertical();
        break;
    case cssScope:
        DrawScope(canvas, view3D, z);
        horizontal();
        vertical();
        break;
    case cssScopeOnly:
        DrawScope(canvas, view3D, z);
        break;
    }
}

void TCursorTool::DrawScope(TCanvas3D& canvas, bool view3D, int z) {
    const int x = cursorX_;
    const int y = cursorY_;
    const int s = scopeSize_;
    const int h = horizSize_;
    const int v = vertSize_;
    const auto hline = [&](int x0, int x1, int at) {
        if (view3D)
            canvas.HorizontalLineAtDepth(x0, x1, at, z);
        else
            canvas.HorizontalLine(x0, x1, at);
    };
    const auto vline = [&](int at, int y0, int y1) {
        if (view3D)
            canvas.VerticalLineAtDepth(at, y0, y1, z);
        else
            canvas.VerticalLine(at, y0, y1);
    };
    const auto rectangle = [&](const TRect& r) {
        if (view3D)
            canvas.RectangleAtDepth(r, z);
        else
            canvas.Rectangle(r);
    };
    if (scopeStyle_ == scsCamera) {
        rectangle({x - h - s, y - v - s, x + h + s, y + v + s});
        hline(x - s, x + s, y);
        vline(x, y - s, y + s);
        return;
    }
    hline(x - h - s, x - s, y);
    hline(x + s, x + h + s, y);
    vline(x, y - v - s, y - s);
    vline(x, y + s, y + v + s);
    const TRect box{x - s, y - s, x + s, y + s};
    switch (scopeStyle_) {
    case scsRectangle:
        rectangle(box);
        break;
    case scsCircle: {
        // An outline of whole-pixel points: the canvas' curved ellipse may come out a pixel
        // different between the chart's drawing and a drawing into the buffer, which would
        // leave traces when the cursor is drawn away.
        const TPointList circle = EllipseOutline(box);
        if (view3D)
            canvas.PolygonAtDepth(circle, z);
        else
            canvas.Polygon(circle);
        break;
    }
    case scsDiamond: {
        const TPointList diamond{{x - s, y}, {x, y - s}, {x + s, y}, {x, y + s}};
        if (view3D)
            canvas.PolygonAtDepth(diamond, z);
        else
            canvas.Polygon(diamond);
        break;
    }
    case scsEmpty:
    case scsCamera:
        break;
    }
}

void TCursorTool::PaintXorOverBuffer() {
    if (TCustomAxisPanel* panel = Panel())
        DrawOverChart(*panel, false, [this](TCanvas3D& canvas) { PaintXor(canvas); });
}

void TCursorTool::ChartToolEvent(TChartToolEventKind kind) {
    TPlotCustomToolSeries::ChartToolEvent(kind);
    TCustomAxisPanel* panel = Panel();
    if (kind != ctkAfterDraw || panel == nullptr)
        return;
    PixelsFromValues();
    DrawOverChart(*panel, true, [this](TCanvas3D& canvas) { PaintXor(canvas); });
}

// ---- the mouse ----------------------------------------------------------------------------------

void TCursorTool::MouseMoved(int x, int y) {
    TCustomAxisPanel* panel = Panel();
    if ((dragPart_ != curNone || followMouse_) && IsInBounds(x, y, false)) {
        PaintXorOverBuffer();
        ValuesFromPixels(x, y);
        const int index = SnapToSeries();
        PixelsFromValues();
        PaintXorOverBuffer();
        DoChange(index);
        if (OnSnapChange && index != lastSnapIndex_)
            OnSnapChange(this, cursorX_, cursorY_, xValue_, yValue_, Series(), index);
        lastSnapIndex_ = index;
        return;
    }
    const TCursorPart part = HitPart(x, y);
    if (part == curHorizLine)
        panel->SetChartCursor(crVSplit);
    else if (part == curVertLine)
        panel->SetChartCursor(crHSplit);
    else if (part == curCrossing)
        panel->SetChartCursor(crSizeAll);
    panel->MouseCancelled = part != curNone;
}

void TCursorTool::ChartMouseEvent(int kind, TMouseButton, TShiftState, int x, int y) {
    TCustomAxisPanel* panel = Panel();
    if (panel == nullptr || cursorX_ == -1 || cursorY_ == -1)
        return;
    switch (kind) {
    case kMouseDown:
        if (!followMouse_) {
            dragPart_ = HitPart(x, y);
            if (dragPart_ != curNone)
                panel->MouseCancelled = true;
        }
        break;
    case kMouseMove:
        MouseMoved(x, y);
        break;
    case kMouseUp:
        dragPart_ = curNone;
        break;
    default:
        break;
    }
}
