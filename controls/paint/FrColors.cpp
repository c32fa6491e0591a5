#include "controls/paint/FrColors.h"

#include "platform/graphics/Themes.h"
#include "platform/rtl/Registry.h"
#include "platform/rtl/Strings.h"

#include <algorithm>
#include <cmath>

bool FullColorSupported = HasFullColorDisplay();
std::uint8_t XPColorScheme = 0;

namespace {
// The scheme is learnt once at start-up; a stand-in registry that cannot be read means blue.
[[maybe_unused]] const bool kSchemeRead = [] {
    try {
        XPColorScheme = ReadXPColorScheme();
    } catch (const std::exception&) {
        XPColorScheme = 0;
    }
    return true;
}();
} // namespace

namespace {

enum SchemeEntry {
    seSelectionFrame,
    seSelectionStart,
    seSelectionStop,
    sePanelStart,
    sePanelStop,
    sePanelFrame,
    seGroupBarStart,
    seGroupBarStop,
    seCount
};

constexpr TColor kSchemeColors[3][seCount] = {
    {RGB(0, 0, 128), RGB(255, 238, 194), RGB(255, 217, 160), RGB(227, 239, 255), RGB(153, 187, 234),
     RGB(87, 127, 191), RGB(123, 162, 231), RGB(99, 117, 214)},
    {RGB(63, 93, 56), RGB(255, 238, 194), RGB(255, 217, 160), RGB(255, 255, 237),
     RGB(184, 199, 146), RGB(127, 161, 119), RGB(204, 217, 173), RGB(165, 189, 132)},
    {RGB(75, 75, 111), RGB(255, 238, 194), RGB(255, 217, 160), RGB(249, 249, 255),
     RGB(189, 188, 208), RGB(159, 159, 177), RGB(196, 200, 212), RGB(177, 179, 200)},
};

bool OfficeColors(TFrGradientColorStyle style) {
    return style == gcsMSOffice && ThemeServicesEnabled();
}

TColor Scheme(SchemeEntry entry) {
    return kSchemeColors[XPColorScheme < 3 ? XPColorScheme : 0][entry];
}

std::uint8_t RoundByte(double v) {
    return static_cast<std::uint8_t>(std::nearbyint(std::clamp(v, 0.0, 255.0)));
}

} // namespace

TRect RectCentredIn(const TRect& r, int width, int height) {
    const int left = (r.Left + r.Right - width) / 2;
    const int top = (r.Top + r.Bottom - height) / 2;
    return Rect(left, top, left + width, top + height);
}

void ColorToHueSatLum(TColor color, std::uint8_t& hue, std::uint8_t& saturation,
                      std::uint8_t& lightness) {
    const TColor rgb = ColorToRGB(color);
    const double r = GetRValue(rgb) / 255.0, g = GetGValue(rgb) / 255.0, b = GetBValue(rgb) / 255.0;
    const double mx = std::max({r, g, b}), mn = std::min({r, g, b});
    const double l = (mx + mn) / 2;
    double h = 0, s = 0;
    if (mx != mn) {
        const double d = mx - mn;
        s = l < 0.5 ? d / (mx + mn) : d / (2 - mx - mn);
        if (r == mx)
            h = (g - b) / d;
        else if (g == mx)
            h = (b - r) / d + 2;
        else
            h = (r - g) / d + 4;
        h /= 6;
        if (h < 0)
            h += 1;
    }
    hue = RoundByte(h * 240);
    saturation = RoundByte(s * 240);
    lightness = RoundByte(l * 240);
}

std::uint8_t HueOfColor(TColor color) {
    std::uint8_t h, s, l;
    ColorToHueSatLum(color, h, s, l);
    return h;
}

TColor HueSatLumToColor(std::uint8_t hue, std::uint8_t saturation, std::uint8_t lightness) {
    const double l = lightness / 240.0, s = saturation / 240.0;
    const double v = l >= 0.5 ? l + s - l * s : l * (1 + s);
    if (v <= 0)
        return clBlack;
    double h6 = hue / 239.0 * 6;
    int sextant = static_cast<int>(h6);
    if (sextant >= 6) {
        // Hue bytes from 239 up are red, exactly as hue 0.
        sextant = 0;
        h6 = 0;
    }
    const double m = 2 * l - v;
    const double vsf = v * ((v - m) / v) * (h6 - sextant);
    const double mid1 = m + vsf, mid2 = v - vsf;
    double r, g, b;
    switch (sextant) {
    case 0:
        r = v, g = mid1, b = m;
        break;
    case 1:
        r = mid2, g = v, b = m;
        break;
    case 2:
        r = m, g = v, b = mid1;
        break;
    case 3:
        r = m, g = mid2, b = v;
        break;
    case 4:
        r = mid1, g = m, b = v;
        break;
    default:
        r = v, g = m, b = mid2;
        break;
    }
    auto channel = [](double c) { return RoundByte(std::min(c, 1.0) * 255); };
    return RGB(channel(r), channel(g), channel(b));
}

namespace {
// The colour with its lightness moved by `delta`, kept within 0..255 (above 240 is white).
TColor ShiftLightness(TColor color, int delta) {
    std::uint8_t h, s, l;
    ColorToHueSatLum(color, h, s, l);
    return HueSatLumToColor(h, s, static_cast<std::uint8_t>(std::clamp(l + delta, 0, 255)));
}
} // namespace

TColor DarkenColor(TColor color, std::uint8_t amount) {
    return ShiftLightness(color, -amount);
}

TColor LightenColor(TColor color, std::uint8_t amount) {
    return ShiftLightness(color, amount);
}

TColor AdjustColorLightness(TColor color, int amount) {
    if (amount < 0)
        return DarkenColor(color, static_cast<std::uint8_t>(std::min(-amount, 255)));
    if (amount > 0)
        return LightenColor(color, static_cast<std::uint8_t>(std::min(amount, 255)));
    return color;
}

TColor BlendColors(TColor a, TColor b, std::uint8_t weight) {
    const TColor ca = ColorToRGB(a), cb = ColorToRGB(b);
    const float w = weight / 255.0f;
    auto mix = [w](std::uint8_t x, std::uint8_t y) {
        return RoundByte(static_cast<double>(x * w + y * (1.0f - w)));
    };
    return RGB(mix(GetRValue(ca), GetRValue(cb)), mix(GetGValue(ca), GetGValue(cb)),
               mix(GetBValue(ca), GetBValue(cb)));
}

bool ColorsAreSimilar(TColor a, TColor b) {
    std::uint8_t h1, s1, l1, h2, s2, l2;
    ColorToHueSatLum(a, h1, s1, l1);
    ColorToHueSatLum(b, h2, s2, l2);
    return std::abs(h1 - h2) < 20 && std::abs(l1 - l2) < 60;
}

TColor ContrastingHueColor(TColor color, std::uint8_t lightness) {
    const int h = HueOfColor(color);
    return HueSatLumToColor(static_cast<std::uint8_t>(h < 120 ? h + 120 : h - 120), 240, lightness);
}

TColor ThemedElementColor(int kind) {
    if (!ThemeServicesEnabled())
        return clBtnFace;
    struct Element {
        TThemeClass themeClass;
        int part;
        int property;
    };
    static constexpr Element elements[] = {
        {tcEdit, 0, TMT_BORDERCOLOR},           {tcExplorerBar, 17, TMT_TEXTCOLOR},
        {tcExplorerBar, 25, TMT_TEXTCOLOR},     {tcExplorerBar, 17, TMT_FILLCOLOR},
        {tcExplorerBar, 1, TMT_GRADIENTCOLOR1}, {tcExplorerBar, 32, TMT_FILLCOLOR},
        {tcButton, 4, TMT_TEXTCOLOR},
    };
    if (kind < 0 || kind >= static_cast<int>(std::size(elements)))
        return clWhite;
    TColor color = clWhite;
    const Element& e = elements[kind];
    GetThemeColor(e.themeClass, e.part, 1, e.property, color);
    return color;
}

std::uint8_t ReadXPColorScheme() {
    TRegistryIniFile reg("\\Software\\Microsoft\\Windows\\CurrentVersion", KEY_READ);
    const std::string name = UpperCase(reg.ReadString("ThemeManager", "ColorName", ""));
    if (name == "HOMESTEAD")
        return 1;
    if (name == "METALLIC")
        return 2;
    return 0;
}

bool HasFullColorDisplay() {
    // Every screen the platform drives shows true colour.
    return true;
}

void SelectionGradientColors(TFrGradientColorStyle style, TColor& frame, TColor& start,
                             TColor& stop) {
    if (OfficeColors(style)) {
        frame = Scheme(seSelectionFrame);
        start = Scheme(seSelectionStart);
        stop = Scheme(seSelectionStop);
    } else {
        frame = clHighlight;
        stop = BlendColors(clHighlight, clWindow, 77);
        start = LightenColor(stop, 20);
    }
    if (!FullColorSupported)
        start = stop;
}

void PanelGradientColors(TFrGradientColorStyle style, TColor& start, TColor& stop) {
    if (OfficeColors(style)) {
        start = Scheme(sePanelStart);
        stop = Scheme(sePanelStop);
    } else {
        start = clWindow;
        stop = DarkenColor(clBtnFace, 10);
    }
}

TColor PanelGradientFrameColor(TFrGradientColorStyle style) {
    return OfficeColors(style) ? Scheme(sePanelFrame) : LightenColor(clBtnShadow, 30);
}

void StatusBarGradientColors(TFrGradientColorStyle style, TColor& stop, TColor& start,
                             TColor& line) {
    if (OfficeColors(style)) {
        stop = Scheme(sePanelStop);
        start = Scheme(sePanelStart);
        line = Scheme(sePanelStop);
    } else {
        stop = DarkenColor(clBtnFace, 20);
        start = clWindow;
        line = DarkenColor(clBtnFace, 40);
    }
}

void GroupBarGradientColors(TFrGradientColorStyle style, TColor& start, TColor& stop) {
    if (OfficeColors(style)) {
        start = Scheme(seGroupBarStart);
        stop = Scheme(seGroupBarStop);
    } else {
        start = BlendColors(clBlack, clBtnFace, 40);
        stop = BlendColors(clBlack, clBtnFace, 80);
    }
}
