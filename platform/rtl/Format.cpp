#include "platform/rtl/Format.h"

#include "platform/rtl/CodePage.h"
#include "platform/rtl/Exception.h"
#include "platform/rtl/FloatFormat.h"
#include "platform/rtl/Strings.h"

#include <algorithm>
#include <climits>

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

} // namespace

std::string Format(std::string_view format, const std::vector<TVarRec>& args,
                   const TFormatSettings& fs) {
    std::string out;
    size_t argIndex = 0;
    size_t i = 0;
    const size_t n = format.size();

    auto nextArg = [&]() -> const TVarRec& {
        if (argIndex >= args.size())
            NoArgument(format);
        return args[argIndex++];
    };
    // A number, or "*" taking an integer argument; -1 when absent.
    auto readNumber = [&]() -> int64_t {
        if (i < n && format[i] == '*') {
            ++i;
            const TVarRec& a = nextArg();
            if (a.VType() != TVarRec::vtInteger && a.VType() != TVarRec::vtInt64)
                InvalidFormat(format);
            return a.AsInt64();
        }
        if (i >= n || format[i] < '0' || format[i] > '9')
            return -1;
        int64_t v = 0;
        while (i < n && format[i] >= '0' && format[i] <= '9') {
            v = std::min<int64_t>(v * 10 + (format[i] - '0'), INT_MAX);
            ++i;
        }
        return v;
    };

    while (i < n) {
        const size_t pct = format.find('%', i);
        if (pct == std::string_view::npos) {
            out.append(format.substr(i));
            break;
        }
        out.append(format.substr(i, pct - i));
        i = pct + 1;
        if (i < n && format[i] == '%') {
            out += '%';
            ++i;
            continue;
        }
        // Index: a number (or "*") followed by ':'.
        const size_t save = i;
        int64_t number = readNumber();
        if (number >= 0 && i < n && format[i] == ':') {
            ++i;
            argIndex = static_cast<size_t>(number);
            number = -1;
        } else {
            i = save;
            // A "*" read above consumed an argument; reread it as the width below.
            if (number >= 0 && save < n && format[save] == '*')
                --argIndex;
        }
        bool left = false;
        if (i < n && format[i] == '-') {
            left = true;
            ++i;
        }
        int64_t width = readNumber();
        if (width < 0)
            width = 0;
        int64_t precision = -1;
        if (i < n && format[i] == '.') {
            ++i;
            precision = readNumber();
            if (precision < 0)
                precision = 0;
        }
        // Widths beyond any sensible text are refused rather than allocated.
        constexpr int64_t kMaxWidth = 1 << 20;
        if (i >= n || width > kMaxWidth || precision > kMaxWidth)
            InvalidFormat(format);
        const char type = static_cast<char>(format[i] | 0x20);
        ++i;

        std::string text;
        switch (type) {
        case 'd':
        case 'u': {
            const TVarRec& a = nextArg();
            std::string digits;
            bool negative = false;
            if (a.VType() == TVarRec::vtInteger) {
                const int64_t v = a.AsInt64();
                if (type == 'u')
                    digits = std::to_string(static_cast<uint32_t>(v));
                else {
                    negative = v < 0;
                    digits = std::to_string(negative ? -v : v);
                }
            } else if (a.VType() == TVarRec::vtInt64) {
                const int64_t v = a.AsInt64();
                if (type == 'u')
                    digits = std::to_string(static_cast<uint64_t>(v));
                else {
                    negative = v < 0;
                    digits = std::to_string(negative ? 0 - static_cast<uint64_t>(v)
                                                     : static_cast<uint64_t>(v));
                }
            } else if (a.VType() == TVarRec::vtUInt64) {
                digits = std::to_string(a.AsUInt64());
            } else {
                InvalidFormat(format);
            }
            if (precision > static_cast<int64_t>(digits.size()))
                digits.insert(0, static_cast<size_t>(precision) - digits.size(), '0');
            text = negative ? "-" + digits : digits;
            break;
        }
        case 'x': {
            const TVarRec& a = nextArg();
            if (a.VType() == TVarRec::vtInteger)
                text = IntToHex(static_cast<uint32_t>(a.AsInt64()), 0);
            else if (a.VType() == TVarRec::vtInt64 || a.VType() == TVarRec::vtUInt64)
                text = IntToHex(a.AsUInt64(), 0);
            else
                InvalidFormat(format);
            if (precision > static_cast<int64_t>(text.size()))
                text.insert(0, static_cast<size_t>(precision) - text.size(), '0');
            break;
        }
        case 'e':
        case 'f':
        case 'g':
        case 'n':
        case 'm': {
            const TVarRec& a = nextArg();
            if (a.VType() != TVarRec::vtExtended)
                InvalidFormat(format);
            const double v = a.AsDouble();
            switch (type) {
            case 'e':
                text = FloatToStrF(v, ffExponent, precision < 0 ? 15 : int(precision), 3, fs);
                break;
            case 'g':
                text = FloatToStrF(v, ffGeneral, precision < 0 ? 15 : int(precision), 3, fs);
                break;
            case 'f':
                text = FloatToStrF(v, ffFixed, 18, precision < 0 ? 2 : int(precision), fs);
                break;
            case 'n':
                text = FloatToStrF(v, ffNumber, 18, precision < 0 ? 2 : int(precision), fs);
                break;
            default:
                text = FloatToStrF(v, ffCurrency, 18,
                                   precision < 0 ? fs.CurrencyDecimals : int(precision), fs);
            }
            break;
        }
        case 'p': {
            const TVarRec& a = nextArg();
            if (a.VType() != TVarRec::vtPointer)
                InvalidFormat(format);
            text = IntToHex(reinterpret_cast<uintptr_t>(a.AsPointer()),
                            static_cast<int>(sizeof(void*) * 2));
            break;
        }
        case 's': {
            const TVarRec& a = nextArg();
            if (a.VType() != TVarRec::vtString && a.VType() != TVarRec::vtChar)
                InvalidFormat(format);
            text = a.AsString();
            if (precision >= 0 && CharCount(text) > static_cast<size_t>(precision))
                text = FirstChars(text, static_cast<size_t>(precision));
            break;
        }
        default:
            InvalidFormat(format);
        }
        const size_t chars = type == 's' ? CharCount(text) : text.size();
        if (static_cast<size_t>(width) > chars) {
            const std::string pad(static_cast<size_t>(width) - chars, ' ');
            text = left ? text + pad : pad + text;
        }
        out += text;
    }
    return out;
}
