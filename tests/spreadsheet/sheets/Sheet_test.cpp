// Sheets: names and the name list, record-backed options, cell values and texts, HTML
// fragments, clearing, the used range and default formats.

#include "tests/spreadsheet/workbook/support/WorkbookTestSupport.h"

#include "platform/rtl/Exception.h"
#include "spreadsheet/areas/CellAreas.h"
#include "spreadsheet/cells/CellStorage.h"
#include "spreadsheet/cells/XLSColumns.h"
#include "spreadsheet/formats/CellFormats.h"
#include "spreadsheet/formulas/FormulaHandler.h"
#include "spreadsheet/records/RecordStorage.h"
#include "spreadsheet/sheets/Sheets.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Utf8(const std::u16string& s) {
    return std::string(s.begin(), s.end());
}

struct SheetTest : ::testing::Test {
    TTestWorkbook wb;
    TSheets& sheets() { return *wb.Book().Sheets(); }
};

TEST_F(SheetTest, NewSheetsTakeTheNextFreeDefaultNameAndTheirEntryInTheNameList) {
    EXPECT_EQ(sheets().Items(0)->Name(), u"Sheet1");
    TSheet* second = sheets().Add();
    EXPECT_EQ(second->Name(), u"Sheet2");
    ASSERT_EQ(sheets().SheetNames().Count(), 2);
    EXPECT_EQ(sheets().SheetNames().Strings(1), u"Sheet2");
    // A sheet renamed to the name the next new sheet would get does not get a twin.
    second->SetName(u"Sheet3");
    TSheet* third = sheets().Add();
    EXPECT_EQ(third->Name(), u"Sheet4");
    EXPECT_EQ(sheets().SheetNames().Strings(1), u"Sheet3");
    EXPECT_EQ(sheets().SheetNames().Strings(2), u"Sheet4");
}

TEST_F(SheetTest, RenamingIgnoresCaseForItsOwnNameAndRefusesAnotherSheetsName) {
    TSheet& first = *sheets().Items(0);
    first.SetName(u"SHEET1");
    EXPECT_EQ(first.Name(), u"Sheet1");
    sheets().Add()->SetName(u"Данные");
    try {
        first.SetName(u"данные");
        FAIL() << "no exception";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "Sheet name \"данные\" allready exists");
    }
    EXPECT_EQ(first.Name(), u"Sheet1");
    EXPECT_EQ(sheets().FindByName(u"ДАННЫЕ"), sheets().Items(1));
    EXPECT_EQ(sheets().FindByName(u"nothing"), nullptr);
}

TEST_F(SheetTest, ASheetThatGoesTakesItsNameEntryAndCellStoreAlong) {
    sheets().Add();
    sheets().Add();
    wb.Number(0, 0, 3, 2);
    delete sheets().Items(0);
    ASSERT_EQ(sheets().Count(), 2);
    ASSERT_EQ(sheets().SheetNames().Count(), 2);
    EXPECT_EQ(sheets().SheetNames().Strings(0), u"Sheet2");
    EXPECT_EQ(sheets().SheetNames().Strings(1), u"Sheet3");
    EXPECT_EQ(sheets().Items(1)->SheetIndex, 1);
    // Formulas reach sheet i through store i: the stores follow the sheets.
    TCellValuesList& stores = wb.Book().FormulaHandler().CellValuesList();
    ASSERT_EQ(stores.Count(), 2);
    EXPECT_EQ(stores.Items(1), &sheets().Items(1)->Cells());
    TFormulaValue v;
    wb.Book().FormulaHandler().CalcFormula(wb.Book().FormulaHandler().EncodeFormula(u"Sheet3!A1*2"),
                                           5, v, 0, 5);
    EXPECT_EQ(v.Kind, fvNumber);
    EXPECT_EQ(v.Number, 6);
}

TEST_F(SheetTest, OptionsLiveInTheSheetRecords) {
    TSheet& s = wb.Sheet();
    TRecordStorageSheet& r = s.Records();
    EXPECT_EQ(s.Options(), (TSheetOptions{soGridlines, soRowColHeadings, soShowZeros}));
    EXPECT_EQ(s.WorkspaceOptions(), (TWorkspaceOptions{woShowAutoBreaks, woRowSumsBelow,
                                                       woColSumsRight, woOutlineSymbols}));
    EXPECT_EQ(s.DefaultColWidth(), 8);
    EXPECT_EQ(s.DefaultRowHeight(), 255);

    s.SetDefaultRowHeight(300);
    EXPECT_EQ(r.DEFAULTROWHEIGHT().WordAt(2), 300);
    EXPECT_EQ(r.DEFAULTROWHEIGHT().WordAt(0) & 1, 1);
    s.SetDefaultRowHeight(255);
    EXPECT_EQ(r.DEFAULTROWHEIGHT().WordAt(0) & 1, 0);

    s.SetOptions({});
    EXPECT_EQ(r.WINDOW2().WordAt(0), 0x04A0);
    s.SetOptions({soFrozenPanes, soProtected, soR1C1Mode});
    EXPECT_EQ(r.WINDOW2().WordAt(0), 0x04A8);
    EXPECT_EQ(s.Options(), TSheetOptions{soFrozenPanes});

    s.SetWorkspaceOptions({woFitToPage});
    EXPECT_EQ(r.Word(recWSBOOL), 0x0100);
    s.SetZoom(150);
    s.SetZoomPreview(60);
    EXPECT_EQ(r.WINDOW2().WordAt(12), 150);
    EXPECT_EQ(r.WINDOW2().WordAt(10), 60);
    s.SetDefaultColWidth(12);
    EXPECT_EQ(r.Word(recDEFCOLWIDTH), 12);
}

TEST_F(SheetTest, AssignCopiesOptionsButNotCells) {
    TSheet& source = *sheets().Add();
    source.SetZoom(80);
    source.SetDefaultColWidth(20);
    source.Hidden = hsHidden;
    source.RecalcFormulas = false;
    source.MergedCells()->AddArea(1, 1, 2, 2);
    wb.Number(0, 0, 1, 1);
    TSheet& target = wb.Sheet(0);
    target.Assign(&source);
    EXPECT_EQ(target.Zoom(), 80);
    EXPECT_EQ(target.DefaultColWidth(), 20);
    EXPECT_EQ(target.Hidden, hsHidden);
    EXPECT_FALSE(target.RecalcFormulas);
    EXPECT_EQ(target.MergedCells()->Count(), 1);
    EXPECT_EQ(target.GetCell(0, 0), nullptr);
    EXPECT_EQ(target.Name(), u"Sheet1");
    try {
        target.Assign(target.PrintSettings());
        FAIL() << "no exception";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "Object is not TSheet");
    }
}

TEST_F(SheetTest, ValuesAndTextsOfEveryKindOfCell) {
    TSheet& s = wb.Sheet();
    wb.Integer(0, 0, -42);
    wb.Number(1, 0, 2.5);
    wb.Text(2, 0, u"текст");
    wb.Boolean(3, 0, true);
    wb.Error(4, 0, 7);
    wb.Formula(5, 0, u"1+2", 3);
    wb.FormulaString(6, 0, u"\"a\"&\"b\"", u"ab");
    wb.Blank(7, 0);
    const std::u16string twoAndAHalf =
        std::u16string(u"2") +
        static_cast<char16_t>(wb.Book().FormulaHandler().Settings().DecimalSeparator) + u"5";
    struct Case {
        int col;
        double asFloat;
        std::u16string asText;
    } cases[] = {{0, -42, u"-42"}, {1, 2.5, twoAndAHalf}, {2, 0, u"текст"},
                 {3, 0, u"TRUE"},  {4, 0, u"#N/A"},       {5, 3, u"3"},
                 {6, 0, u"ab"},    {7, 0, u""},           {8, 0, u""}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.col);
        EXPECT_EQ(s.GetAsFloat(c.col, 0), c.asFloat);
        EXPECT_EQ(s.GetAsWideString(c.col, 0), c.asText);
        EXPECT_EQ(s.GetAsDisplayText(c.col, 0), c.asText);
    }
    EXPECT_EQ(s.GetCellType(2, 0), ckString);
    EXPECT_EQ(s.GetCellType(8, 0), 0);

    // With formulas shown, formula cells give their formula and plain values stay.
    SetPropValue(&wb.Book(), "ShowFormulas", "True");
    EXPECT_EQ(s.GetAsWideString(5, 0), u"1+2");
    EXPECT_EQ(s.GetAsDisplayText(6, 0), u"\"a\"&\"b\"");
    EXPECT_EQ(s.GetAsDisplayText(0, 0), u"-42");
    EXPECT_EQ(s.GetAsDisplayText(7, 0), u"");
}

TEST_F(SheetTest, CellValuesAndReferences) {
    TSheet& s = wb.Sheet();
    wb.Text(0, 0, u"x");
    wb.Number(1, 0, 4);
    TFormulaValue v;
    s.GetCellValue(0, 0, v);
    EXPECT_EQ(v.Kind, fvString);
    EXPECT_EQ(v.Text, u"x");
    s.GetCellValue(5, 5, v);
    EXPECT_EQ(v.Kind, fvError);
    EXPECT_EQ(v.Small, 7);

    TFormulaValue ref;
    SetRefValue(ref, 1, 0);
    s.GetCellValueByRef(ref, v);
    EXPECT_EQ(v.Kind, fvNumber);
    EXPECT_EQ(v.Number, 4);
    SetRefValue(ref, 9, 9);
    s.GetCellValueByRef(ref, v);
    EXPECT_EQ(v.Kind, fvEmpty);
    TFormulaValue number;
    SetNumberValue(number, 1);
    try {
        s.GetCellValueByRef(number, v);
        FAIL() << "no exception";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "FV Ref expected");
    }
}

TEST_F(SheetTest, EvaluateCellCalculatesFormulasAndMarksThem) {
    TSheet& s = wb.Sheet();
    wb.Number(0, 0, 20);
    auto* f = static_cast<TFormulaCell*>(wb.Formula(1, 0, u"A1*2+1"));
    EXPECT_EQ(f->Calculated, 0);
    TFormulaValue v;
    TCellRefArray refs;
    s.EvaluateCell(1, 0, v, refs);
    EXPECT_EQ(v.Number, 41);
    EXPECT_EQ(s.GetAsFloat(1, 0), 41);
    EXPECT_EQ(static_cast<TFormulaCell*>(s.GetCell(1, 0))->Calculated, 1);
    s.EvaluateCell(0, 0, v, refs);
    EXPECT_EQ(v.Kind, fvError);
    EXPECT_EQ(v.Small, 7);

    // Cells that refer to each other end in an error instead of recursing without end.
    wb.Formula(3, 0, u"E1+1");
    wb.Formula(4, 0, u"D1+1");
    TCellRefArray trail;
    s.EvaluateCell(3, 0, v, trail);
    EXPECT_EQ(v.Kind, fvError);
    EXPECT_TRUE(trail.Cells.empty());
}

TEST_F(SheetTest, HtmlEscapesAndKeepsEdgeBlanks) {
    TSheet& s = wb.Sheet();
    wb.Text(0, 0, u"  a<b & c>d ");
    EXPECT_EQ(Utf8(s.GetAsHTML(0, 0)),
              "<font face=Arial size=2>&nbsp;&nbsp;a&lt;b &amp; c&gt;d&nbsp;</font>");
    wb.Text(1, 0, u"   ");
    EXPECT_EQ(Utf8(s.GetAsHTML(1, 0)), "<font face=Arial size=2>&nbsp;&nbsp;&nbsp;</font>");
    EXPECT_EQ(s.GetAsHTML(2, 0), u"");
    wb.Number(3, 0, 15);
    EXPECT_EQ(Utf8(s.GetAsHTML(3, 0)), "<font face=Arial size=2>15</font>");
}

TEST_F(SheetTest, HtmlCarriesStylesColourAndAFaceThatNeedsQuotes) {
    TSheet& s = wb.Sheet();
    TCell* cell = wb.Text(0, 0, u"x");
    cell->SetFontStyle(0x03);
    cell->SetFontUnderline(xulSingle);
    cell->SetFontSize(14);
    EXPECT_EQ(Utf8(s.GetAsHTML(0, 0)), "<font face=Arial size=4><u><i><b>x</b></i></u></font>");
    cell->SetFontColorRGB(0x0000FF); // red
    cell->SetFontName(u"Times \"New\" Roman");
    EXPECT_EQ(Utf8(s.GetAsHTML(0, 0)),
              "<font face=\"Times &quot;New&quot; Roman\" color=\"#FF0000\" size=\"4\">"
              "<u><i><b>x</b></i></u></font>");
    cell->SetFontColorRGB(0);
    cell->SetFontStyle(0);
    cell->SetFontUnderline(xulNone);
    EXPECT_EQ(Utf8(s.GetAsHTML(0, 0)),
              "<font face=\"Times &quot;New&quot; Roman\" size=4>x</font>");
}

TEST_F(SheetTest, HtmlOfAFormattedTextGoesRunByRun) {
    TXFonts& fonts = wb.Book().Fonts();
    TXFont bold;
    bold.Assign(*fonts.Fonts(0));
    bold.SetStyle(0x01);
    const int b = fonts.FindOrAddFont(bold)->Index;
    TSheet& s = wb.Sheet();
    // Runs at 0 are skipped; a run past the text's end ends the text there.
    wb.Text(0, 0, u"abcdef", {{0, 0}, {2, static_cast<uint32_t>(b)}, {4, 0}, {50, 1}});
    EXPECT_EQ(Utf8(s.GetAsHTML(0, 0)),
              "<font face=Arial size=2>ab</font><font face=Arial size=2><b>cd</b></font>"
              "<font face=Arial size=2>ef</font>");
}

TEST_F(SheetTest, ClearAreaDeletesOnlyCellsAndAreasInsideAndReleasesTheirTexts) {
    TSheet& s = wb.Sheet();
    TSST2& sst = wb.Book().SST();
    wb.Text(1, 1, u"inside");
    wb.Text(5, 5, u"outside");
    wb.Number(2, 2, 1);
    s.MergedCells()->AddArea(1, 1, 2, 2);
    s.MergedCells()->AddArea(4, 4, 6, 6);
    const int32_t before = sst.StringCount;
    s.ClearArea(3, 3, 0, 0); // reversed bounds are ordered
    EXPECT_EQ(s.GetCell(1, 1), nullptr);
    EXPECT_EQ(s.GetCell(2, 2), nullptr);
    EXPECT_NE(s.GetCell(5, 5), nullptr);
    ASSERT_EQ(s.MergedCells()->Count(), 1);
    EXPECT_EQ(s.MergedCells()->Items(0)->Col1, 4u);
    EXPECT_EQ(sst.StringCount, before - 1);
    EXPECT_EQ(sst.AddString(u"outside"), static_cast<TStringCell*>(s.GetCell(5, 5))->Entry());
}

TEST_F(SheetTest, ClearingAWholeSheetOfTheNewerFormatVisitsOnlyItsCells) {
    wb.Book().SetVersion(xvExcel2007);
    TSheet& s = wb.Sheet();
    wb.Number(16000, 1000000, 1);
    wb.Number(3, 3, 1);
    s.ClearArea(0, 0, MaxCol, MaxRow);
    EXPECT_EQ(s.GetCell(16000, 1000000), nullptr);
    EXPECT_EQ(s.GetCell(3, 3), nullptr);
}

TEST_F(SheetTest, DeleteCellReportsItsPosition) {
    TSheet& s = wb.Sheet();
    // A cell of a shared formula whose first cell holds no formula cannot go.
    auto* f = static_cast<TFormulaCell*>(wb.Formula(1, 2, u"1"));
    f->SharedIndex = 0;
    s.Cells().SharedFormulas.Add("0");
    try {
        s.DeleteCell(1, 2);
        FAIL() << "no exception";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "Error on deleting cell 1:2");
    }
}

TEST_F(SheetTest, UsedRangeIsWrittenToTheDimensionsRecord) {
    TSheet& s = wb.Sheet();
    TRawRecord& dim = s.Records().DIMENSIONS();
    wb.Number(2, 1, 1);
    wb.Number(3, 2, 1);
    s.CalcDimensions();
    EXPECT_EQ(s.FirstCol(), 2);
    EXPECT_EQ(s.LastCol(), 3);
    EXPECT_EQ(dim.LongAt(0), 1u);
    EXPECT_EQ(dim.LongAt(4), 3u);
    EXPECT_EQ(dim.WordAt(8), 2);
    EXPECT_EQ(dim.WordAt(10), 4);

    wb.Book().SetVersion(xvExcel2007);
    wb.Number(300, 70000, 1);
    s.DeleteCell(2, 1);
    s.DeleteCell(3, 2);
    s.CalcDimensions();
    EXPECT_EQ(dim.WordAt(8), 255);
    EXPECT_EQ(dim.WordAt(10), 255);
    EXPECT_EQ(dim.LongAt(0), 65535u);
    EXPECT_EQ(dim.LongAt(4), 65535u);

    // Emptied again: the range of an empty sheet, not an inverted one.
    s.DeleteCell(300, 70000);
    s.CalcDimensions();
    EXPECT_EQ(s.FirstCol(), 0);
    EXPECT_EQ(s.LastCol(), 0);
    EXPECT_EQ(s.FirstRow(), 0);
    EXPECT_EQ(s.LastRow(), 0);
}

TEST_F(SheetTest, DefaultFormatComesFromTheColumnThenTheRow) {
    TSheet& s = wb.Sheet();
    TCellFormats& formats = wb.Book().MasterFormats();
    EXPECT_EQ(s.GetDefaultFormat(1, 1), formats.DefaultFormat());
    s.Rows().EnsureRow(1).SetFillPatternForeColor(10);
    TCellFormat* rowFormat = s.Rows().RowItem(1)->Format();
    EXPECT_EQ(s.GetDefaultFormat(1, 1), rowFormat);
    s.Columns().EnsureColumn(1).SetFillPatternForeColor(12);
    TCellFormat* colFormat = s.Columns().Column(1)->Format();
    EXPECT_EQ(s.GetDefaultFormat(1, 1), colFormat);
    EXPECT_EQ(s.GetDefaultFormat(2, 1), rowFormat);
    EXPECT_EQ(s.GetDefaultFormat(2, 2), formats.DefaultFormat());
}

TEST_F(SheetTest, ColumnAndRowFormatsReachTheirCells) {
    TSheet& s = wb.Sheet();
    TCell* inColumn = wb.Number(1, 5, 1);
    TCell* other = wb.Number(2, 5, 1);
    s.Columns().EnsureColumn(1).SetFillPatternForeColor(10);
    EXPECT_EQ(inColumn->GetFillPatternForeColor(), 10);
    EXPECT_NE(other->GetFillPatternForeColor(), 10);
    s.Rows().EnsureRow(5).SetFillPatternForeColor(13);
    EXPECT_EQ(inColumn->GetFillPatternForeColor(), 13);
    EXPECT_EQ(other->GetFillPatternForeColor(), 13);
}

} // namespace
