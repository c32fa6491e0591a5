#include "spreadsheet/core/FormulaValue.h"
#include "spreadsheet/core/XLSGlobals.h"
#include "spreadsheet/core/XLSUtils.h"

#include "tests/support/ErrorMessage.h"

#include <gtest/gtest.h>

#include <array>

TEST(XLSUtils, ErrorCodeTexts) {
    const std::pair<int, const char16_t*> cases[] = {
        {0x00, u"#NULL!"}, {0x07, u"#DIV/0!"}, {0x0F, u"#VALUE!"}, {0x17, u"#REF!"},
        {0x1D, u"#NAME?"}, {0x24, u"#NUM!"},   {0x2A, u"#N/A"},    {3, u"#???"}};
    for (const auto& [code, text] : cases)
        EXPECT_EQ(ErrorCodeText(code), text) << code;
}

TEST(XLSUtils, AreasAreNormalizedAndClipped) {
    MaxCol = 255;
    MaxRow = 65535;
    int c1 = 5, r1 = 9, c2 = 2, r2 = 3;
    NormalizeArea(c1, r1, c2, r2);
    EXPECT_EQ((std::array{c1, r1, c2, r2}), (std::array{2, 3, 5, 9}));

    c1 = -4, r1 = -1, c2 = 300, r2 = 70000;
    EXPECT_TRUE(ClipToSheet(c1, r1, c2, r2));
    EXPECT_EQ((std::array{c1, r1, c2, r2}), (std::array{0, 0, 255, 65535}));

    c1 = 256, r1 = 0, c2 = 300, r2 = 1;
    EXPECT_FALSE(ClipToSheet(c1, r1, c2, r2));
    EXPECT_EQ(c1, 256); // unchanged
    c1 = 0, r2 = -1;
    EXPECT_FALSE(ClipToSheet(c1, r1, c2, r2));
}

TEST(XLSUtils, Colours) {
    EXPECT_EQ(ClampColorIndex(64), 64);
    EXPECT_EQ(ClampColorIndex(10), 10);
    EXPECT_EQ(ClampColorIndex(65), 64);
    EXPECT_EQ(ClampColorIndex(0x10005), 0x10005); // only the low 16 bits count

    std::array<uint32_t, 64> palette{};
    palette[3] = 0xFFFFFF; // below 8: never chosen
    palette[20] = 0x00FF00;
    palette[30] = 0xFFFFFF;
    palette[40] = 0xFFFFFF;
    EXPECT_EQ(NearestPaletteColor(0xFFFFFF, palette), 30); // the first of equal ones
    EXPECT_EQ(NearestPaletteColor(0x10EE10, palette), 20);
    EXPECT_EQ(NearestPaletteColor(0x000001, palette), 8);
}

TEST(XLSUtils, UnitsAndSets) {
    EXPECT_DOUBLE_EQ(EMUToCm(360000), 1.0);
    EXPECT_EQ(CmToEMU(2.5), 900000);
    EXPECT_EQ(CmToEMU(-0.5), -180000);
    uint8_t set[32] = {};
    set[65 / 8] |= 1 << (65 % 8);
    EXPECT_TRUE(ByteInSet(65, set));
    EXPECT_FALSE(ByteInSet(66, set));
    EXPECT_FALSE(ByteInSet(65 + 256, set));
    EXPECT_FALSE(TempDirectory().empty());
}

TEST(XLSUtils, Texts) {
    EXPECT_EQ(ReplaceAllText(u"aaaa", u"aa", u"b"), u"bb");
    EXPECT_EQ(ReplaceAllText(u"xAx", u"a", u"b"), u"xAx"); // case-sensitive
    EXPECT_EQ(ReplaceAllText(u"abc", u"", u"z"), u"abc");
    EXPECT_EQ(CharPos('b', "abcb"), 2);
    EXPECT_EQ(CharPos('z', "abc"), -1);
    EXPECT_EQ(LastCharPos(u'b', u"abcb"), 4);
    EXPECT_EQ(LastCharPos(u'z', u"abc"), -1);
    EXPECT_EQ(UpperText(u"abc\u0436\u00e9"), u"ABC\u0416\u00c9");
}

TEST(XLSUtils, FlaggedTexts) {
    const std::string wide = WideToFlagged(u"A\u0416");
    EXPECT_EQ(wide, std::string("\x01"
                                "A\x00\x16\x04",
                                5));
    EXPECT_EQ(FlaggedToWide(wide, 2), u"A\u0416");
    EXPECT_EQ(FlaggedToWide(std::string("\x00"
                                        "ab",
                                        3),
                            2),
              u"ab");
    EXPECT_EQ(FlaggedToWide(std::string("\x00"
                                        "ab",
                                        3),
                            0),
              u"");
    EXPECT_EQ(FlaggedToWide(std::string("\x01"
                                        "A",
                                        2),
                            3),
              u""); // no whole code unit
    EXPECT_EQ(FlaggedAnsiToWide(""), u"");
    EXPECT_EQ(FlaggedAnsiToWide(std::string("\x00\xC0", 2)), u"\u0410"); // code page 1251
    EXPECT_EQ(FlaggedAnsiToWide(std::string("\x01"
                                            "A\x00"
                                            "B",
                                            4)),
              u"A");                                   // odd byte dropped
    EXPECT_EQ(FlaggedAnsiToWide("\xC0z"), u"\u0410z"); // no flag
}

TEST(FormulaValue, SettersKeepOtherFields) {
    TFormulaValue v;
    SetAreaValue(v, 1, 2, 3, 4);
    SetStringValue(v, u"x");
    EXPECT_EQ(v.Kind, fvString);
    EXPECT_EQ(v.Col2, 3);
    EXPECT_EQ(ValueText(v), u"x");
    SetRef3dValue(v, 5, 6, 7);
    EXPECT_EQ((std::array<int, 4>{v.Kind, v.Col1, v.Row1, v.Col2}),
              (std::array<int, 4>{fvRef3d, 5, 6, 7}));
    EXPECT_EQ(ValueText(v), u"");
}

TEST(FormulaValue, AreaCellCount) {
    TFormulaValue v;
    SetArea3dValue(v, 1, 1, 3, 10, 0);
    EXPECT_EQ(AreaCellCount(v), 30);
    SetAreaValue(v, 0, 0, 0, 0);
    EXPECT_EQ(AreaCellCount(v), 1);
    SetNumberValue(v, 5);
    EXPECT_EQ(AreaCellCount(v), 1);
}

TEST(FormulaValue, CompareValues) {
    TFormulaValue a, b;
    double diff = 99;
    SetBooleanValue(a, true);
    SetBooleanValue(b, true);
    EXPECT_TRUE(CompareValues(a, b, diff));
    EXPECT_EQ(diff, 0);
    SetBooleanValue(b, false);
    EXPECT_TRUE(CompareValues(a, b, diff));
    EXPECT_EQ(diff, 1);

    SetNumberValue(a, 5);
    SetNumberValue(b, 7.5);
    EXPECT_TRUE(CompareValues(a, b, diff));
    EXPECT_EQ(diff, -2.5);

    SetStringValue(a, u"abc");
    SetStringValue(b, u"ABC");
    EXPECT_TRUE(CompareValues(a, b, diff));
    EXPECT_EQ(diff, 0);
    SetStringValue(b, u"abd");
    EXPECT_TRUE(CompareValues(a, b, diff));
    EXPECT_LT(diff, 0);

    SetNumberValue(b, 1);
    diff = 99;
    EXPECT_FALSE(CompareValues(a, b, diff)); // string and number
    EXPECT_EQ(diff, 99);
    SetErrorValue(a, 3);
    SetErrorValue(b, 3);
    EXPECT_FALSE(CompareValues(a, b, diff));

    SetEmptyValue(a);
    SetEmptyValue(b);
    diff = 99;
    EXPECT_TRUE(CompareValues(a, b, diff));
    EXPECT_EQ(diff, 0); // set, not left behind

    SetRefValue(a, 0, 0);
    SetRefValue(b, 0, 0);
    EXPECT_EQ(ErrorMessage([&] { CompareValues(a, b, diff); }), "Illegal value in comparision");
}
