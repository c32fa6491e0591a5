#include "app/controller/ConnectionClock.h"

#include <algorithm>

void TConnectionClock::CheckCancel() const {
    if (Armed() && Cancelled())
        throw EConnectCancelled("Подключение отменено");
}

void TConnectionClock::Sleep(uint32_t ms) {
    if (!Armed()) {
        base_.Sleep(ms);
        return;
    }
    CheckCancel();
    const uint32_t start = base_.Ticks();
    for (;;) {
        const uint32_t spent = base_.Ticks() - start;
        if (spent >= ms)
            break;
        base_.Sleep(std::min(ms - spent, SliceMs));
        CheckCancel();
    }
}
