#pragma once
// The table of the worksheet functions of the record format, by function number (0 to 380):
// argument counts, name and the operand class of the first six arguments. A minimum of 255
// marks a function worksheet formulas may not use; a maximum of 99 an open list.

#include <cstdint>
#include <string>
#include <string_view>

constexpr int kFunctionCount = 381;
constexpr uint8_t kFunctionOpenCount = 99;
constexpr uint8_t kFunctionNotUsable = 255;

// Operand classes of an argument.
constexpr uint8_t fcReference = 0x20;
constexpr uint8_t fcValue = 0x40;
constexpr uint8_t fcArray = 0x60;
constexpr uint8_t fcNone = 0;

struct TFunctionDefinition {
    uint8_t Min;
    uint8_t Max;
    const char16_t* Name;
    uint8_t Classes[6];

    bool FixedCount() const { return Min == Max; }
    bool Usable() const { return Min != kFunctionNotUsable; }
};

// The record of a function number; `number` must lie in 0 to 380.
const TFunctionDefinition& FunctionDefinition(int number);
// The number of the first function named exactly `name` (upper case), or -1.
int FindFunction(std::u16string_view name);
