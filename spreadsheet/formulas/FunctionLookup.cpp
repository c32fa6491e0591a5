// LOOKUP: the position of a value in a sorted row or column, and the cell at that position.

#include "spreadsheet/formulas/FunctionEvaluate.h"

#include "platform/rtl/CodePage.h"
#include "platform/rtl/Exception.h"
#include "spreadsheet/formulas/Ptg.h"

#include <algorithm>
#include <cstdlib>

namespace {

struct TLine {
    int Sheet, Col, Row, Cols, Rows;
    int Count() const { return Cols * Rows; }
};

} // namespace

void TExcelFunctionEvaluate::Lookup(TFormulaValue& result) {
    SetErrorValue(result, errNA);
    std::vector<TLine> lines;
    for (size_t i = 1; i < Args.size(); ++i) {
        const TFormulaValue& a = Args[i];
        const bool area = a.Kind == fvArea || a.Kind == fvArea3d;
        const bool ref = a.Kind == fvRef || a.Kind == fvRef3d;
        const int sheet = a.Kind == fvArea3d ? a.Sheet : a.Kind == fvRef3d ? a.Col2 : SheetIndex;
        const int col1 = std::min(a.Col1, a.Col2), row1 = std::min(a.Row1, a.Row2);
        const TLine line = area ? TLine{sheet, col1, row1, std::abs(a.Col2 - a.Col1) + 1,
                                        std::abs(a.Row2 - a.Row1) + 1}
                                : TLine{sheet, a.Col1, a.Row1, 1, 1};
        if ((!area && !ref) || line.Cols < 1 || line.Rows < 1 || (line.Cols > 1 && line.Rows > 1))
            throw Exception("Wrong type of argument to function " + Utf16ToUtf8(FuncName));
        lines.push_back(line);
    }
    const TFormulaValue key = Values[0];
    const TLine& where = lines[0];
    const auto cellAt = [this](const TLine& line, int n) {
        TFormulaValue v;
        const int col = line.Cols > 1 ? line.Col + n : line.Col;
        const int row = line.Cols > 1 ? line.Row : line.Row + n;
        CellValue(line.Sheet, col, row, v);
        return v;
    };
    int found = -1, below = -1;
    for (int n = 0; n < where.Count(); ++n) {
        double diff = 0;
        if (!CompareValues(cellAt(where, n), key, diff))
            return;
        if (diff < 0) {
            below = n;
            continue;
        }
        found = diff == 0 ? n : below;
        break;
    }
    if (found < 0 && below == where.Count() - 1)
        found = below;
    if (found < 0)
        return;
    result = cellAt(lines.size() > 1 ? lines[1] : where, found);
}
