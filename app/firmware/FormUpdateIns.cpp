#include "app/firmware/FormUpdateIns.h"

#include "app/firmware/FirmwareHost.h"
#include "controls/buttons/ButtonsRegistration.h"
#include "controls/buttons/GlyphButtonRegistration.h"
#include "controls/containers/ContainerControls.h"
#include "controls/progress/FrProgressBar.h"
#include "controls/progress/ProgressRegistration.h"
#include "device/WorkerClock.h"
#include "device/util/Helpers.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/forms/Dialogs.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/Math.h"
#include "platform/stdctrls/Button.h"
#include "platform/stdctrls/Label.h"
#include "platform/stdctrls/Registration.h"

namespace {

const char kExitCaption[] = "Выйти без перепрошивки";

} // namespace

TformUpdateIns::TformUpdateIns(TComponent* owner) : TForm(owner), clock_(&TWorkerClock::System()) {}

TformUpdateIns::~TformUpdateIns() {
    if (thread_)
        thread_->Abort();
    thread_.reset();
}

void TformUpdateIns::DeclareMethods(TMethodTable& m) {
    m.Add("FormCreate", &TformUpdateIns::FormCreate);
    m.Add("FormShow", &TformUpdateIns::FormShow);
    m.Add("FormCloseQuery", &TformUpdateIns::FormCloseQuery);
    m.Add("btnUpdateVerClick", &TformUpdateIns::btnUpdateVerClick);
    m.Add("btnExitClick", &TformUpdateIns::btnExitClick);
}

void TformUpdateIns::SetClock(TWorkerClock* clock) {
    clock_ = clock != nullptr ? clock : &TWorkerClock::System();
}

TformUpdateIns* TformUpdateIns::Create(TComponent* owner, TUpdateHost& host, TWorkerClock* clock) {
    auto* dialog = TCustomForm::Create<TformUpdateIns>(owner);
    dialog->host_ = &host;
    if (clock != nullptr)
        dialog->clock_ = clock;
    const std::string suffix = ImageCaptionSuffix(dialog->images_[0].Header());
    if (!suffix.empty())
        host.AddCaptionSuffix(suffix);
    return dialog;
}

template <class T> T* TformUpdateIns::Part(const char* name) const {
    T* part = dynamic_cast<T*>(FindComponent(name));
    if (part == nullptr)
        throw EComponentError(std::string("The update dialog has no ") + name);
    return part;
}

TLabel* TformUpdateIns::Label(const char* name) const {
    return Part<TLabel>(name);
}

TButton* TformUpdateIns::Button(const char* name) const {
    return Part<TButton>(name);
}

void TformUpdateIns::FormCreate(TObject*) {
    state_ = 0;
    images_ = LoadBuiltInImages();
}

int TformUpdateIns::ChosenImage() const {
    if (host_ == nullptr)
        return 1;
    return ChooseBuiltInImage(host_->UnitBuild(), host_->UnitVariantFlag(), host_->FlashTypeText());
}

bool TformUpdateIns::Flashing() const {
    return state_ == 1 || (thread_ && !thread_->Finished());
}

void TformUpdateIns::ShowTimeLabels(bool visible) {
    for (const char* name : {"lbTimeAfterHead", "lbTimeAfter", "lbTimeLostHead", "lbTimeLost"})
        Label(name)->SetVisible(visible);
}

void TformUpdateIns::SetStatus(const std::string& text, TColor color) {
    TLabel* status = Label("lbError");
    status->SetCaption(text);
    status->Font()->SetColor(color);
}

void TformUpdateIns::FormShow(TObject*) {
    state_ = 0;
    leaving_ = false;
    if (host_ != nullptr)
        host_->LockMainWindow(true);
    const TBuiltInImage& image = images_[ChosenImage() - 1];
    const bool variant = host_ != nullptr && host_->UnitVariantFlag();
    Button("btnUpdateVer")->SetEnabled(image.Usable());
    Button("btnExit")->SetCaption(kExitCaption);
    // A unit of the variant firmware may not leave without flashing, unless there is nothing
    // that could be flashed.
    Button("btnExit")->SetEnabled(!variant || !image.Usable());
    ShowTimeLabels(false);
    Part<TFrProgressBar>("FrProgressBar1")->SetPartsComplete(0);
    Label("Label1")->SetVisible(true);
    Label("lbNewName")->SetVisible(true);
    Label("lbNewName")->SetCaption(image.Header());
    Label("lbOldName")->SetCaption(host_ != nullptr ? host_->UnitVersionText() : std::string());
    if (image.Usable())
        SetStatus("", clBlack);
    else
        SetStatus(image.Problem(), clRed);
    if (image.Usable() && Button("btnUpdateVer")->CanFocus())
        Button("btnUpdateVer")->SetFocus();
}

void TformUpdateIns::btnUpdateVerClick(TObject*) {
    if (host_ == nullptr || host_->BootLink() == nullptr || Flashing())
        return;
    const TBuiltInImage& image = images_[ChosenImage() - 1];
    if (!image.Usable())
        return;
    state_ = 1;
    Button("btnUpdateVer")->SetEnabled(false);
    Button("btnExit")->SetEnabled(false);
    Button("btnExit")->SetCaption(kExitCaption);
    SetStatus("", clBlack);
    ShowTimeLabels(true);
    try {
        host_->StopWorker();
        startTicks_ = clock_->Ticks();
        thread_ = std::make_unique<TUpdateThread>(static_cast<TUpdateView&>(*this), *host_,
                                                  image.Blocks(), image.Lines(), *clock_);
        thread_->Start();
    } catch (const Exception&) {
        thread_.reset();
        Button("btnUpdateVer")->SetEnabled(false);
        Button("btnExit")->SetEnabled(true);
        state_ = 3;
    }
}

bool TformUpdateIns::Leave() {
    if (thread_) {
        if (!thread_->Finished())
            thread_->Abort();
        thread_->WaitFor();
        thread_.reset();
    }
    switch (state_) {
    case 0:
        if (host_ != nullptr)
            host_->LockMainWindow(false);
        return true;
    case 2:
    case 3:
        if (state_ == 2)
            Button("btnExit")->SetEnabled(false);
        if (host_ != nullptr) {
            host_->ShowUnitVersion("");
            host_->LockMainWindow(false);
        }
        return true;
    default:
        return false;
    }
}

void TformUpdateIns::btnExitClick(TObject*) {
    const int state = state_;
    if (!Leave())
        return;
    leaving_ = true;
    Close();
    leaving_ = false;
    // After a flashing the connection is made again: silently with the stored choices when it
    // ended well, through the connect dialog when it failed.
    if ((state == 2 || state == 3) && host_ != nullptr)
        host_->Reconnect(state == 3);
}

void TformUpdateIns::FormCloseQuery(TObject*, bool& canClose) {
    if (leaving_)
        return;
    // The close box leaves as the exit button does, and not while a flashing runs.
    const int state = state_;
    if (Flashing() || !Leave()) {
        canClose = false;
        return;
    }
    if ((state == 2 || state == 3) && host_ != nullptr) {
        TUpdateHost* host = host_;
        TThread::ForceQueue(nullptr, [host, silently = state == 3] { host->Reconnect(silently); });
    }
}

uint32_t TformUpdateIns::ElapsedSeconds() const {
    return TicksBetween(startTicks_, clock_->Ticks()) / 1000;
}

void TformUpdateIns::UpdateStarted(int totalParts) {
    state_ = 2;
    Part<TFrProgressBar>("FrProgressBar1")->SetTotalParts(static_cast<uint32_t>(totalParts));
    Label("lbTimeLost")->SetCaption(SecondsToDurationText(ElapsedSeconds()));
}

void TformUpdateIns::ShowStatus(const char* text) {
    SetStatus(text, clBlack);
}

void TformUpdateIns::StepProgress() {
    auto* bar = Part<TFrProgressBar>("FrProgressBar1");
    bar->SetPartsComplete(bar->PartsComplete() + 1);
}

void TformUpdateIns::CompleteProgress() {
    auto* bar = Part<TFrProgressBar>("FrProgressBar1");
    bar->SetPartsComplete(bar->TotalParts());
}

void TformUpdateIns::ShowTimes(bool estimate) {
    const uint32_t elapsed = ElapsedSeconds();
    Label("lbTimeAfter")->SetCaption(SecondsToDurationText(elapsed));
    auto* bar = Part<TFrProgressBar>("FrProgressBar1");
    const uint32_t done = bar->PartsComplete();
    if (!estimate || done == 0)
        return;
    const uint32_t left = bar->TotalParts() > done ? bar->TotalParts() - done : 0;
    const double seconds = static_cast<double>(elapsed) / done * left;
    Label("lbTimeLost")->SetCaption(SecondsToDurationText(static_cast<uint32_t>(Round(seconds))));
}

void TformUpdateIns::DisableExit() {
    Button("btnExit")->SetEnabled(false);
}

void TformUpdateIns::ShowSuccess() {
    state_ = 3;
    Button("btnUpdateVer")->SetEnabled(false);
    const std::string name = Label("lbNewName")->Caption();
    if (host_ != nullptr)
        host_->ShowUnitVersion(name);
    Label("lbOldName")->SetCaption(name);
    Label("Label1")->SetVisible(false);
    Label("lbNewName")->SetVisible(false);
    Button("btnExit")->SetCaption("Завершить перепрошивку");
    Button("btnExit")->SetEnabled(true);
    SetStatus("Перепрошивка успешно завершена!", clGreen);
}

void TformUpdateIns::ShowFailure() {
    state_ = 2;
    SetStatus("В процессе перепрошивки возникли ошибки!", clRed);
    Button("btnUpdateVer")->SetEnabled(false);
    Button("btnExit")->SetEnabled(true);
}

void RegisterFirmwareDialogClasses() {
    RegisterStdControls();
    RegisterFramedButtons();
    RegisterGlyphButtons();
    RegisterContainerControls();
    RegisterProgressControls();
    RegisterClasses<TOpenDialog>();
}
