#include "spreadsheet/overlays/AutoFilters.h"
#include "spreadsheet/overlays/ConditionalFormats.h"
#include "spreadsheet/overlays/DataValidations.h"
#include "spreadsheet/overlays/Hyperlinks.h"

#include "platform/rtl/CodePage.h"
#include "spreadsheet/core/XLSGlobals.h"
#include "spreadsheet/core/XLSUtils.h"
#include "spreadsheet/formulas/FormulaHandler.h"
#include "tests/support/ErrorMessage.h"

#include <gtest/gtest.h>

namespace {

uint32_t Long(const uint8_t* d, int at) {
    return d[at] | d[at + 1] << 8 | d[at + 2] << 16 | static_cast<uint32_t>(d[at + 3]) << 24;
}

uint16_t Word(const uint8_t* d, int at) {
    return static_cast<uint16_t>(d[at] | d[at + 1] << 8);
}

// A formula handler that knows the sheets "Sheet1" and "Sheet2".
struct Overlays : ::testing::Test {
    void SetUp() override {
        InitializeRecordFormatUnit();
        InitializeUtilitiesUnit();
        MaxCol = MaxColClassic;
        MaxRow = MaxRowClassic;
        handler = std::make_unique<TFormulaHandler>(sst, TFormatSettings::Invariant());
        handler->OnSheetIndex = [](const std::u16string& name, int& index, int& count) {
            count = 2;
            index = UpperText(name) == u"SHEET1" ? 0 : UpperText(name) == u"SHEET2" ? 1 : -1;
        };
        handler->OnNameText = [](int, int index, std::u16string& text, int, int) {
            text = index == 0 ? u"Sheet1" : u"Sheet2";
        };
    }
    TXFonts fonts;
    TSST2 sst{fonts};
    std::unique_ptr<TFormulaHandler> handler;
};

TEST_F(Overlays, ANewConditionalFormat) {
    TConditionalFormats formats(nullptr, handler.get());
    TCondFmtData& c = *formats.Add()->Condition1();
    EXPECT_EQ(c.FmtFont()->Color(), 64);
    EXPECT_EQ(c.FmtFont()->Height20(), 0u);
    EXPECT_EQ(c.FmtFont()->FontStyle(), 0);
    EXPECT_EQ(c.FmtFont()->Underline(), xulNone);
    EXPECT_FALSE(c.FmtFont()->Assigned);
    for (int side = 0; side < 4; ++side) {
        EXPECT_EQ(c.FmtBorder()->Style(side), cbsNone);
        EXPECT_EQ(c.FmtBorder()->Color(side), 64);
    }
    EXPECT_EQ(Long(c.FmtBorder()->Data.data(), 2), 0x20402040u);
    EXPECT_EQ(c.FmtPattern()->FillPattern(), efpNone);
    EXPECT_EQ(c.FmtPattern()->BackColor(), 64);
    EXPECT_EQ(c.FmtPattern()->ForeColor(), 64);
    EXPECT_TRUE(c.CompareCell());
    EXPECT_EQ(c.CompOperator(), coEqual);
    EXPECT_EQ(Long(c.Header.data(), 6), 0x3FFFFFu);
    EXPECT_EQ(Long(c.FmtFont()->Data.data(), 88), 0x9Au);
    EXPECT_EQ(Word(c.FmtFont()->Data.data(), 116), 1);
}

TEST_F(Overlays, FontBlock) {
    TCondFmtFont font;
    font.SetFontStyle((1 << xfsBold) | (1 << xfsStrikeOut));
    EXPECT_EQ(Long(font.Data.data(), 68), 0x80u);
    EXPECT_EQ(Word(font.Data.data(), 72), 700);
    EXPECT_EQ(Long(font.Data.data(), 88), 0x18u);
    EXPECT_EQ(font.FontStyle(), (1 << xfsBold) | (1 << xfsStrikeOut));
    font.SetFontStyle(1 << xfsItalic);
    EXPECT_EQ(Long(font.Data.data(), 68), 0x02u);
    EXPECT_EQ(Long(font.Data.data(), 88), 0x98u);
    EXPECT_EQ(Word(font.Data.data(), 72), 400);
    // A height of 0 means "not set", even after other attributes were set.
    font.SetHeight20(240);
    EXPECT_TRUE(font.Assigned);
    font.SetHeight20(0);
    EXPECT_EQ(Long(font.Data.data(), 64), 0xFFFFFFFFu);
    EXPECT_FALSE(font.Assigned);
    font.SetUnderline(xulDoubleAccount);
    EXPECT_EQ(font.Data[76], 0x22);
    EXPECT_EQ(Long(font.Data.data(), 96), 0u);
    EXPECT_EQ(font.Underline(), xulDoubleAccount);
    font.SetColor(10);
    EXPECT_EQ(font.Color(), 10);
    font.SetColor(64);
    EXPECT_EQ(Long(font.Data.data(), 80), 0xFFFFFFFFu);
    font.SetEscapment(xssSubscript);
    EXPECT_EQ(Word(font.Data.data(), 74), 2);
    EXPECT_EQ(Long(font.Data.data(), 92), 0u);
}

TEST_F(Overlays, BorderAndPatternBlocks) {
    TCondFmtBorder border;
    border.SetStyle(2, cbsThin);
    border.SetStyle(2, cbsDouble);
    EXPECT_EQ(Word(border.Data.data(), 0), 6 << 8);
    EXPECT_TRUE(border.TopAssigned);
    border.SetStyle(2, cbsNone);
    EXPECT_FALSE(border.TopAssigned);
    border.SetColor(2, 10);
    EXPECT_EQ(Long(border.Data.data(), 2), (0x20402040u & ~(0x7Fu << 16)) | (10u << 16));
    EXPECT_EQ(border.Color(2), 10);
    EXPECT_EQ(border.Color(0), 64);

    TCondFmtPattern pattern;
    pattern.SetFillPattern(efpGray0625);
    EXPECT_EQ(Word(pattern.Data.data(), 0), 18 << 10);
    EXPECT_TRUE(pattern.PatternAssigned);
    pattern.SetBackColor(10);
    pattern.SetForeColor(12);
    EXPECT_EQ(Word(pattern.Data.data(), 2), 10 | 12 << 7);
    for (int unset : {0, 64}) {
        pattern.SetBackColor(unset);
        EXPECT_FALSE(pattern.BackColorAssigned);
        EXPECT_EQ(pattern.BackColor(), 64);
        EXPECT_EQ(Word(pattern.Data.data(), 2) & 0x7F, 0);
    }
}

TEST_F(Overlays, ConditionFormulasKeepTheHeaderInStep) {
    TConditionalFormats formats(nullptr, handler.get());
    TConditionalFormat& f = *formats.Add();
    TCondFmtData& c = *f.Condition2();
    c.SetFormula1(u"A1>5");
    c.SetFormula2(u"SUM(B1:B3)");
    EXPECT_EQ(c.Formula1(), u"A1>5");
    EXPECT_EQ(c.Formula2(), u"SUM(B1:B3)");
    EXPECT_EQ(Word(c.Header.data(), 2), c.Formula1Tokens().size());
    EXPECT_EQ(Word(c.Header.data(), 4), c.Formula2Tokens().size());
    c.SetFormula1(u"");
    EXPECT_EQ(c.Formula1(), u"");
    EXPECT_EQ(Word(c.Header.data(), 2), 0);
    c.SetCompareCell(false);
    EXPECT_EQ(c.Header[0], 2);
    // A copy to another sheet keeps conditions and areas.
    f.Areas()->AddArea(1, 1, 3, 3);
    TConditionalFormats other(nullptr, handler.get());
    TMoveCopyItemList list;
    formats.CollectItems(list, 2, 2, 5, 5);
    other.InsertCopies(list, 2, 2, 5, 5, 10, 0);
    ASSERT_EQ(other.Count(), 1);
    EXPECT_EQ(other.Items(0)->Condition2()->Formula2(), u"SUM(B1:B3)");
    EXPECT_EQ(other.Items(0)->Areas()->Items(0)->Rect(), (TAreaRect{10, 0, 11, 1}));
}

TEST_F(Overlays, HyperlinkAddresses) {
    THyperlinks links(nullptr, handler.get());
    THyperlink& link = *links.Add();
    struct TCase {
        const char16_t* Address;
        THyperlinkType Type;
        THyperlinkEncoding Encoding;
        const char16_t* Location;
    } cases[] = {
        {u"HTTP://x.org", hltURL, hleURL, u""},
        {u"mailto:a@b", hltURL, hleURL, u""},
        {u"\\\\srv\\s", hltUNC, hleUNC, u""},
        {u"Sheet2!A1", hltWorkbook, hleWorkbook, u"#Sheet2!A1"},
        {u"report.doc", hltFile, hleURL, u""},
        {u"Sheet9!A1", hltFile, hleURL, u""},
        {u"www.example.com", hltURL, hleURL, u""},
    };
    for (const TCase& c : cases) {
        link.Changed = false;
        link.SetAddress(c.Address);
        EXPECT_EQ(link.HyperlinkType, c.Type) << Utf16ToUtf8(c.Address);
        EXPECT_EQ(link.HyperlinkEncoding, c.Encoding) << Utf16ToUtf8(c.Address);
        EXPECT_EQ(link.Location, c.Location) << Utf16ToUtf8(c.Address);
        EXPECT_TRUE(link.Changed);
    }
}

TEST_F(Overlays, DataValidations) {
    TDataValidations validations(nullptr, handler.get());
    EXPECT_EQ(Long(validations.DVal.data(), 10), 0xFFFFFFFFu);
    TDataValidation& v = *validations.Add();
    EXPECT_EQ(v.Options(), 13);
    EXPECT_EQ(v.ValidationType(), vtNumber);
    EXPECT_EQ(v.ValidationOperator(), vopEqual);
    v.SetExpression1(u"A1");
    v.SetExpression2(u"B2*2");
    EXPECT_EQ(v.Expression1(), u"A1");
    EXPECT_EQ(v.Expression2(), u"B2*2");
    // Expressions are compiled in the reference class.
    EXPECT_EQ(v.Expression1Tokens().at(0), 0x24);
    // A text that does not compile raises, keeps the expression and leaves the flag.
    v.Changed = false;
    EXPECT_NE(ErrorMessage([&] { v.SetExpression1(u"Nowhere+1"); }), "<no error>");
    EXPECT_EQ(v.Expression1(), u"A1");
    EXPECT_FALSE(v.Changed);
    v.SetOptions(voSupressDropDown);
    v.SetValidationType(vtList);
    v.Areas()->AddArea(0, 0, 4, 4);
    // A validation copied (to another sheet) keeps its options.
    TDataValidations other(nullptr, handler.get());
    other.Add()->Assign(&v);
    EXPECT_EQ(other.Items(0)->Options(), voSupressDropDown);
    EXPECT_EQ(other.Items(0)->ValidationType(), vtList);
    EXPECT_EQ(other.Items(0)->Expression2(), u"B2*2");
    EXPECT_TRUE(other.Items(0)->Changed);
    // Areas follow a move inside the sheet.
    validations.MoveInside(0, 0, 1, 4, 10, 0);
    EXPECT_TRUE(v.Areas()->Intersects(10, 0, 11, 4));
    EXPECT_FALSE(v.Areas()->Intersects(0, 0, 1, 4));
}

struct TDropDowns : TAutoFilterDropDowns {
    void DeleteControlById(int id) override { deleted.push_back(id); }
    std::vector<int> deleted;
};

TEST_F(Overlays, ClearingAutoFilters) {
    TDropDowns dropDowns;
    TInternalNames& names = handler->InternalNames();
    for (int sheet : {1, 2}) {
        TInternalName* name = names.AddName();
        name->SetBuiltin(TAutoFilters::kFilterDatabase);
        name->SheetIndex = static_cast<uint16_t>(sheet);
    }
    TAutoFilters filters(&dropDowns, &names, [] { return 1; });
    // Without items, the sheet's filter-database name still goes.
    filters.Clear();
    ASSERT_EQ(names.Count(), 1);
    EXPECT_EQ(names.Names(0)->SheetIndex, 1);
    filters.Add(std::make_unique<TAutoFilter>(TAutoFilter{0, 7}));
    filters.Add(std::make_unique<TAutoFilter>(TAutoFilter{1, 9}));
    filters.Clear();
    EXPECT_EQ(dropDowns.deleted, (std::vector<int>{7, 9}));
    EXPECT_EQ(filters.Count(), 0);
}

} // namespace
