#pragma once
// Sizes of stored formula tokens in the four layouts: the oldest records (up to the 1992
// format), the 1993 format, the current format of 1997 and later, and the wide layout after
// the byte 0xFE (32-bit rows). Shared by the decoder, the reference adjuster and calculation.

#include "spreadsheet/core/XLSGlobals.h"

#include <cstdint>

enum TPtgLayout : uint8_t { plOld, pl50, plCurrent, plWide };

TPtgLayout LayoutOfVersion(TExcelVersion version);

// The size in bytes of the token at `at` (the token byte included), reading variable parts
// (string lengths, jump tables) from the token; -1 when the layout has no size for it. The
// size may run past `length`: callers check that the token fits.
int PtgSize(const uint8_t* tokens, int at, int length, TPtgLayout layout);

// Little-endian reads that give 0 for bytes at or beyond `length`.
uint16_t ReadWord(const uint8_t* data, int at, int length);
uint32_t ReadLong(const uint8_t* data, int at, int length);
double ReadDouble(const uint8_t* data, int at, int length);
