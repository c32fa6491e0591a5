#pragma once
// The value stack of one evaluation with one more operation: a worksheet function. The
// arguments are popped and checked against the function table; a small set of functions is
// computed here, every other one is left to the workbook's function handler.

#include "spreadsheet/formulas/VarStack.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

// The function number under which user-defined functions are evaluated.
constexpr int kUserDefinedFunction = 338;

class TExcelFunctionEvaluate : public TVarStack {
public:
    using TVarStack::TVarStack;

    // Pops argCount arguments, computes the function and pushes its result. row and col are
    // the position of the cell whose formula is evaluated.
    virtual void EvaluateFunction(int index, int argCount, int row, int col);

    std::vector<TFormulaValue> Args;
    // The arguments expanded into single values (a reference into its cell's value, an area
    // into the values of its cells, column by column): the first three, and how many there
    // are. The rest are streamed by ForEachValue, so that an area of a whole sheet is never
    // held at once and its empty cells are counted, not visited.
    std::vector<TFormulaValue> Values;
    int64_t ValueCount = 0;
    std::u16string FuncName;

    // Calls `value` for every expanded value in order until it returns false. The empty cells
    // of an area come in runs between the stored ones: `empties(n)` stands for n empty values
    // at that point and stops the walk when it returns false.
    template <class F, class E> void ForEachValue(F value, E empties);
    // For ForEachValue: a function that passes over empty values.
    static bool SkipEmpties(int64_t) { return true; }

private:
    void ExpandArguments();
    // The result of a built-in function; false when the index has none.
    bool Builtin(int index, int row, int col, TFormulaValue& result);
    bool Aggregate(int index, TFormulaValue& result);
    bool Logical(int index, TFormulaValue& result);
    bool Mathematical(int index, TFormulaValue& result);
    bool Texts(int index, TFormulaValue& result);
    void Lookup(TFormulaValue& result);

    // Conversions of the function arguments; false when the value does not convert (with
    // result set where the rules say so).
    bool AsBoolean(const TFormulaValue& v, bool& out, TFormulaValue& result) const;
    bool AsNumberArg(const TFormulaValue& v, double& out) const;
    void CheckNotReference(const TFormulaValue& v) const;
};

template <class F, class E> void TExcelFunctionEvaluate::ForEachValue(F value, E empties) {
    std::vector<TCellPos> cells;
    for (const TFormulaValue& arg : Args) {
        if (arg.Kind != fvArea && arg.Kind != fvArea3d) {
            if (!value(ValueOf(arg)))
                return;
            continue;
        }
        const int sheet = arg.Kind == fvArea3d ? arg.Sheet : SheetIndex;
        const int col1 = std::min(arg.Col1, arg.Col2), col2 = std::max(arg.Col1, arg.Col2);
        const int row1 = std::min(arg.Row1, arg.Row2), row2 = std::max(arg.Row1, arg.Row2);
        const int64_t height = int64_t(row2) - row1 + 1;
        Sheets.StoredCells(sheet, col1, row1, col2, row2, cells);
        // Positions are numbered column by column; `next` is the first one not visited yet.
        int64_t next = 0;
        for (const TCellPos& at : cells) {
            const int64_t index = int64_t(at.Col - col1) * height + (at.Row - row1);
            if (index > next && !empties(index - next))
                return;
            TFormulaValue v;
            CellValue(sheet, at.Col, at.Row, v);
            if (!value(v))
                return;
            next = index + 1;
        }
        const int64_t size = int64_t(col2 - col1 + 1) * height;
        if (size > next && !empties(size - next))
            return;
    }
}
