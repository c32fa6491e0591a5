#include "device/HistoryRecord.h"

#include "device/util/Helpers.h"

#include "platform/rtl/DateTime.h"
#include "platform/rtl/FloatFormat.h"

#include <cstdio>

namespace {

// Reads characters From..From+Count-1 (1-based, as the record layout counts them) as one
// hexadecimal number of at most 8 digits; 8 digits wrap to a signed 32-bit value as the unit's
// counters do. False when the field is missing or holds anything but hex digits.
bool HexField(std::string_view Record, size_t From, size_t Count, int32_t& Value) {
    if (From < 1 || Count == 0 || Count > 8 || From - 1 + Count > Record.size()) {
        return false;
    }
    uint32_t v = 0;
    for (size_t i = From - 1; i < From - 1 + Count; ++i) {
        const int d = HexDigitValue(Record[i]);
        if (d < 0) {
            return false;
        }
        v = (v << 4) | static_cast<uint32_t>(d);
    }
    Value = static_cast<int32_t>(v);
    return true;
}

// A coordinate in sign-magnitude form: the top bit is the sign (set: south or west), the other
// 31 bits are ddmm.mmmmm x 100,000.
bool Coordinate(std::string_view Record, size_t From, double& Value, int& Sign) {
    int32_t raw = 0;
    if (!HexField(Record, From, 8, raw)) {
        return false;
    }
    const uint32_t bits = static_cast<uint32_t>(raw);
    Sign = (bits & 0x80000000u) ? -1 : 1;
    Value = static_cast<double>(bits & 0x7FFFFFFFu) / 100000.0;
    return true;
}

// The two-digit groups of a number's six-digit decimal form ("251208" -> 25, 12, 8). A number of
// more than six digits keeps its leading digits, as its printed form would.
void SixDigitGroups(int32_t Number, int& First, int& Second, int& Third) {
    char text[16];
    std::snprintf(text, sizeof text, "%.6d", Number);
    auto group = [&](int at) { return (text[at] - '0') * 10 + (text[at + 1] - '0'); };
    First = group(0);
    Second = group(2);
    Third = group(4);
}

// Position, date and time (characters 1-28): false when a part does not read or the date or the
// time is no valid one; the coordinates read before that stay set.
bool DecodeWhere(std::string_view Record, int ThisYear, THistoryFields& Fields) {
    int32_t dateField = 0;
    int32_t timeField = 0;
    if (!Coordinate(Record, 1, Fields.Latitude, Fields.LatitudeSign) ||
        !Coordinate(Record, 9, Fields.Longitude, Fields.LongitudeSign) ||
        !HexField(Record, 17, 6, dateField) || !HexField(Record, 23, 6, timeField)) {
        return false;
    }
    int day = 0, month = 0, year = 0, hour = 0, minute = 0, second = 0;
    SixDigitGroups(dateField, day, month, year);
    SixDigitGroups(timeField, hour, minute, second);
    TDateTime date = 0;
    TDateTime time = 0;
    if (!TryEncodeDate(ThisYear / 100 * 100 + year, month, day, date) ||
        !TryEncodeTime(hour, minute, second, 0, time)) {
        return false;
    }
    Fields.DateTime = date + time;
    return true;
}

} // namespace

bool THistoryRecord::IsEmpty(std::string_view Record) {
    return Record.size() == TextLength && Record.find_first_not_of('F') == std::string_view::npos;
}

bool THistoryRecord::IsWellFormed(std::string_view Record) {
    if (Record.size() != TextLength) {
        return false;
    }
    for (char c : Record) {
        if (HexDigitValue(c) < 0) {
            return false;
        }
    }
    return true;
}

bool THistoryRecord::IsNewerLayout(int Shell, int Build) {
    return Shell > 503 || (Shell == 503 && Build >= 70);
}

bool THistoryRecord::CheckChecksum(int Index, std::string_view Record) {
    if (!IsWellFormed(Record)) {
        return false;
    }
    unsigned sum = ((Index >> 8) & 0xFF) + (Index & 0xFF);
    for (size_t i = 0; i < TextLength; i += 2) {
        sum += static_cast<unsigned>(HexDigitValue(Record[i]) * 16 + HexDigitValue(Record[i + 1]));
    }
    return sum % 256 == 0;
}

uint8_t THistoryRecord::ChecksumByte(int Index, std::string_view Record) {
    unsigned sum = ((Index >> 8) & 0xFF) + (Index & 0xFF);
    for (size_t i = 0; i + 1 < Record.size() && i < TextLength - 2; i += 2) {
        const int hi = HexDigitValue(Record[i]);
        const int lo = HexDigitValue(Record[i + 1]);
        if (hi >= 0 && lo >= 0) {
            sum += static_cast<unsigned>(hi * 16 + lo);
        }
    }
    return static_cast<uint8_t>((256 - sum % 256) % 256);
}

bool THistoryRecord::Decode(std::string_view Record, int Shell, int Build, int ThisYear,
                            THistoryFields& Fields) {
    Fields.LatitudeSign = 1;
    Fields.LongitudeSign = 1;
    // An unreadable position or time only loses the date and time.
    Fields.DateTime = DecodeWhere(Record, ThisYear, Fields) ? Fields.DateTime : 0;

    // Each field is set as it reads: a later field that does not read keeps the earlier ones.
    int32_t value = 0;
    if (!HexField(Record, 29, 8, value))
        return false;
    Fields.Speed = static_cast<double>(value) / 1000.0 * 1.852;
    if (!HexField(Record, 37, 4, value))
        return false;
    Fields.TenthsText = FloatToStr(static_cast<int16_t>(value) / 10.0);
    if (!HexField(Record, 41, 2, value))
        return false;
    Fields.ByteText = std::to_string(value);
    if (!HexField(Record, 43, 2, value))
        return false;
    if (value >= 1 && value <= 3) {
        static const char* const kFixTexts[] = {"not available", "2D fix", "3D fix"};
        Fields.FixText = kFixTexts[value - 1];
    }

    // The newer layout has the supply (45-48) before the byte (49-50); the older one the byte
    // (45-46) before the supply (47-50).
    auto supply = [&](size_t from) {
        int32_t v = 0;
        if (!HexField(Record, from, 4, v))
            return false;
        Fields.Supply = v;
        return true;
    };
    auto layoutByte = [&](size_t from) {
        int32_t v = 0;
        if (!HexField(Record, from, 2, v))
            return false;
        Fields.LayoutByteText = std::to_string(v);
        return true;
    };
    if (IsNewerLayout(Shell, Build) ? !(supply(45) && layoutByte(49))
                                    : !(layoutByte(45) && supply(47)))
        return false;
    if (!HexField(Record, 51, 2, value))
        return false;
    Fields.RecordType = value;
    return true;
}

std::string THistoryRecord::Line(int Index, std::string_view Record) {
    char index[8];
    std::snprintf(index, sizeof index, "%04X", static_cast<unsigned>(Index) & 0xFFFFu);
    std::string line(index);
    line += '>';
    line += Record;
    return line;
}

bool THistoryRecord::ParseLine(std::string_view Line, int& Index, std::string_view& Record) {
    if (Line.size() != 5 + TextLength || Line[4] != '>') {
        return false;
    }
    int index = 0;
    for (size_t i = 0; i < 4; ++i) {
        const char c = Line[i];
        const int d = HexDigitValue(c);
        if (d < 0 || (c >= 'a' && c <= 'f')) {
            return false;
        }
        index = index * 16 + d;
    }
    const std::string_view record = Line.substr(5);
    if (index > WrapIndex || !IsWellFormed(record)) {
        return false;
    }
    Index = index;
    Record = record;
    return true;
}
