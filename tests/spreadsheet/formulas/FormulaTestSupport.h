#pragma once
// Helpers shared by the formula tests: token bytes as hex text and back, and an encoder whose
// names and sheets come from small tables.

#include "spreadsheet/core/XLSGlobals.h"
#include "spreadsheet/formulas/EncodeFormula.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

// "1E0100 03" style: hex digits, blanks ignored.
std::vector<uint8_t> Bytes(const std::string& hex);
std::string Hex(const std::vector<uint8_t>& bytes);

// An encoder over invariant settings (decimal ".", list ","), with the defined names and the
// sheets given (sheet i has external-sheet entry 10 + i).
struct TTestEncoder {
    TTestEncoder();
    std::vector<uint8_t> Compile(const std::u16string& text, uint8_t version = 1,
                                 uint8_t argClass = 0);
    // Compiles and collects every reported error code; an error raised at the end adds 100 +
    // its code.
    std::vector<int> Errors(const std::u16string& text, uint8_t version = 1);

    TEncodeFormula encoder;
    std::map<std::u16string, int> names;
    std::vector<std::u16string> sheets;
};
