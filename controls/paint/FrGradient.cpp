#include "controls/paint/FrGradient.h"

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

// A colour walked from `from` toward `to` in `steps` equal 16.16 steps.
class TColorRamp {
public:
    TColorRamp(TColor from, TColor to, int steps, int band) : band_(band) {
        const TColor a = ColorToRGB(from), b = ColorToRGB(to);
        const int n = std::max(steps, 1);
        origin_[0] = GetRValue(a), origin_[1] = GetGValue(a), origin_[2] = GetBValue(a);
        const int target[3] = {GetRValue(b), GetGValue(b), GetBValue(b)};
        for (int c = 0; c < 3; ++c)
            inc_[c] = (static_cast<std::int64_t>(target[c] - origin_[c]) << 16) / n;
    }
    // The colour of step i as a 32-bit pixel; steps inside one band share its first colour.
    std::uint32_t Pixel(std::int64_t step) const {
        step -= step % band_;
        std::uint32_t px = 0xFF000000u;
        for (int c = 0; c < 3; ++c) {
            const std::int64_t v =
                ((static_cast<std::int64_t>(origin_[c]) << 16) + step * inc_[c]) >> 16;
            px |= static_cast<std::uint32_t>(std::clamp<std::int64_t>(v, 0, 255)) << (16 - 8 * c);
        }
        return px;
    }

private:
    int origin_[3];
    std::int64_t inc_[3];
    int band_;
};

int BandThickness(int band) {
    const int extra = band <= 8 ? band - 1 : 255 / band;
    return std::max(extra, 0) + 1;
}

void Put(TBitmap& bmp, int x, int y, std::uint32_t px) {
    std::memcpy(bmp.ScanLine(y) + 4 * x, &px, 4);
}

void FillAll(TBitmap& bmp, std::uint32_t px) {
    for (int y = 0; y < bmp.Height(); ++y)
        for (int x = 0; x < bmp.Width(); ++x)
            Put(bmp, x, y, px);
}

// Rows (or columns) from the far end: the far row is `stop`, each step nearer adds
// (start - stop) / n.
void LinearRamp(TBitmap& bmp, bool rows, TColor start, TColor stop, int band) {
    const int w = bmp.Width(), h = bmp.Height(), n = rows ? h : w;
    const TColorRamp ramp(stop, start, n, band);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            Put(bmp, x, y, ramp.Pixel(rows ? h - 1 - y : w - 1 - x));
}

// Stop on the centre row (column) h div 2, start toward both edges, mirrored about the centre.
void CentreRamp(TBitmap& bmp, bool rows, TColor start, TColor stop, int band) {
    const int w = bmp.Width(), h = bmp.Height(), n = rows ? h : w;
    const int centre = n / 2;
    const TColorRamp ramp(stop, start, centre + 1, band);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            Put(bmp, x, y, ramp.Pixel(std::abs((rows ? y : x) - centre)));
}

// Stop inside the box (hw - mh, hh - mv) of the top-left quadrant, start toward the edges; the
// quadrant is mirrored onto the other three.
void BoxRamp(TBitmap& bmp, int mv, int mh, TColor start, TColor stop, int band) {
    const int w = bmp.Width(), h = bmp.Height();
    const int hw = (w - 1) / 2, hh = (h - 1) / 2;
    const int ix = std::max(hw - mh, 0), iy = std::max(hh - mv, 0);
    const int n = std::max(ix, iy) + 1;
    const TColorRamp ramp(stop, start, n, band);
    for (int y = 0; y <= hh; ++y) {
        for (int x = 0; x <= hw; ++x) {
            // The band of a pixel: how many steps the inner box has to grow to reach it.
            std::int64_t step = 0;
            if (x < ix)
                step = std::max<std::int64_t>(
                    step, (static_cast<std::int64_t>(ix - x) * n + ix - 1) / ix);
            if (y < iy)
                step = std::max<std::int64_t>(
                    step, (static_cast<std::int64_t>(iy - y) * n + iy - 1) / iy);
            const std::uint32_t px = ramp.Pixel(std::min<std::int64_t>(step, n - 1));
            Put(bmp, x, y, px);
            Put(bmp, w - 1 - x, y, px);
            Put(bmp, x, h - 1 - y, px);
            Put(bmp, w - 1 - x, h - 1 - y, px);
        }
    }
}

// Bands parallel to the diagonal from the top-left to the bottom-right corner, from `first` in
// the bottom-left corner to `second` in the top-right one (mirrored: bottom-right to top-left).
void DiagonalRamp(TBitmap& bmp, bool mirrored, TColor first, TColor second, int band) {
    const int w = bmp.Width(), h = bmp.Height();
    const std::int64_t n = static_cast<std::int64_t>(std::sqrt(double(w) * w + double(h) * h)) + 1;
    const std::int64_t half = std::max<std::int64_t>(n / 2, 1);
    // Band boundaries advance by w / half across and h / half down per step. They are kept
    // exact rather than in 16.16 steps: w * 65536 overflows 32 bits from w = 32768, and a
    // truncated step bends the bands of long thin rectangles.
    // The band of a pixel centre (x + 1/2, y + 1/2): half * ((x + 1/2) / w + (h - y - 1/2) / h),
    // in whole numbers so that pixels on one band line never round apart.
    const std::int64_t den = 2 * static_cast<std::int64_t>(w) * h;
    const TColorRamp ramp(first, second, static_cast<int>(std::min<std::int64_t>(n, 1 << 30)),
                          band);
    for (int y = 0; y < h; ++y) {
        const std::int64_t fromBottom = (2 * static_cast<std::int64_t>(h - y) - 1) * half * w;
        for (int x = 0; x < w; ++x) {
            const int xx = mirrored ? w - 1 - x : x;
            const std::int64_t k =
                ((2 * static_cast<std::int64_t>(xx) + 1) * half * h + fromBottom) / den;
            const std::int64_t step = std::clamp<std::int64_t>(k, 0, n - 1);
            Put(bmp, x, y, ramp.Pixel(step));
        }
    }
}

} // namespace

void PaintGradient(TCanvas* canvas, const TRect& r, TGradientDirection direction, int band,
                   TColor stop, TColor start) {
    const int w = std::abs(r.Right - r.Left), h = std::abs(r.Bottom - r.Top);
    if (w == 0 || h == 0)
        return;
    TBitmap bmp(w, h, pfDevice);
    const int thickness = BandThickness(band);
    const TColorRamp plain(start, start, 1, 1);
    const bool same = ColorToRGB(start) == ColorToRGB(stop);
    switch (direction) {
    case gdDiagonalUp:
    case gdDiagonalDown:
        if (same)
            FillAll(bmp, plain.Pixel(0));
        else if (direction == gdDiagonalUp)
            DiagonalRamp(bmp, false, start, stop, thickness);
        else
            DiagonalRamp(bmp, true, stop, start, thickness);
        break;
    case gdHorizontalEnd:
    case gdVerticalEnd:
        LinearRamp(bmp, direction == gdHorizontalEnd, start, stop, thickness);
        break;
    case gdHorizontalCenter:
    case gdVerticalCenter:
        CentreRamp(bmp, direction == gdHorizontalCenter, start, stop, thickness);
        break;
    default: {
        int mv = 0, mh = 0;
        if (direction == gdHorizontalBox)
            mh = w / 4;
        else if (direction == gdVerticalBox)
            mv = h / 4;
        else if (direction == gdBigSquareBox)
            mv = h / 4, mh = w / 4;
        if (same || w < 5 || h <= 4)
            FillAll(bmp, plain.Pixel(0));
        else
            BoxRamp(bmp, mv, mh, start, stop, thickness);
        break;
    }
    }
    canvas->Draw(std::min(r.Left, r.Right), std::min(r.Top, r.Bottom), &bmp);
}
