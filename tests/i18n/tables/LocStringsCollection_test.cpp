// The user and resource string tables: building, sorting, both look-ups and padding.

#include "i18n/tables/LocStringsCollection.h"
#include "i18n/text/LocText.h"
#include "platform/rtl/CodePage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace {

const char D = '\x01';
std::string L(std::string s) {
    std::replace(s.begin(), s.end(), '|', D);
    return s;
}

class THost : public TLocStringTableHost {
public:
    bool StoreAsUTF8() const override { return utf8; }
    uint8_t LanguageCharSet(int) override { return 204; }
    bool TestModeText(const std::string& text, std::string& distorted) override {
        if (!testMode)
            return false;
        distorted = FlipCase(text);
        return true;
    }
    bool utf8 = false, testMode = false;
};

} // namespace

TEST(LocStringsCollectionTest, LookUpByNameAndByText) {
    THost host;
    TLocStringsCollection user(nullptr, &host), resource(nullptr, &host);
    TStringList strings{L("Zeta|z1|z2|"), L("alpha|a1||"), L("Mid|m1|m2|"), L("one|")};
    BuildStringTable(user, strings, 2, D, 0);
    ASSERT_EQ(user.Count(), 4);
    EXPECT_EQ(user.Items(0)->StringName, "alpha");
    EXPECT_EQ(user.Items(3)->StringName, "Zeta");
    EXPECT_EQ(user.TextByName("ZETA", 2), "z2");
    EXPECT_EQ(user.TextByName("mid", 1), "m1");
    EXPECT_EQ(user.TextByName("one", 2), "");
    EXPECT_EQ(user.TextByName("none", 1), "");
    EXPECT_EQ(user.TextByName("alpha", 3), ""); // a language beyond the table
    EXPECT_EQ(user.IndexOfName("MID"), 1);

    BuildStringTable(resource, strings, 2, D, 1);
    EXPECT_EQ(resource.TranslateText("m1", 2), "m2");
    EXPECT_EQ(resource.TranslateText("unknown", 2), "unknown");
    EXPECT_EQ(resource.TranslateText("a1", 2), ""); // an empty translation, no test mode
    host.testMode = true;
    EXPECT_EQ(resource.TranslateText("a1", 2), "A1");
    EXPECT_EQ(resource.TranslateText("a1", 1), "a1");

    // Ordered by the language-2 texts after the sort column changes.
    resource.SetSortID(2);
    resource.Sort();
    std::vector<std::string> order;
    for (int i = 0; i < resource.Count(); ++i)
        order.push_back(resource.Items(i)->Text(2));
    EXPECT_EQ(order, (std::vector<std::string>{"", "", "m2", "z2"}));
}

TEST(LocStringsCollectionTest, OneItemTablesAndUtf8Storage) {
    THost host;
    host.utf8 = true;
    TLocStringsCollection table(nullptr, &host);
    TStringList strings{L("Greeting|Привет|Hello|")};
    BuildStringTable(table, strings, 2, D, 0);
    EXPECT_EQ(table.TextByName("greeting", 1), Utf8ToCp1251("Привет"));
    EXPECT_EQ(table.TextByName("Other", 1), "");
    EXPECT_EQ(table.TextByName("A", 1), "");
    TLocStringsCollection empty(nullptr, &host);
    EXPECT_EQ(empty.TextByName("x", 1), "");
    EXPECT_EQ(empty.TranslateText("x", 1), "x");
}

TEST(LocStringsCollectionTest, EveryNameOfARandomTableIsFound) {
    std::mt19937 rng(20261210);
    const std::string letters = Utf8ToCp1251("abcXYZ_01абвЖЁё");
    std::vector<std::string> names;
    TStringList strings;
    while (names.size() < 1000) {
        std::string name;
        for (int n = 1 + rng() % 8; n > 0; --n)
            name += letters[rng() % letters.size()];
        bool clash = std::any_of(names.begin(), names.end(), [&](const std::string& o) {
            return CompareTextLocale(o, name) == 0;
        });
        if (clash)
            continue;
        names.push_back(name);
        strings.Add(name + D + "t" + std::to_string(names.size()) + D);
    }
    TLocStringsCollection table;
    BuildStringTable(table, strings, 1, D, 0);
    for (size_t i = 0; i < names.size(); ++i)
        ASSERT_EQ(table.TextByName(names[i], 1), "t" + std::to_string(i + 1)) << i;
    BuildStringTable(table, strings, 1, D, 1);
    for (size_t i = 0; i < names.size(); ++i)
        ASSERT_EQ(table.TranslateText("t" + std::to_string(i + 1), 1), "t" + std::to_string(i + 1));
}

TEST(LocStringsCollectionTest, PaddingAddsMissingDelimitersOnly) {
    TStringList list{"bare", L("full|a|b|"), L("short|a|"), L("long|a|b|c|d|")};
    PadEntries(list, 2, D);
    EXPECT_EQ(list.Get(0), L("bare|||"));
    EXPECT_EQ(list.Get(1), L("full|a|b|"));
    EXPECT_EQ(list.Get(2), L("short|a||"));
    EXPECT_EQ(list.Get(3), L("long|a|b|c|d|"));
}
