#include "spreadsheet/formulas/Ptg.h"

int ErrorIndexOfCode(uint8_t code) {
    for (int i = 1; i <= 7; ++i)
        if (kErrorCodes[i] == code)
            return i;
    return -1;
}
