// Attribute selection, bevel frames and clipping of the chart canvas, checked on the pixels and
// the device state of the platform canvas it draws through.

#include "tests/chart/support/ChartTestSupport.h"

#include "chart/draw/ChartBrush.h"
#include "chart/draw/ChartPen.h"
#include "chart/draw/DrawLibrary.h"
#include "chart/draw/PlotFont.h"

#include <gtest/gtest.h>

namespace {

using charttest::TSurface;

TEST(PlotCanvas, InvisibleChartPenOnlyClearsTheCurrentPen) {
    TSurface s(10, 10);
    s.canvas.Pen()->SetColor(clBlue);
    s.canvas.Pen()->SetWidth(3);
    TChartPen pen;
    pen.Hide();
    s.canvas.SelectPenColored(&pen, clRed);
    EXPECT_EQ(s.canvas.Pen()->Style(), psClear);
    EXPECT_EQ(s.canvas.Pen()->Color(), clBlue);
    EXPECT_EQ(s.canvas.Pen()->Width(), 3);
}

TEST(PlotCanvas, ChartPensBecomeGeometricOrDottedPens) {
    TSurface s(40, 10);
    TChartPen pen;
    pen.SetWidth(3);
    pen.SetEndStyle(esFlat);
    s.canvas.SelectPenColored(&pen, clRed);
    EXPECT_TRUE(s.canvas.Pen()->Geometric());
    EXPECT_EQ(s.canvas.Pen()->EndCap(), pecFlat);
    EXPECT_EQ(s.canvas.Pen()->JoinStyle(), pjsMiter);
    EXPECT_EQ(s.canvas.Pen()->Color(), clRed);

    // Small dots with two blank pixels between them.
    TChartPen dots;
    dots.SetSmallDots(true);
    dots.SetSmallSpace(2);
    s.canvas.SelectPenColored(&dots, clBlack);
    s.canvas.HorizontalLine(0, 30, 5);
    std::string row;
    for (int x = 0; x < 9; ++x)
        row += s.At(x, 5) == clBlack ? '#' : '.';
    EXPECT_EQ(row, "#..#..#..");

    // A monochrome canvas draws every pen black.
    s.canvas.SetMonochrome(true);
    TChartPen red;
    s.canvas.SelectPenColored(&red, clRed);
    EXPECT_EQ(s.canvas.Pen()->Color(), clBlack);
}

TEST(PlotCanvas, BrushBackgroundDecidesTheBackgroundMode) {
    TSurface s(10, 10);
    TChartBrush brush;
    brush.SetStyle(bsCross);
    s.canvas.SelectBrushColors(&brush, clRed, clNone);
    EXPECT_EQ(s.canvas.GetBackgroundMode(), cbmTransparent);
    EXPECT_EQ(s.canvas.Brush()->Color(), clRed);
    EXPECT_EQ(s.canvas.Brush()->Style(), bsCross);
    s.canvas.SelectBrushColors(&brush, clRed, clBlue);
    EXPECT_EQ(s.canvas.GetBackgroundMode(), cbmOpaque);
    EXPECT_EQ(s.canvas.GetBackgroundColor(), clBlue);
    // The hatch gaps show the background colour.
    s.canvas.FillRect(Rect(0, 0, 10, 10));
    const QImage& image = s.Image();
    EXPECT_GT(charttest::CountColor(image, clBlue), 0);
    EXPECT_GT(charttest::CountColor(image, clRed), 0);
    EXPECT_EQ(charttest::CountColor(image, clWhite), 0);
}

// After ResetAttributes text leaves the background alone although the brush is solid white.
TEST(PlotCanvas, TextAfterResetKeepsATransparentBackground) {
    TSurface s(60, 30);
    s.canvas.Brush()->SetColor(clRed);
    s.canvas.FillRect(Rect(0, 0, 60, 30));
    s.canvas.ResetAttributes();
    TPlotFont font;
    s.canvas.SelectFont(&font);
    s.canvas.TextOut(5, 5, "Ab");
    EXPECT_EQ(charttest::CountColor(s.Image(), clWhite), 0);
    EXPECT_GT(charttest::CountColor(s.Image(), clBlack), 0);
}

TEST(PlotCanvas, BevelFrameDrawsInwardsAndShrinksTheRectangle) {
    TSurface s(20, 10);
    TRect r = Rect(0, 0, 20, 10);
    s.canvas.BevelFrame(r, clRed, clBlue, 2);
    EXPECT_EQ(r, Rect(2, 2, 18, 8));
    struct Probe {
        int x, y;
        TColor color;
    } probes[] = {{0, 0, clRed},  {19, 0, clBlue}, {0, 9, clBlue},
                  {1, 1, clRed},  {18, 1, clBlue}, {2, 2, clWhite},
                  {10, 0, clRed}, {10, 9, clBlue}, {19, 5, clBlue}};
    for (const Probe& p : probes)
        EXPECT_EQ(s.At(p.x, p.y), p.color) << p.x << "," << p.y;

    TSurface blank(20, 10);
    TRect same = Rect(0, 0, 20, 10);
    blank.canvas.BevelFrame(same, clRed, clBlue, 0);
    EXPECT_EQ(same, Rect(0, 0, 20, 10));
    EXPECT_EQ(charttest::InkBox(blank.Image(), clWhite), TRect{});
}

TEST(PlotCanvas, ClipToRectLimitsFillsUntilRemoved) {
    TSurface s(40, 40);
    s.canvas.Brush()->SetColor(clRed);
    s.canvas.ClipToRect(Rect(10, 10, 20, 20));
    s.canvas.FillRect(Rect(0, 0, 40, 40));
    EXPECT_EQ(charttest::ColorBox(s.Image(), clRed), Rect(10, 10, 20, 20));
    EXPECT_EQ(charttest::CountColor(s.Image(), clRed), 100);
    s.canvas.RemoveClip();
    s.canvas.FillRect(Rect(0, 0, 40, 40));
    EXPECT_EQ(s.At(0, 0), clRed);
}

// Three nested clips (a plot clip, a clipped mark, a tiled picture) and two removals leave the
// outermost clip in force.
TEST(PlotCanvas, NestedClipsComeOffOneAtATime) {
    TSurface s(40, 40);
    s.canvas.ClipToRect(Rect(5, 5, 35, 35));
    s.canvas.ClipToEllipse(Rect(5, 5, 35, 35), false);
    s.canvas.ClipToRect(Rect(15, 15, 20, 20));
    EXPECT_EQ(s.canvas.ClipDepth(), 3);
    s.canvas.RemoveClip();
    s.canvas.RemoveClip();
    s.canvas.Brush()->SetColor(clRed);
    s.canvas.FillRect(Rect(0, 0, 40, 40));
    EXPECT_EQ(charttest::ColorBox(s.Image(), clRed), Rect(5, 5, 35, 35));
    s.canvas.RemoveClip();
    EXPECT_EQ(s.canvas.ClipDepth(), 0);
    s.canvas.FillRect(Rect(0, 0, 40, 40));
    EXPECT_EQ(s.At(0, 0), clRed);
}

TEST(PlotCanvas, PolygonAndInvertedClips) {
    TSurface s(30, 30);
    s.canvas.Brush()->SetColor(clRed);
    s.canvas.ClipToPolygon({{0, 0}, {30, 0}, {0, 30}}, false);
    s.canvas.FillRect(Rect(0, 0, 30, 30));
    EXPECT_EQ(s.At(2, 2), clRed);
    EXPECT_EQ(s.At(27, 27), clWhite);
    s.canvas.RemoveClip();

    TSurface hole(30, 30);
    hole.canvas.Brush()->SetColor(clRed);
    hole.canvas.ClipToPolygon({{10, 10}, {20, 10}, {20, 20}, {10, 20}}, true);
    hole.canvas.FillRect(Rect(0, 0, 30, 30));
    EXPECT_EQ(hole.At(15, 15), clWhite);
    EXPECT_EQ(hole.At(5, 5), clRed);
}

TEST(PlotCanvas, ResetAttributesStartsFromAKnownState) {
    TSurface s(10, 10);
    TPlotFont font;
    s.canvas.SelectFont(&font);
    s.canvas.Pen()->SetColor(clRed);
    s.canvas.Pen()->SetWidth(4);
    s.canvas.Brush()->SetStyle(bsCross);
    s.canvas.SetBackgroundMode(cbmOpaque);
    s.canvas.SetTextAlignment(TA_RIGHT);
    s.canvas.ResetAttributes();
    EXPECT_EQ(s.canvas.Pen()->Color(), clBlack);
    EXPECT_EQ(s.canvas.Pen()->Width(), 1);
    EXPECT_EQ(s.canvas.Pen()->Style(), psSolid);
    EXPECT_EQ(s.canvas.Brush()->Color(), clWhite);
    EXPECT_EQ(s.canvas.Brush()->Style(), bsSolid);
    EXPECT_EQ(s.canvas.GetBackgroundMode(), cbmTransparent);
    EXPECT_EQ(s.canvas.GetTextAlignment(), 0u);
    EXPECT_EQ(s.canvas.CurrentFont(), nullptr);
    EXPECT_EQ(s.canvas.Font()->Name(), DefaultChartFontName());
    EXPECT_EQ(s.canvas.Font()->Size(), DefaultChartFontSize());
}

TEST(PlotCanvas, SelectFontAppliesZoomSpacingAndMonochrome) {
    TSurface s(10, 10);
    TPlotFont font;
    font.SetSize(10);
    font.SetColor(clRed);
    font.SetInterCharSize(2);
    s.canvas.SelectFont(&font);
    EXPECT_EQ(s.canvas.Font()->Size(), 10);
    EXPECT_EQ(s.canvas.Font()->Color(), clRed);
    EXPECT_EQ(s.canvas.GetDeviceContext()->TextCharacterExtra(), 2);
    EXPECT_EQ(s.canvas.CurrentFont(), &font);
    EXPECT_EQ(font.Canvas(), &s.canvas);
    s.canvas.SetMonochrome(true);
    s.canvas.SelectFont(&font);
    EXPECT_EQ(s.canvas.Font()->Color(), clBlack);
}

TEST(PlotCanvas, OperationsACanvasLacksRaiseTheAbstractError) {
    TCanvas3D bare;
    EXPECT_THROW(bare.GetMonochrome(), EAbstractError);
    EXPECT_THROW(bare.BoxShape(0, 10, 0, 10, 0, 5, false), EAbstractError);
}

} // namespace
