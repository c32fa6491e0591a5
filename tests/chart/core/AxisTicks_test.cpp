// Ticks, grids, minor ticks and the axis line of a 2D axis, read from the recording canvas, and
// the axis' hit test.

#include "AxisDrawTestSupport.h"

#include "platform/rtl/FloatFormat.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace {

bool Vertical(const TDrawnLine& l) {
    return l.from.X == l.to.X;
}

class AxisTicksTest : public ::testing::Test {
protected:
    ChartCoreSession session;
    TAxisScene scene{300, 200, {50, 20, 250, 170}};
    TChartSeries series{nullptr};
    TChartAxis* bottom = scene.chart.BottomAxis();

    // Values 0 .. 100 on the bottom axis, labels every 20.
    void SetUp() override {
        series.SetParentChart(&scene.chart);
        series.AddXYValue(0, 0);
        series.AddXYValue(100, 10);
        bottom->SetIncrement(20);
        scene.Fit({bottom});
    }
    // The lines across the chart rectangle: the grid.
    std::vector<TDrawnLine> GridLines() const {
        const TRect r = scene.chart.chartRect;
        std::vector<TDrawnLine> grid;
        for (const TDrawnLine& l : scene.Lines())
            if (Vertical(l) && l.from.Y == r.Bottom - 1 && l.to.Y == r.Top)
                grid.push_back(l);
        return grid;
    }
    std::vector<int> GridXs() const {
        std::vector<int> xs;
        for (const TDrawnLine& l : GridLines())
            xs.push_back(l.from.X);
        return xs;
    }
};

// The order and places: the line (over the walls beside it), the ticks outside it, the grid
// across the chart strictly inside the axis, the inner ticks.
TEST_F(AxisTicksTest, LineTicksGridAndInnerTicks) {
    scene.chart.walls[scene.chart.LeftAxis()] = 3;
    scene.chart.walls[scene.chart.RightAxis()] = 4;
    scene.chart.walls[bottom] = 2;
    bottom->MinorTicks()->SetVisible(false);
    bottom->SetTickInnerLength(3);
    scene.Draw({bottom});
    const TRect r = scene.chart.chartRect;
    const int pos = bottom->AxisPosition();
    const std::vector<int> ticks = bottom->TickPositions();
    ASSERT_EQ(ticks.size(), 6u);
    EXPECT_EQ(ticks.front(), bottom->EndPixel());
    EXPECT_EQ(ticks.back(), bottom->StartPixel());

    std::vector<TDrawnLine> expected;
    expected.push_back({{r.Left - 3, pos + 2}, {r.Right + 4, pos + 2}, {}});
    for (int p : ticks)
        expected.push_back({{p, pos + 1 + 2}, {p, pos + 1 + 2 + 4}, {}});
    for (int p : ticks)
        if (p > r.Left && p < r.Right)
            expected.push_back({{p, r.Bottom - 1}, {p, r.Top}, {}});
    for (int p : ticks)
        expected.push_back({{p, pos - 1 + 2}, {p, pos - 1 + 2 - 3}, {}});
    const std::vector<TDrawnLine> lines = scene.Lines();
    ASSERT_EQ(lines.size(), expected.size());
    for (size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i].from, expected[i].from) << i << " " << lines[i].line;
        EXPECT_EQ(lines[i].to, expected[i].to) << i << " " << lines[i].line;
    }
    EXPECT_EQ(GridLines().size(), 4u);
    for (const TDrawnLine& l : GridLines())
        EXPECT_NE(l.line.find("pen=808080"), std::string::npos) << l.line; // grey by default
}

TEST_F(AxisTicksTest, GridEveryNthTickAndCentred) {
    bottom->MinorTicks()->SetVisible(false);
    scene.Draw({bottom});
    const std::vector<int> t = bottom->TickPositions(); // 100, 80, ... 0: t[0] and t[5] at the ends
    ASSERT_EQ(t.size(), 6u);
    struct Case {
        int every;
        bool centred;
        std::vector<int> xs;
    } cases[] = {
        {1, false, {t[1], t[2], t[3], t[4]}},
        {2, false, {t[2], t[4]}},
        {1,
         true,
         {(t[0] + t[1]) / 2, (t[1] + t[2]) / 2, (t[2] + t[3]) / 2, (t[3] + t[4]) / 2,
          (t[4] + t[5]) / 2}},
        {2, true, {(t[1] + t[2]) / 2, (t[3] + t[4]) / 2}},
        {0, false, {t[1], t[2], t[3], t[4]}}, // at least every tick
    };
    for (const Case& c : cases) {
        bottom->Grid()->SetDrawEvery(c.every);
        bottom->SetGridCentered(c.centred);
        scene.Draw({bottom});
        EXPECT_EQ(GridXs(), c.xs) << c.every << (c.centred ? " centred" : "");
    }
}

// Which labels are drawn and which ticks they leave.
TEST_F(AxisTicksTest, TicksFollowTheLabels) {
    struct Case {
        bool labels, onAxis, tickOnLabelsOnly;
        std::vector<std::string> texts;
        size_t ticks;
    } cases[] = {
        {true, true, true, {"100", "80", "60", "40", "20", "0"}, 6},
        {true, true, false, {"100", "80", "60", "40", "20", "0"}, 6},
        // labels at the axis' ends are off the axis: not drawn, no ticks
        {true, false, true, {"80", "60", "40", "20"}, 4},
        {true, false, false, {"80", "60", "40", "20"}, 4},
        // hidden labels leave ticks only when ticks are not tied to drawn labels
        {false, true, true, {}, 0},
        {false, true, false, {}, 6},
    };
    for (const Case& c : cases) {
        bottom->SetLabels(c.labels);
        bottom->SetLabelsOnAxis(c.onAxis);
        bottom->SetTickOnLabelsOnly(c.tickOnLabelsOnly);
        scene.Draw({bottom});
        EXPECT_EQ(scene.TextsOnly(), c.texts);
        EXPECT_EQ(bottom->TickPositions().size(), c.ticks);
    }
}

// An axis no active series uses has no labels and no ticks, but its line.
TEST_F(AxisTicksTest, AxisWithoutSeriesDrawsItsLineOnly) {
    series.SetActive(false);
    EXPECT_EQ(bottom->EffectiveLabelStyle(), talNone);
    scene.Draw({bottom});
    EXPECT_TRUE(scene.Texts().empty());
    EXPECT_TRUE(bottom->TickPositions().empty());
    const std::vector<TDrawnLine> lines = scene.Lines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].from.Y, bottom->AxisPosition());
    EXPECT_FALSE(Vertical(lines[0]));
}

// MinorTickCount marks in each interval and beyond the first and last tick, at the values they
// stand for (to a pixel), only inside the axis.
TEST_F(AxisTicksTest, MinorTicksBetweenAndBeyond) {
    bottom->SetIncrement(30); // labels 90, 60, 30, 0
    bottom->Ticks()->SetVisible(false);
    bottom->TicksInner()->SetVisible(false);
    bottom->Grid()->SetVisible(false);
    bottom->Axis()->SetVisible(false);
    scene.Draw({bottom});
    ASSERT_EQ(bottom->TickPositions().size(), 4u);
    // Quarters of 30: beyond 90 only 97.5 lies on the axis, beyond 0 none.
    const std::vector<double> values{97.5, 82.5, 75, 67.5, 52.5, 45, 37.5, 22.5, 15, 7.5};
    std::vector<TDrawnLine> lines = scene.Lines();
    std::sort(lines.begin(), lines.end(),
              [](const TDrawnLine& a, const TDrawnLine& b) { return a.from.X > b.from.X; });
    ASSERT_EQ(lines.size(), values.size());
    for (size_t i = 0; i < values.size(); ++i) {
        EXPECT_LE(std::abs(lines[i].from.X - bottom->PixelOf(values[i])), 1) << values[i];
        EXPECT_EQ(lines[i].from.Y, bottom->AxisPosition() + 1);
        EXPECT_EQ(lines[i].to.Y, bottom->AxisPosition() + 1 + bottom->MinorTickLength());
    }

    // The minor grid runs across the chart at the same places.
    bottom->MinorTicks()->SetVisible(false);
    bottom->MinorGrid()->SetVisible(true);
    scene.Draw({bottom});
    std::vector<TDrawnLine> grid = scene.Lines();
    std::sort(grid.begin(), grid.end(),
              [](const TDrawnLine& a, const TDrawnLine& b) { return a.from.X > b.from.X; });
    ASSERT_EQ(grid.size(), values.size());
    for (size_t i = 0; i < grid.size(); ++i) {
        EXPECT_EQ(grid[i].from.X, lines[i].from.X);
        EXPECT_EQ(grid[i].from.Y, scene.chart.chartRect.Bottom - 1);
        EXPECT_EQ(grid[i].to.Y, scene.chart.chartRect.Top);
    }
}

// On a logarithmic axis the minor ticks divide each decade evenly.
TEST_F(AxisTicksTest, LogarithmicLabelsAndMinorTicks) {
    TChartAxis* left = scene.chart.LeftAxis();
    series.ClearValues();
    series.AddXYValue(0, 1);
    series.AddXYValue(1, 1000);
    left->SetLogarithmic(true);
    left->SetMinorTickCount(3);
    left->Ticks()->SetVisible(false);
    left->TicksInner()->SetVisible(false);
    left->Grid()->SetVisible(false);
    left->Axis()->SetVisible(false);
    scene.Fit({bottom, left});
    scene.Draw({left});
    EXPECT_EQ(scene.TextsOnly(),
              (std::vector<std::string>{"1", "10", "100", FormatFloat("#,##0.###", 1000)}));
    std::vector<int> expected;
    for (double decade : {1.0, 10.0, 100.0})
        for (int j = 1; j <= 3; ++j)
            expected.push_back(left->PixelOf(decade + j * 9 * decade / 4));
    std::vector<int> ys;
    for (const TDrawnLine& l : scene.Lines())
        ys.push_back(l.from.Y);
    std::sort(expected.begin(), expected.end());
    std::sort(ys.begin(), ys.end());
    EXPECT_EQ(ys, expected);
}

// A minimum of 0 on a logarithmic axis starts the labels at 0.1.
TEST_F(AxisTicksTest, LogarithmicFromZero) {
    TChartAxis* left = scene.chart.LeftAxis();
    series.ClearValues();
    series.AddXYValue(0, 0);
    series.AddXYValue(1, 1000);
    left->SetLogarithmic(true);
    scene.Fit({bottom, left});
    scene.Draw({left});
    std::vector<std::string> expected;
    for (double v : {0.1, 1.0, 10.0, 100.0, 1000.0})
        expected.push_back(FormatFloat("#,##0.###", v));
    EXPECT_EQ(scene.TextsOnly(), expected);
}

// A million label steps along the axis are too many to draw: none are, at once.
TEST_F(AxisTicksTest, TooManyLabelsDrawNone) {
    series.AddXYValue(1e6, 0);
    bottom->SetIncrement(1);
    bottom->SetLabelsSeparation(0); // the step is not widened to fit
    scene.Fit({bottom});
    scene.Draw({bottom});
    EXPECT_TRUE(scene.Texts().empty());
    EXPECT_TRUE(bottom->TickPositions().empty());
}

TEST_F(AxisTicksTest, ClickedOnTheAxisOrItsLabels) {
    scene.Draw({bottom});
    const int middle = (bottom->StartPixel() + bottom->EndPixel()) / 2;
    const int pos = bottom->AxisPosition();
    bottom->SetShown(false);
    EXPECT_FALSE(bottom->ClickedAt(middle, pos));
    bottom->SetShown(true);
    struct Case {
        int x, y;
        bool hit;
    } cases[] = {
        {middle, pos, true},
        {middle, pos - 3, true}, // 3 pixels inside the line
        {middle, pos - 4, false},
        {middle, bottom->LabelsPosition(), true},
        {middle, bottom->LabelsPosition() + 1, false},
        {bottom->StartPixel(), pos, true},
        {bottom->StartPixel() - 1, pos, false},
        {bottom->EndPixel() + 1, pos, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(bottom->ClickedAt(c.x, c.y), c.hit) << c.x << "," << c.y;
    // Without labels only the line's row counts.
    bottom->SetLabels(false);
    EXPECT_TRUE(bottom->ClickedAt(middle, pos));
    EXPECT_FALSE(bottom->ClickedAt(middle, pos - 1));
}

} // namespace
