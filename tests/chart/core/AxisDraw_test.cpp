// Axes drawing themselves in 2D: the room they take, their labels (texts from the runtime's
// number and date formatting, places from the axis' pixel functions), ticks, grids and line, as
// the recording canvas saw them.

#include "AxisDrawTestSupport.h"

#include "platform/rtl/DateTime.h"
#include "platform/rtl/FloatFormat.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace {

constexpr double Second = 1.0 / 86400;

class AxisDrawTest : public ::testing::Test {
protected:
    ChartCoreSession session;

    // A series on the bottom and left axes, so that they show value labels.
    static void Feed(TChartSeries& series, TTestChart& chart, double x0, double x1, double y0,
                     double y1) {
        series.SetParentChart(&chart);
        series.AddXYValue(x0, y0);
        series.AddXYValue(x1, y1);
    }
    // The bottom axis over 0 .. 10, titled.
    static TChartAxis* TitledBottom(TAxisScene& scene, TChartSeries& series) {
        Feed(series, scene.chart, 0, 10, 0, 10);
        TChartAxis* bottom = scene.chart.BottomAxis();
        bottom->Title()->SetCaption("Ось");
        return bottom;
    }
    static int LineHeight(TAxisScene& scene, TChartAxis* axis) {
        scene.canvas.SelectFont(axis->LabelsFont());
        return scene.canvas.CharHeight();
    }
};

// Without a canvas the test chart measures 7 pixels a character, 13 pixels high. The axis line
// (width 2) and the ticks (4) take 2 + 1 + 4 = 7 pixels.
TEST_F(AxisDrawTest, RoomTakenBesideTheChartRectangle) {
    TTestChart chart;
    TChartAxis* bottom = chart.BottomAxis();
    TChartAxis* top = chart.TopAxis();
    TChartAxis* left = chart.LeftAxis();
    TChartAxis* right = chart.RightAxis();
    bottom->Title()->SetCaption("Время");
    left->Title()->SetCaption("Напряжение");
    left->SetLabelsSize(30);
    right->SetLabels(false);
    chart.walls[right] = 5;
    EXPECT_EQ(bottom->AxisSize(), 7);

    struct Case {
        TChartAxis* axis;
        TRect room;
        int title, labels, position;
    } cases[] = {
        // title 13 high, labels 13, line and ticks 7
        {bottom, {100, 50, 300, 217}, 237, 224, 217},
        // no title: the labels and the line only
        {top, {100, 70, 300, 250}, 50, 63, 70},
        // a title at 90 degrees is one font height wide; the labels their fixed size
        {left, {150, 50, 300, 250}, 113, 143, 150},
        // labels hidden; the wall beside the axis and the line
        {right, {100, 50, 288, 250}, 300, 300, 288},
    };
    for (const Case& c : cases) {
        TRect r{100, 50, 300, 250};
        c.axis->CalcAxisRoom(r, true);
        EXPECT_EQ(r, c.room) << c.axis->Title()->Caption();
        EXPECT_EQ(c.axis->TitlePosition(), c.title);
        EXPECT_EQ(c.axis->LabelsPosition(), c.labels);
        EXPECT_EQ(c.axis->AxisPosition(), c.position);
    }

    // Placed beside a rectangle without taking room: the line on its side, the rest outside.
    TRect r{100, 50, 300, 250};
    bottom->CalcAxisRoom(r, false);
    EXPECT_EQ(r, (TRect{100, 50, 300, 250}));
    EXPECT_EQ(bottom->AxisPosition(), 250);
    EXPECT_EQ(bottom->LabelsPosition(), 257);
    EXPECT_EQ(bottom->TitlePosition(), 270);

    // The axes list decides the labels' room; an offset moves title and labels inward.
    chart.labelsRooms[bottom] = 20;
    bottom->SetPositionUnits(muPixels);
    bottom->SetPositionPercent(10);
    r = {100, 50, 300, 250};
    bottom->CalcAxisRoom(r, true);
    EXPECT_EQ(r.Bottom, 250 - 13 - 20 - 7);
    EXPECT_EQ(bottom->TitlePosition(), 237 - 10);
    EXPECT_EQ(bottom->LabelsPosition(), 217 - 10);
}

// Values 0 .. 100 with a step of 20: labels from the top down, each where the axis puts its
// value, aligned by the axis' side; the ticks follow the labels.
TEST_F(AxisDrawTest, ValueLabelsFromTheTopDown) {
    TAxisScene scene(400, 300, {60, 20, 380, 260});
    TChartSeries series(nullptr);
    Feed(series, scene.chart, 0, 100, 0, 100);
    for (TChartAxis* axis : {scene.chart.BottomAxis(), scene.chart.LeftAxis(),
                             scene.chart.TopAxis(), scene.chart.RightAxis()})
        axis->SetIncrement(20);
    series.SetHorizAxis(aBothHorizAxis);
    series.SetVertAxis(aBothVertAxis);
    TChartAxis* bottom = scene.chart.BottomAxis();
    TChartAxis* left = scene.chart.LeftAxis();
    TChartAxis* top = scene.chart.TopAxis();
    TChartAxis* right = scene.chart.RightAxis();
    scene.Fit({bottom, top, left, right});
    const std::vector<double> values{100, 80, 60, 40, 20, 0};
    std::vector<std::string> expected;
    for (double v : values)
        expected.push_back(FormatFloat("#,##0.###", v));
    EXPECT_EQ(expected, (std::vector<std::string>{"100", "80", "60", "40", "20", "0"}));

    struct Case {
        TChartAxis* axis;
        unsigned align;
    } cases[] = {
        {bottom, TA_CENTER}, {top, TA_CENTER | TA_BOTTOM}, {left, TA_RIGHT}, {right, TA_LEFT}};
    for (const Case& c : cases) {
        scene.Draw({c.axis});
        SCOPED_TRACE(c.axis->Horizontal() ? "horizontal" : "vertical");
        const std::vector<TDrawnText> texts = scene.Texts();
        ASSERT_EQ(scene.TextsOnly(), expected);
        const int h = LineHeight(scene, c.axis);
        std::vector<int> pixels;
        for (size_t i = 0; i < values.size(); ++i) {
            const int p = c.axis->PixelOf(values[i]);
            pixels.push_back(p);
            EXPECT_EQ(texts[i].align, c.align);
            if (c.axis->Horizontal()) {
                EXPECT_EQ(texts[i].x, p);
                EXPECT_EQ(texts[i].y, c.axis->LabelsPosition());
            } else {
                EXPECT_EQ(texts[i].x, c.axis->LabelsPosition());
                EXPECT_EQ(texts[i].y, p - h / 2); // centred on the value
            }
        }
        EXPECT_EQ(c.axis->TickPositions(), pixels);
    }
    // The labels stand outside the chart rectangle, on the axis' side.
    EXPECT_GE(bottom->LabelsPosition(), scene.chart.chartRect.Bottom);
    EXPECT_LE(top->LabelsPosition(), scene.chart.chartRect.Top);
    EXPECT_LE(left->LabelsPosition(), scene.chart.chartRect.Left);
    EXPECT_GE(right->LabelsPosition(), scene.chart.chartRect.Right);
}

// The power page's chart in 600 x 300: a one-second window of date-times on the bottom axis, each
// label two lines, and 6 .. 30 volts on the left.
TEST_F(AxisDrawTest, PowerChartAxes) {
    const TRect plot{10, 40, 590, 290};
    TAxisScene scene(600, 300, plot);
    TTestChart& chart = scene.chart;
    const double t = EncodeDateTime(2024, 3, 15, 10, 22, 5, 0);
    TChartSeries series(nullptr);
    Feed(series, chart, t, t, 12, 12);
    series.XValues()->SetDateTime(true);
    TChartAxis* bottom = chart.BottomAxis();
    TChartAxis* left = chart.LeftAxis();
    TChartAxis* top = chart.TopAxis();
    bottom->SetDateTimeFormat("dd:mm:yy hh:mm:ss");
    bottom->SetIncrement(Second);
    bottom->SetLabelsMultiLine(true);
    bottom->SetMinMax(t - Second, t + 0.001 * Second);
    left->SetMinMax(6, 30);
    left->Title()->SetCaption("Напряжение");
    top->Title()->SetCaption("Время");
    // No series on the top axis: the chart does not show it.
    scene.Fit({bottom, left});
    scene.Draw({bottom, left});

    const int h = LineHeight(scene, bottom);
    // Two label blocks of two lines, at the window's ends.
    const std::vector<TDrawnText> texts = scene.Texts();
    std::vector<std::string> bottomTexts;
    for (const TDrawnText& text : texts)
        if (text.align == TA_CENTER)
            bottomTexts.push_back(text.text);
    EXPECT_EQ(bottomTexts, (std::vector<std::string>{FormatDateTime("dd:mm:yy", t),
                                                     FormatDateTime("hh:mm:ss", t),
                                                     FormatDateTime("dd:mm:yy", t - Second),
                                                     FormatDateTime("hh:mm:ss", t - Second)}));
    EXPECT_EQ(bottomTexts[1], "10:22:05");
    EXPECT_EQ(bottomTexts[3], "10:22:04");
    const TRect r = chart.chartRect;
    ASSERT_GE(texts.size(), 4u);
    EXPECT_EQ(texts[0].x, r.Left + RoundEven(1000.0 / 1001 * r.Width()));
    EXPECT_EQ(texts[2].x, r.Left);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(texts[i].y, bottom->LabelsPosition() + (i % 2) * h);
        // Both lines whole, inside the plot rectangle the axes took their room from.
        EXPECT_LE(texts[i].y + h, plot.Bottom);
    }
    EXPECT_EQ(bottom->LabelsRoom(), 2 * h);

    // The left axis: 30 down to 6 in steps of 2, then its title once, turned upright.
    std::vector<std::string> leftTexts;
    for (const TDrawnText& text : texts)
        if (text.align == TA_RIGHT)
            leftTexts.push_back(text.text);
    std::vector<std::string> volts;
    for (int v = 30; v >= 6; v -= 2)
        volts.push_back(std::to_string(v));
    EXPECT_EQ(leftTexts, volts);
    int titles = 0;
    for (const TDrawnText& text : texts) {
        EXPECT_NE(text.text, "Время");
        if (text.text == "Напряжение") {
            ++titles;
            EXPECT_EQ(text.escapement, 900);
            EXPECT_LT(text.x, left->LabelsPosition());
        }
    }
    EXPECT_EQ(titles, 1);
    scene.Save("axis-power-chart");
}

// Every axis draws inside a group "axis", its title inside a group "title".
TEST_F(AxisDrawTest, DrawingGroups) {
    TAxisScene scene(300, 200, {40, 20, 280, 160});
    TChartSeries series(nullptr);
    TChartAxis* bottom = TitledBottom(scene, series);
    scene.Fit({bottom, scene.chart.LeftAxis()});
    scene.Draw({bottom, scene.chart.LeftAxis()});
    std::vector<std::string> groups;
    std::string titleText;
    bool inTitle = false;
    for (const std::string& line : scene.Outline()) {
        if (line.rfind("GROUP", 0) == 0 || line == "ENDGROUP")
            groups.push_back(line);
        inTitle = line == "GROUP title" || (inTitle && line != "ENDGROUP");
        if (inTitle && line.rfind("TEXT", 0) == 0)
            titleText = line;
    }
    EXPECT_EQ(groups, (std::vector<std::string>{"GROUP axis", "GROUP title", "ENDGROUP", "ENDGROUP",
                                                "GROUP axis", "ENDGROUP"}));
    EXPECT_NE(titleText.find("\"Ось\""), std::string::npos);
}

// A label handler that raises leaves the canvas' groups closed and the axis as it was, so that
// the chart can draw again.
TEST_F(AxisDrawTest, RaisingLabelHandlerLeavesTheAxisDrawable) {
    TAxisScene scene(300, 200, {40, 20, 280, 160});
    TChartSeries series(nullptr);
    TChartAxis* bottom = TitledBottom(scene, series);
    bottom->SetLabelsExponent(true);
    scene.Fit({bottom});
    bool raise = true;
    bottom->OnDrawLabel = [&](TChartAxis*, int&, int&, int&, std::string&, bool&) {
        if (raise)
            throw Exception("label");
    };
    EXPECT_THROW(scene.Draw({bottom}), Exception); // raised by the title
    EXPECT_EQ(scene.canvas.marks,
              (std::vector<std::pair<size_t, std::string>>{
                  {0, "GROUP axis"}, {0, "GROUP title"}, {0, "ENDGROUP"}, {0, "ENDGROUP"}}));
    EXPECT_TRUE(bottom->LabelsExponent());
    raise = false;
    scene.Draw({bottom});
    EXPECT_FALSE(scene.Texts().empty());
}

// After the series' margins moved an axis' labels, its title follows them.
TEST_F(AxisDrawTest, TitleFollowsTheLabels) {
    TTestChart chart;
    TChartAxis* left = chart.LeftAxis();
    left->SetLabelsSize(30);
    TRect r{100, 50, 300, 250};
    left->CalcAxisRoom(r, false);
    EXPECT_EQ(left->LabelsPosition(), 100 - 7);
    EXPECT_EQ(left->TitlePosition(), 100 - 7 - 30);
    left->SetLabelsSize(40);
    left->CalcTitlePosition();
    EXPECT_EQ(left->TitlePosition(), 100 - 7 - 40);
}

} // namespace
