#include "platform/rtl/DateTime.h"

#include "platform/rtl/Exception.h"
#include "platform/rtl/Math.h"
#include "platform/rtl/Strings.h"

#include <chrono>
#include <cmath>
#include <ctime>

namespace {

constexpr int64_t kMsPerDay = 86400000;
constexpr int64_t kMinDay = -693593; // 0001-01-01
constexpr int64_t kMaxDay = 2958465; // 9999-12-31

// Days since 1970-01-01 of a proleptic Gregorian date, and back.
int64_t DaysFromCivil(int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

void CivilFromDays(int64_t z, int& y, int& m, int& d) {
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(static_cast<int64_t>(yoe) + era * 400 + (m <= 2));
}

// Splits a date-time into whole days from the epoch and milliseconds of the day, rounding the
// whole value to the millisecond first.
bool ToStamp(TDateTime value, int64_t& days, int64_t& msOfDay) {
    if (!std::isfinite(value) || value < kMinDay - 1 || value > kMaxDay + 1)
        return false;
    const int64_t ms = Round(value * MSecsPerDay);
    days = ms / kMsPerDay;
    msOfDay = (ms < 0 ? -ms : ms) % kMsPerDay;
    return days >= kMinDay && days <= kMaxDay;
}

void Stamp(TDateTime value, int64_t& days, int64_t& msOfDay) {
    if (!ToStamp(value, days, msOfDay))
        throw EConvertError("Invalid argument to date decode");
}

TDateTime FromStamp(int64_t days, int64_t msOfDay) {
    const double time = static_cast<double>(msOfDay) / MSecsPerDay;
    return days >= 0 ? static_cast<double>(days) + time : static_cast<double>(days) - time;
}

// Milliseconds since the epoch on the linear time line: the day number plus the time of day
// (-1.25 is day -1 at 06:00, i.e. 18 hours before the epoch).
int64_t LinearMs(TDateTime value) {
    int64_t days, ms;
    Stamp(value, days, ms);
    return days * kMsPerDay + ms;
}

TDateTime FromLinearMs(int64_t total) {
    int64_t days = total / kMsPerDay;
    int64_t ms = total % kMsPerDay;
    if (ms < 0) {
        --days;
        ms += kMsPerDay;
    }
    return FromStamp(days, ms);
}

TDateTime LocalFromTm(const std::tm& tm, int ms) {
    return EncodeDate(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday) +
           EncodeTime(tm.tm_hour, tm.tm_min, tm.tm_sec, ms);
}

} // namespace

// --- Encoding and decoding -----------------------------------------------------------------------

bool IsLeapYear(int year) {
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int DaysInAMonth(int year, int month) {
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

bool IsValidDate(int year, int month, int day) {
    return year >= 1 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
           day <= DaysInAMonth(year, month);
}

bool IsValidTime(int hour, int min, int sec, int msec) {
    return hour >= 0 && hour < 24 && min >= 0 && min < 60 && sec >= 0 && sec < 60 && msec >= 0 &&
           msec < 1000;
}

bool TryEncodeDate(int year, int month, int day, TDateTime& value) {
    if (!IsValidDate(year, month, day))
        return false;
    value = static_cast<double>(
        DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) +
        UnixDateDelta);
    return true;
}

bool TryEncodeTime(int hour, int min, int sec, int msec, TDateTime& value) {
    if (!IsValidTime(hour, min, sec, msec))
        return false;
    value = (((hour * 60.0 + min) * 60.0 + sec) * 1000.0 + msec) / MSecsPerDay;
    return true;
}

TDateTime EncodeDate(int year, int month, int day) {
    TDateTime v;
    if (!TryEncodeDate(year, month, day, v))
        throw EConvertError("Invalid argument to date encode");
    return v;
}

TDateTime EncodeTime(int hour, int min, int sec, int msec) {
    TDateTime v;
    if (!TryEncodeTime(hour, min, sec, msec, v))
        throw EConvertError("Invalid argument to time encode");
    return v;
}

TDateTime EncodeDateTime(int year, int month, int day, int hour, int min, int sec, int msec) {
    const TDateTime date = EncodeDate(year, month, day);
    const TDateTime time = EncodeTime(hour, min, sec, msec);
    return date >= 0 ? date + time : date - time;
}

void DecodeDate(TDateTime value, int& year, int& month, int& day) {
    int64_t days, ms;
    Stamp(value, days, ms);
    CivilFromDays(days - UnixDateDelta, year, month, day);
}

void DecodeTime(TDateTime value, int& hour, int& min, int& sec, int& msec) {
    int64_t days, ms;
    Stamp(value, days, ms);
    msec = static_cast<int>(ms % 1000);
    ms /= 1000;
    sec = static_cast<int>(ms % 60);
    ms /= 60;
    min = static_cast<int>(ms % 60);
    hour = static_cast<int>(ms / 60);
}

void DecodeDateTime(TDateTime value, int& year, int& month, int& day, int& hour, int& min, int& sec,
                    int& msec) {
    DecodeDate(value, year, month, day);
    DecodeTime(value, hour, min, sec, msec);
}

int DayOfWeek(TDateTime value) {
    int64_t days, ms;
    Stamp(value, days, ms);
    // 1899-12-30 was a Saturday.
    const int64_t w = ((days + 6) % 7 + 7) % 7; // 0 = Sunday
    return static_cast<int>(w) + 1;
}

int DayOfTheWeek(TDateTime value) {
    const int d = DayOfWeek(value);
    return d == 1 ? 7 : d - 1;
}

int YearOf(TDateTime value) {
    int y, m, d;
    DecodeDate(value, y, m, d);
    return y;
}
int MonthOf(TDateTime value) {
    int y, m, d;
    DecodeDate(value, y, m, d);
    return m;
}
int DayOf(TDateTime value) {
    int y, m, d;
    DecodeDate(value, y, m, d);
    return d;
}
int HourOf(TDateTime value) {
    int h, n, s, z;
    DecodeTime(value, h, n, s, z);
    return h;
}
int MinuteOf(TDateTime value) {
    int h, n, s, z;
    DecodeTime(value, h, n, s, z);
    return n;
}
int SecondOf(TDateTime value) {
    int h, n, s, z;
    DecodeTime(value, h, n, s, z);
    return s;
}
int MilliSecondOf(TDateTime value) {
    int h, n, s, z;
    DecodeTime(value, h, n, s, z);
    return z;
}

// --- The clock ----------------------------------------------------------------------------------

TDateTime Now() {
    const auto now = std::chrono::system_clock::now();
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch());
    const std::time_t t = static_cast<std::time_t>(ms.count() / 1000);
    std::tm tm{};
    localtime_r(&t, &tm);
    return LocalFromTm(tm, static_cast<int>(ms.count() % 1000));
}

TDateTime Date() {
    return std::floor(Now());
}

TDateTime Time() {
    return Frac(Now());
}

int CurrentYear() {
    return YearOf(Now());
}

TDateTime NowUTC() {
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::system_clock::now().time_since_epoch());
    return FromLinearMs(ms.count() + static_cast<int64_t>(UnixDateDelta) * kMsPerDay);
}

int LocalTimeBias() {
    const std::time_t t = std::time(nullptr);
    std::tm tm{};
    if (!localtime_r(&t, &tm))
        return 0;
    return static_cast<int>(-tm.tm_gmtoff / 60);
}

int LocalTimeBias(TDateTime at) {
    int y, mo, d, h, mi, s, ms;
    DecodeDateTime(at, y, mo, d, h, mi, s, ms);
    std::tm tm{};
    tm.tm_year = y - 1900;
    tm.tm_mon = mo - 1;
    tm.tm_mday = d;
    tm.tm_hour = h;
    tm.tm_min = mi;
    tm.tm_sec = s;
    tm.tm_isdst = -1;
    if (std::mktime(&tm) == static_cast<std::time_t>(-1))
        return 0;
    return static_cast<int>(-tm.tm_gmtoff / 60);
}

TDateTime UnixToDateTime(int64_t seconds) {
    return FromLinearMs((seconds + static_cast<int64_t>(UnixDateDelta) * 86400) * 1000);
}

int64_t DateTimeToUnix(TDateTime value) {
    const int64_t ms = LinearMs(value) - static_cast<int64_t>(UnixDateDelta) * kMsPerDay;
    return ms >= 0 ? ms / 1000 : -((-ms + 999) / 1000);
}

// --- Arithmetic ---------------------------------------------------------------------------------

TDateTime IncMonth(TDateTime value, int months) {
    int y, m, d;
    DecodeDate(value, y, m, d);
    int64_t total = static_cast<int64_t>(y) * 12 + (m - 1) + months;
    const int ny = static_cast<int>(total / 12);
    const int nm = static_cast<int>(total % 12) + 1;
    const int nd = std::min(d, DaysInAMonth(ny, nm));
    int64_t days, ms;
    Stamp(value, days, ms);
    const TDateTime date = EncodeDate(ny, nm, nd);
    return FromStamp(static_cast<int64_t>(date), ms);
}

TDateTime IncYear(TDateTime value, int years) {
    return IncMonth(value, years * 12);
}

TDateTime IncMilliSecond(TDateTime value, int64_t msecs) {
    return FromLinearMs(LinearMs(value) + msecs);
}
TDateTime IncSecond(TDateTime value, int64_t seconds) {
    return IncMilliSecond(value, seconds * 1000);
}
TDateTime IncMinute(TDateTime value, int64_t minutes) {
    return IncMilliSecond(value, minutes * 60000);
}
TDateTime IncHour(TDateTime value, int64_t hours) {
    return IncMilliSecond(value, hours * 3600000);
}
TDateTime IncDay(TDateTime value, int64_t days) {
    return IncMilliSecond(value, days * kMsPerDay);
}

int64_t MilliSecondsBetween(TDateTime a, TDateTime b) {
    const int64_t d = LinearMs(a) - LinearMs(b);
    return d < 0 ? -d : d;
}
int64_t SecondsBetween(TDateTime a, TDateTime b) {
    return MilliSecondsBetween(a, b) / 1000;
}
int64_t MinutesBetween(TDateTime a, TDateTime b) {
    return MilliSecondsBetween(a, b) / 60000;
}
int64_t HoursBetween(TDateTime a, TDateTime b) {
    return MilliSecondsBetween(a, b) / 3600000;
}
int64_t DaysBetween(TDateTime a, TDateTime b) {
    return MilliSecondsBetween(a, b) / kMsPerDay;
}

TDateTime DateOf(TDateTime value) {
    int64_t days, ms;
    Stamp(value, days, ms);
    return static_cast<double>(days);
}

TDateTime TimeOf(TDateTime value) {
    int64_t days, ms;
    Stamp(value, days, ms);
    return static_cast<double>(ms) / MSecsPerDay;
}
