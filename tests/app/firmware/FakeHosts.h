#pragma once
// Small doubles of the main window for the firmware windows: they record what the windows ask
// of them and hand out the bootloader requests of a simulated unit.

#include "app/firmware/FirmwareHost.h"
#include "controls/progress/FrProgressBar.h"

#include <atomic>
#include <string>
#include <vector>

namespace fwtest {

class TFakeUpdateHost : public TUpdateHost {
public:
    std::string UnitVersionText() override { return version; }
    int UnitBuild() override { return build; }
    bool UnitVariantFlag() override { return variant; }
    std::string FlashTypeText() override { return flash; }
    void LockMainWindow(bool on) override { locked = on; }
    void AddCaptionSuffix(const std::string& suffix) override { caption += suffix; }
    void ShowUnitVersion(const std::string& text) override { versionPanel = text; }
    void StopWorker() override { ++workerStops; }
    TBootLink* BootLink() override { return link; }
    void ClearModemAbort() override { ++abortClears; }
    void CancelRequests() override { ++cancels; }
    void Reconnect(bool silently) override { reconnects.push_back(silently); }

    std::string version = "REV 07.503.060";
    int build = 60;
    bool variant = false;
    std::string flash = "AT45DB161D";
    TBootLink* link = nullptr;

    bool locked = false;
    std::string caption = "Конфигуратор";
    std::string versionPanel = "REV 07.503.060";
    int workerStops = 0;
    std::atomic<int> abortClears{0};
    int cancels = 0;
    std::vector<bool> reconnects;
};

class TFakeServiceHost : public TServiceFlashHost {
public:
    explicit TFakeServiceHost(TFrCustomProgressBar* progress) : bar(progress) {}
    bool Connected() override { return connected; }
    TBootLink* BootLink() override { return connected ? link : nullptr; }
    bool PauseWorker() override {
        calls.push_back("pause");
        return workerHoldsOff;
    }
    void DisableMainControls() override { calls.push_back("disable"); }
    void EnableMainControls() override { calls.push_back("enable"); }
    TFrCustomProgressBar* ProgressBar() override { return bar; }
    void LogLine(const std::string& line) override { log.push_back(line); }
    void Disconnect() override {
        calls.push_back("disconnect");
        connected = false;
    }

    bool connected = true;
    bool workerHoldsOff = true;
    TBootLink* link = nullptr;
    TFrCustomProgressBar* bar;
    std::vector<std::string> calls;
    std::vector<std::string> log;
};

} // namespace fwtest
