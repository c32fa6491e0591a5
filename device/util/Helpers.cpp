#include "device/util/Helpers.h"

#include <array>

namespace {

constexpr std::array<const char*, 16> kBitStrings = {"0000", "0001", "0010", "0011", "0100", "0101",
                                                     "0110", "0111", "1000", "1001", "1010", "1011",
                                                     "1100", "1101", "1110", "1111"};
constexpr std::array<const char*, 16> kHexDigits = {"0", "1", "2", "3", "4", "5", "6", "7",
                                                    "8", "9", "A", "B", "C", "D", "E", "F"};

} // namespace

std::string HexDigitToBits(const std::string& Digit) {
    for (size_t k = 0; k < kHexDigits.size(); ++k) {
        if (Digit == kHexDigits[k]) {
            return kBitStrings[k];
        }
    }
    return "0";
}

int HexDigitValue(char Digit) {
    if (Digit >= '0' && Digit <= '9') {
        return Digit - '0';
    }
    if (Digit >= 'A' && Digit <= 'F') {
        return Digit - 'A' + 10;
    }
    if (Digit >= 'a' && Digit <= 'f') {
        return Digit - 'a' + 10;
    }
    return -1;
}

std::string BitsToHexDigit(const std::string& Bits) {
    for (size_t k = 0; k < kBitStrings.size(); ++k) {
        if (Bits == kBitStrings[k]) {
            return kHexDigits[k];
        }
    }
    return "0";
}

std::string ByteToBits(uint8_t Value) {
    std::string bits(8, '0');
    for (int i = 0; i < 8; ++i) {
        if (Value & (0x80 >> i)) {
            bits[i] = '1';
        }
    }
    return bits;
}

std::string CopyCharRun(const std::string& Text, int Start) {
    std::string run;
    if (Start < 1) {
        return run;
    }
    for (size_t i = static_cast<size_t>(Start) - 1; i < Text.size(); ++i) {
        if (Text[i] < '0' || Text[i] > '9') {
            break;
        }
        run += Text[i];
    }
    return run;
}

std::string SecondsToDurationText(uint32_t Seconds) {
    const uint32_t days = Seconds / 86400;
    const uint32_t hours = (Seconds % 86400) / 3600;
    const uint32_t minutes = (Seconds % 3600) / 60;
    const uint32_t secs = Seconds % 60;
    std::string text;
    if (days > 0) {
        text += std::to_string(days) + " сут ";
    }
    if (days > 0 || hours > 0) {
        text += std::to_string(hours) + " ч ";
    }
    if (days > 0 || hours > 0 || minutes > 0) {
        text += std::to_string(minutes) + " мин ";
    }
    text += std::to_string(secs) + " сек ";
    return text;
}
