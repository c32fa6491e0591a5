#pragma once
// The value record the formula evaluator passes around, and the small operations on it.

#include <cstdint>
#include <string>

enum : uint8_t {
    fvNumber = 0,
    fvBoolean = 1,
    fvError = 2,
    fvString = 3,
    fvRef = 4,
    fvArea = 5,
    fvRef3d = 6,
    fvArea3d = 7,
    fvEmpty = 8
};

struct TFormulaValue {
    std::u16string Text;
    uint8_t Kind = fvEmpty;
    uint8_t Small = 0;
    uint16_t Col1 = 0;
    uint16_t Row1 = 0;
    uint16_t Col2 = 0; // the sheet index of a kind 6 value
    uint16_t Row2 = 0;
    uint16_t Sheet = 0;
    double Number = 0; // a kind 0 value
};

void SetNumberValue(TFormulaValue& v, double number);
void SetBooleanValue(TFormulaValue& v, bool b);
void SetErrorValue(TFormulaValue& v, uint8_t index);
void SetStringValue(TFormulaValue& v, const std::u16string& text);
void SetRefValue(TFormulaValue& v, int col, int row);
void SetAreaValue(TFormulaValue& v, int col1, int row1, int col2, int row2);
void SetRef3dValue(TFormulaValue& v, int col, int row, int sheet);
void SetArea3dValue(TFormulaValue& v, int col1, int row1, int col2, int row2, int sheet);
void SetEmptyValue(TFormulaValue& v);

// The text of a string value, else the empty text.
std::u16string ValueText(const TFormulaValue& v);
// False when either is an error or the kinds differ; references and areas raise "Illegal value
// in comparision". Two empty values compare equal (diff 0).
bool CompareValues(const TFormulaValue& a, const TFormulaValue& b, double& diff);
// The cells of an area value, 1 for every other kind.
int AreaCellCount(const TFormulaValue& v);
