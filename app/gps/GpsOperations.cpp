#include "app/gps/GpsOperations.h"

#include "app/gps/GpsHost.h"
#include "app/queue/OutArray.h"
#include "device/GpsAidingFile.h"
#include "platform/graphics/Color.h"

namespace {

// Disables the main controls and the page's transfer controls for the life of a transfer.
class TTransferControlsOff {
public:
    TTransferControlsOff(TGpsHost& host, std::vector<TControl*> controls)
        : host_(host), controls_(std::move(controls)) {
        Set(false);
    }
    ~TTransferControlsOff() { Set(true); }
    TTransferControlsOff(const TTransferControlsOff&) = delete;
    TTransferControlsOff& operator=(const TTransferControlsOff&) = delete;

private:
    void Set(bool enabled) {
        if (enabled) {
            host_.EnableMainControls();
        } else {
            host_.DisableMainControls();
        }
        for (TControl* control : controls_) {
            host_.Queue().PutControlText(control, enabled ? "true" : "false");
        }
    }

    TGpsHost& host_;
    std::vector<TControl*> controls_;
};

} // namespace

template <typename TTransfer> void TGpsOperations::Run(bool saving, TTransfer transfer) {
    TTransferControlsOff off(host_, view_.TransferControls());
    TGpsFileNames names;
    host_.OnUserInterface([&] { names = view_.FileNames(); });
    const bool ok = transfer(saving ? names.Save : names.Load);
    if (TControl* mark = saving ? view_.SaveMark() : view_.LoadMark()) {
        host_.Queue().PutControlColor(mark, ok ? clBlue : clRed);
    }
}

void TGpsOperations::SaveAlmanac() {
    Run(true, [this](const std::string& file) { return TGpsAidingFile::Save(host_.Dev(), file); });
}

void TGpsOperations::LoadAlmanac() {
    Run(false, [this](const std::string& file) {
        return TGpsAidingFile::Load(host_.Dev(), file, host_.NowUtc());
    });
}
