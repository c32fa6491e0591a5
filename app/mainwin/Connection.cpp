#include "app/mainwin/Connection.h"

#include "app/controller/Controller.h"
#include "app/queue/LogMemoWriter.h"
#include "app/worker/MainThread.h"
#include "device/ComPortWorker.h"
#include "device/ModemWorker.h"
#include "platform/stdctrls/Button.h"

namespace {

void FreeButton(TButton* button) {
    if (button != nullptr)
        button->Free();
}

} // namespace

TConnection::TConnection(TCustomMemo* log, TOutArray& queue, const TConnectChoice& choice,
                         std::function<void(TConnection&)> onEndRequest, TWorkerClock* clock)
    : memo_(log), queue_(queue), choice_(choice), onEndRequest_(std::move(onEndRequest)),
      clock_(clock != nullptr ? *clock : TWorkerClock::System()), endButton_(nullptr, &FreeButton) {
}

TConnection::~TConnection() {
    if (thread_) {
        if (controller_)
            controller_->Retire();
        thread_->Stop();
        WaitFor();
    }
    thread_.reset();
    controller_.reset();
    modem_.reset();
    port_.reset();
    log_.reset();
}

void TConnection::Open() {
    log_ = std::make_unique<TLogMemoWriter>(memo_, queue_);
    try {
        // The program's port runs at 19200 bit/s.
        port_ = std::make_unique<TComPortWorker>(choice_.Port, false, log_.get());
        port_->SetClock(clock_);
        port_->Reopen();
        if (choice_.Modem)
            modem_ = std::make_unique<TModemWorker>(*port_, choice_.Phone, choice_.WaitRegistration,
                                                    log_.get());
    } catch (...) {
        modem_.reset();
        port_.reset();
        log_.reset();
        throw;
    }
}

void TConnection::Start(TControllerView view) {
    endButton_.reset(new TButton(nullptr));
    endButton_->OnClick = [this](TObject*) {
        if (onEndRequest_)
            onEndRequest_(*this);
    };
    view.EndRequest = endButton_.get();
    controller_ = std::make_unique<TController>(modem_.get(), *port_, choice_, view, clock_);
    thread_ = std::make_unique<TMainThread>(*controller_);
    thread_->Start();
}

void TConnection::Retire() {
    if (controller_)
        controller_->Retire();
    if (thread_)
        thread_->Stop();
}

void TConnection::WaitFor() {
    if (thread_ && thread_->Started())
        thread_->WaitFor();
}

bool TConnection::Finished() const {
    return !thread_ || !thread_->Started() || thread_->Finished();
}
