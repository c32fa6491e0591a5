#include "spreadsheet/formats/XFont.h"

#include "platform/graphics/Graphics.h"
#include "spreadsheet/core/XLSPalette.h"

#include <gtest/gtest.h>

TEST(XFonts, StartWithFiveDefaultFonts) {
    TXFonts fonts;
    ASSERT_EQ(fonts.Count(), 5);
    EXPECT_EQ(fonts.DefaultCount, 5);
    for (int i = 0; i < 5; ++i) {
        const TXFont& f = *fonts.Fonts(i);
        EXPECT_EQ(f.Name, u"Arial");
        EXPECT_EQ(f.SizePoints(), 10);
        EXPECT_EQ(f.Size20(), 200);
        EXPECT_EQ(f.Color(), xcBlack);
        EXPECT_EQ(f.Family(), 2);
        EXPECT_EQ(f.Charset(), 0);
        EXPECT_EQ(f.Style(), 0);
        EXPECT_EQ(f.Underline(), xulNone);
        EXPECT_EQ(f.Index, i);
    }
    fonts.Clear();
    EXPECT_EQ(fonts.Count(), 0);
    EXPECT_EQ(fonts.DefaultCount, 0);
}

TEST(XFonts, LookupIgnoresNameCaseAndChartFontsButEqualityDoesNot) {
    TXFonts fonts;
    TXFont wanted;
    wanted.Name = u"ARIAL";
    EXPECT_EQ(fonts.FindFont(wanted), 0);
    EXPECT_FALSE(wanted.IsEqual(fonts.Fonts(0)));
    wanted.Name = u"Arial";
    EXPECT_TRUE(wanted.IsEqual(fonts.Fonts(0)));

    wanted.SetStyle(1 << xfsBold);
    EXPECT_EQ(fonts.FindFont(wanted), -1);
    TXFont* bold = fonts.FindOrAddFont(wanted);
    EXPECT_EQ(bold->Index, 5);
    EXPECT_EQ(fonts.FindOrAddFont(wanted), bold);
    bold->ChartFont = true;
    EXPECT_EQ(fonts.FindFont(wanted), -1); // a chart font never matches
}

TEST(XFont, HashFollowsEveryAttributeAndTheName) {
    TXFont a, b;
    EXPECT_EQ(a.HashValue(), b.HashValue());
    EXPECT_EQ(a.Hash(), a.HashValue());
    b.SetUnderline(xulDouble); // the last byte of the block counts
    EXPECT_NE(a.HashValue(), b.HashValue());
    TXFont c;
    c.Name = u"Arian";
    EXPECT_NE(a.HashValue(), c.HashValue());
}

TEST(XFont, SizesColoursAndThePlatformFont) {
    TXFont f;
    f.SetSizePoints(0);
    f.SetSizePoints(-3);
    EXPECT_EQ(f.Size20(), 200);
    f.SetSize20(250);
    EXPECT_EQ(f.SizePoints(), 12);

    ResetExcelPalette();
    f.SetColorRGB(0x0000FF);
    EXPECT_EQ(f.Color(), xcRed); // 10, the first pure red
    EXPECT_EQ(f.GetColorRGB(), 0x0000FFu);

    TFont target;
    f.Name = u"Courier New";
    f.SetStyle((1 << xfsBold) | (1 << xfsStrikeOut));
    f.SetUnderline(xulSingleAccount);
    f.SetCharset(204);
    f.CopyToFont(target);
    EXPECT_EQ(target.Name(), "Courier New");
    EXPECT_EQ(target.Size(), 12);
    EXPECT_EQ(target.Charset(), 204);
    EXPECT_EQ(target.Style(), TFontStyles({fsBold, fsStrikeOut, fsUnderline}));
    EXPECT_EQ(target.Color(), 0x0000FF);
    f.SetColor(xcAutomatic);
    f.CopyToFont(target);
    EXPECT_EQ(target.Color(), 0); // black, not the automatic marker
}

TEST(XFonts, DeletingMovesTheLaterIndexesDown) {
    TXFonts fonts;
    fonts.AddFont();
    fonts.AddFont();
    fonts.AddFont();
    ASSERT_EQ(fonts.Count(), 8);
    TXFont* last = fonts.Fonts(7);
    fonts.DeleteFont(6);
    EXPECT_EQ(fonts.Count(), 7);
    EXPECT_EQ(last->Index, 6);
    EXPECT_EQ(fonts.Fonts(6), last);
}

TEST(XFonts, AssignKeepsTheListPlace) {
    TXFont a, b;
    b.Name = u"Tahoma";
    b.Index = 9;
    b.UsageCount = 3;
    a.Index = 2;
    a.Assign(b);
    EXPECT_EQ(a.Name, u"Tahoma");
    EXPECT_EQ(a.Index, 2);
    EXPECT_EQ(a.UsageCount, 0);
}
