// Drawing of the line family: one point at a time, the segment that reaches it, its pointer,
// the offset shadow and outline passes, and the legend symbol.

#include "chart/core/ChartAxis.h"
#include "chart/core/ChartHost.h"
#include "chart/draw/DrawRoutines.h"
#include "chart/draw/PlotCanvas.h"
#include "chart/series/BlendScope.h"
#include "chart/series/CustomSeries.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int DarkAmount = 64;

} // namespace

// ---- the point --------------------------------------------------------------------------------

void TCustomSeries::DrawPoint(int index) {
    TCanvas3D& canvas = Canvas();
    const int first = FirstDrawIndex();
    index_ = index;
    x_ = PixelX(index);
    y_ = PixelY(index);
    color_ = PointColor(index);
    if (color_ == clNone && TreatNulls() == tnSkip) {
        if (index == first) {
            for (int j = 0; j < Count(); ++j) {
                if (!IsNull(j)) {
                    x_ = PixelX(j);
                    y_ = PixelY(j);
                    break;
                }
            }
        } else {
            x_ = prevX_;
            y_ = prevY_;
        }
    }
    if (canvas.Pen()->Color() != clBlack)
        canvas.Pen()->SetColor(clBlack);
    if (canvas.Brush()->Color() != color_)
        canvas.Brush()->SetColor(color_);
    // The line starts again after a null point it does not draw.
    if (index > 0 && IsNull(index - 1) && TreatNulls() == tnDontPaint) {
        prevX_ = x_;
        prevY_ = y_;
    }
    origin_ = OriginPos(index);
    isLast_ = index == LastDrawIndex();
    if (index == first) {
        if (dark3D_) {
            const TPoint step = DepthStep();
            darkRatio_ = step.X == 0 ? 1.0 : std::fabs(static_cast<double>(step.Y) / step.X);
        }
        if (index == FirstVisibleIndex() && index > 0)
            StartAtPlotEdge(index);
        if (isLast_ && pointer_->Visible() && color_ != clNone)
            PaintPointer(x_, y_, color_, index);
        if (canvas.RendersTrue3D() && drawArea_ && ParentChart()->View3D())
            canvas.SideFace(x_, y_, origin_, StartZ(), EndZ());
    } else {
        DrawSegment(true);
        // Drawn from right to left: the segment from the point before the visible ones.
        if (isLast_ && first == LastVisibleIndex() && index == FirstVisibleIndex() && index > 0)
            StartAtPlotEdge(index);
    }
    prevX_ = x_;
    prevY_ = y_;
    prevOrigin_ = origin_;
    prevColor_ = color_;
    prevIndex_ = index;
}

// The segment from the point before the visible range: an area starts at that point, a line at
// the plot's edge at the height the line has there.
void TCustomSeries::StartAtPlotEdge(int index) {
    if (drawArea_) {
        prevX_ = PixelX(index - 1);
        prevY_ = PixelY(index - 1);
        prevOrigin_ = OriginPos(index - 1);
    } else {
        const TRect plot = ParentChart()->ChartRect();
        TChartAxis* horiz = GetHorizAxis();
        prevX_ = horiz && horiz->Inverted() ? plot.Right : plot.Left;
        prevY_ = stairs_ ? PixelY(index - 1) : InterpolatedEdgeY(index);
    }
    const int keep = prevIndex_;
    prevIndex_ = index - 1;
    if (!IsNull(index - 1))
        DrawSegment(false);
    prevIndex_ = keep;
}

int TCustomSeries::InterpolatedEdgeY(int index) {
    const double edge = XPixelToValue(prevX_);
    const double x0 = XValueAt(index - 1), y0 = YValueAt(index - 1);
    const double x1 = XValueAt(index), y1 = YValueAt(index);
    if (x1 == x0)
        return PixelY(index - 1);
    const double t = (edge - x0) / (x1 - x0);
    double value;
    TChartAxis* vert = GetVertAxis();
    if (vert && vert->Logarithmic()) {
        // A value of 0 has its pixel at the axis' low end (the axis' conversion saturates).
        value = y0 > 0 && y1 > 0 ? std::exp(std::log(y0) + (std::log(y1) - std::log(y0)) * t) : 0;
    } else {
        value = y0 + t * (y1 - y0);
    }
    return YValueToPixel(value);
}

void TCustomSeries::DrawSegment(bool withPointers) {
    TCanvas3D& canvas = Canvas();
    if ((prevX_ != x_ || prevY_ != y_) && (TreatNulls() == tnIgnore || color_ != clNone)) {
        const bool view3D = ParentChart()->View3D();
        if (view3D && (drawArea_ || connectPoints_))
            DrawRibbon3D();
        if (drawArea_) {
            canvas.Brush()->SetColor(AreaColorFor(color_));
            const bool ownColor = areaLinesPen_->Color() != clDefault && areaLinesPen_->Visible();
            canvas.SelectPenColored(areaLinesPen_.get(),
                                    ownColor ? areaLinesPen_->Color() : color_);
            DrawAreaSegment();
        } else if (!view3D && connectPoints_) {
            DrawLine2D();
        }
    }
    if (!pointer_->Visible() || !withPointers)
        return;
    // A point's pointer goes over the segment that leaves it; the last one's over its own.
    if (prevColor_ == clNone) {
        if (TreatNulls() != tnDontPaint)
            PaintPointer(prevX_, prevY_, color_, prevIndex_);
    } else {
        PaintPointer(prevX_, prevY_, prevColor_, prevIndex_);
    }
    if (isLast_ && color_ != clNone)
        PaintPointer(x_, y_, color_, index_);
}

void TCustomSeries::PrepareLinePen(TCanvas3D& canvas, TColor color) {
    if (canvas.GetMonochrome())
        color = clWhite;
    if (ParentChart()->View3D()) {
        if (Brush()->HasImage()) {
            canvas.SelectBrushWithColor(Brush(), color);
        } else {
            canvas.Brush()->SetStyle(LineBrush());
            canvas.Brush()->SetColor(color);
        }
        canvas.SelectPenColored(LinePen(), LinePen()->Color());
    } else {
        canvas.Brush()->SetStyle(bsClear);
        canvas.SelectPenColored(LinePen(), color);
    }
}

void TCustomSeries::DrawLine2D() {
    TCanvas3D& canvas = Canvas();
    const bool pointerShown = pointer_->Visible();
    PrepareLinePen(canvas, !pointerShown || colorEachLine_ ? color_ : SeriesColor());
    const TBlendScope blend(canvas, BoundsOf({{prevX_, prevY_}, {x_, y_}}, LinePen()->Width()),
                            GetTransparency());
    canvas.MoveTo(prevX_, prevY_);
    if (stairs_) {
        if (invertedStairs_)
            canvas.LineTo(prevX_, y_);
        else
            canvas.LineTo(x_, prevY_);
    }
    canvas.LineTo(x_, y_);
}

void TCustomSeries::DrawRibbon3D() {
    TCanvas3D& canvas = Canvas();
    const TColor color = colorEachLine_ || drawArea_ ? AreaColorFor(color_) : SeriesColor();
    if (Brush()->HasImage()) {
        canvas.SelectBrushColors(Brush(), color, clWhite);
    } else {
        if (canvas.Brush()->Color() != color)
            canvas.Brush()->SetColor(color);
        if (canvas.Brush()->Style() != LineBrush())
            canvas.Brush()->SetStyle(LineBrush());
    }
    canvas.SelectPenColored(LinePen(), LinePen()->Color());
    if (stairs_)
        DrawStairsRibbon(canvas, StartZ(), EndZ(), color);
    else
        DrawSlantRibbon(canvas, StartZ(), EndZ(), color);
}

void TCustomSeries::DrawStairsRibbon(TCanvas3D& canvas, int z0, int z1, TColor color) {
    const bool vertical = VerticalValues();
    auto darken = [&] {
        if (dark3D_)
            canvas.SelectDarkerBrush(color, DarkAmount);
    };
    auto restore = [&] {
        if (dark3D_)
            canvas.Brush()->SetColor(color);
    };
    if (!invertedStairs_) {
        if (vertical)
            canvas.HorizontalFace(prevX_, prevY_, x_, z0, z1);
        else
            canvas.SideFace(prevX_, prevY_, y_, z0, z1);
        darken();
        if (vertical)
            canvas.SideFace(x_, y_, prevY_, z0, z1);
        else
            canvas.HorizontalFace(prevX_, y_, x_, z0, z1);
        restore();
    } else {
        darken();
        if (vertical)
            canvas.SideFace(prevX_, prevY_, y_, z0, z1);
        else
            canvas.HorizontalFace(x_, y_, prevX_, z0, z1);
        restore();
        if (vertical)
            canvas.HorizontalFace(x_, y_, prevX_, z0, z1);
        else
            canvas.SideFace(x_, prevY_, y_, z0, z1);
    }
}

void TCustomSeries::DrawSlantRibbon(TCanvas3D& canvas, int z0, int z1, TColor color) {
    const TPoint p{x_, y_}, o{prevX_, prevY_};
    const int penWidth = LinePen()->Width();
    if (lineHeight_ != 0 && !drawArea_) {
        const TPoint oLow{o.X, o.Y + lineHeight_}, pLow{p.X, p.Y + lineHeight_};
        {
            const TRect r =
                BoundsOf({canvas.Project(p.X, p.Y, z0), canvas.Project(o.X, o.Y, z0),
                          canvas.Project(oLow.X, oLow.Y, z0), canvas.Project(pLow.X, pLow.Y, z0)},
                         penWidth);
            const TBlendScope blend(canvas, r, GetTransparency());
            canvas.QuadAtDepth(p, o, oLow, pLow, z0);
        }
        if (isLast_)
            canvas.SideFace(p.X, p.Y, p.Y + lineHeight_, z0, z1);
    }
    bool darkened = false;
    if (dark3D_ && !canvas.RendersTrue3D() && p.X != o.X && darkRatio_ != 0 &&
        static_cast<double>(o.Y - p.Y) / (p.X - o.X) > darkRatio_) {
        canvas.SelectDarkerBrush(color, DarkAmount);
        darkened = true;
    }
    if (canvas.GetMonochrome())
        canvas.Brush()->SetColor(clWhite);
    {
        const TRect r = BoundsOf(
            {canvas.Project(p.X, p.Y, z0 - penWidth), canvas.Project(o.X, o.Y, z0 - penWidth),
             canvas.Project(p.X, p.Y, z1 + penWidth), canvas.Project(o.X, o.Y, z1 + penWidth)},
            0);
        const TBlendScope blend(canvas, r, GetTransparency());
        TPlotGradient* gradient = GetGradient();
        if (gradient->Visible()) {
            const TPointList quad{canvas.Project(p.X, p.Y, z0), canvas.Project(o.X, o.Y, z0),
                                  canvas.Project(o.X, o.Y, z1), canvas.Project(p.X, p.Y, z1)};
            canvas.ClipToPolygon(quad, false);
            gradient->SetStartColor(canvas.Brush()->Color());
            gradient->Fill(canvas, BoundsOf({quad[0], quad[1], quad[2], quad[3]}, 0), 0);
            canvas.RemoveClip();
            if (canvas.Pen()->Style() != psClear) {
                canvas.Brush()->SetStyle(bsClear);
                canvas.DepthQuad(p, o, z0, z1);
            }
        } else {
            canvas.DepthQuad(p, o, z0, z1);
        }
    }
    if (darkened)
        canvas.Brush()->SetColor(color);
}

// ---- pointers ---------------------------------------------------------------------------------

void TCustomSeries::PaintPointer(int x, int y, TColor color, int index) {
    TCanvas3D& canvas = Canvas();
    pointer_->SetupCanvas(canvas, color);
    TSeriesPointerStyle style = pointer_->Style();
    if (OnGetPointerStyle) {
        style = OnGetPointerStyle(this, index);
        // The handler may have changed the pointer.
        pointer_->SetupCanvas(canvas, color);
    }
    pointer_->Draw(x, y, color, style);
}

// ---- passes -----------------------------------------------------------------------------------

// Restores what a pass over the points changed, however the pass ends.
class TSeriesPassGuard {
public:
    explicit TSeriesPassGuard(TCustomSeries& series)
        : series_(series), color_(series.OwnSeriesColor()),
          pointerVisible_(series.Pointer()->Visible()) {}
    ~TSeriesPassGuard() {
        if (horiz_)
            horiz_->ShiftPixels(-dx_);
        if (vert_)
            vert_->ShiftPixels(-dy_);
        series_.Pointer()->SetVisible(pointerVisible_);
        if (linePen_) {
            series_.LinePen()->Assign(linePen_.get());
            series_.OutLine()->Assign(outLine_.get());
        }
        series_.SetColorQuietly(color_);
    }
    TSeriesPassGuard(const TSeriesPassGuard&) = delete;
    TSeriesPassGuard& operator=(const TSeriesPassGuard&) = delete;

    void ShiftAxes(int dx, int dy) {
        horiz_ = series_.GetHorizAxis();
        vert_ = series_.GetVertAxis();
        dx_ = dx;
        dy_ = dy;
        if (horiz_)
            horiz_->ShiftPixels(dx);
        if (vert_)
            vert_->ShiftPixels(dy);
    }
    void SaveLinePens() {
        linePen_ = std::make_unique<TChartPen>();
        linePen_->Assign(series_.LinePen());
        outLine_ = std::make_unique<TChartHiddenPen>();
        outLine_->Assign(series_.OutLine());
    }

private:
    TCustomSeries& series_;
    TColor color_;
    bool pointerVisible_;
    TChartAxis* horiz_ = nullptr;
    TChartAxis* vert_ = nullptr;
    int dx_ = 0, dy_ = 0;
    std::unique_ptr<TChartPen> linePen_;
    std::unique_ptr<TChartHiddenPen> outLine_;
};

void TCustomSeries::RunShadowPass() {
    TSeriesPassGuard guard(*this);
    SetColorQuietly(shadow_->Color());
    pointer_->SetVisible(false);
    guard.ShiftAxes(shadow_->HorizSize(), shadow_->VertSize());
    TCustomLineSeries::DrawVisiblePoints();
}

void TCustomSeries::RunOutlinePass() {
    TSeriesPassGuard guard(*this);
    guard.SaveLinePens();
    const int lineWidth = LinePen()->Width();
    SetColorQuietly(outLine_->Color());
    LinePen()->Assign(outLine_.get());
    LinePen()->SetWidth(2 * outLine_->Width() + lineWidth);
    TCustomLineSeries::DrawVisiblePoints();
}

void TCustomSeries::DrawVisiblePoints() {
    if (FirstVisibleIndex() < 0)
        return;
    if (shadow_->Visible() &&
        std::max(std::abs(shadow_->HorizSize()), std::abs(shadow_->VertSize())) != 0)
        RunShadowPass();
    if (outLine_->Visible())
        RunOutlinePass();
    TCustomLineSeries::DrawVisiblePoints();
}

// ---- legend -----------------------------------------------------------------------------------

void TCustomSeries::DrawLegendShape(int index, const TRect& rect) {
    if (!ParentChart())
        return;
    TCanvas3D& canvas = Canvas();
    TColor color = index == -1 ? SeriesColor() : LegendItemColor(index);
    auto lineSymbol = [&](bool alwaysLine) {
        PrepareLinePen(canvas, color);
        if (!alwaysLine && ParentChart()->View3D()) {
            canvas.Rectangle(rect);
        } else {
            const int middle = (rect.Top + rect.Bottom) / 2;
            canvas.MoveTo(rect.Left, middle);
            canvas.LineTo(rect.Right, middle);
        }
    };
    if (pointer_->Visible()) {
        if (connectPoints_)
            lineSymbol(true);
        TSeriesPointerStyle style = pointer_->Style();
        if (OnGetPointerStyle && index != -1) {
            style = OnGetPointerStyle(this, index);
            color = pointer_->Brush()->Color();
        }
        pointer_->SetupCanvas(canvas, color);
        const bool crossed = LinePen()->Visible() && connectPoints_;
        const int w = rect.Right - rect.Left, h = rect.Bottom - rect.Top;
        const int halfW = crossed ? w / 3 : w / 2 + 1;
        const int halfH = crossed ? h / 3 : h / 2 + 1;
        pointer_->DrawMarker(canvas, false, (rect.Left + rect.Right) / 2,
                             (rect.Top + rect.Bottom) / 2, std::min(pointer_->HorizSize(), halfW),
                             std::min(pointer_->VertSize(), halfH), color, style);
    } else if (!connectPoints_ || drawArea_) {
        TCustomLineSeries::DrawLegendShape(index, rect);
    } else {
        lineSymbol(false);
    }
}
