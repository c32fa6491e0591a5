// The connect dialog switched between its two languages: every text of its tables reaches its
// control, the way back gives the Russian texts byte for byte, and a refused change changes
// nothing.

#include "EngineFixture.h"

#include "i18n/text/LocText.h"
#include "platform/graphics/Graphics.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

struct TConnectDialog {
    TConnectDialog() {
        RegisterClasses<TdlgConnect>();
        ReadComponentDescription(ConnectDialogForm(), dialog.get());
        loc = dynamic_cast<TLocLang*>(dialog->FindComponent("locLang1"));
    }
    std::unique_ptr<TdlgConnect> dialog = std::make_unique<TdlgConnect>(nullptr);
    TLocLang* loc = nullptr;
};

struct TCaptionCase {
    const char* Component;
    const char* Russian;
    const char* English;
};

const TCaptionCase Captions[] = {
    {"dlgConnect", "Подключение к Quorvan2", "Connect to Quorvan2"},
    {"CancelBtn", "Cancel", "Cancel"},
    {"Label1", "Com-порт:", "Com-port:"},
    {"Label2", "Номер телефона:", "Phone number:"},
    {"Label3", "Тип и параметры подключения:", "Connection type and parameters:"},
    {"Label4", "Ждать регистрации в сети GSM?", "Wait for registration in GSM network?"},
    {"OKBtn", "OK", "OK"},
    {"rb1", "Кабель программирования", "Programming cable"},
    {"rb2", "GSM - модем", "CSM-modem"},
};

std::string CaptionIn(TConnectDialog& c, const char* name) {
    return std::string(name) == "dlgConnect" ? GetStrProp(c.dialog.get(), "Caption")
                                             : CaptionOf(c.dialog.get(), name);
}

} // namespace

TEST(LocConnectDialogTest, LanguageTwoShowsTheEnglishTextsAndLanguageOneTheRussianOnes) {
    TConnectDialog c;
    ASSERT_NE(c.loc, nullptr);
    // Loading applies nothing: the dialog keeps the caption of its description.
    EXPECT_EQ(GetStrProp(c.dialog.get(), "Caption"), "Соединение");
    int changes = 0;
    c.loc->OnChangeLanguage = [&](TObject*) { ++changes; };

    c.loc->SetActiveLanguage(2);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(c.loc->Language(), "English");
    for (const TCaptionCase& k : Captions)
        EXPECT_EQ(CaptionIn(c, k.Component), k.English) << k.Component;
    // Hints equal to the current ones, and a check box without an entry, stay as they are.
    EXPECT_EQ(GetStrProp(c.dialog->FindComponent("rb1"), "Hint"), "true");
    EXPECT_EQ(GetStrProp(c.dialog->FindComponent("rb2"), "Hint"), "false");
    EXPECT_EQ(CaptionOf(c.dialog.get(), "CheckBox1"), "Ждать готовности устройства ");
    EXPECT_EQ(c.dialog->Font()->Name(), "Tahoma");
    EXPECT_EQ(c.dialog->Font()->Charset(), DEFAULT_CHARSET);
    // Applying moves and drops no entry: every control of the tables exists.
    const int sizes[ListKindCount] = {9, 2, 0, 1, 0, 15, 0, 0, 0, 0, 1};
    for (int kind = 0; kind < ListKindCount; ++kind)
        EXPECT_EQ(c.loc->GetStringsOfType(kind)->Count(), sizes[kind]) << StringsTypeName(kind);

    c.loc->SetActiveLanguage(1);
    EXPECT_EQ(changes, 2);
    for (const TCaptionCase& k : Captions)
        EXPECT_EQ(CaptionIn(c, k.Component), k.Russian) << k.Component;
    // Byte for byte: each caption in the dialog's code page is the stored language-1 text.
    TStrings* captions = c.loc->GetStringsOfType(stCaptions);
    for (int i = 0; i < captions->Count(); ++i) {
        const std::string key = GetField(captions->Get(i), '\x01', 0);
        const std::string name = key == "TdlgConnect" ? "dlgConnect" : key;
        EXPECT_EQ(Utf8ToCp1251(CaptionIn(c, name.c_str())), GetField(captions->Get(i), '\x01', 1))
            << key;
    }
}

TEST(LocConnectDialogTest, ARefusedChangeLeavesLanguageAndTextsAlone) {
    TConnectDialog c;
    int asked = 0, changes = 0;
    c.loc->OnLanguageChanging = [&](TObject* sender, int language, bool& allow) {
        ++asked;
        EXPECT_EQ(sender, c.loc);
        EXPECT_EQ(language, 2);
        allow = false;
    };
    c.loc->OnChangeLanguage = [&](TObject*) { ++changes; };
    c.loc->SetLanguage("English");
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(c.loc->ActiveLanguage(), 1);
    EXPECT_EQ(c.loc->Language(), "Russian");
    EXPECT_EQ(GetStrProp(c.dialog.get(), "Caption"), "Соединение");
    EXPECT_EQ(CaptionOf(c.dialog.get(), "Label1"), "Com-порт:");
    EXPECT_EQ(CaptionOf(c.dialog.get(), "rb2"), "GSM - модем");
    EXPECT_EQ(c.dialog->Font()->Name(), "MS Sans Serif");
}
