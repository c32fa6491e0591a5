#pragma once
// Free routines of the drawing layer: facing tests, rectangle and point-list helpers, colour
// shading and the convex hull.

#include "chart/draw/ChartTypes.h"

#include <array>
#include <cstdint>
#include <utility>

// True when the triangle p0, p1, p2 turns away from the viewer (Y grows downwards).
bool IsBackFacing(TPoint p0, TPoint p1, TPoint p2);
// The same for three consecutive points of a list, from index i.
bool IsBackFacing(const TPointList& points, std::size_t i);

inline TPoint MakePoint(int x, int y) {
    return {x, y};
}
inline TRect MakeRect(int left, int top, int right, int bottom) {
    return {left, top, right, bottom};
}
// Inclusive on all four sides.
inline bool RectContains(const TRect& r, int x, int y) {
    return x >= r.Left && x <= r.Right && y >= r.Top && y <= r.Bottom;
}
inline bool RectContains(const TRect& r, TPoint p) {
    return RectContains(r, p.X, p.Y);
}
TRect NormalizeRect(TRect r);
// The middle, truncating towards zero.
void RectMiddle(const TRect& r, int& x, int& y);
// Inclusive bounds; all zero for an empty list.
TRect PointsBounds(const TPointList& points);
// Bounds with Right and Bottom one past the largest coordinate.
TRect PointsBoundsExclusive(const TPointList& points);
// Blue, green, red.
std::array<std::uint8_t, 3> ColorToBytes(TColor color);
// Per channel of the RGB value: minus amount, not below 0.
TColor ColorDarker(TColor color, int amount);
// Per channel: plus amount, at most 255.
TColor ColorBrighter(TColor color, int amount);
inline void ExchangeIntegers(int& a, int& b) {
    std::swap(a, b);
}
inline void ExchangeDoubles(double& a, double& b) {
    std::swap(a, b);
}
// Replaces the list by its convex hull (collinear points left out), the pivot (smallest Y, the
// larger X on a tie) last. Three points stay as they are; fewer answer false.
bool HullOfPoints(TPointList& points);
