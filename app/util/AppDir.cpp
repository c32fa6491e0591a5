#include "app/util/AppDir.h"

#include "controls/progress/FrProgressBar.h"
#include "platform/forms/Forms.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/SettingsFolder.h"

std::string GetAppDir() {
    return SettingsFolder();
}

void WaitWithProgress(uint32_t totalMs, TFrCustomProgressBar* bar, uint32_t stepMs) {
    const uint32_t start = GetTickCount();
    uint32_t lastStep = start;
    while (!TicksElapsed(start, totalMs + 1)) {
        if (TicksElapsed(lastStep, stepMs)) {
            if (bar != nullptr)
                bar->SetPartsComplete(bar->PartsComplete() + 1);
            lastStep = GetTickCount();
        }
        if (Application != nullptr)
            Application->ProcessMessages();
        Sleep(1);
    }
}
