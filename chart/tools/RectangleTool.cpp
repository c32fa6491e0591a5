#include "chart/tools/RectangleTool.h"

#include "chart/axispanel/AxisPanel.h"
#include "chart/tools/ToolTexts.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr int kMouseDown = 0;
constexpr int kMouseMove = 1;
constexpr int kMouseUp = 2;
// A point this close to an edge (in pixels, exclusive) grabs it.
constexpr int kNear = 4;
// While resizing an edge stays this far beyond the opposite one (a 4 x 4 box at the least).
constexpr int kMinimumSpan = 3;

bool Near(int a, int b) {
    return std::abs(a - b) < kNear;
}

bool GrabsRight(TRectangleEdge edge) {
    return edge == reRight || edge == reTopRight || edge == reBottomRight;
}

bool GrabsBottom(TRectangleEdge edge) {
    return edge == reBottom || edge == reBottomLeft || edge == reBottomRight;
}

bool GrabsLeft(TRectangleEdge edge) {
    return edge == reLeft || edge == reTopLeft || edge == reBottomLeft;
}

bool GrabsTop(TRectangleEdge edge) {
    return edge == reTop || edge == reTopLeft || edge == reTopRight;
}

TCursor EdgeCursor(TRectangleEdge edge) {
    switch (edge) {
    case reTop:
    case reBottom:
        return crSizeNS;
    case reTopLeft:
    case reBottomRight:
        return crSizeNWSE;
    case reBottomLeft:
    case reTopRight:
        return crSizeNESW;
    default:
        return crSizeWE;
    }
}

} // namespace

TRectangleTool::TRectangleTool(TComponent* owner) : TAnnotationTool(owner) {
    TTextShape& shape = *Shape();
    shape.SetAutoSize(false);
    shape.SetDefaultAutoSize(false);
    shape.SetDefaultCustomPosition(true);
    if (TPlotShadow* shadow = shape.Shadow())
        shadow->SetSize(0);
    shape.SetTransparency(75);
    shape.ShapeRect = {10, 10, 10 + 50 - 1, 10 + 50 - 1};
    shape.SetCursor(crHandPoint);
    shape.SetDefaultCursor(crHandPoint);
}

void TRectangleTool::DeclareProperties(TPropertyList& p) {
    using T = TRectangleTool;
    p.Add("AllowDrag", &T::AllowDrag, &T::SetAllowDrag).Default(true);
    p.Add("AllowResize", &T::AllowResize, &T::SetAllowResize).Default(true);
    p.Add("AutoSize", &T::AutoSize, &T::SetAutoSize).Default(false);
    p.Add("Cursor", &T::Cursor, &T::SetCursor).Default(crHandPoint);
}

void TRectangleTool::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TRectangleTool*>(source)) {
        allowDrag_ = other->allowDrag_;
        allowResize_ = other->allowResize_;
    }
    TAnnotationTool::Assign(source);
}

std::string TRectangleTool::ToolTitleText() const {
    return ToolText(ttRectangleTitle);
}

std::string TRectangleTool::ToolSummaryText() const {
    return ToolText(ttRectangleSummary);
}

TRectangleEdge TRectangleTool::HitEdge(int x, int y) {
    if (!ContainsPoint(x, y))
        return reNone;
    const TRect r = GetBounds();
    if (Near(x, r.Left))
        return Near(y, r.Top) ? reTopLeft : Near(y, r.Bottom) ? reBottomLeft : reLeft;
    if (Near(y, r.Top))
        return Near(x, r.Right) ? reTopRight : reTop;
    if (Near(x, r.Right))
        return Near(y, r.Bottom) ? reBottomRight : reRight;
    return Near(y, r.Bottom) ? reBottom : reNone;
}

void TRectangleTool::ChartMouseEvent(int kind, TMouseButton button, TShiftState shift, int x,
                                     int y) {
    TAnnotationTool::ChartMouseEvent(kind, button, shift, x, y);
    if (!Active() || Chart() == nullptr)
        return;
    switch (kind) {
    case kMouseDown:
        Press(button, x, y);
        break;
    case kMouseMove:
        Move(x, y);
        break;
    case kMouseUp:
        Release();
        break;
    default:
        break;
    }
}

void TRectangleTool::Press(TMouseButton button, int x, int y) {
    if (button != mbLeft)
        return;
    resizeEdge_ = allowResize_ ? HitEdge(x, y) : reNone;
    const TRect r = GetBounds();
    if (resizeEdge_ != reNone) {
        grabX_ = x - (GrabsRight(resizeEdge_) ? r.Right : r.Left);
        grabY_ = y - (GrabsBottom(resizeEdge_) ? r.Bottom : r.Top);
        Chart()->MouseCancelled = true;
    } else if (allowDrag_ && ContainsPoint(x, y)) {
        grabX_ = x - r.Left;
        grabY_ = y - r.Top;
        dragging_ = true;
        Chart()->MouseCancelled = true;
    }
}

void TRectangleTool::Move(int x, int y) {
    if (dragging_) {
        Shape()->SetCustomPosition(true);
        MoveBoxTo(x - grabX_, y - grabY_);
        if (OnDragging)
            OnDragging(this);
    } else if (resizeEdge_ != reNone) {
        ResizeTo(x, y);
        Repaint();
        if (OnResizing)
            OnResizing(this);
    } else {
        ShowShapeAt(x, y);
    }
}

void TRectangleTool::Release() {
    if (dragging_) {
        dragging_ = false;
        if (OnDragged)
            OnDragged(this);
    } else if (resizeEdge_ != reNone) {
        resizeEdge_ = reNone;
        if (OnResized)
            OnResized(this);
    }
}

void TRectangleTool::MoveBoxTo(int x, int y) {
    const int w = Width();
    const int h = Height();
    if (PositionUnits() == muPixels) {
        Shape()->SetLeft(x);
        Shape()->SetTop(y);
    } else {
        // Percent of the chart's window; a window of no size leaves the box where it is.
        const int cw = Chart()->Width();
        const int ch = Chart()->Height();
        if (cw > 0)
            Shape()->SetLeft(RoundEven(x * 100.0 / cw));
        if (ch > 0)
            Shape()->SetTop(RoundEven(y * 100.0 / ch));
    }
    Shape()->SetShapeWidth(w);
    Shape()->SetShapeHeight(h);
}

void TRectangleTool::ResizeTo(int x, int y) {
    SetAutoSize(false);
    TRect r = GetBounds();
    const int nx = x - grabX_;
    const int ny = y - grabY_;
    if (GrabsLeft(resizeEdge_))
        r.Left = std::min(r.Right - kMinimumSpan, nx);
    if (GrabsRight(resizeEdge_))
        r.Right = std::max(r.Left + kMinimumSpan, nx);
    if (GrabsTop(resizeEdge_))
        r.Top = std::min(r.Bottom - kMinimumSpan, ny);
    if (GrabsBottom(resizeEdge_))
        r.Bottom = std::max(r.Top + kMinimumSpan, ny);
    if (PositionUnits() == muPixels) {
        Shape()->SetLeft(r.Left);
        Shape()->SetTop(r.Top);
        Shape()->ShapeRect.Right = r.Right;
        Shape()->ShapeRect.Bottom = r.Bottom;
    } else {
        MoveBoxTo(r.Left, r.Top);
    }
}

void TRectangleTool::ShowShapeAt(int x, int y) {
    TCustomAxisPanel& chart = *Chart();
    const TRectangleEdge edge = HitEdge(x, y);
    bool shown = false;
    if (edge != reNone && allowResize_) {
        chart.SetChartCursor(EdgeCursor(edge));
        shown = true;
    } else if (Cursor() != crDefault && ContainsPoint(x, y)) {
        chart.SetChartCursor(Cursor());
        shown = true;
    }
    chart.MouseCancelled = shown;
}
