// The anti-alias canvas against an independent model of its walks: each case is drawn through
// the canvas into a 24-bit buffer and also described as JSON to antialias_reference.py, which
// draws it into a PPM file; the two must agree byte for byte.

#include "chart/draw/AntiAliasCanvas.h"
#include "tests/chart/support/ChartTestSupport.h"
#include "tests/chart/tools/antialias/AntiAliasTestSupport.h"

#include <gtest/gtest.h>

#include <QDir>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

using aatest::TDrawSurface;

const std::string kScript = Q4_SOURCE_DIR "/tests/chart/tools/antialias/antialias_reference.py";

struct TRgb {
    int r, g, b;
};

enum class TOp { Line, Arc, Ellipse };

struct TCase {
    std::string name;
    TOp op;
    std::vector<int> coords; // from and to, or the box
    double start = 0, end = 0;
    std::string style = "solid";
    int width = 1;
    TRgb color{200, 30, 60};
    int size = 24;
    TRgb background{255, 255, 255};
};

TPenStyle StyleNamed(const std::string& name) {
    if (name == "dash")
        return psDash;
    if (name == "dot")
        return psDot;
    if (name == "dashdot")
        return psDashDot;
    if (name == "dashdotdot")
        return psDashDotDot;
    if (name == "smalldots")
        return psAlternate; // how a chart pen with small dots comes to the canvas
    return psSolid;
}

std::string Json(const TCase& k) {
    std::ostringstream j;
    auto rgb = [](TRgb c) {
        return "[" + std::to_string(c.r) + ", " + std::to_string(c.g) + ", " + std::to_string(c.b) +
               "]";
    };
    auto pair = [&](int i) {
        return "[" + std::to_string(k.coords[i]) + ", " + std::to_string(k.coords[i + 1]) + "]";
    };
    auto box = [&] {
        return "[" + std::to_string(k.coords[0]) + ", " + std::to_string(k.coords[1]) + ", " +
               std::to_string(k.coords[2]) + ", " + std::to_string(k.coords[3]) + "]";
    };
    j << "{\"width\": " << k.size << ", \"height\": " << k.size
      << ", \"background\": " << rgb(k.background) << ", \"ops\": [";
    switch (k.op) {
    case TOp::Line:
        j << "{\"op\": \"line\", \"from\": " << pair(0) << ", \"to\": " << pair(2)
          << ", \"color\": " << rgb(k.color) << ", \"width\": " << k.width << ", \"style\": \""
          << k.style << "\"}";
        break;
    case TOp::Arc:
        j << "{\"op\": \"arc\", \"box\": " << box() << ", \"start\": " << k.start
          << ", \"end\": " << k.end << ", \"color\": " << rgb(k.color) << "}";
        break;
    case TOp::Ellipse:
        j << "{\"op\": \"ellipse\", \"box\": " << box() << ", \"color\": " << rgb(k.color) << "}";
        break;
    }
    j << "]}";
    return j.str();
}

std::vector<std::uint8_t> DrawnByCanvas(const TCase& k) {
    const TColor background = RGB(k.background.r, k.background.g, k.background.b);
    TDrawSurface s = TDrawSurface::Smoothed(k.size, k.size, background);
    s.UsePen(RGB(k.color.r, k.color.g, k.color.b), StyleNamed(k.style), k.width);
    TPlotCanvas3D& c = s.Canvas();
    const std::vector<int>& p = k.coords;
    switch (k.op) {
    case TOp::Line:
        c.MoveTo(p[0], p[1]);
        c.LineTo(p[2], p[3]);
        break;
    case TOp::Arc:
        c.ArcByAngles(p[0], p[1], p[2], p[3], k.start, k.end);
        break;
    case TOp::Ellipse:
        c.Ellipse(p[0], p[1], p[2], p[3]);
        break;
    }
    return s.Rgb();
}

// Runs the model through the chart tests' Python runner; empty when it wrote nothing.
std::vector<std::uint8_t> DrawnByModel(const TCase& k, const std::string& dir) {
    const std::string in = dir + "/" + k.name + ".json";
    const std::string out = dir + "/" + k.name + ".ppm";
    std::ofstream(in) << Json(k);
    std::remove(out.c_str());
    charttest::RunPython("import runpy, sys\nsys.argv = ['antialias_reference.py', '" + in +
                         "', '" + out + "']\nrunpy.run_path('" + kScript +
                         "', run_name='__main__')\n");
    return aatest::ReadPpm(out, k.size, k.size);
}

// Where the two differ, as "x,y canvas(r,g,b) model(r,g,b)" lines (the first few).
std::string Differences(const std::vector<std::uint8_t>& ours,
                        const std::vector<std::uint8_t>& model, int size) {
    std::ostringstream d;
    int shown = 0;
    for (int i = 0; i < size * size && shown < 12; ++i) {
        const std::size_t o = static_cast<std::size_t>(i) * 3;
        if (ours[o] == model[o] && ours[o + 1] == model[o + 1] && ours[o + 2] == model[o + 2])
            continue;
        d << "  " << i % size << "," << i / size << " canvas(" << int(ours[o]) << ","
          << int(ours[o + 1]) << "," << int(ours[o + 2]) << ") model(" << int(model[o]) << ","
          << int(model[o + 1]) << "," << int(model[o + 2]) << ")\n";
        ++shown;
    }
    return d.str();
}

std::vector<TCase> Cases() {
    std::vector<TCase> cases;
    // One-pixel lines in every octant from the middle, and back.
    const int ends[][2] = {{21, 14}, {14, 21}, {8, 22}, {2, 15}, {2, 8}, {9, 2}, {15, 1}, {22, 9}};
    int n = 0;
    for (const auto& e : ends) {
        const std::string name = "line_octant_" + std::to_string(n++);
        cases.push_back({name, TOp::Line, {12, 11, e[0], e[1]}});
        cases.push_back({name + "_back", TOp::Line, {e[0], e[1], 12, 11}});
    }
    cases.push_back({"line_diagonal", TOp::Line, {2, 3, 19, 20}});
    cases.push_back({"line_shallow", TOp::Line, {1, 5, 22, 7}, 0, 0, "solid", 1, {20, 90, 240}});
    cases.push_back({"line_dark_background",
                     TOp::Line,
                     {2, 17, 21, 4},
                     0,
                     0,
                     "solid",
                     1,
                     {250, 240, 10},
                     24,
                     {10, 20, 40}});
    // Two pixels wide (wider pens have plain inner lines, which the model leaves to the standard
    // canvas; AntiAliasCanvas_test compares those with their one-pixel lines).
    cases.push_back({"line_width2_flat", TOp::Line, {2, 3, 21, 12}, 0, 0, "solid", 2});
    cases.push_back({"line_width2_steep", TOp::Line, {4, 2, 11, 21}, 0, 0, "solid", 2});
    cases.push_back({"line_width2_backwards", TOp::Line, {21, 4, 2, 15}, 0, 0, "solid", 2});
    // Every dashed style, flat and steep.
    for (const char* style : {"dash", "dot", "dashdot", "dashdotdot", "smalldots"}) {
        cases.push_back(
            {std::string("line_") + style + "_flat", TOp::Line, {1, 4, 22, 13}, 0, 0, style});
        cases.push_back(
            {std::string("line_") + style + "_steep", TOp::Line, {20, 1, 9, 22}, 0, 0, style});
    }
    // Lines at the edges of the bitmap.
    cases.push_back({"line_from_left_edge", TOp::Line, {0, 3, 23, 10}});
    cases.push_back({"line_from_top_edge", TOp::Line, {3, 0, 10, 23}});
    cases.push_back({"line_corner_to_corner", TOp::Line, {0, 23, 23, 0}});
    cases.push_back({"line_along_bottom_right", TOp::Line, {23, 4, 18, 23}});
    cases.push_back({"line_top_left_diagonal", TOp::Line, {0, 0, 23, 23}});
    // Arcs: each quadrant, across quadrants, round zero, flat and tall boxes.
    const double arcs[][2] = {{0, 90},   {90, 180}, {180, 270}, {270, 360}, {30, 150},
                              {45, 315}, {300, 30}, {10, 350},  {200, 340}};
    n = 0;
    for (const auto& a : arcs)
        cases.push_back({"arc_" + std::to_string(n++), TOp::Arc, {2, 2, 21, 21}, a[0], a[1]});
    cases.push_back({"arc_flat", TOp::Arc, {1, 8, 22, 15}, 0, 180});
    cases.push_back({"arc_tall", TOp::Arc, {8, 1, 15, 22}, 180, 360});
    cases.push_back({"arc_small", TOp::Arc, {9, 9, 14, 14}, 0, 360});
    // Ellipses: small, round, flat, tall.
    cases.push_back({"ellipse_small", TOp::Ellipse, {9, 9, 14, 14}});
    cases.push_back({"ellipse_round", TOp::Ellipse, {2, 2, 21, 21}});
    cases.push_back({"ellipse_flat", TOp::Ellipse, {1, 8, 22, 15}});
    cases.push_back({"ellipse_tall", TOp::Ellipse, {8, 1, 15, 22}});
    cases.push_back({"ellipse_odd", TOp::Ellipse, {3, 5, 20, 16}});
    return cases;
}

TEST(AntiAliasReference, LinesArcsAndEllipsesMatchTheModelByteForByte) {
    if (!std::ifstream(kScript))
        GTEST_SKIP() << "the model " << kScript << " is not there";
    const std::string dir = Q4_BINARY_DIR "/chart-pictures/antialias-reference";
    QDir().mkpath(QString::fromStdString(dir));
    for (const TCase& k : Cases()) {
        SCOPED_TRACE(k.name);
        const std::vector<std::uint8_t> ours = DrawnByCanvas(k);
        aatest::WritePpm(dir + "/" + k.name + "-canvas.ppm", k.size, k.size, ours);
        const std::vector<std::uint8_t> model = DrawnByModel(k, dir);
        ASSERT_EQ(model.size(), ours.size()) << "the model wrote no picture; its input was\n"
                                             << Json(k);
        EXPECT_TRUE(ours == model) << Differences(ours, model, k.size);
    }
}

} // namespace
