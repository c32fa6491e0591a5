#pragma once
// Token codes of stored formulas (reverse Polish order, little-endian operands) and the error
// codes and indexes that go with them.

#include <cstdint>
#include <string>

enum : uint8_t {
    ptgExp = 0x01,
    ptgTbl = 0x02,
    ptgAdd = 0x03,
    ptgSub = 0x04,
    ptgMul = 0x05,
    ptgDiv = 0x06,
    ptgPower = 0x07,
    ptgConcat = 0x08,
    ptgLT = 0x09,
    ptgLE = 0x0A,
    ptgEQ = 0x0B,
    ptgGE = 0x0C,
    ptgGT = 0x0D,
    ptgNE = 0x0E,
    ptgIsect = 0x0F,
    ptgUnion = 0x10,
    ptgRange = 0x11,
    ptgUplus = 0x12,
    ptgUminus = 0x13,
    ptgPercent = 0x14,
    ptgParen = 0x15,
    ptgMissArg = 0x16,
    ptgStr = 0x17,
    ptgExtended = 0x18,
    ptgAttr = 0x19,
    ptgSheet = 0x1A,
    ptgEndSheet = 0x1B,
    ptgErr = 0x1C,
    ptgBool = 0x1D,
    ptgInt = 0x1E,
    ptgNum = 0x1F,
    // Operand tokens in their base (reference-class) codes; the value class adds 0x20 and the
    // array class 0x40.
    ptgArray = 0x20,
    ptgFunc = 0x21,
    ptgFuncVar = 0x22,
    ptgName = 0x23,
    ptgRef = 0x24,
    ptgArea = 0x25,
    ptgMemArea = 0x26,
    ptgMemErr = 0x27,
    ptgMemNoMem = 0x28,
    ptgMemFunc = 0x29,
    ptgRefErr = 0x2A,
    ptgAreaErr = 0x2B,
    ptgRefN = 0x2C,
    ptgAreaN = 0x2D,
    ptgMemAreaN = 0x2E,
    ptgMemNoMemN = 0x2F,
    ptgNameX = 0x39,
    ptgRef3d = 0x3A,
    ptgArea3d = 0x3B,
    ptgRefErr3d = 0x3C,
    ptgAreaErr3d = 0x3D,
    // The token that switches a stream to the wide layout (32-bit rows).
    ptgWide = 0xFE,
};

// Attribute flags of ptgAttr.
enum : uint8_t {
    attrVolatile = 0x01,
    attrIf = 0x02,
    attrChoose = 0x04,
    attrGoto = 0x08,
    attrSum = 0x10,
    attrSpace = 0x40,
};

// The base code of an operand token of any class (0x20..0x7F), else the code itself.
constexpr uint8_t PtgBase(uint8_t ptg) {
    return ptg >= 0x20 && ptg < 0x80 ? static_cast<uint8_t>((ptg & 0x1F) | 0x20) : ptg;
}

// Published error codes by error index 1..7 (#NULL!, #DIV/0!, #VALUE!, #REF!, #NAME?, #NUM!,
// #N/A); index 0 is "no error value".
constexpr uint8_t kErrorCodes[8] = {0xFF, 0x00, 0x07, 0x0F, 0x17, 0x1D, 0x24, 0x2A};

// The error index of a published error code, or -1.
int ErrorIndexOfCode(uint8_t code);

// Error indexes.
enum : uint8_t {
    errNone = 0,
    errNull = 1,
    errDiv0 = 2,
    errValue = 3,
    errRef = 4,
    errName = 5,
    errNum = 6,
    errNA = 7
};
