#include "chart/tools/ToolDrawing.h"

#include "chart/axispanel/AxisPanel.h"
#include "chart/draw/PlotCanvas.h"

#include <algorithm>
#include <cmath>

TColor ChartBackgroundRGB(TCustomAxisPanel& chart) {
    const TColor color = chart.Color();
    return ColorToRGB(color == clDefault ? clBtnFace : color);
}

void DrawOverChart(TCustomAxisPanel& chart, bool duringDrawing,
                   const std::function<void(TCanvas3D&)>& draw) {
    if (duringDrawing) {
        if (TCanvas3D* canvas = chart.DrawCanvas())
            draw(*canvas);
        return;
    }
    // The whole window: the lines of a cursor span the axes, and in 3D they are projected.
    chart.DrawOverBuffer(chart.PanelRectangle(), draw);
}

TPointList EllipseOutline(const TRect& r) {
    const double cx = (r.Left + r.Right) / 2.0;
    const double cy = (r.Top + r.Bottom) / 2.0;
    const double rx = (r.Right - r.Left) / 2.0;
    const double ry = (r.Bottom - r.Top) / 2.0;
    const int corners = std::clamp(8 + static_cast<int>(std::max(rx, ry)), 8, 64);
    TPointList points;
    points.reserve(static_cast<std::size_t>(corners));
    for (int i = 0; i < corners; ++i) {
        const double angle = 2 * M_PI * i / corners;
        points.push_back(
            {RoundEven(cx + rx * std::cos(angle)), RoundEven(cy - ry * std::sin(angle))});
    }
    return points;
}

TPenModeScope::TPenModeScope(TCanvas3D& canvas, TPenMode mode) : canvas_(canvas) {
    canvas_.Pen()->SetMode(mode);
}

TPenModeScope::~TPenModeScope() {
    canvas_.Pen()->SetMode(pmCopy);
}
