#pragma once
// A simulated unit on a pseudo-terminal and a command object talking to it over the cable, or
// through the simulated GSM modem after a dialled data call.

#include "device/ComPortWorker.h"
#include "device/DevQuorvan.h"
#include "device/ModemWorker.h"
#include "platform/rtl/Exception.h"
#include "tests/device/RecordingLog.h"
#include "tools/unitsim/UnitSim.h"

#include <memory>
#include <ostream>
#include <string>

enum TLinkKind { lkCable, lkModem };

// Test names and failure messages show the link by its name.
inline void PrintTo(TLinkKind kind, std::ostream* os) {
    *os << (kind == lkCable ? "cable" : "modem");
}

class TUnitLink {
public:
    explicit TUnitLink(TLinkKind kind) : kind_(kind), sim_(Options(kind)) {
        sim_.Start();
        port_ = std::make_unique<TComPortWorker>(sim_.Path(), false, &log_);
        port_->Reopen();
        if (kind == lkModem) {
            TModemOptions modemOptions;
            modemOptions.DialDelayMs = 0;
            sim_.SetModemOptions(modemOptions);
            modem_ = std::make_unique<TModemWorker>(*port_, "+79001234567", false, &log_);
            if (!modem_->ResetModem() || !modem_->CheckModem() || !modem_->SetBearer() ||
                !modem_->Dial()) {
                throw Exception("the simulated modem did not connect");
            }
        }
        dev_ = std::make_unique<TDevQuorvan>(modem_.get(), port_.get());
        sim_.ClearRecords();
    }
    virtual ~TUnitLink() { Close(); }
    TUnitLink(const TUnitLink&) = delete;
    TUnitLink& operator=(const TUnitLink&) = delete;

    TDevQuorvan& Dev() { return *dev_; }
    // The cable's port worker (also under the modem worker); tests may give it their own clock.
    TComPortWorker& Port() { return *port_; }
    TUnitSim& Sim() { return sim_; }
    TRecordingLog& Log() { return log_; }
    TLinkKind Kind() const { return kind_; }
    // The bytes the PC sent since the records were last cleared, without the modem's own traffic.
    std::string Sent() { return sim_.FromPc(); }

protected:
    // The PC side goes first, then the server stops; a link that plugs parts into the unit calls
    // this before the parts whose handlers the unit holds go.
    void Close() {
        dev_.reset();
        modem_.reset();
        port_.reset();
        sim_.Stop();
    }

private:
    static TUnitSimOptions Options(TLinkKind kind) {
        TUnitSimOptions options;
        options.Pacing = false;
        options.Modem = kind == lkModem;
        return options;
    }

    TLinkKind kind_;
    TUnitSim sim_;
    TRecordingLog log_;
    std::unique_ptr<TComPortWorker> port_;
    std::unique_ptr<TModemWorker> modem_;
    std::unique_ptr<TDevQuorvan> dev_;
};
