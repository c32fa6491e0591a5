#include "spreadsheet/core/XLSGlobals.h"

int MaxCol = 0;
int MaxRow = 0;
std::u16string StrTRUE;
std::u16string StrFALSE;

void InitializeRecordFormatUnit() {
    MaxCol = MaxColWide;
    MaxRow = MaxRowWide;
}

void FinalizeRecordFormatUnit() {
    MaxCol = 0;
    MaxRow = 0;
}

void InitializeUtilitiesUnit() {
    StrTRUE = u"TRUE";
    StrFALSE = u"FALSE";
}

void FinalizeUtilitiesUnit() {
    StrTRUE.clear();
    StrFALSE.clear();
}
