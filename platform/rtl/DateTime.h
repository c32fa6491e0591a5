#pragma once
// TDateTime: days since 1899-12-30 as a double, the time of day as the fraction. Decoding first
// rounds to the nearest millisecond, so a value one ulp below a second shows that second.
// A negative value counts whole days back from the epoch, its fraction is still the time of day.

#include "platform/rtl/FormatSettings.h"

#include <cstdint>
#include <string>
#include <string_view>

using TDateTime = double;

constexpr double HoursPerDay = 24;
constexpr double MinsPerDay = 24 * 60;
constexpr double SecsPerDay = 24 * 60 * 60;
constexpr double MSecsPerDay = 24.0 * 60 * 60 * 1000;
// Days from 0001-01-01 to 1899-12-30, and from 1899-12-30 to 1970-01-01.
constexpr int DateDelta = 693594;
constexpr int UnixDateDelta = 25569;

// --- Encoding and decoding -----------------------------------------------------------------------

bool IsLeapYear(int year);
int DaysInAMonth(int year, int month);
bool IsValidDate(int year, int month, int day);
bool IsValidTime(int hour, int min, int sec, int msec);

// Raise EConvertError "Invalid argument to date encode" / "... time encode".
TDateTime EncodeDate(int year, int month, int day);
TDateTime EncodeTime(int hour, int min, int sec, int msec);
TDateTime EncodeDateTime(int year, int month, int day, int hour, int min, int sec, int msec);
bool TryEncodeDate(int year, int month, int day, TDateTime& value);
bool TryEncodeTime(int hour, int min, int sec, int msec, TDateTime& value);

// Values outside 0001-01-01 .. 9999-12-31 (and NaN) raise EConvertError.
void DecodeDate(TDateTime value, int& year, int& month, int& day);
void DecodeTime(TDateTime value, int& hour, int& min, int& sec, int& msec);
void DecodeDateTime(TDateTime value, int& year, int& month, int& day, int& hour, int& min, int& sec,
                    int& msec);

// 1 = Sunday ... 7 = Saturday.
int DayOfWeek(TDateTime value);
// 1 = Monday ... 7 = Sunday.
int DayOfTheWeek(TDateTime value);
int YearOf(TDateTime value);
int MonthOf(TDateTime value);
int DayOf(TDateTime value);
int HourOf(TDateTime value);
int MinuteOf(TDateTime value);
int SecondOf(TDateTime value);
int MilliSecondOf(TDateTime value);

// --- The clock ----------------------------------------------------------------------------------

TDateTime Now();
TDateTime Date();
TDateTime Time();
int CurrentYear();
TDateTime NowUTC();
// Minutes to add to local time to get UTC (the system's bias: -180 for Moscow), for the moment
// `at` (local) or now.
int LocalTimeBias();
int LocalTimeBias(TDateTime at);
TDateTime UnixToDateTime(int64_t seconds);
int64_t DateTimeToUnix(TDateTime value);

// --- Arithmetic ---------------------------------------------------------------------------------

// Adds months keeping the time; the day is clamped to the new month's length.
TDateTime IncMonth(TDateTime value, int months = 1);
TDateTime IncYear(TDateTime value, int years = 1);
TDateTime IncDay(TDateTime value, int64_t days = 1);
TDateTime IncHour(TDateTime value, int64_t hours = 1);
TDateTime IncMinute(TDateTime value, int64_t minutes = 1);
TDateTime IncSecond(TDateTime value, int64_t seconds = 1);
TDateTime IncMilliSecond(TDateTime value, int64_t msecs = 1);
// Whole units between two moments (order does not matter), computed on millisecond-rounded
// values so that one ulp does not lose a unit.
int64_t MilliSecondsBetween(TDateTime a, TDateTime b);
int64_t SecondsBetween(TDateTime a, TDateTime b);
int64_t MinutesBetween(TDateTime a, TDateTime b);
int64_t HoursBetween(TDateTime a, TDateTime b);
int64_t DaysBetween(TDateTime a, TDateTime b);
// Date part and time part.
TDateTime DateOf(TDateTime value);
TDateTime TimeOf(TDateTime value);

// --- Text ---------------------------------------------------------------------------------------

// Tokens: c d dd ddd dddd ddddd dddddd m mm mmm mmmm (minutes right after an h) yy yyyy h hh
// n nn s ss z zzz t tt am/pm a/p ampm, "/" the date separator, ":" the time separator, quoted
// literals. An empty format is "c".
std::string FormatDateTime(std::string_view format, TDateTime value,
                           const TFormatSettings& settings = FormatSettings());
// Short date and long time; the time is left out when it is midnight.
std::string DateTimeToStr(TDateTime value, const TFormatSettings& settings = FormatSettings());
std::string DateToStr(TDateTime value, const TFormatSettings& settings = FormatSettings());
std::string TimeToStr(TDateTime value, const TFormatSettings& settings = FormatSettings());

// Dates in the order of ShortDateFormat with its separator (a missing year is this year, a
// two-digit one falls in the century window); times h[:m[:s[.z]]] with an optional AM/PM, where
// z (after "." or the decimal separator) is a count of milliseconds, 1 to 3 digits: ",5" is 5 ms.
bool TryStrToDate(std::string_view s, TDateTime& value,
                  const TFormatSettings& settings = FormatSettings());
bool TryStrToTime(std::string_view s, TDateTime& value,
                  const TFormatSettings& settings = FormatSettings());
bool TryStrToDateTime(std::string_view s, TDateTime& value,
                      const TFormatSettings& settings = FormatSettings());
// Raise EConvertError "'<s>' is not a valid date" / "... time" / "... date and time".
TDateTime StrToDate(std::string_view s, const TFormatSettings& settings = FormatSettings());
TDateTime StrToTime(std::string_view s, const TFormatSettings& settings = FormatSettings());
TDateTime StrToDateTime(std::string_view s, const TFormatSettings& settings = FormatSettings());
