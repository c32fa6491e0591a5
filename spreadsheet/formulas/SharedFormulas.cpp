// Formula cells of the handler: compiling a cell's formula text, breaking up shared formulas,
// and storing calculated results.

#include "spreadsheet/formulas/FormulaHandler.h"

#include "platform/rtl/CodePage.h"
#include "platform/rtl/Exception.h"
#include "spreadsheet/cells/Cell.h"
#include "spreadsheet/core/CellRef.h"
#include "spreadsheet/formulas/AdjustFormula.h"

namespace {

TFormulaCell* FormulaAt(TCellValues& store, int col, int row) {
    TCell* cell = store.FindCell(col, row);
    const uint8_t kind = cell ? cell->CellType() & 0x7F : 0;
    return kind >= ckFormulaNumber && kind <= ckFormulaStringEx ? static_cast<TFormulaCell*>(cell)
                                                                : nullptr;
}

} // namespace

// Compiled with the workbook's own formula version, so that calculation can read it.
std::vector<uint8_t> TFormulaHandler::CompileText(const std::u16string& text) {
    return encoder_->Compile(text, 0, FormulaVersion(), MaxRecordSize);
}

namespace {

// The master's tokens for the cell dc columns and dr rows away: only the relative parts move.
std::vector<uint8_t> MovedTokens(std::vector<uint8_t> tokens, int dc, int dr) {
    if (!tokens.empty() && tokens[0] == 0xFE)
        OffsetSharedFormula(tokens.data(), static_cast<int>(tokens.size()), dc, dr);
    else
        AdjustCell(true, tokens.data(), static_cast<int>(tokens.size()), dc, dr, false, false);
    return tokens;
}

} // namespace

void TFormulaHandler::CompileCellFormula(int sheet, int col, int row) {
    if (sheet < 0 || sheet >= cellValues_->Count())
        return;
    TCellValues& store = *cellValues_->Items(sheet);
    TFormulaCell* cell = FormulaAt(store, col, row);
    if (!cell)
        return;
    if (cell->SharedIndex != 0xFFFF) {
        int c1 = 0, r1 = 0, c2, r2;
        ParseAreaRefPlain(Utf8ToUtf16(store.SharedFormulas.Strings(cell->SharedIndex)), c1, r1, c2,
                          r2);
        DeleteSharedFormula(store, *cell);
        // A cell without a text of its own takes the master's formula at its place.
        TFormulaCell* master = FormulaAt(store, c1, r1);
        if (!cell->FormulaIsText && master && master != cell) {
            const std::vector<uint8_t> moved = MovedTokens(master->Tokens(), col - c1, row - r1);
            cell->SetFormulaTokens(moved.data(), static_cast<int>(moved.size()));
        }
        cell->SharedIndex = 0xFFFF;
    }
    if (cell->FormulaIsText) {
        const std::vector<uint8_t> tokens = CompileText(cell->GetFormulaText());
        cell->SetFormulaTokens(tokens.data(), static_cast<int>(tokens.size()));
    }
}

void TFormulaHandler::DeleteSharedFormula(TCellValues& store, TCell& cell) {
    const TFormulaCell* changing = &static_cast<TFormulaCell&>(cell);
    const int index = changing->SharedIndex;
    int c1 = 0, r1 = 0, c2 = 0, r2 = 0;
    if (index >= store.SharedFormulas.Count() ||
        !ParseAreaRefPlain(Utf8ToUtf16(store.SharedFormulas.Strings(index)), c1, r1, c2, r2))
        throw Exception("Excpected shared formula not found");
    TFormulaCell* master = FormulaAt(store, c1, r1);
    if (!master)
        throw Exception("Excpected shared formula not found");
    // A master that holds tokens already lends them as they are.
    const std::vector<uint8_t> tokens =
        master->FormulaIsText ? CompileText(master->GetFormulaText()) : master->Tokens();
    for (int r = r1; r <= r2; ++r)
        for (int c = c1; c <= c2; ++c) {
            TFormulaCell* other = FormulaAt(store, c, r);
            if (!other || other == changing)
                continue;
            if (other == master) {
                master->SetFormulaTokens(tokens.data(), static_cast<int>(tokens.size()));
            } else if (other->SharedIndex == index) {
                const std::vector<uint8_t> moved = MovedTokens(tokens, c - c1, r - r1);
                other->SetFormulaTokens(moved.data(), static_cast<int>(moved.size()));
            }
        }
    store.SharedFormulas.Put(index, "");
}
