#include "app/firmware/UpdateThread.h"

#include "app/firmware/FirmwareHost.h"
#include "app/firmware/FlashSession.h"

namespace {

// The dialogue's steps as the update dialog shows them.
class TUpdateObserver : public TFlashObserver {
public:
    TUpdateObserver(TThread& thread, TUpdateView& view) : thread_(thread), view_(view) {}

    void StepStarted(TFlashStep step, int block) override {
        switch (step) {
        case fsEnter:
            Show([this] { view_.ShowStatus("Идет переход в режим перепрошивки..."); });
            break;
        case fsErase:
            Show([this] {
                view_.ShowStatus("Идет очистка памяти...");
                view_.StepProgress();
            });
            break;
        case fsWrite:
            if (block == 0)
                Show([this] { view_.ShowStatus("Идет загрузка новой версии прошивки..."); });
            break;
        case fsFinish:
            Show([this] {
                view_.DisableExit();
                view_.ShowStatus("Идет перепрошивка...");
            });
            break;
        default:
            break;
        }
    }
    void PartDone(TFlashStep) override {
        Show([this] {
            view_.StepProgress();
            view_.ShowTimes(true);
        });
    }
    void RequestDone(TFlashStep step) override {
        const bool estimate = step == fsErase;
        Show([this, estimate] { view_.ShowTimes(estimate); });
    }
    bool StopRequested() override { return thread_.Terminated(); }

private:
    void Show(const TThread::TThreadMethod& method) { TThread::Synchronize(&thread_, method); }

    TThread& thread_;
    TUpdateView& view_;
};

} // namespace

TUpdateThread::TUpdateThread(TUpdateView& view, TUpdateHost& host, std::vector<TFlashBlock> blocks,
                             int lines, TWorkerClock& clock)
    : view_(view), host_(host), blocks_(std::move(blocks)), lines_(lines), clock_(clock) {}

TUpdateThread::~TUpdateThread() {
    Terminate();
    WaitFor();
}

void TUpdateThread::Abort() {
    host_.CancelRequests();
    Terminate();
}

void TUpdateThread::Execute() {
    bool done = false;
    try {
        Synchronize([this] {
            view_.UpdateStarted(TotalParts(lines_));
            view_.ShowTimes(false);
        });
        host_.ClearModemAbort();
        if (TBootLink* link = host_.BootLink()) {
            TUpdateObserver observer(*this, view_);
            done = TFlashSession(*link, clock_, observer).Run(blocks_).Ok();
        }
        if (done)
            Synchronize([this] {
                view_.CompleteProgress();
                view_.ShowTimes(true);
                view_.ShowSuccess();
            });
    } catch (const Exception&) {
        done = false;
    }
    if (!done)
        Synchronize([this] { view_.ShowFailure(); });
}
