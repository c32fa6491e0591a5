#pragma once
// A formula handler over two sheets ("Sheet1", "Sheet2") of cell stores, with helpers that put
// values and formulas into cells and calculate them.

#include "spreadsheet/cells/Cell.h"
#include "spreadsheet/formulas/FormulaHandler.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

struct WorkbookFixture : ::testing::Test {
    WorkbookFixture();
    void SetUp() override;

    void Number(int col, int row, double v, int sheet = 0);
    void Text(int col, int row, const std::u16string& v, int sheet = 0);
    void Boolean(int col, int row, bool v, int sheet = 0);
    // A formula cell compiled from `text` (not calculated).
    void Formula(int col, int row, const std::u16string& text, int sheet = 0);
    // A formula cell holding its text, of shared formula `shared` (0xFFFF: none).
    TFormulaCell* FormulaText(int col, int row, const std::u16string& text, uint16_t shared,
                              int sheet = 0);
    // The calculated value of a formula text on the given cell, and of a formula cell.
    TFormulaValue Calc(const std::u16string& text, int col = 10, int row = 10, int sheet = 0);
    TFormulaValue Evaluate(int col, int row, int sheet = 0);
    // A value as text for comparisons: "7", "abc" (strings in quotes), "TRUE", "#N/A", "<empty>".
    static std::string Show(const TFormulaValue& v);
    TCell* Cell(int col, int row, int sheet = 0);

    TXFonts fonts;
    TCellFormats formats{fonts, true};
    TSST2 sst{fonts};
    TFormulaHandler handler{sst, TFormatSettings::Invariant()};
    std::vector<std::u16string> sheetNames{u"Sheet1", u"Sheet2"};
};
