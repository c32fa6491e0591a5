#pragma once
// The gallery sub-style captions of the series types, as positions in the library's message
// table (ChartMsg), so that a replaced text shows in the gallery at once.

#include "chart/draw/ChartMessages.h"

#include <string>

enum TGalleryText : int {
    gtStack = 35,
    gtNoBorder = 179,
    gtDotted = 180,
    gtColors = 181,
    gtMarks = 183,
    gtStairs = 184,
    gtPoints = 185,
    gtHeight = 186,
    gtHollow = 187,
    gtPoint2D = 188,
    gtTriangle = 189,
    gtStar = 190,
    gtCircle = 191,
    gtDownTriangle = 192,
    gtCross = 193,
    gtDiamond = 194,
    gtNoLines = 195,
    gtStack100 = 196,
    gtPyramid = 197,
    gtEllipse = 198,
    gtInvPyramid = 199,
    gtSides = 200,
    gtSideAll = 201,
    gtPatterns = 202,
    gtExploded = 203,
    gtShadow = 204,
    gtSemiPie = 205,
    gtGradient = 231,
    gtSelfStacked = 245,
    gtDarkBorder = 246,
    gtOutline = 259,
    gtHexagon = 278,
};

inline const std::string& GalleryText(TGalleryText text) {
    return ChartMsg(text);
}
