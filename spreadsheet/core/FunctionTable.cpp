#include "spreadsheet/core/FunctionTable.h"

#include <cassert>

const TFunctionDefinition* FunctionDefinitions();

const TFunctionDefinition& FunctionDefinition(int number) {
    assert(number >= 0 && number < kFunctionCount);
    return FunctionDefinitions()[number];
}

int FindFunction(std::u16string_view name) {
    const TFunctionDefinition* table = FunctionDefinitions();
    for (int i = 0; i < kFunctionCount; ++i)
        if (name == table[i].Name)
            return i;
    return -1;
}
