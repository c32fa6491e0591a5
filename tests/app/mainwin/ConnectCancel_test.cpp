// "Отмена" on the connection-progress window during every step of the connect sequence, on the
// cable and through the modem: the window is disconnected again as soon as the progress window
// closes, and the attempt itself (the worker's connect sequence) ends within a second; the
// hang-up that follows runs on the worker thread.

#include "app/connect/DlgConnect.h"
#include "app/controller/Controller.h"
#include "app/mainwin/DlgSplash.h"
#include "app/mainwin/FormMain.h"
#include "controls/buttons/FrCheckBox.h"
#include "tests/app/mainwin/MainWindowTestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

using namespace mwtest;

namespace {

struct TCancelCase {
    const char* step;
    // Set up the unit (and modem) before connecting.
    std::function<void(TUnitSim&)> arrange;
    // The PC's bytes after which Cancel is pressed, and how long after them.
    std::string trigger;
    int afterMs = 150;
    bool waitReady = false;
    bool waitRegistration = true;
};

// Connects, presses Cancel at the case's moment and returns how long the connect sequence went on
// after it (milliseconds), or -1 when it did not end within three seconds.
long long CancelAt(TWindowRig& rig, const TCancelCase& c) {
    const auto base = rig.OnConnectDialog;
    rig.OnConnectDialog = [&](TdlgConnect& dialog) {
        dialog.WaitReady()->SetChecked(c.waitReady);
        dialog.WaitRegistration()->SetChecked(c.waitRegistration);
        base(dialog);
    };
    TController* controller = nullptr;
    std::chrono::steady_clock::time_point pressed;
    rig.OnSplash = [&](TdlgSplash& splash) {
        EXPECT_TRUE(PumpUntil(
            [&] { return rig.Sim().FromPc().find(c.trigger) != std::string::npos; }, 8000))
            << c.step;
        const auto seen = std::chrono::steady_clock::now();
        PumpUntil([&] { return MsSince(seen) >= c.afterMs; }, c.afterMs + 100);
        controller = rig.Main()->LiveController();
        pressed = std::chrono::steady_clock::now();
        splash.CancelButton()->Click();
    };
    rig.ClickConnect();
    // Back to disconnected at once.
    EXPECT_TRUE(rig.ToolEnabled("tbtnConnect")) << c.step;
    EXPECT_FALSE(rig.ToolEnabled("tbtnDisconnect")) << c.step;
    EXPECT_LT(MsSince(pressed), 1000) << c.step;
    if (controller == nullptr)
        return -1;
    // No window events meanwhile, so the ended connection stays until it is looked at.
    while (controller->Outcome() == TController::TOutcome::Pending && MsSince(pressed) < 3000)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    const long long ended =
        controller->Outcome() == TController::TOutcome::Pending ? -1 : MsSince(pressed);
    EXPECT_EQ(controller->Outcome(), TController::TOutcome::Failed) << c.step;
    return ended;
}

void Late(TUnitSim& sim, const char* keyword) {
    TUnitFaults faults;
    faults.LateKeyword = keyword;
    faults.LateMs = 20000;
    faults.RepeatMs = 0;
    sim.SetFaults(faults);
}

void Silent(TUnitSim& sim) {
    TUnitFaults faults;
    faults.Silent = true;
    sim.SetFaults(faults);
}

} // namespace

TEST(ConnectCancel, EveryCableStepEndsWithinASecond) {
    const TCancelCase cases[] = {
        {"waiting for the unit's AT", [](TUnitSim&) {}, "", 300},
        {"waiting for the unit's readiness", [](TUnitSim&) {}, "", 1500, true},
        {"CABLE CONNECT unanswered", Silent, "CABLE CONNECT\r", 300},
        {"the pause before the version", [](TUnitSim&) {}, "CABLE CONNECT\r", 600},
        {"the version request", [](TUnitSim& s) { Late(s, "v"); }, "+v\r"},
        {"the panel type", [](TUnitSim& s) { Late(s, "typepan"); }, "+typepan\r"},
        {"the unit's mode", [](TUnitSim& s) { Late(s, "dontsleep"); }, "+dontsleep\r"},
        {"the keep-alive", [](TUnitSim& s) { Late(s, "PGPS"); }, "+PGPS\r"},
        {"the anti-theft mode", [](TUnitSim& s) { Late(s, "wakefr"); }, "+wakefr\r"},
    };
    for (const TCancelCase& c : cases) {
        TWindowRig rig(TRigOptions{.FastClock = false});
        c.arrange(rig.Sim());
        rig.Start();
        const long long ended = CancelAt(rig, c);
        EXPECT_GE(ended, 0) << c.step;
        EXPECT_LT(ended, 1000) << c.step;
        // The ended attempt closes the session and goes.
        rig.Sim().SetFaults(TUnitFaults{});
        EXPECT_TRUE(PumpUntil(
            [&] { return rig.Sim().FromPc().find("CABLE DISCONNECT\r") != std::string::npos; },
            12000))
            << c.step;
        EXPECT_TRUE(PumpUntil([&] { return rig.Main()->ClosingConnections() == 0; }, 12000))
            << c.step;
    }
}

TEST(ConnectCancel, EveryModemStepEndsWithinASecond) {
    const auto modem = [](TModemOptions o) {
        return [o](TUnitSim& sim) { sim.SetModemOptions(o); };
    };
    TModemOptions silent;
    silent.Silent = true;
    TModemOptions unregistered;
    unregistered.RegPollsBeforeFinal = 100000;
    TModemOptions slowDial;
    slowDial.DialDelayMs = 60000;
    const TCancelCase cases[] = {
        {"the RTS pulse", [](TUnitSim&) {}, "", 500},
        {"ATZ unanswered", modem(silent), "ATZ\r"},
        {"waiting for the network", modem(unregistered), "AT+CREG?\r", 300},
        {"dialling", modem(slowDial), "ATD", 300},
        {"the pause before the version", [](TUnitSim&) {}, "ATD", 900},
        {"the version request", [](TUnitSim& s) { Late(s, "v"); }, "+v\r"},
    };
    for (const TCancelCase& c : cases) {
        TWindowRig rig(TRigOptions{.Modem = true, .FastClock = false});
        c.arrange(rig.Sim());
        rig.Start();
        const long long ended = CancelAt(rig, c);
        EXPECT_GE(ended, 0) << c.step;
        EXPECT_LT(ended, 1000) << c.step;
        rig.Sim().SetFaults(TUnitFaults{});
        rig.Sim().SetModemOptions(TModemOptions{});
        EXPECT_TRUE(PumpUntil([&] { return rig.Main()->ClosingConnections() == 0; }, 20000))
            << c.step;
    }
}
