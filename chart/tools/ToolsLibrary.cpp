#include "chart/tools/ToolsLibrary.h"

#include "chart/control/ControlLibrary.h"
#include "chart/control/ToolTypes.h"
#include "chart/draw/UnitStarts.h"
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

TUnitStarts antiAliasStarts;
TUnitStarts standardStarts;
TUnitStarts pageNumStarts;

// The seventeen standard tools, in the order the tool gallery shows them.
std::vector<TClass> StandardToolClasses() {
    return {
        TCursorTool::StaticClass(),     TDragMarksTool::StaticClass(),
        TAxisArrowTool::StaticClass(),  TDrawLineTool::StaticClass(),
        TNearestTool::StaticClass(),    TColorBandTool::StaticClass(),
        TColorLineTool::StaticClass(),  TRotateTool::StaticClass(),
        TChartImageTool::StaticClass(), TMarksTipTool::StaticClass(),
        TAnnotationTool::StaticClass(), TSeriesAnimationTool::StaticClass(),
        TGridBandTool::StaticClass(),   TAxisScrollTool::StaticClass(),
        TRectangleTool::StaticClass(),  TClipSeriesTool::StaticClass(),
        TFullScreenTool::StaticClass(),
    };
}

void AddTools(const std::vector<TClass>& classes) {
    for (TClass cls : classes)
        AddToolTypes({cls});
}

void RemoveTools(const std::vector<TClass>& classes) {
    for (TClass cls : classes)
        RemoveToolTypes({cls});
}

} // namespace

std::vector<TClass> ChartToolClasses() {
    std::vector<TClass> classes{TAntiAliasTool::StaticClass()};
    for (TClass cls : StandardToolClasses())
        classes.push_back(cls);
    classes.push_back(TPageNumTool::StaticClass());
    return classes;
}

void StartAntiAliasToolUnit() {
    if (antiAliasStarts.Start())
        AddTools({TAntiAliasTool::StaticClass()});
}

void StopAntiAliasToolUnit() {
    if (antiAliasStarts.Stop())
        RemoveTools({TAntiAliasTool::StaticClass()});
}

void StartStandardToolsUnit() {
    if (standardStarts.Start())
        AddTools(StandardToolClasses());
}

void StopStandardToolsUnit() {
    if (standardStarts.Stop())
        RemoveTools(StandardToolClasses());
}

void StartPageNumToolUnit() {
    if (pageNumStarts.Start())
        AddTools({TPageNumTool::StaticClass()});
}

void StopPageNumToolUnit() {
    if (pageNumStarts.Stop())
        RemoveTools({TPageNumTool::StaticClass()});
}

void StartChartTools() {
    StartChartControl();
    // The anti-alias tool's filters are stored by class name.
    StartChartImaging();
    StartToolTexts();
    StartAntiAliasToolUnit();
    StartStandardToolsUnit();
    StartPageNumToolUnit();
}

void StopChartTools() {
    StopPageNumToolUnit();
    StopStandardToolsUnit();
    StopAntiAliasToolUnit();
    StopToolTexts();
    StopChartImaging();
    StopChartControl();
}
