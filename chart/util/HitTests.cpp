#include "chart/util/HitTests.h"

#include "chart/draw/ChartTypes.h"

#include <cmath>

double DistanceToSegment(TPoint p, TPoint a, TPoint b) {
    const double px = p.X, py = p.Y;
    if (a == b)
        return std::hypot(px - a.X, py - a.Y);
    const double dx = b.X - a.X, dy = b.Y - a.Y;
    const double t = ((px - a.X) * dx + (py - a.Y) * dy) / (dx * dx + dy * dy);
    if (t < 0)
        return std::hypot(px - a.X, py - a.Y);
    if (t > 1)
        return std::hypot(px - b.X, py - b.Y);
    return std::hypot(px - (a.X + t * dx), py - (a.Y + t * dy));
}

bool PointNearSegment(TPoint p, TPoint a, TPoint b, int tolerance) {
    return p == a || p == b || DistanceToSegment(p, a, b) <= tolerance + 1;
}

bool PointInsidePolygon(TPoint p, const std::vector<TPoint>& points) {
    bool inside = false;
    const std::size_t n = points.size();
    for (std::size_t i = 0, j = n - 1; i < n; j = i++) {
        const TPoint& a = points[i];
        const TPoint& b = points[j];
        if (((p.Y >= a.Y && p.Y < b.Y) || (p.Y >= b.Y && p.Y < a.Y)) &&
            p.X < static_cast<double>(b.X - a.X) * (p.Y - a.Y) / (b.Y - a.Y) + a.X)
            inside = !inside;
    }
    return inside;
}

bool PointInsideTriangle(TPoint p, int x0, int x1, int y0, int y1) {
    return PointInsidePolygon(p, {{x0, y0}, {(x0 + x1) / 2, y1}, {x1, y0}});
}

bool PointInsideSideTriangle(TPoint p, int y0, int y1, int x0, int x1) {
    return PointInsidePolygon(p, {{x1, y0}, {x0, (y0 + y1) / 2}, {x1, y1}});
}

bool PointInsideEllipse(TPoint p, int left, int top, int right, int bottom) {
    const int cx = (left + right) / 2;
    const int cy = (top + bottom) / 2;
    const double rx2 = static_cast<double>(cx - left) * (cx - left);
    const double ry2 = static_cast<double>(cy - top) * (cy - top);
    if (rx2 == 0 || ry2 == 0)
        return false;
    const double dx = p.X - cx, dy = p.Y - cy;
    return dx * dx / rx2 + dy * dy / ry2 <= 1;
}

double Hypotenuse(double a, double b) {
    return std::sqrt(a * a + b * b);
}

TPoint PointBackFromEnd(TPoint from, TPoint to, int distance) {
    if (from.X == to.X)
        return {to.X, from.Y < to.Y ? to.Y - distance : to.Y + distance};
    const double a = std::atan2(to.Y - from.Y, to.X - from.X);
    return {to.X - RoundEven(distance * std::cos(a)), to.Y - RoundEven(distance * std::sin(a))};
}
