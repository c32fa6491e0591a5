#include "controls/storage/FrFormState.h"

#include "controls/storage/FrRegIniFile.h"
#include "platform/classes/Properties.h"
#include "platform/forms/Dialogs.h"
#include "platform/forms/WindowPlacement.h"
#include "platform/rtl/Diagnostics.h"
#include "platform/rtl/IniFiles.h"
#include "platform/rtl/Registry.h"

namespace {

bool Sizeable(const TCustomForm* form) {
    return form->BorderStyle() == bsSizeable || form->BorderStyle() == bsSizeToolWin;
}

// True when the point lies on a monitor of the screen.
bool OnSomeMonitor(TPoint p) {
    if (Screen == nullptr)
        return true;
    for (int i = 0; i < Screen->MonitorCount(); ++i)
        if (PtInRect(Screen->Monitors(i).BoundsRect, p))
            return true;
    return false;
}

} // namespace

TFrFormState::TFrFormState(TComponent* owner) : TComponent(owner) {}

TFrFormState::~TFrFormState() {
    RemoveHooks();
    if (regIniFile_ != nullptr)
        regIniFile_->RemoveFreeNotification(this);
}

void TFrFormState::DeclareProperties(TPropertyList& p) {
    p.Add("Enabled", &TFrFormState::Enabled, &TFrFormState::SetEnabled).Default(true);
    p.Add("Section", &TFrFormState::Section, &TFrFormState::SetSection);
    p.Add("RegIniFile", &TFrFormState::RegIniFile, &TFrFormState::SetRegIniFile);
    p.Add("OnSaveState", &TFrFormState::OnSaveState);
    p.Add("OnRestoreState", &TFrFormState::OnRestoreState);
}

void TFrFormState::SetRegIniFile(TFrRegIniFile* value) {
    SetRegIniFileReference(this, regIniFile_, value);
}

void TFrFormState::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == opRemove && component == regIniFile_)
        regIniFile_ = nullptr;
}

TCustomForm* TFrFormState::OwnerForm() const {
    return dynamic_cast<TCustomForm*>(Owner());
}

std::string TFrFormState::SectionName() const {
    if (!section_.empty())
        return section_;
    const TCustomForm* form = OwnerForm();
    if (form == nullptr)
        return "FormState";
    return (form->Name().empty() ? std::string(form->ClassName()) : form->Name()) + "FormState";
}

void TFrFormState::Loaded() {
    const bool wasLoading = ComponentState().Contains(csLoading);
    TComponent::Loaded();
    if (wasLoading)
        InstallHooks();
}

void TFrFormState::InstallHooks() {
    TCustomForm* form = OwnerForm();
    if (form == nullptr || hooked_)
        return;
    previousCreate_ = form->OnCreate;
    previousShow_ = form->OnShow;
    previousClose_ = form->OnClose;
    form->OnCreate = [this](TObject* sender) { FormCreate(sender); };
    form->OnShow = [this](TObject* sender) { FormShow(sender); };
    form->OnClose = [this](TObject* sender, TCloseAction& action) { FormClose(sender, action); };
    hooked_ = true;
}

void TFrFormState::RemoveHooks() {
    TCustomForm* form = OwnerForm();
    if (form == nullptr || !hooked_)
        return;
    form->OnCreate = previousCreate_;
    form->OnShow = previousShow_;
    form->OnClose = previousClose_;
    hooked_ = false;
}

void TFrFormState::ShowMissingStorage(const char* what) const {
    MessageDlg(std::string("Cannot ") + what + " Form State--No TFrRegIniFile component specified",
               mtError, TMsgDlgButtons{mbOK});
}

void TFrFormState::FormCreate(TObject* sender) {
    if (regIniFile_ != nullptr) {
        if (TCustomForm* form = OwnerForm();
            form != nullptr && regIniFile_->ReadBool(SectionName(), "Saved", false))
            form->SetPosition(poDesigned);
    } else {
        // The form's own create handler runs all the same: it builds what the form needs.
        ShowMissingStorage("restore");
    }
    if (previousCreate_)
        previousCreate_(sender);
}

void TFrFormState::FormShow(TObject* sender) {
    RestoreState();
    if (previousShow_)
        previousShow_(sender);
}

void TFrFormState::FormClose(TObject* sender, TCloseAction& action) {
    SaveState();
    if (previousClose_)
        previousClose_(sender, action);
}

void TFrFormState::RestoreState() {
    TCustomForm* form = OwnerForm();
    if (!enabled_ || form == nullptr)
        return;
    if (regIniFile_ == nullptr) {
        ShowMissingStorage("restore");
        return;
    }
    const std::string section = SectionName();
    const int left = regIniFile_->ReadInteger(section, "Left", form->Left());
    const int top = regIniFile_->ReadInteger(section, "Top", form->Top());
    int right = left + form->Width(), bottom = top + form->Height();
    if (Sizeable(form)) {
        right = regIniFile_->ReadInteger(section, "Right", right);
        bottom = regIniFile_->ReadInteger(section, "Bottom", bottom);
    }
    TRect r = Rect(left, top, right, bottom);
    if (!OnSomeMonitor({left, top}))
        r = Rect(0, 0, right - left, bottom - top);
    SetWindowPlacement(form, r);
    if (regIniFile_->ReadBool(section, "Maximized", false))
        form->SetWindowState(wsMaximized);
    if (OnRestoreState)
        OnRestoreState(this);
}

void TFrFormState::WritePlacement(TCustomForm* form) {
    const std::string section = SectionName();
    const TWindowPlacement wp = GetWindowPlacement(form);
    regIniFile_->WriteBool(section, "Maximized", wp.Zoomed);
    regIniFile_->WriteInteger(section, "Left", wp.NormalPosition.Left);
    regIniFile_->WriteInteger(section, "Top", wp.NormalPosition.Top);
    if (Sizeable(form)) {
        regIniFile_->WriteInteger(section, "Right", wp.NormalPosition.Right);
        regIniFile_->WriteInteger(section, "Bottom", wp.NormalPosition.Bottom);
    }
    regIniFile_->WriteBool(section, "Saved", true);
}

void TFrFormState::SaveState() {
    TCustomForm* form = OwnerForm();
    if (!enabled_ || form == nullptr)
        return;
    if (regIniFile_ == nullptr) {
        ShowMissingStorage("save");
        return;
    }
    try {
        WritePlacement(form);
    } catch (const Exception& e) {
        // Storage errors are shown; anything else is not ours to swallow.
        if (dynamic_cast<const EIniFileException*>(&e) == nullptr &&
            dynamic_cast<const ERegistryException*>(&e) == nullptr)
            throw;
        DiagnosticLine("window placement not saved: " + e.Message());
        MessageDlg(e.Message(), mtError, TMsgDlgButtons{mbOK});
    }
    if (OnSaveState)
        OnSaveState(this);
}
