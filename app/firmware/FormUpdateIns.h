#pragma once
// The update dialog ("Перепрошивка панели"), shown (not modal) when a connected unit runs older
// firmware than the first built-in image. It offers the image chosen for the unit, locks the main
// window while shown, and on "Перепрошить панель" stops the worker thread and re-flashes the unit
// on its own update thread, showing progress, elapsed and remaining time and the outcome. Leaving
// after a flashing ends the connection and connects again.
//
// State: 0 offered, 1 starting, 2 flashing or failed, 3 finished (or the start failed).
// Mended: an image that is not whole is never flashed (the button stays disabled and the dialog
// says why); the dialog owns its thread and waits for it; the close box works in every state:
// refused while a flashing runs, otherwise it leaves as "exit" does.

#include "app/firmware/BuiltInImages.h"
#include "app/firmware/UpdateThread.h"
#include "platform/forms/Forms.h"

#include <array>
#include <cstdint>
#include <memory>

class TButton;
class TFrProgressBar;
class TLabel;
class TUpdateHost;
class TWorkerClock;

class TformUpdateIns : public TForm, private TUpdateView {
    Q4_CLASS(TformUpdateIns, TForm)
public:
    explicit TformUpdateIns(TComponent* owner);
    ~TformUpdateIns() override;
    static void DeclareMethods(TMethodTable& m);

    // Builds the dialog for a main window: reads the built-in images, and gives the main
    // window's caption the first image's version. `clock` times the flashing (the machine's
    // clock when null).
    static TformUpdateIns* Create(TComponent* owner, TUpdateHost& host,
                                  TWorkerClock* clock = nullptr);

    int State() const { return state_; }
    // The clock the next flashing is timed by (the machine's clock when null).
    void SetClock(TWorkerClock* clock);
    // Back to the offer (every successful connect does this).
    void ClearUpdateState() { state_ = 0; }
    // True from "Перепрошить панель" until the update thread has ended: the main window must
    // not close meanwhile.
    bool Flashing() const;
    // The image offered to the connected unit (1 to 3).
    int ChosenImage() const;
    const std::array<TBuiltInImage, 3>& Images() const { return images_; }

    // Handlers named by the description.
    void FormCreate(TObject* sender);
    void FormShow(TObject* sender);
    void FormCloseQuery(TObject* sender, bool& canClose);
    void btnUpdateVerClick(TObject* sender);
    void btnExitClick(TObject* sender);

private:
    template <class T> T* Part(const char* name) const;
    TLabel* Label(const char* name) const;
    TButton* Button(const char* name) const;
    void ShowTimeLabels(bool visible);
    void SetStatus(const std::string& text, TColor color);
    // Ends the thread (asking it to stop when it still runs) and does what leaving means in the
    // current state; false when the dialog must stay.
    bool Leave();
    uint32_t ElapsedSeconds() const;

    // TUpdateView, on the user-interface thread.
    void UpdateStarted(int totalParts) override;
    void ShowStatus(const char* text) override;
    void StepProgress() override;
    void CompleteProgress() override;
    void ShowTimes(bool estimate) override;
    void DisableExit() override;
    void ShowSuccess() override;
    void ShowFailure() override;

    TUpdateHost* host_ = nullptr;
    TWorkerClock* clock_ = nullptr;
    std::array<TBuiltInImage, 3> images_;
    int state_ = 0;
    uint32_t startTicks_ = 0;
    bool leaving_ = false;
    std::unique_ptr<TUpdateThread> thread_;
};

// Puts the classes the firmware dialogs' descriptions name in the class registry.
void RegisterFirmwareDialogClasses();
