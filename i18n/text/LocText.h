#pragma once
// Routines over the localiser's single-byte entry lines: delimited fields and words, a fast
// byte search and replace, C-style escapes and the distorted texts of the translation test
// mode. Positions are 1-based where a routine returns one; fields count from 0 (field 0 is the
// text before the first delimiter). Text is bytes in the Windows code page (1251 here).

#include <cstdint>
#include <string>
#include <string_view>

class TStrings;

// --- Fields -------------------------------------------------------------------------------------

// Field `index`; empty when the text has fewer delimiters. The text after the last delimiter
// counts as a field.
std::string GetField(std::string_view text, char delimiter, int index);
// The same for UTF-16 text, except that a field is returned only when a delimiter follows it.
std::u16string GetWideField(std::u16string_view text, char16_t delimiter, int index);
// How many bytes of `text` are among the bytes of `delimiters`.
int CountDelimiters(std::string_view text, std::string_view delimiters);
// Field 0 and the text fields but field `index`, each followed by the delimiter.
std::string DeleteColumn(std::string_view line, int index, char delimiter);
void DeleteColumnInList(TStrings& list, int index, char delimiter);
// Text field `from` moved to position `to` among the text fields; field 0 stays first.
std::string MoveColumn(std::string_view line, int from, int to, char delimiter);
void MoveColumnInList(TStrings& list, int from, int to, char delimiter);

// --- Words: runs of delimiter bytes separate words, so an empty field is no word ------------

// 1-based position of the first byte of word n (n from 1); 0 when there are fewer words.
int WordPosition(int n, std::string_view text, std::string_view delimiters);
std::string ExtractWord(int n, std::string_view text, std::string_view delimiters);

// --- Search and replace -------------------------------------------------------------------------

// 1-based position of the first occurrence of pattern (bytes compared exactly); 0 when there is
// none, 1 for an empty pattern. A Boyer-Moore-Horspool search.
int FindText(std::string_view pattern, std::string_view text);
// The occurrences of `oldText` (left to right, not overlapping) replaced by `newText`; only the
// first unless `all`. An empty `oldText` matches nothing.
std::string ReplaceText(std::string_view text, std::string_view oldText, std::string_view newText,
                        bool all);
// Locale-aware comparisons of Windows-1251 texts, ignoring and respecting case; 0 when equal.
int CompareTextLocale(std::string_view a, std::string_view b);
int CompareStrLocale(std::string_view a, std::string_view b);

// --- Escapes ------------------------------------------------------------------------------------

// \n \r \t \a \b \f \v, \\ \" \' \?, \x with one or two hex digits and \ with one to three
// octal digits become one byte; any other backslash stays with the character after it.
std::string DecodeEscapes(std::string_view text);

// --- Test mode ----------------------------------------------------------------------------------

// Upper-case letters made lower case and every other byte upper case (Windows-1251 letters).
std::string FlipCase(std::string_view text);
// Length * percent / 100 fill bytes spread evenly after the characters (the last one takes the
// rest); a text holding "%" is returned unchanged. At most MaxExpansion bytes are added.
constexpr int64_t MaxExpansion = 1 << 20;
std::string ExpandChars(std::string_view text, char fillChar, int percent);
