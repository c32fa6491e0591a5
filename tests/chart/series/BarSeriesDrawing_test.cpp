// How one bar is drawn: the shape each style asks the canvas for in 2D and 3D, null bars, the
// darkened pen, bars narrower than their pen, tick lines, the relative gradient and shadows.

#include "tests/chart/series/BarTestSupport.h"

#include "chart/core/ChartAxis.h"
#include "chart/core/SeriesMarks.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>

using namespace seriestest;

namespace {

class BarDrawing : public ShapeFixture {
protected:
    // One bar at x = 5 rising to 60, marks hidden.
    TBarSeries* OneBar(TColor color = clBlue) {
        auto* bars = AddSeries<TBarSeries>({{5, 60}});
        bars->SetSeriesColor(color);
        bars->Marks()->SetVisible(false);
        return bars;
    }
    // The kinds noted, in order.
    std::vector<std::string> Kinds() const {
        std::vector<std::string> kinds;
        for (const TShapeCall& call : shapes->Calls)
            kinds.push_back(call.kind);
        return kinds;
    }
};

struct TStyleRow {
    TBarStyle style;
    std::vector<std::string> flat;  // 2D
    std::vector<std::string> solid; // 3D
};

TEST_F(BarDrawing, EachStyleAsksTheCanvasForItsShape) {
    const std::vector<TStyleRow> rows = {
        {bsRectangle, {"rect"}, {"box"}},
        {bsPyramid, {"polygon"}, {"pyramid"}},
        {bsInvPyramid, {"polygon"}, {"pyramid"}},
        {bsCilinder, {"rect"}, {"cylinder"}},
        {bsEllipse, {"ellipse"}, {"ellipse3d"}},
        {bsArrow, {"arrow"}, {"arrow"}},
        {bsRectGradient, {"rect", "gradient"}, {"box", "gradient"}},
        {bsCone, {"polygon"}, {"cone"}},
        {bsBevel, {"rect"}, {"box"}},
        {bsSlantCube, {"rect", "line"}, {"cylinder"}},
        {bsDiamond, {"polygon"}, {"polygon3d"}},
        {bsInvArrow, {"arrow"}, {"arrow"}},
        {bsInvCone, {"polygon"}, {"cone"}},
        {static_cast<TBarStyle>(13), {"rect"}, {"box"}},
    };
    TBarSeries* bars = OneBar();
    for (const bool view3D : {false, true}) {
        chart->SetView3D(view3D);
        for (const TStyleRow& row : rows) {
            SCOPED_TRACE(testing::Message() << "style " << static_cast<int>(row.style)
                                            << (view3D ? " in 3D" : " in 2D"));
            bars->SetBarStyle(row.style);
            DrawShapes();
            std::vector<std::string> kinds = Kinds();
            // The bevel's frame is drawn as polylines, not noted.
            EXPECT_EQ(kinds, view3D ? row.solid : row.flat);
        }
    }
}

TEST_F(BarDrawing, ShapesStandInTheBarBoundsWithTheirTipAtTheValue) {
    TBarSeries* bars = OneBar();
    bars->SetBarStyle(bsPyramid);
    DrawShapes();
    const TRect r = bars->GetBarBounds(0);
    const int cx = (r.Left + r.Right) / 2;
    ASSERT_EQ(shapes->Calls.size(), 1u);
    EXPECT_EQ(shapes->Calls[0].args,
              (std::vector<int>{r.Left, r.Bottom, cx, r.Top, r.Right, r.Bottom}));
    // Below the origin the apex still has the smaller pixel.
    bars->ClearValues();
    bars->AddXYValue(5, 20);
    bars->SetYOrigin(50);
    DrawShapes();
    const TRect down = bars->GetBarBounds(0);
    ASSERT_EQ(shapes->Calls.size(), 1u);
    EXPECT_EQ(shapes->Calls[0].args,
              (std::vector<int>{down.Left, PY(20), cx, PY(50), down.Right, PY(20)}));
    bars->SetBarStyle(bsSlantCube);
    DrawShapes();
    ASSERT_EQ(shapes->Of("line").size(), 1u);
    EXPECT_EQ(shapes->Of("line")[0].args, (std::vector<int>{cx, down.Bottom}));
    // In 3D the slant cube is a four-sided cylinder and the canvas keeps its own count.
    chart->SetView3D(true);
    DrawShapes();
    ASSERT_EQ(shapes->Of("cylinder").size(), 1u);
    EXPECT_EQ(shapes->Of("cylinder")[0].sides, 4);
    EXPECT_EQ(shapes->CylinderSideCount(), CylinderSides);
}

TEST_F(BarDrawing, ANullBarDrawsNothingNotEvenItsShadow) {
    TBarSeries* bars = OneBar();
    bars->AddXYValue(7, 30, "", clNone);
    bars->Shadow()->SetSize(4);
    bars->Shadow()->SetSmooth(false);
    DrawShapes();
    // Point 0: shadow and bar; point 1 (null): nothing.
    ASSERT_EQ(shapes->Of("rect").size(), 2u);
    for (const TShapeCall& call : shapes->Of("rect"))
        EXPECT_LT(call.args[0], PX(6));
}

TEST_F(BarDrawing, DarkPenTakesTheBarColourDarkenedBy255LessDarkPen) {
    TBarSeries* bars = OneBar(RGB(0xF0, 0x90, 0x40));
    bars->SetDarkPen(130);
    DrawShapes();
    ASSERT_EQ(shapes->Of("rect").size(), 1u);
    EXPECT_EQ(shapes->Of("rect")[0].pen, RGB(0xF0 - 125, 0x90 - 125, 0));
    bars->SetDarkPen(0);
    DrawShapes();
    EXPECT_EQ(shapes->Of("rect")[0].pen, bars->BarPen()->Color());
}

TEST_F(BarDrawing, ABarNarrowerThanItsPenIsAnOutlineInItsColour) {
    TBarSeries* bars = OneBar(clRed);
    bars->SetCustomBarWidth(1); // 2 pixels wide with the bound's extra pixel
    bars->BarPen()->SetWidth(3);
    DrawShapes();
    ASSERT_EQ(shapes->Of("rect").size(), 1u);
    const TShapeCall call = shapes->Of("rect")[0];
    EXPECT_EQ(call.brushStyle, bsClear);
    EXPECT_EQ(call.pen, clRed);
    // A bar of no height is a line in the brush colour, even with a hidden pen.
    bars->ClearValues();
    bars->AddXYValue(5, 0);
    bars->SetCustomBarWidth(0);
    bars->BarPen()->SetWidth(1);
    bars->BarPen()->SetVisible(false);
    bars->BarPen()->SetVisible(true);
    DrawShapes();
    ASSERT_EQ(shapes->Of("line").size(), 1u);
    EXPECT_EQ(shapes->Of("line")[0].pen, clRed);
    EXPECT_EQ(shapes->Of("line")[0].penStyle, psSolid);
}

TEST_F(BarDrawing, TickLinesCrossTheBarOnlyInsideIt) {
    TBarSeries* bars = OneBar();
    chart->LeftAxis()->SetIncrement(25);
    bars->TickLines()->SetVisible(true);
    bars->TickLines()->SetColor(clLime);
    DrawShapes();
    const std::vector<TShapeCall> ticks = shapes->Of("hline");
    ASSERT_EQ(ticks.size(), 2u); // 25 and 50 inside 0..60; 0 and 75 are not
    const std::set<int> heights{ticks[0].args[2], ticks[1].args[2]};
    EXPECT_EQ(heights, (std::set<int>{PY(25), PY(50)}));
    EXPECT_EQ(ticks[0].pen, clLime);
    // Styles other than rectangles and arrows get none.
    bars->SetBarStyle(bsEllipse);
    DrawShapes();
    EXPECT_TRUE(shapes->Of("hline").empty());
}

struct TRelativeRow {
    double fraction;
    TColor expected;
};

TEST_F(BarDrawing, RelativeGradientColoursStayBetweenStartAndBar) {
    const TColor start = RGB(0, 100, 200), bar = RGB(200, 0, 100);
    const std::vector<TRelativeRow> rows = {
        {0, start},
        {1, bar},
        {0.5, RGB(100, 50, 150)},
        {0.25, RGB(50, 75, 175)},
        {-0.5, start}, // a value below the range's low end
        {1.5, bar},    // above its high end
        {std::numeric_limits<double>::quiet_NaN(), bar},
    };
    for (const TRelativeRow& row : rows)
        EXPECT_EQ(TBarSeriesGradient::RelativeColor(start, bar, row.fraction), row.expected)
            << row.fraction;
}

TEST_F(BarDrawing, RelativeGradientOfABarBelowTheOriginOrOfEqualValues) {
    TBarSeries* bars = OneBar(RGB(200, 0, 100));
    bars->SetBarStyle(bsRectGradient);
    bars->Gradient()->SetRelative(true);
    bars->Gradient()->SetStartColor(RGB(0, 100, 200));
    // One bar: no proportion, the bar's own colour ends the gradient.
    DrawShapes();
    ASSERT_EQ(shapes->Of("gradient").size(), 1u);
    EXPECT_EQ(bars->Gradient()->EndColor(), RGB(200, 0, 100));
    // The origin between the values: the bar below it would take a fraction below 0, which
    // would push channels out of 0..255; the start colour holds instead.
    bars->AddXYValue(6, 20);
    bars->SetYOrigin(40);
    DrawShapes();
    ASSERT_EQ(shapes->Of("gradient").size(), 2u);
    EXPECT_EQ(bars->Gradient()->EndColor(), RGB(0, 100, 200));
}

TEST_F(BarDrawing, ShadowIsACopyOfTheBarUnlessSmoothAndRectangular) {
    TBarSeries* bars = OneBar(clBlue);
    bars->Shadow()->SetHorizSize(5);
    bars->Shadow()->SetVertSize(4);
    bars->Shadow()->SetColor(clGray);
    bars->Shadow()->SetSmooth(false);
    bars->SetBarStyle(bsPyramid);
    DrawShapes();
    const std::vector<TShapeCall> polygons = shapes->Of("polygon");
    ASSERT_EQ(polygons.size(), 2u);
    EXPECT_EQ(polygons[0].brush, clGray);
    EXPECT_EQ(polygons[0].pen, clGray);
    EXPECT_EQ(polygons[1].brush, clBlue);
    EXPECT_EQ(polygons[1].pen, bars->BarPen()->Color());
    EXPECT_EQ(polygons[0].args[0], polygons[1].args[0] + 5);
    EXPECT_EQ(polygons[0].args[3], polygons[1].args[3] + 4); // the apex lowered
    // Smooth, a rectangle leaves its shadow to the shadow: the bar is the only rectangle.
    bars->Shadow()->SetSmooth(true);
    bars->SetBarStyle(bsRectangle);
    DrawShapes();
    ASSERT_EQ(shapes->Of("rect").size(), 1u);
    EXPECT_EQ(shapes->Of("rect")[0].brush, clBlue);
    // A smooth shadow of another style is still a copy.
    bars->SetBarStyle(bsEllipse);
    DrawShapes();
    EXPECT_EQ(shapes->Of("ellipse").size(), 2u);
}

} // namespace
