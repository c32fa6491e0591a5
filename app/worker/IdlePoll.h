#pragma once
// The idle poll of a connection: with no command waiting, the supply voltage is read when more
// than 20 whole seconds passed since it was last read, and a keep-alive query goes out when more
// than 60 whole seconds passed since the last one; nothing while the controller is busy. Both
// times start at the poll's creation (the controller's).

#include <cstdint>
#include <functional>

class TWorkerClock;

class TIdlePoll {
public:
    TIdlePoll(TWorkerClock& clock, std::function<void()> readSupplyVoltage,
              std::function<void()> keepAlive);
    void Run(bool busy);

private:
    TWorkerClock& clock_;
    std::function<void()> readSupplyVoltage_;
    std::function<void()> keepAlive_;
    uint32_t lastSupply_;
    uint32_t lastKeepAlive_;
};
