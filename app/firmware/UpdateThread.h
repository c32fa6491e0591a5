#pragma once
// The thread that re-flashes a unit from a built-in image: it owns the line from the worker
// thread's stop to its own end, runs the bootloader dialogue, and shows every step through the
// update dialog's view, each on the user-interface thread (the thread waits for each). The
// dialog owns the thread and waits for it; nothing frees itself.

#include "app/firmware/FlashBlocks.h"
#include "platform/rtl/Threads.h"

#include <vector>

class TUpdateHost;
class TWorkerClock;

// What the update thread shows, called on the user-interface thread.
class TUpdateView {
public:
    virtual ~TUpdateView() = default;
    // The thread runs: the dialog's state becomes "failed" until it ends well.
    virtual void UpdateStarted(int totalParts) = 0;
    // The status text, in black.
    virtual void ShowStatus(const char* text) = 0;
    // One more part of the progress bar, and the bar full.
    virtual void StepProgress() = 0;
    virtual void CompleteProgress() = 0;
    // The time since the start, and (with `estimate`) the time left by the parts done.
    virtual void ShowTimes(bool estimate) = 0;
    virtual void DisableExit() = 0;
    virtual void ShowSuccess() = 0;
    virtual void ShowFailure() = 0;
};

class TUpdateThread : public TThread {
public:
    // Created suspended; nothing is owned. `lines` is the image's line count.
    TUpdateThread(TUpdateView& view, TUpdateHost& host, std::vector<TFlashBlock> blocks, int lines,
                  TWorkerClock& clock);
    ~TUpdateThread() override;

    // User-interface thread: cancels the request in flight and asks the thread to end; the
    // remaining requests are skipped and the failure is shown.
    void Abort();

    // The progress bar's parts: one per eight lines, and 104 for the steps and the wait.
    static int TotalParts(int lines) { return lines / 8 + 104; }

protected:
    void Execute() override;

private:
    TUpdateView& view_;
    TUpdateHost& host_;
    std::vector<TFlashBlock> blocks_;
    int lines_;
    TWorkerClock& clock_;
};
