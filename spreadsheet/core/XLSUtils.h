#pragma once
// Small operations the spreadsheet library shares: error texts, areas, colours, units, texts.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// The text of a published error code: "#NULL!", "#DIV/0!", ... and "#???" for any other.
std::u16string ErrorCodeText(int code);

void NormalizeArea(int& col1, int& row1, int& col2, int& row2);
// False (nothing changed) when the area lies wholly outside the sheet; else clipped to it.
bool ClipToSheet(int& col1, int& row1, int& col2, int& row2);

// Colour indexes above 64 (automatic) become 64.
int ClampColorIndex(int c);
// The palette index from 8 to 63 whose colour is nearest to `rgb` (sum of the absolute
// differences of the red, green and blue bytes); the first wins a tie.
int NearestPaletteColor(uint32_t rgb, const std::array<uint32_t, 64>& palette);

double EMUToCm(int64_t value);
int64_t CmToEMU(double value);

// The system's temporary directory.
std::string TempDirectory();

// Value below 256 with its bit set in a 256-bit set.
bool ByteInSet(uint16_t value, const uint8_t set[32]);
std::u16string ReplaceAllText(std::u16string_view text, std::u16string_view find,
                              std::u16string_view replace);
// One-based position of the first byte `c`, or -1.
int CharPos(char c, std::string_view text);
// One-based position of the last code unit `c`, or -1.
int LastCharPos(char16_t c, std::u16string_view text);

// Texts stored with a leading flag byte: 1 for UTF-16 code units, else single bytes.
// `bytes` holds the flag and what follows it; a short input gives the characters that fit.
std::u16string FlaggedToWide(std::string_view bytes, int count);
std::string WideToFlagged(std::u16string_view text);
// 0: code-page bytes follow; 1: UTF-16 follows; any other first byte: the whole input is
// code-page text.
std::u16string FlaggedAnsiToWide(std::string_view bytes);

std::u16string UpperText(std::u16string_view text);
