#include "chart/control/Chart.h"
#include "chart/tools/ChartImageTool.h"
#include "chart/tools/ClipSeriesTool.h"
#include "chart/tools/FullScreenTool.h"
#include "chart/tools/RotateTool.h"
#include "chart/tools/SeriesAnimationTool.h"
#include "chart/tools/ToolTexts.h"
#include "platform/classes/ObjectText.h"
#include "platform/classes/Streaming.h"
#include "platform/forms/Forms.h"
#include "tests/chart/tools/pointer/ToolsTestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

TEST(ViewTools, EachNamesAndDescribesItself) {
    struct Case {
        TClass cls;
        int title, summary;
        const char* editor;
    };
    const Case cases[] = {
        {TRotateTool::StaticClass(), ttRotateTitle, ttRotateSummary, "TRotateToolEditor"},
        {TChartImageTool::StaticClass(), ttImageTitle, ttImageSummary, "TChartImageToolEditor"},
        {TSeriesAnimationTool::StaticClass(), ttSeriesAnimationTitle, ttSeriesAnimationSummary,
         "TSeriesAnimToolEditor"},
        {TClipSeriesTool::StaticClass(), ttClipSeriesTitle, ttClipSeriesSummary,
         "TSeriesToolEditor"},
        {TFullScreenTool::StaticClass(), ttFullScreenTitle, ttFullScreenSummary, ""},
    };
    auto owner = std::make_unique<TComponent>(nullptr);
    for (const auto& c : cases) {
        auto* tool = dynamic_cast<TPlotCustomTool*>(c.cls->CreateComponent(owner.get()));
        ASSERT_NE(tool, nullptr) << c.cls->ClassName();
        EXPECT_FALSE(tool->ToolTitleText().empty()) << c.cls->ClassName();
        EXPECT_EQ(tool->ToolTitleText(), ToolText(c.title));
        EXPECT_EQ(tool->ToolSummaryText(), ToolText(c.summary));
        EXPECT_EQ(tool->EditorClassName(), c.editor);
    }
    EXPECT_EQ(ToolText(ttRotateTitle), "Rotate");
    EXPECT_EQ(ToolText(ttFullScreenSummary), "Show Chart maximized to full screen");
}

TEST(ViewTools, SettingsGoThroughAFormDescription) {
    auto* source = new TForm(nullptr);
    source->SetName("Form1");
    auto* chart = new TChart(source);
    chart->SetName("Chart1");
    chart->SetParent(source);
    auto* series = new TLineSeries(source);
    series->SetName("Series1");
    series->SetParentChart(chart);
    auto* rotate = new TRotateTool(source);
    rotate->SetName("Rotate1");
    rotate->SetParentChart(chart);
    rotate->SetButton(mbRight);
    rotate->SetInertia(30);
    rotate->SetInverted(true);
    rotate->SetSpeed(70);
    rotate->SetStyle(rsElevation);
    auto* image = new TChartImageTool(source);
    image->SetName("Image1");
    image->SetParentChart(chart);
    image->SetSeries(series);
    auto* animation = new TSeriesAnimationTool(source);
    animation->SetName("Animation1");
    animation->SetParentChart(chart);
    animation->SetSeries(series);
    animation->SetSteps(20);
    animation->SetDrawEvery(2);
    animation->SetLoop(salCircular);
    animation->SetStartAtMin(false);
    animation->SetStartValue(5.5);
    animation->SetDelay(10);
    auto* full = new TFullScreenTool(source);
    full->SetName("Full1");
    full->SetParentChart(chart);
    full->SetReleaseKey(122);
    const std::string text = ComponentToText(source);
    source->Free();
    // Defaults are left out: no tool here is stored as active or inactive.
    EXPECT_EQ(text.find("Active"), std::string::npos) << text;

    auto* read = new TForm(nullptr);
    ReadComponentDescription(ObjectTextToBinary(text), read);
    auto* readRotate = dynamic_cast<TRotateTool*>(read->FindComponent("Rotate1"));
    auto* readImage = dynamic_cast<TChartImageTool*>(read->FindComponent("Image1"));
    auto* readAnimation = dynamic_cast<TSeriesAnimationTool*>(read->FindComponent("Animation1"));
    auto* readFull = dynamic_cast<TFullScreenTool*>(read->FindComponent("Full1"));
    ASSERT_NE(readRotate, nullptr) << text;
    ASSERT_NE(readImage, nullptr) << text;
    ASSERT_NE(readAnimation, nullptr) << text;
    ASSERT_NE(readFull, nullptr) << text;
    EXPECT_EQ(readRotate->Button(), mbRight);
    EXPECT_EQ(readRotate->Inertia(), 30);
    EXPECT_TRUE(readRotate->Inverted());
    EXPECT_EQ(readRotate->Speed(), 70);
    EXPECT_EQ(readRotate->Style(), rsElevation);
    EXPECT_FALSE(readRotate->Pen()->Visible());
    EXPECT_EQ(readImage->Series(), read->FindComponent("Series1"));
    EXPECT_FALSE(readImage->Pen()->Visible());
    EXPECT_EQ(readAnimation->Steps(), 20);
    EXPECT_EQ(readAnimation->DrawEvery(), 2);
    EXPECT_EQ(readAnimation->Loop(), salCircular);
    EXPECT_FALSE(readAnimation->StartAtMin());
    EXPECT_DOUBLE_EQ(readAnimation->StartValue(), 5.5);
    EXPECT_EQ(readAnimation->Delay(), 10);
    EXPECT_EQ(readFull->ReleaseKey(), 122);
    EXPECT_FALSE(readFull->Active());
    EXPECT_EQ(readFull->FullScreenForm(), nullptr);
    read->Free();
}

} // namespace
