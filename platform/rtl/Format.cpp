#include "platform/rtl/Format.h"

#include "platform/rtl/CodePage.h"
#include "platform/rtl/Exception.h"
#include "platform/rtl/FloatFormat.h"
#include "platform/rtl/Strings.h"

#include <algorithm>
#include <climits>
#include <optional>

namespace {

[[noreturn]] void InvalidFormat(std::string_view format) {
    throw EConvertError("Format '" + std::string(format) +
                        "' invalid or incompatible with argument");
}

[[noreturn]] void NoArgument(std::string_view format) {
    throw EConvertError("No argument for format '" + std::string(format) + "'");
}

// Characters (code points) of UTF-8 text, for widths and precisions.
size_t CharCount(std::string_view s) {
    size_t n = 0;
    for (size_t i = 0; i < s.size();) {
        Utf8Next(s, i);
        ++n;
    }
    return n;
}

std::string FirstChars(std::string_view s, size_t count) {
    size_t i = 0;
    for (size_t n = 0; n < count && i < s.size(); ++n)
        Utf8Next(s, i);
    return std::string(s.substr(0, i));
}

// Widths beyond any sensible text are refused rather than allocated.
constexpr int64_t kMaxWidth = 1 << 20;

struct TFormatSpec {
    bool left = false;
    int64_t width = 0;
    int64_t precision = -1; // absent
    char type = 0;          // lower case
};

// One pass over a format text: reads each specifier and converts its argument.
class TFormatter {
public:
    TFormatter(std::string_view format, const std::vector<TVarRec>& args, const TFormatSettings& fs)
        : format_(format), args_(args), fs_(fs) {}

    std::string Run();

private:
    const TVarRec& NextArg();
    // A number, or "*" taking an integer argument (`fromArg` tells which); absent: nullopt.
    std::optional<int64_t> ReadNumber(bool& fromArg);
    TFormatSpec ReadSpec();
    std::string Convert(const TFormatSpec& spec);
    std::string Decimal(const TFormatSpec& spec, const TVarRec& a) const;
    std::string Hex(const TFormatSpec& spec, const TVarRec& a) const;
    std::string Float(const TFormatSpec& spec, const TVarRec& a) const;

    std::string_view format_;
    const std::vector<TVarRec>& args_;
    const TFormatSettings& fs_;
    size_t argIndex_ = 0;
    size_t i_ = 0;
};

const TVarRec& TFormatter::NextArg() {
    if (argIndex_ >= args_.size())
        NoArgument(format_);
    return args_[argIndex_++];
}

std::optional<int64_t> TFormatter::ReadNumber(bool& fromArg) {
    fromArg = false;
    const size_t n = format_.size();
    if (i_ < n && format_[i_] == '*') {
        ++i_;
        fromArg = true;
        const TVarRec& a = NextArg();
        if (a.VType() != TVarRec::vtInteger && a.VType() != TVarRec::vtInt64)
            InvalidFormat(format_);
        return a.AsInt64();
    }
    if (i_ >= n || format_[i_] < '0' || format_[i_] > '9')
        return std::nullopt;
    int64_t v = 0;
    while (i_ < n && format_[i_] >= '0' && format_[i_] <= '9') {
        v = std::min<int64_t>(v * 10 + (format_[i_] - '0'), INT_MAX);
        ++i_;
    }
    return v;
}

TFormatSpec TFormatter::ReadSpec() {
    const size_t n = format_.size();
    TFormatSpec spec;
    bool fromArg = false;
    // Index: a number (or "*") followed by ':'.
    const size_t save = i_;
    const std::optional<int64_t> index = ReadNumber(fromArg);
    if (index && i_ < n && format_[i_] == ':') {
        if (*index < 0)
            InvalidFormat(format_);
        ++i_;
        argIndex_ = static_cast<size_t>(*index);
    } else {
        i_ = save;
        if (fromArg)
            --argIndex_; // the "*" is the width: read it again below
    }
    if (i_ < n && format_[i_] == '-') {
        spec.left = true;
        ++i_;
    }
    if (const std::optional<int64_t> width = ReadNumber(fromArg)) {
        // A negative width from the arguments aligns to the left.
        if (*width < 0) {
            spec.left = true;
            spec.width = *width < -kMaxWidth ? kMaxWidth + 1 : -*width;
        } else {
            spec.width = *width;
        }
    }
    if (i_ < n && format_[i_] == '.') {
        ++i_;
        spec.precision = std::max<int64_t>(ReadNumber(fromArg).value_or(0), 0);
    }
    if (i_ >= n || spec.width > kMaxWidth || spec.precision > kMaxWidth)
        InvalidFormat(format_);
    spec.type = static_cast<char>(format_[i_] | 0x20);
    ++i_;
    return spec;
}

std::string TFormatter::Decimal(const TFormatSpec& spec, const TVarRec& a) const {
    std::string digits;
    bool negative = false;
    const bool isUnsigned = spec.type == 'u';
    if (a.VType() == TVarRec::vtInteger) {
        const int64_t v = a.AsInt64();
        if (isUnsigned) {
            digits = std::to_string(static_cast<uint32_t>(v));
        } else {
            negative = v < 0;
            digits = std::to_string(negative ? -v : v);
        }
    } else if (a.VType() == TVarRec::vtInt64) {
        const int64_t v = a.AsInt64();
        if (isUnsigned) {
            digits = std::to_string(static_cast<uint64_t>(v));
        } else {
            negative = v < 0;
            digits =
                std::to_string(negative ? 0 - static_cast<uint64_t>(v) : static_cast<uint64_t>(v));
        }
    } else if (a.VType() == TVarRec::vtUInt64) {
        digits = std::to_string(a.AsUInt64());
    } else {
        InvalidFormat(format_);
    }
    if (spec.precision > static_cast<int64_t>(digits.size()))
        digits.insert(0, static_cast<size_t>(spec.precision) - digits.size(), '0');
    return negative ? "-" + digits : digits;
}

std::string TFormatter::Hex(const TFormatSpec& spec, const TVarRec& a) const {
    std::string text;
    if (a.VType() == TVarRec::vtInteger)
        text = IntToHex(static_cast<uint32_t>(a.AsInt64()), 0);
    else if (a.VType() == TVarRec::vtInt64 || a.VType() == TVarRec::vtUInt64)
        text = IntToHex(a.AsUInt64(), 0);
    else
        InvalidFormat(format_);
    if (spec.precision > static_cast<int64_t>(text.size()))
        text.insert(0, static_cast<size_t>(spec.precision) - text.size(), '0');
    return text;
}

std::string TFormatter::Float(const TFormatSpec& spec, const TVarRec& a) const {
    if (a.VType() != TVarRec::vtExtended)
        InvalidFormat(format_);
    const double v = a.AsDouble();
    const int precision = static_cast<int>(spec.precision);
    const bool given = spec.precision >= 0;
    switch (spec.type) {
    case 'e':
        return FloatToStrF(v, ffExponent, given ? precision : 15, 3, fs_);
    case 'g':
        return FloatToStrF(v, ffGeneral, given ? precision : 15, 0, fs_);
    case 'f':
        return FloatToStrF(v, ffFixed, 18, given ? precision : 2, fs_);
    case 'n':
        return FloatToStrF(v, ffNumber, 18, given ? precision : 2, fs_);
    default:
        return FloatToStrF(v, ffCurrency, 18, given ? precision : fs_.CurrencyDecimals, fs_);
    }
}

std::string TFormatter::Convert(const TFormatSpec& spec) {
    switch (spec.type) {
    case 'd':
    case 'u':
        return Decimal(spec, NextArg());
    case 'x':
        return Hex(spec, NextArg());
    case 'e':
    case 'f':
    case 'g':
    case 'n':
    case 'm':
        return Float(spec, NextArg());
    case 'p': {
        const TVarRec& a = NextArg();
        if (a.VType() != TVarRec::vtPointer)
            InvalidFormat(format_);
        return IntToHex(reinterpret_cast<uintptr_t>(a.AsPointer()),
                        static_cast<int>(sizeof(void*) * 2));
    }
    case 's': {
        const TVarRec& a = NextArg();
        if (a.VType() != TVarRec::vtString && a.VType() != TVarRec::vtChar)
            InvalidFormat(format_);
        if (spec.precision >= 0 && CharCount(a.AsString()) > static_cast<size_t>(spec.precision))
            return FirstChars(a.AsString(), static_cast<size_t>(spec.precision));
        return a.AsString();
    }
    default:
        InvalidFormat(format_);
    }
}

std::string TFormatter::Run() {
    std::string out;
    const size_t n = format_.size();
    while (i_ < n) {
        const size_t pct = format_.find('%', i_);
        if (pct == std::string_view::npos) {
            out.append(format_.substr(i_));
            break;
        }
        out.append(format_.substr(i_, pct - i_));
        i_ = pct + 1;
        if (i_ < n && format_[i_] == '%') {
            out += '%';
            ++i_;
            continue;
        }
        const TFormatSpec spec = ReadSpec();
        std::string text = Convert(spec);
        // Widths count characters: separators and currency signs may take several bytes.
        const size_t chars = CharCount(text);
        if (static_cast<size_t>(spec.width) > chars) {
            const std::string pad(static_cast<size_t>(spec.width) - chars, ' ');
            text = spec.left ? text + pad : pad + text;
        }
        out += text;
    }
    return out;
}

} // namespace

std::string Format(std::string_view format, const std::vector<TVarRec>& args,
                   const TFormatSettings& fs) {
    return TFormatter(format, args, fs).Run();
}
