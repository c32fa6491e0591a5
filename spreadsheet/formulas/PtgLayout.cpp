#include "spreadsheet/formulas/PtgLayout.h"

#include "spreadsheet/formulas/Ptg.h"

#include <cstring>

TPtgLayout LayoutOfVersion(TExcelVersion version) {
    return version <= xvExcel40 ? plOld : version == xvExcel50 ? pl50 : plCurrent;
}

uint16_t ReadWord(const uint8_t* data, int at, int length) {
    const auto byte = [&](int i) { return i >= 0 && i < length ? data[i] : uint8_t(0); };
    return static_cast<uint16_t>(byte(at) | byte(at + 1) << 8);
}

uint32_t ReadLong(const uint8_t* data, int at, int length) {
    return ReadWord(data, at, length) | static_cast<uint32_t>(ReadWord(data, at + 2, length)) << 16;
}

double ReadDouble(const uint8_t* data, int at, int length) {
    const uint64_t bits =
        ReadLong(data, at, length) | static_cast<uint64_t>(ReadLong(data, at + 4, length)) << 32;
    double value;
    std::memcpy(&value, &bits, 8);
    return value;
}

namespace {

int ExtendedSize(uint8_t kind) {
    switch (kind) {
    case 1:
    case 2:
    case 3:
    case 6:
    case 7:
    case 12:
    case 13:
    case 14:
    case 15:
    case 16:
    case 29:
        return 6;
    case 10:
    case 11:
        return 15;
    default:
        return 2;
    }
}

// Operand tokens by base code: current, 1993 and wide sizes (0: none).
struct TOperandSizes {
    uint8_t Base;
    int8_t Current, V50, Wide;
};

constexpr TOperandSizes kOperands[] = {
    {ptgArray, 8, 8, 8},     {ptgFunc, 3, 3, 3},        {ptgFuncVar, 4, 4, 4},
    {ptgName, 5, 15, 5},     {ptgRef, 5, 4, 7},         {ptgArea, 9, 7, 13},
    {ptgMemArea, 7, 7, 7},   {ptgMemFunc, 3, 3, 3},     {ptgRefErr, 5, 4, 7},
    {ptgAreaErr, 9, 7, 13},  {ptgRefN, 5, 4, 0},        {ptgAreaN, 9, 7, 0},
    {ptgNameX, 7, 25, 7},    {ptgRef3d, 7, 18, 9},      {ptgArea3d, 11, 21, 15},
    {ptgRefErr3d, 7, 18, 9}, {ptgAreaErr3d, 11, 21, 15}};

} // namespace

int PtgSize(const uint8_t* t, int at, int length, TPtgLayout layout) {
    const uint8_t ptg = t[at];
    if (ptg == ptgWide)
        return 1;
    if (ptg >= ptgAdd && ptg <= ptgMissArg && ptg != ptgIsect)
        return 1;
    switch (ptg) {
    case ptgExp:
        return 5;
    case ptgStr: {
        const int count = at + 1 < length ? t[at + 1] : 0;
        if (layout == plOld || layout == pl50)
            return 2 + count;
        const int flag = at + 2 < length ? t[at + 2] : 0;
        return 3 + count * ((flag & 1) ? 2 : 1);
    }
    case ptgExtended:
        return ExtendedSize(at + 1 < length ? t[at + 1] : 0);
    case ptgAttr:
        if (at + 1 < length && (t[at + 1] & attrChoose))
            return 6 + 2 * ReadWord(t, at + 2, length);
        return 4;
    case ptgErr:
    case ptgBool:
        return 2;
    case ptgInt:
        return 3;
    case ptgNum:
        return 9;
    case ptgSheet:
        return layout == plOld ? 11 : -1;
    case ptgEndSheet:
        return layout == plOld ? 5 : -1;
    default:
        break;
    }
    if (ptg < 0x20 || ptg >= 0x80)
        return -1;
    const uint8_t base = PtgBase(ptg);
    if (layout == plOld && base == ptgName)
        return 11;
    for (const TOperandSizes& s : kOperands)
        if (s.Base == base) {
            const int size = layout == plWide ? s.Wide : layout == plCurrent ? s.Current : s.V50;
            return size > 0 ? size : -1;
        }
    return -1;
}
