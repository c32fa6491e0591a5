#include "chart/ChartLibrary.h"

#include "chart/control/ControlLibrary.h"
#include "chart/core/ChartCore.h"
#include "chart/draw/ChartMessages.h"
#include "chart/draw/DrawLibrary.h"
#include "chart/editors/EditorRegistration.h"
#include "chart/editors/gallery/GalleryRoutines.h"
#include "chart/export/ExportLibrary.h"
#include "chart/imaging/Filters.h"
#include "chart/series/SeriesLibrary.h"
#include "chart/tools/ToolTexts.h"
#include "chart/tools/ToolsLibrary.h"
#include "chart/util/ChartUtils.h"

#include <iterator>

namespace {

struct TChartUnit {
    const char* name;
    void (*start)();
    void (*stop)();
};

// In start order; each start and stop is counted by its unit.
constexpr TChartUnit kUnits[] = {
    {"messages", StartChartMessages, StopChartMessages},
    {"drawing", StartChartDrawing, StopChartDrawing},
    {"filters", StartChartImaging, StopChartImaging},
    {"utilities", StartChartUtilities, StopChartUtilities},
    {"core", StartChartCore, StopChartCore},
    {"control", StartChartControl, StopChartControl},
    {"metafile export", StartMetafileExportUnit, StopMetafileExportUnit},
    {"bitmap export", StartBitmapExportUnit, StopBitmapExportUnit},
    {"export lookup", StartExportLookupUnit, StopExportLookupUnit},
    {"extended texts", StartToolTexts, StopToolTexts},
    {"anti-alias tool", StartAntiAliasToolUnit, StopAntiAliasToolUnit},
    {"standard tools", StartStandardToolsUnit, StopStandardToolsUnit},
    {"series", StartChartSeries, StopChartSeries},
    {"gallery", StartChartGallery, StopChartGallery},
    {"editors", StartChartEditors, StopChartEditors},
    {"page-number tool", StartPageNumToolUnit, StopPageNumToolUnit},
};

} // namespace

TChartUnitHook& ChartUnitStartedHook() {
    static TChartUnitHook hook;
    return hook;
}

void InitializeChartLibrary() {
    for (const TChartUnit& unit : kUnits) {
        unit.start();
        if (ChartUnitStartedHook())
            ChartUnitStartedHook()(unit.name);
    }
}

void FinalizeChartLibrary() {
    for (auto it = std::rbegin(kUnits); it != std::rend(kUnits); ++it)
        it->stop();
}
