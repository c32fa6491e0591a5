#pragma once
// A simulated unit with its history ring and GPS receiver, and a command object talking to it
// over the cable (or through the simulated modem after a data call).

#include "tests/device/UnitLink.h"
#include "tools/unitsim/GpsReceiverModel.h"
#include "tools/unitsim/HistoryRing.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class THistoryGpsLink : public TUnitLink {
public:
    explicit THistoryGpsLink(bool modem = false) : TUnitLink(modem ? lkModem : lkCable) {
        Sim().Access([this](TSimUnit& unit, TSimModem*) {
            ring_ = std::make_unique<THistoryRing>(unit);
            gps_ = std::make_unique<TGpsReceiverModel>(unit);
        });
    }
    ~THistoryGpsLink() override { Close(); }

    // Runs `action` on the ring or the receiver with the simulator's state locked.
    void Ring(const std::function<void(THistoryRing&)>& action) {
        Sim().Access([&](TSimUnit&, TSimModem*) { action(*ring_); });
    }
    void Gps(const std::function<void(TGpsReceiverModel&)>& action) {
        Sim().Access([&](TSimUnit&, TSimModem*) { action(*gps_); });
    }
    // The "+read" lines the unit received since the records were cleared.
    std::vector<std::string> ReadLines() {
        std::vector<std::string> reads;
        for (const auto& line : Sim().UnitLines()) {
            if (line.rfind("+read", 0) == 0) {
                reads.push_back(line);
            }
        }
        return reads;
    }

private:
    std::unique_ptr<THistoryRing> ring_;
    std::unique_ptr<TGpsReceiverModel> gps_;
};
