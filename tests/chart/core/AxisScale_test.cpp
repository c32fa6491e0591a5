#include "CoreTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

class AxisScaleTest : public ::testing::Test {
protected:
    ChartCoreSession session;
    TTestChart chart; // chart rectangle 100..300 across, 50..250 down
    TChartSeries series{nullptr};

    void SetUp() override { series.SetParentChart(&chart); }
    // Both axes over 0..10 on the chart rectangle.
    void Manual(double minimum, double maximum) {
        chart.BottomAxis()->SetMinMax(minimum, maximum);
        chart.LeftAxis()->SetMinMax(minimum, maximum);
        chart.chartRect = {100, 100, 300, 300};
        chart.Layout();
    }
};

TEST_F(AxisScaleTest, LinearPixelsBothWaysAndInverted) {
    Manual(0, 10);
    TChartAxis* x = chart.BottomAxis();
    TChartAxis* y = chart.LeftAxis();
    struct Case {
        double value;
        int x, xInverted, y, yInverted;
    };
    const Case cases[] = {
        {5, 200, 200, 200, 200},  {2, 140, 260, 260, 140}, {0, 100, 300, 300, 100},
        {10, 300, 100, 100, 300}, {-1, 80, 320, 320, 80},  {2.525, 150, 250, 250, 150},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(x->PixelOfX(c.value), c.x) << c.value;
        EXPECT_EQ(y->PixelOfY(c.value), c.y) << c.value;
        EXPECT_EQ(x->PixelOf(c.value), c.x) << c.value;
    }
    x->SetInverted(true);
    y->SetInverted(true);
    chart.Layout();
    for (const Case& c : cases) {
        EXPECT_EQ(x->PixelOfX(c.value), c.xInverted) << c.value;
        EXPECT_EQ(y->PixelOfY(c.value), c.yInverted) << c.value;
    }
    // And back: pixels to values on the inverted axes.
    EXPECT_DOUBLE_EQ(x->PixelToValue(260), 2);
    EXPECT_DOUBLE_EQ(y->PixelToValue(140), 2);
}

TEST_F(AxisScaleTest, HugeAndUndefinedValuesStayOnTheDrawingArea) {
    Manual(0, 10);
    TChartAxis* x = chart.BottomAxis();
    EXPECT_EQ(x->PixelOfX(1e15), TChartAxis::PixelLimit);
    EXPECT_EQ(x->PixelOfX(-1e15), -TChartAxis::PixelLimit);
    EXPECT_EQ(x->PixelOfX(std::numeric_limits<double>::infinity()), TChartAxis::PixelLimit);
    EXPECT_EQ(x->PixelOfX(std::nan("")), 200);
    // The fast form rounds the offset alone and saturates the same way.
    chart.fastCalc = true;
    x->SelectPositionFunctions();
    EXPECT_EQ(x->PixelOfX(1e15), TChartAxis::PixelLimit);
    EXPECT_EQ(x->PixelOfX(-1e300), 100 - TChartAxis::PixelLimit); // start + the saturated offset
    EXPECT_EQ(x->PixelOfX(5), 200);
    EXPECT_EQ(chart.LeftAxis()->PixelOfY(std::nan("")), 200);
}

TEST_F(AxisScaleTest, EqualAutomaticEndsPutEveryPointInTheMiddle) {
    series.AddXYValue(4, 7);
    series.AddXYValue(4, 7);
    chart.Layout();
    TChartAxis* x = chart.BottomAxis();
    EXPECT_EQ(x->Minimum(), 4);
    EXPECT_EQ(x->Maximum(), 4);
    EXPECT_TRUE(x->ZeroRange());
    EXPECT_EQ(x->PixelOfX(4), 200);
    EXPECT_EQ(x->PixelOfX(1000), 200);
    EXPECT_EQ(chart.LeftAxis()->PixelOfY(-3), 150);
}

TEST_F(AxisScaleTest, LogarithmicAxis) {
    series.AddXYValue(1, 1);
    series.AddXYValue(100, 100);
    chart.chartRect = {100, 100, 300, 300};
    TChartAxis* x = chart.BottomAxis();
    TChartAxis* y = chart.LeftAxis();
    x->SetLogarithmic(true);
    y->SetLogarithmic(true);
    chart.Layout();
    EXPECT_EQ(x->PixelOfX(1), 100);
    EXPECT_EQ(x->PixelOfX(10), 200);
    EXPECT_EQ(x->PixelOfX(100), 300);
    EXPECT_EQ(y->PixelOfY(10), 200);
    EXPECT_EQ(x->PixelOfX(0), 100); // zero and below: the start (X) or the end (Y)
    EXPECT_EQ(x->PixelOfX(-1), 100);
    EXPECT_EQ(y->PixelOfY(0), 300);
    EXPECT_EQ(y->PixelOfY(-1), 300);
    EXPECT_NEAR(x->PixelToValue(200), 10, 1e-9);
    EXPECT_EQ(x->PixelToValue(100), 1);
    EXPECT_EQ(x->PixelToValue(300), 100);
    EXPECT_EQ(y->PixelToValue(100), 100); // the top of a vertical axis is its maximum
    x->SetInverted(true);
    chart.Layout();
    EXPECT_EQ(x->PixelOfX(0), 300);
    EXPECT_EQ(x->PixelOfX(100), 100);
    EXPECT_EQ(x->PixelToValue(100), 100);
}

TEST_F(AxisScaleTest, RoundingTheEndsToTheLabelStep) {
    series.AddXYValue(0, 23);
    series.AddXYValue(1, 2);
    TChartAxis* y = chart.LeftAxis();
    y->SetIncrement(5); // the label step is 5
    y->SetMaximumRound(true);
    y->SetMinimumRound(true);
    chart.Layout();
    EXPECT_EQ(y->Maximum(), 23); // the published ends keep the series' extremes
    EXPECT_EQ(y->InternalMaximum(), 25);
    EXPECT_EQ(y->InternalMinimum(), 0);
    EXPECT_EQ(y->PixelOfY(25), chart.chartRect.Top);
}

TEST_F(AxisScaleTest, ScrollingMovesOnlyTowardsValuesBeyondTheRange) {
    series.AddXYValue(0, 0);
    series.AddXYValue(10, 1);
    TChartAxis* x = chart.BottomAxis();
    x->SetMinMax(0, 10);
    x->ScrollBy(2, true); // nothing beyond the maximum
    EXPECT_EQ(x->Maximum(), 10);
    x->ScrollBy(0, true);
    x->ScrollBy(-2, true); // nothing below the minimum either
    EXPECT_EQ(x->Minimum(), 0);
    x->SetMinMax(2, 5);
    x->ScrollBy(2, true);
    EXPECT_EQ(x->Minimum(), 4);
    EXPECT_EQ(x->Maximum(), 7);
    x->ScrollBy(-3, true);
    EXPECT_EQ(x->Minimum(), 1);
    x->SetAutomatic(true);
    x->ScrollBy(100, false); // unchecked: always, and the axis turns manual
    EXPECT_EQ(x->Maximum(), 104);
    EXPECT_FALSE(x->Automatic());
}

TEST_F(AxisScaleTest, MarginsWidenTheRange) {
    Manual(0, 10);
    TChartAxis* x = chart.BottomAxis();
    x->ApplyMargins(10, 10);
    EXPECT_NEAR(x->InternalMinimum(), -0.5556, 1e-4);
    EXPECT_NEAR(x->InternalMaximum(), 10.5556, 1e-4);
    EXPECT_EQ(x->PixelOfX(0), 110);
    EXPECT_EQ(x->PixelOfX(10), 290);
    TChartAxis* y = chart.LeftAxis();
    y->ApplyMargins(20, 0); // room above only
    EXPECT_EQ(y->PixelOfY(10), 120);
    EXPECT_EQ(y->PixelOfY(0), 300);
}

TEST_F(AxisScaleTest, PixelSpanPositionOffsetAndSides) {
    TChartAxis* x = chart.BottomAxis();
    x->SetStartPosition(25);
    x->SetEndPosition(75);
    x->CalcStartEnd(); // chart rectangle 100..300 across
    EXPECT_EQ(x->StartPixel(), 150);
    EXPECT_EQ(x->EndPixel(), 250);
    EXPECT_EQ(x->CenterPixel(), 200);
    EXPECT_EQ(x->PixelToValue(150), 0);
    x->SetEndPosition(25);
    x->CalcStartEnd();
    EXPECT_EQ(x->PixelToValue(150), 0); // no pixels: 0

    const TRect r{10, 20, 110, 220};
    EXPECT_EQ(x->SideOf(r), 220);
    EXPECT_EQ(chart.TopAxis()->SideOf(r), 20);
    EXPECT_EQ(chart.LeftAxis()->SideOf(r), 10);
    EXPECT_EQ(chart.RightAxis()->SideOf(r), 110);
    EXPECT_EQ(x->ApplyPositionOffset(220, r), 220);
    x->SetPositionPercent(10); // 10 % of the height, moved inwards
    EXPECT_EQ(x->ApplyPositionOffset(220, r), 200);
    chart.TopAxis()->SetPositionPercent(10);
    EXPECT_EQ(chart.TopAxis()->ApplyPositionOffset(20, r), 40);
    chart.LeftAxis()->SetPositionUnits(muPixels);
    chart.LeftAxis()->SetPositionPercent(7);
    EXPECT_EQ(chart.LeftAxis()->ApplyPositionOffset(10, r), 17);

    chart.depth3D = 40; // the depth axis spans the chart's depth
    chart.DepthAxis()->SetZPosition(50);
    chart.DepthAxis()->CalcStartEnd();
    EXPECT_EQ(chart.DepthAxis()->PixelSize(), 40);
    chart.BottomAxis()->SetZPosition(50);
    chart.BottomAxis()->UpdateScale();
    EXPECT_EQ(chart.BottomAxis()->ZPixel(), 20);
}

TEST_F(AxisScaleTest, LabelMaximumHookShortensTheRange) {
    Manual(0, 10);
    TChartAxis* x = chart.BottomAxis();
    x->LabelMaximumHook = [](TChartAxis*, int index, bool&, double& value) {
        EXPECT_EQ(index, -1);
        EXPECT_EQ(value, 10);
        value = 2;
    };
    x->AdjustRange();
    EXPECT_EQ(x->InternalMaximum(), 8);
}

} // namespace
