#include "platform/graphics/ColorHls.h"

#include <algorithm>

namespace {

constexpr int HlsMax = 240;
constexpr int RgbMax = 255;
constexpr int UndefinedHue = HlsMax * 2 / 3;

int HueToRgb(int n1, int n2, int hue) {
    if (hue < 0)
        hue += HlsMax;
    if (hue > HlsMax)
        hue -= HlsMax;
    if (hue < HlsMax / 6)
        return n1 + ((n2 - n1) * hue + HlsMax / 12) / (HlsMax / 6);
    if (hue < HlsMax / 2)
        return n2;
    if (hue < HlsMax * 2 / 3)
        return n1 + ((n2 - n1) * (HlsMax * 2 / 3 - hue) + HlsMax / 12) / (HlsMax / 6);
    return n1;
}

std::uint8_t Channel(int v) {
    return static_cast<std::uint8_t>(std::clamp(v, 0, RgbMax));
}

} // namespace

THlsColor ColorRGBToHLS(TColor color) {
    const TColor rgb = ColorToRGB(color);
    const int r = GetRValue(rgb), g = GetGValue(rgb), b = GetBValue(rgb);
    const int top = std::max({r, g, b});
    const int bottom = std::min({r, g, b});
    THlsColor out;
    out.Lightness = static_cast<std::uint16_t>(((top + bottom) * HlsMax + RgbMax) / (2 * RgbMax));
    if (top == bottom) {
        out.Hue = UndefinedHue;
        return out;
    }
    const int span = top - bottom;
    const int sum = top + bottom;
    out.Saturation = static_cast<std::uint16_t>(out.Lightness <= HlsMax / 2
                                                    ? (span * HlsMax + sum / 2) / sum
                                                    : (span * HlsMax + (2 * RgbMax - sum) / 2) /
                                                          (2 * RgbMax - sum));
    const int dr = ((top - r) * (HlsMax / 6) + span / 2) / span;
    const int dg = ((top - g) * (HlsMax / 6) + span / 2) / span;
    const int db = ((top - b) * (HlsMax / 6) + span / 2) / span;
    int hue = r == top ? db - dg : g == top ? HlsMax / 3 + dr - db : 2 * HlsMax / 3 + dg - dr;
    if (hue < 0)
        hue += HlsMax;
    if (hue > HlsMax)
        hue -= HlsMax;
    out.Hue = static_cast<std::uint16_t>(hue);
    return out;
}

TColor ColorHLSToRGB(int hue, int lightness, int saturation) {
    if (saturation == 0) {
        const std::uint8_t grey = Channel(lightness * RgbMax / HlsMax);
        return RGB(grey, grey, grey);
    }
    const int m2 = lightness <= HlsMax / 2
                       ? (lightness * (HlsMax + saturation) + HlsMax / 2) / HlsMax
                       : lightness + saturation - (lightness * saturation + HlsMax / 2) / HlsMax;
    const int m1 = 2 * lightness - m2;
    auto channel = [&](int h) {
        return Channel((HueToRgb(m1, m2, h) * RgbMax + HlsMax / 2) / HlsMax);
    };
    return RGB(channel(hue + HlsMax / 3), channel(hue), channel(hue - HlsMax / 3));
}
