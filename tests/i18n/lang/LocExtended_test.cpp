// Extended translations: identifiers resolved to published properties, values applied by type,
// and design-time collection.

#include "LocLangFixture.h"

#include "i18n/lang/LocExtendedItems.h"
#include "i18n/lang/LocLang.h"
#include "platform/rtl/CodePage.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

std::string L(std::string s) {
    std::replace(s.begin(), s.end(), '|', '\x01');
    return s;
}

struct TExtendedFixture {
    TExtendedFixture() {
        RegisterFixtureClasses();
        form.SetName("dlgConnect");
        loc = new TLocLang(&form);
        TStringList names{"Russian", "English"};
        loc->SetLangNames(&names);
        button = new TTestCaptioned(&form);
        button->SetName("OKBtn");
    }
    TLocExtendedItem* Item(const std::string& identifier, const std::string& values) {
        TLocExtendedItem* item = loc->ExtendedTranslations()->Add();
        item->IdentifierText = identifier;
        item->Values = L(values);
        return item;
    }
    void Activate(int language) {
        loc->SetLoading(true);
        loc->SetActiveLanguage(language);
        loc->SetLoading(false);
    }
    TdlgConnect form{nullptr};
    TLocLang* loc = nullptr;
    TTestCaptioned* button = nullptr;
};

} // namespace

TEST(LocExtendedTest, ValuesAreAppliedByPropertyType) {
    TExtendedFixture f;
    f.Item("TdlgConnect.Caption", Utf8ToCp1251("Связь|Link|"));
    f.Item("OKBtn.Count", "12|abc|");
    f.Item("OKBtn.Tag64", "5000000000|-5000000000|");
    f.Item("OKBtn.Lines", "a,b,c|x|");
    f.Item("Missing.Caption", "m|m|");
    f.button->Lines.SetText("1\r\n2\r\n3\r\n4\r\n5\r\n");

    f.loc->ApplyExtendedTranslations();
    EXPECT_EQ(f.form.Caption, "Связь");
    EXPECT_EQ(f.button->Count, 12);
    EXPECT_EQ(f.button->Tag64, 5000000000);
    EXPECT_EQ(f.button->Lines.ToVector(), (std::vector<std::string>{"a", "b", "c"}));

    f.Activate(2);
    f.loc->ApplyExtendedTranslations();
    EXPECT_EQ(f.form.Caption, "Link");
    EXPECT_EQ(f.button->Count, 12); // "abc" is no integer: the property stays
    EXPECT_EQ(f.button->Tag64, -5000000000);
    EXPECT_EQ(f.button->Lines.ToVector(), std::vector<std::string>{"x"});

    EXPECT_EQ(f.loc->ExtendedPropertyKind("OKBtn.Lines"), tkClass);
    EXPECT_EQ(f.loc->ExtendedPropertyKind("OKBtn.Tag64"), tkInt64);
    EXPECT_EQ(f.loc->ExtendedPropertyKind("Missing.Caption"), tkUnknown);
    EXPECT_EQ(f.loc->ReadPropertyText("OKBtn.Tag64"), "-5000000000");
    EXPECT_EQ(f.loc->ReadPropertyText("TdlgConnect.Caption"), "Link");
    EXPECT_TRUE(f.loc->ExtendedTranslations()->Items(0)->IsRoot());
    EXPECT_EQ(f.loc->ExtendedTranslations()->FindByIdentifier("okbtn.count"),
              f.loc->ExtendedTranslations()->Items(1));
}

TEST(LocExtendedTest, EmptyTextsFallBackToTheDefaultLanguage) {
    TExtendedFixture f;
    f.Item("OKBtn.Caption", "OK||");
    f.Item("OKBtn.Hint", "hint||");
    f.Activate(2);
    f.button->Caption = "before";
    f.loc->ApplyExtendedTranslations();
    EXPECT_EQ(f.button->Caption, "before");
    f.loc->SetUseDefaultLanguage(true);
    f.loc->ApplyExtendedTranslations();
    EXPECT_EQ(f.button->Caption, "OK");
    f.loc->SetUseDefaultLanguage(false);
    f.loc->TranslateType = ttGetDefault;
    f.loc->ApplyExtendedTranslations();
    EXPECT_EQ(f.button->Hint, "hint");
    EXPECT_EQ(f.loc->BuildLanguageValues("t", 2), L("|t|"));
}

TEST(LocExtendedTest, DesignTimeCollectionKeepsValuesInStepWithTheForm) {
    TExtendedFixture f;
    f.form.SetDesigning(true);
    auto* gone = new TTestCaptioned(&f.form);
    gone->SetName("Gone");
    f.Item("OKBtn.Caption", "old|en|");
    f.Item("Gone.Caption", "g|g|");
    f.Item("Ghost.Caption", "h|h|");
    f.button->Caption = "new";
    f.loc->CollectExtendedTranslations();
    ASSERT_EQ(f.loc->ExtendedTranslations()->Count(), 2);
    EXPECT_EQ(f.loc->ExtendedTranslations()->Items(0)->Values, L("new|en|"));

    delete gone; // its items go with it
    ASSERT_EQ(f.loc->ExtendedTranslations()->Count(), 1);
    f.loc->RenameComponentEntries("OKBtn", "btnOK");
    EXPECT_EQ(f.loc->ExtendedTranslations()->Items(0)->IdentifierText, "btnOK.Caption");
    f.loc->SetLangDelim(2);
    EXPECT_EQ(f.loc->ExtendedTranslations()->Items(0)->Values, "new\x02"
                                                               "en\x02");
}
