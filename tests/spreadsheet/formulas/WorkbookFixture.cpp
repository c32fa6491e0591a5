#include "tests/spreadsheet/formulas/WorkbookFixture.h"

#include "platform/rtl/CodePage.h"
#include "platform/rtl/FloatFormat.h"
#include "spreadsheet/core/XLSUtils.h"

WorkbookFixture::WorkbookFixture() {
    handler.CellValuesList().AddNew();
    handler.CellValuesList().AddNew();
    handler.OnSheetIndex = [this](const std::u16string& name, int& index, int& count) {
        index = -1;
        count = static_cast<int>(sheetNames.size());
        for (size_t i = 0; i < sheetNames.size(); ++i)
            if (UpperText(sheetNames[i]) == UpperText(name))
                index = static_cast<int>(i);
    };
    handler.OnNameText = [this](int kind, int index, std::u16string& text, int, int) {
        if (kind == 0 && index >= 0 && index < static_cast<int>(sheetNames.size()))
            text = sheetNames[static_cast<size_t>(index)];
    };
}

void WorkbookFixture::SetUp() {
    MaxCol = MaxColClassic;
    MaxRow = MaxRowClassic;
    formats.Mask().SetFormatSettings(TFormatSettings::Invariant());
}

TCell* WorkbookFixture::Cell(int col, int row, int sheet) {
    return handler.CellValuesList().Items(sheet)->FindCell(col, row);
}

void WorkbookFixture::Number(int col, int row, double v, int sheet) {
    handler.CellValuesList().Items(sheet)->SetCell(
        col, row, std::make_unique<TFloatCell>(formats, formats.DefaultFormat(), col, row, v));
}

void WorkbookFixture::Text(int col, int row, const std::u16string& v, int sheet) {
    handler.CellValuesList().Items(sheet)->SetCell(
        col, row,
        std::make_unique<TStringCell>(formats, formats.DefaultFormat(), col, row, sst,
                                      sst.AddString(v)));
}

void WorkbookFixture::Boolean(int col, int row, bool v, int sheet) {
    handler.CellValuesList().Items(sheet)->SetCell(
        col, row, std::make_unique<TBooleanCell>(formats, formats.DefaultFormat(), col, row, v));
}

void WorkbookFixture::Formula(int col, int row, const std::u16string& text, int sheet) {
    auto cell = std::make_unique<TFormulaNumberCell>(formats, formats.DefaultFormat(), col, row, 0);
    const std::vector<uint8_t> tokens = handler.EncodeFormula(text);
    cell->SetFormulaTokens(tokens.data(), static_cast<int>(tokens.size()));
    handler.CellValuesList().Items(sheet)->SetCell(col, row, std::move(cell));
}

TFormulaCell* WorkbookFixture::FormulaText(int col, int row, const std::u16string& text,
                                           uint16_t shared, int sheet) {
    auto cell = std::make_unique<TFormulaNumberCell>(formats, formats.DefaultFormat(), col, row, 0);
    if (!text.empty())
        cell->SetFormulaText(text);
    cell->SharedIndex = shared;
    TFormulaCell* raw = cell.get();
    handler.CellValuesList().Items(sheet)->SetCell(col, row, std::move(cell));
    return raw;
}

TFormulaValue WorkbookFixture::Calc(const std::u16string& text, int col, int row, int sheet) {
    TFormulaValue v;
    handler.CalcFormula(handler.EncodeFormula(text), col, v, sheet, row);
    return v;
}

TFormulaValue WorkbookFixture::Evaluate(int col, int row, int sheet) {
    TFormulaValue v;
    TCellRefArray refs;
    handler.Sheets().EvaluateCell(sheet, col, row, v, refs);
    return v;
}

std::string WorkbookFixture::Show(const TFormulaValue& v) {
    switch (v.Kind) {
    case fvNumber:
        return FloatToStr(v.Number, TFormatSettings::Invariant());
    case fvBoolean:
        return v.Small ? "TRUE" : "FALSE";
    case fvError:
        return Utf16ToUtf8(CellErrorText(v.Small));
    case fvString:
        return "\"" + Utf16ToUtf8(v.Text) + "\"";
    case fvEmpty:
        return "<empty>";
    default:
        return "<reference " + std::to_string(v.Kind) + ">";
    }
}
