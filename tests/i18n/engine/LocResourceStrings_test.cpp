// Resource strings redirected through the localiser that handles them: translated into the
// active language, by text or by a generated identifier, and untranslated again without it.

#include "EngineFixture.h"

#include "platform/rtl/ResStrings.h"

#include <gtest/gtest.h>

namespace {

// A localiser on a sample form that takes over the resource strings when loaded.
struct TRedirecting {
    explicit TRedirecting(std::initializer_list<const char*> strings) {
        sample.Entries(stStrings, strings);
        sample.loc->HandleResourceStrings = true;
        sample.loc->Loaded();
    }
    TSampleForm sample;
};

struct THookGuard {
    TResStringHook saved = ResStringHook();
    ~THookGuard() {
        SetResStringHook(saved);
        ResIdLimit = 0;
    }
};

} // namespace

TEST(LocResourceStringsTest, ResourceStringsComeBackInTheActiveLanguage) {
    THookGuard guard;
    RegisterResString(65100, "Порт занят");
    RegisterResString(65101, "Нет ответа");
    RegisterResString(65102, "Без перевода");
    RegisterResString(65135, "Ошибка связи");
    EXPECT_EQ(LoadStr(65100), "Порт занят");
    {
        TRedirecting r({"SBusy|Порт занят|Port busy|", "SNoAnswer|Нет ответа||",
                        "IDS_RES_65135|Ошибка|Link error|"});
        ASSERT_EQ(TLocCustomLang::ResStringLocaliser(), r.sample.loc);
        // The resource language is active: every text as stored.
        EXPECT_EQ(LoadStr(65100), "Порт занят");
        r.sample.loc->SetActiveLanguage(2);
        EXPECT_EQ(LoadStr(65100), "Port busy");
        EXPECT_EQ(FmtLoadStr(65100, {}), "Port busy");
        EXPECT_EQ(LoadStr(65101), "Нет ответа"); // an empty translation keeps the text
        EXPECT_EQ(LoadStr(65102), "Без перевода");
        // Identifiers up to the limit are first looked up by their generated name.
        EXPECT_EQ(LoadStr(65135), "Ошибка связи");
        ResIdLimit = 70000;
        EXPECT_EQ(LoadStr(65135), "Link error");
        EXPECT_EQ(LoadStr(65100), "Port busy");
        ResIdLimit = 0;
        // A second localiser that handles resource strings does not take them over.
        TRedirecting second({"SBusy|Порт занят|Occupied|"});
        EXPECT_EQ(TLocCustomLang::ResStringLocaliser(), r.sample.loc);
        EXPECT_EQ(LoadStr(65100), "Port busy");
        r.sample.loc->SetActiveLanguage(1);
        EXPECT_EQ(LoadStr(65100), "Порт занят");
        r.sample.loc->SetActiveLanguage(2);
    }
    // Once the localiser is gone, the texts are untranslated again.
    EXPECT_EQ(TLocCustomLang::ResStringLocaliser(), nullptr);
    EXPECT_EQ(LoadStr(65100), "Порт занят");
}
