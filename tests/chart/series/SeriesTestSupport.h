#pragma once
// The line series tests: a 2D chart of 400 x 300 with fixed axes (bottom 0..10, left 0..100),
// drawn through a chart canvas that notes the lines, rectangles and polygons the series draw
// (only what is drawn inside a series' drawing group), and a way to ask Python for figures.

#include "chart/control/Chart.h"
#include "chart/draw/PlotCanvas3D.h"
#include "chart/series/LineSeries.h"
#include "chart/series/PointSeries.h"

#include <QImage>

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace seriestest {

struct TSegment {
    TPoint from, to;
    TColor color;
    int width;
};

struct TShape {
    std::vector<TPoint> points; // two corners of a rectangle, or a polygon's points
    TColor brush;
    bool rectangle;
};

// A chart canvas that keeps what the series draw.
class TSeriesCanvas : public TPlotCanvas3D {
public:
    std::vector<TSegment> Segments;
    std::vector<TShape> Shapes;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void Rectangle(int x0, int y0, int x1, int y1) override;
    using TPlotCanvas3D::Rectangle;
    void Polygon(const TPointList& points) override;
    void BeginGroup(const std::string& name) override;
    void EndGroup() override;

private:
    bool Recording() const;
    TPoint at_{0, 0};
    std::vector<std::string> groups_;
};

class SeriesFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    template <class S = TLineSeries>
    S* AddSeries(const std::vector<std::pair<double, double>>& points = {}) {
        auto* series = new S(owner);
        for (const auto& [x, y] : points)
            series->AddXYValue(x, y);
        series->SetParentChart(chart);
        return series;
    }
    // Draws the chart into a fresh bitmap; the canvas keeps what the series drew.
    void Draw(int width = 400, int height = 300);
    QImage Image() const;
    int PX(double x) const;
    int PY(double y) const;

    TComponent* owner = nullptr;
    TChart* chart = nullptr;
    TSeriesCanvas* canvas = nullptr;
    std::unique_ptr<TBitmap> bitmap;
};

// Runs a Python program with /usr/bin/python3 and answers what it printed.
std::string RunPython(const std::string& program);
// The whitespace-separated integers of a text.
std::vector<int> IntegersOf(const std::string& text);

} // namespace seriestest
