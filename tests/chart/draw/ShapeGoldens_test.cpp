// The calls the depth shapes make on the platform canvas, compared line by line with the logs
// kept beside this file (goldens/<shape>.log), in one fixed view: perspective off, elevation and
// rotation 345, zoom 100. The logs were checked when they were made: faces and their order
// against the facing and shading rules, the point counts of cones and pie slices, the arrow's
// outline. Q4_WRITE_GOLDENS=1 in the environment writes them anew instead of comparing.

#include "tests/chart/support/CanvasCallLog.h"
#include "tests/chart/support/ChartTestSupport.h"

#include "chart/draw/DrawRoutines.h"
#include "chart/draw/View3DOptions.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>

namespace {

using charttest::TCanvasCallLog;

// The log of one drawing in the fixed view on a 200 x 160 chart.
std::string Recorded(const std::function<void(TPlotCanvas3D&)>& draw) {
    TBitmap target(200, 160);
    TView3DOptions options;
    options.SetOrthogonal(false);
    options.SetElevationValue(345);
    options.SetRotationValue(345);
    options.SetPerspective(0);
    options.SetZoom(100);
    TPlotCanvas3D canvas;
    canvas.SetBufferedDisplay(false);
    canvas.BeginDrawing(target.Canvas(), &options, true, {0, 0, 200, 160});
    canvas.SetProjectionCenter(40, {0, 0, 200, 160}, {0, 0, 200, 160});
    canvas.ResetAttributes();
    canvas.Brush()->SetColor(RGB(200, 180, 160));
    TCanvasCallLog log(*target.Canvas());
    draw(canvas);
    return log.Text();
}

std::string Golden(const std::string& name) {
    return std::string(Q4_GOLDEN_DIR) + "/" + name + ".log";
}

TEST(ShapeGoldens, DepthShapesDrawAsRecorded) {
    const std::pair<const char*, std::function<void(TPlotCanvas3D&)>> shapes[] = {
        {"box", [](TPlotCanvas3D& c) { c.BoxShape(10, 60, 10, 60, 0, 20, true); }},
        {"cone", [](TPlotCanvas3D& c) { c.ConeShape(true, 20, 20, 80, 100, 0, 40, true, 0); }},
        {"pyramid", [](TPlotCanvas3D& c) { c.PyramidShape(true, 20, 20, 80, 100, 0, 40, true); }},
        {"frustum",
         [](TPlotCanvas3D& c) {
             c.FrustumShape({20, 20, 80, 100}, 0, 40, 15, 10);
         }},
        {"pie-1",
         [](TPlotCanvas3D& c) {
             c.PieSliceSolid(100, 80, 50, 40, 0, 20, 0, DegToRad, true, true, 0, nullptr);
         }},
        {"pie-360",
         [](TPlotCanvas3D& c) {
             c.PieSliceSolid(100, 80, 50, 40, 0, 20, 0, 360 * DegToRad, true, true, 0, nullptr);
         }},
        {"arrow",
         [](TPlotCanvas3D& c) {
             c.ArrowShape(true, {10, 50}, {110, 70}, 20, 30, 5, 50);
         }},
    };
    const bool write = std::getenv("Q4_WRITE_GOLDENS") != nullptr;
    for (const auto& [name, draw] : shapes) {
        const std::string got = Recorded(draw);
        ASSERT_FALSE(got.empty()) << name;
        if (write) {
            std::ofstream(Golden(name), std::ios::binary) << got;
            continue;
        }
        std::ifstream file(Golden(name), std::ios::binary);
        ASSERT_TRUE(file) << "no log " << Golden(name);
        std::stringstream want;
        want << file.rdbuf();
        EXPECT_EQ(got, want.str()) << name;
    }
}

} // namespace
