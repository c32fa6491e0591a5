#include "spreadsheet/cells/SST.h"

#include "tests/support/ErrorMessage.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Strings : ::testing::Test {
    TXFonts fonts;
    TSST2 sst{fonts};
};

} // namespace

TEST_F(Strings, KeyLengthAndDataOffsetByOptions) {
    // Options, characters, runs, extended bytes -> key length, data offset.
    struct Case {
        std::u16string text;
        int runs;
        int ext;
        uint8_t options;
        int key;
        int offset;
    } cases[] = {
        {u"abcde", 0, 0, 0, 5, 11}, {u"ab\u0416de", 0, 0, 1, 10, 11},
        {u"abc", 0, 4, 4, 7, 16},   {u"\u0416", 0, 3, 5, 5, 16},
        {u"abc", 2, 0, 8, 19, 14},  {u"\u0416bc", 2, 0, 9, 22, 14},
        {u"abc", 1, 2, 12, 13, 20}, {u"\u0416", 1, 2, 13, 12, 20},
    };
    for (const Case& c : cases) {
        std::vector<TSSTRun> runs;
        for (int i = 0; i < c.runs; ++i)
            runs.push_back({static_cast<uint32_t>(i), 0});
        TSSTEntry* e = sst.AddString(c.text, runs, std::string(static_cast<size_t>(c.ext), 'x'));
        EXPECT_EQ(TSST2::Options(e), c.options) << c.key;
        EXPECT_EQ(sst.KeyLength(e), c.key) << int(c.options);
        EXPECT_EQ(sst.KeyOffset(e), c.offset) << int(c.options);
        EXPECT_EQ(sst.AsWideString(e), c.text);
    }
}

TEST_F(Strings, RunsAreWholeInTheKey) {
    // Two rich strings that differ only in their second run's font are two entries.
    TXFont bold;
    bold.SetStyle(1 << xfsBold);
    const int f = fonts.FindOrAddFont(bold)->Index;
    TSSTEntry* a = sst.AddString(u"abc", {{0, 0}, {1, 0}});
    TSSTEntry* b = sst.AddString(u"abc", {{0, 0}, {1, static_cast<uint32_t>(f)}});
    EXPECT_NE(a, b);
    EXPECT_EQ(sst.StringCount, 2);
    EXPECT_EQ(sst.Run(b, 1).Font, static_cast<uint32_t>(f));
    EXPECT_EQ(sst.Run(b, 1).Position, 1u);
    EXPECT_EQ(ErrorMessage([&] { sst.Run(b, 2); }), "FormatIndedx out of range");
    TSSTEntry* plain = sst.AddString(u"abc");
    EXPECT_EQ(ErrorMessage([&] { sst.Run(plain, 0); }), "String is not formatted");
    EXPECT_EQ(TSST2::GetRunCount(plain), 0);
}

TEST_F(Strings, EqualStringsShareAndWidthsDiffer) {
    TSSTEntry* a = sst.AddString(u"Name");
    EXPECT_EQ(sst.AddString(u"Name"), a);
    EXPECT_EQ(TSST2::RefCount(a), 2);
    EXPECT_EQ(sst.StringCount, 1);
    EXPECT_FALSE(sst.Release(a));
    EXPECT_EQ(sst.StringCount, 1);
    EXPECT_TRUE(sst.Release(a));
    EXPECT_EQ(sst.StringCount, 0);
    TSSTEntry* again = sst.AddString(u"Name");
    EXPECT_EQ(TSST2::RefCount(again), 1);
}

TEST_F(Strings, WideningEightBitCharacters) {
    TSSTEntry* e = sst.AddString(u"A\u00E9");
    EXPECT_EQ(TSST2::Options(e), 0);
    EXPECT_EQ(sst.AsWideString(e), u"A\u00E9");
}

TEST_F(Strings, ReleasingRichStringsReleasesTheirFonts) {
    TXFont italic;
    italic.SetStyle(1 << xfsItalic);
    TXFont* f = fonts.FindOrAddFont(italic);
    const uint32_t index = static_cast<uint32_t>(f->Index);
    TSSTEntry* e = sst.AddString(u"xy", {{0, 2}, {1, index}});
    EXPECT_EQ(f->UsageCount, 1);
    EXPECT_EQ(fonts.Fonts(2)->UsageCount, 0); // a default font is not counted
    EXPECT_TRUE(sst.Release(e));
    EXPECT_EQ(fonts.Count(), 5); // the italic font went; the default font stays
}

TEST_F(Strings, AFontInFrontOfAUsedOneStays) {
    TXFont a, b;
    a.SetStyle(1 << xfsBold);
    b.SetStyle(1 << xfsItalic);
    const uint32_t fa = static_cast<uint32_t>(fonts.FindOrAddFont(a)->Index);
    const uint32_t fb = static_cast<uint32_t>(fonts.FindOrAddFont(b)->Index);
    TSSTEntry* first = sst.AddString(u"one", {{0, fa}});
    TSSTEntry* second = sst.AddString(u"two", {{0, fb}});
    sst.Release(first);
    // Deleting the bold font would move the italic one, which the second string names.
    EXPECT_EQ(fonts.Count(), 7);
    EXPECT_EQ(fonts.Fonts(static_cast<int>(sst.Run(second, 0).Font))->Style(), 1 << xfsItalic);
}

TEST_F(Strings, AnUnknownTypeChangesNothing) {
    TSSTEntry* e = sst.AddString(u"abc");
    e[10] = 2; // no such type
    EXPECT_EQ(ErrorMessage([&] { sst.Release(e); }), "Unknown SST string type.");
    EXPECT_EQ(ErrorMessage([&] { sst.KeyOffset(e); }), "STT: Unhandled string type.");
    EXPECT_EQ(TSST2::RefCount(e), 1);
    EXPECT_EQ(sst.StringCount, 1);
    e[10] = 0;
}
