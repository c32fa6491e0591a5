#include "chart/util/DateSteps.h"

#include "chart/draw/ChartTypes.h"
#include "platform/rtl/FormatSettings.h"

#include <cmath>

namespace {

constexpr double kSteps[] = {1.0 / 86400000000.0,
                             1.0 / 86400000.0,
                             1.0 / 86400,
                             5.0 / 86400,
                             10.0 / 86400,
                             15.0 / 86400,
                             30.0 / 86400,
                             1.0 / 1440,
                             5.0 / 1440,
                             10.0 / 1440,
                             15.0 / 1440,
                             30.0 / 1440,
                             1.0 / 24,
                             2.0 / 24,
                             0.25,
                             0.5,
                             1,
                             2,
                             3,
                             7,
                             15,
                             30,
                             60,
                             90,
                             120,
                             182,
                             365};
static_assert(std::size(kSteps) == dtNone);

// Months a step moves by (0: not a month step).
int MonthsOf(TDateStepKind step) {
    switch (step) {
    case dtOneMonth:
        return 1;
    case dtTwoMonths:
        return 2;
    case dtThreeMonths:
        return 3;
    case dtFourMonths:
        return 4;
    case dtSixMonths:
        return 6;
    default:
        return 0;
    }
}

void MoveMonths(int& year, int& month, int k, bool forward) {
    if (forward) {
        month += k;
        while (month > 12) {
            month -= 12;
            ++year;
        }
    } else if (k < month) {
        month -= k;
    } else {
        --year;
        month += 12 - k;
    }
}

// The date built again with the day kept within the month.
TDateTime Build(int year, int month, int day) {
    return EncodeDate(year, month, std::min(day, DaysInAMonth(year, month)));
}

} // namespace

double DateStepLength(TDateStepKind step) {
    return step < dtNone ? kSteps[step] : 0;
}

TDateStepKind DateStepOf(double days) {
    for (int i = dtOneYear; i >= 0; --i)
        if (std::fabs(kSteps[i] - days) < kSteps[0])
            return static_cast<TDateStepKind>(i);
    return dtNone;
}

double NextLargerDateStep(double days) {
    for (int i = dtSixMonths; i >= 0; --i)
        if (kSteps[i] <= days)
            return kSteps[i + 1];
    return kSteps[dtOneYear];
}

std::string DefaultDateTimeFormatFor(double step) {
    return step > 1 ? FormatSettings().ShortDateFormat : FormatSettings().ShortTimeFormat;
}

TDateTime RoundDateToStep(TDateTime value, TDateStepKind step) {
    if (value == 0 || step < dtOneDay)
        return value;
    switch (step) {
    case dtOneDay:
        return std::nearbyint(value);
    case dtTwoDays:
        return std::nearbyint(value / 2) * 2;
    case dtThreeDays:
        return std::nearbyint(value / 3) * 3;
    case dtOneWeek:
        return std::nearbyint((value - 2) / 7) * 7 + 2;
    default:
        break;
    }
    int year, month, day;
    DecodeDate(value, year, month, day);
    if (step == dtHalfMonth)
        day = day < 15 ? 1 : 15;
    else if (step == dtOneYear)
        day = month = 1;
    else if (step != dtNone)
        day = 1;
    return EncodeDate(year, month, day);
}

void StepDateTime(bool isDateTime, bool increment, TDateTime& value, TDateStepKind step,
                  double amount) {
    if (!isDateTime || step < dtHalfMonth || step == dtNone) {
        value += increment ? amount : -amount;
        return;
    }
    // Compared by date, as the moved value drops its time of day: a label with a time of day
    // moves one year, not two.
    const TDateTime target = std::floor(value + (increment ? amount : -amount));
    int year, month, day;
    DecodeDate(value, year, month, day);
    if (step == dtHalfMonth) {
        if (day > 15) {
            day = 15;
        } else if (day > 1) {
            day = 1;
        } else {
            MoveMonths(year, month, 1, increment);
            day = 15;
        }
        value = Build(year, month, day);
    } else if (const int k = MonthsOf(step); k > 0) {
        MoveMonths(year, month, k, increment);
        value = Build(year, month, 1);
    } else {
        // Whole years until the target is reached or passed, at least one.
        do {
            year += increment ? 1 : -1;
            value = Build(year, month, day);
        } while (increment ? value < target : value > target);
    }
}
