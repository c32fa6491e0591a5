// The workbook component: what a new one holds, its published properties in the global
// records, the version and the sheet limits, the locale's paper size, streaming, and the range
// operations.

#include "tests/spreadsheet/workbook/support/WorkbookTestSupport.h"

#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Streaming.h"
#include "platform/rtl/Exception.h"
#include "platform/rtl/LocalePaper.h"
#include "spreadsheet/areas/CellAreas.h"
#include "spreadsheet/cells/CellStorage.h"
#include "spreadsheet/core/XLSPalette.h"
#include "spreadsheet/drawing/EscherDrawing.h"
#include "spreadsheet/drawingobjects/DrawingObjects.h"
#include "spreadsheet/formats/CellFormats.h"
#include "spreadsheet/formulas/FormulaHandler.h"
#include "spreadsheet/records/RecordStorage.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

namespace {

struct WorkbookTest : ::testing::Test {
    void TearDown() override {
        // The limits and Boolean texts are process-wide: leave them as a new workbook sets them.
        StrTRUE = u"TRUE";
        StrFALSE = u"FALSE";
        MaxCol = MaxColClassic;
        MaxRow = MaxRowClassic;
    }
    TTestWorkbook wb;
    TXLSWorkbook4& book() { return wb.Book(); }
};

TEST_F(WorkbookTest, ANewWorkbookHoldsOneSheetAndTheDefaults) {
    TXLSWorkbook4& b = book();
    ASSERT_EQ(b.Sheets()->Count(), 1);
    EXPECT_EQ(b.Sheets()->Items(0)->Name(), u"Sheet1");
    EXPECT_EQ(b.GlobalRecords().WINDOW1().WordAt(8), 0x0038);
    EXPECT_EQ(b.Workbook()->Left(), 100);
    EXPECT_EQ(b.Workbook()->Top(), 100);
    EXPECT_EQ(b.Workbook()->Width(), 10000);
    EXPECT_EQ(b.Workbook()->Height(), 7000);
    EXPECT_EQ(b.Workbook()->SelectedTab(), 0);
    EXPECT_FALSE(b.Workbook()->Date1904());
    const TOptionsDialog& o = *b.OptionsDialog();
    EXPECT_EQ(o.CalcCount(), 100);
    EXPECT_EQ(o.CalcMode, cmAutomatic);
    EXPECT_EQ(o.Delta, 0.001);
    EXPECT_FALSE(o.Iteration);
    EXPECT_FALSE(o.R1C1Mode);
    EXPECT_TRUE(o.SaveRecalc);
    EXPECT_TRUE(o.PrecisionAsDisplayed());
    EXPECT_FALSE(o.SaveExtLinkVal());
    EXPECT_EQ(o.ShowObjects(), soShowAll);
    EXPECT_EQ(b.ComponentVersion(), "4.00.12a");
    EXPECT_EQ(b.Version(), xvExcel97);
    EXPECT_EQ(b.OrigVersion(), xvNone);
    EXPECT_EQ(MaxCol, 255);
    EXPECT_EQ(MaxRow, 65535);
    EXPECT_EQ(b.Fonts().Count(), 5);
    EXPECT_EQ(b.MasterFormats().Count(), 22);
    EXPECT_EQ(b.DefaultFormat(), b.MasterFormats().Formats(15));
    EXPECT_EQ(b.StyleFormats().Count(), 0);
    EXPECT_FALSE(b.RecomendReadOnly());
    EXPECT_TRUE(b.FileSharing().empty());
    EXPECT_TRUE(b.PreserveMacros);
    EXPECT_EQ(b.TempFileMode, tfmOnDisk);
    EXPECT_EQ(b.UserName(), "");
    EXPECT_EQ(b.Font(), b.Fonts().Fonts(0));
    EXPECT_EQ(ExcelPalette, DefaultExcelPalette());
}

TEST_F(WorkbookTest, VersionSetsTheRecordSizeAndTheProcessWideLimits) {
    TXLSWorkbook4& b = book();
    b.SetVersion(xvExcel2007);
    EXPECT_EQ(MaxCol, 16383);
    EXPECT_EQ(MaxRow, 1048575);
    EXPECT_EQ(b.FormulaHandler().Version(), xvExcel2007);
    b.SetVersion(xvExcel50);
    EXPECT_EQ(b.MaxRecordSize(), 2080);
    EXPECT_EQ(b.SST().MaxRecordSize, 2080);
    EXPECT_EQ(MaxCol, 255);
    EXPECT_EQ(MaxRow, 65535);
    b.SetVersion(xvExcel97);
    EXPECT_EQ(b.SST().MaxRecordSize, 8224);
}

TEST_F(WorkbookTest, PublishedPropertiesLiveInTheGlobalRecords) {
    TXLSWorkbook4& b = book();
    TRecordStorageGlobals& g = b.GlobalRecords();
    b.Workbook()->SetOptions({woTabs});
    EXPECT_EQ(g.WINDOW1().WordAt(8), 0x20);
    g.WINDOW1().SetWordAt(8, 0x20 | 0x01 | 0x04); // an unknown bit is ignored
    EXPECT_EQ(b.Workbook()->Options(), (TWorkbookOptions{woHidden, woTabs}));

    TOptionsDialog& o = *b.OptionsDialog();
    o.SetCalcCount(0);
    EXPECT_EQ(o.CalcCount(), 1);
    o.SetCalcCount(40000);
    EXPECT_EQ(o.CalcCount(), 32767);
    o.SetCalcCount(500);
    EXPECT_EQ(o.CalcCount(), 500);
    o.SetSaveExtLinkVal(true);
    o.SetPrecisionAsDisplayed(false);
    o.SetShowObjects(soHideAll);
    EXPECT_EQ(g.Word(recBOOKBOOL), 1);
    EXPECT_EQ(g.Word(recPRECISION), 0);
    EXPECT_EQ(g.Word(recHIDEOBJ), 2);

    b.SetBookProtected(true);
    b.SetBackup(true);
    b.SetRefreshAll(true);
    EXPECT_EQ(g.Word(recWINDOWPROTECT), 1);
    EXPECT_EQ(g.Word(recBACKUP), 1);
    EXPECT_EQ(g.Word(recREFRESHALL), 1);
    EXPECT_TRUE(b.BookProtected() && b.Backup() && b.RefreshAll());
    g.Record(rec1904).SetWordAt(0, 1);
    EXPECT_TRUE(b.Workbook()->Date1904());
}

TEST_F(WorkbookTest, UserNameKeepsItsFirst109CharactersInWriteAccess) {
    TXLSWorkbook4& b = book();
    const std::string longName(200, 'x');
    b.SetUserName(longName);
    EXPECT_EQ(b.UserName(), std::string(109, 'x'));
    const TRawRecord& r = b.GlobalRecords().WRITEACCESS();
    EXPECT_EQ(r.ByteAt(0), 109);
    EXPECT_EQ(r.ByteAt(1), 0);
    b.SetUserName("  Иванов ");
    EXPECT_EQ(b.UserName(), "Иванов");
    EXPECT_EQ(r.ByteAt(0), 9);
    EXPECT_EQ(r.ByteAt(5), 0xC8); // "И" in Windows-1251
    EXPECT_EQ(r.ByteAt(111), 0x20);
}

TEST_F(WorkbookTest, ReadOnlyRecommendationLivesInTheFileSharingBody) {
    TXLSWorkbook4& b = book();
    b.SetRecomendReadOnly(true);
    EXPECT_TRUE(b.RecomendReadOnly());
    EXPECT_EQ(b.FileSharing(), (std::vector<uint8_t>{1, 0, 0, 0, 0, 0}));
    b.SetRecomendReadOnly(false);
    EXPECT_FALSE(b.RecomendReadOnly());
    EXPECT_TRUE(b.FileSharing().empty());
}

TEST_F(WorkbookTest, MacroFileByTheNamesLastFourCharacters) {
    const struct {
        std::u16string name;
        bool macro;
    } cases[] = {{u"book.XLSM", true}, {u"c:\\a.xlsm", true}, {u"book.xls", false},
                 {u"xlsm", true},      {u"lsm", false},       {u"", false}};
    for (const auto& c : cases) {
        book().Filename = c.name;
        EXPECT_EQ(book().Excel2007MacroFile(), c.macro)
            << std::string(c.name.begin(), c.name.end());
    }
}

TEST_F(WorkbookTest, BooleanTextsAreSharedByEveryWorkbook) {
    TTestWorkbook other;
    SetPropValue(&book(), "StrTRUE", "ИСТИНА");
    EXPECT_EQ(GetPropValue(&other.Book(), "StrTRUE"), "ИСТИНА");
    other.Boolean(0, 0, true);
    EXPECT_EQ(other.Sheet().GetAsWideString(0, 0), u"ИСТИНА");
}

TEST(WorkbookPaperTest, PaperSizeFromTheLocalesMillimetres) {
    const struct {
        int w, h;
        TPaperSize size;
    } cases[] = {{216, 279, psLetter}, {216, 356, psLegal},  {297, 420, psA3},
                 {210, 297, psA4},     {215, 280, psLetter}, {100, 100, psA4}};
    for (const auto& c : cases)
        EXPECT_EQ(PaperSizeFromMillimetres(c.w, c.h), c.size) << c.w << "x" << c.h;

    for (const auto& c : cases) {
        TPaperQueryOverride paper([&c](int& w, int& h) {
            w = c.w;
            h = c.h;
            return true;
        });
        TXLSWorkbook4 book(nullptr);
        EXPECT_EQ(book.GetDefaultPaperSize(), c.size);
        EXPECT_EQ(book.Sheets()->Add()->PrintSettings()->PaperSize(), c.size);
    }
    TPaperQueryOverride failing([](int& w, int& h) {
        w = 216;
        h = 279;
        return false;
    });
    TXLSWorkbook4 book(nullptr);
    EXPECT_EQ(book.GetDefaultPaperSize(), psA4);
}

TEST(WorkbookPaperTest, ThePlatformReadsTheLocalesPaper) {
    // The C locale prints on A4.
    const char* saved = std::getenv("LC_ALL");
    const std::string keep = saved ? saved : "";
    setenv("LC_ALL", "C", 1);
    int w = 0, h = 0;
    const bool known = LocalePaperSize(w, h);
    if (saved)
        setenv("LC_ALL", keep.c_str(), 1);
    else
        unsetenv("LC_ALL");
    ASSERT_TRUE(known);
    EXPECT_EQ(w, 210);
    EXPECT_EQ(h, 297);
}

TEST(WorkbookTempFolderTest, AFileNamedLikeATemporaryWorkbookFileSurvivesANewWorkbook) {
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / ("XLSkeep" + std::to_string(::getpid()) + ".txt");
    {
        std::ofstream out(file);
        out << "mine";
    }
    { TTestWorkbook wb; }
    EXPECT_TRUE(std::filesystem::exists(file));
    std::filesystem::remove(file);
}

TEST_F(WorkbookTest, ADescriptionStreamsInAndWritesBackTheSame) {
    RegisterClasses<TXLSWorkbook4>();
    const std::string text = "object XLSWorkbook41: TXLSWorkbook4\n"
                             "  Version = xvExcel97\n"
                             "  Sheets = <\n"
                             "    item\n"
                             "      Name = 'Лист1'\n"
                             "      Options = [soGridlines, soRowColHeadings]\n"
                             "      DefaultColWidth = 10\n"
                             "    end\n"
                             "    item\n"
                             "      Name = 'Sheet2'\n"
                             "      Hidden = hsHidden\n"
                             "    end>\n"
                             "  Workbook.Left = 200\n"
                             "  Workbook.Width = 9000\n"
                             "  Workbook.Options = [woHScroll, woTabs]\n"
                             "  OptionsDialog.CalcCount = 0\n"
                             "  OptionsDialog.Delta = 0.01\n"
                             "  OptionsDialog.PrecisionAsDisplayed = False\n"
                             "  UserName = 'operator'\n"
                             "end\n";
    TXLSWorkbook4& b = book();
    ReadComponentDescription(text, &b);
    ASSERT_EQ(b.Sheets()->Count(), 2);
    EXPECT_EQ(b.Sheets()->Items(0)->Name(), u"Лист1");
    EXPECT_EQ(b.Sheets()->Items(0)->DefaultColWidth(), 10);
    EXPECT_EQ(b.Sheets()->Items(0)->Options(), (TSheetOptions{soGridlines, soRowColHeadings}));
    EXPECT_EQ(b.Sheets()->Items(1)->Hidden, hsHidden);
    EXPECT_EQ(b.Sheets()->SheetNames().Strings(0), u"Лист1");
    EXPECT_EQ(b.Sheets()->SheetNames().Count(), 2);
    EXPECT_EQ(b.FormulaHandler().CellValuesList().Count(), 2);
    EXPECT_EQ(b.Workbook()->Left(), 200);
    EXPECT_EQ(b.Workbook()->Width(), 9000);
    EXPECT_EQ(b.Workbook()->Options(), (TWorkbookOptions{woHScroll, woTabs}));
    EXPECT_EQ(b.OptionsDialog()->CalcCount(), 1);
    EXPECT_EQ(b.OptionsDialog()->Delta, 0.01);
    EXPECT_FALSE(b.OptionsDialog()->PrecisionAsDisplayed());
    EXPECT_EQ(b.UserName(), "operator");

    // What it writes reads back into a new workbook as the same description.
    const std::string written = ComponentToText(&b);
    TTestWorkbook copy;
    ReadComponentDescription(written, &copy.Book());
    EXPECT_EQ(ComponentToText(&copy.Book()), written);
    EXPECT_EQ(copy.Book().Sheets()->Items(1)->Name(), u"Sheet2");
}

struct RangeTest : WorkbookTest {
    TSheet& s() { return wb.Sheet(); }
    TCellValues& cells() { return s().Cells(); }
};

TEST_F(RangeTest, CopyOntoItselfDoesNothingAndReversedAreasAreOrdered) {
    wb.Number(1, 1, 5);
    book().CopyCells(0, 1, 1, 3, 3, 0, 1, 1, ccoCells);
    EXPECT_EQ(s().GetAsFloat(1, 1), 5);
    book().CopyCells(0, 3, 3, 1, 1, 0, 6, 6, ccoCells);
    EXPECT_EQ(s().GetAsFloat(6, 6), 5);
    EXPECT_EQ(s().GetAsFloat(1, 1), 5);
    // Without ccoCells no cell moves.
    book().MoveCells(0, 1, 1, 1, 1, 0, 9, 9, 0);
    EXPECT_EQ(s().GetCell(9, 9), nullptr);
    EXPECT_NE(s().GetCell(1, 1), nullptr);
}

TEST_F(RangeTest, CopiesThatWouldLandBeyondTheSheetsEdgeAreDropped) {
    for (int c = 250; c <= 255; ++c)
        wb.Integer(c, 65530, c);
    book().CopyCells(0, 250, 65530, 255, 65530, 0, 253, 65535, ccoCells);
    EXPECT_EQ(s().GetAsFloat(253, 65535), 250);
    EXPECT_EQ(s().GetAsFloat(255, 65535), 252);
    for (int c = 256; c < 260; ++c)
        EXPECT_EQ(cells().FindCell(c, 65535), nullptr);
    // A block partly beyond the edge copies what lies on the sheet, at its place in the block.
    book().CopyCells(0, 254, 65530, 300, 65530, 0, 0, 0, ccoCells);
    EXPECT_EQ(s().GetAsFloat(0, 0), 254);
    EXPECT_EQ(s().GetAsFloat(1, 0), 255);
    // Negative destinations drop too.
    book().MoveCells(0, 250, 65530, 251, 65530, 0, -1, 10, ccoCells);
    EXPECT_EQ(s().GetAsFloat(0, 10), 251);
}

TEST_F(RangeTest, CopiedTextsHoldTheirOwnReferences) {
    wb.Text(0, 0, u"shared");
    book().CopyCells(0, 0, 0, 0, 0, 0, 0, 1, ccoCells);
    book().CopyCells(0, 0, 0, 0, 0, 0, 0, 2, ccoCells);
    // A copy placed over a copy frees it with its reference.
    book().CopyCells(0, 0, 1, 0, 1, 0, 0, 2, ccoCells);
    s().DeleteCell(0, 0);
    s().DeleteCell(0, 1);
    EXPECT_EQ(s().GetAsWideString(0, 2), u"shared");
    EXPECT_EQ(TSST2::RefCount(static_cast<TStringCell*>(s().GetCell(0, 2))->Entry()), 1);
}

TEST_F(RangeTest, MovesRemoveTheSourceAndAdjustFormulas) {
    wb.Number(1, 0, 2);
    wb.Formula(0, 0, u"B1+1");
    wb.Formula(0, 1, u"$B$1+1");
    book().MoveCells(0, 0, 0, 1, 1, 0, 3, 4, ccoCells | ccoAdjustFormulas);
    EXPECT_EQ(s().GetCell(0, 0), nullptr);
    EXPECT_EQ(s().GetAsFloat(4, 4), 2);
    SetPropValue(&book(), "ShowFormulas", "True");
    EXPECT_EQ(s().GetAsWideString(3, 4), u"E5+1");
    EXPECT_EQ(s().GetAsWideString(3, 5), u"$B$1+1");
    book().CopyCells(0, 3, 5, 3, 5, 0, 6, 6, ccoCells | ccoAdjustFormulas | ccoMoveAbsolute);
    EXPECT_EQ(s().GetAsWideString(6, 6), u"$E$2+1");
    book().CopyCells(0, 3, 4, 3, 4, 0, 6, 8, ccoCells | ccoAdjustFormulas | ccoKeepRows);
    EXPECT_EQ(s().GetAsWideString(6, 8), u"H5+1");
}

TEST_F(RangeTest, AreasFollowWithinASheetAndAcrossSheets) {
    TSheet& other = *book().Sheets()->Add();
    s().MergedCells()->AddArea(1, 1, 2, 2);
    wb.Number(1, 1, 7);
    book().CopyCells(0, 0, 0, 3, 3, 0, 10, 10, ccoCells | ccoMergedCells);
    ASSERT_EQ(s().MergedCells()->Count(), 2);
    EXPECT_EQ(s().MergedCells()->Items(1)->Rect(), (TAreaRect{11, 11, 12, 12}));
    book().MoveCells(0, 10, 10, 13, 13, 1, 0, 0, ccoCells | ccoMergedCells);
    ASSERT_EQ(s().MergedCells()->Count(), 1);
    ASSERT_EQ(other.MergedCells()->Count(), 1);
    EXPECT_EQ(other.MergedCells()->Items(0)->Rect(), (TAreaRect{1, 1, 2, 2}));
    EXPECT_EQ(other.GetAsFloat(1, 1), 7);
    EXPECT_EQ(s().GetCell(11, 11), nullptr);
}

TEST_F(RangeTest, ShapesMovedToAnotherSheetLandWithTheBlockAndKeepTheirViews) {
    TSheet& other = *book().Sheets()->Add();
    TDrwText* box = s().DrawingObjects()->Texts().Add();
    box->SetText(u"заметка");
    box->SetCol1(1);
    box->SetRow1(1);
    box->SetCol2(3);
    box->SetRow2(4);
    TDrwText* outside = s().DrawingObjects()->Texts().Add();
    outside->SetCol1(20);
    outside->SetRow1(20);
    book().MoveCells(0, 0, 0, 5, 5, 1, 10, 100, ccoShapes);
    // The source keeps only the shape outside the block, with its view.
    ASSERT_EQ(s().DrawingObjects()->Texts().Count(), 1);
    EXPECT_EQ(s().DrawingObjects()->Texts().Items(0), outside);
    EXPECT_EQ(s().Drawing().ShapeCount(), 1);
    // The destination shows the moved one, moved with the block.
    ASSERT_EQ(other.DrawingObjects()->Texts().Count(), 1);
    TDrwText* moved = other.DrawingObjects()->Texts().Items(0);
    EXPECT_EQ(moved->Text(), u"заметка");
    EXPECT_EQ(moved->Col1(), 11);
    EXPECT_EQ(moved->Row1(), 101);
    EXPECT_EQ(moved->Col2(), 13);
    EXPECT_EQ(moved->Row2(), 104);
}

TEST_F(RangeTest, DeleteCellsClearsTheBlockAndAnUnknownSheetRaises) {
    wb.Number(0, 0, 1);
    wb.Number(5, 5, 1);
    book().DeleteCells(0, 0, 0, 4, 4);
    EXPECT_EQ(s().GetCell(0, 0), nullptr);
    EXPECT_NE(s().GetCell(5, 5), nullptr);
    EXPECT_THROW(book().DeleteCells(3, 0, 0, 1, 1), Exception);
    EXPECT_THROW(book().CopyCells(0, 0, 0, 1, 1, 7, 0, 0, ccoCells), Exception);
    EXPECT_NE(s().GetCell(5, 5), nullptr);
}

TEST_F(RangeTest, FormulasNameSheetsAndCellsThroughTheWorkbook) {
    book().Sheets()->Add()->SetName(u"Итоги");
    wb.Number(2, 3, 8, 1);
    TFormulaHandler& h = book().FormulaHandler();
    const std::vector<uint8_t> tokens = h.EncodeFormula(u"Итоги!C4*2");
    EXPECT_EQ(h.DecodeFormula(tokens), u"Итоги!C4*2");
    TFormulaValue v;
    h.CalcFormula(tokens, 0, v, 0, 0);
    EXPECT_EQ(v.Number, 16);
    EXPECT_THROW(h.EncodeFormula(u"Nowhere!A1"), Exception);
}

} // namespace
