#include "spreadsheet/records/Pane.h"
#include "spreadsheet/records/PrintSettings.h"
#include "spreadsheet/records/RecordStorage.h"
#include "spreadsheet/records/Selection.h"

#include "spreadsheet/core/XLSGlobals.h"
#include "tests/support/ErrorMessage.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<uint8_t> Body(const TRawRecord& r) {
    return {r.Body(), r.Body() + r.Length()};
}

struct SheetFixture : ::testing::Test {
    TRecordStorageSheet records;
    TPrintSettings print{records};
};

} // namespace

TEST_F(SheetFixture, NewPageSetupReadsTheDefaults) {
    print.SetPaperSize(psA4); // the sheet gives every new page setup its default paper size
    EXPECT_EQ(print.PaperSize(), psA4);
    EXPECT_EQ(print.ScalingFactor(), 100);
    EXPECT_EQ(print.StartingPage(), 1);
    EXPECT_EQ(print.FitWidth(), 1);
    EXPECT_EQ(print.FitHeight(), 1);
    EXPECT_EQ(print.Options(), TPrintSetupOptions({psoPortrait}));
    EXPECT_EQ(records.SETUP().WordAt(10), 0x0002);
    EXPECT_EQ(print.Resolution(), 600);
    EXPECT_DOUBLE_EQ(print.HeaderMargin(), 0.5);
    EXPECT_DOUBLE_EQ(print.FooterMarginCm(), 1.27);
    EXPECT_EQ(print.Copies(), 0);
    EXPECT_DOUBLE_EQ(print.MarginLeftCm(), 1.905);
    EXPECT_DOUBLE_EQ(print.MarginRight, 0.75);
    EXPECT_DOUBLE_EQ(print.MarginTopCm(), 2.54);
    EXPECT_DOUBLE_EQ(print.MarginBottom, 1.0);
    EXPECT_EQ(print.HorizPagebreaks()->Count(), 0);
    EXPECT_EQ(print.VertPagebreaks()->Count(), 0);
}

TEST_F(SheetFixture, StartingPageBitAndOptionWord) {
    print.SetStartingPage(5);
    EXPECT_EQ(print.StartingPage(), 5);
    EXPECT_EQ(records.SETUP().WordAt(10), 0x0082);
    print.SetOptions({psoPortrait});
    EXPECT_EQ(records.SETUP().WordAt(10), 0x0002); // the whole word is replaced
    print.SetStartingPage(5);
    print.SetStartingPage(1);
    EXPECT_EQ(records.SETUP().WordAt(10), 0x0002);
}

TEST_F(SheetFixture, OptionsSpreadOverTheWordAndTheFlagRecords) {
    TPrintSetupOptions all{psoLeftToRight,  psoPortrait,    psoNoColor,
                           psoDraftQuality, psoNotes,       psoRowColHeading,
                           psoGridlines,    psoHorizCenter, psoVertCenter};
    print.SetOptions(all);
    EXPECT_EQ(records.SETUP().WordAt(10), 0x003B);
    for (uint16_t id : {recPRINTHEADERS, recPRINTGRIDLINES, recHCENTER, recVCENTER})
        EXPECT_EQ(records.Record(id).WordAt(0), 1) << id;
    EXPECT_EQ(print.Options(), all);
    print.SetOptions({psoGridlines, psoNotes});
    EXPECT_EQ(records.SETUP().WordAt(10), 0x0020);
    EXPECT_EQ(records.Record(recPRINTHEADERS).WordAt(0), 0);
    EXPECT_EQ(records.Record(recPRINTGRIDLINES).WordAt(0), 1);
    EXPECT_EQ(print.Options(), TPrintSetupOptions({psoGridlines, psoNotes}));
}

TEST_F(SheetFixture, FitValuesOutsideTheWordStoreZero) {
    struct Case {
        int value;
        int stored;
    } cases[] = {{70000, 0}, {-1, 0}, {65535, 65535}, {0, 0}, {3, 3}};
    for (const Case& c : cases) {
        print.SetFitWidth(c.value);
        print.SetFitHeight(c.value);
        EXPECT_EQ(print.FitWidth(), c.stored) << c.value;
        EXPECT_EQ(print.FitHeight(), c.stored) << c.value;
    }
}

TEST_F(SheetFixture, CentimetreMarginsAndPaperByte) {
    print.SetMarginLeftCm(2.54);
    EXPECT_DOUBLE_EQ(print.MarginLeft, 1.0);
    print.SetHeaderMarginCm(2.54);
    EXPECT_DOUBLE_EQ(records.SETUP().DoubleAt(16), 1.0);

    records.SETUP().SetWordAt(0, 0x1209);
    std::vector<uint8_t> before = Body(records.SETUP());
    print.SetPaperSize(psA3);
    std::vector<uint8_t> after = Body(records.SETUP());
    EXPECT_EQ(after[0], 8);
    after[0] = before[0];
    EXPECT_EQ(after, before); // only byte 0 changed, the high byte of the word too stays
}

TEST_F(SheetFixture, PageBreaksStartAtTheLimitsOfTheirTime) {
    MaxCol = MaxColClassic;
    MaxRow = MaxRowClassic;
    THorizPagebreak* h = print.HorizPagebreaks()->Add();
    EXPECT_EQ(h->Col2, 255);
    EXPECT_EQ(h->Row, 0);
    MaxCol = MaxColWide;
    MaxRow = MaxRowWide;
    EXPECT_EQ(print.HorizPagebreaks()->Add()->Col2, 16383);
    TVertPagebreak* v = print.VertPagebreaks()->Add();
    EXPECT_EQ(v->Row2, 1048575);
    EXPECT_EQ(v->Col, 0);
}

TEST_F(SheetFixture, AssignCopiesTextsMarginsAndBreaksButNotRecords) {
    TRecordStorageSheet otherRecords;
    TPrintSettings source(otherRecords);
    source.Header = u"Top";
    source.Footer = u"Bottom";
    source.MarginTop = 2.0;
    source.SetScalingFactor(50);
    THorizPagebreak* h = source.HorizPagebreaks()->Add();
    h->Row = 10;
    h->Col2 = 7;
    source.VertPagebreaks()->Add()->Col = 3;

    print.Assign(&source);
    EXPECT_EQ(print.Header, u"Top");
    EXPECT_EQ(print.Footer, u"Bottom");
    EXPECT_DOUBLE_EQ(print.MarginTop, 2.0);
    EXPECT_EQ(print.ScalingFactor(), 100);
    ASSERT_EQ(print.HorizPagebreaks()->Count(), 1);
    EXPECT_EQ(print.HorizPagebreaks()->Items(0)->Row, 10);
    EXPECT_EQ(print.HorizPagebreaks()->Items(0)->Col2, 7);
    EXPECT_EQ(print.VertPagebreaks()->Items(0)->Col, 3);

    TPane pane;
    EXPECT_EQ(ErrorMessage([&] { print.Assign(&pane); }), "Object is not TPrintSettings");
    EXPECT_EQ(print.Header, u"Top");
    EXPECT_EQ(ErrorMessage([&] { h->Assign(print.VertPagebreaks()->Items(0)); }),
              "Object is not THorizPagebreak");
    EXPECT_EQ(ErrorMessage([&] { print.VertPagebreaks()->Items(0)->Assign(h); }),
              "Object is not TVertPagebreak");
    EXPECT_EQ(h->Row, 10);
}

TEST_F(SheetFixture, PublishedValuesGoThroughTheRecords) {
    SetPropValue(&print, "ScalingFactor", "75");
    EXPECT_EQ(print.ScalingFactor(), 75);
    SetPropValue(&print, "PaperSize", "1");
    EXPECT_EQ(print.PaperSize(), psLetter);
    SetPropValue(&print, "Options", "[psoGridlines]");
    EXPECT_TRUE(records.Flag(recPRINTGRIDLINES));
    EXPECT_EQ(GetPropValue(&print, "Options"), "[psoGridlines]");
}

TEST_F(SheetFixture, SelectionOfANewSheetAndItsBlockColumns) {
    TSelection selection(records);
    EXPECT_EQ(records.SELECTION().ByteAt(0), 3);
    EXPECT_EQ(selection.ActiveRow(), 1);
    EXPECT_EQ(selection.ActiveCol(), 1);
    EXPECT_EQ(selection.Row1(), 1);
    EXPECT_EQ(selection.Col2(), 1);

    selection.SetActiveCol(300);
    EXPECT_EQ(selection.ActiveCol(), 300);
    EXPECT_EQ(selection.Col1(), 44);
    EXPECT_EQ(selection.Col2(), 44);
    selection.SetActiveRow(70);
    EXPECT_EQ(selection.ActiveRow(), 70);
    EXPECT_EQ(selection.Row1(), 70);
    EXPECT_EQ(selection.Row2(), 70);
    EXPECT_EQ(records.SELECTION().Length(), 15);
    EXPECT_EQ(records.SELECTION().WordAt(7), 1); // block count untouched
}

TEST(SelectedAreas, StartWithTheFirstCellAndTrackTheActiveCell) {
    TSelectedAreas areas;
    ASSERT_EQ(areas.Count(), 1);
    EXPECT_EQ(areas.Items(0)->Col2, 0);
    TSelectedArea* a = areas.AddCell(4, 9);
    EXPECT_EQ(a->Col1, 4);
    EXPECT_EQ(a->Col2, 4);
    EXPECT_EQ(a->Row1, 9);
    EXPECT_EQ(a->Row2, 9);
    EXPECT_EQ(areas.ActiveCol, 4);
    EXPECT_EQ(areas.ActiveRow, 9);
    TSelectedArea* b = areas.AddArea();
    EXPECT_EQ(b->Row2, 0);
    EXPECT_EQ(areas.ActiveCol, 4);
    areas.Clear();
    EXPECT_EQ(areas.Count(), 0);
}
