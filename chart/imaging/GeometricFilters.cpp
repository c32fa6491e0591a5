// The geometric filters, the filter registration and the hooks the drawing layer waits for.

#include "chart/draw/ChartTypes.h"
#include "chart/draw/DrawLibrary.h"
#include "chart/draw/Gradient.h"
#include "chart/imaging/Filters.h"
#include "chart/imaging/ImageFiltered.h"
#include "chart/imaging/Resample.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/graphics/Bitmap.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// A new 32-bit bitmap of the given size, filled with colour.
std::unique_ptr<TBitmap> NewBitmap(int w, int h, TColor fill = clWhite) {
    auto b = std::make_unique<TBitmap>(std::max(w, 1), std::max(h, 1), pf32bit);
    if (fill != clWhite) {
        b->Canvas()->Brush()->SetColor(fill);
        b->Canvas()->FillRect({0, 0, w, h});
        b->Canvas()->Flush();
    }
    return b;
}

void CopyPixel(const TBitmap& from, int fx, int fy, TBitmap& to, int tx, int ty) {
    std::memcpy(to.ScanLine(ty) + tx * 4, from.ScanLine(fy) + fx * 4, 3);
}

// bitmap takes result's size and pixels.
void Replace(TBitmap& bitmap, const TBitmap& result) {
    bitmap.Assign(result);
    bitmap.SetPixelFormat(pf32bit);
}

} // namespace

// ---- rows and columns ---------------------------------------------------------------------------

void TFlipFilter::Apply(TBitmap& bitmap, const TRect& r) {
    BuildLines(bitmap);
    const int n = (r.Right - r.Left + 1) * 4;
    for (int k = 0; k < (r.Bottom - r.Top + 1) / 2; ++k)
        std::swap_ranges(lines_[r.Top + k] + r.Left * 4, lines_[r.Top + k] + r.Left * 4 + n,
                         lines_[r.Bottom - k] + r.Left * 4);
}

void TReverseFilter::Apply(TBitmap& bitmap, const TRect& r) {
    BuildLines(bitmap);
    for (int y = r.Top; y <= r.Bottom; ++y)
        for (int k = 0; k < (r.Right - r.Left + 1) / 2; ++k)
            std::swap_ranges(lines_[y] + (r.Left + k) * 4, lines_[y] + (r.Left + k) * 4 + 3,
                             lines_[y] + (r.Right - k) * 4);
}

void TMosaicFilter::Apply(TBitmap& bitmap, const TRect& r) {
    if (Amount < 1)
        return;
    BuildLines(bitmap);
    // Blocks start every Amount pixels while the start is below (end - Amount); the last block
    // runs to the end.
    auto starts = [this](int from, int to) {
        std::vector<int> s{from};
        while (s.back() < to - Amount)
            s.push_back(s.back() + Amount);
        return s;
    };
    const std::vector<int> xs = starts(r.Left, r.Right);
    const std::vector<int> ys = starts(r.Top, r.Bottom);
    for (std::size_t by = 0; by < ys.size(); ++by) {
        const int y1 = by + 1 < ys.size() ? ys[by + 1] - 1 : r.Bottom;
        for (std::size_t bx = 0; bx < xs.size(); ++bx) {
            const int x1 = bx + 1 < xs.size() ? xs[bx + 1] - 1 : r.Right;
            const TRect block{xs[bx], ys[by], x1, y1};
            long sum[3] = {0, 0, 0};
            for (int y = block.Top; y <= block.Bottom; ++y)
                for (int x = block.Left; x <= block.Right; ++x)
                    for (int c = 0; c < 3; ++c)
                        sum[c] += lines_[y][x * 4 + c];
            const double count = (x1 - xs[bx] + 1.0) * (y1 - ys[by] + 1.0);
            for (int y = block.Top; y <= block.Bottom; ++y)
                for (int x = block.Left; x <= block.Right; ++x)
                    for (int c = 0; c < 3; ++c)
                        lines_[y][x * 4 + c] =
                            static_cast<std::uint8_t>(RoundEven(sum[c] * (1 / count)));
        }
    }
}

void TBevelFilter::DeclareProperties(TPropertyList& p) {
    p.Add("Bright", &TBevelFilter::Bright).Default(64);
    p.Add("Size", &TBevelFilter::Size).Default(15);
}

void TBevelFilter::Apply(TBitmap& bitmap, const TRect& r) {
    BuildLines(bitmap);
    auto shift = [](std::uint8_t* p, int d) {
        for (int c = 0; c < 3; ++c)
            p[c] = static_cast<std::uint8_t>(std::clamp(p[c] + d, 0, 255));
    };
    // Rings past the middle change nothing; a huge size stops there.
    const int rings = std::min(Size, std::max(r.Right - r.Left, r.Bottom - r.Top) / 2 + 1);
    for (int k = 0; k < rings; ++k) {
        if (k < (r.Bottom - r.Top) / 2)
            for (int x = r.Left + k; x <= r.Right - k; ++x) {
                shift(lines_[r.Top + k] + x * 4, Bright);
                shift(lines_[r.Bottom - k] + x * 4, -Bright);
            }
        if (k < (r.Right - r.Left) / 2)
            for (int y = r.Top + k + 1; y <= r.Bottom - k; ++y) {
                shift(lines_[y] + (r.Left + k) * 4, Bright);
                shift(lines_[y] + (r.Right - k) * 4, -Bright);
            }
    }
}

// ---- size changes -------------------------------------------------------------------------------

void TResizeFilter::DeclareProperties(TPropertyList& p) {
    p.Add("Height", &TResizeFilter::Height).Default(0);
    p.Add("Width", &TResizeFilter::Width).Default(0);
}

void TResizeFilter::Apply(TBitmap& bitmap, const TRect&) {
    if (Width <= 0 || Height <= 0)
        return;
    auto result = NewBitmap(Width, Height);
    ResampleBitmap(bitmap, *result);
    Replace(bitmap, *result);
}

void TCropFilter::DeclareProperties(TPropertyList& p) {
    p.Add("Left", &TCropFilter::Left).Default(0);
    p.Add("Smooth", &TCropFilter::Smooth).Default(false);
    p.Add("Top", &TCropFilter::Top).Default(0);
}

void TCropFilter::Apply(TBitmap& bitmap, const TRect&) {
    if (Width <= 0 || Height <= 0)
        return;
    // A clipped copy: the part of the area that lies outside the source stays white.
    auto area = NewBitmap(Width, Height);
    area->Canvas()->CopyRect({0, 0, Width, Height}, bitmap.Canvas(),
                             {Left, Top, Left + Width, Top + Height});
    area->Canvas()->Flush();
    if (Smooth) {
        ResampleBitmap(*area, bitmap);
    } else {
        bitmap.Canvas()->StretchDraw({0, 0, bitmap.Width(), bitmap.Height()}, area.get());
        bitmap.Canvas()->Flush();
    }
}

void TZoomFilter::DeclareProperties(TPropertyList& p) {
    p.Add("Percent", &TZoomFilter::Percent);
    p.Add("Smooth", &TZoomFilter::Smooth).Default(false);
}

void TZoomFilter::Apply(TBitmap& bitmap, const TRect& r) {
    const int w = r.Right - r.Left + 1;
    const int h = r.Bottom - r.Top + 1;
    const int dx = RoundEven(w * Percent * 0.005);
    const int dy = RoundEven(h * Percent * 0.005);
    TFilterItems items;
    auto* crop = items.Add<TCropFilter>();
    crop->Width = std::max(1, w - 2 * dx);
    crop->Height = std::max(1, h - 2 * dy);
    crop->Smooth = Smooth;
    if (bitmap.Width() == w && bitmap.Height() == h) {
        crop->Left = r.Left + dx;
        crop->Top = r.Top + dy;
        crop->ApplyTo(bitmap);
        return;
    }
    auto part = NewBitmap(w, h);
    part->Canvas()->CopyRect({0, 0, w, h}, bitmap.Canvas(),
                             {r.Left, r.Top, r.Right + 1, r.Bottom + 1});
    part->Canvas()->Flush();
    crop->Left = dx;
    crop->Top = dy;
    crop->ApplyTo(*part);
    bitmap.Canvas()->Draw(r.Left, r.Top, part.get());
    bitmap.Canvas()->Flush();
}

void TTileFilter::DeclareProperties(TPropertyList& p) {
    p.Add("NumCols", &TTileFilter::NumCols).Default(3);
    p.Add("NumRows", &TTileFilter::NumRows).Default(3);
}

void TTileFilter::Apply(TBitmap& bitmap, const TRect& r) {
    NumCols = std::max(NumCols, 1);
    NumRows = std::max(NumRows, 1);
    const int tw = (r.Right - r.Left + 1) / NumCols;
    const int th = (r.Bottom - r.Top + 1) / NumRows;
    if (tw < 1 || th < 1)
        return;
    auto tile = NewBitmap(tw, th);
    ResampleBitmap(bitmap, *tile);
    for (int row = 0; row < NumRows; ++row)
        for (int col = 0; col < NumCols; ++col)
            bitmap.Canvas()->Draw(tw * col, th * row, tile.get());
    bitmap.Canvas()->Flush();
}

void TMirrorFilter::DeclareProperties(TPropertyList& p) {
    p.Add("Direction", &TMirrorFilter::Direction).Default(mdDown);
}

void TMirrorFilter::Apply(TBitmap& bitmap, const TRect&) {
    const int w = bitmap.Width(), h = bitmap.Height();
    const bool vertical = Direction == mdDown || Direction == mdUp;
    TBitmap turned;
    turned.Assign(bitmap);
    TFilterItems items;
    TPlotFilter* f = vertical ? static_cast<TPlotFilter*>(items.Add<TFlipFilter>())
                              : static_cast<TPlotFilter*>(items.Add<TReverseFilter>());
    f->ApplyTo(turned);
    auto result = NewBitmap(vertical ? w : 2 * w, vertical ? 2 * h : h);
    const bool plainFirst = Direction == mdDown || Direction == mdRight;
    TCanvas* c = result->Canvas();
    c->Draw(0, 0, plainFirst ? &bitmap : &turned);
    c->Draw(vertical ? 0 : w, vertical ? h : 0, plainFirst ? &turned : &bitmap);
    c->Flush();
    Replace(bitmap, *result);
}

void TRotateFilter::DeclareProperties(TPropertyList& p) {
    p.Add("Angle", &TRotateFilter::Angle);
    p.Add("AutoSize", &TRotateFilter::AutoSize).Default(true);
    p.Add("BackColor", &TRotateFilter::BackColor).Default(clWhite);
}

void TRotateFilter::Apply(TBitmap& bitmap, const TRect&) {
    // Reduced below 360 in one step, so that a huge stored angle cannot keep the loop going.
    double angle = Angle > 360 ? std::fmod(Angle, 360.0) : Angle;
    if (angle == 0 || angle == 360)
        return;
    if (angle == 180) {
        TFilterItems items;
        items.Add<TFlipFilter>()->ApplyTo(bitmap);
        items.Add<TReverseFilter>()->ApplyTo(bitmap);
        return;
    }
    bitmap.SetPixelFormat(pf32bit);
    const int w = bitmap.Width(), h = bitmap.Height();
    const float a = static_cast<float>((360 - angle) * (3.14159265358979f / 180));
    const float c = std::cos(a), s = std::sin(a);
    int nw = w, nh = h;
    if (angle == 90 || angle == 270) {
        nw = h;
        nh = w;
    } else if (AutoSize) {
        if (s * c > 0) {
            nw = std::abs(RoundEven(w * c + h * s));
            nh = std::abs(RoundEven(w * s + h * c));
        } else {
            nw = std::abs(RoundEven(w * c - h * s));
            nh = std::abs(RoundEven(w * s - h * c));
        }
    }
    auto result = NewBitmap(nw, nh, BackColor == clNone ? clWhite : BackColor);
    if (w > 1 || h > 1) {
        for (int j = 0; j < nh; ++j)
            for (int i = 0; i < nw; ++i) {
                int sx, sy;
                if (angle == 90) { // clockwise: source (x, y) lands at (h - 1 - y, x)
                    sx = j;
                    sy = h - 1 - i;
                } else if (angle == 270) { // (x, y) lands at (y, w - 1 - x)
                    sx = w - 1 - j;
                    sy = i;
                } else {
                    const float o = static_cast<float>(i - nw / 2);
                    const float l = static_cast<float>(j - nh / 2);
                    sx = RoundEven(o * c - l * s + w / 2);
                    sy = RoundEven(o * s + l * c + h / 2);
                }
                if (sx >= 0 && sx < w && sy >= 0 && sy < h)
                    CopyPixel(bitmap, sx, sy, *result, i, j);
            }
    }
    Replace(bitmap, *result);
}

// ---- registration and hooks ---------------------------------------------------------------------

const std::vector<TClass>& FilterClasses() {
    static const std::vector<TClass> classes = {
        TInvertFilter::StaticClass(),    TGrayScaleFilter::StaticClass(),
        TMosaicFilter::StaticClass(),    TFlipFilter::StaticClass(),
        TReverseFilter::StaticClass(),   TBrightnessFilter::StaticClass(),
        TContrastFilter::StaticClass(),  TColorFilter::StaticClass(),
        THueLumSatFilter::StaticClass(), TBlurFilter::StaticClass(),
        TSharpenFilter::StaticClass(),   TGammaCorrectionFilter::StaticClass(),
        TEmbossFilter::StaticClass(),    TSoftenFilter::StaticClass(),
        TCropFilter::StaticClass(),      TResizeFilter::StaticClass(),
        TRotateFilter::StaticClass(),    TMirrorFilter::StaticClass(),
        TTileFilter::StaticClass(),      TBevelFilter::StaticClass(),
        TZoomFilter::StaticClass()};
    return classes;
}

namespace {
int starts = 0;
} // namespace

void StartChartImaging() {
    if (starts++ > 0)
        return;
    for (TClass c : FilterClasses())
        RegisterClass(c);
    RegisterClass(TImageFiltered::StaticClass());
    GradientRotateHook() = [](const TCustomPlotGradient& gradient, TBitmap& bitmap) {
        TFilterItems items;
        auto* rotate = items.Add<TRotateFilter>();
        rotate->Angle = gradient.Angle();
        rotate->ApplyTo(bitmap);
    };
    ShadowBlurHook() = [](TBitmap& bitmap, int left, int top, int right, int bottom, int steps) {
        TFilterItems items;
        auto* blur = items.Add<TBlurFilter>();
        blur->Steps = steps;
        blur->Apply(bitmap, {left, top, right, bottom});
        bitmap.Canvas()->Refresh();
    };
}

void StopChartImaging() {
    if (starts == 0 || --starts > 0)
        return;
    GradientRotateHook() = nullptr;
    ShadowBlurHook() = nullptr;
    for (TClass c : FilterClasses())
        UnRegisterClass(c);
    UnRegisterClass(TImageFiltered::StaticClass());
}
