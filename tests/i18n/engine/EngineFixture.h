#pragma once
// Forms for the translation engine's tests: the connect dialog as its description stores it (its
// controls, texts and localiser tables), and a small sample form built in code whose localiser
// entries each test writes itself.

#include "i18n/lang/LocLang.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Streaming.h"
#include "platform/forms/Forms.h"
#include "platform/rtl/CodePage.h"
#include "tests/support/ConnectDialogTables.h"

#include <algorithm>
#include <string>

class TdlgConnect : public TForm {
    Q4_CLASS(TdlgConnect, TForm)
public:
    explicit TdlgConnect(TComponent* owner) : TForm(owner) {}
};

class TfrmSample : public TForm {
    Q4_CLASS(TfrmSample, TForm)
public:
    explicit TfrmSample(TComponent* owner) : TForm(owner) {}
};

// The connect dialog's description: its controls with their Russian texts, and locLang1.
inline std::string ConnectDialogForm() {
    auto control = [](const char* name, const char* cls, const std::string& props) {
        return std::string("  object ") + name + ": " + cls + "\r\n" + props + "  end\r\n";
    };
    auto caption = [](const char* text) { return std::string("    Caption = '") + text + "'\r\n"; };
    return "object dlgConnect: TdlgConnect\r\n"
           "  Caption = 'Соединение'\r\n"
           "  Font.Name = 'MS Sans Serif'\r\n" +
           control("Label1", "TLabel", caption("Com-порт:")) +
           control("ComPorts", "TComboBox", "    Style = csDropDownList\r\n    Sorted = True\r\n") +
           control("Label3", "TLabel", caption("Тип и параметры подключения:")) +
           control("rb1", "TRadioButton",
                   caption("Кабель программирования") + "    Hint = 'true'\r\n") +
           control("CheckBox1", "TCheckBox", caption("Ждать готовности устройства ")) +
           control("rb2", "TRadioButton", caption("GSM - модем") + "    Hint = 'false'\r\n") +
           control("Label2", "TLabel", caption("Номер телефона:")) +
           control("cbPhones", "TComboBox", "    DropDownCount = 10\r\n") +
           control("Label4", "TLabel", caption("Ждать регистрации в сети GSM?")) +
           control("cbRegWait", "TCheckBox", "    Checked = True\r\n") +
           control("OKBtn", "TButton", caption("OK")) +
           control("CancelBtn", "TButton", caption("Cancel")) + ConnectLocaliserText() + "end\r\n";
}

// A delimited entry written with "|" for the delimiter byte 1.
inline std::string Entry(std::string text) {
    std::replace(text.begin(), text.end(), '|', '\x01');
    return Utf8ToCp1251(text);
}

inline std::string CaptionOf(TComponent* owner, const char* name) {
    TComponent* c = owner->FindComponent(name);
    return c ? GetStrProp(c, "Caption") : std::string("(missing)");
}

// A sample form (class TfrmSample) with a two-language localiser "loc" whose lists each test
// fills; components are added by the test.
struct TSampleForm {
    TSampleForm() {
        RegisterClasses<TfrmSample>();
        form->SetName("frmSample");
        form->SetCaption("Sample");
        loc = new TLocLang(form.get());
        loc->SetName("loc");
        TStringList names{"Russian", "English"};
        loc->SetLangNames(&names);
    }
    template <class T> T* Add(const char* name) {
        T* c = new T(form.get());
        c->SetName(name);
        if constexpr (std::is_base_of_v<TControl, T>)
            c->SetParent(form.get());
        return c;
    }
    // Puts entries (with "|" for the delimiter) into a list without applying them.
    void Entries(int kind, std::initializer_list<const char*> lines) {
        TStrings* list = loc->GetStringsOfType(kind);
        list->Clear();
        for (const char* line : lines)
            list->Add(Entry(line));
    }
    std::vector<std::string> Lines(int kind) const {
        std::vector<std::string> out;
        TStrings* list = loc->GetStringsOfType(kind);
        for (int i = 0; i < list->Count(); ++i) {
            std::string line = Cp1251ToUtf8(list->Get(i));
            std::replace(line.begin(), line.end(), '\x01', '|');
            out.push_back(line);
        }
        return out;
    }
    std::unique_ptr<TfrmSample> form = std::make_unique<TfrmSample>(nullptr);
    TLocLang* loc = nullptr;
};
