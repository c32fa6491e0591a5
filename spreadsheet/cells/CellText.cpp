// The text of a cell: plain values, and numbers through their cell's number format.

#include "spreadsheet/cells/CellStorage.h"

#include "platform/rtl/CodePage.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/FloatFormat.h"
#include "platform/rtl/Format.h"
#include "spreadsheet/core/XLSGlobals.h"

#include <cmath>

namespace {

std::u16string Wide(const std::string& utf8) {
    return Utf8ToUtf16(utf8);
}

// The fraction nearest to x (0 <= x < 1) with a denominator up to maxDenominator, by mediants
// between 0/1 and 1/1.
void NearestFraction(double x, int maxDenominator, int& num, int& den) {
    int lowN = 0, lowD = 1, highN = 1, highD = 1;
    while (true) {
        const int n = lowN + highN, d = lowD + highD;
        if (d > maxDenominator)
            break;
        const double error = x * d - n, tolerance = d * 0.00001;
        if (error > tolerance) {
            lowN = n;
            lowD = d;
        } else if (error < -tolerance) {
            highN = n;
            highD = d;
        } else {
            num = n;
            den = d;
            return;
        }
    }
    const bool upper =
        highD <= maxDenominator && std::fabs(x * lowD - lowN) >= std::fabs(x * highD - highN);
    num = upper ? highN : lowN;
    den = upper ? highD : lowD;
}

} // namespace

// A negative value is its sign before the form of its magnitude, and a fraction that comes to a
// whole one is carried into the integer part.
std::u16string FractionText(double value, int maxDenominator, const TFormatSettings& settings) {
    if (value < 0)
        return u"-" + FractionText(-value, maxDenominator, settings);
    double whole = std::floor(value);
    const double fraction = value - whole;
    if (fraction == 0)
        return Wide(FloatToStr(value, settings));
    int num = 0, den = 1;
    NearestFraction(fraction, maxDenominator, num, den);
    if (num == den) // carried into the integer part
        return Wide(FloatToStr(whole + 1, settings));
    std::string text = whole > 0 ? FloatToStr(whole, settings) + " " : std::string();
    return Wide(text + Format("%d/%d", {num, den}));
}

namespace {

std::u16string NumberText(const TCell& cell, double value) {
    TCellFormats& formats = cell.Formats();
    const TFormatSettings& settings = formats.Mask().Settings();
    if (cell.FormatIndex() == 0)
        return Wide(FloatToStr(value, settings));
    switch (cell.Format()->GetNumberFormatIndex()) {
    case 11:
        return Wide(FloatToStrF(value, ffExponent, 3, 2, settings));
    case 12:
        return FractionText(value, 9, settings);
    case 13:
        return FractionText(value, 99, settings);
    case 14:
        return Wide(DateToStr(value, settings));
    case 20:
        return Wide(FormatDateTime("t", value, settings));
    default:
        break;
    }
    const std::u16string mask = cell.Format()->GetNumberFormat();
    if (mask.empty())
        return Wide(FloatToStr(value, settings));
    formats.Mask().SetMask(Utf16ToUtf8(mask));
    return Wide(formats.Mask().FormatNumber(value));
}

} // namespace

std::u16string TCellStorage::GetAsFormattedText(int col, int row) {
    TCell* cell = FindCell(col, row);
    if (!cell)
        return {};
    switch (cell->CellType() & 0x7F) {
    case ckInteger:
        return NumberText(*cell, static_cast<TIntegerCell*>(cell)->Value);
    case ckFloat:
        return NumberText(*cell, static_cast<TFloatCell*>(cell)->Value);
    case ckFormulaNumber:
        return NumberText(*cell, static_cast<TFormulaNumberCell*>(cell)->Result);
    case ckFormulaNumberEx:
        return NumberText(*cell, static_cast<TFormulaNumberExCell*>(cell)->Result);
    case ckString:
        return static_cast<TStringCell*>(cell)->Text();
    case ckBoolean:
        return static_cast<TBooleanCell*>(cell)->Value ? StrTRUE : StrFALSE;
    case ckFormulaBoolean:
        return static_cast<TFormulaBooleanCell*>(cell)->Result ? StrTRUE : StrFALSE;
    case ckError:
        return CellErrorText(static_cast<TErrorCell*>(cell)->Value);
    case ckFormulaError:
        return CellErrorText(static_cast<TFormulaErrorCell*>(cell)->Result);
    case ckFormulaString:
        return static_cast<TFormulaStringCell*>(cell)->Result;
    case ckFormulaStringEx:
        return static_cast<TFormulaStringExCell*>(cell)->Result;
    default:
        return {};
    }
}
