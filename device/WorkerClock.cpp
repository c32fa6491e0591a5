#include "device/WorkerClock.h"

#include "platform/rtl/Clock.h"

namespace {

class TSystemClock : public TWorkerClock {
public:
    uint32_t Ticks() override { return GetTickCount(); }
    void Sleep(uint32_t ms) override { ::Sleep(ms); }
};

} // namespace

TWorkerClock& TWorkerClock::System() {
    static TSystemClock clock;
    return clock;
}
