// The delimited-field, word, search, escape and test-mode routines, one table per behaviour.

#include "i18n/text/LocLines.h"
#include "i18n/text/LocText.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/CodePage.h"

#include <gtest/gtest.h>

#include <random>

namespace {
const char D = '\x01';
std::string L(std::string s) { // '|' stands for the delimiter byte
    for (char& c : s)
        if (c == '|')
            c = D;
    return s;
}
} // namespace

TEST(LocTextTest, FieldsAreCountedFromTheKeyAndMissingOnesAreEmpty) {
    struct Case {
        const char* text;
        int index;
        const char* field;
    } cases[] = {
        {"K|a|b|", 0, "K"}, {"K|a|b|", 1, "a"},
        {"K|a|b|", 2, "b"}, {"K|a|b|", 3, ""},
        {"K|a|b|", 4, ""},  {"", 0, ""},
        {"", 2, ""},        {"|x|", 0, ""},
        {"|x|", 1, "x"},    {"K|a|tail", 2, "tail"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GetField(L(c.text), D, c.index), c.field) << c.text << " #" << c.index;
    // The wide form returns a field only when a delimiter closes it.
    EXPECT_EQ(GetWideField(u"x;y", u';', 0), u"x");
    EXPECT_EQ(GetWideField(u"x;y", u';', 1), u"");
    EXPECT_EQ(GetWideField(u"x;y;", u';', 1), u"y");
    EXPECT_EQ(CountDelimiters("a.b[c" + L("|"), L(".[|")), 3);
}

TEST(LocTextTest, ColumnsAreDeletedAndMovedKeepingTheKeyAndTrailingDelimiter) {
    EXPECT_EQ(DeleteColumn(L("key|a|b|c|"), 2, D), L("key|a|c|"));
    EXPECT_EQ(DeleteColumn(L("key|a|b|c|"), 0, D), L("key|a|b|c|"));
    EXPECT_EQ(DeleteColumn(L("key|a|b|c|"), 9, D), L("key|a|b|c|"));
    EXPECT_EQ(MoveColumn(L("key|a|b|c|"), 3, 1, D), L("key|c|a|b|"));
    EXPECT_EQ(MoveColumn(L("key|a|b|c|"), 1, 3, D), L("key|b|c|a|"));
    EXPECT_EQ(MoveColumn(L("key|a|b|c|"), 2, 2, D), L("key|a|b|c|"));
    EXPECT_EQ(MoveColumn(L("key|a|"), 1, 5, D), L("key|a|"));

    TStringList list{L("k1|a|b|"), L("k2|c|d|")};
    MoveColumnInList(list, 1, 2, D);
    DeleteColumnInList(list, 1, D);
    EXPECT_EQ(list.Get(0), L("k1|a|"));
    EXPECT_EQ(list.Get(1), L("k2|c|"));
}

TEST(LocTextTest, WordsSkipRunsOfDelimiters) {
    EXPECT_EQ(WordPosition(2, ";;a;;b", ";"), 6);
    EXPECT_EQ(WordPosition(1, ";;a;;b", ";"), 3);
    EXPECT_EQ(WordPosition(3, ";;a;;b", ";"), 0);
    EXPECT_EQ(ExtractWord(2, ";;a;;b", ";"), "b");
    EXPECT_EQ(ExtractWord(3, ";;a;;b", ";"), "");
    EXPECT_EQ(ExtractWord(4, L("Grid.Columns[2].Title|x|"), L(".[|")), "Title");
    EXPECT_EQ(ExtractWord(1, "", ";"), "");
}

TEST(LocTextTest, FindAndReplaceCompareBytesExactly) {
    EXPECT_EQ(FindText("lo", "hello"), 4);
    EXPECT_EQ(FindText("", "hello"), 1);
    EXPECT_EQ(FindText("", ""), 1);
    EXPECT_EQ(FindText("a", ""), 0);
    EXPECT_EQ(FindText("hello!", "hello"), 0);
    EXPECT_EQ(FindText("\xC0", "\xE0\xC0"), 2); // no case folding of Cyrillic bytes
    EXPECT_EQ(FindText("abcab", "abcaabcab"), 5);
    EXPECT_EQ(ReplaceText("aXbXc", "X", "", true), "abc");
    EXPECT_EQ(ReplaceText("aXbXc", "X", "", false), "abXc");
    EXPECT_EQ(ReplaceText("aaaa", "aa", "b", true), "bb");
    EXPECT_EQ(ReplaceText("abc", "", "-", true), "abc");
    EXPECT_EQ(ReplaceText("abc", "abc", "xyz", true), "xyz");
}

TEST(LocTextTest, LocaleComparisonsFoldCyrillicCase) {
    EXPECT_EQ(CompareTextLocale(Utf8ToCp1251("Метка"), Utf8ToCp1251("МЕТКА")), 0);
    EXPECT_NE(CompareStrLocale(Utf8ToCp1251("Метка"), Utf8ToCp1251("МЕТКА")), 0);
    EXPECT_LT(CompareTextLocale("abc", "ABD"), 0);
    EXPECT_LT(CompareTextLocale("ab", "abc"), 0);
    EXPECT_LT(CompareTextLocale(Utf8ToCp1251("е"), Utf8ToCp1251("Ё")), 0);
    EXPECT_LT(CompareTextLocale(Utf8ToCp1251("Ё"), Utf8ToCp1251("ж")), 0);
    // The byte-wise comparison orders Windows-1251 texts exactly as the platform's comparison
    // of their UTF-8 forms: every pair of bytes, and random texts of a few letters.
    auto sign = [](int v) { return (v > 0) - (v < 0); };
    for (int x = 0; x < 256; ++x)
        for (int y = 0; y < 256; ++y) {
            const std::string a(1, static_cast<char>(x)), b(1, static_cast<char>(y));
            ASSERT_EQ(sign(CompareTextLocale(a, b)),
                      sign(AnsiCompareText(Cp1251ToUtf8(a), Cp1251ToUtf8(b))))
                << x << " " << y;
        }
    std::mt19937 random(7);
    const std::string alphabet = Utf8ToCp1251("aAbBzZ09_-.ёЁеЕжЖяЯ ") + "\xA0\x98";
    for (int i = 0; i < 20000; ++i) {
        std::string a, b;
        for (size_t n = random() % 5; n > 0; --n)
            a += alphabet[random() % alphabet.size()];
        for (size_t n = random() % 5; n > 0; --n)
            b += alphabet[random() % alphabet.size()];
        ASSERT_EQ(sign(CompareTextLocale(a, b)),
                  sign(AnsiCompareText(Cp1251ToUtf8(a), Cp1251ToUtf8(b))))
            << a << " " << b;
    }
}

TEST(LocTextTest, EscapesDecodeToOneByte) {
    struct Case {
        std::string in, out;
    } cases[] = {
        {"\\x41", "A"},
        {"\\101", "A"},
        {"\\q", "\\q"},
        {"end\\", "end\\"},
        {"\\n\\r\\t", "\n\r\t"},
        {"\\a\\b\\f\\v", "\a\b\f\v"},
        {"\\\\\\\"\\'\\?", "\\\"'?"},
        {"\\x4g", "\x04g"},
        {"\\xg", "\\xg"},
        {"\\x414", "A4"},
        {"\\777", "\xFF"},
        {"\\1234", "S4"},
        {"\\0", std::string(1, '\0')},
        {"plain", "plain"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DecodeEscapes(c.in), c.out) << c.in;
}

TEST(LocTextTest, TestModeTransformsFlipCaseAndSpreadFillCharacters) {
    EXPECT_EQ(FlipCase("aBc1"), "AbC1");
    EXPECT_EQ(Cp1251ToUtf8(FlipCase(Utf8ToCp1251("ПрИвЕт ёЁ"))), "пРиВеТ Ёё");
    EXPECT_EQ(ExpandChars("abcd", '.', 50), "abc.d.");
    EXPECT_EQ(ExpandChars("abcd", '.', 100), "a.b.c.d.");
    EXPECT_EQ(ExpandChars("abcd", '.', 0), "abcd");
    EXPECT_EQ(ExpandChars("50%d", '.', 100), "50%d");
    EXPECT_EQ(ExpandChars("", '.', 100), "");
    EXPECT_EQ(ExpandChars("ab", '.', -300), "ab");
    // A percentage that overflows 32-bit arithmetic stays bounded.
    std::string big = ExpandChars(std::string(3000, 'x'), '.', 2000000000);
    EXPECT_EQ(big.size(), 3000u + MaxExpansion);
    EXPECT_EQ(big.back(), '.');
}

TEST(LocLinesTest, SplitJoinFindAndMergeEntries) {
    EXPECT_EQ(SplitFields(L("a|b||c"), L("|")), (std::vector<std::string>{"a", "b", "", "c"}));
    EXPECT_EQ(SplitFields(L("a|b|"), L("|")), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(SplitFields("a::b:c", "::"), (std::vector<std::string>{"a", "b:c"}));
    EXPECT_TRUE(SplitFields("", ",").empty());
    EXPECT_EQ(JoinFields({"a", "", "b"}, ",", false), "a,,b");
    EXPECT_EQ(JoinFields({"a", "", "b"}, ",", true), "a,b");

    TStringList list{L("Label1|X|Y|"), L(Utf8ToCp1251("Метка|a|"))};
    EXPECT_EQ(FindEntryByKey(list, L("label1|q|"), D), 0);
    EXPECT_EQ(FindEntryByKey(list, L(Utf8ToCp1251("МЕТКА|")), D), 1);
    EXPECT_EQ(FindEntryByKey(list, L("Label2|q|"), D), -1);
    EXPECT_EQ(MergeEntry(L("Label1|X|Y|"), L("label1||Z|W|"), D), L("Label1|X|Z|W|"));
    EXPECT_EQ(MergeEntry(L("K|A|B|"), L("K|C|"), D), L("K|C|B|"));
}
