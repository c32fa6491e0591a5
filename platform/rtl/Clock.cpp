#include "platform/rtl/Clock.h"

#include <chrono>
#include <thread>

uint32_t GetTickCount() {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

uint32_t TicksSince(uint32_t start) {
    return TicksBetween(start, GetTickCount());
}

bool TicksElapsed(uint32_t start, uint32_t intervalMs) {
    return TicksSince(start) >= intervalMs;
}

void Sleep(uint32_t ms) {
    if (ms == 0)
        std::this_thread::yield();
    else
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}
