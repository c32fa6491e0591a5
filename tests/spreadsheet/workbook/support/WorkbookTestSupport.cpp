#include "tests/spreadsheet/workbook/support/WorkbookTestSupport.h"

#include "spreadsheet/cells/CellStorage.h"
#include "spreadsheet/formats/CellFormats.h"
#include "spreadsheet/formulas/FormulaHandler.h"

TPaperQueryOverride::TPaperQueryOverride(std::function<bool(int&, int&)> query)
    : saved_(TXLSWorkbook4::PaperQuery) {
    TXLSWorkbook4::PaperQuery = std::move(query);
}

TPaperQueryOverride::~TPaperQueryOverride() {
    TXLSWorkbook4::PaperQuery = saved_;
}

TTestWorkbook::TTestWorkbook()
    : paper_([](int&, int&) { return false; }), book_(std::make_unique<TXLSWorkbook4>(nullptr)) {}

TTestWorkbook::~TTestWorkbook() = default;

TCell* TTestWorkbook::Put(int sheet, std::unique_ptr<TCell> cell) {
    const int col = cell->Col, row = static_cast<int>(cell->Row);
    TCellValues& store = Sheet(sheet).Cells();
    store.SetCell(col, row, std::move(cell));
    return store.FindCell(col, row);
}

TCell* TTestWorkbook::Integer(int col, int row, int value, int sheet) {
    TCellFormats& f = book_->MasterFormats();
    return Put(sheet, std::make_unique<TIntegerCell>(f, f.DefaultFormat(), col, row, value));
}

TCell* TTestWorkbook::Number(int col, int row, double value, int sheet) {
    TCellFormats& f = book_->MasterFormats();
    return Put(sheet, std::make_unique<TFloatCell>(f, f.DefaultFormat(), col, row, value));
}

TCell* TTestWorkbook::Text(int col, int row, const std::u16string& text,
                           const std::vector<TSSTRun>& runs, int sheet) {
    TCellFormats& f = book_->MasterFormats();
    TSST2& sst = book_->SST();
    return Put(sheet, std::make_unique<TStringCell>(f, f.DefaultFormat(), col, row, sst,
                                                    sst.AddString(text, runs)));
}

TCell* TTestWorkbook::Boolean(int col, int row, bool value, int sheet) {
    TCellFormats& f = book_->MasterFormats();
    return Put(sheet, std::make_unique<TBooleanCell>(f, f.DefaultFormat(), col, row, value));
}

TCell* TTestWorkbook::Error(int col, int row, uint8_t index, int sheet) {
    TCellFormats& f = book_->MasterFormats();
    return Put(sheet, std::make_unique<TErrorCell>(f, f.DefaultFormat(), col, row, index));
}

TCell* TTestWorkbook::Blank(int col, int row, int sheet) {
    TCellFormats& f = book_->MasterFormats();
    return Put(sheet, std::make_unique<TBlankCell>(f, f.DefaultFormat(), col, row));
}

TCell* TTestWorkbook::Formula(int col, int row, const std::u16string& text, double result,
                              int sheet) {
    TCellFormats& f = book_->MasterFormats();
    auto cell = std::make_unique<TFormulaNumberCell>(f, f.DefaultFormat(), col, row, result);
    const std::vector<uint8_t> tokens = book_->FormulaHandler().EncodeFormula(text);
    cell->SetFormulaTokens(tokens.data(), static_cast<int>(tokens.size()));
    return Put(sheet, std::move(cell));
}

TCell* TTestWorkbook::FormulaString(int col, int row, const std::u16string& text,
                                    const std::u16string& result, int sheet) {
    TCellFormats& f = book_->MasterFormats();
    auto cell = std::make_unique<TFormulaStringCell>(f, f.DefaultFormat(), col, row, result);
    const std::vector<uint8_t> tokens = book_->FormulaHandler().EncodeFormula(text);
    cell->SetFormulaTokens(tokens.data(), static_cast<int>(tokens.size()));
    return Put(sheet, std::move(cell));
}
