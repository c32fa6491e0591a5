#include "chart/imaging/Filters.h"

#include "chart/draw/ChartTypes.h"
#include "chart/imaging/Resample.h"
#include "platform/graphics/Bitmap.h"

#include <algorithm>
#include <cmath>

namespace {

std::uint8_t Clamp(int v) {
    return static_cast<std::uint8_t>(std::clamp(v, 0, 255));
}

// Calls f(pixel) for each pixel of r; pixel[0..2] are blue, green, red.
template <class F> void EachPixel(const std::vector<std::uint8_t*>& lines, const TRect& r, F f) {
    for (int y = r.Top; y <= r.Bottom; ++y)
        for (int x = r.Left; x <= r.Right; ++x)
            f(lines[y] + x * 4);
}

void SetKernel(TConvolveFilter& f, std::array<float, 9> weights) {
    f.Weights = weights;
}

} // namespace

// ---- per pixel ----------------------------------------------------------------------------------

void TInvertFilter::Apply(TBitmap& bitmap, const TRect& r) {
    BuildLines(bitmap);
    EachPixel(lines_, r, [](std::uint8_t* p) {
        for (int c = 0; c < 3; ++c)
            p[c] = static_cast<std::uint8_t>(255 - p[c]);
    });
}

void TGrayScaleFilter::DeclareProperties(TPropertyList& p) {
    p.Add("Method", &TGrayScaleFilter::Method).Default(gmSimple);
}

void TGrayScaleFilter::Apply(TBitmap& bitmap, const TRect& r) {
    BuildLines(bitmap);
    EachPixel(lines_, r, [this](std::uint8_t* p) {
        const int b = p[0], g = p[1], red = p[2];
        int v;
        if (Method == gmSimple)
            v = (b + g + red) / 3;
        else if (Method == gmEye)
            v = RoundEven(0.3 * red + 0.59 * g + 0.11 * b);
        else
            v = (11 * red + 16 * g + 5 * b) >> 5;
        p[0] = p[1] = p[2] = Clamp(v);
    });
}

void TAmountFilter::DeclareProperties(TPropertyList& p) {
    p.Add("Amount", &TAmountFilter::Amount).Default(5);
    p.Add("Percent", &TAmountFilter::Percent).Default(true);
}

void TMosaicFilter::DeclareProperties(TPropertyList& p) {
    p.Add("Amount", &TMosaicFilter::Amount).Default(8);
}

void TGammaCorrectionFilter::DeclareProperties(TPropertyList& p) {
    p.Add("Amount", &TGammaCorrectionFilter::Amount).Default(70);
}

void TBrightnessFilter::Apply(TBitmap& bitmap, const TRect& r) {
    if (Amount == 0)
        return;
    BuildLines(bitmap);
    const int d = Percent ? RoundEven(static_cast<float>(Amount * 0.01f * 255.0f)) : Amount;
    EachPixel(lines_, r, [d](std::uint8_t* p) {
        for (int c = 0; c < 3; ++c)
            p[c] = Clamp(p[c] + d);
    });
}

void TContrastFilter::Apply(TBitmap& bitmap, const TRect& r) {
    BuildLines(bitmap);
    const double f = Amount * 0.01;
    EachPixel(lines_, r, [&](std::uint8_t* p) {
        for (int c = 0; c < 3; ++c) {
            const int v = p[c];
            p[c] = Percent ? Clamp(v + RoundEven(v * f) * (v - 128) / 256)
                           : Clamp(v + Amount * (v - 128) / 256);
        }
    });
}

void TColorFilter::DeclareProperties(TPropertyList& p) {
    p.Add("Blue", &TColorFilter::Blue).Default(0);
    p.Add("Green", &TColorFilter::Green).Default(0);
    p.Add("Red", &TColorFilter::Red).Default(0);
}

void TColorFilter::Apply(TBitmap& bitmap, const TRect& r) {
    if (Red == 0 && Green == 0 && Blue == 0)
        return;
    BuildLines(bitmap);
    EachPixel(lines_, r, [this](std::uint8_t* p) {
        p[0] = Clamp(p[0] + Blue);
        p[1] = Clamp(p[1] + Green);
        p[2] = Clamp(p[2] + Red);
    });
}

void TGammaCorrectionFilter::Apply(TBitmap& bitmap, const TRect& r) {
    BuildLines(bitmap);
    const double g = std::max(std::abs(Amount) / 100.0, 0.001);
    std::uint8_t table[256];
    table[0] = 0;
    for (int i = 1; i < 256; ++i)
        table[i] = Clamp(RoundEven(255 * std::pow(i / 255.0, 1 / g)));
    EachPixel(lines_, r, [&](std::uint8_t* p) {
        for (int c = 0; c < 3; ++c)
            p[c] = table[p[c]];
    });
}

// ---- hue, luminance, saturation on the 0..240 scale ---------------------------------------------

namespace {

constexpr int kHls = 240;
constexpr int kRgb = 255;
constexpr int kUndefinedHue = kHls * 2 / 3;

void RgbToHls(int r, int g, int b, int& h, int& l, int& s) {
    const int mx = std::max({r, g, b});
    const int mn = std::min({r, g, b});
    l = ((mx + mn) * kHls + kRgb) / (2 * kRgb);
    if (mx == mn) {
        s = 0;
        h = kUndefinedHue;
        return;
    }
    if (l <= kHls / 2)
        s = ((mx - mn) * kHls + (mx + mn) / 2) / (mx + mn);
    else
        s = ((mx - mn) * kHls + (2 * kRgb - mx - mn) / 2) / (2 * kRgb - mx - mn);
    const int rd = ((mx - r) * (kHls / 6) + (mx - mn) / 2) / (mx - mn);
    const int gd = ((mx - g) * (kHls / 6) + (mx - mn) / 2) / (mx - mn);
    const int bd = ((mx - b) * (kHls / 6) + (mx - mn) / 2) / (mx - mn);
    if (r == mx)
        h = bd - gd;
    else if (g == mx)
        h = kHls / 3 + rd - bd;
    else
        h = 2 * kHls / 3 + gd - rd;
    if (h < 0)
        h += kHls;
    if (h > kHls)
        h -= kHls;
}

double HueToRgb(double n1, double n2, double hue) {
    if (hue < 0)
        hue += kHls;
    if (hue > kHls)
        hue -= kHls;
    if (hue < kHls / 6.0)
        return n1 + ((n2 - n1) * hue + kHls / 12.0) / (kHls / 6.0);
    if (hue < kHls / 2.0)
        return n2;
    if (hue < kHls * 2 / 3.0)
        return n1 + ((n2 - n1) * (kHls * 2 / 3.0 - hue) + kHls / 12.0) / (kHls / 6.0);
    return n1;
}

void HlsToRgb(int h, int l, int s, int& r, int& g, int& b) {
    if (s == 0) {
        r = g = b = std::min(255, RoundEven(l * kRgb / static_cast<double>(kHls)));
        return;
    }
    const double m2 =
        l <= kHls / 2 ? (l * (kHls + s) + kHls / 2.0) / kHls : l + s - (l * s + kHls / 2.0) / kHls;
    const double m1 = 2.0 * l - m2;
    auto channel = [&](double hue) {
        return std::min(255, RoundEven((HueToRgb(m1, m2, hue) * kRgb + kHls / 2.0) / kHls));
    };
    r = channel(h + kHls / 3.0);
    g = channel(h);
    b = channel(h - kHls / 3.0);
}

} // namespace

void THueLumSatFilter::DeclareProperties(TPropertyList& p) {
    p.Add("Hue", &THueLumSatFilter::Hue).Default(0);
    p.Add("Luminance", &THueLumSatFilter::Luminance).Default(0);
    p.Add("Saturation", &THueLumSatFilter::Saturation).Default(0);
}

void THueLumSatFilter::Apply(TBitmap& bitmap, const TRect& r) {
    if (Hue == 0 && Luminance == 0 && Saturation == 0)
        return;
    BuildLines(bitmap);
    // Pictures have runs of one colour (flat areas, drawn parts): a pixel like the one before it
    // takes the result made for that one.
    std::uint8_t lastIn[3] = {0, 0, 0};
    std::uint8_t lastOut[3] = {0, 0, 0};
    bool haveLast = false;
    EachPixel(lines_, r, [&](std::uint8_t* p) {
        if (haveLast && p[0] == lastIn[0] && p[1] == lastIn[1] && p[2] == lastIn[2]) {
            std::copy(lastOut, lastOut + 3, p);
            return;
        }
        std::copy(p, p + 3, lastIn);
        int h, l, s;
        RgbToHls(p[2], p[1], p[0], h, l, s);
        if (Hue != 0)
            h = std::clamp(h + Hue, 0, 255) % (kHls + 1);
        if (Luminance != 0)
            l = std::clamp(l + Luminance, 0, 255);
        if (Saturation != 0)
            s = std::clamp(s + Saturation, 0, 255);
        int red, green, blue;
        HlsToRgb(h, std::min(l, kHls), std::min(s, kHls), red, green, blue);
        p[0] = Clamp(blue);
        p[1] = Clamp(green);
        p[2] = Clamp(red);
        std::copy(p, p + 3, lastOut);
        haveLast = true;
    });
}

// ---- kernels ------------------------------------------------------------------------------------

void TSharpenFilter::Apply(TBitmap& bitmap, const TRect& r) {
    const float e = -0.125f;
    SetKernel(*this, {e, e, e, e, 2, e, e, e, e});
    TConvolveFilter::Apply(bitmap, r);
}

void TEmbossFilter::Apply(TBitmap& bitmap, const TRect& r) {
    SetKernel(*this, {0, -1, 0, -1, 1, 1, 0, -1, 0});
    TConvolveFilter::Apply(bitmap, r);
}

void TSoftenFilter::Apply(TBitmap& bitmap, const TRect& r) {
    SetKernel(*this, {0, 0, 0, 0, 1, 1, 0, 1, 1});
    TConvolveFilter::Apply(bitmap, r);
}
