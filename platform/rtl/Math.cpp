#include "platform/rtl/Math.h"

#include <algorithm>
#include <cfenv>
#include <cmath>
#include <limits>

namespace {
int64_t Saturate(double v) {
    if (std::isnan(v))
        return 0;
    if (v >= 9223372036854775807.0)
        return std::numeric_limits<int64_t>::max();
    if (v <= -9223372036854775808.0)
        return std::numeric_limits<int64_t>::min();
    return static_cast<int64_t>(v);
}
} // namespace

int64_t Round(double value) {
    // Ties to even regardless of the caller's rounding mode.
    const double r = std::round(value);
    double result = r;
    if (std::fabs(value - std::trunc(value)) == 0.5)
        result = 2.0 * std::round(value / 2.0);
    return Saturate(result);
}

int64_t Trunc(double value) {
    return Saturate(std::trunc(value));
}

double Frac(double value) {
    return value - std::trunc(value);
}

double Int(double value) {
    return std::trunc(value);
}

bool IsNan(double value) {
    return std::isnan(value);
}

bool IsInfinite(double value) {
    return std::isinf(value);
}

bool SameValue(double a, double b, double epsilon) {
    if (epsilon == 0)
        epsilon = std::max(std::min(std::fabs(a), std::fabs(b)) * 1e-12, 1e-12);
    return a > b ? (a - b) <= epsilon : (b - a) <= epsilon;
}
