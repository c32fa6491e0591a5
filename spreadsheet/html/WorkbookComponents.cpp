#include "spreadsheet/html/WorkbookComponents.h"

#include "platform/classes/ClassRegistry.h"
#include "spreadsheet/html/XLSExportHTML.h"
#include "spreadsheet/workbook/XLSWorkbook.h"

void RegisterWorkbookComponents() {
    RegisterClasses<TXLSWorkbook4, TXLSExport4, TXLSExportHTML4>();
}
