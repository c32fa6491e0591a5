#include "chart/core/ChartAxis.h"
#include "chart/draw/PlotCanvas.h"
#include "chart/tools/ClipSeriesTool.h"
#include "tests/chart/tools/pointer/ToolsTestSupport.h"

namespace {

constexpr QRgb kBlue = 0xFF0000FF;
constexpr QRgb kRed = 0xFFFF0000;

// The left axis takes the lower half of the plot; series rising beyond its maximum run into the
// upper half, which is still inside the plot rectangle.
class ClipSeriesToolTest : public tooltest::ToolChartFixture {
protected:
    void SetUp() override {
        ToolChartFixture::SetUp();
        chart->LeftAxis()->SetStartPosition(50);
    }
    TLineSeries* AddColoured(TColor color, double peak) {
        TLineSeries* series = AddSeries({{0, 50}, {5, peak}, {10, 50}});
        series->SetSeriesColor(color);
        return series;
    }
    // Pixels of the colour above and below the axis' start.
    std::pair<int, int> CountAboveAndBelow(const QImage& image, QRgb color) const {
        const int start = chart->LeftAxis()->StartPixel();
        std::pair<int, int> counts;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) == color)
                    ++(y < start ? counts.first : counts.second);
        return counts;
    }
};

TEST_F(ClipSeriesToolTest, ItsSeriesStaysWithinTheAxesAndOtherSeriesDoNot) {
    TLineSeries* clipped = AddColoured(clBlue, 190);
    AddColoured(clRed, 180);
    const QImage free = Repaint();
    ASSERT_GT(CountAboveAndBelow(free, kBlue).first, 0);

    auto* tool = new TClipSeriesTool(form);
    tool->SetParentChart(chart);
    tool->SetSeries(clipped);
    const QImage image = Repaint();
    const auto [blueAbove, blueBelow] = CountAboveAndBelow(image, kBlue);
    EXPECT_EQ(blueAbove, 0);
    EXPECT_GT(blueBelow, 0);
    EXPECT_EQ(CountAboveAndBelow(image, kRed), CountAboveAndBelow(free, kRed));
    // Every clip the drawing made was taken away again.
    EXPECT_EQ(chart->DrawCanvas()->ClipDepth(), 0);

    EXPECT_EQ(tool->AxesRect(),
              (TRect{chart->BottomAxis()->StartPixel(), chart->LeftAxis()->StartPixel(),
                     chart->BottomAxis()->EndPixel(), chart->LeftAxis()->EndPixel()}));
}

TEST_F(ClipSeriesToolTest, AToolWithoutASeriesOrInactiveClipsNothing) {
    AddColoured(clBlue, 190);
    const QImage free = Repaint();
    auto* tool = new TClipSeriesTool(form);
    tool->SetParentChart(chart);
    EXPECT_EQ(tooltest::DifferingPixels(free, Repaint()), 0);
    tool->SetSeries(chart->SeriesAt(0));
    tool->SetActive(false);
    EXPECT_EQ(tooltest::DifferingPixels(free, Repaint()), 0);
}

} // namespace
