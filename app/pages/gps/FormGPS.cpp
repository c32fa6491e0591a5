#include "app/pages/gps/FormGPS.h"

#include "app/pages/PageCommands.h"
#include "app/pages/gps/GpsConnection.h"
#include "app/worker/CommandCodes.h"
#include "controls/buttons/ButtonsRegistration.h"
#include "controls/containers/ContainerControls.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/forms/Dialogs.h"
#include "platform/rtl/Exception.h"
#include "platform/stdctrls/Edit.h"
#include "platform/stdctrls/Label.h"
#include "platform/stdctrls/Registration.h"

TformGPS::TformGPS(TComponent* owner) : TformIncl(owner) {}

void TformGPS::DeclareMethods(TMethodTable& m) {
    m.Add("FrBitBtn1Click", &TformGPS::FrBitBtn1Click);
    m.Add("FrBitBtn2Click", &TformGPS::FrBitBtn2Click);
    m.Add("btnSaveAlEpClick", &TformGPS::btnSaveAlEpClick);
    m.Add("btnLoadAlEpClick", &TformGPS::btnLoadAlEpClick);
}

template <class T> T* TformGPS::Part(const char* name) const {
    T* part = dynamic_cast<T*>(FindComponent(name));
    if (part == nullptr)
        throw EComponentError(std::string("The GPS page has no ") + name);
    return part;
}

void TformGPS::Loaded() {
    TformIncl::Loaded();
    // The page base's description is read (and this runs) before the page's own.
    if (FindComponent("etSave") == nullptr)
        return;
    saveName_ = Part<TEdit>("etSave");
    loadName_ = Part<TEdit>("etLoad");
    saveMark_ = Part<TLabel>("Label1");
    loadMark_ = Part<TLabel>("Label2");
    transferControls_ = {Part<TControl>("btnSaveAlEp"), Part<TControl>("btnLoadAlEp"),
                         Part<TControl>("FrBitBtn1"), Part<TControl>("FrBitBtn2")};
}

TControl* TformGPS::SaveMark() {
    return saveMark_;
}

TControl* TformGPS::LoadMark() {
    return loadMark_;
}

TGpsFileNames TformGPS::FileNames() {
    return TGpsFileNames{saveName_->GetText(), loadName_->GetText()};
}

void TformGPS::PickFile(const char* dialog, TEdit* edit) {
    try {
        auto* picker = Part<TOpenDialog>(dialog);
        if (picker->Execute())
            edit->SetText(picker->FileName());
    } catch (const std::exception&) {
        edit->SetText("");
    }
}

void TformGPS::Transfer(uint8_t code, const TEdit* edit) {
    TPageCommands* commands = PageCommandsOf(*this);
    if (commands != nullptr && commands->Connected() && !edit->GetText().empty())
        commands->RunPageCommand(code);
}

void TformGPS::FrBitBtn1Click(TObject*) {
    PickFile("saveTXT", saveName_);
}

void TformGPS::FrBitBtn2Click(TObject*) {
    PickFile("openTXT", loadName_);
}

void TformGPS::btnSaveAlEpClick(TObject*) {
    Transfer(cmdSaveAlmanac, saveName_);
}

void TformGPS::btnLoadAlEpClick(TObject*) {
    Transfer(cmdLoadAlmanac, loadName_);
}

void RegisterGPSPage() {
    RegisterStdControls();
    RegisterFramedButtons();
    RegisterContainerControls();
    RegisterClasses<TOpenDialog, TSaveDialog, TformGPS>();
    RegisterGpsCommands();
}
