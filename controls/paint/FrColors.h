#pragma once
// Colour arithmetic of the framed controls: hue, saturation and lightness on a 0..240 scale,
// lighter and darker shades, blends, the three built-in office colour schemes and the gradient
// colour sets the controls pick from them.

#include "platform/classes/TypeInfo.h"
#include "platform/graphics/Color.h"
#include "platform/graphics/Types.h"

#include <cstdint>

Q4_ENUM(TFrGradientColorStyle, gcsSystem, gcsMSOffice, gcsCustom);

// Learnt once at start-up: whether the screen shows more than 256 colours, and which desktop
// colour scheme is active (0 blue, 1 olive, 2 silver). Tests may change both.
extern bool FullColorSupported;
extern std::uint8_t XPColorScheme;

// A width x height rectangle centred in r (halves rounded toward zero).
TRect RectCentredIn(const TRect& r, int width, int height);

void ColorToHueSatLum(TColor color, std::uint8_t& hue, std::uint8_t& saturation,
                      std::uint8_t& lightness);
std::uint8_t HueOfColor(TColor color);
// Hue 0..240 (239 and 240 are red, as 0 is); saturation and lightness 0..255, capped at white.
TColor HueSatLumToColor(std::uint8_t hue, std::uint8_t saturation, std::uint8_t lightness);

TColor DarkenColor(TColor color, std::uint8_t amount);
TColor LightenColor(TColor color, std::uint8_t amount);
// Negative amounts darken, positive lighten; 0 returns the colour as given (a system colour too).
TColor AdjustColorLightness(TColor color, int amount);
// weight / 255 of a and the rest of b, per channel.
TColor BlendColors(TColor a, TColor b, std::uint8_t weight);
bool ColorsAreSimilar(TColor a, TColor b);
TColor ContrastingHueColor(TColor color, std::uint8_t lightness);

// A colour of the desktop theme: 0 edit border, 1 and 2 explorer-bar texts, 3 explorer-bar
// fill, 4 explorer-bar background, 5 explorer-bar item fill, 6 group-box text; clBtnFace when
// the theme service is off, white for another kind.
TColor ThemedElementColor(int kind);

std::uint8_t ReadXPColorScheme();
bool HasFullColorDisplay();

void SelectionGradientColors(TFrGradientColorStyle style, TColor& frame, TColor& start,
                             TColor& stop);
void PanelGradientColors(TFrGradientColorStyle style, TColor& start, TColor& stop);
TColor PanelGradientFrameColor(TFrGradientColorStyle style);
void StatusBarGradientColors(TFrGradientColorStyle style, TColor& stop, TColor& start,
                             TColor& line);
void GroupBarGradientColors(TFrGradientColorStyle style, TColor& start, TColor& stop);
