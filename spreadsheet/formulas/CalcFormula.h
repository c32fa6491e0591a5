#pragma once
// Calculates a stored formula: walks its tokens and drives an evaluator, following references
// into formula cells and defined names. A reference back into what is being calculated (a
// cycle), or a chain of more than kMaxCalcDepth nested formulas, gives #VALUE! instead of
// recursing. Options bit 0 pushes references to formula cells without calculating them.

#include "spreadsheet/formulas/FormulaSheets.h"

#include <cstdint>

class TCell;
class TFormulaHandler;

constexpr int kMaxCalcDepth = 1000;

void CalcFormulaTokens(TFormulaHandler& handler, const uint8_t* tokens, int length,
                       TFormulaValue& result, TCellRefArray& refs, int options, int sheet, int row,
                       int col);

// True for a formula cell whose calculated flag is clear.
bool IsUncalculatedFormula(const TCell* cell);
// Calculates the formula cell through the sheets into `value`, or gives #VALUE! when it is
// already under evaluation (or the chain is too deep).
void EvaluateReferencedCell(TFormulaSheets& sheets, TCellRefArray& refs, int sheet, int col,
                            int row, TFormulaValue& value);
