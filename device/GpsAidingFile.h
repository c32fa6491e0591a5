#pragma once
// The text file that carries a GPS receiver's aiding data from one unit to another.
//
// One frame or value per line:
//   0      time of week (4 bytes, hundredths of a second) then week (2 bytes), as hex pairs
//   1      clock drift, 4 bytes as hex pairs (exactly 11 characters)
//   2-33   the almanac frames of satellites 1 to 32, each a whole frame in hex text
//   34 on  the ephemeris frames, in satellite order

#include "device/GpsFrame.h"

#include "platform/rtl/DateTime.h"

#include <cstdint>
#include <string>
#include <vector>

class TDevQuorvan;

class TGpsAidingFile {
public:
    TGpsAidingFile() = delete;

    static constexpr size_t TimeLine = 0;
    static constexpr size_t DriftLine = 1;
    static constexpr size_t AlmanacFirstLine = 2;
    static constexpr size_t EphemerisFirstLine = 34;
    static constexpr size_t DriftLength = 11;

    // Line 0 from the receiver's clock reply "WW WW TT TT TT TT": "TT TT TT TT WW WW".
    static std::string TimeLineText(const std::string& WeekAndTime);

    // GPS week and time of week (hundredths of a second, whole seconds) of a UTC instant given
    // in days since 1899-12-30. Both come from the same UTC instant, so they agree across the
    // change of the week. Leap seconds are not added (the receiver tolerates the difference).
    static void GpsTime(TDateTime Utc, uint32_t& Week, uint32_t& TimeOfWeek);

    // "TT TT TT TT WW WW": the time of week and week of a UTC instant as hex pairs.
    static std::string PositionText(TDateTime Utc);

    // The 32 x 28 almanac bytes of lines 2 to 33. False, with Data incomplete, at the first line
    // that is not the well-formed almanac frame of its satellite (line i holds satellite i - 1).
    static bool AlmanacData(const std::vector<std::string>& Lines, TGpsBytes& Data);

    // The 90 ephemeris bytes of one ephemeris line, or false when the line is not one
    // well-formed ephemeris frame.
    static bool EphemerisData(const std::string& Line, TGpsBytes& Data);

    // Reads the receiver's clock, almanac and ephemeris through the unit into FileName (lines
    // end with CR LF). The receiver is switched back to text and the pass-through is always
    // closed, whatever fails (an error is raised again after "GPSACCESS_OFF" went out). Without a
    // clock reading nothing is written, since the frames would move up into lines 0 and 1. True
    // when the clock, the whole almanac and the ephemeris were read and the file was written.
    static bool Save(TDevQuorvan& Dev, const std::string& FileName);

    // Writes an aiding file (at least 3 lines, line 1 exactly 11 characters) into the receiver:
    // the almanac (with at least 34 lines), the ephemeris (with more), then the drift of line 1
    // with the GPS time of Utc; line 0 is not used. The receiver is switched back to text
    // whenever it was switched to binary, and the pass-through is always closed. True when both
    // the almanac and the ephemeris were written; a missing or unreadable file, fewer than 3 lines
    // or a refused pass-through write nothing and give false.
    static bool Load(TDevQuorvan& Dev, const std::string& FileName, TDateTime Utc);
    static bool Load(TDevQuorvan& Dev, const std::string& FileName) {
        return Load(Dev, FileName, NowUTC());
    }
};
