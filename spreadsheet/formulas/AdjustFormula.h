#pragma once
// Moving the references of stored formulas in place.
//
// AdjustCell moves cell and area references (plain and on sheets) by a number of columns and
// rows: relative parts always, absolute ones too with adjustAll; rows stay with keepRows. A
// reference that leaves the sheet becomes its error form of the same class, its data kept.
// The byte 0xFE switches to the wide layout. Streams with a token of unknown size, or a token
// that runs past the end, raise before anything changes.
//
// OffsetSharedFormula moves the relative parts of the references of a wide-layout formula
// (a shared formula's copy for another cell); absolute parts stay where they are.

#include <cstdint>

void AdjustCell(bool isCurrent, uint8_t* tokens, int length, int colDelta, int rowDelta,
                bool keepRows, bool adjustAll);
void OffsetSharedFormula(uint8_t* tokens, int length, int colDelta, int rowDelta);
