#include "chart/axispanel/AxisPanel.h"
#include "chart/control/Chart.h"
#include "chart/control/ToolTypes.h"
#include "chart/tools/AnnotationTool.h"
#include "chart/tools/AxisArrowTool.h"
#include "chart/tools/AxisScrollTool.h"
#include "chart/tools/ColorBandTool.h"
#include "chart/tools/ColorLineTool.h"
#include "chart/tools/CursorTool.h"
#include "chart/tools/DragMarksTool.h"
#include "chart/tools/DrawLineTool.h"
#include "chart/tools/GridBandTool.h"
#include "chart/tools/MarksTipTool.h"
#include "chart/tools/NearestTool.h"
#include "chart/tools/PageNumTool.h"
#include "chart/tools/RectangleTool.h"
#include "chart/tools/ToolTexts.h"
#include "chart/tools/ToolsLibrary.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/classes/ObjectText.h"
#include "platform/classes/Streaming.h"
#include "platform/forms/Forms.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

std::vector<std::string> RegisteredToolNames() {
    std::vector<std::string> names;
    for (int i = 0; i < PlotToolTypes().Count(); ++i)
        names.push_back(PlotToolTypes().Items(i)->ClassName());
    return names;
}

TEST(ChartToolsLibrary, RegistersItsToolsInGalleryOrderAndTakesThemOutAtTheLastStop) {
    const std::vector<std::string> expected = {
        "TAntiAliasTool",       "TCursorTool",     "TDragMarksTool",  "TAxisArrowTool",
        "TDrawLineTool",        "TNearestTool",    "TColorBandTool",  "TColorLineTool",
        "TRotateTool",          "TChartImageTool", "TMarksTipTool",   "TAnnotationTool",
        "TSeriesAnimationTool", "TGridBandTool",   "TAxisScrollTool", "TRectangleTool",
        "TClipSeriesTool",      "TFullScreenTool", "TPageNumTool"};
    EXPECT_EQ(RegisteredToolNames(), expected);
    for (const auto& name : expected)
        EXPECT_NE(GetClass(name), nullptr) << name;
    // A nested start and stop change nothing.
    StartChartTools();
    StopChartTools();
    EXPECT_EQ(RegisteredToolNames(), expected);
    // The program's own start is the last one: stopping it takes the tools out of the list
    // (descriptions still know the classes), and starting again puts them back in order.
    StopChartTools();
    EXPECT_TRUE(RegisteredToolNames().empty());
    EXPECT_NE(GetClass("TCursorTool"), nullptr);
    EXPECT_EQ(ToolText(ttCursorTitle), "");
    StartChartTools();
    EXPECT_EQ(RegisteredToolNames(), expected);
}

TEST(ChartToolsLibrary, EachToolNamesAndDescribesItself) {
    struct Case {
        TClass cls;
        int title, summary;
        const char* editor;
    };
    const Case cases[] = {
        {TCursorTool::StaticClass(), ttCursorTitle, ttCursorSummary, "TCursorToolEditor"},
        {TDragMarksTool::StaticClass(), ttDragMarksTitle, ttDragMarksSummary,
         "TDragMarksToolEditor"},
        {TAxisArrowTool::StaticClass(), ttAxisArrowTitle, ttAxisArrowSummary,
         "TAxisArrowToolEditor"},
        {TNearestTool::StaticClass(), ttNearestTitle, ttNearestSummary, "TNearestToolEdit"},
        {TMarksTipTool::StaticClass(), ttMarksTipTitle, ttMarksTipSummary, "TMarksTipToolEdit"},
        {TAxisScrollTool::StaticClass(), ttAxisScrollTitle, ttAxisScrollSummary,
         "TAxisScrollEditor"},
        {TDrawLineTool::StaticClass(), ttDrawLineTitle, ttDrawLineSummary, "TDrawLineEdit"},
        {TColorBandTool::StaticClass(), ttColorBandTitle, ttColorBandSummary,
         "TColorBandToolEditor"},
        {TColorLineTool::StaticClass(), ttColorLineTitle, ttColorLineSummary,
         "TColorLineToolEditor"},
        {TGridBandTool::StaticClass(), ttGridBandTitle, ttGridBandSummary, "TGridBandToolEdit"},
        {TAnnotationTool::StaticClass(), ttAnnotationTitle, ttAnnotationSummary,
         "TAnnotationToolEdit"},
        {TRectangleTool::StaticClass(), ttRectangleTitle, ttRectangleSummary,
         "TAnnotationToolEdit"},
        {TPageNumTool::StaticClass(), ttPageNumTitle, ttPageNumSummary, "TPageNumToolEdit"},
    };
    auto owner = std::make_unique<TComponent>(nullptr);
    for (const auto& c : cases) {
        auto* tool = dynamic_cast<TPlotCustomTool*>(c.cls->CreateComponent(owner.get()));
        ASSERT_NE(tool, nullptr) << c.cls->ClassName();
        EXPECT_EQ(tool->ToolTitleText(), ToolText(c.title));
        EXPECT_FALSE(tool->ToolTitleText().empty());
        EXPECT_EQ(tool->ToolSummaryText(), ToolText(c.summary));
        EXPECT_EQ(tool->EditorClassName(), c.editor);
    }
}

TEST(ChartToolsLibrary, ToolSettingsGoThroughAFormDescription) {
    auto* source = new TForm(nullptr);
    source->SetName("Form1");
    auto* chart = new TChart(source);
    chart->SetName("Chart1");
    chart->SetParent(source);
    auto* cursor = new TCursorTool(source);
    cursor->SetName("Cursor1");
    cursor->SetParentChart(chart);
    cursor->SetStyle(cssScope);
    cursor->SetScopeStyle(scsDiamond);
    cursor->SetSnapStyle(snapVertical);
    cursor->SetClickTolerance(6);
    auto* arrows = new TAxisArrowTool(source);
    arrows->SetName("Arrows1");
    arrows->SetAxis(chart->LeftAxis());
    arrows->SetPosition(aaEnd);
    arrows->SetScrollPercent(25);
    auto* nearest = new TNearestTool(source);
    nearest->SetName("Nearest1");
    nearest->SetParentChart(chart);
    nearest->SetStyle(hsDiamond);
    nearest->SetDrawLine(false);
    const std::string text = ComponentToText(source);
    source->Free();
    EXPECT_NE(text.find("SnapStyle = ssVertical"), std::string::npos) << text;
    EXPECT_EQ(text.find("FollowMouse"), std::string::npos) << text;

    auto* read = new TForm(nullptr);
    ReadComponentDescription(ObjectTextToBinary(text), read);
    auto* readChart = dynamic_cast<TChart*>(read->FindComponent("Chart1"));
    auto* readCursor = dynamic_cast<TCursorTool*>(read->FindComponent("Cursor1"));
    auto* readArrows = dynamic_cast<TAxisArrowTool*>(read->FindComponent("Arrows1"));
    auto* readNearest = dynamic_cast<TNearestTool*>(read->FindComponent("Nearest1"));
    ASSERT_NE(readCursor, nullptr) << text;
    ASSERT_NE(readArrows, nullptr) << text;
    ASSERT_NE(readNearest, nullptr) << text;
    EXPECT_EQ(readCursor->Style(), cssScope);
    EXPECT_EQ(readCursor->ScopeStyle(), scsDiamond);
    EXPECT_EQ(readCursor->SnapStyle(), snapVertical);
    EXPECT_EQ(readCursor->ClickTolerance(), 6);
    EXPECT_EQ(readArrows->Axis(), readChart->LeftAxis());
    EXPECT_EQ(readArrows->Position(), aaEnd);
    EXPECT_EQ(readArrows->ScrollPercent(), 25);
    EXPECT_EQ(readNearest->Style(), hsDiamond);
    EXPECT_FALSE(readNearest->DrawLine());
    read->Free();
}

} // namespace
