// The worksheet functions the evaluator computes itself.

#include "spreadsheet/formulas/FunctionEvaluate.h"

#include "platform/rtl/CodePage.h"
#include "platform/rtl/Exception.h"
#include "platform/rtl/Format.h"
#include "spreadsheet/cells/Cell.h"
#include "spreadsheet/core/XLSUtils.h"
#include "spreadsheet/formulas/Ptg.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

namespace {

// Halfway cases go away from zero, also where the product lands a hair below the half.
double RoundTo(double x, int decimals) {
    const double scale = std::pow(10.0, decimals);
    const double y = x * scale;
    double r = std::round(y);
    const double frac = std::fabs(y - std::trunc(y));
    if (std::fabs(frac - 0.5) <= 1e-9 * std::max(1.0, std::fabs(y)))
        r = std::trunc(y) + (y < 0 ? -1 : 1);
    return r / scale;
}

int NearestWhole(double v) {
    return static_cast<int>(std::lround(v));
}

} // namespace

bool TExcelFunctionEvaluate::Aggregate(int index, TFormulaValue& result) {
    switch (index) {
    case 0: { // COUNT
        int64_t count = 0;
        ForEachValue(
            [&](const TFormulaValue& v) {
                count += v.Kind == fvNumber;
                return true;
            },
            SkipEmpties);
        SetNumberValue(result, static_cast<double>(count));
        return true;
    }
    case 2:     // ISNA
    case 3:     // ISERROR
    case 128: { // ISNUMBER
        bool all = true;
        ForEachValue(
            [&](const TFormulaValue& v) {
                all = index == 2   ? v.Kind == fvError && v.Small == errNA
                      : index == 3 ? v.Kind == fvError
                                   : v.Kind == fvNumber;
                return all;
            },
            [&](int64_t) { return all = false; });
        SetBooleanValue(result, all);
        return true;
    }
    case 4:   // SUM
    case 5: { // AVERAGE
        double sum = 0;
        ForEachValue(
            [&](const TFormulaValue& v) {
                double n;
                if (AsNumberArg(v, n))
                    sum += n;
                return true;
            },
            SkipEmpties);
        SetResult(result, index == 4 ? sum : sum / static_cast<double>(ValueCount));
        return true;
    }
    case 6:    // MIN
    case 7:    // MAX
    case 12: { // STDEV
        // One pass: the extreme, and the mean and squared deviations (Welford).
        double extreme = 0, mean = 0, squares = 0;
        int64_t n = 0;
        bool converts = true;
        ForEachValue(
            [&](const TFormulaValue& v) {
                double x;
                if (!AsNumberArg(v, x))
                    return converts = false;
                extreme = n == 0 ? x : index == 6 ? std::min(extreme, x) : std::max(extreme, x);
                ++n;
                const double delta = x - mean;
                mean += delta / static_cast<double>(n);
                squares += delta * (x - mean);
                return true;
            },
            [&](int64_t) { return converts = false; });
        if (!converts)
            SetErrorValue(result, errValue);
        else if (index != 12)
            SetResult(result, extreme);
        else if (n < 2) // one value has no sample deviation
            SetErrorValue(result, errDiv0);
        else
            SetResult(result, std::sqrt(squares / static_cast<double>(n - 1)));
        return true;
    }
    case 11: { // NPV
        double rate = 0, sum = 0;
        int64_t period = 0;
        bool converts = true;
        ForEachValue(
            [&](const TFormulaValue& v) {
                double x;
                if (!AsNumberArg(v, x))
                    return converts = false;
                if (period++ == 0)
                    rate = x;
                else
                    sum += x / std::pow(1 + rate, static_cast<double>(period - 1));
                return true;
            },
            [&](int64_t) { return converts = false; });
        if (converts)
            SetResult(result, sum);
        else
            SetErrorValue(result, errValue);
        return true;
    }
    default:
        return false;
    }
}

bool TExcelFunctionEvaluate::Logical(int index, TFormulaValue& result) {
    bool b = false;
    switch (index) {
    case 1: // IF
        if (AsBoolean(Values[0], b, result)) {
            if (b)
                result = Values.size() > 1 ? Values[1] : result;
            else if (Values.size() > 2)
                result = Values[2];
            else
                SetBooleanValue(result, false);
        }
        return true;
    case 36:   // AND
    case 37: { // OR
        bool all = true, any = false, converts = true;
        ForEachValue(
            [&](const TFormulaValue& v) {
                if (!AsBoolean(v, b, result))
                    return converts = false;
                all = all && b;
                any = any || b;
                return true;
            },
            [&](int64_t) { return converts = false; });
        if (converts)
            SetBooleanValue(result, index == 36 ? all : any);
        return true;
    }
    case 38: // NOT
        if (AsBoolean(Values[0], b, result))
            SetBooleanValue(result, !b);
        return true;
    default:
        return false;
    }
}

bool TExcelFunctionEvaluate::Mathematical(int index, TFormulaValue& result) {
    if ((index >= 15 && index <= 18) || (index >= 21 && index <= 26)) {
        const TFormulaValue v = ValueOf(Args[0]);
        if (v.Kind != fvNumber)
            throw Exception("Wrong type of argument in function " + Utf16ToUtf8(FuncName));
        const double x = v.Number;
        static double (*const kFunctions[])(double) = {
            [](double a) { return std::sin(a); },
            [](double a) { return std::cos(a); },
            [](double a) { return std::tan(a); },
            [](double a) { return std::atan(a); },
            nullptr,
            nullptr,
            [](double a) { return std::exp(a); },
            [](double a) { return std::log(a); },
            [](double a) { return std::log10(a); },
            [](double a) { return std::fabs(a); },
            [](double a) { return std::trunc(a); },
            [](double a) { return double((a > 0) - (a < 0)); }};
        SetResult(result, kFunctions[index - 15](x));
        return true;
    }
    if (index != 27 && index != 39)
        return false;
    double a, b;
    if (!AsNumberArg(Values[0], a) || !AsNumberArg(Values[1], b)) {
        SetErrorValue(result, errValue);
    } else if (index == 27) {
        SetResult(result, RoundTo(a, NearestWhole(b)));
    } else if (b == 0) {
        SetErrorValue(result, errDiv0);
    } else {
        SetResult(result, a - std::trunc(a / b) * b);
    }
    return true;
}

bool TExcelFunctionEvaluate::Texts(int index, TFormulaValue& result) {
    switch (index) {
    case 13: { // DOLLAR
        std::vector<double> numbers;
        bool converts = true;
        ForEachValue(
            [&](const TFormulaValue& v) {
                double n;
                if (!AsNumberArg(v, n))
                    return converts = false;
                if (numbers.size() < 2)
                    numbers.push_back(n);
                return true;
            },
            [&](int64_t) { return converts = false; });
        if (!converts) {
            SetErrorValue(result, errValue);
            return true;
        }
        const std::string text =
            numbers.size() == 1 ? Format("%m", {numbers[0]}, Settings)
                                : Format("%.*m", {NearestWhole(numbers[1]), numbers[0]}, Settings);
        SetStringValue(result, Utf8ToUtf16(text));
        return true;
    }
    case 14: { // FIXED
        double value, decimals = 2;
        bool plain = false;
        if (!AsNumberArg(Values[0], value) ||
            (Values.size() > 1 && !AsNumberArg(Values[1], decimals)) ||
            (Values.size() > 2 && Values[2].Kind != fvBoolean)) {
            SetErrorValue(result, errValue);
            return true;
        }
        if (Values.size() > 2)
            plain = Values[2].Small != 0;
        SetStringValue(result, Utf8ToUtf16(Format(plain ? "%.*f" : "%.*n",
                                                  {NearestWhole(decimals), value}, Settings)));
        return true;
    }
    case 336: { // CONCATENATE
        std::u16string text;
        bool error = false;
        ForEachValue(
            [&](const TFormulaValue& v) {
                if (v.Kind == fvError) {
                    SetStringValue(result, CellErrorText(v.Small));
                    return !(error = true);
                }
                text += AsText(v);
                return true;
            },
            SkipEmpties);
        if (!error)
            SetStringValue(result, text);
        return true;
    }
    default:
        return false;
    }
}
