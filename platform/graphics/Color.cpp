#include "platform/graphics/Color.h"

#include "platform/graphics/GraphicsErrors.h"

#include <array>
#include <cctype>
#include <cstdio>
#include <cstdlib>

namespace {

// The desktop's classic colours, fixed so that every picture is the same on every machine.
// Given as 0xRRGGBB for reading; GetSysColor turns them into colour numbers.
constexpr std::array<std::uint32_t, 31> kSysColorsRgb = {
    0xC8C8C8, 0x000000, 0x99B4D1, 0xBFCDDB, 0xF0F0F0, 0xFFFFFF, 0x646464, 0x000000,
    0x000000, 0x000000, 0xB4B4B4, 0xF4F7FC, 0xABABAB, 0x3399FF, 0xFFFFFF, 0xF0F0F0,
    0xA0A0A0, 0x6D6D6D, 0x000000, 0x434E54, 0xFFFFFF, 0x696969, 0xE3E3E3, 0x000000,
    0xFFFFE1, 0x000000, 0x0066CC, 0xB9D1EA, 0xD7E4F2, 0x3399FF, 0xF0F0F0,
};

struct ColorName {
    TColor color;
    const char* name;
};

constexpr ColorName kColorNames[] = {
    {clBlack, "clBlack"},
    {clMaroon, "clMaroon"},
    {clGreen, "clGreen"},
    {clOlive, "clOlive"},
    {clNavy, "clNavy"},
    {clPurple, "clPurple"},
    {clTeal, "clTeal"},
    {clGray, "clGray"},
    {clSilver, "clSilver"},
    {clRed, "clRed"},
    {clLime, "clLime"},
    {clYellow, "clYellow"},
    {clBlue, "clBlue"},
    {clFuchsia, "clFuchsia"},
    {clAqua, "clAqua"},
    {clWhite, "clWhite"},
    {clMoneyGreen, "clMoneyGreen"},
    {clSkyBlue, "clSkyBlue"},
    {clCream, "clCream"},
    {clMedGray, "clMedGray"},
    {clActiveBorder, "clActiveBorder"},
    {clActiveCaption, "clActiveCaption"},
    {clAppWorkSpace, "clAppWorkSpace"},
    {clBackground, "clBackground"},
    {clBtnFace, "clBtnFace"},
    {clBtnHighlight, "clBtnHighlight"},
    {clBtnShadow, "clBtnShadow"},
    {clBtnText, "clBtnText"},
    {clCaptionText, "clCaptionText"},
    {clDefault, "clDefault"},
    {clGradientActiveCaption, "clGradientActiveCaption"},
    {clGradientInactiveCaption, "clGradientInactiveCaption"},
    {clGrayText, "clGrayText"},
    {clHighlight, "clHighlight"},
    {clHighlightText, "clHighlightText"},
    {clHotLight, "clHotLight"},
    {clInactiveBorder, "clInactiveBorder"},
    {clInactiveCaption, "clInactiveCaption"},
    {clInactiveCaptionText, "clInactiveCaptionText"},
    {clInfoBk, "clInfoBk"},
    {clInfoText, "clInfoText"},
    {clMenu, "clMenu"},
    {clMenuBar, "clMenuBar"},
    {clMenuHighlight, "clMenuHighlight"},
    {clMenuText, "clMenuText"},
    {clNone, "clNone"},
    {clScrollBar, "clScrollBar"},
    {cl3DDkShadow, "cl3DDkShadow"},
    {cl3DLight, "cl3DLight"},
    {clWindow, "clWindow"},
    {clWindowFrame, "clWindowFrame"},
    {clWindowText, "clWindowText"},
};

bool EqualNoCase(const std::string& a, const char* b) {
    std::size_t i = 0;
    for (; i < a.size() && b[i] != '\0'; ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return i == a.size() && b[i] == '\0';
}

// An integer in the runtime's notation: optional sign, then decimal digits, or "$" / "0x" and hex
// digits. The value must fit 32 bits (hex may use all 32 bits).
bool ParseColorNumber(const std::string& text, TColor& value) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    std::size_t end = text.size();
    while (end > i && text[end - 1] == ' ')
        --end;
    bool negative = false;
    if (i < end && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    int base = 10;
    if (i < end && text[i] == '$') {
        base = 16;
        ++i;
    } else if (i + 1 < end && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i >= end)
        return false;
    std::uint64_t v = 0;
    for (; i < end; ++i) {
        int c = static_cast<unsigned char>(text[i]);
        int d;
        if (c >= '0' && c <= '9')
            d = c - '0';
        else if (base == 16 && std::isxdigit(c))
            d = std::tolower(c) - 'a' + 10;
        else
            return false;
        v = v * base + d;
        if (v > 0xFFFFFFFFull)
            return false;
    }
    if (base == 10 && v > (negative ? 0x80000000ull : 0x7FFFFFFFull))
        return false;
    std::uint32_t bits = static_cast<std::uint32_t>(v);
    if (negative)
        bits = 0u - bits;
    value = static_cast<TColor>(bits);
    return true;
}

} // namespace

TColor GetSysColor(int index) {
    if (index < 0 || index >= static_cast<int>(kSysColorsRgb.size()))
        return 0;
    std::uint32_t rgb = kSysColorsRgb[static_cast<std::size_t>(index)];
    return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

TColor ColorToRGB(TColor color) {
    if (color < 0)
        return GetSysColor(color & 0xFF);
    return color;
}

bool ColorToIdent(TColor color, std::string& ident) {
    for (const auto& entry : kColorNames) {
        if (entry.color == color) {
            ident = entry.name;
            return true;
        }
    }
    return false;
}

bool IdentToColor(const std::string& ident, TColor& color) {
    for (const auto& entry : kColorNames) {
        if (EqualNoCase(ident, entry.name)) {
            color = entry.color;
            return true;
        }
    }
    // The two aliases are read but never written.
    if (EqualNoCase(ident, "clLtGray")) {
        color = clLtGray;
        return true;
    }
    if (EqualNoCase(ident, "clDkGray")) {
        color = clDkGray;
        return true;
    }
    return false;
}

std::string ColorToString(TColor color) {
    std::string name;
    if (ColorToIdent(color, name))
        return name;
    char buf[16];
    std::snprintf(buf, sizeof buf, "$%08X", static_cast<unsigned>(color));
    return buf;
}

TColor StringToColor(const std::string& text) {
    TColor color = 0;
    if (IdentToColor(text, color) || ParseColorNumber(text, color))
        return color;
    throw EConvertError("'" + text + "' is not a valid integer value");
}

void GetColorValues(const std::function<void(const std::string&)>& proc) {
    for (const auto& entry : kColorNames)
        proc(entry.name);
}
