#pragma once
// Code pages. Program text is UTF-8; bytes leave the program in Windows-1251 (the unit, the
// settings files) or another Windows code page. Windows-1251 uses our own table, in which every
// one of the 256 bytes round-trips (the one unassigned byte, 0x98, maps to U+0098); the other
// code pages go through iconv.

#include <cstdint>
#include <string>
#include <string_view>

constexpr int CP_UTF8 = 65001;
constexpr int CP_1251 = 1251;

// --- Windows-1251 -----------------------------------------------------------------------------

// The character of one Windows-1251 byte.
char32_t Cp1251ToCodePoint(unsigned char byte);
// The Windows-1251 byte of a character, or -1 when the code page has none.
int CodePointToCp1251(char32_t cp);

std::string Cp1251ToUtf8(std::string_view bytes);
// Characters the code page lacks, and malformed UTF-8 bytes, become `replacement`.
std::string Utf8ToCp1251(std::string_view text, char replacement = '?');
// False (and `out` untouched) when some character has no Windows-1251 byte.
bool TryUtf8ToCp1251(std::string_view text, std::string& out);

// Case mapping of Windows-1251 bytes (Cyrillic included), as the system's case tables do.
unsigned char Cp1251UpperChar(unsigned char c);
unsigned char Cp1251LowerChar(unsigned char c);
std::string Cp1251UpperCase(std::string_view bytes);
std::string Cp1251LowerCase(std::string_view bytes);

// --- Other code pages -------------------------------------------------------------------------

// Bytes of Windows code page `codePage` (874, 932, 936, 949, 950, 1250..1258, 65001 ...) to
// UTF-8 and back. Raises EEncodingError for a code page the system cannot convert. Bytes or
// characters without a counterpart become '?'.
std::string CodePageToUtf8(std::string_view bytes, int codePage);
std::string Utf8ToCodePage(std::string_view text, int codePage);

// --- UTF-8 and UTF-16 --------------------------------------------------------------------------

// Decodes one character at `i` and moves past it; a malformed byte yields U+FFFD and moves one.
char32_t Utf8Next(std::string_view s, size_t& i);
void AppendUtf8(std::string& out, char32_t cp);
bool IsValidUtf8(std::string_view s);
std::u16string Utf8ToUtf16(std::string_view s);
std::string Utf16ToUtf8(std::u16string_view s);

// Upper/lower case of UTF-8 text for the Latin-1 and Cyrillic letters as well as ASCII. The
// comparison that ignores case orders blanks, punctuation and symbols ("_", "[", "^", ...) before
// digits and digits before letters, letters by their lower case with "ё" after "е" (as the
// desktop's text comparison sorts); AnsiCompareStr compares code points.
std::string AnsiUpperCase(std::string_view text);
std::string AnsiLowerCase(std::string_view text);
int AnsiCompareText(std::string_view a, std::string_view b);
int AnsiCompareStr(std::string_view a, std::string_view b);
bool AnsiSameText(std::string_view a, std::string_view b);
char32_t UnicodeUpper(char32_t cp);
char32_t UnicodeLower(char32_t cp);

// --- Text encodings for files and streams ------------------------------------------------------

// How the text of a file is stored. Decode turns file bytes into program text (UTF-8); Encode
// does the reverse. The preamble is the byte-order mark written ahead of the text (UTF-8 only).
class TEncoding {
public:
    virtual ~TEncoding() = default;
    virtual std::string Decode(std::string_view bytes) const = 0;
    virtual std::string Encode(std::string_view text) const = 0;
    virtual std::string Preamble() const { return {}; }
    virtual int CodePage() const = 0;

    static const TEncoding& UTF8();      // with a byte-order mark when writing
    static const TEncoding& UTF8NoBOM(); // plain UTF-8 (the program's own default)
    static const TEncoding& CP1251();
    // The encoding of a Windows code page number (65001 is UTF-8 without a mark).
    static const TEncoding& GetEncoding(int codePage);
    static const TEncoding& Default() { return UTF8NoBOM(); }
};

// The encoding that the bytes start with a mark of (UTF-8 BOM), or null; `preambleSize` is the
// length of the mark.
const TEncoding* DetectEncodingFromPreamble(std::string_view bytes, size_t& preambleSize);
