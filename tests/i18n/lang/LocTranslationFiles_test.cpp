// External translation files: what the localiser writes into the ini-style text and what it
// reads back from one, kind by kind, with the form's own keys only. The lists are checked with
// FileBusy set, so that reading stops before the tables would be applied.

#include "LocLangFixture.h"

#include "i18n/lang/LocExtendedItems.h"
#include "i18n/lang/LocLang.h"
#include "i18n/text/LocText.h"
#include "platform/classes/Streaming.h"
#include "platform/rtl/CodePage.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/Streams.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

namespace {

// The connect dialog loaded from its description, with its two languages.
struct TConnectDialog {
    TConnectDialog() {
        RegisterFixtureClasses();
        ReadComponentDescription(ConnectDialogText(), &dialog);
        loc = dynamic_cast<TLocLang*>(dialog.FindComponent("locLang1"));
    }
    TStrings& List(int kind) { return *loc->GetStringsOfType(kind); }
    TdlgConnect dialog{nullptr};
    TLocLang* loc = nullptr;
};

// A localiser on a fresh form of the dialog's class, named as the dialog is.
struct TEmptyDialog {
    TEmptyDialog() {
        RegisterFixtureClasses();
        form.SetName("dlgConnect");
        loc = new TLocLang(&form);
        loc->SetName("locLang1");
        loc->FileBusy = true;
    }
    TStrings& List(int kind) { return *loc->GetStringsOfType(kind); }
    TdlgConnect form{nullptr};
    TLocLang* loc = nullptr;
};

// Lines of a file, CR LF ended, in Windows-1251 from UTF-8 source text.
std::string FileText(std::initializer_list<const char*> lines) {
    std::string text;
    for (const char* line : lines)
        text += Utf8ToCp1251(line) + "\r\n";
    return text;
}

// The entries in file order (sorted by key); the form's own entry stays first.
std::vector<std::string> Sorted(const TStrings& list) {
    std::vector<std::string> lines = list.ToVector();
    if (!lines.empty())
        std::sort(lines.begin() + 1, lines.end(), [](const std::string& a, const std::string& b) {
            return CompareTextLocale(a.substr(0, a.find('\x01')), b.substr(0, b.find('\x01'))) < 0;
        });
    return lines;
}

std::vector<std::string> Utf8Lines(const TStrings& list) {
    std::vector<std::string> lines;
    for (int i = 0; i < list.Count(); ++i)
        lines.push_back(Cp1251ToUtf8(list.Get(i)));
    return lines;
}

// The value of key in section of an ini text (sections and keys compared exactly).
std::string IniValue(const std::string& text, const std::string& section, const std::string& key) {
    TStringList lines;
    lines.SetText(text);
    bool inSection = false;
    for (int i = 0; i < lines.Count(); ++i) {
        const std::string line = lines.Get(i);
        if (!line.empty() && line[0] == '[') {
            inSection = line == "[" + section + "]";
            continue;
        }
        if (inSection && line.rfind(key + "=", 0) == 0)
            return line.substr(key.size() + 1);
    }
    return "(missing)";
}

class TempFolder {
public:
    TempFolder() {
        char tmpl[] = "/tmp/q4-locfiles-XXXXXX";
        path_ = mkdtemp(tmpl);
    }
    ~TempFolder() { std::filesystem::remove_all(path_); }
    std::string File(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

void WriteFile(const std::string& path, const std::string& bytes) {
    TFileStream f(path, fmCreate);
    f.WriteBytes(bytes);
}

std::string ReadFile(const std::string& path) {
    TFileStream f(path, fmOpenRead);
    return f.ReadToEnd();
}

} // namespace

TEST(LocTranslationFilesTest, SavingAKindWritesTheFormsKeysTheOptionsAndTheNames) {
    TConnectDialog d;
    TStringStream stream;
    EXPECT_EQ(d.loc->SaveTypeToStream(stCaptions, stream, "~!@#"), 9);
    const std::string text = stream.DataString();
    EXPECT_EQ(IniValue(text, "Captions", "TdlgConnect.CancelBtn"), "Cancel~!@#Cancel~!@#");
    EXPECT_EQ(Cp1251ToUtf8(IniValue(text, "Captions", "TdlgConnect.TdlgConnect")),
              "Подключение к Quorvan2~!@#Connect to Quorvan2~!@#");
    EXPECT_EQ(IniValue(text, "OPTIONS", "DELIMITER"), "~!@#");
    EXPECT_EQ(IniValue(text, "OPTIONS", "IsUTF8File"), "0");
    EXPECT_EQ(IniValue(text, "Language names - for internal use only!", "Language_1"), "Russian");
    EXPECT_EQ(IniValue(text, "Language names - for internal use only!", "Language_2"), "English");
    // A kind without a list writes nothing.
    EXPECT_EQ(d.loc->SaveTypeToStream(stListView_TreeView_Items, stream, "~!@#"), -1);
}

TEST(LocTranslationFilesTest, SavingKeepsOtherFormsAndDropsKeysOfTheOlderNameForm) {
    TConnectDialog d;
    TStringStream stream(
        FileText({"[Captions]", "TOtherForm.Button1=Other~!@#", "dlgConnect.Label1=old~!@#",
                  "[Language names - for intenal use only!]", "Language_1=x", "[Private]", "a=1"}));
    d.loc->SaveTypeToStream(stCaptions, stream, "~!@#");
    const std::string text = stream.DataString();
    EXPECT_EQ(IniValue(text, "Captions", "TOtherForm.Button1"), "Other~!@#");
    EXPECT_EQ(IniValue(text, "Captions", "dlgConnect.Label1"), "(missing)");
    EXPECT_EQ(IniValue(text, "Private", "a"), "1");
    EXPECT_EQ(text.find("intenal"), std::string::npos);
    EXPECT_NE(IniValue(text, "Captions", "TdlgConnect.Label1"), "(missing)");
}

TEST(LocTranslationFilesTest, LoadingAKindTakesTheFormsKeysOnly) {
    TEmptyDialog d;
    TStringStream stream(FileText({
        "[OPTIONS]", "DELIMITER=|", "Language_Fixed2=1",
        "[Language names - for internal use only!]", "Language_1=Русский", "Language_2=English",
        "[Captions]", "TdlgConnect.Label1=Порт|Port|",
        "TOtherForm.Label1=other|other|",   // another form's key
        "TdlgConnect.OKBtn=OK",             // one text stands for both languages
        "DLGCONNECT.Label2=Телефон|Phone|", // the form's name in other case: cut at its length
        "TdlgConnect.Skipped=x|y|",
        "tdlgconnect.TdlgConnect=Соединение|Connect|", // the form's own entry goes first
        "TdlgConnect.Multi=a\x19\x1A"
        "b|c|",
        "TdlgConnect.Two=d\x19\x1A"
        "e", // one text with a line break, for both languages
    }));
    d.loc->DoNotTranslate()->Add("Skipped");
    EXPECT_EQ(d.loc->LoadTypeFromStream(stCaptions, stream, true), 8);
    EXPECT_EQ(
        Utf8Lines(d.List(stCaptions)),
        (std::vector<std::string>{"TdlgConnect\x01Соединение\x01"
                                  "Connect\x01",
                                  "Label2\x01Телефон\x01Phone\x01", "Label1\x01Порт\x01Port\x01",
                                  "Multi\x01"
                                  "a\r\nb\x01"
                                  "c\x01",
                                  "OKBtn\x01OK\x01OK\x01",
                                  "Two\x01"
                                  "d\r\ne\x01"
                                  "d\r\ne\x01"}));
    EXPECT_EQ(d.loc->LangNames()->ToVector(), (std::vector<std::string>{"Русский", "English"}));
    EXPECT_EQ(d.loc->NumOfLanguages(), 2);
    EXPECT_EQ(d.loc->FixedLanguageList()->ToVector(), std::vector<std::string>{"English"});
    EXPECT_FALSE(d.loc->StoreAsUTF8());
}

TEST(LocTranslationFilesTest, CollectionKeysAndUtf8FilesLoad) {
    TEmptyDialog d;
    TStringStream stream("[OPTIONS]\r\nIsUTF8File=1\r\n"
                         "[Language names - for internal use only!]\r\nLanguage_1=Русский\r\n"
                         "[Collections]\r\nTdlgConnect.LV.Columns-0+.Caption=Имя~!@#\r\n");
    EXPECT_EQ(d.loc->LoadTypeFromStream(stCollections, stream, false), 1);
    EXPECT_EQ(d.List(stCollections).ToVector(),
              std::vector<std::string>{"LV.Columns[0].Caption\x01Имя\x01"});
    EXPECT_TRUE(d.loc->StoreAsUTF8());
    EXPECT_EQ(d.loc->LangNames()->ToVector(), std::vector<std::string>{"Русский"});
}

TEST(LocTranslationFilesTest, AFileWithFewerLanguagesKeepsTheActiveOneInRange) {
    TConnectDialog d;
    d.loc->SetActiveLanguage(2);
    ASSERT_EQ(d.loc->ActiveLanguage(), 2);
    d.loc->FileBusy = true;
    TStringStream one(FileText({"[Language names - for internal use only!]", "Language_1=Solo"}));
    d.loc->LoadTypeFromStream(stHints, one, true);
    EXPECT_EQ(d.loc->NumOfLanguages(), 1);
    EXPECT_EQ(d.loc->ActiveLanguage(), 1);
    EXPECT_EQ(d.loc->Language(), "Solo");
    // A names section whose first name is empty names no language: one remains.
    TStringStream none(FileText(
        {"[Language names - for internal use only!]", "Language_1=", "Language_2=ignored"}));
    d.loc->LoadTypeFromStream(stHints, none, true);
    EXPECT_EQ(d.loc->NumOfLanguages(), 1);
    EXPECT_EQ(d.loc->LangNames()->ToVector(), std::vector<std::string>{"Language N1"});
}

TEST(LocTranslationFilesTest, EveryKindAndTheExtendedItemsRoundTrip) {
    TConnectDialog d;
    d.List(stStrings).Add("Greeting\x01\xCF\xF0\xE8\xE2\xE5\xF2\r\n\xEC\xE8\xF0\x01Hello\x01");
    d.List(stCollections).Add("LV.Columns[1].Caption\x01\xC8\xEC\xFF\x01Name\x01");
    d.List(stMultiLines).Add("Memo1.Lines\x01\x61,b\x01\x63,d\x01");
    TLocExtendedItem* item = d.loc->ExtendedTranslations()->Add();
    item->SetIdentifier("Label1.Hint");
    item->PropertyType = tkLString;
    item->Values = "\xCF\xEE\xE4\xF1\xEA\xE0\xE7\xEA\xE0\x01Hint\x01";
    TStringStream stream;
    d.loc->SaveAllToStream(stream, "~!@#");
    const std::string text = stream.DataString();
    for (const char* section : {"[Captions]", "[Hints]", "[Fonts]", "[Multilines]", "[Dialogs]",
                                "[Strings]", "[Collections]", "[CharSets]", "[OPTIONS]",
                                "[Language names - for internal use only!]", "[Extended]"})
        EXPECT_NE(text.find(section), std::string::npos) << section;
    EXPECT_EQ(IniValue(text, "Extended", "TdlgConnect.Label1.Hint_TypeKind"), "tkLString");
    EXPECT_EQ(IniValue(text, "Collections", "TdlgConnect.LV.Columns-1+.Caption"),
              "\xC8\xEC\xFF~!@#Name~!@#");

    TEmptyDialog copy;
    for (int kind = 0; kind < StringsTypeCount; ++kind) {
        TStringStream again(text);
        const int read = copy.loc->LoadTypeFromStream(kind, again, true);
        if (kind == stListView_TreeView_Items) {
            EXPECT_EQ(read, -1);
            continue;
        }
        EXPECT_EQ(copy.List(kind).ToVector(), Sorted(d.List(kind))) << StringsTypeName(kind);
    }
    TStringStream again(text);
    copy.loc->LoadExtendedFromStream(again, true);
    ASSERT_EQ(copy.loc->ExtendedTranslations()->Count(), 1);
    EXPECT_EQ(copy.loc->ExtendedTranslations()->Items(0)->Identifier(), "Label1.Hint");
    EXPECT_EQ(copy.loc->ExtendedTranslations()->Items(0)->Values, item->Values);
    EXPECT_EQ(copy.loc->LangNames()->ToVector(), d.loc->LangNames()->ToVector());
}

TEST(LocTranslationFilesTest, MergingAKindKeepsEntriesTheFileDoesNotHave) {
    TConnectDialog d;
    d.loc->FileBusy = true;
    TStringStream stream(FileText({"[Language names - for internal use only!]",
                                   "Language_1=Russian", "Language_2=English", "[Hints]",
                                   "TdlgConnect.rb1=да~!@#yes~!@#", "TdlgConnect.New=н~!@#n~!@#"}));
    const std::vector<std::string> before = Utf8Lines(d.List(stHints));
    ASSERT_EQ(before.size(), 2u);
    EXPECT_TRUE(d.loc->MergeTypeFromStream(stHints, stream));
    std::vector<std::string> after = Utf8Lines(d.List(stHints));
    EXPECT_EQ(after.size(), 3u);
    EXPECT_NE(std::find(after.begin(), after.end(),
                        "rb1\x01"
                        "да\x01yes\x01"),
              after.end());
    EXPECT_NE(std::find(after.begin(), after.end(), "New\x01н\x01n\x01"), after.end());
    // The entry the file does not name is kept as it was.
    for (const std::string& old : before) {
        if (old.rfind("rb1\x01", 0) != 0) {
            EXPECT_NE(std::find(after.begin(), after.end(), old), after.end()) << old;
        }
    }
    EXPECT_FALSE(d.loc->MergeTypeFromStream(stListView_TreeView_Items, stream));
}

TEST(LocTranslationFilesTest, MergingFromAFileMatchesItsColumnsToOurLanguages) {
    TConnectDialog d;
    d.loc->FileBusy = true;
    TempFolder folder;
    const std::string file = folder.File("reordered.ini");
    // The file's languages: English, German (unknown to the dialog), Russian.
    WriteFile(file, FileText({"[Language names - for internal use only!]", "Language_1=English",
                              "Language_2=German", "Language_3=Russian", "[Hints]",
                              "TdlgConnect.rb1=yes~!@#ja~!@#да~!@#"}));
    TStringList names;
    d.loc->ReadLanguageNames(file, names);
    EXPECT_EQ(names.ToVector(), (std::vector<std::string>{"English", "German", "Russian"}));
    EXPECT_TRUE(d.loc->MergeTypeFromFile(stHints, file));
    std::vector<std::string> hints = Utf8Lines(d.List(stHints));
    EXPECT_NE(std::find(hints.begin(), hints.end(),
                        "rb1\x01"
                        "да\x01yes\x01"),
              hints.end());
    EXPECT_EQ(d.loc->LangNames()->ToVector(), (std::vector<std::string>{"Russian", "English"}));
    // A missing file merges nothing and says so; a kind without a list has nothing to do.
    EXPECT_FALSE(d.loc->MergeTypeFromFile(stHints, folder.File("missing.ini")));
    EXPECT_TRUE(d.loc->MergeTypeFromFile(stListView_TreeView_Items, file));
}

TEST(LocTranslationFilesTest, SavingAllToAFileKeepsTheOtherFormsSections) {
    TConnectDialog d;
    TempFolder folder;
    const std::string file = folder.File("shared.ini");
    WriteFile(file, FileText({"[Captions]", "TOtherForm.Label1=a~!@#b~!@#", "[Extended]",
                              "TOtherForm.Label1.Hint=h~!@#",
                              "TOtherForm.Label1.Hint_TypeKind=tkLString"}));
    d.loc->SaveAllToFile(file, "~!@#");
    const std::string text = ReadFile(file);
    EXPECT_EQ(IniValue(text, "Captions", "TOtherForm.Label1"), "a~!@#b~!@#");
    EXPECT_EQ(IniValue(text, "Extended", "TOtherForm.Label1.Hint"), "h~!@#");
    EXPECT_EQ(IniValue(text, "Captions", "TdlgConnect.CancelBtn"), "Cancel~!@#Cancel~!@#");
    // Loading it again gives the dialog's lists.
    TEmptyDialog copy;
    for (int kind : {stCaptions, stHints, stFonts, stDlgsCaptions, stCharSets}) {
        EXPECT_GT(copy.loc->LoadTypeFromFile(kind, file, true), 0);
        EXPECT_EQ(copy.List(kind).ToVector(), Sorted(d.List(kind))) << StringsTypeName(kind);
    }
}

TEST(LocTranslationFilesTest, OneLanguageOfAFileFillsItsOwnColumn) {
    TConnectDialog d;
    d.loc->FileBusy = true;
    TempFolder folder;
    const std::string file = folder.File("german.ini");
    WriteFile(file,
              FileText({"[OPTIONS]", "DELIMITER=;", "[Language names - for internal use only!]",
                        "Language_1=English", "Language_2=German", "[Strings]",
                        "TdlgConnect.Msg1=Hello;Hallo;", "TOtherForm.Msg1=No;Nein;", "[Extended]",
                        "TdlgConnect.Label1.Hint=Hint;Hinweis;",
                        "TdlgConnect.Label1.Hint_TypeKind=tkLString"}));
    d.loc->LoadLanguageTypeFromFile(stStrings, file, "German");
    EXPECT_EQ(d.loc->NumOfLanguages(), 3);
    EXPECT_EQ(d.loc->LangNames()->ToVector(),
              (std::vector<std::string>{"Russian", "English", "German"}));
    EXPECT_EQ(d.List(stStrings).ToVector(), std::vector<std::string>{"Msg1\x01\x01\x01Hallo\x01"});
    d.loc->LoadLanguageExtendedFromFile(file, "German");
    ASSERT_EQ(d.loc->ExtendedTranslations()->Count(), 1);
    EXPECT_EQ(d.loc->ExtendedTranslations()->Items(0)->Values, "\x01\x01Hinweis\x01");

    // A language the file does not name: an error only when asked for.
    const std::vector<std::string> before = d.List(stStrings).ToVector();
    d.loc->LoadLanguageTypeFromFile(stStrings, file, "French");
    EXPECT_EQ(d.List(stStrings).ToVector(), before);
    EXPECT_EQ(d.loc->NumOfLanguages(), 3);
    d.loc->DoRaiseExceptions = true;
    try {
        d.loc->LoadLanguageTypeFromFile(stStrings, file, "French");
        ADD_FAILURE() << "nothing raised";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "French not found in " + file);
    }
    // The file's names are matched exactly.
    EXPECT_THROW(d.loc->LoadLanguageExtendedFromFile(file, "german"), Exception);
}
