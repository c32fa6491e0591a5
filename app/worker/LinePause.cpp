#include "app/worker/LinePause.h"

#include "platform/rtl/Clock.h"
#include "platform/rtl/Threads.h"

#include <thread>

bool TLinePause::Pause(uint32_t timeoutMs) {
    requested_.store(true, std::memory_order_release);
    const uint32_t start = GetTickCount();
    while (!held_.load(std::memory_order_acquire)) {
        if (TicksBetween(start, GetTickCount()) > timeoutMs)
            return false;
        if (IsMainThread())
            CheckSynchronize(5);
        else
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

void TLinePause::Resume() {
    requested_.store(false, std::memory_order_release);
    held_.store(false, std::memory_order_release);
}

bool TLinePause::HoldOff() {
    if (!requested_.load(std::memory_order_acquire)) {
        held_.store(false, std::memory_order_release);
        return false;
    }
    held_.store(true, std::memory_order_release);
    return true;
}
