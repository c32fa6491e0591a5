#pragma once
// Colour numbers: an RGB colour is $00BBGGRR; a system colour is $FF000000 plus its index and is
// turned into RGB through a fixed table, so that pictures never depend on the desktop.

#include <cstdint>
#include <functional>
#include <string>

using TColor = std::int32_t;

namespace colordetail {
constexpr TColor Sys(std::uint32_t index) {
    return static_cast<TColor>(0xFF000000u | index);
}
} // namespace colordetail

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clLtGray = 0xC0C0C0;
constexpr TColor clDkGray = 0x808080;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clMoneyGreen = 0xC0DCC0;
constexpr TColor clSkyBlue = 0xF0CAA6;
constexpr TColor clCream = 0xF0FBFF;
constexpr TColor clMedGray = 0xA4A0A0;

constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

constexpr TColor clScrollBar = colordetail::Sys(0);
constexpr TColor clBackground = colordetail::Sys(1);
constexpr TColor clActiveCaption = colordetail::Sys(2);
constexpr TColor clInactiveCaption = colordetail::Sys(3);
constexpr TColor clMenu = colordetail::Sys(4);
constexpr TColor clWindow = colordetail::Sys(5);
constexpr TColor clWindowFrame = colordetail::Sys(6);
constexpr TColor clMenuText = colordetail::Sys(7);
constexpr TColor clWindowText = colordetail::Sys(8);
constexpr TColor clCaptionText = colordetail::Sys(9);
constexpr TColor clActiveBorder = colordetail::Sys(10);
constexpr TColor clInactiveBorder = colordetail::Sys(11);
constexpr TColor clAppWorkSpace = colordetail::Sys(12);
constexpr TColor clHighlight = colordetail::Sys(13);
constexpr TColor clHighlightText = colordetail::Sys(14);
constexpr TColor clBtnFace = colordetail::Sys(15);
constexpr TColor clBtnShadow = colordetail::Sys(16);
constexpr TColor clGrayText = colordetail::Sys(17);
constexpr TColor clBtnText = colordetail::Sys(18);
constexpr TColor clInactiveCaptionText = colordetail::Sys(19);
constexpr TColor clBtnHighlight = colordetail::Sys(20);
constexpr TColor cl3DDkShadow = colordetail::Sys(21);
constexpr TColor cl3DLight = colordetail::Sys(22);
constexpr TColor clInfoText = colordetail::Sys(23);
constexpr TColor clInfoBk = colordetail::Sys(24);
constexpr TColor clHotLight = colordetail::Sys(26);
constexpr TColor clGradientActiveCaption = colordetail::Sys(27);
constexpr TColor clGradientInactiveCaption = colordetail::Sys(28);
constexpr TColor clMenuHighlight = colordetail::Sys(29);
constexpr TColor clMenuBar = colordetail::Sys(30);

// Builds $00BBGGRR from channels, and takes channels apart.
constexpr TColor RGB(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return static_cast<TColor>(r | (g << 8) | (b << 16));
}
constexpr std::uint8_t GetRValue(TColor c) {
    return static_cast<std::uint8_t>(c & 0xFF);
}
constexpr std::uint8_t GetGValue(TColor c) {
    return static_cast<std::uint8_t>((c >> 8) & 0xFF);
}
constexpr std::uint8_t GetBValue(TColor c) {
    return static_cast<std::uint8_t>((c >> 16) & 0xFF);
}

// The RGB value ($00BBGGRR) of system colour index 0..30 from the fixed table; 0 for other indices.
TColor GetSysColor(int index);

// A system colour becomes its RGB value; every other number is returned unchanged (clNone and
// clDefault included).
TColor ColorToRGB(TColor color);

// Colour names both ways. ColorToString gives the name ("clBtnFace") or "$00BBGGRR";
// StringToColor takes a name (any case), "$hex" or a decimal number and raises EConvertError
// otherwise.
bool ColorToIdent(TColor color, std::string& ident);
bool IdentToColor(const std::string& ident, TColor& color);
std::string ColorToString(TColor color);
TColor StringToColor(const std::string& text);
// Calls proc with every colour name in table order.
void GetColorValues(const std::function<void(const std::string&)>& proc);
