#pragma once
// The pie tests: a chart of 400 x 300 drawn through a chart canvas that keeps the slices the
// series draw (2D pies and 3D slices, with the group each fell in), written to PNG files when
// asked, and a way to ask Python for figures.

#include "chart/control/Chart.h"
#include "chart/draw/PlotCanvas3D.h"
#include "chart/series/PieSeries.h"
#include "tests/chart/support/ChartTestSupport.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace pietest {

struct TSliceCall {
    std::string group; // the slice's index as the drawing named its group
    bool solid;        // a 3D slice (else a 2D pie)
    TRect bounds;      // 2D: the ellipse's rectangle
    TPoint from, to;   // 2D: the radial ends
    int cx, cy, rx, ry;
    double start, end; // 3D: angles in radians
    TColor brush;
    TColor pen;
    bool penVisible;
};

class TPieCanvas : public TPlotCanvas3D {
public:
    std::vector<TSliceCall> Slices;
    void Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) override;
    void PieSliceSolid(int cx, int cy, int rx, int ry, int depthA, int depthB, double start,
                       double end, bool darkSides, bool drawSides, int donutPercent,
                       TCustomPlotGradient* gradient) override;
    void BeginGroup(const std::string& name) override;
    void EndGroup() override;

private:
    std::vector<std::string> groups_;
};

class PieFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    TPieSeries* AddPie(const std::vector<double>& values = {},
                       const std::vector<std::string>& labels = {});
    // Draws the chart into a fresh bitmap; the canvas keeps what the series drew.
    void Draw(int width = 400, int height = 300);
    // Writes the last drawing to <build>/chart-pictures/<name>.png; answers the path.
    std::string SavePicture(const std::string& name);

    TComponent* owner = nullptr;
    TChart* chart = nullptr;
    TPieCanvas* canvas = nullptr;
    std::unique_ptr<TBitmap> bitmap;
};

using charttest::RunPython;

} // namespace pietest
