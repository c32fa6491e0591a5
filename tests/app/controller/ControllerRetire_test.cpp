// A connection's controller after the main window has let go of it (Retire): the hand-overs that
// follow a connect and the question whether the update dialog owns the line no longer reach the
// windows, which may already be gone by the time the worker thread gets there (the program
// frees the update dialog before the main window waits for the connection to end), and the
// worker's way out then closes the unit's session.

#include "app/controller/ConnectionClock.h"
#include "app/controller/Controller.h"
#include "app/queue/OutArray.h"
#include "device/ComPortWorker.h"
#include "tests/app/support/OffUserInterface.h"
#include "tools/unitsim/UnitSim.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// What reached the update dialog's hooks of the view.
struct TUpdateCalls {
    int Showing = 0;
    int Cleared = 0;
    int Offered = 0;
};

// A controller over the cable to a simulated unit, with the update dialog's hooks counted; the
// dialog says it owns the line.
class TRetireRig {
public:
    TRetireRig() {
        TUnitSimOptions options;
        options.Pacing = false;
        sim_ = std::make_unique<TUnitSim>(options);
        sim_->Start();
        port_ = std::make_unique<TComPortWorker>(sim_->Path(), false, nullptr);
        port_->SetClock(clock_);
        port_->Reopen();
        view_.Queue = &queue_;
        view_.UpdateShowing = [this] {
            ++calls.Showing;
            return true;
        };
        view_.ClearUpdateState = [this] { ++calls.Cleared; };
        view_.OfferUpdate = [this](const TUnitFirmware&) { ++calls.Offered; };
        TConnectChoice choice;
        choice.Port = sim_->Path();
        controller_ = std::make_unique<TController>(nullptr, *port_, choice, view_, clock_);
    }
    ~TRetireRig() {
        controller_.reset();
        port_.reset();
        sim_->Stop();
    }

    TController& Controller() { return *controller_; }
    TUnitSim& Sim() { return *sim_; }
    // The hand-overs the worker thread asks for after a connect, run as the user-interface
    // thread runs them.
    void RunHandOvers() {
        controller_->AdaptToFirmware();
        controller_->ClearUpdateState();
        controller_->OfferUpdate();
    }
    // The worker's way out, on a thread of its own while this one serves its hand-overs.
    void DisconnectOffUserInterface() {
        apptest::RunOffUserInterface([this] { controller_->Disconnect(); });
    }

    TUpdateCalls calls;

private:
    std::unique_ptr<TUnitSim> sim_;
    TConnectionClock clock_;
    TOutArray queue_;
    TControllerView view_;
    std::unique_ptr<TComPortWorker> port_;
    std::unique_ptr<TController> controller_;
};

} // namespace

TEST(ControllerRetire, ALiveConnectionHandsOverToTheUpdateDialogAndLeavesItsLine) {
    TRetireRig rig;
    rig.RunHandOvers();
    EXPECT_EQ(rig.calls.Cleared, 1);
    EXPECT_EQ(rig.calls.Offered, 1);

    rig.DisconnectOffUserInterface();
    EXPECT_EQ(rig.calls.Showing, 1);
    // The dialog owns the line: nothing is sent to the unit.
    EXPECT_EQ(rig.Sim().FromPc(), "");
}

TEST(ControllerRetire, ARetiredConnectionNoLongerReachesTheUpdateDialogAndHangsUp) {
    TRetireRig rig;
    rig.Controller().Retire();
    rig.RunHandOvers();
    rig.DisconnectOffUserInterface();
    EXPECT_EQ(rig.calls.Cleared, 0);
    EXPECT_EQ(rig.calls.Offered, 0);
    EXPECT_EQ(rig.calls.Showing, 0);
    EXPECT_TRUE(rig.Sim().WaitFromPc("CABLE DISCONNECT\r", 3000)) << rig.Sim().FromPc();
}
