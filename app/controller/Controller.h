#pragma once
// The controller of one connection: it stands between the pages and the unit's command object,
// runs the connect sequence (modem dial or cable hand-shake, firmware version and shell check,
// flash type, first reads) and the disconnect, reads and writes pages, and answers every command
// code of the worker thread. It runs on the worker thread and reports only through the output
// queue.
//
// Mended: the cancel flag ends every step of the connect sequence within one short slice, the
// cable waits and the pause before the version check included; the outcome of the connect is
// kept for the main window, which turns connected only when it succeeded; a failed numeric
// conversion of a page write ends the exchange with a log line saying why. Once the main window
// has let go of the connection (Retire), the controller no longer touches the connection-
// progress window, the status bar, the main controls, the end request, the pages' fit to the
// firmware or the update dialog, so that what an ended connection still queues can never change
// the state of the next one, nor reach a window that the program, ending, has freed already.

#include "app/connect/DlgConnect.h"
#include "app/controller/ConnectionClock.h"
#include "app/controller/ControllerView.h"
#include "app/controller/FirmwareGates.h"
#include "app/worker/ControllerCommands.h"
#include "app/worker/IdlePoll.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <typeindex>
#include <typeinfo>

class TComPortWorker;
class TDevQuorvan;
class TModemWorker;
class TformIncl;

class TController : public TControllerCommands {
public:
    enum class TOutcome { Pending, Succeeded, Failed };

    // `modem` is null for the cable; nothing given is owned. The clock must be the port worker's
    // clock (the controller arms it for the connect sequence).
    TController(TModemWorker* modem, TComPortWorker& port, const TConnectChoice& choice,
                const TControllerView& view, TConnectionClock& clock);
    ~TController() override;

    // TControllerCommands.
    bool Connect() override;
    void Disconnect() override;
    bool Connected() const override { return connected_.load(); }
    void AdaptToFirmware() override;
    void ClearUpdateState() override;
    void OfferUpdate() override;
    void Cancel() override;
    void IdlePoll() override;
    void ReadPage() override;
    void WritePage() override;
    void ReadAll() override;
    void WriteAll() override;
    void EraseHistory() override;
    void HistoryPointer() override;
    void ResetEventFlags() override;
    void SaveAlmanac() override;
    void LoadAlmanac() override;
    void HistoryForward() override;
    void HistoryBack() override;
    void ApplySleepMode() override;
    void ApplyAntiTheft() override;

    // User-interface thread: the page the next read page or write page acts on.
    void SetPage(TformIncl* page) { page_.store(page); }
    TformIncl* Page() const { return page_.load(); }
    // User-interface thread: from now on nothing this connection queues may change the windows'
    // connection state (see above). The cancel flag is set too.
    void Retire();
    bool Retired() const;
    TOutcome Outcome() const { return outcome_.load(); }
    bool Cancelled() const { return clock_.Cancelled(); }
    // A path that already gave up the line clears this, so that the worker's exit does not hang
    // up a second time.
    void ClearConnected() { connected_.store(false); }

    // For the pages' readers and writers (worker thread).
    TDevQuorvan& Device() { return *device_; }
    TModemWorker* Modem() const { return modem_; }
    TComPortWorker& Port() { return port_; }
    TOutArray& Queue() { return *view_.Queue; }
    const TControllerView& View() const { return view_; }
    const TUnitFirmware& Firmware() const { return unit_; }
    bool NewerThan(int n) const { return ::NewerThan(unit_, n); }
    std::string FlashType() const;
    // Queues the label's colour: blue when the unit accepted or returned the value, red when the
    // request failed.
    void MarkLabel(TControl* label, bool ok);
    // A time-stamped log line.
    void Log(const std::string& line);
    // Runs `step` on the user-interface thread and waits for it.
    void OnUserInterface(const std::function<void()>& step);
    // Worker thread: the main controls off, or on again, around a page's command; nothing once
    // the connection was retired (see Retire).
    void SetMainControlsEnabled(bool enabled);
    // Worker thread: what a page's commands keep for the length of this connection (the history
    // page's shown block), made by `make` on first use and freed before the command object.
    template <class T, class TMake> T& PageState(TMake make) {
        std::lock_guard<std::mutex> lock(pageStateLock_);
        std::shared_ptr<void>& slot = pageState_[std::type_index(typeid(T))];
        if (!slot)
            slot = std::shared_ptr<T>(make());
        return *static_cast<T*>(slot.get());
    }

    // Steps of the connect sequence.
    bool ReadVersion(std::string& text);
    bool OpenSession();
    bool CloseSession();
    bool KeepAlive();
    bool ReadSleepMode();
    bool ReadAntiTheft();

    // Time-outs of the cable's readiness waits.
    static constexpr uint32_t UnitAtWaitMs = 1000;
    static constexpr uint32_t UnitReadyWaitMs = 50000;
    static constexpr uint32_t VersionPauseMs = 2000;

private:
    bool RunConnectSteps();
    bool ConnectModem();
    bool ConnectCable();
    bool CheckFirmware(bool ok);
    void ReadFlashType();
    void CheckCancel() const { clock_.CheckCancel(); }
    void Splash(const std::string& text);
    void CloseSplash();
    void RequestEnd();
    // Runs `put` unless the connection was retired (the check and the put under one lock).
    void PutConnectionState(const std::function<void()>& put);
    void Exchange(bool write);
    void EachPage(bool write);
    void RunCommand(uint8_t code);

    TModemWorker* modem_;
    TComPortWorker& port_;
    TConnectChoice choice_;
    TControllerView view_;
    TConnectionClock& clock_;
    std::unique_ptr<TDevQuorvan> device_;
    std::unique_ptr<TIdlePoll> poll_;
    std::atomic<TformIncl*> page_{nullptr};
    std::atomic<bool> connected_{true};
    std::atomic<TOutcome> outcome_{TOutcome::Pending};
    TUnitFirmware unit_;
    mutable std::mutex stateLock_;
    bool retired_ = false;
    std::string flashType_ = DefaultFlashType;
    // After device_: freed first, since page state may refer to the command object.
    std::mutex pageStateLock_;
    std::map<std::type_index, std::shared_ptr<void>> pageState_;
};
