#include "spreadsheet/formulas/FormulaHandler.h"

#include "platform/rtl/CodePage.h"
#include "tests/spreadsheet/formulas/WorkbookFixture.h"
#include "tests/support/ErrorMessage.h"

namespace {

struct SharedFormulas : WorkbookFixture {
    TCellValues& store() { return *handler.CellValuesList().Items(0); }
    // A1 holds "B2*2+$D$1" for A1:C1; B1 and C1 belong to it without a text.
    void MakeShared() {
        store().SharedFormulas.Add("A1:C1");
        FormulaText(0, 0, u"B2*2+$D$1", 0);
        FormulaText(1, 0, u"", 0);
        FormulaText(2, 0, u"", 0);
        Number(1, 1, 1);
        Number(2, 1, 2);
        Number(3, 1, 3);
        Number(3, 0, 10);
    }
    std::string Text(int col, int row) {
        return Utf16ToUtf8(
            handler.DecodeFormula(static_cast<TFormulaCell*>(Cell(col, row))->Tokens()));
    }
    int Shared(int col, int row) { return static_cast<TFormulaCell*>(Cell(col, row))->SharedIndex; }
};

TEST_F(SharedFormulas, ChangingTheMasterGivesEveryCellItsOwnTokens) {
    for (TExcelVersion version : {xvExcel97, xvExcel2007}) {
        handler.SetVersion(version);
        MaxCol = version == xvExcel2007 ? MaxColWide : MaxColClassic;
        MaxRow = version == xvExcel2007 ? MaxRowWide : MaxRowClassic;
        store().Clear();
        store().SharedFormulas.Clear();
        MakeShared();
        handler.CompileCellFormula(0, 0, 0);
        // Relative parts follow the cell, absolute ones stay.
        EXPECT_EQ(Text(0, 0), "B2*2+$D$1");
        EXPECT_EQ(Text(1, 0), "C2*2+$D$1");
        EXPECT_EQ(Text(2, 0), "D2*2+$D$1");
        for (int col = 0; col < 3; ++col)
            EXPECT_EQ(Shared(col, 0), 0xFFFF);
        EXPECT_EQ(store().SharedFormulas.Strings(0), "");
        // The workbook's own layout: a classic workbook calculates what it compiled.
        if (version == xvExcel97) {
            EXPECT_EQ(static_cast<TFormulaCell*>(Cell(1, 0))->Tokens()[0], 0x44);
            EXPECT_EQ(Show(Evaluate(2, 0)), "16");
        } else {
            EXPECT_EQ(static_cast<TFormulaCell*>(Cell(1, 0))->Tokens()[0], 0xFE);
        }
    }
}

TEST_F(SharedFormulas, DeletingACellOfASharedFormula) {
    MakeShared();
    store().DeleteCell(1, 0);
    EXPECT_EQ(Cell(1, 0), nullptr);
    EXPECT_EQ(Text(0, 0), "B2*2+$D$1");
    EXPECT_EQ(Text(2, 0), "D2*2+$D$1");
    EXPECT_EQ(Shared(2, 0), 0xFFFF);
    // A cell whose shared formula is gone raises, and stays.
    FormulaText(5, 5, u"", 0);
    EXPECT_EQ(ErrorMessage([&] { store().DeleteCell(5, 5); }),
              "Excpected shared formula not found");
    EXPECT_NE(Cell(5, 5), nullptr);
}

TEST_F(SharedFormulas, AHandlerGoesWithItsSharedFormulas) {
    // Its stores go last, after the encoder: freeing their cells must not compile anything.
    auto other = std::make_unique<TFormulaHandler>(sst);
    TCellValues& cells = *other->CellValuesList().AddNew();
    cells.SharedFormulas.Add("A1:B1");
    for (int col = 0; col < 2; ++col) {
        auto cell =
            std::make_unique<TFormulaNumberCell>(formats, formats.DefaultFormat(), col, 0, 0);
        cell->SetFormulaText(u"1");
        cell->SharedIndex = 0;
        cells.SetCell(col, 0, std::move(cell));
    }
    EXPECT_NO_THROW(other.reset());
}

TEST_F(SharedFormulas, CompilingACellOfItsOwn) {
    FormulaText(0, 0, u"1+2*3", 0xFFFF);
    handler.CompileCellFormula(0, 0, 0);
    auto* cell = static_cast<TFormulaCell*>(Cell(0, 0));
    EXPECT_EQ(cell->FormulaIsText, 0);
    EXPECT_EQ(Text(0, 0), "1+2*3");
    EXPECT_EQ(Show(Evaluate(0, 0)), "7");
    // A formula held as text is compiled when it is calculated.
    FormulaText(0, 1, u"A1*2", 0xFFFF);
    EXPECT_EQ(Show(Evaluate(0, 1)), "14");
}

} // namespace
