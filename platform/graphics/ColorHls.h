#pragma once
// Colours in the hue, lightness and saturation scale of the colour dialog: each of the three in
// 0..240.

#include "platform/graphics/Color.h"

#include <cstdint>

struct THlsColor {
    std::uint16_t Hue = 0;
    std::uint16_t Lightness = 0;
    std::uint16_t Saturation = 0;
};

// A grey (no saturation) has the hue 160.
THlsColor ColorRGBToHLS(TColor color);
TColor ColorHLSToRGB(int hue, int lightness, int saturation);
