// Shadows of rectangles, ellipses and polygons: the plain, fading and smooth renderings.

#include "tests/chart/support/ChartTestSupport.h"

#include "chart/draw/Shadow.h"
#include "platform/graphics/GraphicsQt_p.h"

#include <gtest/gtest.h>

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
