#include "platform/rtl/DateTime.h"
#include "platform/rtl/Exception.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <ctime>

namespace {
const TFormatSettings ru = TFormatSettings::Russian();
const TFormatSettings inv = TFormatSettings::Invariant();

// Runs `body` with the time zone `tz`, restoring the previous one.
template <typename F> void WithTimeZone(const char* tz, F body) {
    const char* old = std::getenv("TZ");
    const std::string saved = old ? old : "";
    ::setenv("TZ", tz, 1);
    ::tzset();
    body();
    if (old)
        ::setenv("TZ", saved.c_str(), 1);
    else
        ::unsetenv("TZ");
    ::tzset();
}
} // namespace

TEST(DateTime, EncodeDecodeKnownDays) {
    struct Case {
        int y, m, d;
        double serial;
        int dow;
    };
    const Case cases[] = {
        {1899, 12, 30, 0, 7},     {1899, 12, 29, -1, 6},  {1900, 1, 1, 2, 2},
        {1970, 1, 1, 25569, 5},   {1980, 1, 6, 29226, 1}, {2000, 2, 29, 36585, 3},
        {2024, 12, 31, 45657, 3}, {1, 1, 1, -693593, 2},  {9999, 12, 31, 2958465, 6},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(EncodeDate(c.y, c.m, c.d), c.serial) << c.y << '-' << c.m << '-' << c.d;
        int y, m, d;
        DecodeDate(c.serial, y, m, d);
        EXPECT_EQ(y * 10000 + m * 100 + d, c.y * 10000 + c.m * 100 + c.d);
        EXPECT_EQ(DayOfWeek(c.serial), c.dow) << c.serial;
    }
    EXPECT_THROW(EncodeDate(2023, 2, 29), EConvertError);
    EXPECT_THROW(EncodeDate(0, 1, 1), EConvertError);
    EXPECT_THROW(EncodeTime(24, 0, 0, 0), EConvertError);
    try {
        EncodeDate(2023, 13, 1);
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "Invalid argument to date encode");
    }
    int y, m, d;
    EXPECT_THROW(DecodeDate(std::nan(""), y, m, d), EConvertError);
    EXPECT_THROW(DecodeDate(1e12, y, m, d), EConvertError);
    EXPECT_TRUE(IsLeapYear(2000));
    EXPECT_FALSE(IsLeapYear(1900));
    EXPECT_EQ(DaysInAMonth(2024, 2), 29);
}

TEST(DateTime, TimeRoundsToTheMillisecond) {
    const TDateTime t = EncodeDateTime(2024, 3, 5, 10, 22, 5, 0);
    int h, n, s, ms;
    DecodeTime(std::nextafter(t, 0.0), h, n, s, ms); // one ulp below still shows :05
    EXPECT_EQ(s, 5);
    EXPECT_EQ(ms, 0);
    // The last millisecond of a day rounds up into the next day.
    const TDateTime almost = EncodeDate(2024, 3, 5) + (MSecsPerDay - 0.4) / MSecsPerDay;
    EXPECT_EQ(FormatDateTime("dd.mm.yyyy hh:nn:ss.zzz", almost, ru), "06.03.2024 00:00:00.000");
    // Before the epoch the fraction is still the time of day.
    const TDateTime before = EncodeDateTime(1899, 12, 29, 6, 0, 0, 0);
    EXPECT_DOUBLE_EQ(before, -1.25);
    EXPECT_EQ(FormatDateTime("yyyy-mm-dd hh:nn", before, inv), "1899-12-29 06:00");
}

TEST(DateTime, FormatDateTimeTokens) {
    const TDateTime t = EncodeDateTime(2024, 3, 5, 14, 7, 9, 45); // a Tuesday
    struct Case {
        const char* format;
        std::string text;
    };
    const Case cases[] = {
        {"dd.mm.yyyy", "05.03.2024"},
        {"d/m/yy", "5.3.24"},     // "/" is the date separator
        {"hh:mm:ss", "14:07:09"}, // mm after hh means minutes
        {"h:m", "14:7"},
        {"mm hh", "03 14"},       // months before the hour
        {"hh 'h' mm", "14 h 07"}, // literals do not break the hour link
        {"nn:ss.zzz", "07:09.045"},
        {"z", "45"},
        {"ddd dddd", "Вт вторник"},
        {"mmm mmmm", "мар Март"},
        {"ddddd", "05.03.2024"},
        {"c", "05.03.2024 14:07:09"},
        {"", "05.03.2024 14:07:09"},
        {"t|tt", "14:07|14:07:09"},
        {"h:nn am/pm", "2:07 pm"},
        {"hh:nn A/P", "02:07 P"},
        {"\"day\" d", "day 5"},
        {"yyyy'", "2024"}, // unterminated quote: to the end
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatDateTime(c.format, t, ru), c.text) << c.format;
    EXPECT_EQ(DateTimeToStr(EncodeDate(2024, 3, 5), ru), "05.03.2024"); // midnight: no time
    EXPECT_EQ(DateTimeToStr(EncodeDateTime(2024, 3, 5, 0, 0, 0, 500), ru), "05.03.2024");
    EXPECT_EQ(DateTimeToStr(EncodeDateTime(2024, 3, 5, 0, 0, 1, 0), ru), "05.03.2024 0:00:01");
    EXPECT_EQ(DateTimeToStr(t, inv), "03/05/2024 14:07:09");
    EXPECT_EQ(TimeToStr(EncodeTime(9, 5, 0, 0), ru), "9:05:00");
    EXPECT_EQ(FormatDateTime("hh:nn am/pm", EncodeTime(0, 30, 0, 0), ru), "12:30 am");
    // Formats that refer to each other stop instead of recursing for ever.
    TFormatSettings loop = ru;
    loop.ShortDateFormat = "ddddd";
    EXPECT_EQ(FormatDateTime("ddddd", t, loop), "");
}

TEST(DateTime, ParsingDatesAndTimes) {
    const int year = CurrentYear();
    struct Case {
        const char* text;
        bool ok;
        TDateTime value;
    };
    const Case cases[] = {
        {"05.03.2024", true, EncodeDate(2024, 3, 5)},
        {" 5.3.2024 ", true, EncodeDate(2024, 3, 5)},
        {"5.3", true, EncodeDate(year, 3, 5)},
        {"31.02.2024", false, 0},
        {"05/03/2024", false, 0},
        {"5..2024", false, 0},
        {"a.b.c", false, 0},
        {"05.03.2024 14:07", true, EncodeDateTime(2024, 3, 5, 14, 7, 0, 0)},
        {"05.03.2024 14:07:09", true, EncodeDateTime(2024, 3, 5, 14, 7, 9, 0)},
        // Milliseconds after the decimal separator are a count, not a fraction.
        {"05.03.2024 14:07:09,5", true, EncodeDateTime(2024, 3, 5, 14, 7, 9, 5)},
        {"13:45:30,5", true, EncodeTime(13, 45, 30, 5)},
        {"13:45:30.50", true, EncodeTime(13, 45, 30, 50)},
        {"13:45:30,999", true, EncodeTime(13, 45, 30, 999)},
        {"13:45:30,1000", false, 0},
        {"13:45,5", false, 0}, // milliseconds need the seconds
        {"05.03.2024 25:00", false, 0},
        {"14:07", true, EncodeTime(14, 7, 0, 0)},
        {"2:07 PM", true, EncodeTime(14, 7, 0, 0)},
        {"12:00 am", true, EncodeTime(0, 0, 0, 0)},
        {"13:00 PM", false, 0},
        {"14", false, 0},
        {"", false, 0},
    };
    for (const Case& c : cases) {
        TDateTime v = -1;
        EXPECT_EQ(TryStrToDateTime(c.text, v, ru), c.ok) << c.text;
        if (c.ok) {
            EXPECT_DOUBLE_EQ(v, c.value) << c.text;
        }
    }
    // Two-digit years fall in the 50-year window around today.
    const TDateTime two = StrToDate("01.01.05", ru);
    EXPECT_EQ(YearOf(two), year - 50 <= 2005 && 2005 < year + 50 ? 2005 : 2105);
    EXPECT_EQ(StrToDate("12/31/2024", inv), EncodeDate(2024, 12, 31));
    try {
        StrToDateTime("soon", ru);
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "'soon' is not a valid date and time");
    }
    EXPECT_THROW(StrToDate("1.2.3.4", ru), EConvertError);
    EXPECT_THROW(StrToTime("1:2:3:4", ru), EConvertError);
    EXPECT_DOUBLE_EQ(StrToTime("13:45:30,5", ru), EncodeTime(13, 45, 30, 5));
}

TEST(DateTime, ArithmeticAndSpans) {
    const TDateTime jan31 = EncodeDateTime(2024, 1, 31, 12, 0, 0, 0);
    EXPECT_EQ(FormatDateTime("yyyy-mm-dd hh:nn", IncMonth(jan31), inv), "2024-02-29 12:00");
    EXPECT_EQ(FormatDateTime("yyyy-mm-dd", IncMonth(jan31, -2), inv), "2023-11-30");
    EXPECT_EQ(FormatDateTime("yyyy-mm-dd", IncMonth(jan31, 13), inv), "2025-02-28");
    EXPECT_EQ(FormatDateTime("yyyy-mm-dd", IncYear(EncodeDate(2024, 2, 29)), inv), "2025-02-28");
    EXPECT_EQ(FormatDateTime("hh:nn:ss", IncSecond(jan31, 3661), inv), "13:01:01");
    EXPECT_EQ(FormatDateTime("yyyy-mm-dd hh", IncHour(EncodeDate(1899, 12, 30), -6), inv),
              "1899-12-29 18");

    const TDateTime a = EncodeDateTime(2024, 3, 5, 10, 22, 5, 0);
    const TDateTime b = EncodeDateTime(2024, 3, 5, 10, 22, 4, 0);
    EXPECT_EQ(SecondsBetween(a, std::nextafter(b, 1e9)), 1); // an ulp does not lose the second
    EXPECT_EQ(SecondsBetween(b, a), 1);
    EXPECT_EQ(MinutesBetween(a, IncMinute(a, -90)), 90);
    EXPECT_EQ(DaysBetween(a, IncDay(a, 3) - 1e-6), 2); // 86 ms short of three days
    EXPECT_DOUBLE_EQ(DateOf(a), EncodeDate(2024, 3, 5));
    EXPECT_EQ(DayOfTheWeek(EncodeDate(2024, 3, 3)), 7); // a Sunday
    EXPECT_EQ(DateTimeToUnix(EncodeDate(1970, 1, 2)), 86400);
    EXPECT_DOUBLE_EQ(UnixToDateTime(-86400), EncodeDate(1969, 12, 31));
}

TEST(DateTime, ClockAndTimeZoneBias) {
    const TDateTime now = Now();
    EXPECT_GE(YearOf(now), 2024);
    EXPECT_LE(std::fabs(Date() - std::floor(now)), 1.0);
    // Zones as POSIX rules, so that no time-zone database has to be installed.
    WithTimeZone("<+03>-3", [] { // three hours east of UTC, no daylight saving
        EXPECT_EQ(LocalTimeBias(), -180);
        EXPECT_LE(std::fabs((Now() - NowUTC()) * MinsPerDay - 180), 1.0);
    });
    WithTimeZone("CET-1CEST,M3.5.0,M10.5.0/3", [] { // central Europe with summer time
        EXPECT_EQ(LocalTimeBias(EncodeDateTime(2024, 1, 15, 12, 0, 0, 0)), -60);
        EXPECT_EQ(LocalTimeBias(EncodeDateTime(2024, 7, 15, 12, 0, 0, 0)), -120);
    });
}
