#pragma once
// The clock a connection's port worker times every wait and pause by. It carries the
// connection's cancel flag: while armed (the connect sequence), a sleep on it ends within one
// short slice of a cancel by raising EConnectCancelled, so that every wait of the cable and modem
// steps (a reply, the unit's readiness, the pause after a request) gives way to the operator's
// Cancel at once. Disarmed, it sleeps like the clock under it (the hang-up always runs whole).

#include "device/WorkerClock.h"
#include "platform/rtl/Exception.h"

#include <atomic>
#include <cstdint>

Q4_EXCEPTION(EConnectCancelled, EAbort);

class TConnectionClock : public TWorkerClock {
public:
    // Longest sleep between two looks at the cancel flag.
    static constexpr uint32_t SliceMs = 20;

    explicit TConnectionClock(TWorkerClock& base = TWorkerClock::System()) : base_(base) {}

    uint32_t Ticks() override { return base_.Ticks(); }
    void Sleep(uint32_t ms) override;

    // Any thread.
    void Cancel() { cancelled_.store(true, std::memory_order_release); }
    bool Cancelled() const { return cancelled_.load(std::memory_order_acquire); }
    // The thread that sleeps: whether a cancel ends sleeps now.
    void SetArmed(bool armed) { armed_.store(armed, std::memory_order_release); }
    bool Armed() const { return armed_.load(std::memory_order_acquire); }
    // Raises EConnectCancelled when armed and cancelled.
    void CheckCancel() const;

private:
    TWorkerClock& base_;
    std::atomic<bool> cancelled_{false};
    std::atomic<bool> armed_{false};
};
