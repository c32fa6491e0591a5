#include "app/connect/DlgConnect.h"

#include "controls/buttons/FrCheckBox.h"
#include "controls/buttons/GlyphButtonRegistration.h"
#include "device/util/Helpers.h"
#include "i18n/lang/LocLang.h"
#include "platform/classes/Properties.h"
#include "platform/rtl/IniFiles.h"
#include "platform/rtl/Strings.h"
#include "platform/serial/SerialPortNames.h"
#include "platform/stdctrls/ComboBox.h"
#include "platform/stdctrls/Label.h"
#include "platform/stdctrls/RadioButton.h"
#include "platform/stdctrls/Registration.h"

#include <algorithm>
#include <memory>

namespace {

const char* const Section = "Connect";
constexpr int MaxPhones = 10;
// No list the dialog writes comes near this many positions; a larger "PhonesN" (a damaged
// file) is cut to it so that loading and saving stay quick.
constexpr int MaxStoredPositions = 100;

int StoredPhoneCount(TCustomIniFile& ini) {
    return std::clamp(ini.ReadInteger(Section, "PhonesN", 0), 0, MaxStoredPositions);
}

std::string PhoneKey(int position) {
    return "Phone" + std::to_string(position);
}

} // namespace

TdlgConnect::TdlgConnect(TComponent* owner) : TForm(owner) {}

void TdlgConnect::DeclareMethods(TMethodTable& m) {
    m.Add("OKBtnClick", &TdlgConnect::OKBtnClick);
    m.Add("rbClick", &TdlgConnect::rbClick);
}

template <class T> T* TdlgConnect::Part(const char* name) const {
    T* part = dynamic_cast<T*>(FindComponent(name));
    if (part == nullptr)
        throw EComponentError(std::string("The connect dialog has no ") + name);
    return part;
}

TComboBox* TdlgConnect::ComPorts() const {
    return Part<TComboBox>("ComPorts");
}
TComboBox* TdlgConnect::Phones() const {
    return Part<TComboBox>("cbPhones");
}
TRadioButton* TdlgConnect::CableLink() const {
    return Part<TRadioButton>("rb1");
}
TRadioButton* TdlgConnect::ModemLink() const {
    return Part<TRadioButton>("rb2");
}
TFrCheckBox* TdlgConnect::WaitReady() const {
    return Part<TFrCheckBox>("CheckBox1");
}
TFrCheckBox* TdlgConnect::WaitRegistration() const {
    return Part<TFrCheckBox>("cbRegWait");
}

void TdlgConnect::rbClick(TObject*) {
    const bool modem = ModemLink()->Checked();
    for (const char* name : {"Label2", "cbPhones", "Label4", "cbRegWait"})
        Part<TControl>(name)->SetEnabled(modem);
    WaitReady()->SetEnabled(CableLink()->Checked());
}

void TdlgConnect::OKBtnClick(TObject*) {
    TComboBox* phones = Phones();
    const std::string number = phones->GetText();
    TStrings* list = phones->Items();
    if (number.empty() || list->IndexOf(number) >= 0)
        return;
    if (list->Count() > MaxPhones - 1)
        list->Delete(list->Count() - 1);
    list->Insert(0, number);
    phones->SetText(number);
}

void TdlgConnect::LoadFromIni(TCustomIniFile& ini) {
    TComboBox* ports = ComPorts();
    const int index = ini.ReadInteger(Section, "ComPort", 0);
    const int byName = ports->Items()->IndexOf(ini.ReadString(Section, "ComPortName", ""));
    const int chosen = byName >= 0 ? byName : index;
    ports->SetItemIndex(chosen >= 0 && chosen < ports->Items()->Count() ? chosen : -1);
    WaitRegistration()->SetChecked(ini.ReadBool(Section, "WaitCREG", true));
    TComboBox* phones = Phones();
    const int count = StoredPhoneCount(ini);
    for (int k = 1; k <= count; ++k)
        if (ini.ValueExists(Section, PhoneKey(k)))
            phones->Items()->Add(ini.ReadString(Section, PhoneKey(k), ""));
    phones->SetText(ini.ReadString(Section, "Phone", ""));
    // Checking a radio button runs its click, so the enabled controls follow the link.
    const bool modem = ini.ReadBool(Section, "Fphone", false);
    ModemLink()->SetChecked(modem);
    CableLink()->SetChecked(!modem);
}

void TdlgConnect::SaveToIni(TCustomIniFile& ini) {
    TComboBox* ports = ComPorts();
    ini.WriteInteger(Section, "ComPort", ports->ItemIndex());
    ini.WriteString(Section, "ComPortName", ports->ItemIndex() >= 0 ? ports->GetText() : "");
    TStrings* list = Phones()->Items();
    const int stored = StoredPhoneCount(ini);
    int highest = 0;
    for (int i = 0; i < list->Count(); ++i) {
        const std::string number = Trim(list->Get(i));
        if (number.empty()) {
            ini.DeleteKey(Section, PhoneKey(i + 1));
            continue;
        }
        ini.WriteString(Section, PhoneKey(i + 1), number);
        highest = i + 1;
    }
    // Keys of an older, longer list would come back on the next load.
    for (int k = list->Count() + 1; k <= stored; ++k)
        ini.DeleteKey(Section, PhoneKey(k));
    ini.WriteInteger(Section, "PhonesN", highest);
    ini.WriteString(Section, "Phone", Phones()->GetText());
    ini.WriteBool(Section, "WaitCREG", WaitRegistration()->GetChecked());
    ini.WriteBool(Section, "Fphone", ModemLink()->Checked());
}

void ListComPorts(const std::vector<std::string>& names, TStrings& list) {
    for (const std::string& name : names)
        if (name.compare(0, 3, "COM") == 0)
            list.Add("COM" + CopyCharRun(name, 4));
}

void ListComPorts(TStrings& list) {
    std::vector<std::string> names;
    for (const TSerialPortEntry& port : EnumerateSerialPorts())
        names.push_back(port.Name);
    ListComPorts(names, list);
}

TModalResult RunConnectDialog(TComponent* owner, TCustomIniFile& ini, TConnectChoice& choice,
                              bool skipDialog) {
    std::unique_ptr<TdlgConnect, void (*)(TdlgConnect*)> dialog(
        TCustomForm::Create<TdlgConnect>(owner), [](TdlgConnect* d) { d->Free(); });
    ListComPorts(*dialog->ComPorts()->Items());
    dialog->LoadFromIni(ini);
    TModalResult result = mrOk;
    if (!skipDialog)
        result = dialog->ShowModal();
    choice.Port = dialog->ComPorts()->GetText();
    choice.Phone = dialog->Phones()->GetText();
    choice.Modem = dialog->ModemLink()->Checked();
    choice.WaitRegistration = dialog->WaitRegistration()->GetChecked();
    choice.WaitReady = dialog->WaitReady()->GetChecked();
    dialog->SaveToIni(ini);
    return result;
}

void RegisterConnectDialogClasses() {
    RegisterStdControls();
    RegisterGlyphButtons();
    InitLocaliserClasses();
}
