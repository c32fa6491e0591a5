#pragma once
// A workbook for tests, its paper size independent of the machine's locale, with helpers that
// put cells of every kind into its sheets.

#include "spreadsheet/cells/Cell.h"
#include "spreadsheet/sheets/Sheet.h"
#include "spreadsheet/workbook/XLSWorkbook.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

// Replaces the workbook's locale query while it lives.
class TPaperQueryOverride {
public:
    explicit TPaperQueryOverride(std::function<bool(int&, int&)> query);
    ~TPaperQueryOverride();
    TPaperQueryOverride(const TPaperQueryOverride&) = delete;
    TPaperQueryOverride& operator=(const TPaperQueryOverride&) = delete;

private:
    std::function<bool(int&, int&)> saved_;
};

class TTestWorkbook {
public:
    TTestWorkbook();
    ~TTestWorkbook();

    TXLSWorkbook4& Book() { return *book_; }
    TSheet& Sheet(int index = 0) { return *book_->Sheets()->Items(index); }

    TCell* Integer(int col, int row, int value, int sheet = 0);
    TCell* Number(int col, int row, double value, int sheet = 0);
    // A text cell; runs (first character position, font position) make it formatted.
    TCell* Text(int col, int row, const std::u16string& text, const std::vector<TSSTRun>& runs = {},
                int sheet = 0);
    TCell* Boolean(int col, int row, bool value, int sheet = 0);
    TCell* Error(int col, int row, uint8_t index, int sheet = 0);
    TCell* Blank(int col, int row, int sheet = 0);
    // A formula cell compiled from the text, with a cached number result.
    TCell* Formula(int col, int row, const std::u16string& text, double result = 0, int sheet = 0);
    // A formula cell with a cached text result.
    TCell* FormulaString(int col, int row, const std::u16string& text, const std::u16string& result,
                         int sheet = 0);

private:
    TCell* Put(int sheet, std::unique_ptr<TCell> cell);
    TPaperQueryOverride paper_;
    std::unique_ptr<TXLSWorkbook4> book_;
};
