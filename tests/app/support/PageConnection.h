#pragma once
// A connection's controller with real settings pages, talking to quorvan4-unitsim on a
// pseudo-terminal over the cable or through the simulated GSM modem: the controller connects as
// the program does, the pages' readers, writers and commands run on a thread of their own while
// the test's thread serves their hand-overs, and what they queued is then applied to the pages.
// The port's waits run ten times faster than the wall clock.

#include "app/controller/ConnectionClock.h"
#include "app/controller/Controller.h"
#include "app/pages/FormIncl.h"
#include "app/queue/Appliers.h"
#include "app/queue/OutArray.h"
#include "device/ComPortWorker.h"
#include "device/ModemWorker.h"
#include "platform/rtl/Exception.h"
#include "tests/app/support/OffUserInterface.h"
#include "tests/app/support/RecordingPageLink.h"
#include "tests/device/RecordingLog.h"
#include "tests/device/UnitLink.h"
#include "tools/unitsim/UnitSim.h"

#include <memory>
#include <string>
#include <vector>

namespace pagetest {

class TPageConnection {
public:
    TPageConnection(TLinkKind kind, std::vector<TformIncl*> pages)
        : kind_(kind), sim_(Options(kind)) {
        sim_.Start();
        port_ = std::make_unique<TComPortWorker>(sim_.Path(), false, &log_);
        port_->SetClock(clock_);
        port_->Reopen();
        TConnectChoice choice;
        choice.Port = sim_.Path();
        choice.Modem = kind == lkModem;
        choice.WaitRegistration = false;
        if (kind == lkModem) {
            TModemOptions modemOptions;
            modemOptions.DialDelayMs = 0;
            sim_.SetModemOptions(modemOptions);
            choice.Phone = "+79001234567";
            modem_ = std::make_unique<TModemWorker>(*port_, choice.Phone, false, &log_);
        }
        view_.Queue = &queue_;
        view_.Pages = std::move(pages);
        controller_ = std::make_unique<TController>(modem_.get(), *port_, choice, view_, clock_);
        bool connected = false;
        apptest::RunOffUserInterface([&] { connected = controller_->Connect(); });
        DrainOutArray(queue_);
        if (!connected)
            throw Exception("the simulated unit did not connect");
        sim_.ClearRecords();
    }
    ~TPageConnection() {
        controller_.reset();
        modem_.reset();
        port_.reset();
        sim_.Stop();
    }
    TPageConnection(const TPageConnection&) = delete;
    TPageConnection& operator=(const TPageConnection&) = delete;

    // Read page or write page of `page`, as the main window runs them: the page prepared on the
    // user-interface thread, the exchange on the worker thread, what it queued applied.
    void Read(TformIncl& page) {
        page.PrepareRead();
        Run(page, [this] { controller_->ReadPage(); });
    }
    void Write(TformIncl& page) {
        page.PrepareWrite();
        Run(page, [this] { controller_->WritePage(); });
    }
    // A command of the worker thread (ApplySleepMode, ...), and what it queued applied.
    void Command(void (TController::*command)()) {
        apptest::RunOffUserInterface([&] { (controller_.get()->*command)(); });
        DrainOutArray(queue_);
    }

    TUnitSim& Sim() { return sim_; }
    TController& Controller() { return *controller_; }
    TLinkKind Kind() const { return kind_; }
    // The lines the unit received since the records were cleared ("+object0123", ...).
    std::vector<std::string> Lines() { return sim_.UnitLines(); }
    // The unit fails the request `keyword` (FailRequest).
    void Refuse(const std::string& keyword) { FailRequest(sim_, kind_, keyword); }

private:
    static TUnitSimOptions Options(TLinkKind kind) {
        TUnitSimOptions options;
        options.Pacing = false;
        options.Modem = kind == lkModem;
        return options;
    }
    void Run(TformIncl& page, const std::function<void()>& exchange) {
        controller_->SetPage(&page);
        apptest::RunOffUserInterface(exchange);
        DrainOutArray(queue_);
    }

    TLinkKind kind_;
    TUnitSim sim_;
    TFastClock fast_;
    TConnectionClock clock_{fast_};
    TRecordingLog log_;
    TOutArray queue_;
    TControllerView view_;
    std::unique_ptr<TComPortWorker> port_;
    std::unique_ptr<TModemWorker> modem_;
    std::unique_ptr<TController> controller_;
};

} // namespace pagetest
