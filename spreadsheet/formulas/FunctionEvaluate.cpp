#include "spreadsheet/formulas/FunctionEvaluate.h"

#include "platform/rtl/CodePage.h"
#include "platform/rtl/Exception.h"
#include "spreadsheet/core/FunctionTable.h"
#include "spreadsheet/core/XLSGlobals.h"
#include "spreadsheet/core/XLSUtils.h"
#include "spreadsheet/formulas/Ptg.h"

namespace {

std::string Name8(const std::u16string& s) {
    return Utf16ToUtf8(s);
}

bool IsReference(const TFormulaValue& v) {
    return v.Kind >= fvRef && v.Kind <= fvArea3d;
}

} // namespace

void TExcelFunctionEvaluate::EvaluateFunction(int index, int argCount, int row, int col) {
    Args.assign(static_cast<size_t>(std::max(argCount, 0)), TFormulaValue());
    for (int i = argCount - 1; i >= 0; --i)
        Pop(Args[static_cast<size_t>(i)]);
    TFormulaValue result;
    SetErrorValue(result, errNone);
    bool toEvent = true;
    if (index > kUserDefinedFunction) {
        FuncName = index < kFunctionCount ? FunctionDefinition(index).Name : u"";
    } else if (index == kUserDefinedFunction) {
        if (!Args.empty() && Args[0].Kind == fvError) {
            Push(Args[0]);
            return;
        }
        FuncName = Args.empty() ? u"" : AsText(ValueOf(Args[0]));
        if (!Args.empty())
            Args.erase(Args.begin());
    } else {
        const TFunctionDefinition& def = FunctionDefinition(index);
        FuncName = def.Name;
        if (argCount < def.Min || argCount > def.Max)
            throw Exception("Wrong number of arguments (" + std::to_string(argCount) +
                            ") to function " + Name8(FuncName));
        ExpandArguments();
        toEvent = !Builtin(index, row, col, result);
    }
    if (toEvent) {
        for (TFormulaValue& arg : Args) {
            if (arg.Kind == fvRef)
                SetRef3dValue(arg, arg.Col1, arg.Row1, SheetIndex);
            else if (arg.Kind == fvArea)
                SetArea3dValue(arg, arg.Col1, arg.Row1, arg.Col2, arg.Row2, SheetIndex);
        }
        Sheets.CallFunction(FuncName, result, static_cast<int>(Args.size()) - 1, Args);
    }
    if (result.Kind == fvError && result.Small == errNone)
        throw Exception("Can not calculate function " + Name8(FuncName));
    Push(result);
}

void TExcelFunctionEvaluate::ExpandArguments() {
    Values.clear();
    ValueCount = 0;
    for (const TFormulaValue& arg : Args)
        ValueCount +=
            arg.Kind == fvArea || arg.Kind == fvArea3d
                ? int64_t(std::abs(arg.Col2 - arg.Col1) + 1) * (std::abs(arg.Row2 - arg.Row1) + 1)
                : 1;
    constexpr size_t kKept = 3;
    ForEachValue(
        [this](const TFormulaValue& v) {
            Values.push_back(v);
            return Values.size() < kKept;
        },
        [this](int64_t count) {
            TFormulaValue empty;
            SetEmptyValue(empty);
            for (; count > 0 && Values.size() < kKept; --count)
                Values.push_back(empty);
            return Values.size() < kKept;
        });
}

void TExcelFunctionEvaluate::CheckNotReference(const TFormulaValue& v) const {
    if (IsReference(v))
        throw Exception("[int] Cell reference is not possible here");
}

bool TExcelFunctionEvaluate::AsBoolean(const TFormulaValue& v, bool& out,
                                       TFormulaValue& result) const {
    CheckNotReference(v);
    switch (v.Kind) {
    case fvNumber:
        out = v.Number != 0;
        return true;
    case fvBoolean:
        out = v.Small != 0;
        return true;
    case fvString:
        out = UpperText(v.Text) == UpperText(StrTRUE);
        return true;
    case fvError:
        SetErrorValue(result, errValue);
        return false;
    default:
        // An empty value leaves the function without a result.
        return false;
    }
}

bool TExcelFunctionEvaluate::AsNumberArg(const TFormulaValue& v, double& out) const {
    CheckNotReference(v);
    uint8_t error = 0;
    return v.Kind != fvEmpty && v.Kind != fvError && AsNumber(v, out, error, false);
}

bool TExcelFunctionEvaluate::Builtin(int index, int row, int col, TFormulaValue& result) {
    switch (index) {
    case 8: // ROW
    case 9: // COLUMN
        if (Args.empty()) {
            SetNumberValue(result, (index == 8 ? row : col) + 1);
        } else {
            const TFormulaValue& a = Args[0];
            if (!IsReference(a))
                throw Exception("Argument must be a reference");
            SetNumberValue(result, (index == 8 ? a.Row1 : a.Col1) + 1);
        }
        return true;
    case 10: // NA
        SetErrorValue(result, errNA);
        return true;
    case 19: // PI
        SetNumberValue(result, 3.141592653589793);
        return true;
    case 28:
        Lookup(result);
        return true;
    case 34:
    case 35:
        SetBooleanValue(result, index == 34);
        return true;
    default:
        return Aggregate(index, result) || Logical(index, result) || Mathematical(index, result) ||
               Texts(index, result);
    }
}
