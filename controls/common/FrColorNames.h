#pragma once
// Colour names for the colour pickers of the framed controls: the sixteen standard colours, the
// twenty-five classic system colours, and a palette of seventy named colours (forty RGB colours
// in eight columns by five rows, then thirty system colours).

#include "platform/graphics/Color.h"

#include <array>
#include <string>

struct TFrColorRec {
    std::string Name;
    TColor Color;
};

struct TColorData {
    TColor Color;
    std::string Name;
};

const std::array<TFrColorRec, 16>& StandardColors();
// System colour indexes 0..24 in order.
const std::array<TFrColorRec, 25>& SystemColors();
const TFrColorRec& DefaultColorRec();
const TFrColorRec& CustomColorRec();
const std::array<TColorData, 70>& ColorPalette();
