// Prints the depth sizes the axis panel computes for a grid of plot widths, 3D percents and
// views, one case a line: "width percent orthogonal angle seriesDepthX seriesDepthY".

#include "chart/axispanel/AxisPanel.h"
#include "chart/core/ChartCore.h"
#include "platform/forms/Forms.h"
#include "tests/support/ProjectFonts.h"

#include <cstdio>

namespace {

// A chart without walls, titles or legend.
class TBareChart : public TCustomAxisPanel {
    Q4_CLASS(TBareChart, TCustomAxisPanel)
public:
    explicit TBareChart(TComponent* owner) : TCustomAxisPanel(owner) {}
    void ReserveWallRoom() override { ComputeDepthSizes(); }
    int WallSizeOfAxis(TChartAxis*) override { return 0; }
    void PaintTitlesAndLegend(bool) override {}
    void PaintWalls() override {}
    bool ColorIsFree(TColor, bool, TChartSeries*) override { return true; }
};

} // namespace

int main(int argc, char** argv) {
    UseProjectFontsOnly("chart-axispanel-fonts");
    TApplication app(argc, argv);
    StartChartCore();
    {
        TBareChart chart(nullptr);
        chart.SetView3D(true);
        for (int width = 1; width <= 1200; width += 7)
            for (int percent : {1, 10, 15, 33, 50, 77, 100}) {
                chart.SetChart3DPercent(percent);
                chart.SetPlotRect({0, 0, width, 100});
                chart.RecalcPlotSize();
                for (int angle : {10, 30, 45, 46, 60, 80, 90, 100, 135, 170, 0}) {
                    const bool orthogonal = angle != 0;
                    chart.View3DOptions()->SetOrthogonal(orthogonal);
                    if (orthogonal)
                        chart.View3DOptions()->SetOrthoAngle(angle);
                    chart.ComputeDepthSizes();
                    std::printf("%d %d %d %d %d %d\n", chart.PlotWidth(), percent,
                                orthogonal ? 1 : 0, angle, chart.SeriesDepth3DX(),
                                chart.SeriesDepth3DY());
                }
            }
    }
    StopChartCore();
    return 0;
}
