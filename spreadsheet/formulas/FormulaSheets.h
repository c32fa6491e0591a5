#pragma once
// What calculating a formula reads of the workbook: the cells of its sheets as formula values,
// the calculation of formula cells it refers to, and the handler for worksheet functions the
// evaluator does not compute itself. The workbook's sheets answer it; the formula handler has
// an answer of its own over its cell stores (sheet i is store i).

#include "platform/rtl/FormatSettings.h"
#include "spreadsheet/cells/CellPos.h"
#include "spreadsheet/core/FormulaValue.h"

#include <cstdint>
#include <string>
#include <vector>

class TCell;

// A formula cell under evaluation.
struct TCellRef {
    int Sheet;
    int Row;
    int Col;
    bool operator==(const TCellRef&) const = default;
};

// What one calculation is in the middle of: the formula cells and the defined names whose
// formulas are being evaluated, outermost first. A reference back into it is a cycle.
struct TCellRefArray {
    std::vector<TCellRef> Cells;
    std::vector<int> Names;
};

class TFormulaSheets {
public:
    virtual ~TFormulaSheets() = default;

    virtual TCell* FindCell(int sheet, int col, int row) = 0;
    // The positions of the cells the sheet stores in the area (bounds inclusive, col1 <= col2,
    // row1 <= row2), column by column and in row order within a column. Functions over areas
    // visit these and count the empty cells between them, so an area of a whole sheet costs
    // what its stored cells cost.
    virtual void StoredCells(int sheet, int col1, int row1, int col2, int row2,
                             std::vector<TCellPos>& cells) = 0;
    // The cell as a value. byRef: no cell (and a blank) is the empty value; otherwise it is
    // the error #N/A.
    virtual void GetCellValue(int sheet, int col, int row, TFormulaValue& value, bool byRef) = 0;
    // Calculates the formula cell with the cells under evaluation, and marks it calculated.
    virtual void EvaluateCell(int sheet, int col, int row, TFormulaValue& value,
                              TCellRefArray& refs) = 0;
    // A worksheet function the evaluator leaves to the workbook: fills `result` or leaves it.
    virtual void CallFunction(const std::u16string& name, TFormulaValue& result, int lastArg,
                              std::vector<TFormulaValue>& args) {
        (void)name, (void)result, (void)lastArg, (void)args;
    }
};
