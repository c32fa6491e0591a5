#pragma once
// The types every part of the chart library shares: its own errors, pixel rounding, point lists,
// gradient directions, line ends and transparencies, and the drawing layer's fixed amounts.

#include "platform/graphics/Color.h"
#include "platform/graphics/Types.h"
#include "platform/rtl/Exception.h"

#include <cmath>
#include <cstdint>
#include <vector>

Q4_EXCEPTION(ChartException, Exception);
Q4_EXCEPTION(EAbstractError, Exception);

// Rounds to the nearest integer, ties to the even neighbour, saturating at +-2^30 so that huge
// values and NaN (which gives 0) never reach an integer conversion. Every double that becomes a
// pixel coordinate in the chart library goes through here.
inline int RoundEven(double value) {
    constexpr double limit = 1073741824.0; // 2^30
    if (std::isnan(value))
        return 0;
    if (value >= limit)
        return static_cast<int>(limit);
    if (value <= -limit)
        return -static_cast<int>(limit);
    return static_cast<int>(std::nearbyint(value));
}

using TPointList = std::vector<TPoint>;

// A point in chart space: X and Y in pixels, Z a depth in pixels.
struct TPoint3D {
    int X = 0;
    int Y = 0;
    int Z = 0;
};

// Percent 0..100 of see-through.
using TPlotTransparency = int;

enum TPenEndStyle : std::uint8_t { esRound, esSquare, esFlat };

enum TGradientDirection : std::uint8_t {
    gdTopBottom,
    gdBottomTop,
    gdLeftRight,
    gdRightLeft,
    gdFromCenter,
    gdFromTopLeft,
    gdFromBottomLeft,
    gdRadial,
    gdDiagonalUp,
    gdDiagonalDown
};

// Background modes of the chart canvas.
constexpr int cbmTransparent = 1;
constexpr int cbmOpaque = 2;

// Shading of the side faces of 3D shapes.
constexpr int DarkSideAmount = 128;
constexpr int DarkerSideAmount = 64;
constexpr int CylinderSides = 16;
constexpr int DefaultConePercent = 0;
// Font quality of rotated text (antialiased).
constexpr int RotatedTextQuality = 4;
constexpr double DegToRad = 3.14159265358979323846 / 180.0;

#include "platform/classes/TypeInfo.h"
Q4_ENUM_NAMES(TPenEndStyle, "esRound", "esSquare", "esFlat");
Q4_ENUM_NAMES(TGradientDirection, "gdTopBottom", "gdBottomTop", "gdLeftRight", "gdRightLeft",
              "gdFromCenter", "gdFromTopLeft", "gdFromBottomLeft", "gdRadial", "gdDiagonalUp",
              "gdDiagonalDown");
// Units of a position or a margin: percent of the extent, or pixels.
Q4_ENUM(TPlotUnits, muPercent, muPixels);
