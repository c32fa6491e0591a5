#include "app/worker/IdlePoll.h"

#include "device/WorkerClock.h"

namespace {

constexpr uint32_t SupplyPeriodS = 20;
constexpr uint32_t KeepAlivePeriodS = 60;

uint32_t WholeSecondsSince(uint32_t start, uint32_t now) {
    return (now - start) / 1000;
}

} // namespace

TIdlePoll::TIdlePoll(TWorkerClock& clock, std::function<void()> readSupplyVoltage,
                     std::function<void()> keepAlive)
    : clock_(clock), readSupplyVoltage_(std::move(readSupplyVoltage)),
      keepAlive_(std::move(keepAlive)), lastSupply_(clock.Ticks()), lastKeepAlive_(lastSupply_) {}

void TIdlePoll::Run(bool busy) {
    if (busy)
        return;
    if (WholeSecondsSince(lastSupply_, clock_.Ticks()) > SupplyPeriodS) {
        readSupplyVoltage_();
        lastSupply_ = clock_.Ticks();
    }
    if (WholeSecondsSince(lastKeepAlive_, clock_.Ticks()) > KeepAlivePeriodS) {
        keepAlive_();
        lastKeepAlive_ = clock_.Ticks();
    }
}
