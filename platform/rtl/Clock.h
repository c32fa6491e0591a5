#pragma once
// Monotonic millisecond clock and sleeping.
//
// GetTickCount counts milliseconds from an arbitrary start and wraps after about 49.7 days, like
// the counter the program was designed against. Compare tick values only through TicksSince /
// TicksElapsed, which are wrap-safe as long as the interval is shorter than the wrap period.

#include <cstdint>

// Milliseconds of a monotonic clock (never jumps with the wall clock), wrapping at 2^32.
uint32_t GetTickCount();

// Milliseconds from `start` to `now`, correct across a wrap of the counter.
constexpr uint32_t TicksBetween(uint32_t start, uint32_t now) {
    return now - start;
}

// Milliseconds that have passed since `start` (a value of GetTickCount()).
uint32_t TicksSince(uint32_t start);

// True once at least `intervalMs` milliseconds have passed since `start`.
bool TicksElapsed(uint32_t start, uint32_t intervalMs);

// Suspends the calling thread for `ms` milliseconds; Sleep(0) yields.
void Sleep(uint32_t ms);
