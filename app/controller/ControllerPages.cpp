// The controller's page work: read or write the current page or all pages through the readers
// and writers the pages registered, and adapt the pages to the connected unit's firmware.

#include "app/controller/Controller.h"
#include "app/controller/PageExchange.h"
#include "app/pages/FormIncl.h"
#include "app/queue/OutArray.h"
#include "device/ModemWorker.h"
#include "platform/rtl/IniFiles.h"
#include "platform/stdctrls/TreeNodes.h"
#include "platform/stdctrls/TreeView.h"

#include <memory>

namespace {

bool IsPage(const TformIncl* page, const char* className) {
    return page != nullptr && page->ClassType()->ClassNameIs(className);
}

} // namespace

void TController::Exchange(bool write) {
    PutConnectionState([&] { DisableMainControls(*view_.Queue, view_.MainControls); });
    const auto enable = [&] {
        PutConnectionState([&] { EnableMainControls(*view_.Queue, view_.MainControls); });
    };
    try {
        TformIncl* page = Page();
        const TPageExchange* exchange = page != nullptr ? FindPageExchange(*page) : nullptr;
        const TPageOperation* operation = nullptr;
        if (exchange != nullptr)
            operation = write ? &exchange->Write : &exchange->Read;
        if (operation != nullptr && *operation)
            (*operation)(*this, *page);
    } catch (const TModemException& e) {
        Log(e.Message());
        enable();
        throw;
    } catch (const EConvertError& e) {
        // The exchange still ends (and with it the connection), but no longer silently.
        Log("Значение не может быть передано устройству: " + e.Message());
        enable();
        throw;
    } catch (...) {
        enable();
        throw;
    }
    enable();
}

void TController::ReadPage() {
    Exchange(false);
}

void TController::WritePage() {
    Exchange(true);
}

void TController::EachPage(bool write) {
    PutConnectionState([&] { DisableMainControls(*view_.Queue, view_.MainControls); });
    const auto finish = [&] {
        PutConnectionState([&] { EnableMainControls(*view_.Queue, view_.MainControls); });
        for (TformIncl* page : view_.Pages)
            if (IsPage(page, "TformCommon")) {
                SetPage(page);
                view_.Queue->PutControlText(page, "Show");
            }
        view_.Queue->PutMessage(write ? "Запись настроек завершена" : "Чтение настроек завершено");
    };
    try {
        for (TformIncl* page : view_.Pages) {
            if (Cancelled())
                break;
            if (write && IsPage(page, "TformHistory"))
                continue;
            SetPage(page);
            view_.Queue->PutControlText(page, "Show");
            Exchange(write);
        }
    } catch (...) {
        finish();
        throw;
    }
    finish();
}

void TController::ReadAll() {
    EachPage(false);
}

void TController::WriteAll() {
    EachPage(true);
}

void TController::AdaptToFirmware() {
    if (Retired())
        return; // the window has let go of this connection: its pages are not ours to change
    std::string gpsSwitch;
    try {
        TIniFile ini(view_.SettingsFile);
        gpsSwitch = ini.ReadString("GPSfix", "SL_AlEh", "0");
    } catch (const std::exception&) {
        gpsSwitch.clear(); // a file that cannot be read leaves the switch empty
    }
    const TAdaptResult result = AdaptPagesToFirmware(view_.Adapt, unit_, gpsSwitch);
    if (!result.ShowPowerPage || view_.Adapt.Power == nullptr)
        return;
    SetPage(view_.Adapt.Power);
    view_.Queue->PutControlText(view_.Adapt.Power, "Show");
    // The tree follows, so that the main window's own current page is the power page too.
    if (TCustomTreeView* tree = view_.Adapt.Tree)
        for (int i = 0; i < tree->Items()->Count(); ++i)
            if (TTreeNode* node = tree->Items()->Item(i); node->StateIndex() == 4)
                tree->SetSelected(node);
}
