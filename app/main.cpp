#include "platform/rtl/Version.h"
#include "spreadsheet/SpreadsheetUnits.h"

#include <cstdio>

int main() {
    // The libraries start before any window exists and stop after the last one is gone.
    InitializeSpreadsheetLibrary();
    std::printf("QUORVAN-4 Configurator %s\n", ProgramFileVersion().c_str());
    FinalizeSpreadsheetLibrary();
    return 0;
}
