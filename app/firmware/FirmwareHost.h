#pragma once
// What the firmware windows need of the main window and the connection, as two narrow
// interfaces: the main window implements them, tests hand in small doubles. Everything is called
// on the user-interface thread unless it says otherwise.

#include <string>

class TBootLink;
class TFrCustomProgressBar;

// For the update from a built-in image (the update dialog and its thread).
class TUpdateHost {
public:
    virtual ~TUpdateHost() = default;

    // The unit as the connection read it.
    virtual std::string UnitVersionText() = 0;
    virtual int UnitBuild() = 0;
    virtual bool UnitVariantFlag() = 0; // the version text ends in "_p"
    // The flash type the status bar shows ("AT45DB161D", "M45PE16").
    virtual std::string FlashTypeText() = 0;

    // Disables (true) or enables again the main window's controls and its current page.
    virtual void LockMainWindow(bool locked) = 0;
    // Appends the built-in image's version to the main window's caption.
    virtual void AddCaptionSuffix(const std::string& suffix) = 0;
    // Shows a version text in the status bar's version panel (empty: clears it).
    virtual void ShowUnitVersion(const std::string& text) = 0;

    // Stops the connection's worker thread and waits until it has ended, without hanging up: the
    // line then belongs to the update. Raises when that cannot be done.
    virtual void StopWorker() = 0;
    // The connection's bootloader requests; null when there is no connection. Used on the update
    // thread.
    virtual TBootLink* BootLink() = 0;
    // Update thread: clears the modem worker's abort flag that stopping the worker set.
    virtual void ClearModemAbort() = 0;
    // Sets the connection's cancel flag (a running request ends as soon as it can).
    virtual void CancelRequests() = 0;
    // Ends the connection (hang-up, port closed) and connects again: with the stored choices and
    // no connect dialog when `silently`, else through the connect dialog.
    virtual void Reconnect(bool silently) = 0;
};

// For the service flashing from a HEX file, which runs on the user-interface thread.
class TServiceFlashHost {
public:
    virtual ~TServiceFlashHost() = default;

    virtual bool Connected() = 0;
    // The connection's bootloader requests; null when there is no connection.
    virtual TBootLink* BootLink() = 0;
    // Sets the connection's busy flag and returns once the worker thread has acknowledged it:
    // from then on no request of the worker reaches the unit (TLinePause, LinePause.h). False,
    // with the pause taken back, when the worker did not hold off in time: nothing is flashed.
    virtual bool PauseWorker() = 0;
    virtual void DisableMainControls() = 0;
    virtual void EnableMainControls() = 0;
    // The status bar's progress bar (may be null).
    virtual TFrCustomProgressBar* ProgressBar() = 0;
    // Adds a line to the log memo as it is (no time stamp).
    virtual void LogLine(const std::string& line) = 0;
    // Clears the connection's connected flag and disconnects (the line is given up; the worker's
    // exit does not hang up a second time).
    virtual void Disconnect() = 0;
};
