// The chart canvas's gradient banding: bands across the height or width, frames from the centre,
// steps from a corner, diagonal lines, and the concentric rings of a radial gradient.

#include "chart/draw/DrawRoutines.h"
#include "chart/draw/Gradient.h"
#include "chart/draw/PlotCanvas3D.h"

#include <algorithm>

namespace {

// Fills with the brush, setting its colour only when it changes.
class TBandPainter {
public:
    explicit TBandPainter(TPlotCanvas3D& canvas) : canvas_(canvas), brush_(*canvas.Brush()) {
        oldColor_ = brush_.Color();
        oldStyle_ = brush_.Style();
        brush_.SetStyle(bsSolid);
    }
    ~TBandPainter() {
        brush_.SetColor(oldColor_);
        brush_.SetStyle(oldStyle_);
    }
    void Color(TColor c) { brush_.SetColor(c); }
    void Fill(int l, int t, int r, int b) {
        if (r > l && b > t)
            canvas_.FillRect({l, t, r, b});
    }

private:
    TPlotCanvas3D& canvas_;
    TBrush& brush_;
    TColor oldColor_;
    TBrushStyle oldStyle_;
};

void Bands(TBandPainter& paint, const TRect& r, TColor c0, TColor c1, int balance, bool vertical) {
    const int length = vertical ? r.Bottom - r.Top : r.Right - r.Left;
    const int steps = std::min(length, 256);
    if (steps - 1 <= 0) {
        // One pixel of height (or width) still shows the first colour rather than nothing.
        paint.Color(ColorToRGB(c0));
        paint.Fill(r.Left, r.Top, r.Right, r.Bottom);
        return;
    }
    for (int i = 0; i < steps; ++i) {
        const int a0 = static_cast<int>(static_cast<long long>(length) * i / steps);
        const int a1 = static_cast<int>(static_cast<long long>(length) * (i + 1) / steps);
        paint.Color(GradientStepColor(c0, c1, i, steps - 1, balance, false));
        if (vertical)
            paint.Fill(r.Left, r.Bottom - a1, r.Right, r.Bottom - a0);
        else
            paint.Fill(r.Right - a1, r.Top, r.Right - a0, r.Bottom);
    }
}

void FromCenter(TBandPainter& paint, const TRect& r, TColor c0, TColor c1, int balance) {
    const int w = r.Right - r.Left;
    const int h = r.Bottom - r.Top;
    const int n = std::max(1, w / 2 + h / 2);
    int a = 0;
    int b = 0;
    for (;;) {
        paint.Color(GradientStepColor(c0, c1, a + b, n, balance, false));
        const int l = r.Left + b, t = r.Top + a, rr = r.Right - b, bb = r.Bottom - a;
        paint.Fill(l, t, l + 1, bb);
        paint.Fill(rr - 1, t, rr, bb);
        paint.Fill(l, t, rr, t + 1);
        paint.Fill(l, bb - 1, rr, bb);
        if (a >= h / 2 && b >= w / 2)
            break;
        if (a < h / 2)
            ++a;
        if (b < w / 2)
            ++b;
    }
}

void FromCorner(TBandPainter& paint, const TRect& r, TColor c0, TColor c1, int balance,
                bool topLeft) {
    const int w = r.Right - r.Left;
    const int h = r.Bottom - r.Top;
    const int n = std::max(1, w + h);
    const int e = topLeft ? r.Top : r.Bottom;
    int i = 0, j = 0, y = e;
    while (i < w || j < h) {
        paint.Color(GradientStepColor(c0, c1, i + j, n, balance, false));
        paint.Fill(r.Left + i, std::min(y, e), r.Left + i + 1, std::max(y, e));
        if (j < h) {
            ++j;
            const int row = topLeft ? y : y - 1;
            paint.Fill(r.Left, row, r.Left + i + 1, row + 1);
            if (topLeft && y < r.Bottom)
                ++y;
            else if (!topLeft && y > r.Top)
                --y;
        }
        if (i < w)
            ++i;
    }
}

void Diagonal(TPlotCanvas3D& canvas, const TRect& rect, TColor c0, TColor c1, int balance,
              bool up) {
    TRect r = rect;
    if (!up)
        --r.Bottom;
    TPen& pen = *canvas.Pen();
    TPen saved;
    saved.Assign(pen);
    pen.BeginUpdate();
    pen.SetWidth(1);
    pen.SetStyle(psSolid);
    pen.SetMode(pmCopy);
    pen.EndUpdate();
    const int d = (r.Right - r.Left) + (r.Bottom - r.Top);
    const int n = std::max(1, std::min(255, d - 1));
    const int startRow = up ? r.Bottom : r.Top;
    const int endRow = up ? r.Top : r.Bottom;
    const int step = up ? -1 : 1;
    TPoint p1{r.Left, startRow};
    TPoint p2{r.Left, startRow};
    for (int e = 0; e < d; ++e) {
        pen.SetColor(GradientStepColor(c0, c1, static_cast<int>(static_cast<long long>(e) * n / d),
                                       n, balance, false));
        canvas.MoveTo(p1.X, p1.Y);
        canvas.LineTo(p2.X, p2.Y);
        if (p1.Y != endRow)
            p1.Y += step;
        else
            ++p1.X;
        if (p2.X < r.Right)
            ++p2.X;
        else
            p2.Y += step;
    }
    pen.Assign(saved);
}

} // namespace

void TPlotCanvas3D::FillGradientRect(const TRect& rect, TColor start, TColor end,
                                     TGradientDirection direction, int balance, int radialX,
                                     int radialY) {
    const TRect r = NormalizeRect(rect);
    if (direction == gdRadial) {
        TCustomPlotGradient radial;
        radial.SetStartColor(start);
        radial.SetEndColor(end);
        radial.SetBalance(balance);
        radial.SetRadialX(radialX);
        radial.SetRadialY(radialY);
        radial.FillRadial(*this, r);
        return;
    }
    switch (direction) {
    case gdBottomTop:
    case gdRightLeft:
    case gdFromCenter:
    case gdFromTopLeft:
    case gdFromBottomLeft:
        std::swap(start, end);
        break;
    default:
        break;
    }
    start = ColorToRGB(start);
    end = ColorToRGB(end);
    if (direction == gdDiagonalUp || direction == gdDiagonalDown) {
        Diagonal(*this, r, start, end, balance, direction == gdDiagonalUp);
        return;
    }
    TBandPainter paint(*this);
    switch (direction) {
    case gdTopBottom:
    case gdBottomTop:
        Bands(paint, r, start, end, balance, true);
        break;
    case gdLeftRight:
    case gdRightLeft:
        Bands(paint, r, start, end, balance, false);
        break;
    case gdFromCenter:
        FromCenter(paint, r, start, end, balance);
        break;
    case gdFromTopLeft:
    case gdFromBottomLeft:
        FromCorner(paint, r, start, end, balance, direction == gdFromTopLeft);
        break;
    default:
        break;
    }
}
