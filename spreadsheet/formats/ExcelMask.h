#pragma once
// Number-format masks: a format text such as #,##0.00;[Red]-#,##0.00 or d-mmm-yy h:mm parsed
// into up to four sections (positive, negative, zero, text) of format elements, and numbers
// rendered as text with it. Texts are UTF-8; a character of several bytes stays one element.
// The locale's separators and names come from format settings the caller may inject.

#include "platform/rtl/FormatSettings.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

enum TMaskElementKind : uint8_t {
    mekText0 = 0,      // @, or the E+ / E- of a scientific format
    mekLiteral = 1,    // one character
    mekText = 2,       // quoted text, or a currency symbol
    mekOptDigit = 3,   // #
    mekSpaceDigit = 4, // ?
    mekZeroDigit = 5,  // 0
    mekYear2 = 6,
    mekYear4 = 7,
    mekMonth = 8,
    mekMonth2 = 9,
    mekMonthShort = 10,
    mekMonthLong = 11,
    mekMonthLetter = 12,
    mekDay = 13,
    mekDay2 = 14,
    mekDayShort = 15,
    mekDayLong = 16,
    mekHour = 17,
    mekHour2 = 18,
    mekHour12 = 19,
    mekHour12Two = 20,
    mekElapsedHours = 21,
    mekMinute = 22,
    mekMinute2 = 23,
    mekElapsedMinutes = 24,
    mekSecond = 25,
    mekSecond2 = 26,
    mekElapsedSeconds = 27,
    mekAMPM = 28,
    mekAmPmLower = 29,
    mekAP = 30,
    mekPoint = 31,
    mekPercent = 32,
    mekNumberStart = 33,
};

struct TMaskElement {
    TMaskElementKind Kind;
    std::string Text;
};

// Section flags.
enum : uint8_t {
    msfText = 0x01,
    msfThousands = 0x02,
    msfPoint = 0x04,
    msfPercent = 0x08,
    msfScientific = 0x10,
    msfDateTime = 0x20,
    msfZero = 0x40,
};

struct TMaskSection {
    std::vector<TMaskElement> Elements;
    uint32_t Color = 0;
    uint8_t Flags = 0;
    int DecimalPos = -1;
    int Decimals = 0;
    int Scale = 0;
};

class TExcelMask {
public:
    explicit TExcelMask(const TFormatSettings& settings = FormatSettings()) : settings_(settings) {}

    // Raises "Format string more than 255 characthers" for 256 characters or more.
    void SetMask(std::string_view text);
    const std::string& Mask() const { return mask_; }
    // Section 0 positive, 1 negative, 2 zero, 3 text; null when empty.
    const TMaskSection* Section(int i) const { return sections_[static_cast<size_t>(i)].get(); }

    std::string FormatNumber(double value) const;
    std::string FormatBytes(double value) const;

    void SetFormatSettings(const TFormatSettings& settings) { settings_ = settings; }
    const TFormatSettings& Settings() const { return settings_; }

private:
    std::string RenderNumber(const TMaskSection& section, double value) const;
    std::string RenderDate(const TMaskSection& section, double value) const;

    TFormatSettings settings_;
    std::string mask_;
    std::array<std::unique_ptr<TMaskSection>, 4> sections_;
};

// 1 for exponent 0, 0 for base 0, repeated squaring for whole exponents within 32 bits (a
// reciprocal for negative ones), exp(exponent x ln base) otherwise.
double MaskPower(double base, double exponent);
