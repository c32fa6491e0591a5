// Drawing a series pointer: shadow, transparency, the shape of each style flat or solid, and
// the gradient over it.

#include "chart/core/SeriesPointer.h"

#include "chart/core/ChartHost.h"
#include "chart/draw/DrawRoutines.h"
#include "chart/draw/PlotBlend.h"
#include "chart/draw/PlotCanvas.h"

#include <algorithm>

namespace {

// The pointer's box: its centre and its edges, all inclusive.
struct TMarkerBox {
    int x, y, left, top, right, bottom;
    TRect Rect() const { return {left, top, right, bottom}; }
};

// A transparent region over the pointer: what lay under it is mixed back when the region ends,
// also when drawing raises.
class TPointerBlend {
public:
    TPointerBlend(TCanvas3D& canvas, const TRect& area, TPlotTransparency percent)
        : percent_(percent), blend_(canvas.BeginTransparency(area, percent)) {}
    ~TPointerBlend() {
        if (blend_)
            blend_->DoBlend(percent_);
    }
    TPointerBlend(const TPointerBlend&) = delete;
    TPointerBlend& operator=(const TPointerBlend&) = delete;

private:
    TPlotTransparency percent_;
    std::unique_ptr<TPlotBlend> blend_;
};

// Puts back the canvas' brush colour and style and its pen style that a shadow changes.
class TShadowAttributes {
public:
    explicit TShadowAttributes(TCanvas3D& canvas)
        : canvas_(canvas), brushColor_(canvas.Brush()->Color()),
          brushStyle_(canvas.Brush()->Style()), penStyle_(canvas.Pen()->Style()) {}
    ~TShadowAttributes() {
        canvas_.Brush()->SetColor(brushColor_);
        canvas_.Brush()->SetStyle(brushStyle_);
        canvas_.Pen()->SetStyle(penStyle_);
    }
    TShadowAttributes(const TShadowAttributes&) = delete;
    TShadowAttributes& operator=(const TShadowAttributes&) = delete;

private:
    TCanvas3D& canvas_;
    TColor brushColor_;
    TBrushStyle brushStyle_;
    TPenStyle penStyle_;
};

// The gradient ending in a point's colour while it fills, with no repaint asked for; its own
// end colour and change handler come back afterwards, so drawing never alters what is stored.
class TGradientEndColor {
public:
    TGradientEndColor(TPlotGradient& gradient, TColor color)
        : gradient_(gradient), saved_(gradient.EndColor()), onChange_(gradient.OnChange) {
        gradient_.OnChange = nullptr;
        gradient_.SetEndColor(color);
    }
    ~TGradientEndColor() {
        gradient_.SetEndColor(saved_);
        gradient_.OnChange = onChange_;
    }
    TGradientEndColor(const TGradientEndColor&) = delete;
    TGradientEndColor& operator=(const TGradientEndColor&) = delete;

private:
    TPlotGradient& gradient_;
    TColor saved_;
    TNotifyEvent onChange_;
};

// Removes the clip set for the gradient, also when filling raises.
class TPointerClip {
public:
    explicit TPointerClip(TCanvas3D& canvas) : canvas_(canvas) {}
    ~TPointerClip() { canvas_.RemoveClip(); }
    TPointerClip(const TPointerClip&) = delete;
    TPointerClip& operator=(const TPointerClip&) = delete;

private:
    TCanvas3D& canvas_;
};

constexpr int PixelLimit = 1 << 29;

int Saturated(int value) {
    return std::clamp(value, -PixelLimit, PixelLimit);
}

bool IsTriangle(TSeriesPointerStyle style) {
    return style == psTriangle || style == psDownTriangle || style == psLeftTriangle ||
           style == psRightTriangle;
}

// The corners of the polygon styles, unprojected.
TPointList PolygonOf(const TMarkerBox& b, TSeriesPointerStyle style) {
    switch (style) {
    case psTriangle:
    case psDownTriangle: {
        const int h = style == psTriangle ? b.bottom - b.y : b.top - b.y;
        return {{b.left, b.y + h}, {b.right, b.y + h}, {b.x, b.y - h}};
    }
    case psLeftTriangle:
        return {{b.left, b.y}, {b.right, b.bottom}, {b.right, b.top}};
    case psRightTriangle:
        return {{b.right, b.y}, {b.left, b.bottom}, {b.left, b.top}};
    case psDiamond:
        return {{b.left, b.y}, {b.x, b.top}, {b.right, b.y}, {b.x, b.bottom}};
    case psHexagon: {
        const int d = (b.bottom - b.y) / 2;
        return {{b.x, b.top},    {b.right, b.y - d}, {b.right, b.y + d},
                {b.x, b.bottom}, {b.left, b.y + d},  {b.left, b.y - d}};
    }
    default:
        return {};
    }
}

TPointList Placed(TCanvas3D& canvas, bool is3D, const TPointList& points, int z) {
    return is3D ? canvas.ProjectPoints(points, z) : points;
}

void DrawCross(TCanvas3D& canvas, bool is3D, const TMarkerBox& b, int z) {
    if (is3D) {
        canvas.VerticalLineAtDepth(b.x, b.top, b.bottom + 1, z);
        canvas.HorizontalLineAtDepth(b.left, b.right + 1, b.y, z);
    } else {
        canvas.VerticalLine(b.x, b.top, b.bottom + 1);
        canvas.HorizontalLine(b.left, b.right + 1, b.y);
    }
}

void DrawDiagonalCross(TCanvas3D& canvas, bool is3D, const TMarkerBox& b, int z) {
    if (is3D) {
        canvas.SegmentAtDepth(b.left, b.top, b.right + 1, b.bottom + 1, z);
        canvas.SegmentAtDepth(b.right, b.top, b.left - 1, b.bottom + 1, z);
    } else {
        canvas.Segment(b.left, b.top, b.right + 1, b.bottom + 1);
        canvas.Segment(b.right, b.top, b.left - 1, b.bottom + 1);
    }
}

} // namespace

void TSeriesPointer::Draw(int x, int y, TColor color, TSeriesPointerStyle style) {
    TChartHost* chart = ParentChart();
    if (chart == nullptr || chart->ChartCanvas() == nullptr)
        return;
    DrawMarker(*chart->ChartCanvas(), chart->View3D(), x, y, horizSize_, vertSize_, color, style);
}

void TSeriesPointer::DrawMarker(TCanvas3D& canvas, bool is3D, int x, int y, int halfWidth,
                                int halfHeight, TColor color, TSeriesPointerStyle style) {
    if (style == psNothing)
        return;
    // Far beyond any picture, so that no sum of a place and a size below can overflow.
    x = Saturated(x);
    y = Saturated(y);
    halfWidth = Saturated(halfWidth);
    halfHeight = Saturated(halfHeight);
    const TRect box{x - halfWidth, y - halfHeight, x + halfWidth, y + halfHeight};
    const int z0 = StartZ(), z1 = EndZ();
    if (shadow_->Visible() && shadow_->Size() != 0)
        DrawShadow(canvas, is3D, box, style);
    std::unique_ptr<TPointerBlend> blend;
    if (transparency_ > 0) {
        TRect area{box.Left, box.Top, box.Right + 1, box.Bottom + 1};
        if (is3D && style == psRectangle && draw3D_ && canvas.IsOrthogonal()) {
            area.Right += z1 - z0;
            area.Top -= z1 - z0;
        }
        if (is3D)
            area = canvas.ProjectRect(area, z0);
        blend = std::make_unique<TPointerBlend>(canvas, area, transparency_);
    }
    DrawShape(canvas, is3D, x, y, halfWidth, halfHeight, style);
    const bool pyramid = is3D && draw3D_ && (style == psTriangle || style == psDownTriangle);
    if (gradient_->Visible() && !pyramid)
        DrawGradient(canvas, is3D, x, y, halfWidth, halfHeight, color, style);
}

void TSeriesPointer::DrawShadow(TCanvas3D& canvas, bool is3D, const TRect& box,
                                TSeriesPointerStyle style) {
    const int z0 = StartZ();
    TShadowAttributes keep(canvas);
    if (style == psRectangle) {
        shadow_->DrawRectShadow(canvas, box, 0, z0);
    } else if (style == psCircle) {
        shadow_->DrawEllipseShadow(canvas, box, z0);
    } else if (style == psHexagon) {
        const TMarkerBox b{(box.Left + box.Right) / 2,
                           (box.Top + box.Bottom) / 2,
                           box.Left,
                           box.Top,
                           box.Right,
                           box.Bottom};
        shadow_->DrawPolygonShadow(canvas, Placed(canvas, is3D, PolygonOf(b, style), z0));
    }
}

void TSeriesPointer::DrawShape(TCanvas3D& canvas, bool is3D, int x, int y, int halfWidth,
                               int halfHeight, TSeriesPointerStyle style) {
    const TMarkerBox box{x, y, x - halfWidth, y - halfHeight, x + halfWidth, y + halfHeight};
    const int z0 = StartZ(), zm = MiddleZ(), z1 = EndZ();
    switch (style) {
    case psRectangle:
        if (!is3D)
            canvas.Rectangle(box.left, box.top, box.right + 1, box.bottom + 1);
        else if (draw3D_)
            canvas.BoxShape(box.left, box.right, box.top, box.bottom, z0, z1, dark3D_);
        else
            canvas.RectangleAtDepth(box.Rect(), z0); // its outline covers the same pixels
        break;
    case psCircle:
        if (!is3D)
            canvas.Ellipse(box.left, box.top, box.right, box.bottom);
        else if (draw3D_ && canvas.RendersTrue3D())
            canvas.SphereShape(x, y, zm, halfWidth);
        else
            canvas.EllipseAtDepth(box.left, box.top, box.right, box.bottom, z0);
        break;
    case psTriangle:
    case psDownTriangle:
        if (is3D && draw3D_) {
            const int h = style == psTriangle ? halfHeight : -halfHeight;
            canvas.PyramidShape(true, box.left, y - h, box.right, y + h, z0, z1, dark3D_);
        } else {
            canvas.Polygon(Placed(canvas, is3D, PolygonOf(box, style), z0));
        }
        break;
    case psCross:
        DrawCross(canvas, is3D, box, z0);
        break;
    case psDiagCross:
        DrawDiagonalCross(canvas, is3D, box, z0);
        break;
    case psStar:
        DrawCross(canvas, is3D, box, z0);
        DrawDiagonalCross(canvas, is3D, box, z0);
        break;
    case psSmallDot:
        if (is3D)
            canvas.SetPixelAtDepth(x, y, zm, canvas.Brush()->Color());
        else
            canvas.SetPixel(x, y, canvas.Brush()->Color());
        break;
    case psDiamond:
    case psLeftTriangle:
    case psRightTriangle:
    case psHexagon:
        canvas.Polygon(Placed(canvas, is3D, PolygonOf(box, style), z0));
        break;
    case psNothing:
        break;
    }
}

void TSeriesPointer::DrawGradient(TCanvas3D& canvas, bool is3D, int x, int y, int halfWidth,
                                  int halfHeight, TColor color, TSeriesPointerStyle style) {
    const TMarkerBox box{x, y, x - halfWidth, y - halfHeight, x + halfWidth, y + halfHeight};
    const int z0 = StartZ();
    const int inset = Pen()->Visible() ? std::clamp(Pen()->Width(), 0, PixelLimit) : 0;
    TRect area{box.left + inset, box.top + inset, box.right, box.bottom};
    std::unique_ptr<TGradientEndColor> ending;
    if (!fullGradient_)
        ending = std::make_unique<TGradientEndColor>(*gradient_, color);

    if (is3D && !canvas.IsOrthogonal() && style == psRectangle && !draw3D_) {
        area.Right -= inset;
        area.Bottom -= inset;
        gradient_->FillQuad(canvas, canvas.ProjectCorners(area, z0));
        return;
    }
    if (is3D)
        area = canvas.ProjectRect(area, z0);
    const TPointList polygon = Placed(canvas, is3D, PolygonOf(box, style), z0);
    if (style == psDiamond) {
        canvas.GradientPolygon(polygon, *gradient_);
        return;
    }
    if (style == psRectangle) {
        canvas.ClipToRect(area);
    } else if (style == psCircle) {
        canvas.ClipToEllipse(is3D ? canvas.ProjectRect(box.Rect(), z0) : box.Rect(), false);
    } else if (IsTriangle(style)) {
        canvas.ClipToPolygon(polygon, false);
        area = PointsBounds(polygon);
    } else if (style == psHexagon) {
        canvas.ClipToPolygon(polygon, false);
    } else {
        return;
    }
    {
        TPointerClip unclip(canvas);
        gradient_->Fill(canvas, area, 0);
    }
    // The fill covered the outline where the shape's edges run inside its box: it is drawn
    // again over the fill, as a diamond's is.
    if (style == psRectangle || !Pen()->Visible())
        return;
    const TBrushStyle brushStyle = canvas.Brush()->Style();
    canvas.Brush()->SetStyle(bsClear);
    if (style != psCircle)
        canvas.Polygon(polygon);
    else if (!is3D)
        canvas.Ellipse(box.left, box.top, box.right, box.bottom);
    else if (!(draw3D_ && canvas.RendersTrue3D()))
        canvas.EllipseAtDepth(box.left, box.top, box.right, box.bottom, z0);
    canvas.Brush()->SetStyle(brushStyle);
}
