#include "controls/paint/FrGradient.h"

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

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

// The pixels of the fill, one 32-bit word each, row by row.
class TPixels {
public:
    explicit TPixels(TBitmap& bmp) : w_(bmp.Width()), h_(bmp.Height()) {
        rows_.reserve(static_cast<size_t>(h_));
        for (int y = 0; y < h_; ++y)
            rows_.push_back(reinterpret_cast<std::uint32_t*>(bmp.ScanLine(y)));
    }
    int Width() const { return w_; }
    int Height() const { return h_; }
    std::uint32_t* Row(int y) const { return rows_[static_cast<size_t>(y)]; }
    void FillRow(int y, std::uint32_t px) const { std::fill(Row(y), Row(y) + w_, px); }
    void CopyRow(int y, const std::uint32_t* from) const {
        std::memcpy(Row(y), from, sizeof(std::uint32_t) * static_cast<size_t>(w_));
    }

private:
    int w_, h_;
    std::vector<std::uint32_t*> rows_;
};

// Every step's colour of a ramp, looked up per pixel.
std::vector<std::uint32_t> Palette(const TColorRamp& ramp, std::int64_t steps) {
    std::vector<std::uint32_t> colours(static_cast<size_t>(std::max<std::int64_t>(steps, 1)));
    for (size_t i = 0; i < colours.size(); ++i)
        colours[i] = ramp.Pixel(static_cast<std::int64_t>(i));
    return colours;
}

// Rows (or columns) from the far end: the far row is `stop`, each step nearer adds
// (start - stop) / n.
void LinearRamp(const TPixels& px, bool rows, TColor start, TColor stop, int band) {
    const int w = px.Width(), h = px.Height(), n = rows ? h : w;
    const std::vector<std::uint32_t> colours = Palette(TColorRamp(stop, start, n, band), n);
    if (rows) {
        for (int y = 0; y < h; ++y)
            px.FillRow(y, colours[static_cast<size_t>(h - 1 - y)]);
        return;
    }
    for (int x = 0; x < w; ++x)
        px.Row(0)[x] = colours[static_cast<size_t>(w - 1 - x)];
    for (int y = 1; y < h; ++y)
        px.CopyRow(y, px.Row(0));
}

// Stop on the centre row (column) n div 2, start toward both edges, mirrored about the centre.
void CentreRamp(const TPixels& px, bool rows, TColor start, TColor stop, int band) {
    const int w = px.Width(), h = px.Height(), n = rows ? h : w;
    const int centre = n / 2;
    const std::vector<std::uint32_t> colours =
        Palette(TColorRamp(stop, start, centre + 1, band), n);
    if (rows) {
        for (int y = 0; y < h; ++y)
            px.FillRow(y, colours[static_cast<size_t>(std::abs(y - centre))]);
        return;
    }
    for (int x = 0; x < w; ++x)
        px.Row(0)[x] = colours[static_cast<size_t>(std::abs(x - centre))];
    for (int y = 1; y < h; ++y)
        px.CopyRow(y, px.Row(0));
}

// How many steps an inner edge at `inner` has to move toward 0 to reach `pos` (0 when it is
// inside), over n steps.
std::int64_t BoxStep(int pos, int inner, int n) {
    if (pos >= inner)
        return 0;
    return (static_cast<std::int64_t>(inner - pos) * n + inner - 1) / inner;
}

// Stop inside the box (hw - mh, hh - mv) of the top-left quadrant, start toward the edges; the
// quadrant is mirrored onto the other three.
void BoxRamp(const TPixels& px, int mv, int mh, TColor start, TColor stop, int band) {
    const int w = px.Width(), h = px.Height();
    const int hw = (w - 1) / 2, hh = (h - 1) / 2;
    const int ix = std::max(hw - mh, 0), iy = std::max(hh - mv, 0);
    const int n = std::max(ix, iy) + 1;
    const std::vector<std::uint32_t> colours = Palette(TColorRamp(stop, start, n, band), n);
    std::vector<std::int64_t> columnSteps(static_cast<size_t>(hw + 1));
    for (int x = 0; x <= hw; ++x)
        columnSteps[static_cast<size_t>(x)] = BoxStep(x, ix, n);
    for (int y = 0; y <= hh; ++y) {
        const std::int64_t rowStep = BoxStep(y, iy, n);
        std::uint32_t* top = px.Row(y);
        for (int x = 0; x <= hw; ++x) {
            const std::int64_t step = std::min<std::int64_t>(
                std::max(rowStep, columnSteps[static_cast<size_t>(x)]), n - 1);
            top[x] = top[w - 1 - x] = colours[static_cast<size_t>(step)];
        }
        px.CopyRow(h - 1 - y, top);
    }
}

// Bands parallel to the diagonal from the top-left to the bottom-right corner, from `first` in
// the bottom-left corner to `second` in the top-right one (mirrored: bottom-right to top-left).
void DiagonalRamp(const TPixels& px, bool mirrored, TColor first, TColor second, int band) {
    const int w = px.Width(), h = px.Height();
    const std::int64_t n = static_cast<std::int64_t>(std::sqrt(double(w) * w + double(h) * h)) + 1;
    const std::int64_t half = std::max<std::int64_t>(n / 2, 1);
    const std::vector<std::uint32_t> colours = Palette(
        TColorRamp(first, second, static_cast<int>(std::min<std::int64_t>(n, 1 << 30)), band), n);
    // Band boundaries advance by w / half across and h / half down per step. The band of the
    // pixel centre (x + 1/2, y + 1/2) is half * ((x + 1/2) / w + (h - y - 1/2) / h), computed in
    // whole numbers (a 16.16 step w * 65536 would overflow 32 bits from w = 32768, and a
    // truncated step bends the bands of long thin rectangles); along a row the quotient is
    // carried forward instead of divided anew.
    const std::int64_t den = 2 * static_cast<std::int64_t>(w) * h;
    const std::int64_t dx = 2 * half * h; // numerator change per pixel to the right
    const std::int64_t dq = dx / den, dr = dx % den;
    for (int y = 0; y < h; ++y) {
        const std::int64_t num = (2 * static_cast<std::int64_t>(h - y) - 1) * half * w + half * h;
        std::int64_t q = num / den, r = num % den;
        std::uint32_t* row = px.Row(y);
        for (int x = 0; x < w; ++x) {
            row[mirrored ? w - 1 - x : x] =
                colours[static_cast<size_t>(std::clamp<std::int64_t>(q, 0, n - 1))];
            q += dq;
            r += dr;
            if (r >= den) {
                ++q;
                r -= den;
            }
        }
    }
}

void FillAll(const TPixels& px, std::uint32_t colour) {
    for (int y = 0; y < px.Height(); ++y)
        px.FillRow(y, colour);
}

} // namespace

void PaintGradient(TCanvas* canvas, const TRect& r, TGradientDirection direction, int band,
                   TColor stop, TColor start) {
    const int w = std::abs(r.Right - r.Left), h = std::abs(r.Bottom - r.Top);
    if (w == 0 || h == 0)
        return;
    TBitmap bmp(w, h, pfDevice);
    const TPixels px(bmp);
    const int thickness = BandThickness(band);
    const TColorRamp plain(start, start, 1, 1);
    const bool same = ColorToRGB(start) == ColorToRGB(stop);
    switch (direction) {
    case gdDiagonalUp:
    case gdDiagonalDown:
        if (same)
            FillAll(px, plain.Pixel(0));
        else if (direction == gdDiagonalUp)
            DiagonalRamp(px, false, start, stop, thickness);
        else
            DiagonalRamp(px, true, stop, start, thickness);
        break;
    case gdHorizontalEnd:
    case gdVerticalEnd:
        LinearRamp(px, direction == gdHorizontalEnd, start, stop, thickness);
        break;
    case gdHorizontalCenter:
    case gdVerticalCenter:
        CentreRamp(px, direction == gdHorizontalCenter, start, stop, thickness);
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
            FillAll(px, plain.Pixel(0));
        else
            BoxRamp(px, mv, mh, start, stop, thickness);
        break;
    }
    }
    canvas->Draw(std::min(r.Left, r.Right), std::min(r.Top, r.Bottom), &bmp);
}
