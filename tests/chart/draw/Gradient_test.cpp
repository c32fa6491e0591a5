// Gradients: the banding of every direction, middle colours, balance, rotation through the hook,
// the radial rings and assignment.

#include "tests/chart/support/ChartTestSupport.h"

#include "chart/draw/DrawLibrary.h"
#include "chart/draw/Gradient.h"
#include "platform/graphics/GraphicsQt_p.h"

#include <gtest/gtest.h>

namespace {

using charttest::TSurface;

TEST(Gradient, DefaultIsYellowAtTheTopWhiteAtTheBottomIn256Bands) {
    TSurface s(20, 300);
    TPlotGradient g;
    g.Fill(s.canvas, Rect(0, 0, 20, 300), 0);
    const QImage& image = s.Image();
    charttest::SavePicture(image, "gradient-default");
    EXPECT_EQ(s.At(0, 0), clYellow);
    EXPECT_EQ(s.At(19, 299), clWhite);
    std::set<TColor> rows;
    for (int y = 0; y < 300; ++y) {
        auto colors = charttest::RowColors(image, y);
        ASSERT_EQ(colors.size(), 1u) << y;
        rows.insert(*colors.begin());
    }
    EXPECT_EQ(rows.size(), 256u);

    TSurface small(20, 10);
    g.Fill(small.canvas, Rect(0, 0, 20, 10), 0);
    std::set<TColor> smallRows;
    for (int y = 0; y < 10; ++y)
        smallRows.insert(small.At(5, y));
    EXPECT_EQ(smallRows.size(), 10u);
}

// White start, red end: where each direction puts which colour (green channel 255 = start).
TEST(Gradient, EveryDirectionPutsItsColoursWhereItSays) {
    struct Case {
        TGradientDirection direction;
        TPoint start, end;
    } cases[] = {
        {gdTopBottom, {20, 29}, {20, 0}},     {gdBottomTop, {20, 0}, {20, 29}},
        {gdLeftRight, {39, 15}, {0, 15}},     {gdRightLeft, {0, 15}, {39, 15}},
        {gdFromCenter, {20, 15}, {0, 0}},     {gdFromTopLeft, {39, 29}, {0, 0}},
        {gdFromBottomLeft, {39, 0}, {0, 29}}, {gdDiagonalUp, {0, 29}, {39, 0}},
        {gdDiagonalDown, {0, 0}, {39, 28}},   {gdRadial, {20, 15}, {0, 0}},
    };
    for (const Case& c : cases) {
        TSurface s(40, 30);
        TPlotGradient g;
        g.SetStartColor(clWhite);
        g.SetEndColor(clRed);
        g.SetDirection(c.direction);
        g.Fill(s.canvas, Rect(0, 0, 40, 30), 0);
        charttest::SavePicture(s.Image(), "gradient-" + std::to_string(c.direction));
        EXPECT_GT(GetGValue(s.At(c.start.X, c.start.Y)), 200) << int(c.direction);
        EXPECT_LT(GetGValue(s.At(c.end.X, c.end.Y)), 55) << int(c.direction);
        EXPECT_EQ(GetRValue(s.At(c.end.X, c.end.Y)), 255) << int(c.direction);
    }
}

TEST(Gradient, MiddleColourSplitsLinearFillsButNotTheCentreFill) {
    TSurface split(20, 40);
    TPlotGradient g;
    g.SetStartColor(clWhite);
    g.SetEndColor(clRed);
    g.SetMidColor(clBlue);
    g.Fill(split.canvas, Rect(0, 0, 20, 40), 0);
    EXPECT_EQ(split.At(5, 0), clRed);
    EXPECT_EQ(split.At(5, 19), clBlue);
    EXPECT_EQ(split.At(5, 39), clWhite);

    TSurface with(30, 30), without(30, 30);
    g.SetDirection(gdFromCenter);
    g.Fill(with.canvas, Rect(0, 0, 30, 30), 0);
    g.SetMidColor(clNone);
    EXPECT_FALSE(g.HasMiddle());
    g.Fill(without.canvas, Rect(0, 0, 30, 30), 0);
    EXPECT_TRUE(with.Image() == without.Image());
}

TEST(Gradient, BalanceBendsTheRamp) {
    auto column = [](int balance, int x) {
        TSurface s(256, 4);
        TPlotGradient g;
        g.SetStartColor(RGB(0, 0, 0));
        g.SetEndColor(RGB(255, 255, 255));
        g.SetDirection(gdLeftRight); // the start colour at the right edge
        g.SetBalance(balance);
        g.Fill(s.canvas, Rect(0, 0, 256, 4), 0);
        return int(GetRValue(s.At(x, 2)));
    };
    for (int x = 0; x < 256; x += 17)
        EXPECT_NEAR(column(50, x), 255 - x, 1) << x;
    // Exponent 2 stays near the start (black) for longer than the linear ramp.
    EXPECT_LT(column(100, 128), column(50, 128) - 40);
    EXPECT_GT(column(0, 128), column(50, 128) + 40);
}

TEST(Gradient, RotatedGradientGoesThroughTheHookWithItsBitmap) {
    int width = 0, height = 0, calls = 0;
    GradientRotateHook() = [&](const TCustomPlotGradient& g, TBitmap& bitmap) {
        ++calls;
        EXPECT_EQ(g.Angle(), 90);
        width = bitmap.Width();
        height = bitmap.Height();
    };
    TSurface s(60, 40);
    TPlotGradient g;
    g.SetAngle(90);
    g.Fill(s.canvas, Rect(10, 10, 50, 30), 0);
    GradientRotateHook() = nullptr;
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(width, 22);
    EXPECT_EQ(height, 42);
    EXPECT_EQ(g.Angle(), 90);
    EXPECT_EQ(s.At(5, 5), clWhite); // clipped to the rectangle
    EXPECT_EQ(s.canvas.ClipDepth(), 0);

    // Without the hook the gradient is still painted, upright.
    TSurface plain(60, 40);
    g.Fill(plain.canvas, Rect(10, 10, 50, 30), 0);
    EXPECT_EQ(plain.At(30, 10), clYellow);
    EXPECT_EQ(plain.At(30, 29), clWhite);
}

TEST(Gradient, RadialRingsAndDegenerateSizes) {
    TSurface s(41, 41);
    TPlotGradient g;
    g.SetDirection(gdRadial);
    g.SetStartColor(clRed);
    g.SetEndColor(clBlue);
    g.Fill(s.canvas, Rect(0, 0, 41, 41), 0);
    charttest::SavePicture(s.Image(), "gradient-radial");
    EXPECT_EQ(s.At(0, 0), clBlue);
    EXPECT_GT(GetRValue(s.At(21, 21)), 240);
    EXPECT_EQ(s.canvas.ClipDepth(), 0);
    for (TRect r : {Rect(5, 5, 6, 6), Rect(5, 5, 5, 5), Rect(5, 5, 7, 6)}) {
        TSurface tiny(10, 10);
        g.Fill(tiny.canvas, r, 0);
        if (!r.IsEmpty()) {
            EXPECT_EQ(tiny.At(5, 5), clBlue);
        }
    }
}

TEST(Gradient, OnePixelHighBandShowsTheFirstColourAndZeroSizeNothing) {
    TSurface s(10, 10);
    s.canvas.FillGradientRect(Rect(0, 4, 10, 5), clRed, clBlue, gdTopBottom, 50, 0, 0);
    EXPECT_EQ(s.At(3, 4), clRed);
    s.canvas.FillGradientRect(Rect(0, 7, 10, 7), clRed, clBlue, gdTopBottom, 50, 0, 0);
    EXPECT_EQ(charttest::CountColor(s.Image(), clWhite), 90);
}

TEST(Gradient, SubGradientIsDrawnOverWithItsTransparencyAndAssignFollowsTheSource) {
    TSurface s(20, 20);
    TPlotGradient g;
    g.SetStartColor(clBlack);
    g.SetEndColor(clBlack);
    TSubGradient* sub = g.SubGradient();
    EXPECT_EQ(sub->Transparency(), 50);
    sub->SetVisible(true);
    sub->SetStartColor(clWhite);
    sub->SetEndColor(clWhite);
    // The canvas needs a buffer for blending.
    TBitmap target(20, 20);
    TPlotCanvas3D canvas;
    canvas.BeginDrawing(target.Canvas(), nullptr, false, {0, 0, 20, 20});
    g.Fill(canvas, Rect(0, 0, 20, 20), 0);
    canvas.FinishDrawing(target.Canvas(), target.Canvas(), {0, 0, 20, 20});
    target.Canvas()->Flush();
    EXPECT_NEAR(GetRValue(charttest::PixelAt(TGraphicsQt::Image(target), 10, 10)), 128, 1);

    TPlotGradient plain;
    g.Assign(&plain);
    EXPECT_EQ(g.SubGradientIfAny(), nullptr);
    plain.SubGradient()->SetTransparency(20);
    g.Assign(&plain);
    ASSERT_NE(g.SubGradientIfAny(), nullptr);
    EXPECT_EQ(g.SubGradientIfAny()->Transparency(), 20);
}

TEST(Gradient, SettersNotifyOnChangeOnly) {
    int changes = 0;
    TPlotGradient g([&](TObject*) { ++changes; });
    g.SetBalance(50);
    g.SetMidColor(clNone);
    EXPECT_EQ(changes, 0);
    g.SetBalance(70);
    g.SetMidColor(clRed);
    g.SetMidColor(clNone);
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(g.MidColor(), clNone);
    g.UseMiddle();
    EXPECT_EQ(g.MidColor(), clRed);
}

} // namespace
