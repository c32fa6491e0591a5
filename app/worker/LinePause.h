#pragma once
// The hand-shake that keeps the connection's worker thread off the line while the user-interface
// thread flashes a unit: the user-interface thread asks for the pause and waits until the worker
// thread says, between two passes of its loop, that it holds off; from then on the worker runs
// no request (no command, no idle poll) until the pause ends. While waiting, the user-interface
// thread keeps running the worker's hand-overs, so a worker inside one never deadlocks it.

#include <atomic>
#include <cstdint>

class TLinePause {
public:
    // User-interface thread: asks for the pause and waits up to `timeoutMs` for the worker to
    // hold off. False when it did not in time (the request stays, the caller decides).
    bool Pause(uint32_t timeoutMs);
    // Ends the pause.
    void Resume();
    // Whether a pause is asked for.
    bool Requested() const { return requested_.load(std::memory_order_acquire); }
    // Whether the worker holds off.
    bool Held() const { return held_.load(std::memory_order_acquire); }

    // Worker thread, between passes of its loop: true while a pause is asked for, and says that
    // the worker holds off; the worker then skips its pass.
    bool HoldOff();

private:
    std::atomic<bool> requested_{false};
    std::atomic<bool> held_{false};
};
