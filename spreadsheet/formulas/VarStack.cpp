#include "spreadsheet/formulas/VarStack.h"

#include "platform/rtl/CodePage.h"
#include "platform/rtl/Exception.h"
#include "platform/rtl/FloatFormat.h"
#include "spreadsheet/cells/Cell.h"
#include "spreadsheet/core/XLSGlobals.h"
#include "spreadsheet/core/XLSUtils.h"
#include "spreadsheet/formulas/CalcFormula.h"
#include "spreadsheet/formulas/Ptg.h"

#include <cmath>

namespace {

constexpr int kGrowth = 32;

int CompareTexts(const std::u16string& a, const std::u16string& b) {
    return AnsiCompareStr(Utf16ToUtf8(UpperText(a)), Utf16ToUtf8(UpperText(b)));
}

} // namespace

TVarStack::TVarStack(TFormulaSheets& sheets, int sheetIndex, const TFormatSettings& settings)
    : Stack(kGrowth), Sheets(sheets), SheetIndex(sheetIndex), Settings(settings) {}

void TVarStack::Pop(TFormulaValue& value) {
    if (StackPtr < 0)
        throw Exception("Empty stack");
    value = Stack[static_cast<size_t>(StackPtr--)];
}

void TVarStack::Push(const TFormulaValue& value) {
    ++StackPtr;
    if (StackPtr >= static_cast<int>(Stack.size()) - 1)
        Stack.resize(Stack.size() + kGrowth);
    Stack[static_cast<size_t>(StackPtr)] = value;
}

void TVarStack::PushNumber(double value) {
    TFormulaValue v;
    SetNumberValue(v, value);
    Push(v);
}

void TVarStack::PushString(const std::u16string& value) {
    TFormulaValue v;
    SetStringValue(v, value);
    Push(v);
}

void TVarStack::PushBoolean(bool value) {
    TFormulaValue v;
    SetBooleanValue(v, value);
    Push(v);
}

void TVarStack::PushError(uint8_t index) {
    TFormulaValue v;
    SetErrorValue(v, index);
    Push(v);
}

void TVarStack::PushRef(int col, int row) {
    TFormulaValue v;
    SetRefValue(v, col, row);
    Push(v);
}

void TVarStack::PushArea(int col1, int row1, int row2, int col2) {
    TFormulaValue v;
    SetAreaValue(v, col1, row1, col2, row2);
    Push(v);
}

void TVarStack::PushRef3d(int col, int row, int sheet) {
    TFormulaValue v;
    SetRef3dValue(v, col, row, sheet);
    Push(v);
}

void TVarStack::PushArea3d(int col1, int row1, int sheet, int row2, int col2) {
    TFormulaValue v;
    SetArea3dValue(v, col1, row1, col2, row2, sheet);
    Push(v);
}

void TVarStack::PushEmpty() {
    Push(TFormulaValue());
}

void TVarStack::CellValue(int sheet, int col, int row, TFormulaValue& value) {
    if (Trail && IsUncalculatedFormula(Sheets.FindCell(sheet, col, row)))
        EvaluateReferencedCell(Sheets, *Trail, sheet, col, row, value);
    else
        Sheets.GetCellValue(sheet, col, row, value, true);
}

TFormulaValue TVarStack::ValueOf(const TFormulaValue& v) {
    TFormulaValue out;
    if (v.Kind == fvRef)
        CellValue(SheetIndex, v.Col1, v.Row1, out);
    else if (v.Kind == fvRef3d)
        CellValue(v.Col2, v.Col1, v.Row1, out);
    else
        out = v;
    return out;
}

bool TVarStack::AsNumber(const TFormulaValue& v, double& out, uint8_t& error, bool textOk) const {
    out = 0;
    switch (v.Kind) {
    case fvNumber:
        out = v.Number;
        return true;
    case fvBoolean:
        out = v.Small ? 1 : 0;
        return true;
    case fvEmpty:
        return true;
    case fvString:
        if (TryStrToFloat(Utf16ToUtf8(v.Text), out, Settings) || textOk)
            return true;
        error = errValue;
        return false;
    case fvError:
        error = v.Small;
        return false;
    default:
        error = errValue;
        return false;
    }
}

std::u16string TVarStack::AsText(const TFormulaValue& v) const {
    switch (v.Kind) {
    case fvNumber:
        return Utf8ToUtf16(FloatToStr(v.Number, Settings));
    case fvBoolean:
        return v.Small ? StrTRUE : StrFALSE;
    case fvError:
        return CellErrorText(v.Small);
    case fvString:
        return v.Text;
    default:
        return {};
    }
}

void TVarStack::SetResult(TFormulaValue& v, double value) {
    if (std::isfinite(value))
        SetNumberValue(v, value);
    else
        SetErrorValue(v, errNum);
}

void TVarStack::ApplyOperator(uint8_t ptg) {
    const bool unary = ptg >= ptgUplus && ptg <= ptgPercent;
    if (StackPtr < (unary ? 0 : 1))
        throw Exception("Value is missing");
    TFormulaValue result;
    const bool evaluated = (ptg >= ptgAdd && ptg <= ptgNE) || unary;
    if (evaluated) {
        const bool textOk = ptg >= ptgConcat && ptg <= ptgNE;
        const TFormulaValue r = ValueOf(Stack[static_cast<size_t>(StackPtr)]);
        const TFormulaValue l =
            unary ? TFormulaValue() : ValueOf(Stack[static_cast<size_t>(StackPtr - 1)]);
        double rn = 0, ln = 0;
        uint8_t error = 0;
        if (!AsNumber(r, rn, error, textOk) || (!unary && !AsNumber(l, ln, error, textOk))) {
            SetErrorValue(result, error);
        } else if (ptg >= ptgLT && ptg <= ptgNE) {
            const bool asText =
                l.Kind == fvString || l.Kind == fvEmpty || r.Kind == fvString || r.Kind == fvEmpty;
            const double d = asText ? CompareTexts(AsText(l), AsText(r)) : ln - rn;
            static constexpr bool (*kTests[])(double) = {
                [](double x) { return x < 0; },  [](double x) { return x <= 0; },
                [](double x) { return x == 0; }, [](double x) { return x >= 0; },
                [](double x) { return x > 0; },  [](double x) { return x != 0; }};
            SetBooleanValue(result, kTests[ptg - ptgLT](asText ? d
                                                               : (ln < rn   ? -1
                                                                  : ln > rn ? 1
                                                                            : 0)));
        } else {
            switch (ptg) {
            case ptgAdd:
                SetResult(result, ln + rn);
                break;
            case ptgSub:
                SetResult(result, ln - rn);
                break;
            case ptgMul:
                SetResult(result, ln * rn);
                break;
            case ptgDiv:
                if (rn == 0)
                    SetErrorValue(result, errDiv0);
                else
                    SetResult(result, ln / rn);
                break;
            case ptgPower:
                if (ln == 0 && rn < 0)
                    SetErrorValue(result, errDiv0);
                else
                    SetResult(result, std::pow(ln, rn));
                break;
            case ptgConcat:
                SetStringValue(result, AsText(l) + AsText(r));
                break;
            case ptgUplus:
                SetResult(result, rn);
                break;
            case ptgUminus:
                SetResult(result, -rn);
                break;
            default:
                SetResult(result, rn / 100);
                break;
            }
        }
    } else if (ptg == ptgUnion) {
        SetStringValue(result, u"");
    }
    if (!unary)
        --StackPtr;
    Stack[static_cast<size_t>(StackPtr)] = result;
}
