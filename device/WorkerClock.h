#pragma once
// The clock the transport workers time their waits by: milliseconds that wrap at 2^32, and
// sleeping. Tests hand a worker a clock of their own (one that moves on when slept on, or one
// about to wrap), so that time limits are checked without waiting them out.

#include <cstdint>

class TWorkerClock {
public:
    virtual ~TWorkerClock() = default;
    virtual uint32_t Ticks() = 0;
    virtual void Sleep(uint32_t ms) = 0;

    // The machine's tick counter and sleep.
    static TWorkerClock& System();
};
