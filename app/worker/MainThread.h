#pragma once
// The worker thread of a connection: it runs the controller's connect sequence, hands the three
// steps that touch windows to the user-interface thread, then looks at its command byte every
// pass: a listed code runs its controller operation once, no code runs the idle poll. Every pass
// ends with a 50 ms sleep and an idle pass sleeps another 50 ms. While its line pause is asked
// for (a flashing on the user-interface thread owns the line), a pass runs neither a command nor
// the idle poll and says that it holds off; a code set meanwhile waits for the pause to end. An
// exception that leaves a command ends the loop; on its way out the thread disconnects while the
// controller is connected.

#include "app/worker/CommandCodes.h"
#include "app/worker/LinePause.h"
#include "platform/rtl/Threads.h"

#include <atomic>
#include <cstdint>

class TControllerCommands;
class TWorkerClock;

class TMainThread : public TThread {
public:
    // Created suspended; neither the controller nor the clock is owned.
    explicit TMainThread(TControllerCommands& controller);
    TMainThread(TControllerCommands& controller, TWorkerClock& clock);
    ~TMainThread() override;

    // User-interface thread. A code written before the thread took the one before replaces it.
    void SetCommand(uint8_t code) { command_.store(code, std::memory_order_release); }
    uint8_t Command() const { return command_.load(std::memory_order_acquire); }
    // Cancels the controller's current step, then asks the thread to end.
    void Stop();
    // The hand-shake that keeps this thread off the line.
    TLinePause& LinePause() { return pause_; }

protected:
    void Execute() override;

private:
    // Runs the operation of `code`; false for a code that names none.
    bool RunCommand(uint8_t code);
    void CommandLoop();

    TControllerCommands& controller_;
    TWorkerClock& clock_;
    std::atomic<uint8_t> command_{cmdIdle};
    TLinePause pause_;
};
