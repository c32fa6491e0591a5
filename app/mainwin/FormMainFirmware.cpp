// The main window's part in the firmware update: the update offer after a connect, and what the
// update dialog needs of the window and the connection.

#include "app/controller/Controller.h"
#include "app/controller/FirmwareGates.h"
#include "app/firmware/BootLink.h"
#include "app/firmware/BuiltInImages.h"
#include "app/firmware/FormUpdateIns.h"
#include "app/firmware/ServiceFlashing.h"
#include "app/mainwin/Connection.h"
#include "app/mainwin/FormMain.h"
#include "app/pages/FormIncl.h"
#include "app/worker/MainThread.h"
#include "device/ModemWorker.h"
#include "platform/forms/Menus.h"
#include "platform/rtl/IniFiles.h"
#include "platform/stdctrls/StatusBar.h"

void TformMain::OfferUpdate(const TUnitFirmware& unit) {
    if (update_ == nullptr)
        return;
    const TBuiltInImage& first = update_->Images()[0];
    const TImageVersion image = ParseImageHeader(first.Header());
    switch (UpdateOfferFor(unit.Shell, unit.Build, image.Shell, image.Build)) {
    case TUpdateOffer::DisableMenu:
        Item("N4")->SetEnabled(false);
        break;
    case TUpdateOffer::ShowDialog:
        // An image that is not whole is never offered.
        if (update_->Images()[update_->ChosenImage() - 1].Usable())
            update_->Show();
        break;
    case TUpdateOffer::None:
        break;
    }
}

void TformMain::SetWorkerClock(TWorkerClock* clock) {
    workerClock_ = clock;
    if (update_ != nullptr)
        update_->SetClock(clock);
    // The service flashing takes the clock when it is made.
    if (service_ == nullptr || !service_->Running())
        service_.reset();
}

std::string TformMain::UnitVersionText() {
    TController* c = LiveController();
    return c != nullptr ? c->Firmware().VersionText : std::string();
}

int TformMain::UnitBuild() {
    TController* c = LiveController();
    return c != nullptr ? c->Firmware().Build : 0;
}

bool TformMain::UnitVariantFlag() {
    TController* c = LiveController();
    return c != nullptr && c->Firmware().Variant;
}

std::string TformMain::FlashTypeText() {
    TController* c = LiveController();
    return c != nullptr ? c->FlashType() : std::string(DefaultFlashType);
}

void TformMain::LockMainWindow(bool locked) {
    if (locked)
        DisableControls();
    else
        EnableControls();
    if (currentPage_ != nullptr)
        currentPage_->SetEnabled(!locked);
}

void TformMain::AddCaptionSuffix(const std::string& suffix) {
    SetCaption(Caption() + suffix);
}

void TformMain::ShowUnitVersion(const std::string& text) {
    Part<TStatusBar>("StatusBar1")->Panels()->Items(2)->SetText(text);
}

void TformMain::StopWorker() {
    if (connection_ == nullptr || connection_->Thread() == nullptr)
        throw EInvalidOperation("Нет подключения к устройству");
    // The update dialog is showing, so the thread's way out leaves the line as it is.
    connection_->Thread()->Stop();
    connection_->WaitFor();
}

TBootLink* TformMain::BootLink() {
    TController* c = LiveController();
    if (c == nullptr)
        return nullptr;
    if (bootLink_ == nullptr)
        bootLink_ = std::make_unique<TDevBootLink>(c->Device());
    return bootLink_.get();
}

void TformMain::ClearModemAbort() {
    if (connection_ != nullptr && connection_->Modem() != nullptr)
        connection_->Modem()->ClearAbort();
}

void TformMain::CancelRequests() {
    if (TController* c = LiveController())
        c->Cancel();
}

void TformMain::Reconnect(bool silently) {
    EndConnection();
    WaitForClosingConnections();
    if (!silently) {
        tbtnConnectClick(this);
        return;
    }
    TConnectChoice choice;
    TIniFile ini(SettingsFile());
    if (RunConnectDialog(this, ini, choice, true) == mrOk)
        ConnectWith(choice);
}
