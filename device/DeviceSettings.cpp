#include "device/DeviceSettings.h"

#include "device/util/Helpers.h"
#include "platform/rtl/Exception.h"
#include "platform/rtl/FloatFormat.h"
#include "platform/rtl/Strings.h"

#include <cctype>

namespace {

bool IsHexDigit(char c) {
    return std::isxdigit(static_cast<unsigned char>(c)) != 0;
}

[[noreturn]] void RaiseOutOfRange(const std::string& text, const char* range) {
    throw EConvertError("'" + text + "' is out of range " + range);
}

} // namespace

bool ReadHexValue(const std::string& Value, int32_t& Number) {
    int n = 0;
    if (!TryStrToInt("$" + Value, n)) {
        return false;
    }
    Number = n;
    return true;
}

bool ReadDecimalValue(const std::string& Value, int32_t& Number) {
    int n = 0;
    if (!TryStrToInt(Value, n)) {
        return false;
    }
    Number = n;
    return true;
}

std::string OnOffValue(bool On) {
    return On ? "00" : "FF";
}

bool HasControlCharacters(const std::string& Text) {
    for (unsigned char c : Text) {
        if (c < 0x20 || c == 0x7F) {
            return true;
        }
    }
    return false;
}

uint8_t FlagBit(int Flag) {
    switch (Flag) {
    case 1:
        return 8;
    case 2:
        return 4;
    case 3:
        return 2;
    case 4:
        return 1;
    case 5:
        return 16;
    case 6:
        return 32;
    case 7:
        return 64;
    default:
        return 0;
    }
}

uint8_t FlagArrayToByte(const TFlagArray& Flags) {
    uint8_t sum = 0;
    for (int flag = 1; flag <= 7; ++flag) {
        if (Flags[flag]) {
            sum += FlagBit(flag);
        }
    }
    return sum;
}

TFlagArray FlagArrayFromNumber(uint32_t Number) {
    TFlagArray flags;
    for (int flag = 1; flag <= 7; ++flag) {
        flags[flag] = (Number & FlagBit(flag)) != 0;
    }
    return flags;
}

void SplitEventFlags(uint32_t Number, TEventFlagArray& Trigger, TEventFlagArray& Restore) {
    for (int bit = 0; bit <= 13; ++bit) {
        const bool set = (Number >> bit) & 1u;
        if (bit % 2 == 0) {
            Trigger[bit / 2] = set;
        } else {
            Restore[bit / 2] = set;
        }
    }
}

uint8_t AlarmLogicCode(int Item, int Kind, bool Flag) {
    static constexpr uint8_t kItemCodes[] = {7, 1, 2, 3};
    static constexpr uint8_t kKindCodes[] = {56, 8, 16, 24};
    uint8_t code = 0;
    if (Item >= 0 && Item <= 3) {
        code = kItemCodes[Item];
    }
    if (Kind >= 0 && Kind <= 3) {
        code += kKindCodes[Kind];
    }
    if (!Flag) {
        code += 192;
    }
    return code;
}

bool AlarmLogicItem(uint32_t Number, int& Item) {
    switch (Number & 7u) {
    case 1:
    case 2:
    case 3:
        Item = static_cast<int>(Number & 7u);
        return true;
    case 7:
        Item = 0;
        return true;
    default:
        return false;
    }
}

std::string ZoneBoundToHex(const TZoneBound& Bound) {
    bool sevenDigits = Bound.Minutes.size() == 7;
    for (char c : Bound.Minutes) {
        sevenDigits = sevenDigits && c >= '0' && c <= '9';
    }
    if (!sevenDigits) {
        throw EConvertError("'" + Bound.Minutes + "' is not a valid minutes text");
    }
    if (Bound.Degrees < 0) {
        RaiseOutOfRange(IntToStr(Bound.Degrees), "0..214");
    }
    // Degrees and minutes as one decimal number ddmmmmmmm; 215 degrees and more do not fit the
    // 31 bits of magnitude and fail here.
    const int magnitude = StrToInt(IntToStr(Bound.Degrees) + Bound.Minutes);
    std::string hex = IntToHex(magnitude, 8);
    std::string bits = HexDigitToBits(hex.substr(0, 1));
    bits[0] = Bound.Sign < 0 ? '1' : '0';
    hex.replace(0, 1, BitsToHexDigit(bits));
    return hex;
}

bool ZoneCoordinateFromHex(const std::string& Hex, TZoneCoordinate& Coordinate) {
    if (Hex.size() != 8) {
        return false;
    }
    for (char c : Hex) {
        if (!IsHexDigit(c)) {
            return false;
        }
    }
    // The digit tables are upper case; the unit's letter case must not change the sign.
    std::string hex = UpperCase(Hex);
    std::string bits = HexDigitToBits(hex.substr(0, 1));
    const int sign = bits[0] == '1' ? -1 : 1;
    bits[0] = '0';
    hex.replace(0, 1, BitsToHexDigit(bits));
    int32_t magnitude = 0;
    if (!ReadHexValue(hex, magnitude)) {
        return false;
    }
    Coordinate.Value = magnitude / 100000.0;
    Coordinate.Sign = sign;
    return true;
}

std::string ZoneValue(bool Enabled, const TZoneBounds& Bounds) {
    std::string value;
    for (const TZoneBound& bound : Bounds) {
        value += ZoneBoundToHex(bound);
    }
    return value + OnOffValue(Enabled);
}

bool ParseZoneValue(const std::string& Value, TZoneCoordinates& Coordinates, bool& Enabled) {
    TZoneCoordinates parsed;
    for (size_t k = 0; k < parsed.size(); ++k) {
        const std::string hex = k * 8 < Value.size() ? Value.substr(k * 8, 8) : std::string();
        if (!ZoneCoordinateFromHex(hex, parsed[k])) {
            return false;
        }
    }
    Coordinates = parsed;
    Enabled = Value.size() >= 2 && Value.compare(Value.size() - 2, 2, "00") == 0;
    return true;
}

std::string EdgeIgnValue(const std::string& Volts) {
    // Hundredths of a volt: the product is printed with fifteen significant digits first, so that
    // 0,29 x 100 (28.999999999999996 in binary) is read as 29, while 12,345 stays fractional and
    // is refused.
    // The field shows a decimal comma whatever the desktop uses; a point is taken as well.
    TFormatSettings settings = FormatSettings();
    settings.DecimalSeparator = ',';
    const double volts = StrToFloat(Volts, settings);
    const int hundredths = StrToInt(FloatToStr(volts * 100, settings));
    if (hundredths < 0 || hundredths > 0xFFFF) {
        RaiseOutOfRange(Volts, "0..655.35");
    }
    return IntToHex(hundredths, 4);
}

std::string ActiveGsmValue(const std::string& Seconds) {
    const int seconds = StrToInt(Seconds);
    if (seconds < 0 || seconds > 0xFFFF) {
        RaiseOutOfRange(Seconds, "0..65535");
    }
    return IntToHex(seconds, 4);
}

std::string DontSleepValue(bool Duty, bool SleepWithFix, bool Sleep) {
    std::string code;
    if (Duty) {
        code = "00";
    }
    if (SleepWithFix) {
        code = "0F";
    }
    if (Sleep) {
        code = "FF";
    }
    return code;
}
