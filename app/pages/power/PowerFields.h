#pragma once
// The power page's field rules, as pure text functions: the ignition threshold between the track
// bar, its edit and the unit's hundredths of a volt, the engine state the supply voltage gives
// against it, and the alternative periods' limits.
//
// The threshold edit's mask holds a fixed comma ("!99,99"), so its text is written with a comma
// whatever the desktop's decimal separator; a comma and a point are both read.

#include "app/pages/common/CommonFields.h"

#include <optional>
#include <string>

// The track bar runs from 1000 (top, 25,00 V) to 2500 (bottom, 10,00 V); the threshold in
// hundredths of a volt is 3500 less the position.
constexpr int ThresholdPositionSum = 3500;
constexpr int ThresholdLowest = 1000;  // hundredths, 10,00 V
constexpr int ThresholdHighest = 2500; // hundredths, 25,00 V

inline int ThresholdOfPosition(int position) {
    return ThresholdPositionSum - position;
}
inline int PositionOfThreshold(int hundredths) {
    return ThresholdPositionSum - hundredths;
}
inline bool ThresholdInRange(int hundredths) {
    return hundredths >= ThresholdLowest && hundredths <= ThresholdHighest;
}

// Hundredths of a volt as the threshold edit shows them: "10,00", "09,50" (two whole digits at
// least, for the edit's mask).
std::string ThresholdText(int hundredths);
// A volts text read with "," or "."; blanks count as 0 (a masked digit not yet typed). False for
// a text that is no number.
bool TryVolts(const std::string& text, double& volts);
// The threshold edit's check as its text changes: a text that is no number counts as 0; below
// 10 V gives "10,00", above 25 V "25,00", otherwise the value with two decimals. Nothing when the
// text may stay as it is.
std::optional<std::string> CheckThreshold(const std::string& text);
// Whether the engine runs: the supply voltage above the threshold. Nothing when either text is no
// number (the pictures then stay as they are).
std::optional<bool> EngineRunning(const std::string& supply, const std::string& threshold);

// The shortest alternative reporting and fix periods, in minutes.
constexpr int MinAltReportingMinutes = 120;
constexpr int MinAltFixMinutes = 60;
// An alternative period's fields after a change: minutes above 59 become 59, hours above 23 become
// 23; a period shorter than `minimum` minutes (or a field that is no number) becomes `minimum`
// minutes, one longer than seven days becomes seven days; otherwise the three fields are written
// with two digits.
TPeriodFields NormaliseAltPeriod(const TPeriodFields& fields, int minimum);
