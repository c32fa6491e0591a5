#pragma once
// Small conversions shared by the device link and the application: hex digits to and from bit
// strings, a byte as bits, a run of digits inside a text, and a duration in words.

#include <cstdint>
#include <string>

// The four-character bit string of an upper-case hex digit ("B" -> "1011"). The digit is matched
// exactly as given: lower-case letters and anything else give "0".
std::string HexDigitToBits(const std::string& Digit);

// The value of a hexadecimal digit of either letter case ('b' -> 11), or -1 for any other
// character.
int HexDigitValue(char Digit);

// The upper-case hex digit of a four-character bit string ("1111" -> "F"); anything else gives "0".
std::string BitsToHexDigit(const std::string& Bits);

// The eight bits of a byte, most significant first (56 -> "00111000").
std::string ByteToBits(uint8_t Value);

// The decimal digits of Text from the 1-based position Start on, up to the first non-digit
// ("COM12:", 4 -> "12"). A start beyond the text gives an empty text.
std::string CopyCharRun(const std::string& Text, int Start);

// A duration in words as the operator reads it: "1 ч 2 мин 5 сек " for 3725 seconds. Leading
// zero units are left out, the smaller ones are always shown, and the text ends with a blank.
std::string SecondsToDurationText(uint32_t Seconds);
