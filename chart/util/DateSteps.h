#pragma once
// The date-time label steps of chart axes: a table of 27 step lengths in days (one microsecond
// to one year), finding and enlarging a step, rounding a first label to a step and moving a label
// by one step. Dates are days since 1899-12-30 with the time of day as the fraction.

#include "platform/rtl/DateTime.h"

#include <cstdint>
#include <string>

enum TDateStepKind : std::uint8_t {
    dtOneMicroSecond,
    dtOneMillisecond,
    dtOneSecond,
    dtFiveSeconds,
    dtTenSeconds,
    dtFifteenSeconds,
    dtThirtySeconds,
    dtOneMinute,
    dtFiveMinutes,
    dtTenMinutes,
    dtFifteenMinutes,
    dtThirtyMinutes,
    dtOneHour,
    dtTwoHours,
    dtSixHours,
    dtTwelveHours,
    dtOneDay,
    dtTwoDays,
    dtThreeDays,
    dtOneWeek,
    dtHalfMonth,
    dtOneMonth,
    dtTwoMonths,
    dtThreeMonths,
    dtFourMonths,
    dtSixMonths,
    dtOneYear,
    dtNone
};

// The length of a step in days (0 for dtNone).
double DateStepLength(TDateStepKind step);
// The step whose length is within one microsecond of days, searching from the largest; dtNone.
TDateStepKind DateStepOf(double days);
// The length of the step after the largest one not longer than days; one year when days is
// shorter than every step or as long as the largest.
double NextLargerDateStep(double days);
// The short date format for steps longer than a day, else the short time format.
std::string DefaultDateTimeFormatFor(double step);
// The first label's date: whole days, weeks from date 2, the 1st or 15th, the 1st of the year.
TDateTime RoundDateToStep(TDateTime value, TDateStepKind step);
// Moves value by amount, by whole months or years for steps of half a month and longer; the day
// is kept within its month (29 February plus a year is 28 February).
void StepDateTime(bool isDateTime, bool increment, TDateTime& value, TDateStepKind step,
                  double amount);
