#include "chart/tools/ToolsLibrary.h"

#include "chart/control/ControlLibrary.h"
#include "chart/control/ToolTypes.h"
#include "chart/imaging/Filters.h"
#include "chart/tools/AnnotationTool.h"
#include "chart/tools/AntiAliasTool.h"
#include "chart/tools/AxisArrowTool.h"
#include "chart/tools/AxisScrollTool.h"
#include "chart/tools/ChartImageTool.h"
#include "chart/tools/ClipSeriesTool.h"
#include "chart/tools/ColorBandTool.h"
#include "chart/tools/ColorLineTool.h"
#include "chart/tools/CursorTool.h"
#include "chart/tools/DragMarksTool.h"
#include "chart/tools/DrawLineTool.h"
#include "chart/tools/FullScreenTool.h"
#include "chart/tools/GridBandTool.h"
#include "chart/tools/MarksTipTool.h"
#include "chart/tools/NearestTool.h"
#include "chart/tools/PageNumTool.h"
#include "chart/tools/RectangleTool.h"
#include "chart/tools/RotateTool.h"
#include "chart/tools/SeriesAnimationTool.h"
#include "chart/tools/ToolTexts.h"

namespace {

int starts = 0;

} // namespace

std::vector<TClass> ChartToolClasses() {
    return {
        // Registered before the standard tools, by the anti-alias tool's own start.
        TAntiAliasTool::StaticClass(),
        TCursorTool::StaticClass(),
        TDragMarksTool::StaticClass(),
        TAxisArrowTool::StaticClass(),
        TDrawLineTool::StaticClass(),
        TNearestTool::StaticClass(),
        TColorBandTool::StaticClass(),
        TColorLineTool::StaticClass(),
        TRotateTool::StaticClass(),
        TChartImageTool::StaticClass(),
        TMarksTipTool::StaticClass(),
        TAnnotationTool::StaticClass(),
        TSeriesAnimationTool::StaticClass(),
        TGridBandTool::StaticClass(),
        TAxisScrollTool::StaticClass(),
        TRectangleTool::StaticClass(),
        TClipSeriesTool::StaticClass(),
        TFullScreenTool::StaticClass(),
        // Registered after the standard tools, by the page number's own start.
        TPageNumTool::StaticClass(),
    };
}

void StartChartTools() {
    StartChartControl();
    // The anti-alias tool's filters are stored by class name.
    StartChartImaging();
    StartToolTexts();
    if (starts++ > 0)
        return;
    for (TClass cls : ChartToolClasses())
        AddToolTypes({cls});
}

void StopChartTools() {
    if (starts > 0 && --starts == 0) {
        for (TClass cls : ChartToolClasses())
            RemoveToolTypes({cls});
    }
    StopToolTexts();
    StopChartImaging();
    StopChartControl();
}
