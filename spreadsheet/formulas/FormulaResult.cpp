#include "spreadsheet/formulas/FormulaHandler.h"

#include "spreadsheet/cells/Cell.h"

namespace {

// A formula cell of the kind that holds `value`, with the formula of `from`.
std::unique_ptr<TFormulaCell> CellFor(const TFormulaCell& from, const TFormulaValue& value) {
    std::unique_ptr<TFormulaCell> cell;
    TCellFormats& formats = from.Formats();
    switch (value.Kind) {
    case fvString:
        cell = std::make_unique<TFormulaStringCell>(formats, from.Format(), from.Col, from.Row,
                                                    value.Text);
        break;
    case fvBoolean:
        cell = std::make_unique<TFormulaBooleanCell>(formats, from.Format(), from.Col, from.Row,
                                                     value.Small);
        break;
    case fvError:
        cell = std::make_unique<TFormulaErrorCell>(formats, from.Format(), from.Col, from.Row,
                                                   value.Small);
        break;
    default:
        cell = std::make_unique<TFormulaNumberCell>(formats, from.Format(), from.Col, from.Row,
                                                    value.Kind == fvNumber ? value.Number : 0);
    }
    if (from.FormulaIsText)
        cell->SetFormulaText(from.GetFormulaText());
    else
        cell->SetFormulaTokens(from.Tokens().data(), from.TokensLength());
    cell->SharedIndex = from.SharedIndex;
    cell->Calculated = from.Calculated;
    return cell;
}

} // namespace

void StoreFormulaResult(TCellValues& store, int col, int row, const TFormulaValue& value) {
    TCell* cell = store.FindCell(col, row);
    if (!cell || value.Kind == fvRef || value.Kind == fvArea || value.Kind == fvRef3d ||
        value.Kind == fvArea3d)
        return;
    const uint8_t kind = cell->CellType() & 0x7F;
    const uint8_t wanted = value.Kind == fvString    ? ckFormulaString
                           : value.Kind == fvBoolean ? ckFormulaBoolean
                           : value.Kind == fvError   ? ckFormulaError
                                                     : ckFormulaNumber;
    if (kind < ckFormulaNumber || kind > ckFormulaError)
        return;
    if (kind == wanted) {
        switch (kind) {
        case ckFormulaString:
            static_cast<TFormulaStringCell*>(cell)->Result = value.Text;
            break;
        case ckFormulaBoolean:
            static_cast<TFormulaBooleanCell*>(cell)->Result = value.Small;
            break;
        case ckFormulaError:
            static_cast<TFormulaErrorCell*>(cell)->Result = value.Small;
            break;
        default:
            static_cast<TFormulaNumberCell*>(cell)->Result =
                value.Kind == fvNumber ? value.Number : 0;
        }
        return;
    }
    // Taken out of the store first, so that no shared-formula step runs for it.
    std::unique_ptr<TCell> old = store.RemoveCell(col, row);
    store.SetCell(col, row, CellFor(static_cast<const TFormulaCell&>(*old), value));
}
