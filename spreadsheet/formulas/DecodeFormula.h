#pragma once
// Turns a stored formula (tokens in reverse Polish order) back into its text. Names and sheets
// come from a resolver:
//   kind 0: the text of defined name NameIndex (one-based);
//   kind 2: the sheet text (ending in "!") of external-sheet entry Index, or the text of an
//           external name when NameIndex is given;
//   kind 3: the name of sheet Index;
//   kind 4: the text of an extended reference (Index, Arg1 the 16-bit value, Arg2 the byte).
//
// Structural trouble shows in the text ("<Val missing>", "Unknown ptg[..]"); a token that runs
// past the stream ends decoding with the text "[ERROR]". Only "Function arguments missing"
// and the stack's index error (a parenthesis or sum attribute with nothing to wrap) raise.

#include "platform/rtl/FormatSettings.h"
#include "spreadsheet/core/XLSGlobals.h"

#include <cstdint>
#include <functional>
#include <string>

using TFormulaResolver = std::function<void(int kind, int index, std::u16string& text, int arg1,
                                            int arg2, int nameIndex)>;

// `data` holds `length` token bytes followed by `extra` bytes (the constants of array
// tokens). rowBase and colBase place the relative references of shared formulas; extIndex is
// handed to the resolver for extended references.
std::u16string DecodeFormulaTokens(TExcelVersion version, const uint8_t* data, int length,
                                   const TFormulaResolver& resolver, int rowBase, int colBase,
                                   int extIndex, char16_t listSeparator,
                                   const TFormatSettings& settings, int extra = 0);
