// The main window's part in the service flashing from a HEX file: the "N4" menu item, and what the
// flashing (on the user-interface thread) needs of the window and the connection.

#include "app/controller/Controller.h"
#include "app/firmware/ServiceFlashing.h"
#include "app/mainwin/Connection.h"
#include "app/mainwin/FormMain.h"
#include "app/queue/Appliers.h"
#include "app/queue/OutArray.h"
#include "app/worker/MainControls.h"
#include "app/worker/MainThread.h"
#include "controls/memo/FrMemo.h"
#include "controls/progress/FrProgressBar.h"

void TformMain::N4Click(TObject*) {
    if (service_ == nullptr)
        service_ = std::make_unique<TServiceFlashing>(*this, workerClock_);
    if (!service_->Running())
        service_->Run(this);
}

bool TformMain::PauseWorker() {
    TMainThread* thread = connection_ != nullptr ? connection_->Thread() : nullptr;
    if (thread == nullptr)
        return false;
    if (thread->LinePause().Pause(WorkerPauseWaitMs))
        return true;
    // A command that runs on is not cut short under the operator: nothing is flashed.
    thread->LinePause().Resume();
    queue_->PutMemoLine(Part<TFrMemo>("Memo1"),
                        "Прошивка не начата: устройство занято выполнением команды.", true, 1);
    DrainOutArray(*queue_);
    return false;
}

void TformMain::DisableMainControls() {
    // Queued as the worker's commands do it, and applied at once, after what waits before it.
    ::DisableMainControls(*queue_, MainControls());
    DrainOutArray(*queue_);
}

void TformMain::EnableMainControls() {
    ::EnableMainControls(*queue_, MainControls());
    DrainOutArray(*queue_);
}

TFrCustomProgressBar* TformMain::ProgressBar() {
    return Part<TFrProgressBar>("FrProgressBar1");
}

void TformMain::LogLine(const std::string& line) {
    // After every line the worker queued before.
    DrainOutArray(*queue_);
    Part<TFrMemo>("Memo1")->Lines()->Add(line);
}

void TformMain::Disconnect() {
    if (TController* controller = LiveController()) {
        // The worker holds off, so the hang-up (or the cable's session end) runs here; its exit
        // then leaves the line alone.
        controller->ClearConnected();
        controller->Disconnect();
    }
    EndConnection();
}
