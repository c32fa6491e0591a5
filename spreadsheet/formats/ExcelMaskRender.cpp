// Rendering numbers with a parsed mask: plain numbers, scientific numbers, dates and times.

#include "spreadsheet/formats/ExcelMask.h"

#include "platform/rtl/CodePage.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/FloatFormat.h"
#include "platform/rtl/Format.h"

#include <cmath>

namespace {

constexpr size_t kMaxIntegerText = 299;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string TwoDigits(int v) {
    return Format("%.2d", {v});
}

std::string FirstChar(const std::string& s) {
    size_t i = 0;
    if (!s.empty())
        Utf8Next(s, i);
    return s.substr(0, i);
}

// The integer part: from `from` leftwards, placeholders take digits of `digits` from the right.
std::string IntegerPart(const TMaskSection& section, int from, std::string digits) {
    std::string out;
    auto prepend = [&out](std::string_view s) { out.insert(0, s); };
    for (int k = from; k >= 0 && out.size() < kMaxIntegerText; --k) {
        const TMaskElement& e = section.Elements[static_cast<size_t>(k)];
        const bool digit = !digits.empty() && IsDigit(digits.back());
        switch (e.Kind) {
        case mekZeroDigit:
        case mekSpaceDigit:
        case mekOptDigit:
            if (digit) {
                prepend(digits.substr(digits.size() - 1));
                digits.pop_back();
            } else if (e.Kind == mekZeroDigit) {
                prepend("0");
            } else if (e.Kind == mekSpaceDigit) {
                prepend(" ");
            }
            break;
        case mekNumberStart:
            prepend(digits);
            digits.clear();
            break;
        case mekPercent:
            prepend("%");
            break;
        case mekLiteral:
        case mekText:
        case mekText0:
            prepend(e.Text);
            break;
        default:
            break;
        }
    }
    return out.substr(0, kMaxIntegerText);
}

// The decimal part: from the point rightwards, placeholders take digits from the left.
std::string DecimalPart(const TMaskSection& section, std::string_view digits, char separator) {
    std::string out;
    size_t next = 0;
    for (size_t k = static_cast<size_t>(section.DecimalPos); k < section.Elements.size(); ++k) {
        const TMaskElement& e = section.Elements[k];
        const bool digit = next < digits.size();
        switch (e.Kind) {
        case mekZeroDigit:
        case mekSpaceDigit:
        case mekOptDigit:
            if (digit)
                out += digits[next++];
            else if (e.Kind == mekZeroDigit)
                out += '0';
            else if (e.Kind == mekSpaceDigit)
                out += ' ';
            break;
        case mekPoint:
            out += separator;
            break;
        case mekPercent:
            out += '%';
            break;
        case mekLiteral:
        case mekText:
        case mekText0:
            out += e.Text;
            break;
        default:
            break;
        }
    }
    return out;
}

} // namespace

std::string TExcelMask::FormatNumber(double value) const {
    if (mask_ == "##,_b_y_t_e_s")
        return FormatBytes(value);
    const TMaskSection* section = sections_[0].get();
    double shown = value;
    if (value < 0 && sections_[1]) {
        section = sections_[1].get();
        shown = -value;
    } else if (value == 0 && sections_[2]) {
        section = sections_[2].get();
    }
    if (!section || section->Elements.empty() || (section->Flags & msfText))
        return FloatToStr(shown, settings_);
    if (section->Flags & msfDateTime)
        return RenderDate(*section, shown);
    if (section->Flags & msfScientific)
        return FloatToStrF(shown, ffExponent, std::max(section->Decimals - 1, 1),
                           section->DecimalPos, settings_);
    return RenderNumber(*section, shown);
}

std::string TExcelMask::RenderNumber(const TMaskSection& section, double value) const {
    std::string number;
    if (!(section.Flags & msfZero)) {
        double v = value / MaskPower(10, 3.0 * section.Scale);
        if (section.Flags & msfPercent)
            v *= 100;
        number = Format((section.Flags & msfThousands) ? "%.*n" : "%.*f", {section.Decimals, v},
                        settings_);
    }
    const size_t sep = number.find(settings_.DecimalSeparator);
    const std::string integer = number.substr(0, sep);
    const std::string decimals = sep == std::string::npos ? std::string() : number.substr(sep + 1);
    const int last = static_cast<int>(section.Elements.size()) - 1;
    const bool point = section.DecimalPos >= 0;
    std::string out = IntegerPart(section, point ? section.DecimalPos - 1 : last, integer);
    if (point)
        out += DecimalPart(section, decimals, settings_.DecimalSeparator);
    return out;
}

std::string TExcelMask::RenderDate(const TMaskSection& section, double value) const {
    int year, month, day, hour, minute, second, msec;
    DecodeDateTime(value, year, month, day, hour, minute, second, msec);
    const int weekDay = DayOfWeek(value) - 1;
    const double days = std::floor(value);
    const double fraction = value - days;
    std::string out;
    const auto& e = section.Elements;
    for (size_t k = 0; k < e.size(); ++k) {
        switch (e[k].Kind) {
        case mekLiteral:
            out += e[k].Text == "/"   ? std::string(1, settings_.DateSeparator)
                   : e[k].Text == ":" ? std::string(1, settings_.TimeSeparator)
                                      : e[k].Text;
            break;
        case mekText:
            out += e[k].Text;
            break;
        case mekYear2:
            out += FormatDateTime("yy", value, settings_);
            break;
        case mekYear4:
            out += FormatDateTime("yyyy", value, settings_);
            break;
        case mekMonth:
            out += std::to_string(month);
            break;
        case mekMonth2:
            out += TwoDigits(month);
            break;
        case mekMonthShort:
            out += settings_.ShortMonthNames[static_cast<size_t>(month - 1)];
            break;
        case mekMonthLong:
            out += settings_.LongMonthNames[static_cast<size_t>(month - 1)];
            break;
        case mekMonthLetter:
            out += FirstChar(settings_.ShortMonthNames[static_cast<size_t>(month - 1)]);
            break;
        case mekDay:
            out += std::to_string(day);
            break;
        case mekDay2:
            out += TwoDigits(day);
            break;
        case mekDayShort:
            out += settings_.ShortDayNames[static_cast<size_t>(weekDay)];
            break;
        case mekDayLong:
            out += settings_.LongDayNames[static_cast<size_t>(weekDay)];
            break;
        case mekHour:
            out += std::to_string(hour);
            break;
        case mekHour2:
            out += TwoDigits(hour);
            break;
        case mekHour12:
            out += std::to_string(hour < 12 ? hour : hour - 12);
            break;
        case mekHour12Two:
            out += TwoDigits(hour < 12 ? hour : hour - 12);
            break;
        case mekMinute:
            out += std::to_string(minute);
            break;
        case mekMinute2:
            out += TwoDigits(minute);
            break;
        case mekSecond:
            out += std::to_string(second);
            break;
        case mekSecond2:
            out += TwoDigits(second);
            break;
        case mekElapsedHours:
            out += Format("%.0f", {days * 24 + std::round(fraction * 24)});
            break;
        case mekElapsedMinutes:
            out += Format("%.0f", {days * 1440 + std::round(fraction * 1440)});
            break;
        case mekElapsedSeconds:
            out += Format("%.0f", {days * 86400 + std::round(fraction * 86400)});
            break;
        case mekAMPM:
            out += hour < 12 ? "AM" : "PM";
            break;
        case mekAmPmLower:
            out += hour < 12 ? "am" : "pm";
            break;
        case mekAP:
            out += hour < 12 ? "a" : "p";
            break;
        case mekPoint: {
            int zeros = 0;
            while (zeros < 3 && k + 1 < e.size() && e[k + 1].Kind == mekZeroDigit) {
                ++zeros;
                ++k;
            }
            if (zeros == 0)
                out += '.';
            else
                out += Format("%.*f", {zeros, msec / 1000.0}, settings_).substr(1);
            break;
        }
        default:
            break;
        }
    }
    return out;
}

std::string TExcelMask::FormatBytes(double value) const {
    if (value == 0)
        return "0 bytes";
    if (value < 1024)
        return Format("%.0f", {std::round(value)}) + " bytes";
    if (value < 1048576)
        return Format("%.2f kb", {value / 1024}, settings_);
    if (value >= 1073741824)
        return Format("%.2f Gb", {value / 1073741824}, settings_);
    return Format("%.2f Mb", {value / 1048576}, settings_);
}
