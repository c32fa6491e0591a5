#include "spreadsheet/SpreadsheetUnits.h"

#include "spreadsheet/core/XLSGlobals.h"
#include "spreadsheet/png/PngPicture.h"
#include "spreadsheet/tables/HtmlNames.h"
#include "spreadsheet/tables/OfficeXmlNames.h"

#include <iterator>

namespace {

struct TUnit {
    void (*Initialize)();
    void (*Finalize)();
};

// In program start order. The name tables, the function table, the chart records' templates
// and the record framing are constant data and need no start-up; the formula decoder takes its
// separators from the format settings it is given.
constexpr TUnit kUnits[] = {
    {InitializeRecordFormatUnit, FinalizeRecordFormatUnit},
    {InitializeUtilitiesUnit, FinalizeUtilitiesUnit},
    {InitializeHtmlEntityUnit, FinalizeHtmlEntityUnit},
    {InitializeHtmlEscapeUnit, FinalizeHtmlEscapeUnit},
    {InitializePackageUnit, FinalizePackageUnit},
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
