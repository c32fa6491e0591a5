#include "platform/rtl/FloatFormat.h"

#include "platform/rtl/Exception.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <vector>

namespace {
constexpr int kNanExponent = 0x7FFF;
constexpr int kInfExponent = 0x8000;
constexpr int kMaxPrecision = 18;
} // namespace

TFloatRec FloatToDecimal(double value, int precision, int decimals) {
    TFloatRec rec;
    rec.Negative = std::signbit(value);
    if (std::isnan(value)) {
        rec.Exponent = kNanExponent;
        rec.Negative = false;
        return rec;
    }
    if (std::isinf(value)) {
        rec.Exponent = kInfExponent;
        return rec;
    }
    precision = std::clamp(precision, 1, kMaxPrecision);
    const double v = std::fabs(value);
    if (v == 0) {
        rec.Negative = false;
        return rec;
    }
    // 40 digits after the first are enough to see a true tie at any position we round at.
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, 40);
    std::string_view text(buf, static_cast<size_t>(res.ptr - buf));
    const size_t e = text.find('e');
    std::string digits;
    digits += text[0];
    digits.append(text.substr(2, e - 2));
    int exp10 = 0;
    std::from_chars(text.data() + e + (text[e + 1] == '+' ? 2 : 1), text.data() + text.size(),
                    exp10);
    int exponent = exp10 + 1; // digits before the decimal point

    const long keepLong = std::min<long>(precision, static_cast<long>(exponent) + decimals);
    if (keepLong < 0) {
        rec.Negative = false;
        return rec; // rounds to zero
    }
    const int keep = static_cast<int>(keepLong);
    std::string kept = digits.substr(0, static_cast<size_t>(keep));
    if (static_cast<size_t>(keep) < digits.size() && digits[static_cast<size_t>(keep)] >= '5') {
        int i = keep - 1;
        while (i >= 0 && kept[static_cast<size_t>(i)] == '9') {
            kept[static_cast<size_t>(i)] = '0';
            --i;
        }
        if (i >= 0) {
            ++kept[static_cast<size_t>(i)];
        } else {
            kept.insert(kept.begin(), '1');
            ++exponent;
            kept.pop_back();
            if (kept.empty())
                kept = "1";
        }
    }
    while (!kept.empty() && kept.back() == '0')
        kept.pop_back();
    if (kept.empty()) {
        rec.Negative = false;
        return rec;
    }
    rec.Digits = kept;
    rec.Exponent = exponent;
    return rec;
}

namespace {

std::string SpecialText(const TFloatRec& rec) {
    if (rec.Exponent == kNanExponent)
        return "NAN";
    return rec.Negative ? "-INF" : "INF";
}

bool IsSpecial(const TFloatRec& rec) {
    return rec.Exponent == kNanExponent || rec.Exponent == kInfExponent;
}

std::string ExponentText(int exponent, int minDigits, bool alwaysSign) {
    std::string r;
    if (exponent < 0)
        r += '-';
    else if (alwaysSign)
        r += '+';
    std::string n = std::to_string(std::abs(exponent));
    if (static_cast<int>(n.size()) < minDigits)
        n.insert(0, static_cast<size_t>(minDigits) - n.size(), '0');
    return r + n;
}

// Integer part digits (at least "0") and exactly `decimals` fraction digits of a record.
void SplitFixed(const TFloatRec& rec, int decimals, std::string& intPart, std::string& fracPart) {
    intPart.clear();
    fracPart.clear();
    const int exp = rec.Digits.empty() ? 0 : rec.Exponent;
    for (int i = 0; i < exp; ++i)
        intPart +=
            i < static_cast<int>(rec.Digits.size()) ? rec.Digits[static_cast<size_t>(i)] : '0';
    if (intPart.empty())
        intPart = "0";
    for (int i = 0; i < decimals; ++i) {
        const int at = exp + i;
        fracPart += (at >= 0 && at < static_cast<int>(rec.Digits.size()))
                        ? rec.Digits[static_cast<size_t>(at)]
                        : '0';
    }
}

std::string GroupThousands(const std::string& digits, const std::string& separator) {
    if (separator.empty())
        return digits;
    std::string r;
    const size_t n = digits.size();
    for (size_t i = 0; i < n; ++i) {
        r += digits[i];
        const size_t left = n - 1 - i;
        if (left > 0 && left % 3 == 0)
            r += separator;
    }
    return r;
}

std::string GeneralText(const TFloatRec& rec, int precision, int digits,
                        const TFormatSettings& fs) {
    if (rec.Digits.empty())
        return "0";
    std::string r = rec.Negative ? "-" : "";
    const int exp = rec.Exponent;
    if (exp <= precision && exp >= -3) {
        if (exp <= 0) {
            r += '0';
            r += fs.DecimalSeparator;
            r.append(static_cast<size_t>(-exp), '0');
            r += rec.Digits;
        } else {
            for (int i = 0; i < exp; ++i)
                r += i < static_cast<int>(rec.Digits.size()) ? rec.Digits[static_cast<size_t>(i)]
                                                             : '0';
            if (static_cast<int>(rec.Digits.size()) > exp) {
                r += fs.DecimalSeparator;
                r.append(rec.Digits.substr(static_cast<size_t>(exp)));
            }
        }
        return r;
    }
    r += rec.Digits[0];
    if (rec.Digits.size() > 1) {
        r += fs.DecimalSeparator;
        r.append(rec.Digits.substr(1));
    }
    r += 'E';
    r += ExponentText(exp - 1, digits, false);
    return r;
}

std::string CurrencyText(const std::string& number, bool negative, const TFormatSettings& fs) {
    const std::string& c = fs.CurrencyString;
    if (!negative) {
        switch (fs.CurrencyFormat) {
        case 0:
            return c + number;
        case 1:
            return number + c;
        case 2:
            return c + " " + number;
        default:
            return number + " " + c;
        }
    }
    const std::string& n = number;
    switch (fs.NegCurrFormat) {
    case 0:
        return "(" + c + n + ")";
    case 1:
        return "-" + c + n;
    case 2:
        return c + "-" + n;
    case 3:
        return c + n + "-";
    case 4:
        return "(" + n + c + ")";
    case 5:
        return "-" + n + c;
    case 6:
        return n + "-" + c;
    case 7:
        return n + c + "-";
    case 8:
        return "-" + n + " " + c;
    case 9:
        return "-" + c + " " + n;
    case 10:
        return n + " " + c + "-";
    case 11:
        return c + " " + n + "-";
    case 12:
        return c + " -" + n;
    case 13:
        return n + "- " + c;
    case 14:
        return "(" + c + " " + n + ")";
    default:
        return "(" + n + " " + c + ")";
    }
}

} // namespace

std::string FloatToStrF(double value, TFloatFormat format, int precision, int digits,
                        const TFormatSettings& fs) {
    precision = std::clamp(precision, 1, kMaxPrecision);
    switch (format) {
    case ffGeneral: {
        const TFloatRec rec = FloatToDecimal(value, precision, 9999);
        if (IsSpecial(rec))
            return SpecialText(rec);
        return GeneralText(rec, precision, std::clamp(digits, 0, 4), fs);
    }
    case ffExponent: {
        const TFloatRec rec = FloatToDecimal(value, precision, 9999);
        if (IsSpecial(rec))
            return SpecialText(rec);
        std::string mantissa = rec.Digits.empty() ? std::string("0") : rec.Digits;
        mantissa.resize(static_cast<size_t>(precision), '0');
        std::string r = rec.Negative ? "-" : "";
        r += mantissa[0];
        if (precision > 1) {
            r += fs.DecimalSeparator;
            r.append(mantissa.substr(1));
        }
        r += 'E';
        r +=
            ExponentText(rec.Digits.empty() ? 0 : rec.Exponent - 1, std::clamp(digits, 0, 4), true);
        return r;
    }
    case ffFixed:
    case ffNumber:
    case ffCurrency: {
        digits = std::clamp(digits, 0, kMaxPrecision);
        const TFloatRec rec = FloatToDecimal(value, kMaxPrecision, digits);
        if (IsSpecial(rec))
            return SpecialText(rec);
        if (format == ffFixed && !rec.Digits.empty() && rec.Exponent > precision)
            return GeneralText(FloatToDecimal(value, precision, 9999), precision, 0, fs);
        std::string intPart, fracPart;
        SplitFixed(rec, digits, intPart, fracPart);
        if (format != ffFixed)
            intPart = GroupThousands(intPart, fs.ThousandSeparator);
        std::string number = intPart;
        if (digits > 0) {
            number += fs.DecimalSeparator;
            number += fracPart;
        }
        if (format == ffCurrency)
            return CurrencyText(number, rec.Negative, fs);
        return rec.Negative ? "-" + number : number;
    }
    }
    return {};
}

std::string FloatToStr(double value, const TFormatSettings& settings) {
    return FloatToStrF(value, ffGeneral, 15, 0, settings);
}

// --- FormatFloat ---------------------------------------------------------------------------------

namespace {

struct Section {
    std::string_view text;
    int intPlaces = 0;  // placeholders before the decimal point
    int fracPlaces = 0; // placeholders after it
    int minInt = 0;     // integer digits forced by "0"
    int minFrac = 0;    // fraction digits forced by "0"
    bool thousands = false;
    bool scientific = false;
};

// Length of a quoted literal starting at text[i] (the quote), including both quotes.
size_t QuotedLength(std::string_view text, size_t i) {
    const char q = text[i];
    size_t j = i + 1;
    while (j < text.size() && text[j] != q)
        ++j;
    return (j < text.size() ? j + 1 : j) - i;
}

std::vector<std::string_view> SplitSections(std::string_view format) {
    std::vector<std::string_view> sections;
    size_t start = 0, i = 0;
    while (i < format.size()) {
        const char c = format[i];
        if (c == '"' || c == '\'') {
            i += QuotedLength(format, i);
        } else if (c == ';') {
            sections.push_back(format.substr(start, i - start));
            start = ++i;
        } else {
            ++i;
        }
    }
    sections.push_back(format.substr(start));
    return sections;
}

Section ScanSection(std::string_view text) {
    Section s;
    s.text = text;
    bool afterPoint = false;
    int firstZero = -1;
    for (size_t i = 0; i < text.size();) {
        const char c = text[i];
        if (c == '"' || c == '\'') {
            i += QuotedLength(text, i);
            continue;
        }
        if ((c == 'E' || c == 'e') && i + 1 < text.size() &&
            (text[i + 1] == '+' || text[i + 1] == '-')) {
            s.scientific = true;
            i += 2;
            while (i < text.size() && text[i] == '0')
                ++i;
            continue;
        }
        if (c == '0' || c == '#') {
            if (afterPoint) {
                ++s.fracPlaces;
                if (c == '0')
                    s.minFrac = s.fracPlaces;
            } else {
                if (c == '0' && firstZero < 0)
                    firstZero = s.intPlaces;
                ++s.intPlaces;
            }
        } else if (c == '.') {
            afterPoint = true;
        } else if (c == ',') {
            s.thousands = true;
        }
        ++i;
    }
    s.minInt = firstZero < 0 ? 0 : s.intPlaces - firstZero;
    return s;
}

// The digits a section shows: the integer part (without the leading zeros no "0" asks for) and
// the fraction, trimmed to the section's placeholders; `exponent` for a scientific section.
void SectionDigits(const Section& s, const TFloatRec& rec, std::string& intDigits,
                   std::string& fracDigits, int& exponent) {
    intDigits.clear();
    fracDigits.clear();
    exponent = 0;
    if (s.intPlaces == 0 && s.fracPlaces == 0 && !s.scientific)
        return; // a section without digit placeholders shows its literal text alone
    if (s.scientific) {
        // The exponent moves the point behind the integer placeholders.
        const std::string& d = rec.Digits;
        if (!d.empty())
            exponent = rec.Exponent - s.intPlaces;
        for (int i = 0; i < s.intPlaces; ++i)
            intDigits += i < static_cast<int>(d.size()) ? d[static_cast<size_t>(i)] : '0';
        for (int i = s.intPlaces; i < static_cast<int>(d.size()); ++i)
            fracDigits += d[static_cast<size_t>(i)];
        // Leading zeros of the integer part only show where "0" asks for them.
        size_t lead = 0;
        while (lead < intDigits.size() && intDigits[lead] == '0')
            ++lead;
        intDigits.erase(0, lead);
    } else {
        std::string intPart;
        SplitFixed(rec, s.fracPlaces, intPart, fracDigits);
        intDigits = intPart == "0" ? std::string() : intPart;
    }
    if (static_cast<int>(intDigits.size()) < s.minInt)
        intDigits.insert(0, static_cast<size_t>(s.minInt) - intDigits.size(), '0');
    if (static_cast<int>(fracDigits.size()) > s.fracPlaces)
        fracDigits.resize(static_cast<size_t>(s.fracPlaces));
    while (static_cast<int>(fracDigits.size()) > s.minFrac && fracDigits.back() == '0')
        fracDigits.pop_back();
    while (static_cast<int>(fracDigits.size()) < s.minFrac)
        fracDigits += '0';
}

std::string ApplySection(const Section& s, const TFloatRec& rec, const TFormatSettings& fs,
                         bool withSign) {
    std::string intDigits, fracDigits;
    int exponent = 0;
    SectionDigits(s, rec, intDigits, fracDigits, exponent);
    if (s.intPlaces == 0 && s.fracPlaces == 0 && !s.scientific)
        withSign = false; // no number is shown, so no sign either
    std::string out = withSign ? "-" : "";
    const int intLen = static_cast<int>(intDigits.size());
    int intSeen = 0, fracSeen = 0, emitted = 0;
    bool afterPoint = false;
    auto emitInt = [&](int count) {
        for (int k = 0; k < count && emitted < intLen; ++k) {
            out += intDigits[static_cast<size_t>(emitted)];
            ++emitted;
            const int left = intLen - emitted;
            if (s.thousands && left > 0 && left % 3 == 0)
                out += fs.ThousandSeparator;
        }
    };
    const std::string_view text = s.text;
    for (size_t i = 0; i < text.size();) {
        const char c = text[i];
        if (c == '"' || c == '\'') {
            const size_t len = QuotedLength(text, i);
            const size_t inner =
                len >= 2 && i + len <= text.size() && text[i + len - 1] == c ? len - 2 : len - 1;
            out.append(text.substr(i + 1, inner));
            i += len;
            continue;
        }
        if ((c == 'E' || c == 'e') && i + 1 < text.size() &&
            (text[i + 1] == '+' || text[i + 1] == '-')) {
            const bool alwaysSign = text[i + 1] == '+';
            i += 2;
            int zeros = 0;
            while (i < text.size() && text[i] == '0') {
                ++zeros;
                ++i;
            }
            out += c;
            out += ExponentText(exponent, zeros, alwaysSign);
            continue;
        }
        if (c == '0' || c == '#') {
            if (!afterPoint) {
                ++intSeen;
                // The first placeholder takes the digits that have no placeholder of their own.
                const int placesLeft = s.intPlaces - intSeen + 1;
                const int digitsLeft = intLen - emitted;
                if (digitsLeft >= placesLeft)
                    emitInt(digitsLeft - placesLeft + 1);
            } else {
                if (fracSeen < static_cast<int>(fracDigits.size())) {
                    if (fracSeen == 0)
                        out += fs.DecimalSeparator;
                    out += fracDigits[static_cast<size_t>(fracSeen)];
                }
                ++fracSeen;
            }
        } else if (c == '.') {
            if (!afterPoint) {
                emitInt(intLen - emitted); // a section without integer placeholders
                afterPoint = true;
            } else {
                out += c;
            }
        } else if (c != ',') {
            out += c;
        }
        ++i;
    }
    emitInt(intLen - emitted);
    return out;
}

} // namespace

std::string FormatFloat(std::string_view format, double value, const TFormatSettings& fs) {
    if (format.empty())
        return FloatToStr(value, fs);
    if (std::isnan(value) || std::isinf(value))
        return FloatToStr(value, fs);
    const std::vector<std::string_view> sections = SplitSections(format);
    auto decimal = [&](const Section& s) {
        return s.scientific ? FloatToDecimal(value, std::max(1, s.intPlaces + s.fracPlaces), 9999)
                            : FloatToDecimal(value, kMaxPrecision, s.fracPlaces);
    };
    const bool negative = value < 0;
    const bool hasNegSection = sections.size() > 1 && !sections[1].empty();
    Section s = ScanSection(negative && hasNegSection ? sections[1] : sections[0]);
    TFloatRec rec = decimal(s);
    if (rec.Digits.empty()) {
        if (sections.size() > 2 && !sections[2].empty()) {
            s = ScanSection(sections[2]);
            rec = decimal(s);
        } else if (negative && hasNegSection) {
            // Rounded to zero: the positive section shows it.
            s = ScanSection(sections[0]);
            rec = decimal(s);
        }
        return ApplySection(s, rec, fs, false);
    }
    return ApplySection(s, rec, fs, negative && !hasNegSection);
}

// --- StrToFloat ---------------------------------------------------------------------------------

bool TryStrToFloat(std::string_view s, double& value, const TFormatSettings& fs) {
    size_t b = 0, e = s.size();
    while (b < e && s[b] == ' ')
        ++b;
    while (e > b && s[e - 1] == ' ')
        --e;
    std::string t;
    size_t i = b;
    if (i < e && (s[i] == '+' || s[i] == '-'))
        t += s[i++];
    int mantissaDigits = 0;
    bool point = false;
    for (; i < e; ++i) {
        const char c = s[i];
        if (c >= '0' && c <= '9') {
            t += c;
            ++mantissaDigits;
        } else if ((c == fs.DecimalSeparator || c == '.') && !point) {
            point = true;
            t += '.';
        } else {
            break;
        }
    }
    if (mantissaDigits == 0)
        return false;
    bool negativeExponent = false;
    if (i < e && (s[i] == 'e' || s[i] == 'E')) {
        t += 'e';
        ++i;
        if (i < e && (s[i] == '+' || s[i] == '-')) {
            negativeExponent = s[i] == '-';
            t += s[i++];
        }
        int expDigits = 0;
        while (i < e && s[i] >= '0' && s[i] <= '9') {
            t += s[i++];
            ++expDigits;
        }
        if (expDigits == 0)
            return false;
    }
    if (i != e)
        return false;
    const char* first = t.data();
    if (*first == '+')
        ++first;
    double v = 0;
    const auto res = std::from_chars(first, t.data() + t.size(), v);
    if (res.ec == std::errc::result_out_of_range) {
        if (!negativeExponent)
            return false; // too large
        v = 0;            // too small: underflows to zero
    } else if (res.ec != std::errc() || res.ptr != t.data() + t.size()) {
        return false;
    }
    value = v;
    return true;
}

double StrToFloat(std::string_view s, const TFormatSettings& fs) {
    double v;
    if (!TryStrToFloat(s, v, fs))
        throw EConvertError("'" + std::string(s) + "' is not a valid floating point value");
    return v;
}

double StrToFloatDef(std::string_view s, double def, const TFormatSettings& fs) {
    double v;
    return TryStrToFloat(s, v, fs) ? v : def;
}
