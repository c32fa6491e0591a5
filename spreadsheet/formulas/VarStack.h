#pragma once
// The stack of formula values one evaluation works on, and the operator tokens: arithmetic,
// concatenation, comparison, the prefix operators and percent. References on the stack turn
// into the value of their cell when an operator needs it.

#include "spreadsheet/formulas/FormulaSheets.h"

#include <cstdint>
#include <string>
#include <vector>

class TVarStack {
public:
    TVarStack(TFormulaSheets& sheets, int sheetIndex, const TFormatSettings& settings);
    virtual ~TVarStack() = default;

    // Raises "Empty stack".
    void Pop(TFormulaValue& value);
    void Push(const TFormulaValue& value);
    void PushNumber(double value);
    void PushString(const std::u16string& value);
    void PushBoolean(bool value);
    void PushError(uint8_t index);
    void PushRef(int col, int row);
    void PushArea(int col1, int row1, int row2, int col2);
    void PushRef3d(int col, int row, int sheet);
    void PushArea3d(int col1, int row1, int sheet, int row2, int col2);
    void PushEmpty();
    // Raises "Value is missing" when the operator lacks an operand.
    void ApplyOperator(uint8_t ptg);

    int Count() const { return StackPtr + 1; }
    int Capacity() const { return static_cast<int>(Stack.size()); }

    std::vector<TFormulaValue> Stack;
    int StackPtr = -1;
    TFormulaSheets& Sheets;
    int SheetIndex;
    const TFormatSettings& Settings;
    // The cells under evaluation, when the stack belongs to a calculation: a formula cell not
    // calculated yet is calculated before its value is read (a cycle reads as #VALUE!).
    TCellRefArray* Trail = nullptr;

    // The value of a cell, calculated first when it is a formula cell not calculated yet.
    void CellValue(int sheet, int col, int row, TFormulaValue& value);

protected:
    // A reference's cell value; any other value is itself.
    TFormulaValue ValueOf(const TFormulaValue& v);
    // The value as a number into `out`; false with `error` set (an error index) when it is
    // none. A string that does not convert is no error when `textOk`.
    bool AsNumber(const TFormulaValue& v, double& out, uint8_t& error, bool textOk) const;
    // The value as text: numbers in their shortest text, Booleans as the workbook's texts.
    std::u16string AsText(const TFormulaValue& v) const;
    // A number result; one that is not finite is #NUM!.
    static void SetResult(TFormulaValue& v, double value);
};
