#include "spreadsheet/SpreadsheetUnits.h"

#include "spreadsheet/core/XLSGlobals.h"
#include "spreadsheet/png/PngPicture.h"

#include <iterator>

namespace {

struct TUnit {
    void (*Initialize)();
    void (*Finalize)();
};

// In program start order. The function table and the record framing are constant data and
// need no start-up.
constexpr TUnit kUnits[] = {
    {InitializeRecordFormatUnit, FinalizeRecordFormatUnit},
    {InitializeUtilitiesUnit, FinalizeUtilitiesUnit},
    {InitializePngUnit, FinalizePngUnit},
};

bool gStarted = false;

} // namespace

void InitializeSpreadsheetLibrary() {
    if (gStarted)
        return;
    for (const TUnit& unit : kUnits)
        unit.Initialize();
    gStarted = true;
}

void FinalizeSpreadsheetLibrary() {
    if (!gStarted)
        return;
    for (auto it = std::rbegin(kUnits); it != std::rend(kUnits); ++it)
        it->Finalize();
    gStarted = false;
}
