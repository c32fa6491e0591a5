// Shadows of rectangles, ellipses and polygons: the plain, fading and smooth renderings.

#include "tests/chart/support/ChartTestSupport.h"

#include "chart/draw/Shadow.h"
#include "platform/graphics/GraphicsQt_p.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <random>

namespace {

// A buffered chart canvas over a white 100 x 80 target, for the smooth rendering.
struct TBuffered {
    TBitmap target{100, 80};
    TPlotCanvas3D canvas;
    TBuffered() {
        canvas.BeginDrawing(target.Canvas(), nullptr, false, {0, 0, 100, 80});
        canvas.ResetAttributes();
        canvas.Brush()->SetColor(clWhite);
        canvas.FillRect(Rect(0, 0, 100, 80));
    }
    const QImage& Finish() {
        canvas.FinishDrawing(target.Canvas(), target.Canvas(), {0, 0, 100, 80});
        target.Canvas()->Flush();
        return TGraphicsQt::Image(target);
    }
};

TEST(Shadow, NothingForSizeZeroOrNoColour) {
    for (auto [h, v, color] : {std::tuple{0, 0, clBlack}, std::tuple{3, 3, clNone}}) {
        TBuffered b;
        TPlotShadow shadow;
        shadow.SetHorizSize(h);
        shadow.SetVertSize(v);
        shadow.SetColor(color);
        shadow.SetTransparency(50);
        shadow.DrawRectShadow(b.canvas, Rect(20, 20, 60, 50));
        shadow.DrawEllipseShadow(b.canvas, Rect(20, 20, 60, 50));
        shadow.DrawPolygonShadow(b.canvas, {{20, 20}, {60, 20}, {40, 50}});
        EXPECT_EQ(b.canvas.Transparency(), 0) << "no transparency was started";
        EXPECT_EQ(charttest::InkBox(b.Finish(), clWhite), TRect{});
    }
}

// Each rendering, with sizes (-4, -4) and (4, 4): the shadow lies on the side the signs say.
TEST(Shadow, SignsOfTheSizesChooseTheSide) {
    const TRect element = Rect(30, 30, 60, 50);
    for (int sign : {-1, 1})
        for (int rendering = 0; rendering < 3; ++rendering) {
            TBuffered b;
            TPlotShadow shadow;
            shadow.SetColor(clBlack);
            shadow.SetHorizSize(4 * sign);
            shadow.SetVertSize(4 * sign);
            shadow.SetSmooth(rendering != 0);
            if (rendering == 2)
                shadow.DrawEllipseShadow(b.canvas, element);
            else
                shadow.DrawRectShadow(b.canvas, element);
            // The element itself covers its rectangle.
            b.canvas.Brush()->SetColor(clWhite);
            b.canvas.Pen()->SetStyle(psClear);
            b.canvas.FillRect(element);
            const TRect ink = charttest::InkBox(b.Finish(), clWhite);
            const std::string name =
                "shadow-" + std::to_string(rendering) + (sign < 0 ? "-neg" : "");
            charttest::SavePicture(TGraphicsQt::Image(b.target), name);
            ASSERT_FALSE(ink.IsEmpty()) << name;
            if (sign < 0) {
                EXPECT_LT(ink.Left, element.Left) << name;
                EXPECT_LT(ink.Top, element.Top) << name;
                EXPECT_LE(ink.Right, element.Right) << name;
                EXPECT_LE(ink.Bottom, element.Bottom) << name;
            } else {
                EXPECT_GE(ink.Left, element.Left) << name;
                EXPECT_GE(ink.Top, element.Top) << name;
                EXPECT_GT(ink.Right, element.Right) << name;
                EXPECT_GT(ink.Bottom, element.Bottom) << name;
            }
        }
}

// The smooth shadow of a rectangle by its definition, pixel by pixel: the shape in the shadow's
// colour inside a white bitmap (filled without a pen, so one pixel short on the right and bottom),
// a weighted mean across and then down (edge pixels repeated), each buffer channel multiplied by
// the result; only the band on the shadow's side unless all of it.
std::vector<long long> ShadowKernel(int radius, int smoothBlur) {
    if (radius == 0)
        return {100000};
    const double base = ((smoothBlur + 180) * 0.01 + 180) * 0.01;
    std::vector<long long> w;
    for (int d = -radius; d <= radius; ++d)
        w.push_back(static_cast<long long>(
            std::nearbyint(std::pow(base, -double(d) * d / radius) * 100000)));
    return w;
}

void ExpectDefinedSmoothShadow(int h, int v, TColor color, bool full, const TRect& element) {
    TBuffered b;
    TBitmap& buffer = *b.canvas.Buffer();
    std::mt19937 random(3);
    for (int y = 0; y < buffer.Height(); ++y)
        for (int x = 0; x < buffer.Width() * 4; ++x)
            buffer.ScanLine(y)[x] = static_cast<std::uint8_t>(random());
    std::vector<std::uint8_t> before;
    for (int y = 0; y < buffer.Height(); ++y)
        before.insert(before.end(), buffer.ScanLine(y), buffer.ScanLine(y) + buffer.Width() * 4);
    TPlotShadow shadow;
    shadow.SetColor(color);
    shadow.SetHorizSize(h);
    shadow.SetVertSize(v);
    shadow.SetFullDraw(full);
    shadow.DrawRectShadow(b.canvas, element);

    const int ah = std::abs(h), av = std::abs(v);
    const int W = element.Right - element.Left + 2 * ah + 1;
    const int H = element.Bottom - element.Top + 2 * av + 1;
    const int channel[3] = {GetBValue(color), GetGValue(color), GetRValue(color)};
    const auto kh = ShadowKernel(ah, 0), kv = ShadowKernel(av, 0);
    const long long totalH = std::accumulate(kh.begin(), kh.end(), 0LL);
    const long long totalV = std::accumulate(kv.begin(), kv.end(), 0LL);
    const auto shape = [&](int x, int y, int c) {
        return x >= ah && x < W - ah - 1 && y >= av && y < H - av - 1 ? channel[c] : 255;
    };
    std::vector<long long> work(static_cast<std::size_t>(W) * H * 3);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x)
            for (int c = 0; c < 3; ++c) {
                long long sum = 0;
                for (int d = -ah; d <= ah; ++d)
                    sum += kh[d + ah] * shape(std::clamp(x + d, 0, W - 1), y, c);
                work[(static_cast<std::size_t>(y) * W + x) * 3 + c] = sum / totalH;
            }
    const int ox = element.Left - (h < 0 ? 2 * ah : 0);
    const int oy = element.Top - (v < 0 ? 2 * av : 0);
    for (int y = 0; y < buffer.Height(); ++y)
        for (int x = 0; x < buffer.Width(); ++x) {
            const int sx = x - ox, sy = y - oy;
            const bool inside = sx >= 0 && sx < W && sy >= 0 && sy < H;
            const bool band = (h >= 0 ? sx >= W - 2 * ah - 1 : sx < 2 * ah + 1) ||
                              (v >= 0 ? sy >= H - 2 * av - 1 : sy < 2 * av + 1);
            long long sum[3] = {0, 0, 0};
            for (int c = 0; c < 3 && inside; ++c)
                for (int d = -av; d <= av; ++d)
                    sum[c] +=
                        kv[d + av] *
                        work[(static_cast<std::size_t>(std::clamp(sy + d, 0, H - 1)) * W + sx) * 3 +
                             c];
            for (int c = 0; c < 4; ++c) {
                const std::size_t at = (static_cast<std::size_t>(y) * buffer.Width() + x) * 4 + c;
                int want = before[at];
                if (inside && (full || band) && c < 3) {
                    const long long s = sum[0] == sum[1] && sum[1] == sum[2] ? sum[0] : sum[c];
                    want =
                        static_cast<int>(std::nearbyint(want * double(s) / 255.0 / double(totalV)));
                }
                ASSERT_EQ(buffer.ScanLine(y)[x * 4 + c], want)
                    << "sizes " << h << "," << v << " at " << x << "," << y << " channel " << c;
            }
        }
}

TEST(Shadow, SmoothShadowIsTheBlurredShapeMultipliedIn) {
    ExpectDefinedSmoothShadow(6, 4, RGB(200, 60, 30), true, Rect(15, 12, 70, 50));
    ExpectDefinedSmoothShadow(-5, 7, clBlack, false, Rect(20, 10, 60, 45));
    ExpectDefinedSmoothShadow(9, -3, clGray, true, Rect(60, 30, 130, 100)); // beyond the buffer
}

TEST(Shadow, SmoothRectangleShadowTouchesOnlyItsBands) {
    TBuffered b;
    TPlotShadow shadow;
    shadow.SetColor(clBlack);
    shadow.SetHorizSize(5);
    shadow.SetVertSize(3);
    const TRect element = Rect(20, 20, 60, 50);
    shadow.DrawRectShadow(b.canvas, element);
    const QImage& image = b.Finish();
    charttest::SavePicture(image, "shadow-smooth-bands");
    // Bitmap 51 x 37 at (20, 20): bands are its last 11 columns and last 7 rows.
    for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 100; ++x) {
            const bool inRight = x >= 20 + 51 - 11 && x < 20 + 51 && y >= 20 && y < 20 + 37;
            const bool inBottom = y >= 20 + 37 - 7 && y < 20 + 37 && x >= 20 && x < 20 + 51;
            if (!inRight && !inBottom) {
                ASSERT_EQ(charttest::PixelAt(image, x, y), clWhite) << x << "," << y;
            }
        }
    // Darkest near the element, fading outwards.
    const int inner = GetRValue(charttest::PixelAt(image, 61, 35));
    const int outer = GetRValue(charttest::PixelAt(image, 69, 35));
    EXPECT_LT(inner, outer);
    EXPECT_LT(inner, 128);
}

TEST(Shadow, WithoutABufferTheSmoothShadowFades) {
    charttest::TSurface s(100, 80);
    TPlotShadow shadow;
    shadow.SetColor(clBlack);
    shadow.SetHorizSize(6);
    shadow.SetVertSize(6);
    shadow.DrawRectShadow(s.canvas, Rect(20, 20, 60, 50));
    charttest::SavePicture(s.Image(), "shadow-fading");
    // Six lines below and beside, each brightened by round(255 / 6) after the one before.
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(s.At(40, 50 + i), RGB(42 * i, 42 * i, 42 * i)) << i;
        EXPECT_EQ(s.At(60 + i, 40), RGB(42 * i, 42 * i, 42 * i)) << i;
    }
    EXPECT_EQ(s.At(40, 56), clWhite);
}

TEST(Shadow, TransparencyHalvesThePlainShadow) {
    TBuffered b;
    b.canvas.Brush()->SetColor(clBlack);
    b.canvas.FillRect(Rect(0, 0, 100, 80));
    TPlotShadow shadow;
    shadow.SetSmooth(false);
    shadow.SetColor(clRed);
    shadow.SetHorizSize(6);
    shadow.SetVertSize(6);
    shadow.SetTransparency(50);
    shadow.DrawRectShadow(b.canvas, Rect(20, 20, 60, 50));
    const QImage& image = b.Finish();
    const TColor c = charttest::PixelAt(image, 63, 40);
    EXPECT_NEAR(GetRValue(c), 128, 2);
    EXPECT_EQ(GetGValue(c), 0);
    EXPECT_EQ(charttest::PixelAt(image, 40, 40), clBlack);
}

TEST(Shadow, StoredOnlyWhenDifferentFromTheOwnersDefaults) {
    TPlotShadow shadow;
    shadow.SetDefaults(clGray, 3);
    EXPECT_EQ(shadow.Size(), 3);
    EXPECT_FALSE(GetPropInfo(&shadow, "Color")->IsStored(&shadow));
    EXPECT_FALSE(GetPropInfo(&shadow, "HorizSize")->IsStored(&shadow));
    shadow.SetVertSize(-5);
    EXPECT_TRUE(GetPropInfo(&shadow, "VertSize")->IsStored(&shadow));
    EXPECT_EQ(shadow.Size(), 5);
    TPlotShadow copy;
    copy.Assign(&shadow);
    EXPECT_EQ(copy.Color(), clGray);
    EXPECT_EQ(copy.VertSize(), -5);
}

} // namespace
