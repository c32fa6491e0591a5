// The area under a segment of a line-type series that draws its area: the band between the
// segment and its origins (the axis, a fixed origin or the series stacked below), as a step
// rectangle under stairs or as a quadrilateral, filled plainly, with the gradient or see-through,
// closed by side faces in 3D where the area ends.

#include "chart/core/ChartAxis.h"
#include "chart/core/ChartHost.h"
#include "chart/draw/DrawRoutines.h"
#include "chart/draw/PlotCanvas.h"
#include "chart/draw/View3DOptions.h"
#include "chart/series/BlendScope.h"
#include "chart/series/CustomSeries.h"

#include <algorithm>
#include <utility>

namespace {

constexpr int AreaSideDarkness = 64;

} // namespace

void TCustomSeries::DrawAreaSegment() {
    TCanvas3D& canvas = Canvas();
    // The canvas brush holds the area colour; the area brush's pattern goes over a background
    // of its own colour (the series colour for the default one, white when both are alike).
    const TColor area = canvas.Brush()->Color();
    TColor background = areaBrush_->Color() == clDefault ? SeriesColor() : areaBrush_->Color();
    if (areaBrush_->HasImage() && background == area)
        background = clWhite;
    auto applyBrush = [&] { canvas.SelectBrushColors(areaBrush_.get(), area, background); };
    applyBrush();
    if (ParentChart()->View3D())
        DrawAreaSides(area, [&] { applyBrush(); });
    if (stairs_)
        DrawAreaStep();
    else
        DrawAreaQuad();
}

// Side faces close the area where it ends: at its last point and around points it leaves out.
void TCustomSeries::DrawAreaSides(TColor area, const std::function<void()>& applyBrush) {
    TCanvas3D& canvas = Canvas();
    const bool breaks = TreatNulls() == tnDontPaint;
    const bool nextNull = breaks && index_ + 1 < Count() && IsNull(index_ + 1);
    const bool prevNull = breaks && prevIndex_ > 0 && IsNull(prevIndex_ - 1);
    auto face = [&](int x, int y, int origin) {
        if (dark3D_)
            canvas.SelectDarkerBrush(area, AreaSideDarkness);
        if (VerticalValues())
            canvas.SideFace(x, y, origin, StartZ(), EndZ());
        else
            canvas.HorizontalFace(x, y, origin, StartZ(), EndZ());
        if (dark3D_)
            applyBrush();
    };
    if (isLast_ || nextNull)
        face(x_, y_, origin_);
    if (prevNull)
        face(prevX_, prevY_, prevOrigin_);
}

void TCustomSeries::DrawAreaStep() {
    TCanvas3D& canvas = Canvas();
    const bool vertical = VerticalValues();
    const bool view3D = ParentChart()->View3D();
    TRect r;
    if (vertical)
        r = {prevX_, invertedStairs_ ? y_ : prevY_, x_ + 1,
             invertedStairs_ ? origin_ : prevOrigin_};
    else
        r = {invertedStairs_ ? origin_ : prevOrigin_, prevY_ + 1,
             (invertedStairs_ ? x_ : prevX_) + 1, y_};
    r = NormalizeRect(r);
    {
        const TRect blend = view3D ? NormalizeRect(canvas.ProjectRect(r, StartZ())) : r;
        const TBlendScope scope(canvas, blend, GetTransparency());
        if (view3D) {
            canvas.RectangleAtDepth(r, StartZ());
            if (canvas.RendersTrue3D())
                canvas.RectangleAtDepth(r, EndZ());
        } else if (GetGradient()->Visible()) {
            GetGradient()->Fill(canvas, r, 0);
            if (canvas.Pen()->Style() != psClear) {
                canvas.Brush()->SetStyle(bsClear);
                canvas.Rectangle(r);
            }
        } else {
            canvas.Rectangle(r);
        }
    }
    if (LinePen()->Visible())
        DrawStepOutline();
}

// The step's outline in the line pen: its flat edge, and the riser where the steps meet.
void TCustomSeries::DrawStepOutline() {
    TCanvas3D& canvas = Canvas();
    canvas.SelectPenColored(LinePen(), LinePen()->Color());
    const int z = StartZ();
    const bool afterFirstVisible = index_ > FirstVisibleIndex() + 1;
    const bool beforeLastVisible = index_ < LastVisibleIndex();
    const bool afterFirstDrawn = index_ > FirstDrawIndex() + 1;
    if (VerticalValues()) {
        if (invertedStairs_) {
            canvas.HorizontalLineAtDepth(prevX_, x_, y_, z);
            if (afterFirstVisible)
                canvas.VerticalLineAtDepth(prevX_, prevY_, y_, z);
            return;
        }
        canvas.HorizontalLineAtDepth(prevX_, x_, prevY_, z);
        if (beforeLastVisible)
            canvas.VerticalLineAtDepth(x_, prevY_, y_, z);
        if (afterFirstDrawn)
            canvas.VerticalLineAtDepth(prevX_, prevY_, PixelY(index_ - 2), z);
        return;
    }
    if (invertedStairs_) {
        canvas.VerticalLineAtDepth(x_, prevY_, y_, z);
        if (afterFirstVisible)
            canvas.HorizontalLineAtDepth(prevX_, x_, prevY_, z);
        return;
    }
    canvas.VerticalLineAtDepth(prevX_, prevY_, y_, z);
    if (beforeLastVisible)
        canvas.HorizontalLineAtDepth(prevX_, x_, y_, z);
    if (afterFirstDrawn)
        canvas.HorizontalLineAtDepth(prevX_, PixelX(index_ - 2), prevY_, z);
}

void TCustomSeries::DrawAreaQuad() {
    TCanvas3D& canvas = Canvas();
    const bool vertical = VerticalValues();
    const bool view3D = ParentChart()->View3D();
    const TPoint o{prevX_, prevY_}, p{x_, y_};
    const TPoint oBase = vertical ? TPoint{o.X, prevOrigin_} : TPoint{prevOrigin_, o.Y};
    const TPoint pBase = vertical ? TPoint{p.X, origin_} : TPoint{origin_, p.Y};
    const TPointList quad{oBase, o, p, pBase};
    TPlotGradient* gradient = GetGradient();
    {
        const TRect flat = BoundsOf({oBase, o, p, pBase}, 0);
        const TRect blend = view3D ? NormalizeRect(canvas.ProjectRect(flat, StartZ())) : flat;
        const TBlendScope scope(canvas, blend, GetTransparency());
        if (view3D) {
            // Seen from behind, the back of the band faces the viewer.
            const int rotation = canvas.View3DOptions() ? canvas.View3DOptions()->Rotation() : 0;
            const int z = rotation > 90 && rotation < 270 ? EndZ() : StartZ();
            if (gradient->Visible())
                gradient->FillQuadAtDepth(canvas, quad, z);
            else
                canvas.QuadAtDepth(oBase, o, p, pBase, z);
        } else if (gradient->Visible()) {
            FillAreaGradient(quad);
        } else {
            canvas.Polygon(quad);
        }
    }
    if (canvas.RendersTrue3D())
        canvas.QuadAtDepth(oBase, o, p, pBase, EndZ());
    if (LinePen()->Visible()) {
        canvas.SelectPenColored(LinePen(), LinePen()->Color());
        canvas.SegmentAtDepth(o.X, o.Y, p.X, p.Y, StartZ());
    }
}

// The gradient runs from the series' highest value to the origin, clipped to the band; a line
// at the band's start parts it from the band before.
void TCustomSeries::FillAreaGradient(const TPointList& quad) {
    TCanvas3D& canvas = Canvas();
    const int top = MandatoryValueToPixel(MandatoryValueList()->Highest());
    canvas.ClipToPolygon(quad, false);
    if (VerticalValues())
        GetGradient()->Fill(canvas, NormalizeRect({prevX_, top, x_, origin_}), 0);
    else
        GetGradient()->Fill(canvas, NormalizeRect({origin_, prevY_, top, y_}), 0);
    canvas.RemoveClip();
    canvas.Brush()->SetStyle(bsClear);
    if (canvas.Pen()->Style() == psClear)
        return;
    if (VerticalValues()) {
        canvas.MoveTo(prevX_, prevY_);
        canvas.LineTo(prevX_, prevOrigin_);
    } else {
        canvas.MoveTo(prevOrigin_, prevY_);
        canvas.LineTo(prevX_, prevY_);
    }
}
