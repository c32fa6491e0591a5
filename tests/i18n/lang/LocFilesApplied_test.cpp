// Translation files, project files and the dispatcher together with the translation engine:
// what a load or a language switch shows on the connect dialog.

#include "LocLangFixture.h"

#include "i18n/lang/LPBFileManager.h"
#include "i18n/lang/LocLang.h"
#include "i18n/lang/LocLangDispatcher.h"
#include "platform/classes/Streaming.h"
#include "platform/rtl/CodePage.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/Streams.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

namespace {

struct TDialog {
    TDialog() {
        RegisterFixtureClasses();
        dialog = std::make_unique<TdlgConnect>(nullptr);
        ReadComponentDescription(ConnectDialogText(), dialog.get());
        loc = dynamic_cast<TLocLang*>(dialog->FindComponent("locLang1"));
    }
    std::string Caption(const char* name) const {
        return static_cast<TTestCaptioned*>(dialog->FindComponent(name))->Caption;
    }
    std::unique_ptr<TdlgConnect> dialog;
    TLocLang* loc = nullptr;
};

class Folder {
public:
    Folder() {
        char tmpl[] = "/tmp/q4-locapplied-XXXXXX";
        path_ = mkdtemp(tmpl);
    }
    ~Folder() { std::filesystem::remove_all(path_); }
    std::string File(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

// The dialog's tables emptied (but the dialog words).
void ClearTables(TLocLang* loc) {
    for (int kind = 0; kind < ListKindCount; ++kind)
        if (kind != stDlgsCaptions)
            loc->GetStringsOfType(kind)->Clear();
}

} // namespace

TEST(LocFilesAppliedTest, AFileLoadedIntoAnEmptyLocaliserTranslatesTheDialog) {
    Folder folder;
    const std::string file = folder.File("connect.ini");
    {
        TDialog source;
        source.loc->SaveAllToFile(file, "~!@#");
    }
    TDialog d;
    ClearTables(d.loc);
    d.loc->SetActiveLanguage(2); // nothing to apply yet
    EXPECT_EQ(d.Caption("Label1"), "Com-порт:");
    d.loc->LoadAllFromFile(file, true);
    EXPECT_EQ(d.dialog->Caption, "Connect to Quorvan2");
    EXPECT_EQ(d.Caption("Label1"), "Com-port:");
    // Entries of components the dialog does not have (CancelBtn, rb2, ...) are set aside.
    EXPECT_EQ(d.loc->GetStringsOfType(stCaptions)->Count(), 5);

    // Back to language 1 gives the Russian texts byte for byte.
    d.loc->SetActiveLanguage(1);
    EXPECT_EQ(d.dialog->Caption, "Подключение к Quorvan2");
    EXPECT_EQ(d.Caption("Label1"), "Com-порт:");
}

TEST(LocFilesAppliedTest, MergingAllKindsKeepsWhatTheFileLacks) {
    TDialog d;
    TStringStream stream(Utf8ToCp1251("[Language names - for internal use only!]\r\n"
                                      "Language_1=Russian\r\nLanguage_2=English\r\n"
                                      "[Captions]\r\nTdlgConnect.Label1=Порт~!@#Port~!@#\r\n"));
    EXPECT_TRUE(d.loc->MergeStreamAndApply(stream));
    // The file's entry replaced the dialog's; the others stayed (those of components the
    // dialog has: the rest are set aside when the list is prepared).
    EXPECT_EQ(d.loc->GetStringsOfType(stCaptions)->Count(), 5);
    EXPECT_EQ(d.Caption("Label1"), "Порт");
    d.loc->SetActiveLanguage(2);
    EXPECT_EQ(d.Caption("Label1"), "Port");
    EXPECT_EQ(d.Caption("OKBtn"), "OK");
}

TEST(LocFilesAppliedTest, OneLanguageFillsTheColumnOfExistingEntries) {
    Folder folder;
    const std::string file = folder.File("german.ini");
    {
        TFileStream out(file, fmCreate);
        out.WriteBytes(
            "[Language names - for internal use only!]\r\nLanguage_1=English\r\n"
            "Language_2=German\r\n[Captions]\r\nTdlgConnect.Label1=Port~!@#Anschluss~!@#\r\n");
    }
    TDialog d;
    d.loc->LoadLanguageFromFile(file, "German");
    EXPECT_EQ(d.loc->NumOfLanguages(), 3);
    d.loc->SetActiveLanguage(3);
    EXPECT_EQ(d.Caption("Label1"), "Anschluss");
    d.loc->SetActiveLanguage(2);
    EXPECT_EQ(d.Caption("Label1"), "Com-port:");
}

TEST(LocFilesAppliedTest, AProjectFileLoadsAndApplies) {
    Folder folder;
    const std::string file = folder.File("project.LPB");
    {
        TDialog source;
        TFileStream out(file, fmCreate);
        TLPBFileManager::SaveToStream(out, {{"TdlgConnect", source.loc}}, TStringList{});
    }
    TDialog d;
    ClearTables(d.loc);
    d.loc->SetActiveLanguage(2);
    d.loc->LoadAllFromFile(file, true);
    EXPECT_EQ(d.Caption("Label1"), "Com-port:");
    EXPECT_EQ(d.dialog->Caption, "Connect to Quorvan2");
}

TEST(LocFilesAppliedTest, TheDispatcherSwitchesEveryDialogAndFeedsNewOnes) {
    Folder folder;
    const std::string file = folder.File("shared.ini");
    {
        TDialog source;
        source.loc->SaveAllToFile(file, "~!@#");
    }
    TLocLangDispatcher dispatcher(nullptr);
    TStringList names{"Russian", "English"};
    dispatcher.SetLangNames(&names);
    TDialog a, b;
    a.loc->SetLangDispatcher(&dispatcher);
    b.loc->SetLangDispatcher(&dispatcher);
    int changed = 0;
    dispatcher.OnLanguageChanged = [&](TObject*) { ++changed; };
    dispatcher.SetActiveLanguage(2);
    EXPECT_EQ(changed, 1);
    EXPECT_EQ(dispatcher.Language(), "English");
    for (TDialog* d : {&a, &b}) {
        EXPECT_EQ(d->loc->ActiveLanguage(), 2);
        EXPECT_EQ(d->Caption("Label1"), "Com-port:");
    }
    // A veto leaves both dialogs in English.
    b.loc->OnLanguageChanging = [](TObject*, int, bool& allow) { allow = false; };
    dispatcher.SetActiveLanguage(1);
    EXPECT_EQ(a.Caption("Label1"), "Com-port:");
    EXPECT_EQ(a.loc->ActiveLanguage(), 2);
    b.loc->OnLanguageChanging = nullptr;

    // A dialog linked at run time is fed from the dispatcher's file in its language.
    dispatcher.SetFileName(file);
    TDialog c;
    ClearTables(c.loc);
    c.loc->SetLangDispatcher(&dispatcher);
    EXPECT_EQ(c.loc->ActiveLanguage(), 2);
    EXPECT_EQ(c.Caption("Label1"), "Com-port:");
    EXPECT_EQ(dispatcher.LangNames()->ToVector(), names.ToVector());
}

TEST(LocFilesAppliedTest, TestModeShowsUntranslatedCaptionsDistorted) {
    TLocLangDispatcher dispatcher(nullptr);
    dispatcher.SetNumOfLanguages(2);
    dispatcher.TestModeInfo()->Active = true;
    dispatcher.TestModeInfo()->Kind = tmkFlipCase;
    TDialog d;
    d.loc->SetLangDispatcher(&dispatcher);
    // Label2 has no English text: it shows its Russian text with the case of every letter
    // flipped.
    TStrings* captions = d.loc->GetStringsOfType(stCaptions);
    for (int i = 0; i < captions->Count(); ++i)
        if (captions->Get(i).rfind("Label2\x01", 0) == 0)
            captions->Put(i, "Label2\x01" + Utf8ToCp1251("Номер телефона:") + "\x01\x01");
    dispatcher.SetActiveLanguage(2);
    EXPECT_EQ(d.Caption("Label2"), "нОМЕР ТЕЛЕФОНА:");
}
