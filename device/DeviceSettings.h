#pragma once
// How the unit's settings look on the wire: the value formats of the "+" keywords and the decoding
// of their replies. TDevQuorvan sends and receives; everything here is pure text and numbers, so
// that each encoding can be checked on its own.

#include <array>
#include <cstdint>
#include <string>

// The seven event flags of "zact", "zren", "flagact" and "flagren", numbered 1 to 7 as the unit
// documents them. Flag i is one bit of a byte: 8, 4, 2, 1, 16, 32, 64 for flags 1 to 7.
class TFlagArray {
public:
    bool& operator[](int Flag) { return flags_.at(static_cast<size_t>(Flag - 1)); }
    bool operator[](int Flag) const { return flags_.at(static_cast<size_t>(Flag - 1)); }
    bool operator==(const TFlagArray&) const = default;

private:
    std::array<bool, 7> flags_{};
};

// The raised event flags read with "MFLAG": entry k (0 to 6) of the trigger array is bit 2k of
// the unit's number, entry k of the restore array is bit 2k+1.
using TEventFlagArray = std::array<bool, 7>;

// One guard-zone bound as the pages give it: whole degrees, the minutes as seven digits (two of
// whole minutes, five of the fraction) and the hemisphere sign, +1 north or east, -1 south or west.
struct TZoneBound {
    int Degrees = 0;
    std::string Minutes = "0000000";
    int Sign = 1;
};

// One guard-zone bound as the unit reports it: degrees and minutes as ddmm.mmmmm and the sign.
struct TZoneCoordinate {
    double Value = 0;
    int Sign = 1;
};

// The four bounds in wire order: minimum latitude, maximum latitude, minimum longitude, maximum
// longitude.
using TZoneBounds = std::array<TZoneBound, 4>;
using TZoneCoordinates = std::array<TZoneCoordinate, 4>;

// A reply value read as a number: hexadecimal digits of either case (at most eight, wrapping to a
// signed 32-bit number as the unit's counters do) or plain decimal. False for anything else.
bool ReadHexValue(const std::string& Value, int32_t& Number);
bool ReadDecimalValue(const std::string& Value, int32_t& Number);

// "00" for on, "FF" for off.
std::string OnOffValue(bool On);

// True when the text holds a byte below blank or DEL: such a value would end the command line
// early and let the rest be taken as a second command.
bool HasControlCharacters(const std::string& Text);

uint8_t FlagBit(int Flag);
uint8_t FlagArrayToByte(const TFlagArray& Flags);
TFlagArray FlagArrayFromNumber(uint32_t Number);
void SplitEventFlags(uint32_t Number, TEventFlagArray& Trigger, TEventFlagArray& Restore);

// "allogic": the alarm item (0 none, 1 data call, 2 SMS, 3 voice call), a kind (0 to 3) and a
// flag give one byte. Reading back, the low three bits name the item; false when they name none
// (Item is then left as it was).
uint8_t AlarmLogicCode(int Item, int Kind, bool Flag);
bool AlarmLogicItem(uint32_t Number, int& Item);

// "zone": eight hex digits per bound, the top bit the sign, the rest (degrees x 100 + minutes) x
// 100,000. Encoding raises EConvertError for a degree count or minutes text that is not a number
// of that form; decoding gives false for a bound that is not eight hex digits.
std::string ZoneBoundToHex(const TZoneBound& Bound);
bool ZoneCoordinateFromHex(const std::string& Hex, TZoneCoordinate& Coordinate);
std::string ZoneValue(bool Enabled, const TZoneBounds& Bounds);
bool ParseZoneValue(const std::string& Value, TZoneCoordinates& Coordinates, bool& Enabled);

// "edgeign": a threshold in volts ("12,5" or "12.5") as four hex digits of hundredths of a volt.
// Raises EConvertError for a text that is not a number with at most two decimals in 0..655.35.
std::string EdgeIgnValue(const std::string& Volts);

// "activegsm": a decimal number of seconds as four hex digits; raises EConvertError for a text
// that is not a number in 0..65535.
std::string ActiveGsmValue(const std::string& Seconds);

// "dontsleep": the code of the last chosen mode button in the order duty "00", sleep with
// constant fixing "0F", sleep "FF"; empty when none is chosen.
std::string DontSleepValue(bool Duty, bool SleepWithFix, bool Sleep);
