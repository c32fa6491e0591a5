#include "platform/classes/Filer.h"

#include <cmath>
#include <cstring>
#include <limits>

void DoubleToExtended(double value, uint8_t out[10]) {
    uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    const unsigned sign = static_cast<unsigned>(bits >> 63);
    const int exponent = static_cast<int>((bits >> 52) & 0x7FF);
    const uint64_t fraction = bits & ((uint64_t{1} << 52) - 1);
    uint64_t mantissa = 0;
    unsigned biased = 0;
    if (exponent == 0 && fraction == 0) {
        // zero keeps only its sign
    } else if (exponent == 0x7FF) {
        biased = 0x7FFF;
        mantissa = (uint64_t{1} << 63) | (fraction << 11);
        if (fraction != 0)
            mantissa |= uint64_t{1} << 62; // a quiet NaN
    } else if (exponent == 0) {
        // A subnormal double is a normal extended value.
        int top = 63 - __builtin_clzll(fraction);
        mantissa = fraction << (63 - top);
        biased = static_cast<unsigned>(top - 1074 + 16383);
    } else {
        mantissa = (uint64_t{1} << 63) | (fraction << 11);
        biased = static_cast<unsigned>(exponent - 1023 + 16383);
    }
    for (int i = 0; i < 8; ++i)
        out[i] = static_cast<uint8_t>(mantissa >> (8 * i));
    const unsigned top = biased | (sign << 15);
    out[8] = static_cast<uint8_t>(top);
    out[9] = static_cast<uint8_t>(top >> 8);
}

double ExtendedToDouble(const uint8_t in[10]) {
    uint64_t mantissa = 0;
    for (int i = 0; i < 8; ++i)
        mantissa |= uint64_t{in[i]} << (8 * i);
    const unsigned top = in[8] | (unsigned{in[9]} << 8);
    const bool negative = (top & 0x8000) != 0;
    const int biased = static_cast<int>(top & 0x7FFF);
    double value;
    if (biased == 0x7FFF) {
        value = (mantissa << 1) == 0 ? std::numeric_limits<double>::infinity()
                                     : std::numeric_limits<double>::quiet_NaN();
    } else if (mantissa == 0) {
        value = 0.0;
    } else {
        value = std::ldexp(static_cast<double>(mantissa), biased - 16383 - 63);
    }
    return negative ? -value : value;
}
