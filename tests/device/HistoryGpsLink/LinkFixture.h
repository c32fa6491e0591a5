#pragma once
// A simulated unit with its history ring and GPS receiver on a pseudo-terminal, and a command
// object talking to it over the cable (or through the simulated modem after a data call).

#include "device/ComPortWorker.h"
#include "device/DevQuorvan.h"
#include "device/LogWriter.h"
#include "device/ModemWorker.h"
#include "platform/rtl/Exception.h"
#include "tools/unitsim/GpsReceiverModel.h"
#include "tools/unitsim/HistoryRing.h"
#include "tools/unitsim/UnitSim.h"

#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

class TKeptLog : public TLogWriter {
public:
    void WriteLine(const std::string& line) override {
        std::lock_guard<std::mutex> lock(mutex_);
        lines_.push_back(line);
    }

private:
    std::mutex mutex_;
    std::vector<std::string> lines_;
};

class THistoryGpsLink {
public:
    explicit THistoryGpsLink(bool modem = false) : sim_(Options(modem)) {
        sim_.Access([this](TSimUnit& unit, TSimModem*) {
            ring_ = std::make_unique<THistoryRing>(unit);
            gps_ = std::make_unique<TGpsReceiverModel>(unit);
        });
        sim_.Start();
        port_ = std::make_unique<TComPortWorker>(sim_.Path(), false, &log_, true);
        port_->Reopen();
        if (modem) {
            TModemOptions options;
            options.DialDelayMs = 0;
            sim_.SetModemOptions(options);
            modem_ =
                std::make_unique<TModemWorker>(port_.get(), "+79001234567", false, &log_, false);
            if (!modem_->ResetModem() || !modem_->CheckModem() || !modem_->Dial()) {
                throw Exception("the simulated modem did not connect");
            }
        }
        dev_ = std::make_unique<TDevQuorvan>(modem_.get(), port_.get());
        sim_.ClearRecords();
    }

    ~THistoryGpsLink() {
        dev_.reset();
        modem_.reset();
        port_.reset();
        sim_.Stop(); // before the parts whose handlers the unit holds go
    }

    TDevQuorvan& Dev() { return *dev_; }
    TUnitSim& Sim() { return sim_; }

    // Runs `action` on the ring or the receiver with the simulator's state locked.
    void Ring(const std::function<void(THistoryRing&)>& action) {
        sim_.Access([&](TSimUnit&, TSimModem*) { action(*ring_); });
    }
    void Gps(const std::function<void(TGpsReceiverModel&)>& action) {
        sim_.Access([&](TSimUnit&, TSimModem*) { action(*gps_); });
    }
    // The "+read" lines the unit received since the records were cleared.
    std::vector<std::string> ReadLines() {
        std::vector<std::string> reads;
        for (const auto& line : sim_.UnitLines()) {
            if (line.rfind("+read", 0) == 0) {
                reads.push_back(line);
            }
        }
        return reads;
    }

private:
    static TUnitSimOptions Options(bool modem) {
        TUnitSimOptions options;
        options.Pacing = false;
        options.Modem = modem;
        return options;
    }

    TUnitSim sim_;
    TKeptLog log_;
    std::unique_ptr<THistoryRing> ring_;
    std::unique_ptr<TGpsReceiverModel> gps_;
    std::unique_ptr<TComPortWorker> port_;
    std::unique_ptr<TModemWorker> modem_;
    std::unique_ptr<TDevQuorvan> dev_;
};
