#include "device/GpsAidingFile.h"

#include "device/DevQuorvan.h"

#include "platform/rtl/Classes.h"
#include "platform/rtl/Exception.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/Strings.h"

#include <cmath>

namespace {

constexpr double kGpsEpoch = 29226.0; // 1980-01-06 00:00 UTC in days since 1899-12-30
constexpr int64_t kSecondsPerWeek = 7 * 86400;

// Runs Steps between "GPSACCESS_ON" and "GPSACCESS_OFF": the switch-off goes out whatever the
// steps do; an error they raise is raised again after it.
template <typename TSteps> void InPassThrough(TDevQuorvan& Dev, TSteps Steps) {
    try {
        Steps();
    } catch (...) {
        try {
            Dev.GpsAccessOff();
        } catch (...) {
            // The first error is the one to report.
        }
        throw;
    }
    Dev.GpsAccessOff();
}

} // namespace

std::string TGpsAidingFile::TimeLineText(const std::string& WeekAndTime) {
    const std::string week = WeekAndTime.substr(0, 5);
    const std::string time = WeekAndTime.size() > 5 ? Trim(WeekAndTime.substr(5)) : std::string();
    return time + " " + week;
}

void TGpsAidingFile::GpsTime(TDateTime Utc, uint32_t& Week, uint32_t& TimeOfWeek) {
    // Whole seconds since the GPS epoch; the millisecond rounding keeps a time such as 00:00:10
    // from falling to 00:00:09.999 through the fraction of a day.
    const int64_t ms = std::llround((Utc - kGpsEpoch) * 86400000.0);
    int64_t seconds = ms >= 0 ? ms / 1000 : -((-ms + 999) / 1000);
    if (seconds < 0) {
        seconds = 0;
    }
    Week = static_cast<uint32_t>(seconds / kSecondsPerWeek);
    TimeOfWeek = static_cast<uint32_t>(seconds % kSecondsPerWeek * 100);
}

std::string TGpsAidingFile::PositionText(TDateTime Utc) {
    uint32_t week = 0;
    uint32_t tow = 0;
    GpsTime(Utc, week, tow);
    const uint8_t bytes[] = {static_cast<uint8_t>(tow >> 24), static_cast<uint8_t>(tow >> 16),
                             static_cast<uint8_t>(tow >> 8),  static_cast<uint8_t>(tow),
                             static_cast<uint8_t>(week >> 8), static_cast<uint8_t>(week)};
    return TGpsFrame::HexText(bytes, sizeof bytes);
}

bool TGpsAidingFile::AlmanacData(const std::vector<std::string>& Lines, TGpsBytes& Data) {
    Data.clear();
    Data.reserve(TGpsFrame::SatelliteCount * TGpsFrame::AlmanacDataSize);
    for (int sv = 1; sv <= TGpsFrame::SatelliteCount; ++sv) {
        const size_t line = AlmanacFirstLine + sv - 1;
        TGpsBytes payload;
        if (line >= Lines.size() || !TGpsFrame::ParseFrameText(Lines[line], payload) ||
            payload.size() != TGpsFrame::AlmanacLength || payload[0] != TGpsFrame::AlmanacId ||
            payload[1] != sv) {
            return false;
        }
        Data.insert(Data.end(), payload.begin() + 2, payload.end());
    }
    return true;
}

bool TGpsAidingFile::EphemerisData(const std::string& Line, TGpsBytes& Data) {
    TGpsBytes payload;
    if (!TGpsFrame::ParseFrameText(Line, payload) || payload.size() != TGpsFrame::EphemerisLength ||
        payload[0] != TGpsFrame::EphemerisId) {
        return false;
    }
    Data.assign(payload.begin() + 2, payload.end());
    return true;
}

bool TGpsAidingFile::Save(TDevQuorvan& Dev, const std::string& FileName) {
    bool done = false;
    if (!Dev.GpsAccessOn()) {
        Dev.GpsAccessOff();
        return false;
    }
    InPassThrough(Dev, [&] {
        Dev.GpsSwitchToBinary();
        std::string weekAndTime;
        std::string drift;
        if (Dev.GpsReadClock(weekAndTime, drift)) {
            TStringList lines;
            lines.Add(TimeLineText(weekAndTime));
            lines.Add(drift);
            const bool almanac = Dev.GpsReadAlmanac(lines);
            const bool ephemeris = Dev.GpsReadEphemeris(lines);
            bool saved = false;
            try {
                lines.SetLineBreak("\r\n");
                lines.SaveToFile(FileName);
                saved = true;
            } catch (const Exception&) {
                saved = false;
            }
            done = almanac && ephemeris && saved;
        }
        Dev.GpsSwitchToNmea();
    });
    return done;
}

bool TGpsAidingFile::Load(TDevQuorvan& Dev, const std::string& FileName, TDateTime Utc) {
    TStringList lines;
    try {
        if (!FileExists(FileName)) {
            return false;
        }
        lines.LoadFromFile(FileName);
    } catch (const Exception&) {
        return false;
    }
    if (lines.Count() < 3) {
        return false;
    }
    if (!Dev.GpsAccessOn()) {
        Dev.GpsAccessOff();
        return false;
    }
    bool almanac = false;
    bool ephemeris = false;
    InPassThrough(Dev, [&] {
        Dev.GpsSwitchToBinary();
        const std::string drift = lines[static_cast<int>(DriftLine)];
        if (drift.size() == DriftLength) {
            const int count = lines.Count();
            if (count >= static_cast<int>(EphemerisFirstLine)) {
                almanac = Dev.GpsWriteAlmanac(lines);
            }
            if (count > static_cast<int>(EphemerisFirstLine)) {
                ephemeris = Dev.GpsWriteEphemeris(lines);
            }
            Dev.GpsInitDataSource(drift + " " + PositionText(Utc));
        }
        // Back to text in every case: a receiver left in binary gives the unit no positions.
        Dev.GpsSwitchToNmea();
    });
    return almanac && ephemeris;
}
