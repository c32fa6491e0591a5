#pragma once
// A worker clock that moves on only when the worker sleeps on it (and, when asked, by a step on
// every reading), so that tests check time limits by the worker's own account without waiting
// them out. Sleeping yields to the other threads briefly so that a simulated unit keeps up.

#include "device/WorkerClock.h"

#include <atomic>
#include <cstdint>
#include <thread>

class TSteppedClock : public TWorkerClock {
public:
    explicit TSteppedClock(uint32_t start = 0, uint32_t stepPerReading = 0)
        : now_(start), step_(stepPerReading) {}

    uint32_t Ticks() override { return now_.fetch_add(step_) + step_; }
    void Sleep(uint32_t ms) override {
        now_ += ms;
        slept_ += ms;
        std::this_thread::yield();
    }
    // Milliseconds slept on this clock.
    uint64_t Slept() const { return slept_.load(); }

private:
    std::atomic<uint32_t> now_;
    uint32_t step_;
    std::atomic<uint64_t> slept_{0};
};
