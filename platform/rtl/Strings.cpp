#include "platform/rtl/Strings.h"

#include "platform/rtl/Exception.h"

#include <algorithm>
#include <limits>

namespace {

inline unsigned char U(char c) {
    return static_cast<unsigned char>(c);
}
inline bool IsBlank(char c) {
    return U(c) <= 32;
}
inline char AsciiUpper(char c) {
    return (c >= 'a' && c <= 'z') ? char(c - 32) : c;
}
inline char AsciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? char(c + 32) : c;
}

} // namespace

std::string Copy(std::string_view s, int index, int count) {
    if (index < 1)
        index = 1;
    if (count <= 0 || static_cast<size_t>(index) > s.size())
        return {};
    return std::string(s.substr(index - 1, static_cast<size_t>(count)));
}

std::string Copy(std::string_view s, int index) {
    return Copy(s, index, std::numeric_limits<int>::max());
}

int Pos(std::string_view sub, std::string_view s, int offset) {
    if (sub.empty() || offset < 1 || static_cast<size_t>(offset) > s.size())
        return 0;
    const size_t at = s.find(sub, offset - 1);
    return at == std::string_view::npos ? 0 : static_cast<int>(at) + 1;
}

void Delete(std::string& s, int index, int count) {
    if (index < 1 || count <= 0 || static_cast<size_t>(index) > s.size())
        return;
    s.erase(index - 1, static_cast<size_t>(count));
}

void Insert(std::string_view source, std::string& s, int index) {
    index = std::clamp(index, 1, static_cast<int>(s.size()) + 1);
    s.insert(static_cast<size_t>(index - 1), source);
}

int LastDelimiter(std::string_view delimiters, std::string_view s) {
    const size_t at = s.find_last_of(delimiters);
    return at == std::string_view::npos ? 0 : static_cast<int>(at) + 1;
}

std::string Trim(std::string_view s) {
    size_t b = 0, e = s.size();
    while (b < e && IsBlank(s[b]))
        ++b;
    while (e > b && IsBlank(s[e - 1]))
        --e;
    return std::string(s.substr(b, e - b));
}

std::string TrimLeft(std::string_view s) {
    size_t b = 0;
    while (b < s.size() && IsBlank(s[b]))
        ++b;
    return std::string(s.substr(b));
}

std::string TrimRight(std::string_view s) {
    size_t e = s.size();
    while (e > 0 && IsBlank(s[e - 1]))
        --e;
    return std::string(s.substr(0, e));
}

std::string UpperCase(std::string_view s) {
    std::string r(s);
    for (char& c : r)
        c = AsciiUpper(c);
    return r;
}

std::string LowerCase(std::string_view s) {
    std::string r(s);
    for (char& c : r)
        c = AsciiLower(c);
    return r;
}

int CompareStr(std::string_view a, std::string_view b) {
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i)
        if (a[i] != b[i])
            return U(a[i]) < U(b[i]) ? -1 : 1;
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

int CompareText(std::string_view a, std::string_view b) {
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const unsigned char x = U(AsciiUpper(a[i])), y = U(AsciiUpper(b[i]));
        if (x != y)
            return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

bool SameText(std::string_view a, std::string_view b) {
    return a.size() == b.size() && CompareText(a, b) == 0;
}

bool SameStr(std::string_view a, std::string_view b) {
    return a == b;
}

bool StartsStr(std::string_view prefix, std::string_view s) {
    return s.starts_with(prefix);
}
bool EndsStr(std::string_view suffix, std::string_view s) {
    return s.ends_with(suffix);
}

bool StartsText(std::string_view prefix, std::string_view s) {
    return s.size() >= prefix.size() && SameText(s.substr(0, prefix.size()), prefix);
}

bool EndsText(std::string_view suffix, std::string_view s) {
    return s.size() >= suffix.size() && SameText(s.substr(s.size() - suffix.size()), suffix);
}

bool ContainsStr(std::string_view s, std::string_view sub) {
    return s.find(sub) != std::string_view::npos;
}

bool ContainsText(std::string_view s, std::string_view sub) {
    return UpperCase(s).find(UpperCase(sub)) != std::string::npos;
}

std::string StringOfChar(char c, int count) {
    return count > 0 ? std::string(static_cast<size_t>(count), c) : std::string();
}

std::string DupeString(std::string_view s, int count) {
    std::string r;
    for (int i = 0; i < count; ++i)
        r += s;
    return r;
}

std::string StringReplace(std::string_view s, std::string_view oldPattern,
                          std::string_view newPattern, TReplaceFlags flags) {
    if (oldPattern.empty())
        return std::string(s);
    const bool ignoreCase = flags & rfIgnoreCase;
    const std::string hay = ignoreCase ? UpperCase(s) : std::string(s);
    const std::string needle = ignoreCase ? UpperCase(oldPattern) : std::string(oldPattern);
    std::string r;
    size_t from = 0;
    while (true) {
        const size_t at = hay.find(needle, from);
        if (at == std::string::npos)
            break;
        r.append(s.substr(from, at - from));
        r.append(newPattern);
        from = at + needle.size();
        if (!(flags & rfReplaceAll))
            break;
    }
    r.append(s.substr(from));
    return r;
}

std::string AnsiQuotedStr(std::string_view s, char quote) {
    std::string r(1, quote);
    for (char c : s) {
        r += c;
        if (c == quote)
            r += c;
    }
    r += quote;
    return r;
}

std::string QuotedStr(std::string_view s, char quote) {
    return AnsiQuotedStr(s, quote);
}

std::string AnsiExtractQuotedStr(std::string_view& p, char quote) {
    if (p.empty() || p.front() != quote)
        return {};
    std::string r;
    size_t i = 1;
    while (i < p.size()) {
        if (p[i] == quote) {
            if (i + 1 < p.size() && p[i + 1] == quote) {
                r += quote;
                i += 2;
                continue;
            }
            ++i; // closing quote
            break;
        }
        r += p[i++];
    }
    p.remove_prefix(i);
    return r;
}

std::string AnsiDequotedStr(std::string_view s, char quote) {
    if (s.empty() || s.front() != quote)
        return std::string(s);
    std::string_view p = s;
    return AnsiExtractQuotedStr(p, quote);
}

std::string IntToStr(int64_t value) {
    return std::to_string(value);
}
std::string UIntToStr(uint64_t value) {
    return std::to_string(value);
}

std::string IntToHex(uint64_t value, int digits, int bits) {
    static const char hex[] = "0123456789ABCDEF";
    if (bits < 64)
        value &= (uint64_t(1) << bits) - 1;
    std::string r;
    do {
        r.insert(r.begin(), hex[value & 15]);
        value >>= 4;
    } while (value != 0);
    if (digits > static_cast<int>(r.size()))
        r.insert(0, static_cast<size_t>(digits) - r.size(), '0');
    return r;
}

namespace {

// Shared by the 32- and 64-bit readers: `bits` is the width of the result.
bool ParseInteger(std::string_view s, int bits, int64_t& out) {
    size_t i = 0;
    while (i < s.size() && s[i] == ' ')
        ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) {
        negative = s[i] == '-';
        ++i;
    }
    bool hex = false;
    if (i < s.size() && (s[i] == '$' || s[i] == 'x' || s[i] == 'X')) {
        hex = true;
        ++i;
    } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
        hex = true;
        i += 2;
    }
    if (i >= s.size())
        return false;
    const uint64_t widthMask = bits == 64 ? ~uint64_t(0) : (uint64_t(1) << bits) - 1;
    uint64_t magnitude = 0;
    for (; i < s.size(); ++i) {
        const char c = s[i];
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (hex && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (hex && c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            return false;
        const unsigned base = hex ? 16 : 10;
        if (magnitude > (widthMask - digit) / base)
            return false; // does not fit the width
        magnitude = magnitude * base + digit;
    }
    if (hex) {
        // Hex is a bit pattern of the result's width: $FFFFFFFF is -1 for a 32-bit value.
        int64_t v =
            bits == 64
                ? static_cast<int64_t>(magnitude)
                : static_cast<int64_t>(static_cast<int32_t>(static_cast<uint32_t>(magnitude)));
        out = negative ? static_cast<int64_t>(0 - static_cast<uint64_t>(v)) : v;
        if (bits == 32)
            out = static_cast<int32_t>(static_cast<uint32_t>(out));
        return true;
    }
    const uint64_t limit = uint64_t(1) << (bits - 1); // magnitude of the most negative value
    if (negative) {
        if (magnitude > limit)
            return false;
        out = static_cast<int64_t>(0 - magnitude);
    } else {
        if (magnitude > limit - 1)
            return false;
        out = static_cast<int64_t>(magnitude);
    }
    return true;
}

[[noreturn]] void InvalidInteger(std::string_view s) {
    throw EConvertError("'" + std::string(s) + "' is not a valid integer value");
}

} // namespace

bool TryStrToInt(std::string_view s, int32_t& value) {
    int64_t v;
    if (!ParseInteger(s, 32, v))
        return false;
    value = static_cast<int32_t>(v);
    return true;
}

bool TryStrToInt64(std::string_view s, int64_t& value) {
    return ParseInteger(s, 64, value);
}

int32_t StrToInt(std::string_view s) {
    int32_t v;
    if (!TryStrToInt(s, v))
        InvalidInteger(s);
    return v;
}

int64_t StrToInt64(std::string_view s) {
    int64_t v;
    if (!TryStrToInt64(s, v))
        InvalidInteger(s);
    return v;
}

int32_t StrToIntDef(std::string_view s, int32_t def) {
    int32_t v;
    return TryStrToInt(s, v) ? v : def;
}

int64_t StrToInt64Def(std::string_view s, int64_t def) {
    int64_t v;
    return TryStrToInt64(s, v) ? v : def;
}

bool TryStrToBool(std::string_view s, bool& value) {
    if (SameText(s, "True")) {
        value = true;
        return true;
    }
    if (SameText(s, "False")) {
        value = false;
        return true;
    }
    int64_t n;
    if (!TryStrToInt64(s, n))
        return false;
    value = n != 0;
    return true;
}

bool StrToBool(std::string_view s) {
    bool v;
    if (!TryStrToBool(s, v))
        throw EConvertError("'" + std::string(s) + "' is not a valid boolean value");
    return v;
}

bool StrToBoolDef(std::string_view s, bool def) {
    bool v;
    return TryStrToBool(s, v) ? v : def;
}

std::string BoolToStr(bool value, bool useBoolStrs) {
    if (useBoolStrs)
        return value ? "True" : "False";
    return value ? "-1" : "0";
}
