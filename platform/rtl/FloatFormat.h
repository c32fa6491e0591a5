#pragma once
// Floating-point text: FloatToStr (15 significant digits, shortest form), FloatToStrF with the
// five classic formats, FormatFloat with its picture language, and StrToFloat.
//
// Digits are rounded on the exact decimal expansion of the double, half away from zero, so
// 0.125 with two decimals is "0,13" and 0.29*100 prints as "29".

#include "platform/rtl/FormatSettings.h"

#include <cstdint>
#include <string>
#include <string_view>

enum TFloatFormat { ffGeneral, ffExponent, ffFixed, ffNumber, ffCurrency };

// A value as decimal digits: 0.<Digits> x 10^Exponent. Zero has no digits; NaN and infinities
// have Exponent 0x7FFF (NaN) or 0x8000 (infinity).
struct TFloatRec {
    int Exponent = 0;
    bool Negative = false;
    std::string Digits;
};

// Rounds to at most `precision` significant digits (1..18) and at most `decimals` digits after
// the point; trailing zeros are dropped.
TFloatRec FloatToDecimal(double value, int precision, int decimals);

std::string FloatToStr(double value, const TFormatSettings& settings = FormatSettings());
// ffGeneral: shortest of fixed/scientific with `precision` significant digits, `digits` is the
// minimum exponent width. ffExponent: d.ddd...E+ddd with `precision` digits. ffFixed, ffNumber
// (thousands separated), ffCurrency: `digits` decimals.
std::string FloatToStrF(double value, TFloatFormat format, int precision, int digits,
                        const TFormatSettings& settings = FormatSettings());
// Picture formats: "0" digit, "#" optional digit, "." decimal point, "," thousands, "E+00" /
// "E-00" scientific, quoted literals, and up to three ";" sections (positive;negative;zero).
std::string FormatFloat(std::string_view format, double value,
                        const TFormatSettings& settings = FormatSettings());

// Number text with the settings' decimal separator (and always "."), optional sign, exponent
// and surrounding blanks. Raises EConvertError "'<s>' is not a valid floating point value".
bool TryStrToFloat(std::string_view s, double& value,
                   const TFormatSettings& settings = FormatSettings());
double StrToFloat(std::string_view s, const TFormatSettings& settings = FormatSettings());
double StrToFloatDef(std::string_view s, double def,
                     const TFormatSettings& settings = FormatSettings());
