#include "chart/draw/DrawRoutines.h"

#include <algorithm>
#include <cmath>

namespace {

long long Cross(TPoint a, TPoint b, TPoint c) {
    return static_cast<long long>(a.X - b.X) * (c.Y - b.Y) -
           static_cast<long long>(c.X - b.X) * (a.Y - b.Y);
}

int Channel(int value) {
    return std::clamp(value, 0, 255);
}

} // namespace

bool IsBackFacing(TPoint p0, TPoint p1, TPoint p2) {
    return Cross(p0, p1, p2) < 0;
}

bool IsBackFacing(const TPointList& points, std::size_t i) {
    return IsBackFacing(points.at(i), points.at(i + 1), points.at(i + 2));
}

TRect NormalizeRect(TRect r) {
    if (r.Left > r.Right)
        std::swap(r.Left, r.Right);
    if (r.Top > r.Bottom)
        std::swap(r.Top, r.Bottom);
    return r;
}

void RectMiddle(const TRect& r, int& x, int& y) {
    x = static_cast<int>((static_cast<long long>(r.Left) + r.Right) / 2);
    y = static_cast<int>((static_cast<long long>(r.Top) + r.Bottom) / 2);
}

TRect PointsBounds(const TPointList& points) {
    if (points.empty())
        return {};
    TRect r{points[0].X, points[0].Y, points[0].X, points[0].Y};
    for (const TPoint& p : points) {
        r.Left = std::min(r.Left, p.X);
        r.Top = std::min(r.Top, p.Y);
        r.Right = std::max(r.Right, p.X);
        r.Bottom = std::max(r.Bottom, p.Y);
    }
    return r;
}

TRect PointsBoundsExclusive(const TPointList& points) {
    TRect r = PointsBounds(points);
    if (!points.empty()) {
        ++r.Right;
        ++r.Bottom;
    }
    return r;
}

std::array<std::uint8_t, 3> ColorToBytes(TColor color) {
    TColor c = ColorToRGB(color);
    return {GetBValue(c), GetGValue(c), GetRValue(c)};
}

TColor ColorDarker(TColor color, int amount) {
    TColor c = ColorToRGB(color);
    auto down = [amount](int channel) { return amount < channel ? channel - amount : 0; };
    return RGB(static_cast<std::uint8_t>(down(GetRValue(c))),
               static_cast<std::uint8_t>(down(GetGValue(c))),
               static_cast<std::uint8_t>(down(GetBValue(c))));
}

TColor ColorBrighter(TColor color, int amount) {
    TColor c = ColorToRGB(color);
    return RGB(static_cast<std::uint8_t>(Channel(GetRValue(c) + amount)),
               static_cast<std::uint8_t>(Channel(GetGValue(c) + amount)),
               static_cast<std::uint8_t>(Channel(GetBValue(c) + amount)));
}

bool HullOfPoints(TPointList& points) {
    if (points.size() == 3)
        return true;
    if (points.size() < 3)
        return false;
    std::size_t pivotIndex = 0;
    for (std::size_t i = 1; i < points.size(); ++i) {
        const TPoint& p = points[i];
        const TPoint& q = points[pivotIndex];
        if (p.Y < q.Y || (p.Y == q.Y && p.X > q.X))
            pivotIndex = i;
    }
    const TPoint pivot = points[pivotIndex];
    points[pivotIndex] = points.back();
    points.pop_back();
    // Keyed by the cosine of the angle seen from the pivot. Points on one ray come farthest
    // first, so that the first point, which the walk never removes, lies on the hull.
    auto key = [&pivot](const TPoint& p) {
        double dx = pivot.X - p.X;
        double dy = pivot.Y - p.Y;
        return dx == 0 && dy == 0 ? 0.0 : dx / std::hypot(dx, dy);
    };
    auto distance = [&pivot](const TPoint& p) {
        return std::hypot(double(pivot.X - p.X), double(pivot.Y - p.Y));
    };
    std::sort(points.begin(), points.end(), [&](const TPoint& a, const TPoint& b) {
        const double ka = key(a), kb = key(b);
        return ka != kb ? ka < kb : distance(a) > distance(b);
    });
    // The walk never steps below the second point, so it never reads before the list.
    std::size_t i = 1;
    while (i < points.size()) {
        const TPoint& a = points[i - 1];
        const TPoint& b = points[i];
        const TPoint& c = i + 1 < points.size() ? points[i + 1] : pivot;
        if (Cross(a, b, c) < 0) {
            ++i;
        } else {
            points.erase(points.begin() + static_cast<std::ptrdiff_t>(i));
            if (i > 1)
                --i;
        }
    }
    points.push_back(pivot);
    return true;
}
