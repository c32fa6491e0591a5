#include "app/pages/FormIncl.h"

#include "app/util/BoolText.h"
#include "controls/buttons/FrCheckBox.h"
#include "controls/buttons/FrRadioButton.h"
#include "device/LogWriter.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/graphics/Graphics.h"
#include "platform/rtl/IniFiles.h"
#include "platform/rtl/Strings.h"
#include "platform/stdctrls/CheckBox.h"
#include "platform/stdctrls/ComboBox.h"
#include "platform/stdctrls/Edit.h"
#include "platform/stdctrls/Label.h"
#include "platform/stdctrls/MaskEdit.h"
#include "platform/stdctrls/RadioButton.h"
#include "platform/stdctrls/ScrollBox.h"
#include "platform/stdctrls/SpeedButton.h"
#include "platform/stdctrls/SpinEdit.h"

namespace {

// How the walk treats a control, by its class (first match in this order).
enum class TSetting { None, Text, Check, Radio, Combo, Speed };

TSetting SettingOf(TComponent* c) {
    if (dynamic_cast<TEdit*>(c) || dynamic_cast<TSpinEdit*>(c) || dynamic_cast<TCustomMaskEdit*>(c))
        return TSetting::Text;
    if (dynamic_cast<TCustomCheckBox*>(c) || dynamic_cast<TFrCheckBox*>(c))
        return TSetting::Check;
    if (dynamic_cast<TRadioButton*>(c) || dynamic_cast<TFrRadioButton*>(c))
        return TSetting::Radio;
    if (dynamic_cast<TCustomComboBox*>(c))
        return TSetting::Combo;
    if (dynamic_cast<TSpeedButton*>(c))
        return TSetting::Speed;
    return TSetting::None;
}

bool CheckedOf(TComponent* c) {
    if (auto* b = dynamic_cast<TCustomCheckBox*>(c))
        return b->Checked();
    if (auto* b = dynamic_cast<TFrCheckBox*>(c))
        return b->GetChecked();
    if (auto* b = dynamic_cast<TRadioButton*>(c))
        return b->Checked();
    if (auto* b = dynamic_cast<TFrRadioButton*>(c))
        return b->GetChecked();
    return false;
}

void SetCheckedOf(TComponent* c, bool value) {
    if (auto* b = dynamic_cast<TCustomCheckBox*>(c))
        b->SetChecked(value);
    else if (auto* b = dynamic_cast<TFrCheckBox*>(c))
        b->SetChecked(value);
    else if (auto* b = dynamic_cast<TRadioButton*>(c))
        b->SetChecked(value);
    else if (auto* b = dynamic_cast<TFrRadioButton*>(c))
        b->SetChecked(value);
}

// The item index to show: an index outside the items leaves the combo box unselected.
void SelectItem(TCustomComboBox* combo, int index) {
    combo->SetItemIndex(index >= 0 && index < combo->Items()->Count() ? index : -1);
}

void PlainFont(TControl* c) {
    c->Font()->SetStyle(TFontStyles{});
}

// A stored number, or `def` (and a report) for a text that is none.
template <class Report>
int32_t StoredInteger(TCustomIniFile& ini, const std::string& section, const std::string& key,
                      int32_t def, Report report) {
    if (!ini.ValueExists(section, key))
        return def;
    const std::string text = Trim(ini.ReadString(section, key, ""));
    int32_t value = 0;
    if (TryStrToInt(text, value))
        return value;
    report("[" + section + "] " + key + "=" + text.substr(0, 40) + ": not a number");
    return def;
}

} // namespace

TformIncl::TformIncl(TComponent* owner) : TForm(owner) {}

void TformIncl::Loaded() {
    TForm::Loaded();
    // The base page's own description names the form "formIncl"; a derived page takes the name
    // its description gives (the reader names a form only while it has no name).
    if (ClassType() != TformIncl::StaticClass() && Name() == "formIncl")
        SetName("");
}

TScrollBox* TformIncl::ScrollBox1() const {
    return dynamic_cast<TScrollBox*>(FindComponent("ScrollBox1"));
}

void TformIncl::Report(const std::string& text) {
    if (log_ != nullptr)
        log_->WriteLine(text);
}

void TformIncl::Prepare(bool clearValues) {
    for (int i = 0; i < ComponentCount(); ++i) {
        TComponent* c = Components(i);
        if (auto* label = dynamic_cast<TCustomLabel*>(c)) {
            label->Font()->SetColor(clWindowText);
            PlainFont(label);
        } else if (auto* edit = dynamic_cast<TEdit*>(c)) {
            if (clearValues)
                edit->SetText("");
            PlainFont(edit);
        } else if (auto* spin = dynamic_cast<TSpinEdit*>(c)) {
            PlainFont(spin);
        } else if (SettingOf(c) == TSetting::Check || SettingOf(c) == TSetting::Radio) {
            auto* control = static_cast<TControl*>(c);
            PlainFont(control);
            if (clearValues && SettingOf(c) == TSetting::Check)
                SetCheckedOf(c, false);
            if (control->Caption() == "!")
                control->SetCaption("");
        }
    }
}

void TformIncl::PrepareRead() {
    Prepare(true);
}

void TformIncl::PrepareWrite() {
    Prepare(false);
}

void TformIncl::LoadFromIni(TCustomIniFile& ini) {
    const std::string section = Name();
    auto report = [this](const std::string& text) { Report(text); };
    for (int i = 0; i < ComponentCount(); ++i) {
        TComponent* c = Components(i);
        auto* control = dynamic_cast<TControl*>(c);
        const std::string key = c->Name();
        try {
            switch (SettingOf(c)) {
            case TSetting::Text:
                control->SetText(ini.ReadString(section, key, control->Hint()));
                break;
            case TSetting::Check:
                SetCheckedOf(c, StoredInteger(ini, section, key, 0, report) != 0);
                break;
            case TSetting::Radio:
                SetCheckedOf(c,
                             StoredInteger(ini, section, key, CheckedOf(c) ? 1 : 0, report) != 0);
                break;
            case TSetting::Combo: {
                auto* combo = static_cast<TCustomComboBox*>(c);
                SelectItem(combo, StoredInteger(ini, section, key,
                                                combo->Items()->IndexOf(control->Hint()), report));
                break;
            }
            case TSetting::Speed: {
                bool hint = false;
                if (!TryBoolText(control->Hint(), hint) && !ini.ValueExists(section, key))
                    throw EConvertError("the hint '" + control->Hint() + "' is no Boolean");
                static_cast<TSpeedButton*>(c)->SetDown(
                    StoredInteger(ini, section, key, hint ? 1 : 0, report) != 0);
                break;
            }
            case TSetting::None:
                break;
            }
        } catch (const std::exception& e) {
            Report("[" + section + "] " + key + ": " + e.what());
        }
    }
}

void TformIncl::SaveToIni(TCustomIniFile& ini) {
    const std::string section = Name();
    for (int i = 0; i < ComponentCount(); ++i) {
        TComponent* c = Components(i);
        auto* control = dynamic_cast<TControl*>(c);
        switch (SettingOf(c)) {
        case TSetting::Text:
            ini.WriteString(section, c->Name(), control->GetText());
            break;
        case TSetting::Check:
        case TSetting::Radio:
            ini.WriteBool(section, c->Name(), CheckedOf(c));
            break;
        case TSetting::Combo:
            ini.WriteInteger(section, c->Name(), static_cast<TCustomComboBox*>(c)->ItemIndex());
            break;
        case TSetting::Speed:
            ini.WriteBool(section, c->Name(), static_cast<TSpeedButton*>(c)->Down());
            break;
        case TSetting::None:
            break;
        }
    }
}

void TformIncl::SetDefaults() {
    for (int i = 0; i < ComponentCount(); ++i) {
        TComponent* c = Components(i);
        auto* control = dynamic_cast<TControl*>(c);
        try {
            switch (SettingOf(c)) {
            case TSetting::Text:
                control->SetText(control->Hint());
                break;
            case TSetting::Check:
            case TSetting::Radio: {
                bool value = false;
                if (TryBoolText(UpperCase(control->Hint()), value))
                    SetCheckedOf(c, value);
                break;
            }
            case TSetting::Combo: {
                auto* combo = static_cast<TCustomComboBox*>(c);
                SelectItem(combo, combo->Items()->IndexOf(control->Hint()));
                break;
            }
            case TSetting::Speed:
            case TSetting::None:
                break;
            }
        } catch (const std::exception&) {
            // A factory value that does not fit leaves its control as it is.
        }
    }
}
