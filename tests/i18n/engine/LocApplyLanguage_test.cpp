// Applying a language to a sample form: which text an entry gives, which entries are skipped,
// string lists updated in place, fonts, locale settings and collection items.

#include "EngineFixture.h"

#include "platform/graphics/Graphics.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/stdctrls/Label.h"
#include "platform/stdctrls/ListBox.h"
#include "platform/stdctrls/ListItems.h"
#include "platform/stdctrls/ListView.h"
#include "platform/stdctrls/Memo.h"

#include <gtest/gtest.h>

TEST(LocApplyLanguageTest, AnEntryGivesItsTextByTheLanguageRules) {
    const char* const onlyTwo[] = {"TfrmSample||Form two|", "Label1||Two|"};
    const char* const onlyOne[] = {"TfrmSample|Form one||", "Label1|One||"};
    struct Case {
        const char* name;
        const char* const* entries;
        std::function<void(TLocLang*)> setup;
        int language;
        const char* label;
        const char* form;
    } cases[] = {
        {"own column", onlyTwo, nullptr, 2, "Two", "Form two"},
        {"empty column, no change", onlyTwo, nullptr, 1, "Label", "Sample"},
        {"empty column, no change either way", onlyOne, nullptr, 2, "Label", "Sample"},
        {"empty column, language 1's text", onlyOne,
         [](TLocLang* l) { l->TranslateType = ttGetDefault; }, 2, "One", "Form one"},
        {"empty column, the default language's text", onlyTwo,
         [](TLocLang* l) {
             l->SetUseDefaultLanguage(true);
             l->SetDefaultLanguage(2);
         },
         1, "Two", "Form two"},
        {"component not translated", onlyTwo,
         [](TLocLang* l) { l->DoNotTranslate()->Add("Label1"); }, 2, "Label", "Form two"},
        {"owner's name does not keep the owner", onlyTwo,
         [](TLocLang* l) { l->DoNotTranslate()->Add("frmSample"); }, 2, "Two", "Form two"},
        {"owner not translated by class", onlyTwo,
         [](TLocLang* l) { l->DoNotTranslate()->Add("TfrmSample"); }, 2, "Two", "Sample"},
    };
    for (const Case& c : cases) {
        TSampleForm s;
        auto* label = s.Add<TLabel>("Label1");
        label->SetCaption("Label");
        s.Entries(stCaptions, {c.entries[0], c.entries[1]});
        if (c.setup)
            c.setup(s.loc);
        if (c.language == s.loc->ActiveLanguage())
            s.loc->ApplyLanguage();
        else
            s.loc->SetActiveLanguage(c.language);
        EXPECT_EQ(label->Caption(), c.label) << c.name;
        EXPECT_EQ(s.form->Caption(), c.form) << c.name;
    }
}

TEST(LocApplyLanguageTest, TheDefaultLanguageDoesNotReachTheOwnersFontName) {
    TSampleForm s;
    s.form->Font()->SetName("Arial");
    s.loc->SetUseDefaultLanguage(true);
    s.loc->SetDefaultLanguage(2);
    s.Entries(stFonts, {"TfrmSample||Tahoma|"});
    s.loc->ApplyLanguage();
    EXPECT_EQ(s.form->Font()->Name(), "Arial");
    s.loc->SetActiveLanguage(2);
    EXPECT_EQ(s.form->Font()->Name(), "Tahoma");
}

TEST(LocApplyLanguageTest, EntriesOfMissingComponentsMoveToTheHoldingList) {
    TSampleForm s;
    s.Add<TLabel>("Label1")->SetCaption("Label");
    s.Entries(stCaptions, {"TfrmSample|Form|Form|", "Gone|A|B|", "Label1|L1|L2|"});
    s.loc->SetActiveLanguage(2);
    EXPECT_EQ(s.Lines(stCaptions),
              (std::vector<std::string>{"TfrmSample|Form|Form|", "Label1|L1|L2|"}));
    ASSERT_TRUE(s.loc->HasHoldingList());
    EXPECT_EQ(s.loc->HoldingList().Get(0), Entry("Gone|A|B|"));
    EXPECT_EQ(CaptionOf(s.form.get(), "Label1"), "L2");
}

TEST(LocApplyLanguageTest, StringListsAreUpdatedInPlace) {
    TSampleForm s;
    auto* box = s.Add<TListBox>("ListBox1");
    box->Items()->SetText("one\r\ntwo\r\nthree\r\nfour\r\nfive");
    box->SetItemIndex(1);
    auto* memo = s.Add<TMemo>("Memo1");
    memo->Lines()->SetText("x\r\ny");
    ASSERT_TRUE(memo->WordWrap());
    auto* sorted = s.Add<TListBox>("Sorted1");
    sorted->SetSorted(true);
    sorted->Items()->SetText("b\r\nc");
    s.Entries(stMultiLines, {"ListBox1.Items|one,two,three,four,five|uno,\"dos tres\",cuatro|",
                             "Memo1.Lines|x,y|a,\"b c\"|", "Sorted1.Items|b,c|z,a|"});
    s.loc->SetActiveLanguage(2);
    EXPECT_EQ(box->Items()->ToVector(), (std::vector<std::string>{"uno", "dos tres", "cuatro"}));
    EXPECT_EQ(box->ItemIndex(), 1);
    EXPECT_EQ(memo->Lines()->ToVector(), (std::vector<std::string>{"a", "b c"}));
    EXPECT_TRUE(memo->WordWrap());
    EXPECT_TRUE(sorted->Sorted());
    EXPECT_EQ(sorted->Items()->ToVector(), (std::vector<std::string>{"a", "z"}));
}

TEST(LocApplyLanguageTest, FontsAndCharsetsSkipControlsThatUseTheirParentsFont) {
    TSampleForm s;
    auto* own = s.Add<TLabel>("Own");
    own->Font()->SetName("Arial");
    auto* inherits = s.Add<TLabel>("Inherits");
    ASSERT_TRUE(inherits->ParentFont());
    const std::string inheritedName = inherits->Font()->Name();
    s.Entries(stFonts, {"Own|Arial|Verdana|", "Inherits|Arial|Verdana|"});
    s.Entries(stCharSets, {"Own|DEFAULT_CHARSET|russian_charset|",
                           "Inherits|DEFAULT_CHARSET|RUSSIAN_CHARSET|"});
    s.loc->SetActiveLanguage(2);
    EXPECT_EQ(own->Font()->Name(), "Verdana");
    EXPECT_EQ(own->Font()->Charset(), RUSSIAN_CHARSET); // names of components ignore case
    EXPECT_EQ(inherits->Font()->Name(), inheritedName);
    EXPECT_EQ(inherits->Font()->Charset(), DEFAULT_CHARSET);
    EXPECT_TRUE(inherits->ParentFont());
}

TEST(LocApplyLanguageTest, LocaleEntriesSetTheFormatSettingsOnlyWhenAsked) {
    const TFormatSettings saved = FormatSettings();
    TSampleForm s;
    s.Entries(stLocales, {"Decimal Separator|.|,x|", "Long Month Names|Jan|Январь,Февраль|"});
    FormatSettings().DecimalSeparator = '.';
    s.loc->SetActiveLanguage(2);
    EXPECT_EQ(FormatSettings().DecimalSeparator, '.');
    s.loc->SetActiveLanguage(1);
    s.loc->SetChangeLocales(true);
    s.loc->SetActiveLanguage(2);
    EXPECT_EQ(FormatSettings().DecimalSeparator, ',');
    EXPECT_EQ(FormatSettings().LongMonthNames[1], "Февраль");
    EXPECT_EQ(FormatSettings().LongMonthNames[2], saved.LongMonthNames[2]);
    FormatSettings() = saved;
}

TEST(LocApplyLanguageTest, CollectionEntriesSetItemsAndSkipKeysThatNameNone) {
    TSampleForm s;
    auto* view = s.Add<TListView>("ListView1");
    for (const char* caption : {"Name", "Size", "Date"})
        view->Columns()->Add()->SetCaption(caption);
    s.Entries(stCollections,
              {"ListView1.Columns[0].Caption|Name|Имя|", "ListView1.Columns[5].Caption|X|Y|",
               "ListView1.Columns[x].Caption|X|Y|", "ListView1.Columns[2].Caption|Date||"});
    EXPECT_NO_THROW(s.loc->SetActiveLanguage(2));
    EXPECT_EQ(static_cast<TListColumn*>(view->Columns()->Items(0))->Caption(), "Имя");
    EXPECT_EQ(static_cast<TListColumn*>(view->Columns()->Items(2))->Caption(), "Date");
    // The item that does not exist went to the holding list; the key without a number stays.
    EXPECT_EQ(s.Lines(stCollections).size(), 3u);
    EXPECT_EQ(s.loc->HoldingList().Get(0), Entry("ListView1.Columns[5].Caption|X|Y|"));
}

TEST(LocApplyLanguageTest, AListSetterAppliesItsKindAloneUntilTheNextLanguageChange) {
    TSampleForm s;
    auto* label = s.Add<TLabel>("Label1");
    label->SetCaption("Label");
    label->SetHint("Hint");
    s.Entries(stCaptions, {"Label1|Label|Caption two|"});
    TStringList hints;
    hints.Add(Entry("Label1|Hint|Hint two|"));
    s.loc->SetLoading(true);
    s.loc->SetActiveLanguage(2);
    s.loc->SetLoading(false);
    s.loc->SetListOfType(stHints, &hints);
    EXPECT_EQ(label->Hint(), "Hint two");
    EXPECT_EQ(label->Caption(), "Label");
    s.loc->SetActiveLanguage(1);
    s.loc->SetActiveLanguage(2);
    EXPECT_EQ(label->Caption(), "Caption two");
}

TEST(LocApplyLanguageTest, TheTranslationHookSeesAndMayChangeEveryTextSet) {
    TSampleForm s;
    auto* label = s.Add<TLabel>("Label1");
    label->SetCaption("Label");
    auto* box = s.Add<TListBox>("ListBox1");
    box->Items()->SetText("one\r\ntwo");
    s.Entries(stCaptions, {"Label1|Метка|Mark|"});
    s.Entries(stMultiLines, {"ListBox1.Items|one,two|uno,dos|"});
    std::vector<std::string> seen;
    TranslationHook = [&](TObject* object, const TPropInfo* property, std::string& text) {
        seen.push_back(std::string(object == label ? "label " : "box ") +
                       (property ? "property " : "line ") + text);
        text = "<" + text + ">";
    };
    s.loc->SetActiveLanguage(2);
    TranslationHook = nullptr;
    EXPECT_EQ(seen,
              (std::vector<std::string>{"label property Mark", "box line uno", "box line dos"}));
    EXPECT_EQ(label->Caption(), "<Mark>");
    EXPECT_EQ(box->Items()->ToVector(), (std::vector<std::string>{"<uno>", "<dos>"}));
    // Without the hook the texts go in as stored (program text, Cyrillic included).
    s.loc->SetActiveLanguage(1);
    EXPECT_EQ(label->Caption(), "Метка");
}
