#pragma once
// String helpers with the classic runtime's semantics: 1-based positions, Trim removing every
// character up to the blank, ASCII case mapping (and the Windows-1251 / UTF-8 aware "Ansi" forms
// in CodePage.h), and integer conversions that read "$" hex with 32-bit wrap.

#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>

// --- Positions (1-based) --------------------------------------------------------------------

// Up to `count` characters of `s` from position `index` (1-based). An index below 1 counts
// from 1, one past the end gives "", a negative count gives "".
std::string Copy(std::string_view s, int index, int count);
// Everything from position `index` to the end.
std::string Copy(std::string_view s, int index);
// Position (1-based) of the first `sub` in `s` at or after `offset`; 0 when absent or `sub` is
// empty.
int Pos(std::string_view sub, std::string_view s, int offset = 1);
// Removes `count` characters from position `index`; out-of-range parts are ignored.
void Delete(std::string& s, int index, int count);
// Inserts `source` before position `index` (clamped to 1..length+1).
void Insert(std::string_view source, std::string& s, int index);
// Position of the last character of `s` that is one of `delimiters`, or 0.
int LastDelimiter(std::string_view delimiters, std::string_view s);

// --- Trimming and case ------------------------------------------------------------------------

// Remove every character whose code is at most 32 (blank and control characters).
std::string Trim(std::string_view s);
std::string TrimLeft(std::string_view s);
std::string TrimRight(std::string_view s);

// ASCII letters only; every other byte is kept.
std::string UpperCase(std::string_view s);
std::string LowerCase(std::string_view s);
// Compare ignoring ASCII case: <0, 0, >0 (bytes compared unsigned).
int CompareText(std::string_view a, std::string_view b);
int CompareStr(std::string_view a, std::string_view b);
bool SameText(std::string_view a, std::string_view b);
bool SameStr(std::string_view a, std::string_view b);

bool StartsStr(std::string_view prefix, std::string_view s);
bool EndsStr(std::string_view suffix, std::string_view s);
bool StartsText(std::string_view prefix, std::string_view s);
bool EndsText(std::string_view suffix, std::string_view s);
bool ContainsStr(std::string_view s, std::string_view sub);
bool ContainsText(std::string_view s, std::string_view sub);

// --- Building -------------------------------------------------------------------------------

std::string StringOfChar(char c, int count);
std::string DupeString(std::string_view s, int count);

enum TReplaceFlag : unsigned { rfReplaceAll = 1, rfIgnoreCase = 2 };
using TReplaceFlags = unsigned;
// Replaces the first (or every, with rfReplaceAll) `oldPattern`; rfIgnoreCase compares ASCII
// letters without case.
std::string StringReplace(std::string_view s, std::string_view oldPattern,
                          std::string_view newPattern, TReplaceFlags flags);

// 'it''s' style quoting with doubled inner quotes, and its inverse.
std::string QuotedStr(std::string_view s, char quote = '\'');
std::string AnsiQuotedStr(std::string_view s, char quote);
// Removes one pair of quotes and undoubles inner ones. Without a leading quote, returns `s`.
std::string AnsiDequotedStr(std::string_view s, char quote);
// Reads a quoted string at `p` (which points at the quote) and moves `p` past it. Reads to the
// end when the closing quote is missing.
std::string AnsiExtractQuotedStr(std::string_view& p, char quote);

// --- Integers -------------------------------------------------------------------------------

std::string IntToStr(int64_t value);
std::string UIntToStr(uint64_t value);

// Upper-case hex, zero padded to `digits`, wider when needed. A negative value prints as the
// two's complement of its own width (IntToHex(-1, 2) == "FFFFFFFF" for a 32-bit int).
std::string IntToHex(uint64_t value, int digits, int bits);
template <typename T>
requires std::is_integral_v<T> std::string IntToHex(T value, int digits = 0) {
    constexpr int bits = sizeof(T) <= 4 ? 32 : 64;
    using U = std::conditional_t<(sizeof(T) <= 4), uint32_t, uint64_t>;
    return IntToHex(static_cast<uint64_t>(static_cast<U>(value)), digits, bits);
}

// Integer text: optional leading blanks, a sign, then decimal digits or hex after "$", "x" or
// "0x" (either case). Decimal must fit the type; hex wraps as two's complement when it fits the
// type's width ("$FFFFFFFF" is -1). Anything else (trailing blanks included) is an error.
bool TryStrToInt(std::string_view s, int32_t& value);
bool TryStrToInt64(std::string_view s, int64_t& value);
// Raise EConvertError "'<s>' is not a valid integer value".
int32_t StrToInt(std::string_view s);
int64_t StrToInt64(std::string_view s);
int32_t StrToIntDef(std::string_view s, int32_t def);
int64_t StrToInt64Def(std::string_view s, int64_t def);

// "True"/"False" and numbers (0 is false); BoolToStr gives "-1"/"0" or, with useBoolStrs,
// "True"/"False".
bool TryStrToBool(std::string_view s, bool& value);
bool StrToBool(std::string_view s);
bool StrToBoolDef(std::string_view s, bool def);
std::string BoolToStr(bool value, bool useBoolStrs = false);
