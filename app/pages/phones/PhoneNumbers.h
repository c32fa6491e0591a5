#pragma once
// The service phone numbers page's rules: ten numbers of at most 30 characters, what a key may do
// to a number, and the numbers' own section of a settings file.

#include <array>
#include <string>

#include "platform/graphics/Color.h"

class TCustomIniFile;

constexpr int ServicePhoneCount = 10;
constexpr int MaxPhoneLength = 30;

// Column 1 of grid rows 1 to 10.
using TPhoneNumbers = std::array<std::string, ServicePhoneCount>;

// Whether a key typed into a cell holding `cell` is taken: backspace always, anything else only
// while the cell holds fewer than 30 characters.
bool PhoneKeyAllowed(const std::string& cell, char16_t key);
// A number as the page keeps it: at most its first 30 characters (a pasted text is cut).
std::string CutPhoneNumber(const std::string& text);
// Whether every number is empty.
bool NoPhoneNumbers(const TPhoneNumbers& numbers);

// Black on a light background, white on a dark one (by the colour's perceived lightness).
TColor ContrastingTextColor(TColor background);

// Section "EnPhones", keys "EnPhone1" to "EnPhone10" (empty for an empty row).
void SavePhoneNumbers(TCustomIniFile& ini, const TPhoneNumbers& numbers);
TPhoneNumbers LoadPhoneNumbers(TCustomIniFile& ini);
