#include "chart/export/ExportLibrary.h"

#include "chart/draw/ChartMessages.h"
#include "chart/draw/TaggedText.h"
#include "chart/draw/UnitStarts.h"
#include "chart/export/BMPExportFormat.h"
#include "chart/export/EMFExportFormat.h"
#include "chart/imaging/Filters.h"
#include "platform/graphics/Picture.h"
#include "platform/stdctrls/Registration.h"

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
    if (!bitmapStarts.Start())
        return;
    RegisterExportFormat(TBMPExportFormat::StaticClass());
    // The options forms' descriptions name standard controls.
    RegisterStdControls();
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
    // The bitmap options' preview is a filtered image.
    StartChartImaging();
    StartMetafileExportUnit();
    StartBitmapExportUnit();
    StartExportLookupUnit();
}

void StopChartExport() {
    StopExportLookupUnit();
    StopBitmapExportUnit();
    StopMetafileExportUnit();
    StopChartImaging();
    StopChartMessages();
}
