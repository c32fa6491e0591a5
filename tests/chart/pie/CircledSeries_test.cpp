// The circle a circled series works out, its rotation, and the chart's 3D view options it swaps
// for its own while it is active.

#include "tests/chart/pie/PieTestSupport.h"

#include "chart/core/SeriesMarks.h"

using namespace pietest;

namespace {

TEST(CircleRect, OddSidesLoseTheirLastPixelAndTinyOnesGrowToFour) {
    struct Case {
        TRect in, out;
    } const cases[] = {
        {{0, 0, 101, 60}, {0, 0, 100, 60}}, {{10, 20, 13, 23}, {10, 20, 14, 24}},
        {{5, 5, 50, 51}, {5, 5, 49, 51}},   {{0, 0, 4, 4}, {0, 0, 4, 4}},
        {{7, 7, 7, 7}, {7, 7, 11, 11}},
    };
    for (const Case& c : cases) {
        const TRect r = TCircledSeries::NormalizeCircleRect(c.in);
        EXPECT_EQ(r, c.out) << c.in.Left << "," << c.in.Top << "," << c.in.Right << ","
                            << c.in.Bottom;
    }
}

TEST(CircleRect, MakeRoundNarrowsTheWiderSideOnBothSides) {
    struct Case {
        int xr, yr;
        double ratio;
        TRect out; // from (0, 0, 2 xr, 2 yr)
    } const cases[] = {
        {50, 30, 1.0, {20, 0, 80, 60}},  // too wide: 20 off each side
        {30, 50, 1.0, {0, 20, 60, 80}},  // too high: 20 off top and bottom
        {40, 40, 1.0, {0, 0, 80, 80}},   // round already
        {50, 30, 1.25, {12, 0, 88, 60}}, // wide pixels: D = 38 (37.5 ties to even)
        {30, 50, 2.0, {0, 35, 60, 65}},  // x/r = 15 -> 35 off top and bottom
    };
    for (const Case& c : cases) {
        TRect r{0, 0, 2 * c.xr, 2 * c.yr};
        TCircledSeries::MakeRound(r, c.xr, c.yr, c.ratio);
        EXPECT_EQ(r, c.out) << c.xr << " " << c.yr << " " << c.ratio;
    }
}

class CircledSeries : public PieFixture {};

TEST_F(CircledSeries, RotationKeepsTheRemainderWithItsSign) {
    TPieSeries* pie = AddPie({1, 2});
    const std::pair<int, int> cases[] = {{370, 10}, {-30, -30}, {720, 0}, {359, 359}, {-725, -5}};
    for (const auto& [in, out] : cases) {
        pie->SetRotationAngle(in);
        EXPECT_EQ(pie->RotationAngle(), out) << in;
        EXPECT_DOUBLE_EQ(pie->Rotation(), out * 0.017453292519943295);
    }
}

TEST_F(CircledSeries, ThePlotRectangleNormalisedIsTheCircleWithoutMarks) {
    TPieSeries* pie = AddPie({1, 2, 3});
    pie->Marks()->SetVisible(false);
    chart->SetPlotRect({10, 20, 111, 80}); // 101 x 60
    pie->DoBeforeDrawValues();
    EXPECT_EQ(pie->CircleRect(), (TRect{10, 20, 110, 80}));
    EXPECT_EQ(pie->XRadius(), 50);
    EXPECT_EQ(pie->YRadius(), 30);
    EXPECT_EQ(pie->CircleXCenter(), 60);
    EXPECT_EQ(pie->CircleYCenter(), 50);
    chart->SetPlotRect({10, 20, 13, 23});
    pie->DoBeforeDrawValues();
    EXPECT_EQ(pie->CircleWidth(), 4);
    EXPECT_EQ(pie->CircleHeight(), 4);
    // Fixed radii win over the plot's.
    pie->SetCustomXRadius(25);
    pie->SetCustomYRadius(15);
    chart->SetPlotRect({0, 0, 200, 200});
    pie->DoBeforeDrawValues();
    EXPECT_EQ(pie->CircleRect(), (TRect{75, 85, 125, 115}));
}

TEST_F(CircledSeries, VisibleMarksTakeTheirRoomRoundTheCircle) {
    TPieSeries* pie = AddPie({1, 2, 3}, {"a", "b", "c"});
    chart->SetPlotRect({0, 0, 300, 200});
    pie->Marks()->SetVisible(false);
    pie->DoBeforeDrawValues();
    const TRect bare = pie->CircleRect();
    pie->Marks()->SetVisible(true);
    pie->DoBeforeDrawValues();
    const TRect marked = pie->CircleRect();
    EXPECT_GT(marked.Top, bare.Top);
    EXPECT_LT(marked.Bottom, bare.Bottom);
    EXPECT_GT(marked.Left, bare.Left + pie->Marks()->Callout()->Length());
    EXPECT_LT(marked.Right, bare.Right);
}

TEST_F(CircledSeries, CircledAndTheRadiiGoToEveryPieOfTheChart) {
    TPieSeries* a = AddPie({1});
    TPieSeries* b = AddPie({2});
    b->SetCustomXRadius(40);
    EXPECT_EQ(a->CustomXRadius(), 40);
    b->SetCustomYRadius(30);
    EXPECT_EQ(a->CustomYRadius(), 30);
    a->SetCircled(true);
    EXPECT_TRUE(b->Circled());
    EXPECT_EQ(b->CustomXRadius(), 0) << "Circled clears the fixed radii";
    EXPECT_EQ(a->CustomYRadius(), 0);
}

TEST_F(CircledSeries, AnActivePieReplacesTheChartsViewOptionsUntilItGoes) {
    chart->SetView3D(true);
    TView3DOptions* options = chart->View3DOptions();
    options->SetOrthogonal(true);
    options->SetRotation(345);
    options->SetElevation(340);
    options->SetPerspective(25);
    options->SetTilt(7);
    auto expectOwn = [&] {
        EXPECT_FALSE(options->Orthogonal());
        EXPECT_EQ(options->Rotation(), 360);
        EXPECT_EQ(options->Elevation(), 315);
        EXPECT_EQ(options->Perspective(), 0);
        EXPECT_EQ(options->Tilt(), 0);
    };
    auto expectChart = [&] {
        EXPECT_TRUE(options->Orthogonal());
        EXPECT_EQ(options->Rotation(), 345);
        EXPECT_EQ(options->Elevation(), 340);
        EXPECT_EQ(options->Perspective(), 25);
        EXPECT_EQ(options->Tilt(), 7);
    };
    TPieSeries* pie = AddPie({1, 2});
    expectOwn();
    pie->SetActive(false);
    expectChart();
    pie->SetActive(true);
    expectOwn();
    pie->SetParentChart(nullptr);
    expectChart();
    pie->SetParentChart(chart);
    expectOwn();
    pie->Free();
    expectChart();
}

TEST_F(CircledSeries, TheCirclesBackgroundFallsBackToTheWallThenTheChart) {
    TPieSeries* pie = AddPie({1});
    pie->SetCircleBackColor(clRed);
    EXPECT_EQ(pie->CircleBackColorInUse(), clRed);
    pie->SetCircleBackColor(clDefault);
    chart->BackWall()->SetTransparent(false);
    chart->BackWall()->SetColor(clYellow);
    EXPECT_EQ(pie->CircleBackColorInUse(), clYellow);
    chart->BackWall()->SetTransparent(true);
    chart->SetColor(clAqua);
    EXPECT_EQ(pie->CircleBackColorInUse(), clAqua);
    chart->SetPrinting(true);
    EXPECT_EQ(pie->CircleBackColorInUse(), clWhite);
    chart->SetPrinting(false);
}

} // namespace
