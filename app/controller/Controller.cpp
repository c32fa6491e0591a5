#include "app/controller/Controller.h"

#include "app/controller/PageExchange.h"
#include "app/pages/FormIncl.h"
#include "app/queue/Appliers.h"
#include "app/queue/OutArray.h"
#include "app/worker/CommandCodes.h"
#include "device/ComPortWorker.h"
#include "device/DevQuorvan.h"
#include "device/FirmwareVersion.h"
#include "device/ModemWorker.h"
#include "platform/graphics/Graphics.h"
#include "platform/rtl/Threads.h"

TController::TController(TModemWorker* modem, TComPortWorker& port, const TConnectChoice& choice,
                         const TControllerView& view, TConnectionClock& clock)
    : modem_(modem), port_(port), choice_(choice), view_(view), clock_(clock),
      device_(std::make_unique<TDevQuorvan>(modem, &port)) {
    poll_ = std::make_unique<TIdlePoll>(
        clock_,
        [this] {
            if (const TControllerOperation* supply = FindSupplyPoll())
                (*supply)(*this);
        },
        [this] { KeepAlive(); });
}

TController::~TController() = default;

void TController::Cancel() {
    clock_.Cancel();
    if (modem_ != nullptr)
        modem_->Abort();
}

void TController::Retire() {
    {
        std::lock_guard<std::mutex> lock(stateLock_);
        retired_ = true;
    }
    Cancel();
}

bool TController::Retired() const {
    std::lock_guard<std::mutex> lock(stateLock_);
    return retired_;
}

void TController::PutConnectionState(const std::function<void()>& put) {
    std::lock_guard<std::mutex> lock(stateLock_);
    if (!retired_)
        put();
}

std::string TController::FlashType() const {
    std::lock_guard<std::mutex> lock(stateLock_);
    return flashType_;
}

void TController::Log(const std::string& line) {
    view_.Queue->PutMemoLine(view_.Log, line, true, 1);
}

void TController::MarkLabel(TControl* label, bool ok) {
    view_.Queue->PutControlColor(label, ok ? clBlue : clRed);
}

void TController::OnUserInterface(const std::function<void()>& step) {
    TThread::Synchronize(TThread::CurrentThread(), step);
}

void TController::SetMainControlsEnabled(bool enabled) {
    PutConnectionState([&] {
        if (enabled)
            EnableMainControls(*view_.Queue, view_.MainControls);
        else
            DisableMainControls(*view_.Queue, view_.MainControls);
    });
}

void TController::Splash(const std::string& text) {
    PutConnectionState([&] { view_.Queue->PutControlText(view_.SplashText, text); });
}

void TController::CloseSplash() {
    PutConnectionState([&] { view_.Queue->PutControlText(view_.SplashDone, "Click"); });
}

void TController::RequestEnd() {
    PutConnectionState([&] { view_.Queue->PutControlText(view_.EndRequest, "CLICK"); });
}

// ---- the connect sequence -----------------------------------------------------------------------

bool TController::Connect() {
    bool ok = false;
    clock_.SetArmed(true);
    try {
        ok = RunConnectSteps();
    } catch (const EConnectCancelled&) {
        ok = false; // the operator's choice: nothing to report
    } catch (const std::exception& e) {
        ok = false;
        Log(std::string(" ") + e.what());
        Splash("");
    }
    clock_.SetArmed(false);
    // The outcome is known before the progress window closes, so that the main window never
    // takes a connection for made that was not.
    outcome_.store(ok ? TOutcome::Succeeded : TOutcome::Failed);
    CloseSplash();
    return ok;
}

bool TController::RunConnectSteps() {
    if (modem_ != nullptr) {
        if (!ConnectModem())
            return false;
    } else if (!ConnectCable()) {
        return false;
    }
    Splash("Проверяем версию");
    clock_.Sleep(VersionPauseMs);
    std::string text;
    const bool ok = ReadVersion(text);
    CheckCancel();
    return CheckFirmware(ok);
}

bool TController::ConnectModem() {
    modem_->PulseRts();
    CheckCancel();
    Splash("");
    modem_->ResetModem();
    CheckCancel();
    Splash("");
    modem_->CheckModem();
    CheckCancel();
    if (modem_->GetWaitRegistration()) {
        Splash("");
        while (!modem_->CheckRegistration()) {
            CheckCancel();
            clock_.Sleep(50);
        }
    }
    CheckCancel();
    modem_->SetBearer();
    CheckCancel();
    Splash(" " + modem_->GetPhoneNumber());
    const bool ok = modem_->Dial();
    CheckCancel();
    return ok;
}

bool TController::ConnectCable() {
    // A unit that has just been powered sends modem commands of its own before it is ready.
    std::string reply;
    const bool sawAt = port_.WaitForText(reply, UnitAtWaitMs, "AT");
    CheckCancel();
    if (sawAt || choice_.WaitReady) {
        Splash("Ожидание готовности устройства...");
        port_.WaitForText(reply, UnitReadyWaitMs, "AT+C");
        CheckCancel();
    }
    if (!OpenSession()) {
        CheckCancel();
        Splash("Ошибка подключения");
        clock_.Sleep(100);
        return false;
    }
    CheckCancel();
    return true;
}

bool TController::CheckFirmware(bool ok) {
    try {
        ReadUnitFirmware(unit_.VersionText, unit_);
    } catch (const EConvertError&) {
        unit_.Shell = 0;
        unit_.Build = 0;
        return false;
    }
    Splash("Проверка оболочки");
    if (unit_.Shell != SupportedShell) {
        Log("Несовместимая оболочка");
        clock_.Sleep(100);
        return false;
    }
    if (!ok) {
        Splash("");
        return false;
    }
    ReadFlashType();
    ok = ReadSleepMode();
    CheckCancel();
    if (ok)
        ok = KeepAlive();
    CheckCancel();
    if (NewerThan(GateAntiTheft))
        ok = ReadAntiTheft();
    CheckCancel();
    return ok;
}

void TController::ReadFlashType() {
    std::string flash = DefaultFlashType;
    std::string value;
    if (unit_.Build >= FlashTypeBuild && device_->GetPanelType(value))
        flash = FlashTypeOf(value);
    CheckCancel();
    {
        std::lock_guard<std::mutex> lock(stateLock_);
        flashType_ = flash;
    }
    PutConnectionState([&] { view_.Queue->PutStatus(flash, view_.FlashPanel); });
}

bool TController::ReadVersion(std::string& text) {
    text.clear();
    const bool read = device_->GetVersionText(text);
    unit_.VersionText = text;
    if (!read || !IsModernVersion(text))
        return false;
    PutConnectionState([&] { view_.Queue->PutStatus(text, view_.VersionPanel); });
    return true;
}

bool TController::OpenSession() {
    return device_->CableConnect();
}

bool TController::CloseSession() {
    return device_->CableDisconnect();
}

bool TController::KeepAlive() {
    std::string value;
    return device_->GetPGps(value);
}

namespace {

TControl* PagePart(const TControllerView& view, const char* pageClass, const char* name) {
    for (TformIncl* page : view.Pages)
        if (page->ClassType()->ClassNameIs(pageClass))
            return dynamic_cast<TControl*>(page->FindComponent(name));
    return nullptr;
}

} // namespace

bool TController::ReadSleepMode() {
    std::string code;
    if (!device_->GetDontSleep(code))
        return false;
    const char* pressed = code.find("00") != std::string::npos   ? "btnDontsleep00"
                          : code.find("0F") != std::string::npos ? "btnDontsleep0F"
                                                                 : "btnDontsleepFF";
    if (TControl* button = PagePart(view_, "TformCommon", pressed))
        view_.Queue->PutControlText(button, "true");
    clock_.Sleep(100);
    // The mode state is worked out from the pressed button: what is queued is applied first, on
    // the same thread, so the step never sees the button before the press reaches it.
    if (const TPageStep* step = FindModeStateStep())
        for (TformIncl* page : view_.Pages)
            if (page->ClassType()->ClassNameIs("TformCommon"))
                OnUserInterface([&] {
                    DrainOutArray(*view_.Queue);
                    (*step)(*page);
                });
    return true;
}

bool TController::ReadAntiTheft() {
    std::string value;
    if (!device_->GetWakeFr(value))
        return false;
    if (TControl* button = PagePart(view_, "TformCommon", "btnWakeFr"))
        view_.Queue->PutControlText(button,
                                    value.find("00") != std::string::npos ? "true" : "false");
    return true;
}

// ---- disconnect ---------------------------------------------------------------------------------

void TController::Disconnect() {
    // Asked on the user-interface thread, where Retire runs too: once the window has let go of
    // the connection no dialog owns its line any more, and the window may be gone.
    bool updateOwnsLine = false;
    if (view_.UpdateShowing)
        OnUserInterface([&] { updateOwnsLine = !Retired() && view_.UpdateShowing(); });
    if (updateOwnsLine)
        return;
    clock_.SetArmed(false);
    try {
        if (modem_ != nullptr) {
            modem_->ClearAbort();
            modem_->EscapeToCommand();
            modem_->HangUp();
            modem_->ResetModem();
            modem_->ClearRts();
        } else {
            CloseSession();
        }
    } catch (const std::exception& e) {
        Log(std::string("Ошибка при отключении: ") + e.what());
    }
    RequestEnd();
}

// ---- hand-overs after the connect ---------------------------------------------------------------

void TController::ClearUpdateState() {
    if (view_.ClearUpdateState && !Retired())
        view_.ClearUpdateState();
}

void TController::OfferUpdate() {
    if (view_.OfferUpdate && !Retired())
        view_.OfferUpdate(unit_);
}

// ---- the idle poll and the commands of later pages ----------------------------------------------

void TController::IdlePoll() {
    // A flashing keeps the whole pass of the worker off the line (its line pause), so the poll
    // never runs under one.
    poll_->Run(false);
}

void TController::RunCommand(uint8_t code) {
    if (const TControllerOperation* operation = FindCommandOperation(code))
        (*operation)(*this);
}

void TController::EraseHistory() {
    RunCommand(cmdEraseHistory);
}
void TController::HistoryPointer() {
    RunCommand(cmdHistoryPointer);
}
void TController::ResetEventFlags() {
    RunCommand(cmdResetFlags);
}
void TController::SaveAlmanac() {
    RunCommand(cmdSaveAlmanac);
}
void TController::LoadAlmanac() {
    RunCommand(cmdLoadAlmanac);
}
void TController::HistoryForward() {
    RunCommand(cmdHistoryForward);
}
void TController::HistoryBack() {
    RunCommand(cmdHistoryBack);
}
void TController::ApplySleepMode() {
    RunCommand(cmdSetSleepMode);
}
void TController::ApplyAntiTheft() {
    RunCommand(cmdSetAntiTheft);
}
