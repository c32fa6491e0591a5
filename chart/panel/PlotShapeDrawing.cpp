// Drawing a framed shape: transparency, shadow, fill, outline and bevel, upright or turned.

#include "chart/panel/PlotPanelExtended.h"
#include "chart/panel/PlotShape.h"

#include "chart/draw/PlotBlend.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

TRect BoundsOf(const std::array<TPoint, 4>& corners) {
    TRect r{corners[0].X, corners[0].Y, corners[0].X, corners[0].Y};
    for (const TPoint& p : corners) {
        r.Left = std::min(r.Left, p.X);
        r.Top = std::min(r.Top, p.Y);
        r.Right = std::max(r.Right, p.X);
        r.Bottom = std::max(r.Bottom, p.Y);
    }
    return r;
}

TPointList ListOf(const std::array<TPoint, 4>& corners) {
    return TPointList(corners.begin(), corners.end());
}

// A transparent region of the canvas: what lies under area is kept and mixed back over what is
// drawn meanwhile, percent of it showing. The percent is this region's own, so a region opened
// inside another does not change how the outer one ends.
class TTransparentRegion {
public:
    TTransparentRegion(TCanvas3D& canvas, const TRect& area, TPlotTransparency percent)
        : percent_(percent), blend_(canvas.BeginTransparency(area, percent)) {}
    ~TTransparentRegion() {
        if (blend_)
            blend_->DoBlend(percent_);
    }
    TTransparentRegion(const TTransparentRegion&) = delete;
    TTransparentRegion& operator=(const TTransparentRegion&) = delete;
    // The pixels that lay under the area when the region opened (null when none were kept).
    TBitmap* Under() const { return blend_ ? blend_->Saved() : nullptr; }

private:
    TPlotTransparency percent_;
    std::unique_ptr<TPlotBlend> blend_;
};

// The see-through region over rect turned by angle, for a shape with transparency percent (null
// without).
std::unique_ptr<TTransparentRegion> SeeThrough(TCanvas3D& canvas, const TRect& rect, double angle,
                                               TPlotTransparency percent) {
    if (percent == 0)
        return nullptr;
    const TRect area =
        angle != 0 ? BoundsOf(TPlotCustomShape::RotatedRectCorners(rect, angle)) : rect;
    return std::make_unique<TTransparentRegion>(canvas, area, percent);
}

// Removes the clip the shape set, also when drawing raises.
class TClipScope {
public:
    explicit TClipScope(TCanvas3D& canvas) : canvas_(canvas) {}
    ~TClipScope() { canvas_.RemoveClip(); }
    TClipScope(const TClipScope&) = delete;
    TClipScope& operator=(const TClipScope&) = delete;

private:
    TCanvas3D& canvas_;
};

} // namespace

std::array<TPoint, 4> TPlotCustomShape::RotatedRectCorners(const TRect& rect, double angle) {
    const int cx = (rect.Left + rect.Right) / 2;
    const int cy = (rect.Top + rect.Bottom) / 2;
    const double a = angle * std::numbers::pi / 180;
    const double c = std::cos(a), s = std::sin(a);
    auto turn = [&](int x, int y) {
        const double dx = x - cx, dy = y - cy;
        return TPoint{RoundEven(dx * c + dy * s) + cx, RoundEven(-dx * s + dy * c) + cy};
    };
    return {turn(rect.Left, rect.Top), turn(rect.Right, rect.Top), turn(rect.Right, rect.Bottom),
            turn(rect.Left, rect.Bottom)};
}

TCanvas3D& TPlotCustomShape::Canvas() const {
    return *Parent()->DrawCanvas();
}

void TPlotCustomShape::DrawShape() {
    DrawShapeIn(ShapeRect, 0, 0);
}

bool TPlotCustomShape::CastsShadow() const {
    return !transparent_ && Parent() != nullptr && shadow_ && shadow_->Visible() &&
           shadow_->Size() != 0 && Brush()->Style() != bsClear;
}

void TPlotCustomShape::DrawShadowIn(const TRect& rect, double angle, int z) {
    if (!CastsShadow())
        return;
    TCanvas3D& canvas = Canvas();
    const std::unique_ptr<TTransparentRegion> region =
        SeeThrough(canvas, rect, angle, transparency_);
    DrawShapeShadow(canvas, rect, angle, z);
}

void TPlotCustomShape::DrawShapeIn(const TRect& rect, double angle, int z, bool withShadow) {
    if (transparent_ || Parent() == nullptr)
        return;
    TCanvas3D& canvas = Canvas();
    const std::unique_ptr<TTransparentRegion> region =
        SeeThrough(canvas, rect, angle, transparency_);
    if (withShadow && CastsShadow())
        DrawShapeShadow(canvas, rect, angle, z);
    if (picture_ && picture_->Graphic() != nullptr)
        DrawShapePicture(canvas, rect);
    else if (gradient_ && gradient_->Visible())
        DrawShapeGradient(canvas, rect, angle, z);
    else
        canvas.SelectBrushColors(Brush(), color_, Brush()->Color());
    canvas.SelectPenColored(Pen(), Pen()->Color());
    DrawShapeOutline(canvas, rect, angle, z);
    if (angle == 0) {
        TRect bevelled = rect;
        DrawBevelFrame(canvas, bevel_, bevelled, 0, bevelWidth_);
    }
    // A picture with filters and nothing to show filters what lies under the shape.
    if (region && region->Under() != nullptr && picture_ && picture_->Graphic() == nullptr &&
        picture_->HasFilters())
        picture_->Filters()->ApplyTo(*region->Under());
}

void TPlotCustomShape::DrawShapePicture(TCanvas3D& canvas, const TRect& rect) {
    auto* panel = dynamic_cast<TCustomPlotPanelExtended*>(Parent());
    if (panel != nullptr) {
        const bool clipped = shapeStyle_ != fosRectangle;
        if (shapeStyle_ == fosEllipse)
            canvas.ClipToEllipse(rect, false);
        else if (shapeStyle_ == fosRoundRectangle)
            canvas.ClipToRoundRect(rect, roundSize_);
        if (clipped) {
            TClipScope unclip(canvas);
            PaintBackImage(*picture_, *panel, rect, 0);
        } else {
            PaintBackImage(*picture_, *panel, rect, 0);
        }
    }
    canvas.Brush()->SetStyle(bsClear);
}

void TPlotCustomShape::DrawShapeOutline(TCanvas3D& canvas, const TRect& rect, double angle, int z) {
    if (angle != 0) {
        canvas.PolygonAtDepth(ListOf(RotatedRectCorners(rect, angle)), z);
    } else if (canvas.RendersTrue3D()) {
        if (shapeStyle_ == fosEllipse)
            canvas.EllipseAtDepth(rect, z);
        else
            canvas.RectangleAtDepth(rect, z);
    } else if (shapeStyle_ == fosRectangle) {
        canvas.Rectangle(rect);
    } else if (shapeStyle_ == fosEllipse) {
        canvas.Ellipse(rect);
    } else {
        canvas.RoundRect(rect, roundSize_, roundSize_);
    }
}

void TPlotCustomShape::DrawShapeShadow(TCanvas3D& canvas, const TRect& rect, double angle, int z) {
    const TRect r = angle != 0 ? BoundsOf(RotatedRectCorners(rect, angle)) : rect;
    // A shape turned by other than a right angle is a slanted polygon: its shadow takes that
    // polygon's outline, not the upright box around it.
    if (std::fmod(angle, 90) != 0 && !canvas.RendersTrue3D()) {
        canvas.FreezeRotation();
        shadow_->DrawPolygonShadow(canvas, ListOf(RotatedRectCorners(rect, angle)));
        canvas.ThawRotation();
    } else if (shapeStyle_ == fosEllipse) {
        shadow_->DrawEllipseShadow(canvas, r, z);
    } else {
        const int corner = shapeStyle_ == fosRectangle ? 0 : roundSize_;
        if (canvas.RendersTrue3D()) {
            shadow_->DrawRectShadow(canvas, r, corner, z);
        } else {
            canvas.FreezeRotation();
            shadow_->DrawRectShadow(canvas, r, corner, z);
            canvas.ThawRotation();
        }
    }
    if (transparency_ == 0)
        return;
    // Under a see-through shape the shadow shows as a copy of its outline.
    int h = shadow_->HorizSize(), v = shadow_->VertSize();
    if (std::max(h, v) > 0 && Pen()->Visible()) {
        h += Pen()->Width();
        v += Pen()->Width();
    }
    canvas.Pen()->SetStyle(psClear);
    canvas.Brush()->SetStyle(bsSolid);
    canvas.Brush()->SetColor(shadow_->Color());
    TRect moved = rect;
    OffsetRect(moved, h, v);
    std::unique_ptr<TTransparentRegion> region;
    if (shadow_->Transparency() > 0)
        region = std::make_unique<TTransparentRegion>(canvas, moved, shadow_->Transparency());
    DrawShapeOutline(canvas, moved, angle, z);
}

void TPlotCustomShape::DrawShapeGradient(TCanvas3D& canvas, const TRect& rect, double angle,
                                         int z) {
    if (angle != 0) {
        const TPointList corners = ListOf(RotatedRectCorners(rect, angle));
        if (canvas.RendersTrue3D())
            gradient_->FillQuadAtDepth(canvas, corners, z);
        else
            gradient_->FillQuad(canvas, corners);
    } else {
        // An ellipse is filled as its rectangle; the outline is drawn over it.
        gradient_->Fill(canvas, rect, shapeStyle_ == fosRoundRectangle ? roundSize_ : 0);
    }
    canvas.Brush()->SetStyle(bsClear);
}
