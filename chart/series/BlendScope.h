#pragma once
// Pieces the series' drawing shares: a see-through pass over a rectangle for as long as a scope
// lives, and the bounds of a few points.

#include "chart/draw/BlendScope.h"
#include "chart/draw/PlotCanvas.h"

#include <algorithm>
#include <cstdint>
#include <initializer_list>

// The smallest rectangle holding the points, grown by grow on every side.
inline TRect BoundsOf(std::initializer_list<TPoint> points, int grow) {
    TRect r{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
    for (const TPoint& p : points) {
        r.Left = std::min(r.Left, p.X);
        r.Top = std::min(r.Top, p.Y);
        r.Right = std::max(r.Right, p.X);
        r.Bottom = std::max(r.Bottom, p.Y);
    }
    return {r.Left - grow, r.Top - grow, r.Right + grow, r.Bottom + grow};
}
