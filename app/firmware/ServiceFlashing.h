#pragma once
// The service flashing from an Intel HEX file ("Обновление версии прошивки" in the "Панель"
// menu): the file dialog, then, on OK with a file read whole while connected, the bootloader
// dialogue on the user-interface thread with the file's image in padded 128-byte blocks. The
// worker thread is paused first (it acknowledges that it is off the line), the main controls are
// disabled, progress goes to the status bar's progress bar, a failure adds one line to the log
// naming the step that failed, and the connection is always ended afterwards (no reconnect).

#include "app/firmware/FlashSession.h"

#include <string>

class TComponent;
class TFirmwareImage;
class TServiceFlashHost;
class TWorkerClock;

class TServiceFlashing {
public:
    // `clock` times the pauses (the machine's clock when null); nothing is owned.
    explicit TServiceFlashing(TServiceFlashHost& host, TWorkerClock* clock = nullptr);

    // The menu item: the dialog, modally, then the flashing on OK. False when nothing was sent.
    bool Run(TComponent* owner);
    // The flashing of an image read whole; `gridRows` is the dialog's row count (for the progress
    // bar's total). Does nothing, false, when not connected or the image is empty.
    bool Flash(const TFirmwareImage& image, int gridRows);

    // True while a flashing runs: the main window must not close.
    bool Running() const { return running_; }
    const TFlashResult& LastResult() const { return result_; }

    // The log line of a failed flashing, by the step that failed.
    static std::string FailureText(TFlashOutcome outcome);

private:
    TServiceFlashHost& host_;
    TWorkerClock& clock_;
    bool running_ = false;
    TFlashResult result_;
};
