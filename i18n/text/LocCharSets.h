#pragma once
// Windows character sets as the localiser names them in its CharSets lists, the code page of
// each, and conversions of single-byte text between a charset's code page, UTF-16 and UTF-8.
// Characters a code page cannot hold become '?'.

#include "platform/rtl/FontCharsets.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct TLocCharSetName {
    const char* Name;
    uint8_t CharSet;
};

// The 19 charset names and numbers, in the order of the charset numbers.
const std::vector<TLocCharSetName>& CharSetNames();
// The number of a charset name (exact text); -1 when the name is not one of them.
int CharSetOfName(std::string_view name);
// The code page of a charset; charsets without one of their own (default, symbol, Mac, OEM and
// unknown numbers) take the program's ANSI code page, 1251.
int CharSetCodePage(uint8_t charSet);

std::u16string AnsiToWideByCharSet(std::string_view text, uint8_t charSet);
std::string WideToAnsiByCharSet(std::u16string_view text, uint8_t charSet);
std::string AnsiToUtf8ByCharSet(std::string_view text, uint8_t charSet);
std::string Utf8ToAnsiByCharSet(std::string_view text, uint8_t charSet);
