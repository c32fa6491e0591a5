#include "app/worker/MainThread.h"

#include "app/worker/ControllerCommands.h"
#include "device/WorkerClock.h"

namespace {

constexpr uint32_t PassSleepMs = 50;

} // namespace

bool IsListedCommand(uint8_t code) {
    switch (code) {
    case cmdReadPage:
    case cmdWritePage:
    case cmdReadAll:
    case cmdWriteAll:
    case cmdEraseHistory:
    case cmdHistoryPointer:
    case cmdResetFlags:
    case cmdSaveAlmanac:
    case cmdLoadAlmanac:
    case cmdHistoryForward:
    case cmdHistoryBack:
    case cmdSetSleepMode:
    case cmdSetAntiTheft:
        return true;
    default:
        return false;
    }
}

TMainThread::TMainThread(TControllerCommands& controller)
    : TMainThread(controller, TWorkerClock::System()) {}

TMainThread::TMainThread(TControllerCommands& controller, TWorkerClock& clock)
    : controller_(controller), clock_(clock) {}

TMainThread::~TMainThread() {
    Terminate();
    WaitFor();
}

void TMainThread::Stop() {
    controller_.Cancel();
    Terminate();
}

bool TMainThread::RunCommand(uint8_t code) {
    TControllerCommands& c = controller_;
    switch (code) {
    case cmdReadPage:
        c.ReadPage();
        return true;
    case cmdWritePage:
        c.WritePage();
        return true;
    case cmdReadAll:
        c.ReadAll();
        return true;
    case cmdWriteAll:
        c.WriteAll();
        return true;
    case cmdEraseHistory:
        c.EraseHistory();
        return true;
    case cmdHistoryPointer:
        c.HistoryPointer();
        return true;
    case cmdResetFlags:
        c.ResetEventFlags();
        return true;
    case cmdSaveAlmanac:
        c.SaveAlmanac();
        return true;
    case cmdLoadAlmanac:
        c.LoadAlmanac();
        return true;
    case cmdHistoryForward:
        c.HistoryForward();
        return true;
    case cmdHistoryBack:
        c.HistoryBack();
        return true;
    case cmdSetSleepMode:
        c.ApplySleepMode();
        return true;
    case cmdSetAntiTheft:
        c.ApplyAntiTheft();
        return true;
    default:
        return false;
    }
}

void TMainThread::CommandLoop() {
    while (!Terminated()) {
        if (pause_.HoldOff()) {
            clock_.Sleep(PassSleepMs);
            continue;
        }
        // The code is taken at pick-up: one written while its command runs waits for the next
        // pass instead of being reset. A code that names nothing goes back (unless a new one
        // came meanwhile) and keeps the loop from polling.
        const uint8_t code = command_.exchange(cmdIdle, std::memory_order_acq_rel);
        if (code == cmdIdle) {
            controller_.IdlePoll();
            clock_.Sleep(PassSleepMs);
        } else if (!RunCommand(code)) {
            uint8_t expected = cmdIdle;
            command_.compare_exchange_strong(expected, code, std::memory_order_acq_rel);
        }
        clock_.Sleep(PassSleepMs);
    }
}

void TMainThread::Execute() {
    // Only what is written from now on counts. A code written once the window turned connected
    // runs, even while the hand-overs after the connect are still running.
    command_.store(cmdIdle, std::memory_order_release);
    if (!controller_.Connect()) {
        controller_.Disconnect();
        Synchronize([this] { controller_.ClearUpdateState(); });
        return;
    }
    try {
        Synchronize([this] { controller_.AdaptToFirmware(); });
        Synchronize([this] { controller_.ClearUpdateState(); });
        Synchronize([this] { controller_.OfferUpdate(); });
        CommandLoop();
    } catch (const std::exception&) {
        // A step or a command that raised ends the connection.
        Terminate();
    }
    if (controller_.Connected())
        controller_.Disconnect();
}
