#pragma once
// The number in a masked edit's text ("!99", "!99999"): a blank is a digit not yet typed and
// counts as 0. Only digits and blanks make a number.

#include <string>

// False for a text with anything but digits and blanks, or a number too large for an int.
bool TryMaskedNumber(const std::string& text, int& number);
// A text that is no number gives 0.
int MaskedNumber(const std::string& text);
// For a value going to the unit: raises EConvertError for a text that is no number.
int MaskedValue(const std::string& text);
