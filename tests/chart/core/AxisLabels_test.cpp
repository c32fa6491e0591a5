#include "CoreTestSupport.h"

#include "platform/rtl/DateTime.h"
#include "platform/rtl/FloatFormat.h"
#include "platform/rtl/Math.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double Second = 1.0 / 86400;

class AxisLabelsTest : public ::testing::Test {
protected:
    ChartCoreSession session;
    TTestChart chart; // 7 pixels a character, 13 high; chart rectangle 100..300, 50..250
    TChartSeries series{nullptr};

    void SetUp() override { series.SetParentChart(&chart); }
    void Range(TChartAxis* axis, double minimum, double maximum) {
        axis->SetMinMax(minimum, maximum);
        chart.Layout();
    }
};

TEST(AxisLabelSteps, NextNiceStep) {
    struct Case {
        double in, out;
    };
    const Case cases[] = {
        {1, 2},     {2, 5},    {5, 10},      {3, 5},
        {0.3, 0.5}, {70, 100}, {7e-9, 1e-8}, {std::numeric_limits<double>::infinity(), 1},
        {0, 1},     {-3, 1}};
    for (const Case& c : cases)
        EXPECT_NEAR(TChartAxis::NextNiceStep(c.in), c.out, c.out * 1e-12) << c.in;
}

TEST(AxisLabelSteps, TextLineCount) {
    EXPECT_EQ(TChartAxis::TextLineCount(""), 0);
    EXPECT_EQ(TChartAxis::TextLineCount("a"), 1);
    EXPECT_EQ(TChartAxis::TextLineCount("a\r"), 1);
    EXPECT_EQ(TChartAxis::TextLineCount("a\rb"), 2);
    EXPECT_EQ(TChartAxis::TextLineCount("15:03:24\r10:22:05"), 2);
}

TEST_F(AxisLabelsTest, StepsForACountOfNumberLabels) {
    TChartAxis* x = chart.BottomAxis();
    Range(x, 0, 100);
    EXPECT_EQ(x->LabelStepForCount(5), 20); // 100/6 grows once
    EXPECT_EQ(x->LabelStepForCount(0), TChartAxis::MinNumberStep);
    x->SetIncrement(2.5); // kept while it fits, then nice steps upwards
    EXPECT_EQ(x->LabelStepForCount(40), 2.5);
    EXPECT_EQ(x->LabelStepForCount(39), 5);
    EXPECT_EQ(x->LabelStepForCount(15), 10);
    x->SetIncrement(0);
    x->SetAutomatic(true); // no points: both ends 0
    chart.Layout();
    EXPECT_EQ(x->LabelStepForCount(5), 1); // a zero range
    // A series with at most as many points as labels keeps whole steps on a wide range.
    series.SetActive(false);
    Range(x, 0, 2);
    EXPECT_EQ(x->LabelStepForCount(9), 0.5); // 0.2 makes 10 labels: one more nice step
    series.SetActive(true);
    for (int i = 0; i < 9; ++i)
        series.AddXYValue(i, 0);
    EXPECT_EQ(x->LabelStepForCount(9), 1);
    series.AddXYValue(10, 0);
    EXPECT_EQ(x->LabelStepForCount(9), 0.5);
    x->SetLabelsSeparation(0); // no growing at all: the range over count + 1
    EXPECT_EQ(x->LabelStepForCount(5), 2.0 / 6);
}

TEST_F(AxisLabelsTest, LogarithmicSteps) {
    TChartAxis* y = chart.LeftAxis();
    series.AddXYValue(0, 1);
    series.AddXYValue(1, 1e6);
    y->SetLogarithmic(true);
    chart.Layout();
    EXPECT_EQ(y->NearestLogPower(300000), 1e5);
    EXPECT_EQ(y->LabelStepForCount(3), 1e6); // 1e5 grows by the base until 3 labels fit
    y->SetLogarithmicBase(2);
    EXPECT_EQ(y->NearestLogPower(5), 4);
}

// Bad ranges and bases end in a step at once instead of looping.
TEST_F(AxisLabelsTest, StepSearchesAlwaysEnd) {
    TChartAxis* x = chart.BottomAxis();
    const double inf = std::numeric_limits<double>::infinity();
    Range(x, 0, inf);
    EXPECT_EQ(x->LabelStepForCount(5), TChartAxis::MinNumberStep);
    Range(x, -1.7e308, 1.7e308);
    EXPECT_TRUE(std::isfinite(x->LabelStepForCount(5)));
    x->CheckDateTime();
    Range(x, 0, 1e300);
    EXPECT_GT(x->LabelStepForCount(5), 0);

    series.AddXYValue(1, 1);
    series.AddXYValue(1000, 1000);
    x->SetAutomatic(true);
    x->SetLogarithmic(true);
    x->SetLogarithmicBase(0.5); // growing by the base would shrink the step for ever
    chart.Layout();
    EXPECT_GT(x->LabelStepForCount(5), 0);
    EXPECT_GT(x->CalcLabelStep(), 0);
}

TEST_F(AxisLabelsTest, DateTimeStepsClimbTheStepTable) {
    series.XValues()->SetDateTime(true);
    TChartAxis* x = chart.BottomAxis();
    const double start = EncodeDateTime(2024, 3, 15, 10, 0, 0, 0);
    Range(x, start, start + 1.0 / 24);
    x->CheckDateTime();
    ASSERT_TRUE(x->AxisDateTime());
    EXPECT_NEAR(x->LabelStepForCount(4), 15.0 / 1440, 1e-15); // one hour in four: 15 minutes
    EXPECT_NEAR(x->LabelStepForCount(12), 5.0 / 1440, 1e-15);
    EXPECT_NEAR(x->LabelStepForCount(2000), 5 * Second, 1e-17);
    EXPECT_EQ(x->LabelStepForCount(3600), 2e-5); // nice steps below a second, in days
    EXPECT_EQ(x->LabelStepForCount(0), TChartAxis::MinDateTimeStep);
    Range(x, start, start + 3000); // long ranges double the year
    EXPECT_EQ(x->LabelStepForCount(2), 2 * 730);
    x->SetIncrement(7);
    Range(x, start, start + 30);
    EXPECT_EQ(x->LabelStepForCount(10), 7);
}

TEST_F(AxisLabelsTest, LabelStepFromMeasuredLabels) {
    TChartAxis* y = chart.LeftAxis();
    Range(y, 0, 100); // labels stand one above the other: 13 pixels each, 200 pixels of axis
    EXPECT_EQ(y->LabelExtent(100), 13);
    EXPECT_EQ(y->CalcLabelStep(), 10);
    TChartAxis* x = chart.BottomAxis();
    Range(x, 0, 100); // side by side: "12,5" (28 pixels) is the widest measured
    EXPECT_EQ(x->LabelExtent(12.5), 28);
    EXPECT_EQ(x->CalcLabelStep(), 20);
    EXPECT_EQ(x->Increment(), 0); // the whole-number pass leaves Increment as it was
    x->SetLabelsAlternate(true);  // two rows fit twice as many
    EXPECT_EQ(x->CalcLabelStep(), 10);
    x->SetLabelsAngle(90); // turned labels measure their height
    EXPECT_EQ(x->LabelExtent(12.5), 13);
}

TEST_F(AxisLabelsTest, ValueTextsFollowTheFormatsAndTheChartsEvent) {
    TChartAxis* y = chart.LeftAxis();
    Range(y, 0, 2000);
    EXPECT_EQ(y->LabelValueText(1234.5), FormatFloat("#,##0.###", 1234.5));
    EXPECT_EQ(y->LabelValueText(1234.5), "1\u00A0234,5");
    y->SetAxisValuesFormat("0.00");
    EXPECT_EQ(y->LabelValueText(2), "2,00");
    chart.onGetAxisLabel = [](TChartAxis*, TChartSeries* s, int index, std::string& text) {
        EXPECT_EQ(s, nullptr);
        EXPECT_EQ(index, -1);
        text += " V";
    };
    y->SetLabelsMultiLine(true);
    EXPECT_EQ(y->LabelValueText(12), "12,00\rV");

    // A date-time axis without a format takes the runtime's date or time format by its range.
    series.XValues()->SetDateTime(true);
    TChartAxis* x = chart.BottomAxis();
    const double t = EncodeDateTime(2024, 3, 15, 10, 22, 5, 0);
    Range(x, t, t + 3);
    x->CheckDateTime();
    EXPECT_EQ(x->LabelValueText(t), FormatDateTime(FormatSettings().ShortDateFormat, t) + " V");
    Range(x, t, t + 0.5);
    EXPECT_EQ(x->LabelValueText(t), FormatDateTime(FormatSettings().ShortTimeFormat, t) + " V");
}

// The power page's chart: a one-second window of date-times, each label two lines.
TEST_F(AxisLabelsTest, PowerChartTimeLabels) {
    series.XValues()->SetDateTime(true);
    TChartAxis* x = chart.BottomAxis();
    x->SetDateTimeFormat("dd:mm:yy hh:mm:ss");
    x->SetLabelsMultiLine(true);
    x->SetIncrement(Second);
    const double t = EncodeDateTime(2024, 3, 15, 10, 22, 5, 0);
    Range(x, t - Second, t + 0.001 * Second);
    x->CheckDateTime();

    std::string expected = FormatDateTime("dd:mm:yy hh:mm:ss", t);
    std::replace(expected.begin(), expected.end(), ' ', '\r');
    EXPECT_EQ(expected, "15:03:24\r10:22:05");
    EXPECT_EQ(x->LabelValueText(t), "15:03:24\r10:22:05");
    // A value a hair below the second still reads as that second.
    EXPECT_EQ(x->LabelValueText(std::nextafter(t, 0.0)), "15:03:24\r10:22:05");
    const double step = x->CalcLabelStep();
    EXPECT_EQ(step, Second);
    const double last = static_cast<double>(Trunc(x->InternalMaximum() / step)) * step;
    EXPECT_EQ(x->LabelValueText(last), "15:03:24\r10:22:05");
    EXPECT_EQ(x->LabelValueText(last - step), "15:03:24\r10:22:04");
    EXPECT_EQ(TChartAxis::TextLineCount(x->LabelValueText(last)), 2);
}

TEST_F(AxisLabelsTest, RoomForTheLabels) {
    TChartAxis* y = chart.LeftAxis();
    Range(y, 0, 100);
    // Value labels 100, 90 ... 0: "100" is widest (21 pixels), plus a space.
    EXPECT_EQ(y->MaxLabelsWidth(), 28);
    EXPECT_EQ(y->LabelsRoom(), 28);
    y->SetLabelsSize(40);
    EXPECT_EQ(y->LabelsRoom(), 40);
    y->SetLabelsSize(0);
    // The chart's label event is not used while measuring value labels, and is kept.
    int calls = 0;
    chart.onGetAxisLabel = [&](TChartAxis*, TChartSeries*, int, std::string& text) {
        ++calls;
        text = "a very long label text";
    };
    y->CalcLabelStep(); // the step is chosen with the event in place
    const int stepCalls = calls;
    calls = 0;
    EXPECT_EQ(y->MaxLabelsWidth(), 28);
    EXPECT_EQ(calls, stepCalls);
    EXPECT_TRUE(static_cast<bool>(chart.onGetAxisLabel));

    TChartAxis* x = chart.BottomAxis();
    EXPECT_EQ(x->LabelsRoom(), TTestChart::CharHeight); // one line across a horizontal axis
    x->SetLabelsAlternate(true);
    EXPECT_EQ(x->LabelsRoom(), 2 * TTestChart::CharHeight);
    const std::string title = "Время";
    EXPECT_EQ(x->TextSize(x->Title()->Font(), 90, 0, &title), 35);

    // Text labels: the series' labels, through the chart's event when it has one.
    series.AddXYValue(1, 1, "Январь");
    series.AddXYValue(2, 1, "Май");
    x->SetLabelStyle(talText);
    x->SetLabelsAngle(90);
    EXPECT_EQ(x->MaxLabelsWidth(), 22 * 7);
    chart.onGetAxisLabel = nullptr;
    EXPECT_EQ(x->MaxLabelsWidth(), 6 * 7);
    x->SetLabelStyle(talMark);
    chart.widestMark = 55;
    EXPECT_EQ(x->MaxLabelsWidth(), 55);
    x->SetLabelStyle(talNone);
    EXPECT_EQ(x->MaxLabelsWidth(), 0);
    // Custom labels: the widest item text.
    x->Items()->Add(1, "один");
    x->Items()->Add(2, "двадцать");
    EXPECT_EQ(x->MaxLabelsWidth(), 8 * 7);
}

} // namespace
