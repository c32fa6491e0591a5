#pragma once
// Start-up and shut-down of the spreadsheet library. The program calls
// InitializeSpreadsheetLibrary once before it creates any form, and FinalizeSpreadsheetLibrary
// once at exit; the units start in program order and stop in reverse order. Nothing in the
// library runs from a static constructor.

void InitializeSpreadsheetLibrary();
void FinalizeSpreadsheetLibrary();
