// A sheet's cells: values as numbers, texts and formula values, deleting and clearing, the used
// range, and the formats of positions without a cell.

#include "spreadsheet/sheets/Sheet.h"

#include "platform/rtl/CodePage.h"
#include "platform/rtl/Exception.h"
#include "platform/rtl/FloatFormat.h"
#include "platform/rtl/Format.h"
#include "spreadsheet/areas/CellAreas.h"
#include "spreadsheet/cells/CellStorage.h"
#include "spreadsheet/cells/XLSColumns.h"
#include "spreadsheet/drawing/EscherDrawing.h"
#include "spreadsheet/formulas/FormulaHandler.h"
#include "spreadsheet/overlays/ConditionalFormats.h"
#include "spreadsheet/overlays/DataValidations.h"
#include "spreadsheet/records/RecordStorage.h"
#include "spreadsheet/sheets/SheetHost.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace {

bool IsFormulaKind(int kind) {
    return kind >= ckFormulaNumber && kind <= ckFormulaStringEx;
}

// Blocks up to this many positions are visited position by position; larger ones (a whole
// column of the newer format has a million) walk the cells that exist.
constexpr int64_t kPositionWalkLimit = 4096;

} // namespace

TCell* TSheet::GetCell(int col, int row) const {
    return cells_->FindCell(col, row);
}

int TSheet::GetCellType(int col, int row) const {
    TCell* cell = GetCell(col, row);
    return cell ? cell->CellType() : 0;
}

double TSheet::GetAsFloat(int col, int row) const {
    TCell* cell = GetCell(col, row);
    switch (cell ? cell->CellType() : 0) {
    case ckFloat:
        return static_cast<TFloatCell*>(cell)->Value;
    case ckInteger:
        return static_cast<TIntegerCell*>(cell)->Value;
    case ckFormulaNumber:
        return static_cast<TFormulaNumberCell*>(cell)->Result;
    case ckFormulaNumberEx:
        return static_cast<TFormulaNumberExCell*>(cell)->Result;
    default:
        return 0;
    }
}

std::u16string TSheet::FormulaText(const TCell& cell) const {
    const auto& formula = static_cast<const TFormulaCell&>(cell);
    if (formula.FormulaIsText)
        return formula.GetFormulaText();
    return host_->FormulaHandler().DecodeFormula(formula.Tokens().data(), formula.TokensLength(),
                                                 static_cast<int>(cell.Row), cell.Col);
}

std::u16string TSheet::GetAsWideString(int col, int row) const {
    TCell* cell = GetCell(col, row);
    if (!cell)
        return {};
    const TFormatSettings& settings = host_->FormulaHandler().Settings();
    const int kind = cell->CellType();
    if (IsFormulaKind(kind) && host_->ShowFormulas())
        return FormulaText(*cell);
    switch (kind) {
    case ckInteger:
        return Utf8ToUtf16(std::to_string(static_cast<TIntegerCell*>(cell)->Value));
    case ckFloat:
        return Utf8ToUtf16(FloatToStr(static_cast<TFloatCell*>(cell)->Value, settings));
    case ckString:
        return static_cast<TStringCell*>(cell)->Text();
    case ckBoolean:
        return static_cast<TBooleanCell*>(cell)->Value ? StrTRUE : StrFALSE;
    case ckError:
        return CellErrorText(static_cast<TErrorCell*>(cell)->Value);
    case ckFormulaNumber:
        return Utf8ToUtf16(FloatToStr(static_cast<TFormulaNumberCell*>(cell)->Result, settings));
    case ckFormulaNumberEx:
        return Utf8ToUtf16(FloatToStr(static_cast<TFormulaNumberExCell*>(cell)->Result, settings));
    case ckFormulaString:
        return static_cast<TFormulaStringCell*>(cell)->Result;
    case ckFormulaStringEx:
        return static_cast<TFormulaStringExCell*>(cell)->Result;
    case ckFormulaBoolean:
        return static_cast<TFormulaBooleanCell*>(cell)->Result ? StrTRUE : StrFALSE;
    case ckFormulaError:
        return CellErrorText(static_cast<TFormulaErrorCell*>(cell)->Result);
    default:
        return {};
    }
}

std::u16string TSheet::GetAsDisplayText(int col, int row) const {
    TCell* cell = GetCell(col, row);
    if (!cell)
        return {};
    if (host_->ShowFormulas()) {
        const int kind = cell->CellType();
        if (kind >= ckInteger && kind <= ckError)
            return cells_->GetAsFormattedText(col, row);
        if (IsFormulaKind(kind))
            return FormulaText(*cell);
        return {};
    }
    return cells_->GetAsFormattedText(col, row);
}

void TSheet::GetCellValue(int col, int row, TFormulaValue& value) const {
    host_->FormulaHandler().Sheets().GetCellValue(Index(), col, row, value, false);
}

void TSheet::GetCellValueByRef(const TFormulaValue& ref, TFormulaValue& value) const {
    if (ref.Kind != fvRef && ref.Kind != fvRef3d)
        throw Exception("FV Ref expected");
    host_->FormulaHandler().Sheets().GetCellValue(Index(), ref.Col1, ref.Row1, value, true);
}

void TSheet::EvaluateCell(int col, int row, TFormulaValue& value, TCellRefArray& refs) {
    host_->FormulaHandler().Sheets().EvaluateCell(Index(), col, row, value, refs);
}

void TSheet::DeleteCell(int col, int row) {
    try {
        // A text cell gives its reference to the shared string back as it goes.
        cells_->DeleteCell(col, row);
    } catch (const std::exception&) {
        throw Exception(Format("Error on deleting cell %d:%d", {col, row}));
    }
}

std::vector<std::pair<int, int>> TSheet::CellsInArea(int col1, int row1, int col2, int row2) const {
    std::vector<std::pair<int, int>> found;
    const int64_t positions = (int64_t{col2} - col1 + 1) * (int64_t{row2} - row1 + 1);
    if (positions <= kPositionWalkLimit) {
        for (int r = row1; r <= row2; ++r)
            for (int c = col1; c <= col2; ++c)
                if (cells_->FindCell(c, r))
                    found.emplace_back(c, r);
        return found;
    }
    cells_->BeginWalk();
    while (TCell* cell = cells_->NextCell()) {
        const int r = static_cast<int>(cell->Row);
        if (cell->Col >= col1 && cell->Col <= col2 && r >= row1 && r <= row2)
            found.emplace_back(cell->Col, r);
    }
    return found;
}

void TSheet::ClearArea(int col1, int row1, int col2, int row2) {
    if (col2 < col1)
        std::swap(col1, col2);
    if (row2 < row1)
        std::swap(row1, row2);
    const std::vector<std::pair<int, int>> found = CellsInArea(col1, row1, col2, row2);
    for (const auto& [c, r] : found)
        DeleteCell(c, r);
    drawing_->DeleteShapesInArea({col1, row1, col2, row2});
    conditionalFormats_->DeleteAreas(col1, row1, col2, row2);
    validations_->DeleteAreas(col1, row1, col2, row2);
    mergedCells_->DeleteAreas(col1, row1, col2, row2);
}

void TSheet::CalcDimensions() {
    cells_->CalcDimensions();
    int c1 = cells_->FirstCol, c2 = cells_->LastCol;
    int r1 = cells_->FirstRow, r2 = cells_->LastRow;
    // A store that once held cells but holds none now is empty, like one that never did.
    if (c1 > c2 || r1 > r2)
        c1 = c2 = r1 = r2 = 0;
    SetFirstCol(c1);
    SetLastCol(c2);
    SetFirstRow(r1);
    SetLastRow(r2);
}

void TSheet::SetFirstCol(int value) {
    firstCol_ = value;
    records_->DIMENSIONS().SetWordAt(8, static_cast<uint16_t>(value > 255 ? 255 : value));
}

void TSheet::SetLastCol(int value) {
    lastCol_ = value;
    records_->DIMENSIONS().SetWordAt(10, static_cast<uint16_t>(firstCol_ > 254 ? 255 : value + 1));
}

void TSheet::SetFirstRow(int value) {
    firstRow_ = value;
    records_->DIMENSIONS().SetLongAt(0, static_cast<uint32_t>(value > 65535 ? 65535 : value));
}

void TSheet::SetLastRow(int value) {
    lastRow_ = value;
    records_->DIMENSIONS().SetLongAt(4,
                                     static_cast<uint32_t>(firstRow_ > 65534 ? 65535 : value + 1));
}

TCellFormat* TSheet::GetDefaultFormat(int col, int row) const {
    TCellFormat* format = nullptr;
    if (TXLSColumn* column = columns_->Column(col);
        column && column->FormatIndex() != TCellFormats::kDefaultFormatIndex)
        format = column->Format();
    else if (TXLSRow* line = rows_->RowItem(row);
             line && line->FormatIndex() != TCellFormats::kDefaultFormatIndex)
        format = line->Format();
    if (!format)
        return formats_->DefaultFormat();
    ++format->UsageCount;
    return format;
}

void TSheet::ApplyColumnFormat(TCellFormat* format, int col) {
    CalcDimensions();
    for (int r = firstRow_; r <= lastRow_; ++r)
        if (TCell* cell = cells_->FindCell(col, r))
            cell->AssignFormat(*format);
}

void TSheet::ApplyRowFormat(TCellFormat* format, int row) {
    CalcDimensions();
    for (int c = firstCol_; c <= lastCol_; ++c)
        if (TCell* cell = cells_->FindCell(c, row))
            cell->AssignFormat(*format);
}
