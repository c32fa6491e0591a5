#pragma once
// The fast line tests: a chart with fixed axes (bottom 0..10, left 0..100) whose canvas notes the
// line calls made while the series draws (and any made between drawings), and the same chart on
// a shown form for the drawing done as points are added.

#include "chart/control/Chart.h"
#include "chart/draw/PlotCanvas3D.h"
#include "chart/series/FastLineSeries.h"
#include "platform/forms/Forms.h"
#include "platform/graphics/Bitmap.h"

#include <QImage>

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace fastlinetest {

// A chart canvas noting "move x y", "line x y" (2D) and "move x y z", "line x y z" (at a depth,
// before the projection) made inside the series' drawing group, or outside any drawing.
class TLineLogCanvas : public TPlotCanvas3D {
public:
    std::string SeriesGroup = "Fast";
    std::vector<std::string> Calls;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void MoveToAtDepth(int x, int y, int z) override;
    void LineToAtDepth(int x, int y, int z) override;
    void BeginGroup(const std::string& name) override;
    void EndGroup() override;
    using TPlotCanvas3D::LineTo;
    using TPlotCanvas3D::MoveTo;
    // The "line" calls only.
    std::vector<std::string> Lines() const;

private:
    bool Noting() const;
    void Note(const std::string& call);
    std::vector<std::string> groups_;
    bool atDepth_ = false;
};

class FastLineFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // A fast line named "Fast" with these points, in the chart.
    TFastLineSeries* AddSeries(const std::vector<std::pair<double, double>>& points);
    // One drawing of the chart into a width x height bitmap; the log holds its series calls.
    void Draw(int width = 400, int height = 300);
    // The pixels of a point as the last drawing placed it.
    TPoint At(double x, double y) const;

    TComponent* owner = nullptr;
    TChart* chart = nullptr;
    TFastLineSeries* series = nullptr;
    TLineLogCanvas* log = nullptr;
    std::unique_ptr<TBitmap> bitmap;
};

// "move x y" / "line x y" of a pixel position.
std::string Move(TPoint p);
std::string Line(TPoint p);

// The window of a control as it is painted now (a due paint runs first).
QImage Grab(TWinControl* control);

} // namespace fastlinetest
