#include "spreadsheet/formats/CellFormats.h"

#include "spreadsheet/core/XLSPalette.h"
#include "tests/support/ErrorMessage.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Formats : ::testing::Test {
    TXFonts fonts;
    TCellFormats formats{fonts, true};

    // A copy of an entry with one attribute changed, shared into the list.
    template <class F> TCellFormat* Change(TCellFormat* current, F apply) {
        TCellFormat scratch(&formats);
        scratch.Assign(*current);
        apply(scratch);
        return formats.Share(current, scratch);
    }
};

} // namespace

TEST_F(Formats, MasterListDefaults) {
    ASSERT_EQ(formats.Count(), 22);
    EXPECT_EQ(formats.DefaultCount, 22);
    EXPECT_EQ(formats.NumberFormats().Count(), 59);
    EXPECT_EQ(formats.NumberFormats().CurrentId, 58);
    ASSERT_EQ(formats.Fills().Count(), 2);
    EXPECT_EQ(formats.Fills().Items(0)->Pattern, efpNone);
    EXPECT_EQ(formats.Fills().Items(1)->Pattern, efpGray125);
    EXPECT_EQ(formats.Borders().Count(), 1);

    const TCellFormat& e15 = *formats.Formats(15);
    EXPECT_EQ(e15.Word(4), 0x0001);
    EXPECT_EQ(formats.Formats(0)->Word(4), 0xFFF5);
    EXPECT_EQ(formats.Formats(3)->FontIndex(), 2);
    EXPECT_EQ(formats.Formats(3)->Word(8), 0xF400);
    EXPECT_EQ(formats.Formats(20)->GetNumberFormatIndex(), 9);
    for (int id : {42, 43, 44, 45, 9})
        EXPECT_EQ(formats.NumberFormats().FormatById(id)->UsageCount, 1) << id;
    EXPECT_EQ(formats.NumberFormats().FormatById(41)->UsageCount, -1);
    EXPECT_EQ(formats.NumberFormats().FormatById(13)->Value, u"# ?\?/??");
    EXPECT_EQ(formats.NumberFormats().FormatById(30)->Value, u"");

    // Entry 21 holds the constructor defaults, byte for byte.
    const TCellFormat::TData fresh = {0, 0, 0,    0,    0x01, 0,    0x20, 0, 0,    0,
                                      0, 0, 0x40, 0x20, 0x40, 0x20, 0x10, 0, 0xC0, 0x20};
    EXPECT_EQ(formats.Formats(21)->Data(), fresh);
    for (int i = 0; i < 22; ++i)
        EXPECT_EQ(formats.Formats(i)->Index, i);

    EXPECT_EQ(ErrorMessage([&] { formats.AddDefaultFormats(); }),
              "Add default formats when not empty.");
    TCellFormats plain(fonts, false);
    EXPECT_EQ(plain.Count(), 0);
    EXPECT_EQ(plain.NumberFormats().Count(), 0);
}

TEST_F(Formats, RotationEncoding) {
    struct Case {
        int16_t set;
        uint8_t stored;
        int16_t read;
    } cases[] = {{-45, 135, -45}, {200, 90, 90},   {300, 255, 255}, {255, 255, 255}, {0, 0, 0},
                 {90, 90, 90},    {-90, 180, -90}, {-91, 180, -90}, {45, 45, 45}};
    TCellFormat f(&formats);
    for (const Case& c : cases) {
        f.SetRotation(c.set);
        EXPECT_EQ(f.Data()[7], c.stored) << c.set;
        EXPECT_EQ(f.GetRotation(), c.read) << c.set;
    }
}

TEST_F(Formats, FieldsStayInTheirBits) {
    TCellFormat f(&formats);
    f.SetBorderLeftColor(0x7F);
    f.SetBorderRightColor(10);
    f.SetBorderDiagLines(cdlUp);
    EXPECT_EQ(f.Word(12), 0x7F | 10 << 7 | 0x8000);
    f.SetBorderTopColor(1);
    f.SetBorderBottomColor(2);
    f.SetBorderDiagColor(3);
    f.SetBorderDiagStyle(cbsDouble);
    f.SetFillPattern(efpGray0625);
    const uint32_t long14 = f.Data()[14] | f.Data()[15] << 8 | f.Data()[16] << 16 |
                            static_cast<uint32_t>(f.Data()[17]) << 24;
    EXPECT_EQ(long14, 1u | 2u << 7 | 3u << 14 | 6u << 21 | 18u << 26);
    EXPECT_EQ(f.GetBorderDiagStyle(), cbsDouble);
    EXPECT_EQ(f.GetFillPattern(), efpGray0625);
    f.SetBorderBottomStyle(cbsSlantedDashDot);
    f.SetBorderLeftStyle(cbsThin);
    EXPECT_EQ(f.Word(10), 0xD001);
    EXPECT_EQ(f.GetBorderBottomStyle(), cbsSlantedDashDot);
    f.SetIndent(15);
    f.SetMergeCell(true);
    f.SetFormatOptions(foShrinkToFit);
    EXPECT_EQ(f.Data()[8], 0x3F);
    f.SetProtection(cpHidden);
    EXPECT_EQ(f.Word(4), 0x0002);
    f.SetHorizAlignment(7);
    f.SetVertAlignment(4);
    EXPECT_EQ(f.Data()[6], 0x47);
    EXPECT_EQ(f.Data()[18] | f.Data()[19] << 8, 0x20C0); // the pattern colours untouched
}

TEST_F(Formats, UsedAttributeFlags) {
    TCellFormat f(&formats);
    EXPECT_FALSE(f.AlignmentUsed() || f.BorderUsed() || f.PatternUsed());
    f.SetVertAlignment(2);
    EXPECT_TRUE(f.AlignmentUsed()); // vertical alignment counts here
    f.SetFormatOptions(0);
    EXPECT_FALSE(f.AlignmentUsed()); // ... but not for the option setter
    f.SetFormatOptions(foWrapText);
    EXPECT_TRUE(f.AlignmentUsed());
    EXPECT_EQ(f.GetFormatOptions(), foWrapText);

    f.SetBorderTopStyle(cbsThin);
    EXPECT_TRUE(f.BorderUsed());
    f.SetBorderTopColor(10); // colours leave the flag alone
    f.SetBorderTopStyle(cbsNone);
    EXPECT_FALSE(f.BorderUsed());
    f.SetBorderDiagStyle(cbsHair);
    EXPECT_TRUE(f.BorderUsed());
    EXPECT_TRUE(f.HasBorder());

    f.SetFillPattern(efpSolid);
    EXPECT_TRUE(f.PatternUsed());
    f.SetFillPattern(efpNone);
    EXPECT_FALSE(f.PatternUsed());
}

TEST_F(Formats, PatternColours) {
    ResetExcelPalette();
    TCellFormat f(&formats);
    EXPECT_EQ(f.GetFillPatternBackColor(), 64); // 65 stored
    EXPECT_EQ(f.GetFillPatternBackColorRGB(), ExcelPaletteColor(64));
    f.SetFillPatternForeColor(10);
    EXPECT_EQ(f.GetFillPattern(), efpSolid);
    EXPECT_EQ(f.GetFillPatternBackColor(), xcWhite);
    EXPECT_TRUE(f.PatternUsed());
    EXPECT_EQ(f.GetCellColorRGB(), 0x0000FFu);
    f.SetFillPatternForeColor(64);
    f.SetFillPatternBackColor(64);
    EXPECT_FALSE(f.PatternUsed());
    EXPECT_EQ(ErrorMessage([&] { f.SetCellColorRGB(0xFF); }), "Not implemented: SetCellColorRGB");
    f.SetBorderTopColorRGB(0xFF); // does nothing
    EXPECT_EQ(f.GetBorderTopColor(), 64);
}

TEST_F(Formats, NumberFormatList) {
    TNumberFormats& nf = formats.NumberFormats();
    TNumberFormat* a = nf.AddFormat(u"0.000");
    EXPECT_EQ(a->Id, 59);
    EXPECT_EQ(nf.AddFormat(u"0.000"), a);
    EXPECT_EQ(a->UsageCount, 2);
    EXPECT_EQ(nf.AddFormat(u"#,##0.0")->Id, 60);
    EXPECT_EQ(nf.IndexOfText(u""), 0);
    EXPECT_EQ(nf.IndexOfText(u"0.00"), 2);
    EXPECT_EQ(nf.IndexOfText(u"0.0000"), -1);
    EXPECT_EQ(nf.IndexOfId(-1), -1);

    nf.AddWithId(u"0.0", 100, 1);
    nf.AddWithId(u"00", 80, 2); // inserted in id order
    EXPECT_EQ(nf.FormatById(80)->Value, u"00");
    EXPECT_EQ(nf.CurrentId, 100);
    nf.AddWithId(u"0.0x", 100, 3);
    EXPECT_EQ(nf.FormatById(100)->UsageCount, 4);
    EXPECT_EQ(nf.FormatById(100)->Hash, NumberFormatHash(u"0.0x"));
    nf.AddWithId(u"General", 3, 2);
    EXPECT_EQ(nf.FormatById(3)->UsageCount, 2); // a built-in's -1 becomes the usage

    nf.Release(59);
    EXPECT_EQ(a->UsageCount, 1);
    nf.Release(59);
    EXPECT_EQ(nf.IndexOfId(59), -1);
    nf.Release(58); // built in: ignored
    nf.AddUse(3);
    EXPECT_EQ(nf.FormatById(3)->UsageCount, 2);
    EXPECT_EQ(ErrorMessage([&] { nf.AddUse(77); }), "Can not find number format# 77");
    EXPECT_EQ(ErrorMessage([&] { nf.Release(59); }), "Can not find number format# 59");
}

TEST_F(Formats, NumberFormatTextsGoThroughTheParser) {
    TCellFormat f(&formats);
    f.SetNumberFormat(u"0.0%");
    EXPECT_EQ(f.GetNumberFormatIndex(), 59);
    EXPECT_EQ(f.GetNumberFormat(), u"0.0%");
    EXPECT_FALSE(f.IsDateTime());
    f.SetNumberFormat(u"");
    EXPECT_EQ(f.GetNumberFormatIndex(), 0);
    EXPECT_EQ(ErrorMessage([&] { f.SetNumberFormat(std::u16string(256, u'0')); }),
              "Format string more than 255 characthers");
    EXPECT_EQ(f.GetNumberFormatIndex(), 0);
    f.SetNumberFormat(std::u16string(255, u'0'));
    EXPECT_EQ(f.GetNumberFormatIndex(), 60);

    TCellFormat loose(nullptr);
    EXPECT_EQ(ErrorMessage([&] { loose.SetNumberFormat(u"0"); }), "CellFormat has no parent");
    EXPECT_EQ(loose.GetNumberFormat(), u"");

    for (int id : {14, 20})
        EXPECT_TRUE((f.SetNumberFormatIndex(id), f.IsDateTime())) << id;
    f.SetNumberFormatIndex(22);
    EXPECT_FALSE(f.IsDateTime());
}

TEST_F(Formats, SharingCopiesOnWriteAndFindsEqualEntries) {
    // Two users of a fresh entry 22.
    TCellFormat* shared = Change(formats.Formats(15), [](TCellFormat& s) { s.SetIndent(2); });
    ASSERT_EQ(shared->Index, 22);
    TCellFormat* other = formats.Share(formats.Formats(15), *shared);
    ASSERT_EQ(other, shared);
    EXPECT_EQ(shared->UsageCount, 2);

    TCellFormat* red = Change(shared, [](TCellFormat& s) { s.SetBorderTopColor(xcRed); });
    EXPECT_EQ(formats.Count(), 24);
    EXPECT_EQ(shared->UsageCount, 1);
    EXPECT_EQ(shared->GetBorderTopColor(), 0); // the other user's entry is unchanged
    EXPECT_EQ(red->Index, 23);

    TCellFormat* back = Change(red, [](TCellFormat& s) { s.SetBorderTopColor(0); });
    EXPECT_EQ(back, shared); // found again
    EXPECT_EQ(shared->UsageCount, 2);
    EXPECT_EQ(formats.Count(), 23); // the red entry went with its last user

    // A default entry is never released.
    TCellFormat* e15 = formats.Formats(15);
    Change(e15, [](TCellFormat& s) { s.SetIndent(5); });
    EXPECT_EQ(formats.Formats(15), e15);
}

TEST_F(Formats, SharedNumberFormatsAreCountedPerEntry) {
    TCellFormat* a = Change(formats.Formats(15), [](TCellFormat& s) { s.SetNumberFormat(u"0.0"); });
    TNumberFormat* nf = formats.NumberFormats().FormatById(59);
    EXPECT_EQ(nf->UsageCount, 1);
    TCellFormat* b = Change(formats.Formats(15), [](TCellFormat& s) {
        s.SetIndent(3);
        s.SetNumberFormat(u"0.0");
    });
    ASSERT_NE(a, b);
    EXPECT_EQ(nf->UsageCount, 2);
    formats.Delete(b->Index);
    EXPECT_EQ(nf->UsageCount, 1);
    formats.Delete(a->Index);
    EXPECT_EQ(formats.NumberFormats().IndexOfId(59), -1); // freed with the last entry
}
