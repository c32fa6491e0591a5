// The setters' loading and run-time rules, their error texts, and the mended faults of the
// language settings.

#include "LocLangFixture.h"

#include "i18n/lang/LocLang.h"
#include "i18n/text/LocText.h"
#include "platform/classes/ObjectText.h"
#include "platform/classes/Streaming.h"
#include "platform/rtl/CodePage.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

const char D = '\x01';
std::string L(std::string s) {
    std::replace(s.begin(), s.end(), '|', D);
    return s;
}

// A localiser of two languages, "Russian" and "English", on a form.
struct TTwoLanguages {
    TTwoLanguages() {
        RegisterFixtureClasses();
        form.SetName("dlgConnect");
        loc = new TLocLang(&form);
        loc->SetName("locLang1");
        TStringList names{"Russian", "English"};
        loc->SetLangNames(&names);
    }
    TdlgConnect form{nullptr};
    TLocLang* loc = nullptr;
};

template <class F> std::string ErrorText(F f) {
    try {
        f();
    } catch (const ELanguageError& e) {
        return e.Message();
    }
    return "(nothing raised)";
}

} // namespace

TEST(LocLangSettersTest, ErrorsCarryTheirTextsLetterForLetter) {
    TTwoLanguages two;
    TLocLang loose(nullptr);
    TStringList names{"Russian", "English"};
    loose.SetLangNames(&names);
    struct Case {
        std::function<void()> set;
        std::string text;
    } cases[] = {
        {[&] { two.loc->SetActiveLanguage(0); },
         "TdlgConnect: 0 - is not a valid property value!\rValue must be within [1..2]!"},
        {[&] { two.loc->SetActiveLanguage(3); },
         "TdlgConnect: 3 - is not a valid property value!\rValue must be within [1..2]!"},
        {[&] { loose.SetActiveLanguage(3); },
         "3 - is not a valid property value!\rValue must be within [1..2]!"},
        {[&] { two.loc->SetLanguage("French"); },
         "Language name shall be included in LangNames property!"},
        {[&] { two.loc->SetNumOfLanguages(0); },
         "0 - is not a valid property value !\rValue must be more than ZERO !"},
        {[&] { two.loc->SetNumOfLanguages(-2); },
         "-2 - is not a valid property value !\rValue must be more than ZERO !"},
        {[&] { two.loc->SetResourceLanguageIndex(0); },
         "0 - is not a valid property value!\rValue must be within [1..2]!"},
        {[&] { two.loc->SetResourceLanguageIndex(3); },
         "3 - is not a valid property value!\rValue must be within [1..2]!"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ErrorText(c.set), c.text);
    EXPECT_EQ(two.loc->ActiveLanguage(), 1);
    EXPECT_EQ(two.loc->Language(), "Russian");
    EXPECT_EQ(two.loc->NumOfLanguages(), 2);

    // One localiser per owner; one without owner can always be created.
    try {
        TLocLang second(&two.form);
        ADD_FAILURE() << "a second localiser was accepted";
    } catch (const ELanguageError&) {
        ADD_FAILURE() << "wrong error class";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "Only one TLocCustomLang component per Form/DataModule allowed!");
    }
    EXPECT_EQ(two.form.ComponentCount(), 1);
    TLocLang another(nullptr);
}

TEST(LocLangSettersTest, WhileLoadingBadValuesAreIgnoredOrTaken) {
    TTwoLanguages two;
    two.loc->SetLoading(true);
    two.loc->SetActiveLanguage(3);
    EXPECT_EQ(two.loc->ActiveLanguage(), 1);
    two.loc->SetLanguage("French");
    EXPECT_EQ(two.loc->LangNames()->ToVector(),
              (std::vector<std::string>{"Russian", "English", "French"}));
    EXPECT_EQ(two.loc->Language(), "French");
    EXPECT_EQ(two.loc->ActiveLanguage(), 1);
    EXPECT_THROW(two.loc->SetNumOfLanguages(0), ELanguageError);
    two.loc->SetResourceLanguageIndex(7);
    EXPECT_EQ(two.loc->ResourceLanguageIndex(), 7);
}

TEST(LocLangSettersTest, ChoosingALanguageAppliesIt) {
    TTwoLanguages two;
    int asked = 0, changed = 0;
    two.loc->OnChangeLanguage = [&](TObject*) { ++changed; };
    // The name is matched without regard to case, and the language is applied.
    two.loc->SetLanguage("english");
    EXPECT_EQ(two.loc->ActiveLanguage(), 2);
    EXPECT_EQ(two.loc->Language(), "English");
    EXPECT_EQ(changed, 1);

    // A handler that refuses the change keeps the language, and nothing is applied.
    two.loc->OnLanguageChanging = [&](TObject*, int language, bool& allow) {
        ++asked;
        EXPECT_EQ(language, 1);
        allow = false;
    };
    two.loc->SetActiveLanguage(1);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(changed, 1);
    EXPECT_EQ(two.loc->ActiveLanguage(), 2);
    EXPECT_EQ(two.loc->Language(), "English");
}

TEST(LocLangSettersTest, FewerLanguagesCutEveryEntryAndTheNames) {
    TTwoLanguages two;
    two.loc->SetNumOfLanguages(3);
    EXPECT_EQ(two.loc->LangNames()->ToVector(),
              (std::vector<std::string>{"Russian", "English", "Language N3"}));
    TStrings* captions = two.loc->GetStringsOfType(stCaptions);
    captions->Add(L("K|A||C|"));
    captions->Add(L("short|A|"));
    two.loc->SetNumOfLanguages(2);
    EXPECT_EQ(captions->Get(0), L("K|A||"));
    EXPECT_EQ(captions->Get(1), L("short|A|"));
    EXPECT_EQ(two.loc->LangNames()->ToVector(), (std::vector<std::string>{"Russian", "English"}));
    // Padded at run time: dialog words get a text for each language.
    EXPECT_EQ(two.loc->GetStringsOfType(stDlgsCaptions)->Get(0), L("Warning|Warning||"));
}

TEST(LocLangSettersTest, AnEmptyNameListKeepsOneLanguage) {
    TTwoLanguages two;
    two.loc->SetLoading(true);
    two.loc->SetActiveLanguage(2);
    two.loc->SetLoading(false);
    ASSERT_EQ(two.loc->ActiveLanguage(), 2);
    TStringList none;
    two.loc->SetLangNames(&none);
    EXPECT_EQ(two.loc->NumOfLanguages(), 1);
    EXPECT_EQ(two.loc->ActiveLanguage(), 1);
    EXPECT_EQ(two.loc->LangNames()->ToVector(), std::vector<std::string>{"Language N1"});
    EXPECT_EQ(two.loc->Language(), "Language N1");
    two.loc->UpdateCharSets();
    EXPECT_EQ(two.loc->CurrentCharSet(), 1);
}

TEST(LocLangSettersTest, DelimiterOptionsAndDialogWords) {
    TTwoLanguages two;
    two.loc->GetStringsOfType(stHints)->Add(L("rb1|a|b|"));
    two.loc->SetLangDelim(2);
    EXPECT_EQ(two.loc->GetStringsOfType(stHints)->Get(0), "rb1\x02"
                                                          "a\x02"
                                                          "b\x02");
    two.loc->SetLangDelim(1);

    two.loc->SetNeedAllDlgs(true);
    TStrings* dialogs = two.loc->GetStringsOfType(stDlgsCaptions);
    ASSERT_EQ(dialogs->Count(), DialogWordCount);
    EXPECT_EQ(dialogs->Get(15), L("Open|&Open|"));
    EXPECT_EQ(dialogs->Get(85), L("Find|Find|"));
    two.loc->SetNeedAllDlgs(false);
    EXPECT_EQ(dialogs->Count(), BasicDialogWordCount);
    EXPECT_EQ(dialogs->Get(14), L("Help|&Help|"));

    two.loc->SetDefaultLanguage(2);
    EXPECT_EQ(two.loc->DefaultLanguage(), 2);
    two.loc->SetDefaultLanguage(0);
    two.loc->SetDefaultLanguage(3);
    EXPECT_EQ(two.loc->DefaultLanguage(), 2);
    two.loc->SetUseDefaultLanguage(true);
    EXPECT_EQ(two.loc->TextWithDefault(L("K||en|"), D, 1), "en");
    EXPECT_EQ(two.loc->TextWithDefault(L("K|ru||"), D, 2), "");

    two.loc->GetStringsOfType(stLocales)->Add(L("Date Separator|.|"));
    two.loc->SetChangeLocales(true);
    EXPECT_EQ(two.loc->GetStringsOfType(stLocales)->Count(), 1);
    two.loc->SetChangeLocales(false);
    two.loc->GetStringsOfType(stLocales)->Clear();
    two.loc->SetChangeLocales(true);
    ASSERT_EQ(two.loc->GetStringsOfType(stLocales)->Count(), LocaleItemCount);
    EXPECT_EQ(two.loc->GetStringsOfType(stLocales)->Get(2), L("Decimal Separator|,|"));
    EXPECT_EQ(GetField(two.loc->GetStringsOfType(stLocales)->Get(14), D, 0), "Long Day Names");
}

// Stored values that the mended rules keep across a write and a read.
TEST(LocLangSettersTest, StoredSettingsSurviveARoundTrip) {
    TTwoLanguages two;
    two.loc->SetDefaultLanguage(2);
    two.loc->ExcludedProperties()->Clear();
    const std::string text = ComponentToText(&two.form);
    EXPECT_NE(text.find("DefaultLanguage = 2"), std::string::npos);
    EXPECT_NE(text.find("ExcludedProperties.Strings = ()"), std::string::npos);

    TdlgConnect again(nullptr);
    ReadComponentDescription(text, &again);
    auto* loc = dynamic_cast<TLocLang*>(again.FindComponent("locLang1"));
    ASSERT_NE(loc, nullptr);
    EXPECT_EQ(loc->DefaultLanguage(), 2);
    EXPECT_EQ(loc->NumOfLanguages(), 2);
    EXPECT_EQ(loc->ExcludedProperties()->Count(), 0);
    EXPECT_EQ(ComponentToText(&again), text);

    // A stored default language beyond the languages read falls back to the first.
    std::string bad = text;
    bad.replace(bad.find("DefaultLanguage = 2"), 19, "DefaultLanguage = 5");
    TdlgConnect third(nullptr);
    ReadComponentDescription(bad, &third);
    EXPECT_EQ(dynamic_cast<TLocLang*>(third.FindComponent("locLang1"))->DefaultLanguage(), 1);
}

TEST(LocLangSettersTest, LoadingMigratesTabDelimitersAndCompletesLocales) {
    RegisterFixtureClasses();
    std::string block = "stCaptions\r\nTdlgConnect\tRu\tEn\t\r\nstLocales\r\n";
    const char* const items[] = {"Currency String",   "Thousand Separator", "Decimal Separator",
                                 "Date Separator",    "Short Date Format",  "Long Date Format",
                                 "Time Separator",    "Time AM String",     "Time PM String",
                                 "Short Time Format", "Long Time Format"};
    for (const char* item : items)
        block += std::string(item) + "\tx\ty\t\r\n";
    block += "stCharSets\r\n";
    std::string text = ConnectDialogText(block);
    text.replace(text.find("LangDelim = 1"), 13, "LangDelim = 9");
    TdlgConnect dialog(nullptr);
    ReadComponentDescription(text, &dialog);
    auto* loc = dynamic_cast<TLocLang*>(dialog.FindComponent("locLang1"));
    ASSERT_NE(loc, nullptr);
    EXPECT_EQ(loc->LangDelim(), 1);
    EXPECT_EQ(loc->GetStringsOfType(stCaptions)->Get(0), L("TdlgConnect|Ru|En|"));
    TStrings* locales = loc->GetStringsOfType(stLocales);
    ASSERT_EQ(locales->Count(), 15);
    EXPECT_EQ(locales->Get(0), L("Currency String|x|y|"));
    EXPECT_EQ(GetField(locales->Get(11), D, 0), "Short Month Names");
    EXPECT_EQ(CountDelimiters(locales->Get(14), "\x01"), 2);
    EXPECT_FALSE(GetField(locales->Get(12), D, 1).empty());
}

TEST(LocLangSettersTest, CharsetsComeFromTheFormsEntry) {
    TTwoLanguages two;
    TStrings* charSets = two.loc->GetStringsOfType(stCharSets);
    charSets->Add(L("TdlgConnect|DEFAULT_CHARSET|RUSSIAN_CHARSET|"));
    EXPECT_EQ(two.loc->LanguageCharSet(2), 204);
    EXPECT_EQ(two.loc->LanguageCharSet(1), 1);
    charSets->Put(0, L("TdlgConnect|EASTEUROPE_CHARSET|russian_charset|"));
    two.loc->UpdateCharSets();
    EXPECT_EQ(two.loc->LangCharSets(), (std::vector<uint8_t>{238, 1}));
    EXPECT_EQ(two.loc->CurrentCharSet(), 238);

    // Without an entry of its own a localiser takes the charsets of its charset source.
    TTestCaptioned otherForm(nullptr);
    TLocLang source(&otherForm);
    TStringList names{"A", "B"};
    source.SetLangNames(&names);
    source.GetStringsOfType(stCharSets)->Add(L("TTestCaptioned|GREEK_CHARSET|THAI_CHARSET|"));
    charSets->Clear();
    two.loc->SetCharSetSource(&source);
    EXPECT_EQ(two.loc->LanguageCharSet(2), 222);
}

TEST(LocLangSettersTest, Utf8StorageConvertsTextsBackAndForth) {
    TTwoLanguages two;
    const std::string ru = Utf8ToCp1251("Привет"), pl = "\xAF\xF3\xB3w"; // "Żółw" in 1250
    two.loc->GetStringsOfType(stCharSets)
        ->Add(L("TdlgConnect|RUSSIAN_CHARSET|EASTEUROPE_CHARSET|"));
    two.loc->GetStringsOfType(stFonts)->Add(L("TdlgConnect|") + ru + L("|x|"));
    two.loc->GetStringsOfType(stStrings)->Add(L("Greeting|") + ru + D + pl + D);
    const std::vector<std::string> before = two.loc->GetStringsOfType(stStrings)->ToVector();
    const std::vector<std::string> fonts = two.loc->GetStringsOfType(stFonts)->ToVector();

    two.loc->SetStoreAsUTF8(true);
    EXPECT_EQ(two.loc->GetStringsOfType(stStrings)->Get(0), L("Greeting|Привет|Żółw|"));
    EXPECT_EQ(two.loc->GetStringsOfType(stFonts)->ToVector(), fonts);
    EXPECT_EQ(two.loc->UserStringTable().TextByName("greeting", 2), pl);
    two.loc->SetStoreAsUTF8(false);
    EXPECT_EQ(two.loc->GetStringsOfType(stStrings)->ToVector(), before);
    EXPECT_EQ(two.loc->GetStringsOfType(stFonts)->ToVector(), fonts);
}

TEST(LocLangSettersTest, StringTablesFollowTheStringsList) {
    TTwoLanguages two;
    TStrings* strings = two.loc->GetStringsOfType(stStrings);
    strings->Add(L("b|zz|aa|"));
    strings->Add(L("a|yy|bb|"));
    two.loc->HandleResourceStrings = true;
    two.loc->RefreshStringCollections();
    EXPECT_EQ(two.loc->UserStringTable().TextByName("B", 2), "aa");
    EXPECT_EQ(two.loc->ResourceStringTable().TranslateText("zz", 2), "aa");
    two.loc->SetResourceLanguageIndex(2);
    EXPECT_EQ(two.loc->ResourceStringTable().Items(0)->StringName, "b");
    EXPECT_EQ(two.loc->ResourceStringTable().TranslateText("bb", 1), "yy");
}

TEST(LocLangSettersTest, DesignTimeRemovalAndRenamingOfComponents) {
    TTwoLanguages two;
    two.form.SetDesigning(true);
    auto* label = new TTestCaptioned(&two.form);
    label->SetName("Label1");
    auto* grid = new TTestCaptioned(&two.form);
    grid->SetName("Grid");
    TLocLang* loc = two.loc;
    loc->GetStringsOfType(stCaptions)->Add(L("TdlgConnect|Ru|En|"));
    loc->GetStringsOfType(stCaptions)->Add(L("Label1|a|b|"));
    loc->GetStringsOfType(stCaptions)->Add(L("Label10|a|b|"));
    loc->GetStringsOfType(stOtherStrings)->Add(L("Label1.Hint|a|b|"));
    loc->GetStringsOfType(stCollections)->Add(L("Grid.Columns[0].Title|a|b|"));
    loc->DoNotTranslate()->Add("Grid");
    loc->SmartExcludeProps()->Add("Label1.Caption");

    loc->RenameComponentEntries("Label1", "lbPort");
    EXPECT_EQ(loc->GetStringsOfType(stCaptions)->Get(1), L("lbPort|a|b|"));
    EXPECT_EQ(loc->GetStringsOfType(stCaptions)->Get(2), L("Label10|a|b|"));
    EXPECT_EQ(loc->GetStringsOfType(stOtherStrings)->Get(0), L("lbPort.Hint|a|b|"));
    EXPECT_EQ(loc->SmartExcludeProps()->Get(0), "lbPort.Caption");
    loc->RenameComponentEntries("dlgConnect", "dlgLink");
    EXPECT_EQ(loc->GetStringsOfType(stCaptions)->Get(0), L("TdlgLink|Ru|En|"));

    delete grid;
    EXPECT_EQ(loc->GetStringsOfType(stCollections)->Count(), 0);
    EXPECT_EQ(loc->DoNotTranslate()->Count(), 0);
    label->SetName("lbPort");
    delete label;
    EXPECT_EQ(loc->GetStringsOfType(stCaptions)->ToVector(),
              (std::vector<std::string>{L("TdlgLink|Ru|En|"), L("Label10|a|b|")}));
    EXPECT_EQ(loc->GetStringsOfType(stOtherStrings)->Count(), 0);
}
