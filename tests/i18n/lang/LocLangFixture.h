#pragma once
// The connect dialog as its form description stores it: a form with labels, buttons and radio
// buttons, and the localiser locLang1 with two languages whose tables are the 986-byte block.

#include "i18n/lang/LocLang.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Properties.h"
#include "platform/rtl/Classes.h"

#include <fstream>
#include <iterator>
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

inline std::string ConnectTranslationBlock() {
    std::ifstream file(Q4_SOURCE_DIR "/tests/platform/classes/data/ConnectTranslationData.bin",
                       std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

inline std::string HexBlock(const std::string& block, const std::string& indent) {
    static const char hex[] = "0123456789ABCDEF";
    std::string text = "{";
    for (size_t i = 0; i < block.size(); ++i) {
        if (i % 32 == 0)
            text += "\r\n" + indent;
        text += hex[static_cast<unsigned char>(block[i]) >> 4];
        text += hex[block[i] & 15];
    }
    return text + "}";
}

// The 20 names the dialog stores (the defaults of a new localiser).
inline std::string ExcludedNamesText(const std::string& indent) {
    std::string text = "ExcludedProperties.Strings = (";
    const std::vector<std::string>& names = DefaultExcludedProperties();
    for (size_t i = 0; i < names.size(); ++i)
        text += "\r\n" + indent + "  '" + names[i] + "'";
    return text + ")";
}

// The dialog's description text; `extra` goes among the localiser's properties after Version.
inline std::string ConnectDialogText(const std::string& block = ConnectTranslationBlock()) {
    const std::string in = "    ";
    return "object dlgConnect: TdlgConnect\r\n"
           "  Caption = 'Соединение'\r\n"
           "  object Label1: TTestCaptioned\r\n    Caption = 'Com-порт:'\r\n  end\r\n"
           "  object Label2: TTestCaptioned\r\n    Caption = 'Номер телефона:'\r\n  end\r\n"
           "  object OKBtn: TTestCaptioned\r\n    Caption = 'OK'\r\n  end\r\n"
           "  object rb1: TTestCaptioned\r\n    Caption = 'Кабель программирования'\r\n"
           "    Hint = 'true'\r\n  end\r\n"
           "  object CheckBox1: TTestCaptioned\r\n    Caption = 'Ждать готовности'\r\n  end\r\n"
           "  object locLang1: TLocLang\r\n"
           "    Version = '6.5'\r\n"
           "    StringsTypes.Strings = (\r\n      'TIB_STRINGLIST'\r\n      'TSTRINGLIST')\r\n"
           "    NumOfLanguages = 2\r\n"
           "    LangDelim = 1\r\n"
           "    LangNames.Strings = (\r\n      'Russian'\r\n      'English')\r\n"
           "    Language = 'Russian'\r\n" +
           in + ExcludedNamesText(in) + "\r\n" + in +
           "TranslationData = " + HexBlock(block, in + "  ") + "\r\n  end\r\nend\r\n";
}
