#pragma once
// One record of the unit's track history and the rules for checking and decoding it.
//
// The unit keeps its track in a ring of 65,504 records. A record travels as 54 hexadecimal
// characters (27 bytes); the last byte is a checksum over the record's index and its bytes. The
// unit sends a record as one line: the index as 4 upper-case hex digits, ">", the record.
// Two firmware generations store the supply voltage and the signal byte in swapped order.

#include "platform/rtl/DateTime.h"

#include <cstdint>
#include <string>
#include <string_view>

// What a record decodes to. Coordinates are ddmm.mmmmm values (degrees x 100 + minutes) with
// their signs apart; the date and time are UTC; the speed is in km/h.
struct THistoryFields {
    double Latitude = 0;
    int LatitudeSign = 1; // -1: south
    double Longitude = 0;
    int LongitudeSign = 1;  // -1: west
    TDateTime DateTime = 0; // 0 when the date or time is not valid
    double Speed = 0;
    int RecordType = 0;         // 1 by time, 2 by distance, 3 by event
    int Supply = 0;             // supply voltage as the unit reports it
    std::string TenthsText;     // signed tenths (altitude), decimal separator of the system
    std::string ByteText;       // characters 41-42 (satellites) as decimal text
    std::string LayoutByteText; // the layout-dependent byte (signal) as decimal text
    std::string FixText;        // left as it was when the fix byte is not 1, 2 or 3
};

class THistoryRecord {
public:
    THistoryRecord() = delete;

    static constexpr int TextLength = 54;
    static constexpr int ByteCount = 27;
    static constexpr int RingSize = 65504;
    static constexpr int WrapIndex = RingSize - 1; // the last index of the ring

    // True for a slot the unit has not written: 54 "F" characters.
    static bool IsEmpty(std::string_view Record);

    // True when the record has exactly 54 hexadecimal characters.
    static bool IsWellFormed(std::string_view Record);

    // The newer layout (supply before the signal byte) is used from shell 503 build 70 on.
    static bool IsNewerLayout(int Shell, int Build);

    // The high and low byte of the index plus every byte of the record, checksum included, must
    // add up to 0 modulo 256. A record that is not 54 hex characters fails.
    static bool CheckChecksum(int Index, std::string_view Record);

    // The checksum byte that makes Index plus the first 26 bytes of Record sound; Record must
    // hold at least 52 hexadecimal characters. Used to build records (the simulated unit, tests).
    static uint8_t ChecksumByte(int Index, std::string_view Record);

    // Decodes Record into Fields for the layout of the given firmware. An unreadable coordinate,
    // date or time sets DateTime to 0 and decoding goes on; an unreadable later field makes the
    // result false, keeping what was decoded before it. ThisYear supplies the century of the
    // two-digit year. Never raises.
    static bool Decode(std::string_view Record, int Shell, int Build, int ThisYear,
                       THistoryFields& Fields);

    // The ring line of a record: index as 4 upper-case hex digits, ">", record.
    static std::string Line(int Index, std::string_view Record);

    // Splits a ring line. True when the index is 4 upper-case hex digits within the ring and the
    // record is well formed.
    static bool ParseLine(std::string_view Line, int& Index, std::string_view& Record);
};
