// The anti-alias canvas' curves and shape outlines: arcs walked quarter by quarter once in x and
// once in y, the ellipse by the midpoint walk with its neighbours across the curve blended, and
// the outlines of pies, rounded rectangles, polygons and ring sectors built from those and from
// smoothed lines.

#include "chart/draw/AntiAliasCanvas.h"

#include <cmath>
#include <cstdint>

namespace {

// Radii beyond this are drawn by the standard canvas: a walk would take too long for a curve
// that is mostly outside any surface.
constexpr int kLargestRadius = 65536;

struct TBoxRadii {
    int rx, ry, cx, cy;
    bool Smoothable() const {
        return rx > 0 && ry > 0 && rx <= kLargestRadius && ry <= kLargestRadius;
    }
};

TBoxRadii RadiiOf(int left, int top, int right, int bottom) {
    const std::int64_t rx = (static_cast<std::int64_t>(right) - left) / 2;
    const std::int64_t ry = (static_cast<std::int64_t>(bottom) - top) / 2;
    if (rx <= 0 || ry <= 0 || rx > kLargestRadius || ry > kLargestRadius)
        return {0, 0, left, top};
    return {static_cast<int>(rx), static_cast<int>(ry), left + static_cast<int>(rx),
            top + static_cast<int>(ry)};
}

// A pen or brush style for a while; back afterwards, also when drawing raises.
template <class Tool, class Style> class TStyleScope {
public:
    TStyleScope(Tool* tool, Style style) : tool_(tool), saved_(tool->Style()) {
        tool_->SetStyle(style);
    }
    ~TStyleScope() { tool_->SetStyle(saved_); }
    TStyleScope(const TStyleScope&) = delete;
    TStyleScope& operator=(const TStyleScope&) = delete;

private:
    Tool* tool_;
    Style saved_;
};

int RoundHalfAway(double v) {
    return static_cast<int>(std::round(v));
}

constexpr double kPi = 3.14159265358979323846;

// Degrees to radians as degrees times pi over 180, and back.
double Radians(double degrees) {
    return degrees * kPi / 180;
}

double Degrees(double radians) {
    return radians * 180 / kPi;
}

} // namespace

template <class Draw> bool TAntiAliasCanvas::PrepareShape(TColor& color, Draw standard) {
    const bool solidPen = Pen()->Style() == psSolid;
    color = ColorToRGB(solidPen ? Pen()->Color() : Brush()->Color());
    if (solidPen) {
        TStyleScope<TPen, TPenStyle> cleared(Pen(), psClear);
        standard();
    } else {
        standard();
    }
    return solidPen || Brush()->Style() != bsClear;
}

void TAntiAliasCanvas::AnglesOfRadials(int left, int top, int right, int bottom, int x3, int y3,
                                       int x4, int y4, double& start, double& end) {
    const double cx = (static_cast<double>(left) + right) / 2;
    const double cy = (static_cast<double>(top) + bottom) / 2;
    // The angle of the ellipse's own parameter where the radial meets it (the arc walks by that
    // parameter), so that on a flattened box the outline ends on the radial the fill ends on.
    const double rx = std::max(1.0, std::fabs(static_cast<double>(right) - left) / 2);
    const double ry = std::max(1.0, std::fabs(static_cast<double>(bottom) - top) / 2);
    auto degrees = [=](int x, int y) {
        double a = Degrees(std::atan2((cy - y) / ry, (x - cx) / rx));
        return a < 0 ? a + 360 : a;
    };
    start = degrees(x3, y3);
    end = degrees(x4, y4);
    // One radial for both ends is the whole ellipse.
    if (end == start)
        end = start + 360;
}

// ---- arcs ---------------------------------------------------------------------------------------

void TAntiAliasCanvas::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
    if (!Smoothing() || Pen()->Style() == psClear || !RadiiOf(x1, y1, x2, y2).Smoothable()) {
        TPlotCanvas3D::Arc(x1, y1, x2, y2, x3, y3, x4, y4);
        return;
    }
    double start = 0, end = 0;
    AnglesOfRadials(x1, y1, x2, y2, x3, y3, x4, y4, start, end);
    ArcByAngles(x1, y1, x2, y2, start, end);
}

void TAntiAliasCanvas::ArcByAngles(int left, int top, int right, int bottom, double start,
                                   double end) {
    if (!Smoothing() || Pen()->Style() == psClear ||
        !RadiiOf(left, top, right, bottom).Smoothable()) {
        // The standard arc through its two radial points (never smoothed: the radii or the
        // pen say so).
        TPlotCanvas::ArcByAngles(left, top, right, bottom, start, end);
        return;
    }
    SmoothArc(left, top, right, bottom, start, end, ColorToRGB(Pen()->Color()));
}

void TAntiAliasCanvas::SmoothArc(int left, int top, int right, int bottom, double start, double end,
                                 TColor color) {
    const TBoxRadii b = RadiiOf(left, top, right, bottom);
    if (!b.Smoothable() || !std::isfinite(start) || !std::isfinite(end))
        return;
    color_ = color;
    // Counter-clockwise from start to end, at most once round.
    double span = end - start;
    if (span < 0)
        span = std::fmod(span, 360.0) + 360;
    if (span > 360)
        span = 360;
    double t = std::fmod(start, 360.0);
    if (t < 0)
        t += 360;
    const double stop = t + span;
    // Cut at the multiples of 90 degrees.
    while (t < stop) {
        const double q = std::floor(t / 90);
        const double u = std::min((q + 1) * 90, stop);
        ArcQuarterPiece(b.cx, b.cy, b.rx, b.ry, t, u, static_cast<int>(q) % 4);
        t = u;
    }
}

void TAntiAliasCanvas::ArcQuarterPiece(int cx, int cy, int rx, int ry, double t, double u,
                                       int quadrant) {
    PrepareRows();
    const double tr = Radians(t);
    const double ur = Radians(u);
    // Outward from the centre: up in the upper quadrants, right in the right-hand ones.
    const int outY = quadrant <= 1 ? -1 : 1;
    const int outX = quadrant == 0 || quadrant == 3 ? 1 : -1;
    const double rx2 = static_cast<double>(rx) * rx;
    const double ry2 = static_cast<double>(ry) * ry;

    // In x: the flat part, where the curve moves less than two pixels per column.
    const int xs = RoundHalfAway(rx * std::cos(tr));
    const int xe = static_cast<int>(std::trunc(rx * std::cos(ur)));
    int prev = 0;
    for (int x = xs, step = xe >= xs ? 1 : -1;; x += step) {
        const double y = ry * std::sqrt(std::max(0.0, 1 - static_cast<double>(x) * x / rx2));
        const int n = static_cast<int>(std::floor(y));
        if (x == xs || std::abs(n - prev) < 2) {
            const float w1 = static_cast<float>(y - n);
            BlendPixel(cx + x, cy + outY * n, w1);
            BlendPixel(cx + x, cy + outY * (n + 1), 1.0f - w1);
        }
        prev = n;
        if (x == xe)
            break;
    }
    // In y: the steep part, likewise by rows.
    const int ys = RoundHalfAway(ry * std::sin(tr));
    const int ye = static_cast<int>(std::trunc(ry * std::sin(ur)));
    for (int y = ys, step = ye >= ys ? 1 : -1;; y += step) {
        const double x = rx * std::sqrt(std::max(0.0, 1 - static_cast<double>(y) * y / ry2));
        const int n = static_cast<int>(std::floor(x));
        if (y == ys || std::abs(n - prev) < 2) {
            const float w1 = static_cast<float>(x - n);
            BlendPixel(cx + outX * n, cy - y, w1);
            BlendPixel(cx + outX * (n + 1), cy - y, 1.0f - w1);
        }
        prev = n;
        if (y == ye)
            break;
    }
}

// ---- ellipses -----------------------------------------------------------------------------------

void TAntiAliasCanvas::Ellipse(int x0, int y0, int x1, int y1) {
    if (!Smoothing() || !RadiiOf(x0, y0, x1, y1).Smoothable()) {
        TPlotCanvas3D::Ellipse(x0, y0, x1, y1);
        return;
    }
    TColor color = clBlack;
    if (PrepareShape(color, [&] { TPlotCanvas3D::Ellipse(x0, y0, x1, y1); }))
        SmoothEllipse(x0, y0, x1, y1, color);
}

void TAntiAliasCanvas::SmoothEllipse(int left, int top, int right, int bottom, TColor color) {
    const TBoxRadii b = RadiiOf(left, top, right, bottom);
    if (!b.Smoothable())
        return;
    color_ = color;
    PrepareRows();
    const double rx2 = static_cast<double>(b.rx) * b.rx;
    const double ry2 = static_cast<double>(b.ry) * b.ry;
    int x = 0;
    int y = b.ry;
    double dx = 0;
    double dy = 2 * rx2 * y;
    // The flat region, one column per step.
    double d1 = ry2 - rx2 * b.ry + 0.25 * rx2;
    while (dx < dy) {
        EllipsePoint(b.cx, b.cy, x, y, true);
        ++x;
        dx += 2 * ry2;
        if (d1 < 0) {
            d1 += dx + ry2;
        } else {
            --y;
            dy -= 2 * rx2;
            d1 += dx - dy + ry2;
        }
    }
    // The steep region, one row per step.
    double d2 = ry2 * (x + 0.5) * (x + 0.5) + rx2 * (y - 1.0) * (y - 1.0) - rx2 * ry2;
    while (y >= 0) {
        EllipsePoint(b.cx, b.cy, x, y, false);
        --y;
        dy -= 2 * rx2;
        if (d2 > 0) {
            d2 += rx2 - dy;
        } else {
            ++x;
            dx += 2 * ry2;
            d2 += dx - dy + rx2;
        }
    }
}

void TAntiAliasCanvas::EllipsePoint(int cx, int cy, int x, int y, bool flatRegion) {
    // The outward neighbours: in the flat region the horizontal one takes 0.4 and the vertical
    // one 0.6, in the steep region the other way round.
    static constexpr int kMirrors[4][2] = {{1, -1}, {-1, -1}, {-1, 1}, {1, 1}};
    for (const auto& m : kMirrors) {
        const int px = cx + m[0] * x;
        const int py = cy + m[1] * y;
        PutPixel(px, py);
        if (flatRegion) {
            BlendPixel(px + m[0], py, 0.4f);
            BlendPixel(px, py + m[1], 0.6f);
        } else {
            BlendPixel(px, py + m[1], 0.4f);
            BlendPixel(px + m[0], py, 0.6f);
        }
    }
}

// ---- shapes -------------------------------------------------------------------------------------

void TAntiAliasCanvas::Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
    const TBoxRadii b = RadiiOf(x1, y1, x2, y2);
    if (!Smoothing() || !b.Smoothable()) {
        TPlotCanvas3D::Pie(x1, y1, x2, y2, x3, y3, x4, y4);
        return;
    }
    TColor color = clBlack;
    if (!PrepareShape(color, [&] { TPlotCanvas3D::Pie(x1, y1, x2, y2, x3, y3, x4, y4); }))
        return;
    double start = 0, end = 0;
    AnglesOfRadials(x1, y1, x2, y2, x3, y3, x4, y4, start, end);
    SmoothArc(x1, y1, x2, y2, start, end, color);
    auto onArc = [&b](double degrees) {
        const double a = Radians(degrees);
        return TPoint{b.cx + RoundEven(b.rx * std::cos(a)), b.cy - RoundEven(b.ry * std::sin(a))};
    };
    const TPoint p0 = onArc(start);
    const TPoint p1 = onArc(end);
    SmoothLine(b.cx, b.cy, p0.X, p0.Y, color);
    SmoothLine(b.cx, b.cy, p1.X, p1.Y, color);
}

void TAntiAliasCanvas::RoundRect(int x0, int y0, int x1, int y1, int w, int h) {
    if (!Smoothing()) {
        TPlotCanvas3D::RoundRect(x0, y0, x1, y1, w, h);
        return;
    }
    TColor color = clBlack;
    if (!PrepareShape(color, [&] { TPlotCanvas3D::RoundRect(x0, y0, x1, y1, w, h); }))
        return;
    const int right = x1 - 1;
    const int bottom = y1 - 1;
    const int cw = 2 * (w / 2);
    const int ch = 2 * (h / 2);
    if (right - x0 < cw || bottom - y0 < ch) {
        if (RadiiOf(x0, y0, right, bottom).Smoothable())
            SmoothEllipse(x0, y0, right, bottom, color);
        return;
    }
    SmoothLine(x0 + cw / 2, y0, right - cw / 2, y0, color);
    SmoothLine(x0 + cw / 2, bottom, right - cw / 2, bottom, color);
    SmoothLine(x0, y0 + ch / 2, x0, bottom - ch / 2, color);
    SmoothLine(right, y0 + ch / 2, right, bottom - ch / 2, color);
    if (cw <= 0 || ch <= 0)
        return;
    SmoothArc(right - cw, y0, right, y0 + ch, 0, 90, color);
    SmoothArc(x0, y0, x0 + cw, y0 + ch, 90, 180, color);
    SmoothArc(x0, bottom - ch, x0 + cw, bottom, 180, 270, color);
    SmoothArc(right - cw, bottom - ch, right, bottom, 270, 360, color);
}

void TAntiAliasCanvas::Polygon(const TPointList& points) {
    if (!Smoothing() || points.size() < 2) {
        TPlotCanvas3D::Polygon(points);
        return;
    }
    TColor color = clBlack;
    if (!PrepareShape(color, [&] { TPlotCanvas3D::Polygon(points); }))
        return;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const TPoint& a = points[i];
        const TPoint& b = points[(i + 1) % points.size()];
        SmoothLine(a.X, a.Y, b.X, b.Y, color);
    }
}

void TAntiAliasCanvas::RingSector(int cx, int cy, int rx, int ry, double start, double end,
                                  double holePercent) {
    TPlotCanvas3D::RingSector(cx, cy, rx, ry, start, end, holePercent);
    if (!Smoothing() || Pen()->Style() == psClear)
        return;
    const TColor color = ColorToRGB(Pen()->Color());
    const double from = Degrees(start);
    const double to = Degrees(end);
    SmoothArc(cx - rx, cy - ry, cx + rx, cy + ry, from, to, color);
    const int irx = RoundEven(rx * holePercent * 0.01);
    const int iry = RoundEven(ry * holePercent * 0.01);
    SmoothArc(cx - irx, cy - iry, cx + irx, cy + iry, from, to, color);
}
