// Reading and writing single entries: one text written into its language's column (also into a
// short entry), look-ups with their fallbacks and errors, and shared lists answered by another
// localiser of the same dispatcher.

#include "EngineFixture.h"

#include "i18n/lang/LocLangDispatcher.h"

#include <gtest/gtest.h>

TEST(LocEntriesTest, SetEntryTextWritesTheTextIntoItsOwnColumn) {
    struct Case {
        const char* line;
        int language;
        const char* result;
    } cases[] = {
        {"K|A|B|C|", 2, "K|A|X|C|"}, {"K|A|B|", 3, "K|A|B|X|"},
        {"K|A|", 4, "K|A|||X|"}, // two missing columns: padded, not written into column 3
        {"K", 2, "K||X|"},           {"k|A|", 1, "k|X|"}, // keys compare without regard to case
        {"Other|A|", 1, "Other|A|"}, {"K|A|", 0, "K|A|"}, // column 0 is the key: nothing is written
    };
    for (const Case& c : cases) {
        TSampleForm s;
        s.loc->SetNumOfLanguages(4);
        s.Entries(stOtherStrings, {c.line});
        s.loc->SetEntryText(s.loc->GetStringsOfType(stOtherStrings), "X", c.language, "K");
        EXPECT_EQ(s.Lines(stOtherStrings).at(0), c.result) << c.line << " @" << c.language;
    }
}

TEST(LocEntriesTest, LookupTextFallsBackAndReportsMissingIdentifiers) {
    TSampleForm s;
    s.Entries(stStrings, {"SHello|Привет|Hello|", "SOnlyFirst|Один||"});
    s.loc->RefreshStringCollections();
    s.loc->SetActiveLanguage(2);
    TStrings* strings = s.loc->GetStringsOfType(stStrings);
    EXPECT_EQ(s.loc->LookupText(strings, "shello", false), "Hello");
    EXPECT_EQ(s.loc->LookupText(strings, "SOnlyFirst", false), "");
    EXPECT_EQ(Cp1251ToUtf8(s.loc->LookupText(strings, "SOnlyFirst", true)), "Один");
    EXPECT_EQ(s.loc->LookupText(strings, "SMissing", true), "");
    s.loc->DoRaiseExceptions = true;
    try {
        s.loc->LookupText(strings, "SMissing", true);
        ADD_FAILURE() << "a missing identifier raised nothing";
    } catch (const ELanguageError& e) {
        EXPECT_EQ(e.Message(), "String identifier \"SMissing\" not found!");
    }
    // At run time a written text reaches the string table the look-ups read.
    s.loc->SetEntryText(strings, "Hi", 2, "SHello");
    EXPECT_EQ(s.loc->LookupText(strings, "SHello", false), "Hi");
    EXPECT_EQ(s.Lines(stStrings).at(0), "SHello|Привет|Hi|");
}

TEST(LocEntriesTest, SharedListsAreAnsweredByAnotherLocaliserWithoutEndlessAsking) {
    TSampleForm first, second;
    auto dispatcher = std::make_unique<TLocLangDispatcher>(nullptr);
    TStringList names{"Russian", "English"};
    dispatcher->SetLangNames(&names);
    for (TSampleForm* s : {&first, &second}) {
        s->loc->SetLangDispatcher(dispatcher.get());
        s->loc->SetOptions(TLocLangOptions{loUseExtCommonStrings});
    }
    first.Entries(stDlgsCaptions, {"OK|Хорошо|Fine one|"});
    second.Entries(stDlgsCaptions, {"OK|Да|Fine two|"});
    dispatcher->SetActiveLanguage(2);
    ASSERT_EQ(first.loc->ActiveLanguage(), 2);
    // Each asks the other, which answers from its own list.
    EXPECT_EQ(first.loc->LookupText(first.loc->GetStringsOfType(stDlgsCaptions), "OK", false),
              "Fine two");
    EXPECT_EQ(second.loc->GetTextAt(second.loc->GetStringsOfType(stDlgsCaptions), 0, false),
              "Fine one");
    // With no other localiser holding entries, the own list answers.
    second.Entries(stDlgsCaptions, {});
    EXPECT_EQ(first.loc->LookupText(first.loc->GetStringsOfType(stDlgsCaptions), "OK", false),
              "Fine one");
    for (TSampleForm* s : {&first, &second})
        s->loc->SetLangDispatcher(nullptr);
}
