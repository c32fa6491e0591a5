#include "app/firmware/ServiceFlashing.h"

#include "app/firmware/FirmwareHost.h"
#include "app/firmware/FormUpdateInsertion.h"
#include "controls/progress/FrProgressBar.h"
#include "device/WorkerClock.h"
#include "platform/stdctrls/Grids.h"

#include <memory>

namespace {

constexpr uint32_t kPauseBeforeDisconnectMs = 100;

// Progress into the status bar; the windows stay alive in every pause and after every block.
class TServiceObserver : public TFlashObserver {
public:
    explicit TServiceObserver(TFrCustomProgressBar* bar) : bar_(bar) {}
    void PartDone(TFlashStep) override {
        if (bar_ != nullptr)
            bar_->SetPartsComplete(bar_->PartsComplete() + 1);
    }
    void Waiting() override {
        if (Application != nullptr)
            Application->ProcessMessages();
    }

private:
    TFrCustomProgressBar* bar_;
};

// Clears the running flag however the flashing ends.
class TRunningGuard {
public:
    explicit TRunningGuard(bool& running) : running_(running) { running_ = true; }
    ~TRunningGuard() { running_ = false; }

private:
    bool& running_;
};

} // namespace

TServiceFlashing::TServiceFlashing(TServiceFlashHost& host, TWorkerClock* clock)
    : host_(host), clock_(clock != nullptr ? *clock : TWorkerClock::System()) {}

std::string TServiceFlashing::FailureText(TFlashOutcome outcome) {
    const std::string head = "ОШИБКА! Прошивка не обновлена! ";
    switch (outcome) {
    case foNoBootloader:
        return head + "Не удалось активировать загрузчик.";
    case foEraseFailed:
        return head + "Не удалось стереть содержимое флэш.";
    case foDone:
        return {};
    default: // a block, the end sums, a stop
        return head + "Не удалось записать строку из файла прошивки.";
    }
}

bool TServiceFlashing::Run(TComponent* owner) {
    if (running_)
        return false;
    std::unique_ptr<TformUpdateInsertion, void (*)(TformUpdateInsertion*)> dialog(
        TCustomForm::Create<TformUpdateInsertion>(owner),
        [](TformUpdateInsertion* form) { form->Free(); });
    if (dialog->ShowModal() != mrOk || dialog->Path().empty() || !dialog->FileLoaded())
        return false;
    return Flash(dialog->Image(), dialog->Grid()->RowCount());
}

bool TServiceFlashing::Flash(const TFirmwareImage& image, int gridRows) {
    TBootLink* link = host_.BootLink();
    if (running_ || !host_.Connected() || link == nullptr || image.Empty())
        return false;
    TRunningGuard guard(running_);
    if (!host_.PauseWorker())
        return false;
    TFrCustomProgressBar* bar = host_.ProgressBar();
    if (bar != nullptr)
        bar->SetTotalParts(static_cast<uint32_t>((gridRows - 1) / 8 + 103));
    host_.DisableMainControls();
    if (Application != nullptr)
        Application->ProcessMessages();
    TServiceObserver observer(bar);
    try {
        result_ = TFlashSession(*link, clock_, observer).Run(PaddedBlocks(image));
    } catch (...) {
        host_.EnableMainControls();
        host_.Disconnect();
        throw;
    }
    if (result_.Ok()) {
        if (bar != nullptr)
            bar->SetPartsComplete(bar->TotalParts());
    } else {
        host_.LogLine(FailureText(result_.Outcome));
    }
    host_.EnableMainControls();
    clock_.Sleep(kPauseBeforeDisconnectMs);
    host_.Disconnect();
    return true;
}
