#pragma once
// A set of pixels for clipping: rectangles, ellipses, rounded rectangles and polygons, combined
// with and, or, xor and difference. Coordinates are device pixels; right and bottom edges are
// outside, as for rectangles.

#include "platform/graphics/Types.h"

#include <memory>
#include <vector>

class QRegion;

enum TPolyFillMode : std::uint8_t { ALTERNATE = 1, WINDING = 2 };

enum TRegionCombine : std::uint8_t {
    RGN_AND = 1,
    RGN_OR = 2,
    RGN_XOR = 3,
    RGN_DIFF = 4,
    RGN_COPY = 5
};

class TRegion {
public:
    TRegion();
    explicit TRegion(const TRect& rect);
    TRegion(const TRegion& other);
    TRegion& operator=(const TRegion& other);
    ~TRegion();

    static TRegion Ellipse(const TRect& box);
    static TRegion RoundRect(const TRect& box, int cornerWidth, int cornerHeight);
    static TRegion Polygon(const std::vector<TPoint>& points, TPolyFillMode mode = ALTERNATE);

    bool IsEmpty() const;
    // True when the region is one rectangle.
    bool IsSimple() const;
    bool Contains(TPoint p) const;
    // The smallest rectangle holding every pixel of the region (all zero when empty).
    TRect BoundingBox() const;
    void Offset(int dx, int dy);
    // this := this <op> other; RGN_COPY takes other.
    void Combine(const TRegion& other, TRegionCombine op);
    friend bool operator==(const TRegion& a, const TRegion& b);

private:
    friend struct TRegionQt; // the platform's Qt side (Region_p.h)
    explicit TRegion(const QRegion& region);

    std::unique_ptr<QRegion> region_;
};
