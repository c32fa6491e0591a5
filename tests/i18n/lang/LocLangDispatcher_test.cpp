// The language dispatcher: its language names and count, the links of its localisers, the
// veto of a language switch, and the texts of the translation test mode.

#include "LocLangFixture.h"

#include "i18n/lang/LocLang.h"
#include "i18n/lang/LocLangDispatcher.h"
#include "platform/classes/Streaming.h"
#include "platform/forms/Forms.h"
#include "platform/graphics/Bitmap.h"
#include "platform/rtl/CodePage.h"
#include "tests/support/ProjectFonts.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// Measuring the test mode's texts needs the application (fonts).
class DispatcherApplication : public ::testing::Environment {
public:
    void SetUp() override {
        UseProjectFontsOnly("i18n-lang-fonts");
        static int argc = 1;
        static char program[] = "test_i18n_lang";
        static char* argv[] = {program, nullptr};
        app_ = std::make_unique<TApplication>(argc, argv);
    }
    void TearDown() override { app_.reset(); }

private:
    std::unique_ptr<TApplication> app_;
};
[[maybe_unused]] ::testing::Environment* const kApplication =
    ::testing::AddGlobalTestEnvironment(new DispatcherApplication);

// Forms of one program, each with a localiser of two languages.
struct TForms {
    explicit TForms(int count) {
        RegisterFixtureClasses();
        dispatcher = std::make_unique<TLocLangDispatcher>(nullptr);
        for (int i = 0; i < count; ++i) {
            forms.push_back(std::make_unique<TdlgConnect>(nullptr));
            forms.back()->SetName("Form" + std::to_string(i + 1));
            localisers.push_back(new TLocLang(forms.back().get()));
        }
    }
    std::unique_ptr<TLocLangDispatcher> dispatcher;
    std::vector<std::unique_ptr<TdlgConnect>> forms;
    std::vector<TLocLang*> localisers;
};

// A dispatcher whose texts are measured by a rule of the test: every byte is 5 wide, the
// padding character `thin` is 0 wide.
class TMeasuredDispatcher : public TLocLangDispatcher {
public:
    explicit TMeasuredDispatcher(char thin) : TLocLangDispatcher(nullptr), thin_(thin) {}
    using TLocLangDispatcher::ExpandWidth;
    int measured = 0;

protected:
    int64_t MeasureTestText(const std::string& text) override {
        ++measured;
        int64_t width = 0;
        for (char c : text)
            width += c == thin_ ? 0 : 5;
        return width;
    }

private:
    char thin_;
};

} // namespace

TEST(LocLangDispatcherTest, TheNumberOfLanguagesNamesEachLanguage) {
    TLocLangDispatcher dispatcher(nullptr);
    EXPECT_EQ(dispatcher.LangNames()->ToVector(), std::vector<std::string>{"Language N1"});
    dispatcher.SetNumOfLanguages(3);
    EXPECT_EQ(dispatcher.LangNames()->ToVector(),
              (std::vector<std::string>{"Language N1", "Language N2", "Language N3"}));
    dispatcher.SetLanguage("language n3");
    EXPECT_EQ(dispatcher.ActiveLanguage(), 3);
    dispatcher.SetNumOfLanguages(2);
    EXPECT_EQ(dispatcher.LangNames()->ToVector(),
              (std::vector<std::string>{"Language N1", "Language N2"}));
    // The active language stays among the languages.
    EXPECT_EQ(dispatcher.ActiveLanguage(), 2);
    EXPECT_EQ(dispatcher.Language(), "Language N2");
    EXPECT_THROW(dispatcher.SetNumOfLanguages(0), ELanguageError);
    EXPECT_EQ(dispatcher.NumOfLanguages(), 2);
}

TEST(LocLangDispatcherTest, LanguageNamesAreCheckedUnlessThereAreNone) {
    TLocLangDispatcher dispatcher(nullptr);
    try {
        dispatcher.SetLanguage("Klingon");
        ADD_FAILURE() << "nothing raised";
    } catch (const ELanguageError& e) {
        EXPECT_EQ(e.Message(), "Language name shall be included in LangNames property!");
    }
    dispatcher.LangNames()->Clear();
    dispatcher.SetLanguage("Klingon");
    EXPECT_EQ(dispatcher.Language(), "Klingon");
    // An active language outside the languages is refused before anyone is asked.
    int asked = 0;
    dispatcher.OnLanguageChanging = [&](TObject*, int, bool&) { ++asked; };
    EXPECT_THROW(dispatcher.SetActiveLanguage(5), ELanguageError);
    EXPECT_EQ(asked, 0);
    EXPECT_EQ(dispatcher.ActiveLanguage(), 1);
}

TEST(LocLangDispatcherTest, LinkedLocalisersTakeTheDispatchersLanguages) {
    TForms f(2);
    TStringList names{"Russian", "English", "German"};
    f.dispatcher->SetLangNames(&names);
    f.dispatcher->SetDefaultLanguage(2);
    for (TLocLang* loc : f.localisers)
        loc->SetLangDispatcher(f.dispatcher.get());
    f.dispatcher->LinkLocaliser(f.localisers[0]); // a second link changes nothing
    ASSERT_EQ(f.dispatcher->Localisers().size(), 2u);
    for (TLocLang* loc : f.localisers) {
        EXPECT_EQ(loc->NumOfLanguages(), 3);
        EXPECT_EQ(loc->LangNames()->ToVector(), names.ToVector());
        EXPECT_EQ(loc->Language(), "Russian");
    }
    f.dispatcher->SetUseDefaultLanguage(true);
    f.dispatcher->SetDefaultLanguage(3);
    f.dispatcher->SetDefaultLanguage(7); // outside the languages: ignored
    EXPECT_TRUE(f.localisers[1]->UseDefaultLanguage());
    EXPECT_EQ(f.localisers[1]->DefaultLanguage(), 3);
    EXPECT_EQ(f.dispatcher->DefaultLanguage(), 3);

    // A form that goes takes its localiser out of the list; the dispatcher going leaves the
    // others without a dispatcher.
    f.forms[0].reset();
    EXPECT_EQ(f.dispatcher->Localisers(), std::vector<TLocCustomLang*>{f.localisers[1]});
    f.dispatcher.reset();
    EXPECT_EQ(f.localisers[1]->LangDispatcher(), nullptr);
}

TEST(LocLangDispatcherTest, AVetoFromAnyLocaliserLeavesEveryLanguageAsItWas) {
    TForms f(3);
    f.dispatcher->SetNumOfLanguages(2);
    for (TLocLang* loc : f.localisers)
        loc->SetLangDispatcher(f.dispatcher.get());
    std::vector<int> asked(3, 0);
    for (int i = 0; i < 3; ++i)
        f.localisers[static_cast<size_t>(i)]->OnLanguageChanging = [&, i](TObject* sender, int v,
                                                                          bool& allow) {
            EXPECT_EQ(sender, f.localisers[static_cast<size_t>(i)]);
            EXPECT_EQ(v, 2);
            ++asked[static_cast<size_t>(i)];
            allow = i != 1;
        };
    int changed = 0, dispatcherAsked = 0;
    f.dispatcher->OnLanguageChanging = [&](TObject*, int, bool&) { ++dispatcherAsked; };
    f.dispatcher->OnLanguageChanged = [&](TObject*) { ++changed; };
    f.dispatcher->SetActiveLanguage(2);
    EXPECT_EQ(asked, (std::vector<int>{1, 1, 0}));
    EXPECT_EQ(dispatcherAsked, 1);
    EXPECT_EQ(changed, 0);
    EXPECT_EQ(f.dispatcher->ActiveLanguage(), 1);
    for (TLocLang* loc : f.localisers)
        EXPECT_EQ(loc->ActiveLanguage(), 1);

    // The dispatcher's own handler refuses before any localiser is asked.
    f.dispatcher->OnLanguageChanging = [](TObject*, int, bool& allow) { allow = false; };
    f.dispatcher->SetActiveLanguage(2);
    EXPECT_EQ(asked, (std::vector<int>{1, 1, 0}));
    // Switching to the language in use asks nobody.
    f.dispatcher->SetActiveLanguage(1);
    EXPECT_EQ(asked, (std::vector<int>{1, 1, 0}));
    EXPECT_EQ(changed, 0);
}

TEST(LocLangDispatcherTest, TestModeDistortsTextsOnlyWhenActive) {
    TLocLangDispatcher dispatcher(nullptr);
    std::string out;
    EXPECT_FALSE(dispatcher.TestModeText("abc", out));
    dispatcher.TestModeInfo()->Active = true;
    dispatcher.TestModeInfo()->Kind = tmkFlipCase;
    EXPECT_TRUE(dispatcher.TestModeText(Utf8ToCp1251("Abc Жд"), out));
    EXPECT_EQ(Cp1251ToUtf8(out), "aBC жД");
    dispatcher.TestModeInfo()->Kind = tmkExpandChars;
    dispatcher.TestModeInfo()->PaddingChar = '#';
    EXPECT_TRUE(dispatcher.TestModeText("ab", out));
    EXPECT_EQ(out, "a#b#");
    EXPECT_EQ(dispatcher.TestModeLanguage1Text("Key\x01xy\x01", '\x01'), "x#y#");
    EXPECT_EQ(dispatcher.TestModeLanguage1Text("Key\x01\x01", '\x01'), "");
}

TEST(LocLangDispatcherTest, ExpandWidthFillsTheCapitalisedTextToTheWidthAsked) {
    struct Case {
        const char* text;
        int percent;
        const char* expected;
    } cases[] = {
        {"abcd", 100, "A**BC**D"}, // before the last, two further left, then near the end
        {"abcd", 50, "A*BC*D"},    {"a", 300, "***A"}, {"abc", 0, "ABC"}, {"abc", -50, "ABC"},
    };
    for (const Case& c : cases) {
        TMeasuredDispatcher dispatcher('\0');
        dispatcher.TestModeInfo()->ExpandWidthPercent = c.percent;
        EXPECT_EQ(dispatcher.ExpandWidth(c.text), c.expected) << c.text << " " << c.percent;
    }
}

TEST(LocLangDispatcherTest, ExpandWidthEndsWhenThePaddingDrawsNothing) {
    TMeasuredDispatcher dispatcher('\0');
    dispatcher.TestModeInfo()->PaddingChar = '\0';
    const std::string out = dispatcher.ExpandWidth("abc");
    EXPECT_EQ(out, std::string("AB\0C", 4));
    EXPECT_LE(dispatcher.measured, 3);
    // A huge percentage is cut short, and W + W * percent / 100 does not overflow.
    TMeasuredDispatcher wide('\0');
    wide.TestModeInfo()->ExpandWidthPercent = 2000000000;
    EXPECT_EQ(wide.ExpandWidth("abc").size(), 3u + static_cast<size_t>(MaxTestModeFill));
}

TEST(LocLangDispatcherTest, ExpandWidthMeasuresWithTheScreenFont) {
    TLocLangDispatcher dispatcher(nullptr);
    dispatcher.TestModeInfo()->Active = true;
    std::string out;
    const std::string text = Utf8ToCp1251("Отмена");
    ASSERT_TRUE(dispatcher.TestModeText(text, out));
    std::string letters = out;
    std::erase(letters, '*');
    EXPECT_EQ(Cp1251ToUtf8(letters), "ОТМЕНА") << Cp1251ToUtf8(out);
    EXPECT_NE(out.find('*'), std::string::npos);
    TBitmap bitmap;
    bitmap.SetSize(1, 1);
    bitmap.Canvas()->Font()->SetName("Tahoma");
    bitmap.Canvas()->Font()->SetSize(8);
    const int before = bitmap.Canvas()->TextWidth(Cp1251ToUtf8(text));
    EXPECT_GT(before, 0);
    EXPECT_GE(bitmap.Canvas()->TextWidth(Cp1251ToUtf8(out)), 2 * before);
}

TEST(LocLangDispatcherTest, ADispatcherRoundTripsThroughItsDescription) {
    RegisterFixtureClasses();
    TLocLangDispatcher dispatcher(nullptr);
    dispatcher.SetName("Dispatcher1");
    TStringList names{"Russian", "English", "German"};
    dispatcher.SetLangNames(&names);
    dispatcher.SetActiveLanguage(3);
    dispatcher.SetFileName("shared.ini");
    dispatcher.TestModeInfo()->Active = true;
    dispatcher.TestModeInfo()->Kind = tmkFlipCase;
    dispatcher.TestModeInfo()->PaddingChar = '#';
    const std::string text = ComponentToText(&dispatcher);
    // The active language is stored before the number of languages it needs.
    EXPECT_LT(text.find("ActiveLanguage = 3"), text.find("NumOfLanguages = 3")) << text;

    TLocLangDispatcher copy(nullptr);
    ReadComponentDescription(text, &copy);
    EXPECT_EQ(copy.ActiveLanguage(), 3);
    EXPECT_EQ(copy.NumOfLanguages(), 3);
    EXPECT_EQ(copy.LangNames()->ToVector(), names.ToVector());
    EXPECT_EQ(copy.Language(), "German");
    EXPECT_EQ(copy.FileName(), "shared.ini");
    EXPECT_TRUE(copy.TestModeInfo()->Active);
    EXPECT_EQ(copy.TestModeInfo()->Kind, tmkFlipCase);
    EXPECT_EQ(copy.TestModeInfo()->PaddingChar, '#');
    EXPECT_EQ(ComponentToText(&copy), text);
}
