#pragma once
// Hit tests in integer pixel coordinates and small geometric routines shared by the chart.

#include "platform/graphics/Types.h"

#include <vector>

// The distance from p to the nearest point of the segment a-b.
double DistanceToSegment(TPoint p, TPoint a, TPoint b);
// p is an end, or within tolerance + 1 pixels of the segment a-b.
bool PointNearSegment(TPoint p, TPoint a, TPoint b, int tolerance = 0);
// Even-odd rule; false for an empty polygon.
bool PointInsidePolygon(TPoint p, const std::vector<TPoint>& points);
// Inside the triangle (x0, y0), ((x0 + x1) div 2, y1), (x1, y0).
bool PointInsideTriangle(TPoint p, int x0, int x1, int y0, int y1);
// Inside the triangle (x1, y0), (x0, (y0 + y1) div 2), (x1, y1).
bool PointInsideSideTriangle(TPoint p, int y0, int y1, int x0, int x1);
// Inside the ellipse of the box; false when the box has no width or no height.
bool PointInsideEllipse(TPoint p, int left, int top, int right, int bottom);
double Hypotenuse(double a, double b);
// The point distance pixels back from to towards from.
TPoint PointBackFromEnd(TPoint from, TPoint to, int distance);
