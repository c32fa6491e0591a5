#pragma once
// The bootloader dialogue that re-flashes a unit, shared by the update from a built-in image and
// the service flashing from a HEX file:
//   "BL" (reply not looked at), a 3,000 ms pause while the unit restarts into its bootloader;
//   "v" until the reply holds "BootLdr v1.0" (3 tries);
//   "BE", the erase (3 tries);
//   each block "W..." until the trimmed reply begins with the block's number (3 tries, each a
//   request of 3 tries);
//   "EE" with the four check sums (3 tries);
//   a 15,000 ms wait while the unit restarts into its new firmware.
// A reply holding "NO CARRIER", "DISCONNECT" or "BUSY" ends the dialogue at once, and so does an
// error the line raises. Every pause is timed by the given clock in short slices, and the
// observer hears every step, every request and every slice of a wait, so that a window stays
// alive and shows progress; it can also ask the dialogue to stop before its next request.

#include "app/firmware/BootLink.h"
#include "app/firmware/FlashBlocks.h"

#include <cstdint>
#include <string>
#include <vector>

class TWorkerClock;

enum TFlashStep { fsEnter, fsCheck, fsErase, fsWrite, fsFinish, fsRestart };

enum TFlashOutcome {
    foDone,
    foNoBootloader, // "BL"/"v": no "BootLdr v1.0"
    foEraseFailed,  // "BE" not confirmed
    foWriteFailed,  // a block not confirmed with its number
    foFinishFailed, // "EE" not confirmed
    foStopped,      // the observer asked to stop
};

struct TFlashResult {
    TFlashOutcome Outcome = foDone;
    TFlashStep Step = fsEnter; // the step the dialogue ended in
    int Block = -1;            // the index of the block that failed (foWriteFailed)
    bool LineLost = false;     // a hang-up word came back or the line raised an error
    std::string Reply;         // the last reply
    std::string Error;         // the line's error text, when it raised one
    bool Ok() const { return Outcome == foDone; }
};

class TFlashObserver {
public:
    virtual ~TFlashObserver() = default;
    // A step begins; for fsWrite once per block (its index).
    virtual void StepStarted(TFlashStep, int /*block*/) {}
    // A part of the work is done: the entry pause, the erase, a block, a slice of 150 ms of the
    // restart wait.
    virtual void PartDone(TFlashStep) {}
    // A request came back.
    virtual void RequestDone(TFlashStep) {}
    // Inside every pause (about every millisecond) and after every block request.
    virtual void Waiting() {}
    // Looked at before every request and inside pauses.
    virtual bool StopRequested() { return false; }
};

class TFlashSession {
public:
    static constexpr uint32_t EnterPauseMs = 3000;
    static constexpr uint32_t RestartWaitMs = 15000;
    static constexpr uint32_t RestartStepMs = 150;
    static constexpr int Tries = 3;

    // Nothing is owned.
    TFlashSession(TBootLink& link, TWorkerClock& clock, TFlashObserver& observer);

    // Runs the whole dialogue for `blocks`; never raises for the line's errors.
    TFlashResult Run(const std::vector<TFlashBlock>& blocks);

    // False when the reply holds one of the hang-up words.
    static bool LineAlive(const std::string& reply);
    // True when a line of the reply is "OK" (any case): the erase and the end need it.
    static bool Confirmed(const std::string& reply);

private:
    enum TKind { rkShort, rkLong, rkBlock };
    // One request; false when it failed. Marks the result when the line died.
    bool Request(TKind kind, const std::string& command, TFlashResult& result);
    // Tries `accept` up to three times, stopping when the line died or a stop is asked for.
    template <class F> bool TryUpTo3(F accept, TFlashResult& result);
    bool WriteBlocks(const std::vector<TFlashBlock>& blocks, TFlashResult& result);
    // Pauses `ms`, a part done every `stepMs` (0: none).
    void Pause(uint32_t ms, uint32_t stepMs, TFlashStep step);
    bool Stopping(TFlashResult& result);

    TBootLink& link_;
    TWorkerClock& clock_;
    TFlashObserver& observer_;
};
