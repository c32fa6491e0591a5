#include "platform/rtl/CodePage.h"

#include "platform/rtl/Exception.h"

#include <array>
#include <cerrno>
#include <iconv.h>
#include <map>
#include <memory>
#include <mutex>

namespace {

// Characters of bytes 0x80..0xFF. 0x98 has no character in the code page; it maps to U+0098 so
// that every byte survives a round trip.
constexpr char16_t kCp1251High[128] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, // 80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F, // 88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, // 98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, // A0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, // A8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7, // B0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457, // B8
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417, // C0
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F, // C8
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427, // D0
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F, // D8
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437, // E0
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F, // E8
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447, // F0
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F, // F8
};

struct Cp1251Tables {
    std::map<char32_t, unsigned char> reverse;
    std::array<unsigned char, 256> upper{};
    std::array<unsigned char, 256> lower{};
    Cp1251Tables() {
        for (int b = 0x80; b < 0x100; ++b)
            reverse[kCp1251High[b - 0x80]] = static_cast<unsigned char>(b);
        for (int b = 0; b < 256; ++b) {
            const char32_t cp = Cp1251ToCodePoint(static_cast<unsigned char>(b));
            const int up = CodePointToCp1251Raw(UnicodeUpper(cp));
            const int low = CodePointToCp1251Raw(UnicodeLower(cp));
            upper[b] = static_cast<unsigned char>(up >= 0 ? up : b);
            lower[b] = static_cast<unsigned char>(low >= 0 ? low : b);
        }
    }
    int CodePointToCp1251Raw(char32_t cp) const {
        if (cp < 0x80)
            return static_cast<int>(cp);
        auto it = reverse.find(cp);
        return it == reverse.end() ? -1 : it->second;
    }
};

const Cp1251Tables& Tables() {
    static const Cp1251Tables tables;
    return tables;
}

} // namespace

char32_t Cp1251ToCodePoint(unsigned char byte) {
    return byte < 0x80 ? char32_t(byte) : char32_t(kCp1251High[byte - 0x80]);
}

int CodePointToCp1251(char32_t cp) {
    return Tables().CodePointToCp1251Raw(cp);
}

std::string Cp1251ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() * 2);
    for (char c : bytes)
        AppendUtf8(out, Cp1251ToCodePoint(static_cast<unsigned char>(c)));
    return out;
}

std::string Utf8ToCp1251(std::string_view text, char replacement) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        const size_t start = i;
        const char32_t cp = Utf8Next(text, i);
        const bool malformed =
            cp == 0xFFFD && !(i - start == 3 && text.substr(start, 3) == "\xEF\xBF\xBD");
        const int b = malformed ? -1 : CodePointToCp1251(cp);
        out += b >= 0 ? static_cast<char>(b) : replacement;
    }
    return out;
}

bool TryUtf8ToCp1251(std::string_view text, std::string& out) {
    std::string r;
    r.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        const size_t start = i;
        const char32_t cp = Utf8Next(text, i);
        if (cp == 0xFFFD && !(i - start == 3))
            return false; // malformed byte
        const int b = CodePointToCp1251(cp);
        if (b < 0)
            return false;
        r += static_cast<char>(b);
    }
    out = std::move(r);
    return true;
}

unsigned char Cp1251UpperChar(unsigned char c) {
    return Tables().upper[c];
}
unsigned char Cp1251LowerChar(unsigned char c) {
    return Tables().lower[c];
}

std::string Cp1251UpperCase(std::string_view bytes) {
    std::string r(bytes);
    for (char& c : r)
        c = static_cast<char>(Cp1251UpperChar(static_cast<unsigned char>(c)));
    return r;
}

std::string Cp1251LowerCase(std::string_view bytes) {
    std::string r(bytes);
    for (char& c : r)
        c = static_cast<char>(Cp1251LowerChar(static_cast<unsigned char>(c)));
    return r;
}

// --- UTF-8 / UTF-16 -----------------------------------------------------------------------------

char32_t Utf8Next(std::string_view s, size_t& i) {
    const auto b0 = static_cast<unsigned char>(s[i]);
    if (b0 < 0x80) {
        ++i;
        return b0;
    }
    int len;
    char32_t cp;
    if ((b0 & 0xE0) == 0xC0) {
        len = 2;
        cp = b0 & 0x1F;
    } else if ((b0 & 0xF0) == 0xE0) {
        len = 3;
        cp = b0 & 0x0F;
    } else if ((b0 & 0xF8) == 0xF0) {
        len = 4;
        cp = b0 & 0x07;
    } else {
        ++i;
        return 0xFFFD;
    }
    if (i + len > s.size()) {
        ++i;
        return 0xFFFD;
    }
    for (int k = 1; k < len; ++k) {
        const auto b = static_cast<unsigned char>(s[i + k]);
        if ((b & 0xC0) != 0x80) {
            ++i;
            return 0xFFFD;
        }
        cp = (cp << 6) | (b & 0x3F);
    }
    // Reject overlong forms, surrogates and values beyond the Unicode range.
    static constexpr char32_t kMin[5] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < kMin[len] || (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF) {
        ++i;
        return 0xFFFD;
    }
    i += len;
    return cp;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

bool IsValidUtf8(std::string_view s) {
    for (size_t i = 0; i < s.size();) {
        const size_t start = i;
        if (Utf8Next(s, i) == 0xFFFD && i - start != 3)
            return false;
    }
    return true;
}

std::u16string Utf8ToUtf16(std::string_view s) {
    std::u16string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size();) {
        const char32_t cp = Utf8Next(s, i);
        if (cp >= 0x10000) {
            out += static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
        } else {
            out += static_cast<char16_t>(cp);
        }
    }
    return out;
}

std::string Utf16ToUtf8(std::u16string_view s) {
    std::string out;
    out.reserve(s.size() * 2);
    for (size_t i = 0; i < s.size(); ++i) {
        char32_t cp = s[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 &&
            s[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (s[i + 1] - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = 0xFFFD; // unpaired surrogate
        }
        AppendUtf8(out, cp);
    }
    return out;
}

char32_t UnicodeUpper(char32_t cp) {
    if (cp >= 'a' && cp <= 'z')
        return cp - 32;
    if ((cp >= 0xE0 && cp <= 0xFE && cp != 0xF7))
        return cp - 32;
    if (cp == 0xFF)
        return 0x178;
    if (cp >= 0x430 && cp <= 0x44F)
        return cp - 32;
    if (cp >= 0x450 && cp <= 0x45F)
        return cp - 80;
    if (cp >= 0x460 && cp <= 0x4FF && (cp & 1) && !(cp >= 0x482 && cp <= 0x489) &&
        !(cp >= 0x4C0 && cp <= 0x4CF))
        return cp - 1;
    if (cp >= 0x4C2 && cp <= 0x4CE && !(cp & 1))
        return cp - 1;
    return cp;
}

char32_t UnicodeLower(char32_t cp) {
    if (cp >= 'A' && cp <= 'Z')
        return cp + 32;
    if (cp >= 0xC0 && cp <= 0xDE && cp != 0xD7)
        return cp + 32;
    if (cp == 0x178)
        return 0xFF;
    if (cp >= 0x410 && cp <= 0x42F)
        return cp + 32;
    if (cp >= 0x400 && cp <= 0x40F)
        return cp + 80;
    if (cp >= 0x460 && cp <= 0x4FF && !(cp & 1) && !(cp >= 0x482 && cp <= 0x489) &&
        !(cp >= 0x4C0 && cp <= 0x4CF))
        return cp + 1;
    if (cp >= 0x4C1 && cp <= 0x4CD && (cp & 1))
        return cp + 1;
    return cp;
}

namespace {
template <typename F> std::string MapUtf8(std::string_view text, F map) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        const size_t start = i;
        const char32_t cp = Utf8Next(text, i);
        if (cp == 0xFFFD && i - start != 3)
            out.append(text.substr(start, i - start)); // keep malformed bytes as they are
        else
            AppendUtf8(out, map(cp));
    }
    return out;
}
} // namespace

std::string AnsiUpperCase(std::string_view text) {
    return MapUtf8(text, UnicodeUpper);
}
std::string AnsiLowerCase(std::string_view text) {
    return MapUtf8(text, UnicodeLower);
}

int AnsiCompareStr(std::string_view a, std::string_view b) {
    // Byte order of UTF-8 is code point order.
    const int c = a.compare(b);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

namespace {

bool IsPunctuationOrSymbol(char32_t cp) {
    if (cp < 0x80)
        return !(cp >= '0' && cp <= '9') && !(cp >= 'A' && cp <= 'Z') && !(cp >= 'a' && cp <= 'z');
    return cp < 0xC0 || cp == 0xD7 || cp == 0xF7 || (cp >= 0x2000 && cp < 0x2C00) ||
           (cp >= 0x3000 && cp < 0x3040);
}

// Sort weight of one character when case does not count: blanks, punctuation and symbols
// first, then digits, then letters by their lower case, with "ё" right after "е".
uint64_t TextWeight(char32_t cp) {
    if (IsPunctuationOrSymbol(cp))
        return cp;
    if (cp >= '0' && cp <= '9')
        return (uint64_t{1} << 40) | cp;
    const char32_t lower = UnicodeLower(cp);
    if (lower == 0x451) // ё
        return (uint64_t{2} << 40) | (uint64_t{0x435} << 1) | 1;
    return (uint64_t{2} << 40) | (uint64_t{lower} << 1);
}

} // namespace

int AnsiCompareText(std::string_view a, std::string_view b) {
    size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        const uint64_t x = TextWeight(Utf8Next(a, i));
        const uint64_t y = TextWeight(Utf8Next(b, j));
        if (x != y)
            return x < y ? -1 : 1;
    }
    if (i < a.size())
        return 1;
    if (j < b.size())
        return -1;
    return 0;
}

bool AnsiSameText(std::string_view a, std::string_view b) {
    return AnsiCompareText(a, b) == 0;
}

// --- Other code pages through iconv ------------------------------------------------------------

namespace {

std::string IconvName(int codePage) {
    switch (codePage) {
    case 932:
        return "CP932";
    case 936:
        return "CP936";
    case 949:
        return "CP949";
    case 950:
        return "CP950";
    case 1200:
        return "UTF-16LE";
    case 1201:
        return "UTF-16BE";
    case 20866:
        return "KOI8-R";
    case 21866:
        return "KOI8-U";
    case 28591:
        return "ISO-8859-1";
    case 28595:
        return "ISO-8859-5";
    default:
        return "CP" + std::to_string(codePage);
    }
}

struct IconvHandle {
    iconv_t cd;
    explicit IconvHandle(iconv_t h) : cd(h) {}
    ~IconvHandle() {
        if (cd != reinterpret_cast<iconv_t>(-1))
            iconv_close(cd);
    }
};

// Converts with '?' for every input sequence or character that has no counterpart. `unitSize`
// is the size of one input unit to skip past a bad sequence.
std::string Convert(std::string_view in, const std::string& from, const std::string& to,
                    int codePage) {
    IconvHandle h(iconv_open(to.c_str(), from.c_str()));
    if (h.cd == reinterpret_cast<iconv_t>(-1))
        throw EEncodingError("No conversion for code page " + std::to_string(codePage));
    const bool fromUtf8 = from == "UTF-8";
    std::string out;
    char buffer[4096];
    char* src = const_cast<char*>(in.data());
    size_t left = in.size();
    while (left > 0) {
        char* dst = buffer;
        size_t room = sizeof buffer;
        const size_t r = iconv(h.cd, &src, &left, &dst, &room);
        out.append(buffer, static_cast<size_t>(dst - buffer));
        if (r == static_cast<size_t>(-1)) {
            if (errno == E2BIG)
                continue;
            // EILSEQ or EINVAL: skip one character of input and mark the loss.
            size_t skip = 1;
            if (fromUtf8) {
                size_t i = 0;
                Utf8Next(std::string_view(src, left), i);
                skip = i;
            }
            src += skip;
            left -= std::min(skip, left);
            if (to == "UTF-8")
                out += '?';
            else {
                // '?' in the target code page (ASCII-compatible in every Windows code page).
                out += '?';
            }
            iconv(h.cd, nullptr, nullptr, nullptr, nullptr);
        }
    }
    char* dst = buffer;
    size_t room = sizeof buffer;
    iconv(h.cd, nullptr, nullptr, &dst, &room);
    out.append(buffer, static_cast<size_t>(dst - buffer));
    return out;
}

} // namespace

std::string CodePageToUtf8(std::string_view bytes, int codePage) {
    if (codePage == CP_UTF8)
        return std::string(bytes);
    if (codePage == CP_1251)
        return Cp1251ToUtf8(bytes);
    return Convert(bytes, IconvName(codePage), "UTF-8", codePage);
}

std::string Utf8ToCodePage(std::string_view text, int codePage) {
    if (codePage == CP_UTF8)
        return std::string(text);
    if (codePage == CP_1251)
        return Utf8ToCp1251(text);
    return Convert(text, "UTF-8", IconvName(codePage), codePage);
}

// --- Encodings ---------------------------------------------------------------------------------

namespace {

class TUtf8Encoding : public TEncoding {
public:
    explicit TUtf8Encoding(bool bom) : bom_(bom) {}
    std::string Decode(std::string_view bytes) const override { return std::string(bytes); }
    std::string Encode(std::string_view text) const override { return std::string(text); }
    std::string Preamble() const override { return bom_ ? "\xEF\xBB\xBF" : ""; }
    int CodePage() const override { return CP_UTF8; }

private:
    bool bom_;
};

class TCodePageEncoding : public TEncoding {
public:
    explicit TCodePageEncoding(int codePage) : codePage_(codePage) {}
    std::string Decode(std::string_view bytes) const override {
        return CodePageToUtf8(bytes, codePage_);
    }
    std::string Encode(std::string_view text) const override {
        return Utf8ToCodePage(text, codePage_);
    }
    int CodePage() const override { return codePage_; }

private:
    int codePage_;
};

} // namespace

const TEncoding& TEncoding::UTF8() {
    static const TUtf8Encoding e(true);
    return e;
}

const TEncoding& TEncoding::UTF8NoBOM() {
    static const TUtf8Encoding e(false);
    return e;
}

const TEncoding& TEncoding::CP1251() {
    static const TCodePageEncoding e(CP_1251);
    return e;
}

const TEncoding& TEncoding::GetEncoding(int codePage) {
    if (codePage == CP_UTF8)
        return UTF8NoBOM();
    if (codePage == CP_1251)
        return CP1251();
    static std::mutex mutex;
    static std::map<int, std::unique_ptr<TCodePageEncoding>> cache;
    std::lock_guard lock(mutex);
    auto& slot = cache[codePage];
    if (!slot) {
        Convert("", "UTF-8", IconvName(codePage), codePage); // raises for an unknown code page
        slot = std::make_unique<TCodePageEncoding>(codePage);
    }
    return *slot;
}

const TEncoding* DetectEncodingFromPreamble(std::string_view bytes, size_t& preambleSize) {
    if (bytes.starts_with("\xEF\xBB\xBF")) {
        preambleSize = 3;
        return &TEncoding::UTF8();
    }
    preambleSize = 0;
    return nullptr;
}
