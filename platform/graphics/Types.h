#pragma once
// Points, sizes and rectangles in device pixels. A rectangle's Right and Bottom lie just outside
// it, as every drawing routine expects.

#include <algorithm>
#include <cstdint>

struct TPoint {
    int X = 0;
    int Y = 0;
    friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TSize {
    int cx = 0;
    int cy = 0;
    friend bool operator==(const TSize&, const TSize&) = default;
};

struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    TPoint TopLeft() const { return {Left, Top}; }
    TPoint BottomRight() const { return {Right, Bottom}; }
    bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    // True for a point inside; the right and bottom edges are outside.
    bool Contains(TPoint p) const {
        return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom;
    }
    friend bool operator==(const TRect&, const TRect&) = default;
};

inline TPoint Point(int x, int y) {
    return {x, y};
}
inline TRect Rect(int left, int top, int right, int bottom) {
    return {left, top, right, bottom};
}
inline TRect Bounds(int left, int top, int width, int height) {
    return {left, top, left + width, top + height};
}

inline bool PtInRect(const TRect& r, TPoint p) {
    return r.Contains(p);
}
inline bool IsRectEmpty(const TRect& r) {
    return r.IsEmpty();
}

inline void OffsetRect(TRect& r, int dx, int dy) {
    r.Left += dx;
    r.Right += dx;
    r.Top += dy;
    r.Bottom += dy;
}

inline void InflateRect(TRect& r, int dx, int dy) {
    r.Left -= dx;
    r.Right += dx;
    r.Top -= dy;
    r.Bottom += dy;
}

// The common part of a and b; an empty result is all zero and answers false.
inline bool IntersectRect(TRect& dst, const TRect& a, const TRect& b) {
    TRect r{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
            std::min(a.Bottom, b.Bottom)};
    if (r.IsEmpty()) {
        dst = TRect{};
        return false;
    }
    dst = r;
    return true;
}

// The smallest rectangle holding both; empty rectangles do not count.
inline bool UnionRect(TRect& dst, const TRect& a, const TRect& b) {
    if (a.IsEmpty()) {
        dst = b.IsEmpty() ? TRect{} : b;
    } else if (b.IsEmpty()) {
        dst = a;
    } else {
        dst = {std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
               std::max(a.Bottom, b.Bottom)};
    }
    return !dst.IsEmpty();
}

// a * b / c computed in 64 bits and rounded half away from zero; -1 when c is 0.
inline int MulDiv(int a, int b, int c) {
    if (c == 0)
        return -1;
    std::int64_t p = static_cast<std::int64_t>(a) * b;
    std::int64_t ac = c < 0 ? -static_cast<std::int64_t>(c) : c;
    bool negative = (p < 0) != (c < 0);
    std::int64_t ap = p < 0 ? -p : p;
    std::int64_t q = (ap + ac / 2) / ac;
    std::int64_t r = negative ? -q : q;
    if (r > INT32_MAX || r < INT32_MIN)
        return -1;
    return static_cast<int>(r);
}
