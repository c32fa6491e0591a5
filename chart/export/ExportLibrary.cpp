#include "chart/export/ExportLibrary.h"

#include "chart/draw/ChartMessages.h"
#include "chart/draw/TaggedText.h"
#include "chart/draw/UnitStarts.h"
#include "chart/export/BMPExportFormat.h"
#include "chart/export/EMFExportFormat.h"
#include "platform/graphics/Picture.h"

namespace {

TUnitStarts metafileStarts;
TUnitStarts bitmapStarts;
TUnitStarts lookupStarts;

} // namespace

void StartMetafileExportUnit() {
    if (metafileStarts.Start())
        RegisterExportFormat(TEMFExportFormat::StaticClass());
}

void StopMetafileExportUnit() {
    if (metafileStarts.Stop())
        UnregisterExportFormat(TEMFExportFormat::StaticClass());
}

void StartBitmapExportUnit() {
    if (bitmapStarts.Start())
        RegisterExportFormat(TBMPExportFormat::StaticClass());
}

void StopBitmapExportUnit() {
    if (bitmapStarts.Stop())
        UnregisterExportFormat(TBMPExportFormat::StaticClass());
}

void StartExportLookupUnit() {
    if (lookupStarts.Start())
        CreateGraphicForExtensionHook() = CreateGraphicForExtension;
}

void StopExportLookupUnit() {
    if (lookupStarts.Stop()) {
        CreateGraphicForExtensionHook() = nullptr;
        FreeExportFormats();
    }
}

void StartChartExport() {
    StartChartMessages();
    StartMetafileExportUnit();
    StartBitmapExportUnit();
    StartExportLookupUnit();
}

void StopChartExport() {
    StopExportLookupUnit();
    StopBitmapExportUnit();
    StopMetafileExportUnit();
    StopChartMessages();
}
