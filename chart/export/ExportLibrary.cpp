#include "chart/export/ExportLibrary.h"

#include "chart/draw/ChartMessages.h"
#include "chart/export/BMPExportFormat.h"
#include "chart/export/EMFExportFormat.h"

namespace {

int starts = 0;

} // namespace

void StartChartExport() {
    StartChartMessages();
    if (starts++ > 0)
        return;
    RegisterExportFormat(TEMFExportFormat::StaticClass());
    RegisterExportFormat(TBMPExportFormat::StaticClass());
}

void StopChartExport() {
    if (starts > 0 && --starts == 0)
        FreeExportFormats();
    StopChartMessages();
}
