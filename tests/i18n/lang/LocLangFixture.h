#pragma once
// The connect dialog as its form description stores it: a form with labels, buttons and radio
// buttons, and the localiser locLang1 with two languages whose tables are the 986-byte block.

#include "i18n/lang/LocLang.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Properties.h"
#include "platform/rtl/Classes.h"
#include "tests/support/ConnectDialogTables.h"

#include <string>
#include <vector>

class TTestCaptioned : public TComponent {
    Q4_CLASS(TTestCaptioned, TComponent)
    explicit TTestCaptioned(TComponent* owner) : TComponent(owner) {}
    static void DeclareProperties(TPropertyList& p) {
        p.Add("Caption", &TTestCaptioned::Caption);
        p.Add("Hint", &TTestCaptioned::Hint);
        p.Add("Tag64", &TTestCaptioned::Tag64).Default(0);
        p.Add("Count", &TTestCaptioned::Count).Default(0);
        p.Add("Lines", &TTestCaptioned::GetLines, &TTestCaptioned::SetLines);
    }
    TStrings* GetLines() { return &Lines; }
    void SetLines(TStrings* v) { Lines.Assign(*v); }
    std::string Caption, Hint;
    int64_t Tag64 = 0;
    int Count = 0;
    TStringList Lines;
};

class TdlgConnect : public TTestCaptioned {
    Q4_CLASS(TdlgConnect, TTestCaptioned)
    explicit TdlgConnect(TComponent* owner) : TTestCaptioned(owner) {}
};

inline void RegisterFixtureClasses() {
    InitLocaliserClasses();
    RegisterClasses<TTestCaptioned, TdlgConnect>();
}

// The dialog's description text; `extra` goes among the localiser's properties after Version.
inline std::string ConnectDialogText(const std::string& block = ConnectTranslationBlock()) {
    return "object dlgConnect: TdlgConnect\r\n"
           "  Caption = 'Соединение'\r\n"
           "  object Label1: TTestCaptioned\r\n    Caption = 'Com-порт:'\r\n  end\r\n"
           "  object Label2: TTestCaptioned\r\n    Caption = 'Номер телефона:'\r\n  end\r\n"
           "  object OKBtn: TTestCaptioned\r\n    Caption = 'OK'\r\n  end\r\n"
           "  object rb1: TTestCaptioned\r\n    Caption = 'Кабель программирования'\r\n"
           "    Hint = 'true'\r\n  end\r\n"
           "  object CheckBox1: TTestCaptioned\r\n    Caption = 'Ждать готовности'\r\n  end\r\n" +
           ConnectLocaliserText(block) + "end\r\n";
}
