#pragma once
// Everything that lives for one connection, owned in one place and freed in the right order: the
// log writer, the COM-port worker, the modem worker (GSM link), the controller, the worker thread,
// and the hidden button whose queued click asks the main window to end this connection. The
// thread is always stopped and waited for before the rest goes.
//
// A connection the main window has let go of keeps running its hang-up on its worker thread
// while the window is already disconnected; the window frees it once the thread has ended.

#include "app/connect/DlgConnect.h"
#include "app/controller/ConnectionClock.h"

#include <functional>
#include <memory>

class TButton;
class TComPortWorker;
class TController;
class TCustomMemo;
class TLogMemoWriter;
class TMainThread;
class TModemWorker;
class TOutArray;
class TWorkerClock;
struct TControllerView;

class TConnection {
public:
    // Nothing is opened yet. `onEndRequest` runs (user-interface thread) when the end button's
    // queued click is applied.
    // The workers time their waits by `clock` (the machine's when null).
    TConnection(TCustomMemo* log, TOutArray& queue, const TConnectChoice& choice,
                std::function<void(TConnection&)> onEndRequest, TWorkerClock* clock = nullptr);
    ~TConnection();
    TConnection(const TConnection&) = delete;
    TConnection& operator=(const TConnection&) = delete;

    // Creates the workers and opens the port; raises (EDeviceError) when the port cannot be
    // opened.
    void Open();
    // Creates the controller (with `view`, whose EndRequest is filled in here) and starts the
    // worker thread.
    void Start(TControllerView view);
    // Lets go of the connection: nothing it queues from now on may change the windows' state,
    // the current step is cancelled and the worker thread is asked to end (it still hangs up).
    void Retire();
    // Waits for the worker thread, running its hand-overs meanwhile.
    void WaitFor();
    // True when no worker thread runs (it ended, or never started).
    bool Finished() const;

    const TConnectChoice& Choice() const { return choice_; }
    TController* Controller() const { return controller_.get(); }
    TMainThread* Thread() const { return thread_.get(); }
    TComPortWorker* Port() const { return port_.get(); }
    TModemWorker* Modem() const { return modem_.get(); }
    TButton* EndButton() const { return endButton_.get(); }

private:
    TCustomMemo* memo_;
    TOutArray& queue_;
    TConnectChoice choice_;
    std::function<void(TConnection&)> onEndRequest_;
    // Declared first: the workers time their waits by it until they are gone.
    TConnectionClock clock_;
    std::unique_ptr<TLogMemoWriter> log_;
    std::unique_ptr<TComPortWorker> port_;
    std::unique_ptr<TModemWorker> modem_;
    std::unique_ptr<TController> controller_;
    std::unique_ptr<TMainThread> thread_;
    std::unique_ptr<TButton, void (*)(TButton*)> endButton_;
};
