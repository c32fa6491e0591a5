#include "chart/draw/Shadow.h"

#include "chart/draw/DrawRoutines.h"
#include "chart/draw/PlotBlend.h"
#include "chart/draw/PlotCanvas3D.h"
#include "platform/graphics/Bitmap.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

TPlotShadow::TPlotShadow(TNotifyEvent onChange) : OnChange(std::move(onChange)) {}

void TPlotShadow::DeclareProperties(TPropertyList& p) {
    p.Add("Clip", &TPlotShadow::Clip, &TPlotShadow::SetClip).Default(false);
    p.Add("Color", &TPlotShadow::Color, &TPlotShadow::SetColor, TColorTypeInfo())
        .Stored(&TPlotShadow::ColorStored);
    p.Add("HorizSize", &TPlotShadow::HorizSize, &TPlotShadow::SetHorizSize)
        .Stored(&TPlotShadow::HorizSizeStored);
    p.Add("Smooth", &TPlotShadow::Smooth, &TPlotShadow::SetSmooth).Default(true);
    p.Add("SmoothBlur", &TPlotShadow::SmoothBlur, &TPlotShadow::SetSmoothBlur).Default(0);
    p.Add("Transparency", &TPlotShadow::Transparency, &TPlotShadow::SetTransparency).Default(0);
    p.Add("VertSize", &TPlotShadow::VertSize, &TPlotShadow::SetVertSize)
        .Stored(&TPlotShadow::VertSizeStored);
    p.Add("Visible", &TPlotShadow::Visible, &TPlotShadow::SetVisible)
        .Stored(&TPlotShadow::VisibleStored);
}

void TPlotShadow::Assign(TPersistent* source) {
    auto* s = dynamic_cast<TPlotShadow*>(source);
    if (s == nullptr) {
        TPersistent::Assign(source);
        return;
    }
    color_ = s->color_;
    horizSize_ = s->horizSize_;
    smooth_ = s->smooth_;
    smoothBlur_ = s->smoothBlur_;
    transparency_ = s->transparency_;
    vertSize_ = s->vertSize_;
    visible_ = s->visible_;
}

int TPlotShadow::Size() const {
    return std::max(std::abs(horizSize_), std::abs(vertSize_));
}

void TPlotShadow::SetSize(int size) {
    SetHorizSize(size);
    SetVertSize(size);
}

void TPlotShadow::SetDefaults(TColor color, int size) {
    color_ = defaultColor_ = color;
    horizSize_ = vertSize_ = defaultSize_ = size;
}

// ---- shared steps -----------------------------------------------------------------------------

TPlotCanvas3D* TPlotShadow::SmoothCanvas(TCanvas3D& canvas) const {
    auto* c = dynamic_cast<TPlotCanvas3D*>(&canvas);
    if (c == nullptr || c->MetafileOutput() || c->Buffer() == nullptr || !c->GetBufferedDisplay())
        return nullptr;
    return c;
}

void TPlotShadow::Prepare(TCanvas3D& canvas, TPlotCanvas3D* smooth) const {
    if (smooth_ && smooth != nullptr)
        return;
    canvas.Brush()->SetBitmap(nullptr);
    canvas.Brush()->SetStyle(bsSolid);
    canvas.Brush()->SetColor(color_);
    canvas.Pen()->SetStyle(psClear);
}

namespace {

// Runs draw between BeginTransparency and EndTransparency when the shadow has a transparency.
template <class F>
void WithTransparency(TCanvas3D& canvas, const TRect& bounds, TPlotTransparency t, F draw) {
    if (t == 0) {
        draw();
        return;
    }
    auto blend = canvas.BeginTransparency(bounds, t);
    try {
        draw();
    } catch (...) {
        canvas.EndTransparency(std::move(blend));
        throw;
    }
    canvas.EndTransparency(std::move(blend));
}

bool Projects(TCanvas3D& canvas) {
    auto* c = dynamic_cast<TPlotCanvas3D*>(&canvas);
    return c != nullptr && c->Is3D();
}

TRect Moved(const TRect& r, int h, int v) {
    return {r.Left + h, r.Top + v, r.Right + h, r.Bottom + v};
}

} // namespace

// ---- the three forms --------------------------------------------------------------------------

void TPlotShadow::DrawRectShadow(TCanvas3D& canvas, const TRect& r, int roundSize, int depth) {
    if (Nothing())
        return;
    TPlotCanvas3D* smooth = SmoothCanvas(canvas);
    Prepare(canvas, smooth);
    TPen* pen = canvas.Pen();
    const TPenStyle oldStyle = pen->Style();
    const TColor oldColor = pen->Color();
    const TRect bounds = canvas.ProjectedBounds(Moved(r, horizSize_, vertSize_), depth);
    WithTransparency(canvas, bounds, transparency_, [&] {
        if (!smooth_)
            Plain(canvas, r, roundSize, depth);
        else if (smooth != nullptr)
            SmoothShape(*smooth, r, roundSize > 0 ? 1 : 0, roundSize, {});
        else if (canvas.RendersTrue3D())
            Plain(canvas, r, roundSize, depth);
        else
            Fading(canvas, r, depth);
    });
    pen->SetStyle(oldStyle);
    pen->SetColor(oldColor);
}

void TPlotShadow::DrawEllipseShadow(TCanvas3D& canvas, const TRect& r, int depth) {
    if (Nothing())
        return;
    TPlotCanvas3D* smooth = SmoothCanvas(canvas);
    Prepare(canvas, smooth);
    const TRect moved = Moved(r, horizSize_, vertSize_);
    const TRect bounds = canvas.ProjectedBounds(moved, depth);
    WithTransparency(canvas, bounds, transparency_, [&] {
        if (smooth_ && smooth != nullptr) {
            SmoothShape(*smooth, r, 2, 0, {});
        } else if (smooth_) {
            const TRect projected = canvas.ProjectRect(moved, depth);
            canvas.ClipToEllipse(projected, false);
            canvas.FillGradientRect(projected, ColorDarker(color_, 128), ColorBrighter(color_, 32),
                                    gdRadial, 50, 0, 0);
            canvas.RemoveClip();
        } else {
            canvas.EllipseAtDepth(moved.Left, moved.Top, moved.Right, moved.Bottom, depth);
        }
    });
}

void TPlotShadow::DrawPolygonShadow(TCanvas3D& canvas, const TPointList& points) {
    if (Nothing() || points.empty())
        return;
    TPlotCanvas3D* smooth = SmoothCanvas(canvas);
    Prepare(canvas, smooth);
    TPointList moved = points;
    for (TPoint& p : moved) {
        p.X += horizSize_;
        p.Y += vertSize_;
    }
    const TRect bounds = PointsBounds(moved);
    WithTransparency(canvas, bounds, transparency_, [&] {
        if (smooth_ && smooth != nullptr)
            SmoothShape(*smooth, bounds, 3, 0, moved);
        else
            canvas.Polygon(moved);
    });
}

// ---- renderings -------------------------------------------------------------------------------

void TPlotShadow::Plain(TCanvas3D& canvas, const TRect& r, int roundSize, int depth) const {
    const int h = horizSize_;
    const int v = vertSize_;
    if (roundSize > 0) {
        canvas.RoundRect(Moved(r, h, v), roundSize, roundSize);
        return;
    }
    auto strip = [&](TRect s) {
        s = NormalizeRect(s);
        if (Projects(canvas))
            canvas.RectangleAtDepth(s, depth);
        else
            canvas.Rectangle(s);
    };
    if (v != 0) {
        if (v > 0)
            strip({r.Left + h, r.Bottom, r.Right + h, r.Bottom + 1 + v});
        else
            strip({r.Left + h, r.Top + 1, r.Right + h, r.Top + v});
    }
    if (h != 0) {
        if (h > 0)
            strip({r.Right, r.Top + v, r.Right + 1 + h, r.Bottom + v + 1});
        else
            strip({r.Left + 1, r.Top + v, r.Left + h, r.Bottom + v + 1});
    }
}

void TPlotShadow::Fading(TCanvas3D& canvas, const TRect& r, int depth) const {
    TPen* pen = canvas.Pen();
    pen->SetStyle(psSolid);
    const bool projects = Projects(canvas);
    const int h = horizSize_;
    const int v = vertSize_;
    const TColor rgb = ColorToRGB(color_);
    const double grey = (GetRValue(rgb) + GetGValue(rgb) + GetBValue(rgb)) / 3.0;
    auto stepOf = [grey](int count) { return RoundEven((255 - grey) / count); };
    if (v > 0) {
        pen->SetColor(color_);
        const int step = stepOf(v);
        for (int i = 1; i <= v; ++i) {
            const int y = r.Bottom + i - 1;
            const int x0 = r.Left + h;
            const int x1 = r.Right + h + i - v - 1;
            if (projects)
                canvas.HorizontalLineAtDepth(x0, x1, y, depth);
            else
                canvas.HorizontalLine(x0, x1, y);
            pen->SetColor(ColorBrighter(pen->Color(), step));
        }
    }
    if (h > 0) {
        pen->SetColor(color_);
        const int step = stepOf(h);
        for (int i = 1; i <= h; ++i) {
            const int x = r.Right + i - 1;
            const int y0 = r.Top + v;
            const int y1 = r.Bottom + v + i - h - 1;
            const int px = r.Right + i - 2;
            const int py = r.Bottom + v + i - h - 2;
            if (projects) {
                canvas.VerticalLineAtDepth(x, y0, y1, depth);
                canvas.SetPixelAtDepth(px, py, depth, pen->Color());
            } else {
                canvas.VerticalLine(x, y0, y1);
                canvas.SetPixel(px, py, pen->Color());
            }
            pen->SetColor(ColorBrighter(pen->Color(), step));
        }
    }
}
