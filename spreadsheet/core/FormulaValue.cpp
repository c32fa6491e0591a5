#include "spreadsheet/core/FormulaValue.h"

#include "platform/rtl/CodePage.h"
#include "platform/rtl/Exception.h"
#include "spreadsheet/core/XLSUtils.h"

void SetNumberValue(TFormulaValue& v, double number) {
    v.Kind = fvNumber;
    v.Number = number;
}

void SetBooleanValue(TFormulaValue& v, bool b) {
    v.Kind = fvBoolean;
    v.Small = b ? 1 : 0;
}

void SetErrorValue(TFormulaValue& v, uint8_t index) {
    v.Kind = fvError;
    v.Small = index;
}

void SetStringValue(TFormulaValue& v, const std::u16string& text) {
    v.Kind = fvString;
    v.Text = text;
}

void SetRefValue(TFormulaValue& v, int col, int row) {
    v.Kind = fvRef;
    v.Col1 = static_cast<uint16_t>(col);
    v.Row1 = static_cast<uint16_t>(row);
}

void SetAreaValue(TFormulaValue& v, int col1, int row1, int col2, int row2) {
    v.Kind = fvArea;
    v.Col1 = static_cast<uint16_t>(col1);
    v.Row1 = static_cast<uint16_t>(row1);
    v.Col2 = static_cast<uint16_t>(col2);
    v.Row2 = static_cast<uint16_t>(row2);
}

void SetRef3dValue(TFormulaValue& v, int col, int row, int sheet) {
    SetRefValue(v, col, row);
    v.Kind = fvRef3d;
    v.Col2 = static_cast<uint16_t>(sheet);
}

void SetArea3dValue(TFormulaValue& v, int col1, int row1, int col2, int row2, int sheet) {
    SetAreaValue(v, col1, row1, col2, row2);
    v.Kind = fvArea3d;
    v.Sheet = static_cast<uint16_t>(sheet);
}

void SetEmptyValue(TFormulaValue& v) {
    v.Kind = fvEmpty;
}

std::u16string ValueText(const TFormulaValue& v) {
    return v.Kind == fvString ? v.Text : std::u16string();
}

bool CompareValues(const TFormulaValue& a, const TFormulaValue& b, double& diff) {
    if (a.Kind == fvError || b.Kind == fvError || a.Kind != b.Kind)
        return false;
    switch (a.Kind) {
    case fvNumber:
        diff = a.Number - b.Number;
        break;
    case fvBoolean:
        diff = a.Small == b.Small ? 0 : 1;
        break;
    case fvString:
        diff = AnsiCompareStr(Utf16ToUtf8(UpperText(a.Text)), Utf16ToUtf8(UpperText(b.Text)));
        break;
    case fvEmpty:
        diff = 0;
        break;
    default:
        throw Exception("Illegal value in comparision");
    }
    return true;
}

int AreaCellCount(const TFormulaValue& v) {
    if (v.Kind != fvArea && v.Kind != fvArea3d)
        return 1;
    return (v.Col2 - v.Col1 + 1) * (v.Row2 - v.Row1 + 1);
}
