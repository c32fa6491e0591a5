// Drawing of one bar: its colour, pen and brush, its shadow and transparency, the thirteen
// shapes in 2D and 3D, the gradient and bevel fills and the value axis' tick lines across it.

#include "chart/core/ChartAxis.h"
#include "chart/draw/DrawRoutines.h"
#include "chart/draw/PlotCanvas.h"
#include "chart/draw/View3DOptions.h"
#include "chart/series/BlendScope.h"
#include "chart/series/CustomBarSeries.h"
#include "platform/forms/Controls.h"

#include <algorithm>
#include <utility>

namespace {

constexpr int BevelLight = 128;
constexpr int BevelDark = 64;
constexpr int SlantCubeSides = 4;

TRect Union(const TRect& a, const TRect& b) {
    return {std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
            std::max(a.Bottom, b.Bottom)};
}

// The canvas' cylinders take a side count for as long as this lives.
class TCylinderSidesScope {
public:
    TCylinderSidesScope(TCanvas3D& canvas, int sides)
        : canvas_(canvas), old_(canvas.CylinderSideCount()) {
        canvas.SetCylinderSideCount(sides);
    }
    ~TCylinderSidesScope() { canvas_.SetCylinderSideCount(old_); }
    TCylinderSidesScope(const TCylinderSidesScope&) = delete;
    TCylinderSidesScope& operator=(const TCylinderSidesScope&) = delete;

private:
    TCanvas3D& canvas_;
    int old_;
};

} // namespace

// The bar's bounds and colour as they were, however the shadow's pass ends.
class TBarShadowGuard {
public:
    TBarShadowGuard(TRect& bounds, TColor& color, TColor& penOverride)
        : bounds_(bounds), color_(color), penOverride_(penOverride), savedBounds_(bounds),
          savedColor_(color), savedPen_(penOverride) {}
    ~TBarShadowGuard() {
        bounds_ = savedBounds_;
        color_ = savedColor_;
        penOverride_ = savedPen_;
    }
    TBarShadowGuard(const TBarShadowGuard&) = delete;
    TBarShadowGuard& operator=(const TBarShadowGuard&) = delete;

private:
    TRect& bounds_;
    TColor& color_;
    TColor& penOverride_;
    TRect savedBounds_;
    TColor savedColor_;
    TColor savedPen_;
};

void TCustomBarSeries::DrawPoint(int index) {
    barColor_ = PointColor(index);
    if (barColor_ == clNone)
        return;
    barBounds_ = GetBarBounds(index);
    const TBarStyle style = StyleOf(index);
    if (shadow_->Visible() && shadow_->Size() != 0)
        PaintShadow(index, style);
    PaintBarWithTransparency(index, transparency_);
}

void TCustomBarSeries::PaintShadow(int index, TBarStyle style) {
    TCanvas3D& canvas = Canvas();
    const TRect bar = barBounds_;
    TBarShadowGuard guard(barBounds_, barColor_, penOverride_);
    barColor_ = shadow_->Color();
    penOverride_ = shadow_->Color();
    TRect& r = barBounds_;
    if (Vertical()) {
        r.Left += shadow_->HorizSize();
        r.Right += shadow_->HorizSize();
        if (r.Top < r.Bottom)
            r.Top += shadow_->VertSize();
        else
            r.Bottom -= shadow_->VertSize();
    } else {
        r.Top += shadow_->VertSize();
        r.Bottom += shadow_->VertSize();
        if (r.Left < r.Right)
            r.Right += shadow_->HorizSize();
        else
            r.Left -= shadow_->HorizSize();
    }
    const bool rectangular = style == bsRectangle || style == bsRectGradient || style == bsBevel;
    if (shadow_->Smooth() && rectangular) {
        // The shadow offsets the bar's own rectangle by its sizes.
        const bool view3D = ParentChart()->View3D();
        if (!view3D)
            shadow_->DrawRectShadow(canvas, NormalizeRect(bar));
        else if (canvas.IsOrthogonal())
            shadow_->DrawRectShadow(canvas, NormalizeRect(bar), 0, EndZ());
        else
            shadow_->DrawPolygonShadow(canvas, canvas.ProjectCorners(NormalizeRect(bar), EndZ()));
        return;
    }
    PaintBarWithTransparency(index, shadow_->Transparency());
}

void TCustomBarSeries::PaintBarWithTransparency(int index, TPlotTransparency transparency) {
    TCanvas3D& canvas = Canvas();
    const TRect r = NormalizeRect(barBounds_);
    TRect blendRect = r;
    if (transparency > 0 && ParentChart()->View3D()) {
        TRect wide = r;
        if (Pen()->Visible()) {
            wide.Right += Pen()->Width();
            wide.Bottom += Pen()->Width();
        }
        blendRect = Union(NormalizeRect(canvas.ProjectRect(wide, StartZ())),
                          NormalizeRect(canvas.ProjectRect(wide, EndZ())));
    }
    const TBlendScope blend(canvas, blendRect, transparency);
    if (Vertical())
        PaintBar(index, r.Top, r.Bottom);
    else
        PaintBar(index, r.Left, r.Right);
}

// ---- pen and brush ----------------------------------------------------------------------------

void TCustomBarSeries::PrepareBarPen(TCanvas3D& canvas, int index) {
    TColor color = Pen()->Color();
    if (penOverride_ != clNone)
        color = penOverride_;
    else if (darkPen_ > 0 && index != -1)
        color = ColorDarker(PointColor(index), static_cast<std::uint8_t>(255 - darkPen_));
    canvas.SelectPenColored(Pen(), color);
}

void TCustomBarSeries::PrepareBarBrush(TCanvas3D& canvas) {
    canvas.SelectBrushColors(Brush(), barColor_, BrushBackground());
}

TColor TCustomBarSeries::BrushBackground() const {
    const TColor own = Brush()->Color();
    if (own != clDefault || !ParentChart())
        return own;
    auto* control = dynamic_cast<TControl*>(ParentChart()->ChartComponent());
    return control ? control->Color() : clWhite;
}

// ---- shapes -----------------------------------------------------------------------------------

void TCustomBarSeries::PaintBar(int index, int start, int end) {
    TCanvas3D& canvas = Canvas();
    PrepareBarPen(canvas, index);
    PrepareBarBrush(canvas);
    const TBarStyle style = StyleOf(index);
    const TRect r = barBounds_;
    if (ParentChart()->View3D())
        PaintBar3D(canvas, style, r, start, end);
    else
        PaintBar2D(canvas, style, r, start, end);
    const TRect body =
        Vertical() ? TRect{r.Left, start, r.Right, end} : TRect{start, r.Top, end, r.Bottom};
    if (style == bsRectGradient)
        PaintGradientBar(index, body);
    else if (style == bsBevel)
        PaintBevel(r);
    PaintTickLines(style, start, end);
}

void TCustomBarSeries::PaintBar3D(TCanvas3D& canvas, TBarStyle style, const TRect& r, int start,
                                  int end) {
    const bool v = Vertical();
    const int z0 = StartZ(), z1 = EndZ(), zm = MiddleZ();
    // The bar's extent across its position, and points along its middle.
    const int a0 = v ? r.Left : r.Top, a1 = v ? r.Right : r.Bottom;
    const int mid = (a0 + a1) / 2, centre = (start + end) / 2, w = a1 - a0;
    auto at = [v](int value, int across) {
        return v ? TPoint{across, value} : TPoint{value, across};
    };
    // The shapes grow from the origin side: for vertical bars the apex is at the top (start),
    // for horizontal ones at the right (end).
    const int tip = v ? start : end, base = v ? end : start;
    auto box = [&](int tipSide, int baseSide) {
        return v ? TRect{a0, tipSide, a1, baseSide} : TRect{baseSide, a0, tipSide, a1};
    };
    switch (style) {
    case bsPyramid:
    case bsInvPyramid: {
        const TRect b = style == bsPyramid ? box(tip, base) : box(base, tip);
        canvas.PyramidShape(v, b.Left, b.Top, b.Right, b.Bottom, z0, z1, dark3D_);
        break;
    }
    case bsCilinder:
        canvas.CylinderShape(v, v ? r.Left : start, v ? start : r.Top, v ? r.Right : end,
                             v ? end : r.Bottom, z0, z1, dark3D_);
        break;
    case bsEllipse:
        canvas.EllipseAtDepth(
            v ? TRect{r.Left, start, r.Right, end} : TRect{start, r.Top, end, r.Bottom}, zm);
        break;
    case bsArrow:
        canvas.FlatArrow(true, at(base, mid), at(tip, mid), w, w / 2, zm);
        break;
    case bsInvArrow:
        canvas.FlatArrow(true, at(tip, mid), at(base, mid), w, w / 2, zm);
        break;
    case bsCone:
    case bsInvCone: {
        const TRect b = style == bsCone ? box(tip, base) : box(base, tip);
        canvas.ConeShape(v, b.Left, b.Top, b.Right, b.Bottom, z0, z1, dark3D_, conePercent_);
        break;
    }
    case bsSlantCube: {
        const TCylinderSidesScope sides(canvas, SlantCubeSides);
        canvas.CylinderShape(v, v ? r.Left : start, v ? start : r.Top, v ? r.Right : end,
                             v ? end : r.Bottom, z0, z1, dark3D_);
        break;
    }
    case bsDiamond:
        canvas.PolygonAtDepth({at(start, mid), at(centre, a1), at(end, mid), at(centre, a0)}, zm);
        break;
    default:
        canvas.BoxShape(v ? TRect{r.Left, start, r.Right, end} : TRect{start, r.Top, end, r.Bottom},
                        z0, z1, dark3D_);
        break;
    }
}

void TCustomBarSeries::PaintBar2D(TCanvas3D& canvas, TBarStyle style, const TRect& r, int start,
                                  int end) {
    const bool v = Vertical();
    const int a0 = v ? r.Left : r.Top, a1 = v ? r.Right : r.Bottom;
    const int mid = (a0 + a1) / 2, centre = (start + end) / 2, w = a1 - a0;
    auto at = [v](int value, int across) {
        return v ? TPoint{across, value} : TPoint{value, across};
    };
    const int tip = v ? start : end, base = v ? end : start;
    switch (style) {
    case bsPyramid:
    case bsCone:
        canvas.Polygon({at(base, a0), at(tip, mid), at(base, a1)});
        break;
    case bsInvPyramid:
    case bsInvCone:
        canvas.Polygon({at(tip, a0), at(base, mid), at(tip, a1)});
        break;
    case bsEllipse:
        canvas.Ellipse(r);
        break;
    case bsArrow:
        canvas.FlatArrow(true, at(base, mid), at(tip, mid), w, w / 2, 0);
        break;
    case bsInvArrow:
        canvas.FlatArrow(true, at(tip, mid), at(base, mid), w, w / 2, 0);
        break;
    case bsSlantCube:
        PaintRectangle2D(canvas, r);
        if (v) {
            canvas.MoveTo(mid, r.Top);
            canvas.LineTo(mid, r.Bottom);
        } else {
            canvas.MoveTo(r.Left, mid);
            canvas.LineTo(r.Right, mid);
        }
        break;
    case bsDiamond:
        canvas.Polygon({at(start, mid), at(centre, a1), at(end, mid), at(centre, a0)});
        break;
    default:
        PaintRectangle2D(canvas, r);
        break;
    }
}

// A bar with no width or height is a line in the brush colour; one narrower or shorter than the
// pen is its outline in that colour.
void TCustomBarSeries::PaintRectangle2D(TCanvas3D& canvas, const TRect& r) {
    TBrush* brush = canvas.Brush();
    TPen* pen = canvas.Pen();
    if (brush->Style() == bsSolid) {
        const int w = std::abs(r.Right - r.Left), h = std::abs(r.Bottom - r.Top);
        auto penInBrushColor = [&] {
            pen->SetColor(brush->Color());
            if (pen->Style() == psClear)
                pen->SetStyle(psSolid);
        };
        if (w == 0 || h == 0) {
            penInBrushColor();
            canvas.MoveTo(r.Left, r.Top);
            canvas.LineTo(r.Right, r.Bottom);
        } else if (w < pen->Width() || h < pen->Width()) {
            penInBrushColor();
            brush->SetStyle(bsClear);
        }
    }
    canvas.Rectangle(r);
}

// ---- gradient and bevel -----------------------------------------------------------------------

TColor TCustomBarSeries::RelativeEndColor(int index) {
    TChartValueList& values = *MandatoryValueList();
    const double low = useYOrigin_ ? yOrigin_ : values.Lowest();
    const double high = values.Highest();
    // One bar, or bars all alike: no proportion, the bar's own colour.
    if (high == low)
        return barColor_;
    const double fraction = (MandatoryValueAt(index) - low) / (high - low);
    return TBarSeriesGradient::RelativeColor(gradient_->StartColor(), barColor_, fraction);
}

void TCustomBarSeries::PaintGradientBar(int index, const TRect& body) {
    TCanvas3D& canvas = Canvas();
    const TColor end = gradient_->Relative() ? RelativeEndColor(index) : barColor_;
    // Quietly: the gradient's change would ask for a repaint of the chart being drawn.
    const TNotifyEvent notify = std::move(gradient_->OnChange);
    gradient_->OnChange = nullptr;
    gradient_->SetEndColor(end);
    gradient_->OnChange = notify;
    const bool penShown = Pen()->Visible();
    const int pw = penShown ? Pen()->Width() : 0;
    const bool view3D = ParentChart()->View3D();
    if (view3D && !canvas.IsOrthogonal()) {
        TRect r = body;
        if (penShown) {
            r.Left += pw;
            r.Top += pw;
            r.Right -= pw;
            r.Bottom -= pw;
        }
        gradient_->FillQuad(canvas, canvas.ProjectCorners(r, StartZ()));
        return;
    }
    TRect r = body;
    if (penShown) {
        r.Left += 1;
        r.Top += 1;
        r.Right -= view3D ? pw - 1 : pw;
        r.Bottom -= view3D ? pw - 1 : pw;
    }
    if (view3D)
        r = canvas.ProjectRect(r, StartZ());
    gradient_->Fill(canvas, r, 0);
}

void TCustomBarSeries::PaintBevel(const TRect& bounds) {
    TCanvas3D& canvas = Canvas();
    const bool view3D = ParentChart()->View3D();
    if (view3D && !canvas.IsOrthogonal())
        return;
    TRect r = NormalizeRect(bounds);
    if (Pen()->Visible()) {
        const int pw = Pen()->Width();
        r = {r.Left + pw, r.Top + pw, r.Right - pw, r.Bottom - pw};
        if (view3D) {
            ++r.Right;
            ++r.Bottom;
        }
    }
    if (view3D)
        r = canvas.ProjectRect(r, StartZ());
    canvas.BevelFrame(r, ColorBrighter(barColor_, BevelLight), ColorDarker(barColor_, BevelDark),
                      bevelSize_);
}

// ---- tick lines -------------------------------------------------------------------------------

void TCustomBarSeries::PaintTickLines(TBarStyle style, int start, int end) {
    TChartAxis* axis = ValueAxis();
    if (!tickLines_->Visible() || !axis)
        return;
    TCanvas3D& canvas = Canvas();
    canvas.SelectPen(tickLines_.get());
    for (int position : axis->TickPositions())
        if (start < position && position < end)
            PaintTickLine(position, style);
}

void TCustomBarSeries::PaintTickLine(int position, TBarStyle style) {
    TCanvas3D& canvas = Canvas();
    const TRect r = NormalizeRect(barBounds_);
    const bool v = Vertical();
    const int a0 = v ? r.Left : r.Top, a1 = v ? r.Right : r.Bottom;
    auto line = [&](int from, int to, int z) {
        if (v)
            canvas.HorizontalLineAtDepth(from, to, position, z);
        else
            canvas.VerticalLineAtDepth(position, from, to, z);
    };
    if (style == bsArrow) {
        const int quarter = (a1 - a0) / 4;
        line(a0 + quarter, a1 - quarter, MiddleZ());
        return;
    }
    if (style != bsRectangle && style != bsRectGradient && style != bsBevel)
        return;
    line(a0, a1, StartZ());
    if (!ParentChart()->View3D())
        return;
    // Across the depth on the side face turned to the viewer.
    auto facing = [&](int across) {
        const TPoint p0 = v ? canvas.Project(across, r.Bottom, StartZ())
                            : canvas.Project(r.Left, across, StartZ());
        const TPoint p1 =
            v ? canvas.Project(across, r.Bottom, EndZ()) : canvas.Project(r.Left, across, EndZ());
        const TPoint p2 =
            v ? canvas.Project(across, r.Top, EndZ()) : canvas.Project(r.Right, across, EndZ());
        return !IsBackFacing(p0, p1, p2);
    };
    auto depthLine = [&](int across) {
        if (v) {
            canvas.MoveToAtDepth(across, position, StartZ());
            canvas.LineToAtDepth(across, position, EndZ());
        } else {
            canvas.MoveToAtDepth(position, across, StartZ());
            canvas.LineToAtDepth(position, across, EndZ());
        }
    };
    if (facing(a1))
        depthLine(a1);
    else if (!facing(a0))
        depthLine(a0);
}

// ---- legend -----------------------------------------------------------------------------------

void TCustomBarSeries::DrawLegendShape(int index, const TRect& rect) {
    if (!ParentChart())
        return;
    if (Brush()->HasImage())
        Canvas().SelectBrushWithColor(Brush(), LegendItemColor(index));
    TChartSeries::DrawLegendShape(index, rect);
}

void TCustomBarSeries::PrepareLegendBrush(int index, TColor& backColor, TBrushStyle& style) {
    if (ParentChart() && ParentChart()->ChartCanvas())
        PrepareBarPen(Canvas(), index);
    style = Brush()->Style();
    backColor = BrushBackground();
}
