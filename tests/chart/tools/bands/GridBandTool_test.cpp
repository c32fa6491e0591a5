#include "chart/core/ChartAxis.h"
#include "chart/tools/GridBandTool.h"
#include "tests/chart/support/ChartTestSupport.h"
#include "tests/chart/tools/pointer/ToolsTestSupport.h"

#include <algorithm>
#include <vector>

namespace {

using charttest::PixelAt;
using tooltest::DifferingPixels;

// Every colour is one of the two, and no two neighbours are the same.
void ExpectInTurn(const std::vector<TColor>& colors, TColor first, TColor second) {
    for (std::size_t i = 0; i < colors.size(); ++i) {
        EXPECT_TRUE(colors[i] == first || colors[i] == second) << i;
        if (i > 0) {
            EXPECT_NE(colors[i], colors[i - 1]) << i;
        }
    }
}

class GridBandToolTest : public tooltest::ToolChartFixture {
protected:
    // The axes are laid out and drawn only with a series on them.
    void SetUp() override {
        ToolChartFixture::SetUp();
        AddSeries({{0, 0}, {10, 100}});
    }
    TGridBandTool* AddGridBand(TChartAxis* axis, TColor first, TColor second) {
        auto* tool = new TGridBandTool(form);
        tool->SetAxis(axis);
        tool->Band1()->SetColor(first);
        tool->Band2()->SetColor(second);
        return tool;
    }
    // The colour in the middle of each space between the ticks of the axis, and beyond the
    // first and the last tick, in order along the axis.
    std::vector<TColor> BandColors(const QImage& picture, TChartAxis* axis) {
        std::vector<int> edges = axis->TickPositions();
        edges.push_back(axis->StartPixel());
        edges.push_back(axis->EndPixel());
        std::sort(edges.begin(), edges.end());
        edges.erase(std::unique(edges.begin(), edges.end()), edges.end());
        // Off the middle, where the other axis' grid lines lie.
        const TRect plot = chart->PlotRect();
        const int acrossX = (plot.Left + plot.Right) / 2 + 7;
        const int acrossY = (plot.Top + plot.Bottom) / 2 + 7;
        std::vector<TColor> colors;
        for (std::size_t i = 1; i < edges.size(); ++i) {
            const int along = (edges[i - 1] + edges[i]) / 2;
            colors.push_back(axis->Horizontal() ? PixelAt(picture, along, acrossY)
                                                : PixelAt(picture, acrossX, along));
        }
        return colors;
    }
};

TEST_F(GridBandToolTest, TheSpacesBetweenTheTicksTakeTheTwoBrushesInTurn) {
    for (TChartAxis* axis : {chart->LeftAxis(), chart->BottomAxis()}) {
        TGridBandTool* tool = AddGridBand(axis, clYellow, clAqua);
        const QImage picture = Repaint();
        ASSERT_GE(axis->TickPositions().size(), 3u);
        const std::vector<TColor> colors = BandColors(picture, axis);
        ASSERT_GE(colors.size(), 3u);
        ExpectInTurn(colors, clYellow, clAqua);
        tool->Free();
    }
}

TEST_F(GridBandToolTest, AxisWithTwoTicksGetsEveryBand) {
    chart->LeftAxis()->SetIncrement(60);
    AddGridBand(chart->LeftAxis(), clYellow, clAqua);
    const QImage picture = Repaint();
    ASSERT_EQ(chart->LeftAxis()->TickPositions().size(), 2u);
    const std::vector<TColor> colors = BandColors(picture, chart->LeftAxis());
    ASSERT_EQ(colors.size(), 2u);
    ExpectInTurn(colors, clYellow, clAqua);
}

TEST_F(GridBandToolTest, ClearBrushesDrawNothing) {
    const QImage plain = Repaint();
    TGridBandTool* tool = AddGridBand(chart->LeftAxis(), clYellow, clAqua);
    tool->Band1()->SetStyle(bsClear);
    tool->Band2()->SetStyle(bsClear);
    EXPECT_EQ(DifferingPixels(Repaint(), plain), 0);
    // One clear brush leaves every other space as it was.
    tool->Band2()->SetStyle(bsSolid);
    const std::vector<TColor> colors = BandColors(Repaint(), chart->LeftAxis());
    const std::vector<TColor> none = BandColors(plain, chart->LeftAxis());
    ASSERT_EQ(colors.size(), none.size());
    for (std::size_t i = 0; i < colors.size(); ++i) {
        if (colors[i] != clAqua) {
            EXPECT_EQ(colors[i], none[i]) << i;
        }
        if (i > 0) {
            EXPECT_TRUE((colors[i] == clAqua) != (colors[i - 1] == clAqua)) << i;
        }
    }
}

TEST_F(GridBandToolTest, ToolsSharingAnAxisKeepEachOthersHook) {
    TChartAxis* axis = chart->LeftAxis();
    TGridBandTool* first = AddGridBand(axis, clYellow, clAqua);
    EXPECT_TRUE(first->HoldsHook(axis));
    TGridBandTool* second = AddGridBand(axis, clLime, clFuchsia);
    EXPECT_FALSE(first->HoldsHook(axis));
    EXPECT_TRUE(second->HoldsHook(axis));
    // The first one going leaves the second one's hook.
    first->Free();
    EXPECT_TRUE(second->HoldsHook(axis));
    const std::vector<TColor> colors = BandColors(Repaint(), axis);
    EXPECT_TRUE(colors[0] == clLime || colors[0] == clFuchsia);
    // Moving to another axis takes the hook along.
    second->SetAxis(chart->BottomAxis());
    EXPECT_FALSE(static_cast<bool>(axis->BeforeGridHook));
    EXPECT_TRUE(second->HoldsHook(chart->BottomAxis()));
    second->Free();
    EXPECT_FALSE(static_cast<bool>(chart->BottomAxis()->BeforeGridHook));
}

TEST_F(GridBandToolTest, AnAxisThatGoesLeavesTheToolWithoutOne) {
    auto* custom = new TChartAxis(chart->CustomAxes());
    custom->SetMinMax(0, 100);
    TGridBandTool* tool = AddGridBand(custom, clYellow, clAqua);
    ASSERT_TRUE(tool->HoldsHook(custom));
    custom->Free();
    EXPECT_EQ(tool->Axis(), nullptr);
    Repaint();
    tool->Free();
}

} // namespace
