#pragma once
// Rounding as the classic runtime does it: Round takes ties to the even neighbour, Trunc goes
// toward zero; both saturate at the ends of the 64-bit range (NaN gives 0).

#include <cstdint>

int64_t Round(double value);
int64_t Trunc(double value);
double Frac(double value);
double Int(double value);
bool IsNan(double value);
bool IsInfinite(double value);
// Equal within `epsilon`; with epsilon 0 a tolerance scaled to the operands is used.
bool SameValue(double a, double b, double epsilon = 0);
