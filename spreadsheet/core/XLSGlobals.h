#pragma once
// Process-wide state of the spreadsheet library: the sheet limits and the Boolean texts. They
// are shared by every workbook and set by the last one that changes them; the library's
// start-up gives them their first values.

#include <cstdint>
#include <string>

enum TExcelVersion : uint8_t {
    xvNone,
    xvExcelUnknown,
    xvExcel21,
    xvExcel30,
    xvExcel40,
    xvExcel50,
    xvExcel97,
    xvExcel2007
};

// Largest column and row index (zero-based).
extern int MaxCol;
extern int MaxRow;

// The texts of the Boolean values.
extern std::u16string StrTRUE;
extern std::u16string StrFALSE;

// Limits of the record format of 1997 and of the newer format.
constexpr int MaxColClassic = 255;
constexpr int MaxRowClassic = 65535;
constexpr int MaxColWide = 16383;
constexpr int MaxRowWide = 1048575;

// Start-up and shut-down of the record-format unit (limits) and of the utilities unit
// (Boolean texts).
void InitializeRecordFormatUnit();
void FinalizeRecordFormatUnit();
void InitializeUtilitiesUnit();
void FinalizeUtilitiesUnit();
