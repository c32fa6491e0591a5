// Text with the chart font's effects, rotated text, ring sectors and bitmap mixing.

#include "tests/chart/support/ChartTestSupport.h"

#include "chart/draw/ChartPen.h"
#include "chart/draw/DrawLibrary.h"
#include "chart/draw/Gradient.h"
#include "chart/draw/PlotBlend.h"
#include "chart/draw/PlotFont.h"
#include "chart/draw/Shadow.h"
#include "platform/graphics/GraphicsQt_p.h"

#include <gtest/gtest.h>

namespace {

using charttest::TSurface;

struct TTextScene {
    TSurface surface{120, 80};
    TPlotFont font;
    TTextScene() {
        // As chart elements do before text: a solid brush would fill each text cell.
        surface.canvas.Brush()->SetStyle(bsClear);
        font.SetSize(14);
        font.SetColor(clBlack);
        font.SetStyle({fsBold});
    }
};

// The shadow is drawn first at the shadow position, the text after it; a negative horizontal
// size moves the text right instead.
TEST(ChartText, ShadowFallsWhereItsSizesSay) {
    TTextScene plain;
    plain.surface.canvas.SelectFont(&plain.font);
    plain.surface.canvas.TextOut(50, 50, "Ab");
    const TRect ink = charttest::ColorBox(plain.surface.Image(), clBlack);
    ASSERT_FALSE(ink.IsEmpty());

    TTextScene s;
    s.font.Shadow()->SetColor(clRed);
    s.font.Shadow()->SetHorizSize(-3);
    s.font.Shadow()->SetVertSize(2);
    s.surface.canvas.SelectFont(&s.font);
    s.surface.canvas.TextOut(50, 50, "Ab");
    const QImage& image = s.surface.Image();
    charttest::SavePicture(image, "text-shadow");
    TRect text = charttest::ColorBox(image, clBlack);
    TRect shadow = charttest::ColorBox(image, clRed);
    // Text at (53, 50), shadow at (50, 52): the red ink is the plain ink moved by (0, 2), less
    // what the text covers.
    EXPECT_EQ(text.Left, ink.Left + 3);
    EXPECT_EQ(text.Top, ink.Top);
    EXPECT_EQ(shadow.Left, ink.Left);
    EXPECT_EQ(shadow.Bottom, ink.Bottom + 2);
    // The measured size includes the shadow.
    EXPECT_EQ(s.surface.canvas.MeasureTextWidth("Ab"),
              plain.surface.canvas.MeasureTextWidth("Ab") + 3);
    EXPECT_EQ(s.surface.canvas.MeasureTextHeight("Ab"),
              plain.surface.canvas.MeasureTextHeight("Ab") + 2);
}

TEST(ChartText, ShadowOfSizeZeroDrawsNothing) {
    TTextScene s;
    s.font.Shadow()->SetColor(clRed);
    EXPECT_TRUE(s.font.Shadow()->Visible());
    s.surface.canvas.SelectFont(&s.font);
    s.surface.canvas.TextOut(10, 10, "Ab");
    EXPECT_EQ(charttest::CountColor(s.surface.Image(), clRed), 0);
    EXPECT_GT(charttest::CountColor(s.surface.Image(), clBlack), 0);
}

// A gradient with Outline set fills the widened outline of the glyphs and nothing else: no pixel
// in the font colour, gradient colours around where the glyphs are.
TEST(ChartText, OutlineGradientFillsOnlyTheWidenedOutline) {
    TTextScene s;
    s.font.SetSize(28);
    s.font.SetColor(clBlack);
    TPlotFontGradient* g = s.font.Gradient();
    g->SetVisible(true);
    g->SetOutline(true);
    g->SetStartColor(clRed);
    g->SetEndColor(clRed);
    s.surface.canvas.SelectFont(&s.font);
    s.surface.canvas.TextOut(10, 10, "Ab");
    const QImage& image = s.surface.Image();
    charttest::SavePicture(image, "text-gradient-outline");
    EXPECT_EQ(charttest::CountColor(image, clBlack), 0);
    const int red = charttest::CountColor(image, clRed);
    EXPECT_GT(red, 40);
    // Only the outline: the whole glyph area is not covered.
    const TRect box = charttest::ColorBox(image, clRed);
    EXPECT_LT(red, box.Width() * box.Height() / 2);
    EXPECT_EQ(s.surface.canvas.ClipDepth(), 0);
}

TEST(ChartText, GradientGlyphsAndOutlinePen) {
    TTextScene s;
    s.font.SetSize(28);
    s.font.Gradient()->SetVisible(true);
    s.font.Gradient()->SetStartColor(clBlue);
    s.font.Gradient()->SetEndColor(clBlue);
    s.font.OutLine()->SetColor(clRed);
    s.font.OutLine()->Show();
    s.surface.canvas.SelectFont(&s.font);
    s.surface.canvas.TextOut(10, 10, "H");
    const QImage& image = s.surface.Image();
    charttest::SavePicture(image, "text-gradient-pen");
    const TRect blue = charttest::ColorBox(image, clBlue);
    const TRect red = charttest::ColorBox(image, clRed);
    ASSERT_FALSE(blue.IsEmpty());
    ASSERT_FALSE(red.IsEmpty());
    // The outline pen rings the gradient-filled glyph.
    EXPECT_LE(red.Left, blue.Left);
    EXPECT_GE(red.Right, blue.Right);
    EXPECT_EQ(charttest::CountColor(image, clBlack), 0);
}

TEST(ChartText, AngledTextReducesTheAngleAndRotates) {
    TTextScene s;
    s.surface.canvas.SelectFont(&s.font);
    const int oldOrientation = s.surface.canvas.Font()->Orientation();
    s.surface.canvas.AngledText(60, 70, "Wide", 450);
    EXPECT_EQ(s.surface.canvas.Font()->Orientation(), oldOrientation);
    EXPECT_EQ(s.surface.canvas.Brush()->Style(), bsClear);
    const TRect upright = charttest::ColorBox(s.surface.Image(), clBlack);
    // Drawn at 90 degrees: taller than wide, above the reference point.
    EXPECT_GT(upright.Height(), upright.Width());
    EXPECT_LE(upright.Bottom, 71);

    TTextScene full;
    full.surface.canvas.SelectFont(&full.font);
    full.surface.canvas.AngledText(10, 10, "Wide", 360);
    const TRect same = charttest::ColorBox(full.surface.Image(), clBlack);
    EXPECT_GT(same.Width(), same.Height());
}

// Mixing (blue, green, red) = (0, 100, 200) into (200, 100, 0).
TEST(ChartText, MixBitmapsBothWays) {
    struct Case {
        bool alpha;
        double percent;
        TColor expected;
        int tolerance;
    } cases[] = {
        {false, 0, RGB(200, 100, 0), 0},    {false, 100, RGB(0, 100, 200), 0},
        {false, 50, RGB(100, 100, 100), 0}, {true, 0, RGB(200, 100, 0), 0},
        {true, 100, RGB(0, 100, 200), 0},   {true, 50, RGB(100, 100, 100), 1},
    };
    for (const Case& c : cases) {
        TBitmap source(4, 3);
        TBitmap destination(6, 5);
        source.Canvas()->Brush()->SetColor(RGB(200, 100, 0));
        source.Canvas()->FillRect(Rect(0, 0, 4, 3));
        destination.Canvas()->Brush()->SetColor(RGB(0, 100, 200));
        destination.Canvas()->FillRect(Rect(0, 0, 6, 5));
        UseAlphaBlendMixing = c.alpha;
        MixBitmaps(source, destination, 1, 1, c.percent);
        UseAlphaBlendMixing = true;
        destination.Canvas()->Flush();
        const TColor got = charttest::PixelAt(TGraphicsQt::Image(destination), 2, 2);
        EXPECT_NEAR(GetRValue(got), GetRValue(c.expected), c.tolerance) << c.alpha << c.percent;
        EXPECT_NEAR(GetGValue(got), GetGValue(c.expected), c.tolerance) << c.alpha << c.percent;
        EXPECT_NEAR(GetBValue(got), GetBValue(c.expected), c.tolerance) << c.alpha << c.percent;
        EXPECT_EQ(charttest::PixelAt(TGraphicsQt::Image(destination), 0, 0), RGB(0, 100, 200));
        EXPECT_EQ(charttest::PixelAt(TGraphicsQt::Image(destination), 5, 4), RGB(0, 100, 200));
    }
}

TEST(ChartText, ManualMixTurnsPureWhiteRedByteTo254) {
    TBitmap source(1, 1);
    TBitmap destination(1, 1); // white
    source.Canvas()->SetPixel(0, 0, clWhite);
    UseAlphaBlendMixing = false;
    MixBitmaps(source, destination, 0, 0, 100);
    UseAlphaBlendMixing = true;
    destination.Canvas()->Flush();
    EXPECT_EQ(charttest::PixelAt(TGraphicsQt::Image(destination), 0, 0), RGB(254, 255, 255));
    // Off the destination: nothing happens.
    TBitmap far(2, 2);
    MixBitmaps(source, far, 5, 5, 0);
    far.Canvas()->Flush();
    EXPECT_EQ(charttest::CountColor(TGraphicsQt::Image(far), clWhite), 4);
}

TEST(ChartText, TransparencyBlendsTheDrawingOverWhatWasThere) {
    TBitmap destination(40, 40);
    TPlotCanvas3D canvas;
    canvas.BeginDrawing(destination.Canvas(), nullptr, false, {0, 0, 40, 40});
    canvas.Brush()->SetColor(clBlack);
    canvas.FillRect(Rect(0, 0, 40, 40));
    auto blend = canvas.BeginTransparency(Rect(-5, -5, 10, 10), 50);
    EXPECT_EQ(blend->Rectangle(), Rect(0, 0, 10, 10));
    canvas.Brush()->SetColor(clWhite);
    canvas.FillRect(Rect(0, 0, 20, 20));
    canvas.EndTransparency(std::move(blend));
    canvas.FinishDrawing(destination.Canvas(), destination.Canvas(), {0, 0, 40, 40});
    destination.Canvas()->Flush();
    const TColor mixed = charttest::PixelAt(TGraphicsQt::Image(destination), 5, 5);
    EXPECT_NEAR(GetRValue(mixed), 128, 1);
    EXPECT_EQ(charttest::PixelAt(TGraphicsQt::Image(destination), 15, 15), clWhite);
    // A zero-width rectangle still blends one pixel column.
    TPlotBlend thin(canvas, Rect(7, 3, 7, 9));
    EXPECT_EQ(thin.Rectangle(), Rect(7, 3, 8, 9));
}

} // namespace
