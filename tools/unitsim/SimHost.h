#pragma once
// What the parts of the simulated unit (the unit's command interpreter, the modem in front of it,
// and later models) need from the line they sit on: sending bytes to the PC, running an action
// later, and the time. The line server implements it; every call is made with the server's state
// lock held, on the server's thread or a thread that went through the server's locked API.

#include <chrono>
#include <functional>
#include <string>

class TSimHost {
public:
    using TClock = std::chrono::steady_clock;

    virtual ~TSimHost() = default;
    // Queues bytes for the PC side of the line (paced at the line rate when pacing is on).
    virtual void Transmit(std::string bytes) = 0;
    // Runs `action` after `delayMs` milliseconds (0: on the next turn of the server loop).
    // Actions due at the same time run in the order they were scheduled.
    virtual void Schedule(int delayMs, std::function<void()> action) = 0;
    virtual TClock::time_point Now() const = 0;
};
