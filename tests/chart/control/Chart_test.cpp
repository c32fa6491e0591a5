// The chart control: its parts and defaults, the titles-and-legend step, the answers other chart
// parts ask of it, the palette it applies and stores, copying and loading.

#include "tests/chart/control/ControlTestSupport.h"

#include "chart/control/ChartPalettes.h"
#include "platform/classes/Streaming.h"

#include <gtest/gtest.h>

using namespace controltest;

namespace {

TEST_F(ChartFixture, ConstructionDefaults) {
    EXPECT_TRUE(chart->RepaintEnabled());
    EXPECT_EQ(chart->Title()->Text()->Count(), 0);
    EXPECT_TRUE(chart->Title()->OnTop());
    EXPECT_TRUE(chart->SubTitle()->OnTop());
    EXPECT_FALSE(chart->Foot()->OnTop());
    EXPECT_FALSE(chart->SubFoot()->OnTop());
    EXPECT_EQ(chart->Foot()->Font()->Color(), clRed);
    EXPECT_TRUE(chart->Legend()->Visible());
    EXPECT_EQ(chart->Legend()->Alignment(), laRight);
    EXPECT_EQ(chart->ScrollMouseButton(), mbRight);
    EXPECT_FALSE(chart->ScalesSaved());
    EXPECT_EQ(chart->ColorPaletteIndex(), 0);
    EXPECT_EQ(chart->BackWall()->Color(), clSilver);
    EXPECT_TRUE(chart->BackWall()->Transparent());
    EXPECT_FALSE(chart->BackWall()->Shadow()->Visible());
    EXPECT_EQ(chart->BackWall()->Shadow()->Color(), clGray);
    EXPECT_EQ(chart->LeftWall()->Color(), static_cast<TColor>(0x80FFFF));
    EXPECT_EQ(chart->BottomWall()->Color(), clWhite);
    EXPECT_EQ(chart->RightWall()->Color(), clSilver);
    EXPECT_FALSE(chart->RightWall()->Visible());
    EXPECT_EQ(chart->Frame(), chart->BackWall()->Pen());
    for (TCustomChartWall* wall : {static_cast<TCustomChartWall*>(chart->BackWall()),
                                   static_cast<TCustomChartWall*>(chart->LeftWall())}) {
        EXPECT_TRUE(wall->Dark3D());
        EXPECT_EQ(wall->EndPosition(), 100);
        EXPECT_EQ(wall->StartPosition(), 0);
        EXPECT_EQ(wall->Size(), 0);
    }
}

TEST_F(ChartFixture, AxesInUseUnlessEveryActiveSeriesDrawsWithoutAxes) {
    EXPECT_TRUE(chart->AxesInUse()) << "no series";
    auto* pie = AddSeries<TAxislessSeries>({{0, 1}});
    EXPECT_FALSE(chart->AxesInUse()) << "only an axis-less series";
    auto* line = AddSeries({{0, 1}});
    EXPECT_TRUE(chart->AxesInUse()) << "one series uses axes";
    line->SetActive(false);
    EXPECT_FALSE(chart->AxesInUse()) << "the series with axes is inactive";
    pie->SetActive(false);
    EXPECT_TRUE(chart->AxesInUse()) << "no active series";
}

TEST_F(ChartFixture, ChartWithoutSeriesDrawsTheBackWallAndNoLegend) {
    chart->SetView3D(false);
    auto rec = Draw();
    const TRect plot = chart->PlotRect();
    const std::string frame = "RECTANGLE " + std::to_string(plot.Left) + " " +
                              std::to_string(plot.Top) + " " + std::to_string(plot.Right + 1) +
                              " " + std::to_string(plot.Bottom + 1);
    EXPECT_NE(rec->FirstLine(frame, ""), std::string::npos) << rec->Matching("RECTANGLE").size();
    const auto groups = rec->GroupOrder();
    EXPECT_EQ(std::count(groups.begin(), groups.end(), "Legend"), 0);
}

TEST_F(ChartFixture, OnlyAnAxislessSeriesMeansNoWallsAndNoBackWallRoom) {
    chart->SetView3D(false);
    AddSeries<TAxislessSeries>({{0, 1}, {1, 2}});
    auto rec = Draw();
    const TRect plot = chart->PlotRect();
    const std::string frame = "RECTANGLE " + std::to_string(plot.Left) + " " +
                              std::to_string(plot.Top) + " " + std::to_string(plot.Right + 1);
    EXPECT_EQ(rec->FirstLine(frame, ""), std::string::npos);

    // In orthogonal 3D the back wall's thickness takes no room, the depth still does.
    chart->SetView3D(true);
    chart->BackWall()->SetSize(7);
    chart->SetPlotRect({10, 20, 310, 220});
    chart->SetFixedPlotRect(false);
    chart->ReserveWallRoom();
    EXPECT_EQ(chart->PlotRect().Right, 310 - std::abs(chart->Depth3DX()));
    EXPECT_EQ(chart->PlotRect().Top, 20 + std::abs(chart->Depth3DY()));
}

TEST_F(ChartFixture, SideLegendGoesBeforeTheTitlesATopOneAfter) {
    chart->SetView3D(false);
    chart->Title()->Text()->Add("Заголовок");
    AddSeries({{0, 1}, {1, 2}});
    const struct {
        TLegendAlignment alignment;
        std::vector<std::string> order;
    } cases[] = {
        {laLeft, {"Legend", "title"}},
        {laRight, {"Legend", "title"}},
        {laTop, {"title", "Legend"}},
        {laBottom, {"title", "Legend"}},
    };
    for (const auto& c : cases) {
        chart->Legend()->SetAlignment(c.alignment);
        auto rec = Draw();
        std::vector<std::string> order;
        for (const auto& g : rec->GroupOrder())
            if (g == "Legend" || g == "title")
                order.push_back(g);
        EXPECT_EQ(order, c.order) << "alignment " << c.alignment;
    }
}

TEST_F(ChartFixture, TitlesDrawInTheirOrderAndPlacedOnesAfterTheSeries) {
    chart->SetView3D(false);
    chart->Legend()->SetVisible(false);
    chart->Title()->Text()->Add("T");
    chart->SubTitle()->Text()->Add("S");
    chart->Foot()->Text()->Add("F");
    chart->SubFoot()->Text()->Add("SF");
    auto* series = AddSeries({{0, 1}, {1, 2}});
    series->SetName("Series1");
    auto rec = Draw();
    std::vector<std::string> order;
    for (const auto& g : rec->GroupOrder())
        if (g == "title" || g == "subtitle" || g == "foot" || g == "subfoot")
            order.push_back(g);
    EXPECT_EQ(order, (std::vector<std::string>{"title", "subtitle", "foot", "subfoot"}));

    // A placed title waits until the series are drawn.
    chart->Title()->SetLeft(5);
    rec = Draw();
    const auto seriesLine = rec->FirstLine("LINETO", "");
    ASSERT_NE(seriesLine, std::string::npos);
    const auto titleText = rec->FirstLine("TEXT", "\"T\"");
    ASSERT_NE(titleText, std::string::npos);
    EXPECT_GT(titleText, seriesLine);
}

TEST_F(ChartFixture, TitleThatRaisesWhileDrawingLeavesTheChartRepaintable) {
    chart->SetView3D(true);
    chart->Title()->Text()->Add("Broken");
    AddSeries({{0, 1}, {1, 2}});
    EXPECT_THROW(Draw(400, 250, "Broken"), Exception);
    auto* canvas = chart->DrawCanvas();
    EXPECT_EQ(canvas->FreezeCount(), 0);
    EXPECT_TRUE(chart->RepaintEnabled());
    auto rec = Draw();
    EXPECT_EQ(rec->OpenGroups(), 0);
    EXPECT_NE(rec->FirstLine("TEXT", "\"Broken\""), std::string::npos);
}

TEST_F(ChartFixture, PointLegendTextOfNoPointIsEmpty) {
    auto* series = AddSeries({{0, 1}});
    EXPECT_EQ(chart->PointLegendText(series, -1), "");
    EXPECT_EQ(chart->PointLegendText(nullptr, 0), "");
}

TEST_F(ChartFixture, PointLegendTextFollowsTheLegendsTextStyle) {
    auto* series = AddSeries();
    series->AddXYValue(1, 1);
    series->AddXYValue(2, 3, "Север\rЮг");
    struct Case {
        TLegendTextStyle style;
        int index;
        std::string text;
    };
    const Case cases[] = {
        {ltsLeftValue, 1, "3\x06Север Юг"}, // line breaks of the label become blanks
        {ltsLeftValue, 0, "1"},
        {ltsRightValue, 1,
         "Север Юг\x06"
         "3"},
        {ltsPlain, 0, ""},
        {ltsRightPercent, 1,
         "Север Юг\x06"
         "75 %"},
        {ltsXAndValue, 0,
         "1\x06"
         "1"},
    };
    for (const Case& c : cases) {
        chart->Legend()->SetTextStyle(c.style);
        EXPECT_EQ(chart->PointLegendText(series, c.index), c.text) << c.style << " " << c.index;
    }
    chart->Legend()->SetTextStyle(ltsRightValue);
    EXPECT_EQ(chart->LegendValueText(series, 1), "Север\rЮг\x06"
                                                 "3");
}

TEST_F(ChartFixture, LegendItemTextIsOfferedToTheEvent) {
    chart->OnGetLegendText = [](TCustomAxisPanel*, TLegendStyle style, int index,
                                std::string& text) {
        text += "/" + std::to_string(index) + "/" + std::to_string(style);
    };
    EXPECT_EQ(chart->LegendItemText(3, "abc"), "abc/3/" + std::to_string(lsValues));
}

TEST_F(ChartFixture, ColorIsFreeRefusesOtherSeriesColoursAndTheBackground) {
    auto* a = AddSeries();
    auto* b = AddSeries();
    a->SetSeriesColor(clRed);
    b->SetSeriesColor(clGreen);
    chart->SetColor(clBtnFace);
    chart->BackWall()->SetColor(clYellow);
    ASSERT_TRUE(chart->BackWall()->Transparent());
    const struct {
        TColor color;
        bool checkBackground;
        TChartSeries* series;
        bool free;
    } cases[] = {
        {clRed, false, b, false},          {clRed, false, a, true},
        {clGreen, false, nullptr, false},  {clYellow, false, nullptr, true},
        {clYellow, true, nullptr, false},  {clBtnFace, true, nullptr, false},
        {clBtnFace, false, nullptr, true}, {clBlue, true, nullptr, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(chart->ColorIsFree(c.color, c.checkBackground, c.series), c.free)
            << std::hex << c.color << " background " << c.checkBackground;
}

TEST_F(ChartFixture, BackColorIsTheChartsBehindATransparentBackWall) {
    chart->SetColor(clAqua);
    chart->BackWall()->SetColor(clYellow);
    EXPECT_EQ(chart->BackColorOf(), clAqua);
    chart->BackWall()->SetTransparent(false);
    EXPECT_EQ(chart->BackColorOf(), clYellow);
}

TEST_F(ChartFixture, WallSizeOfAxisIsTheVisibleWallItStandsOn) {
    chart->BackWall()->SetSize(2);
    chart->LeftWall()->SetSize(3);
    chart->BottomWall()->SetSize(4);
    chart->RightWall()->SetSize(5);
    struct Case {
        bool view3D, walls, rightVisible;
        TChartAxis* axis;
        int size;
    };
    const Case cases[] = {
        {true, true, false, chart->LeftAxis(), 3},  {true, true, false, chart->BottomAxis(), 4},
        {true, true, false, chart->RightAxis(), 0}, {true, true, true, chart->RightAxis(), 5},
        {true, true, false, chart->TopAxis(), 2},   {true, true, false, chart->DepthAxis(), 2},
        {false, true, true, chart->LeftAxis(), 0},  {true, false, true, chart->LeftAxis(), 0},
    };
    for (const Case& c : cases) {
        chart->SetView3D(c.view3D);
        chart->SetView3DWalls(c.walls);
        chart->RightWall()->SetVisible(c.rightVisible);
        EXPECT_EQ(chart->WallSizeOfAxis(c.axis), c.size)
            << "axis " << chart->Axes()->IndexOf(c.axis) << " 3D " << c.view3D;
    }
    chart->SetView3D(true);
    chart->SetView3DWalls(true);
    chart->LeftWall()->SetVisible(false);
    EXPECT_EQ(chart->WallSizeOfAxis(chart->LeftAxis()), 0);
}

TEST_F(ChartFixture, WallRoomInOrthogonal3D) {
    struct Case {
        int orthoAngle;
        int backSize;
        bool sideVisible;
        int sideSize;
    };
    const Case cases[] = {{45, 0, false, 0},  {45, 6, false, 0}, {45, 6, true, 4},
                          {135, 6, false, 0}, {135, 6, true, 4}, {90, 2, true, 0}};
    AddSeries({{0, 1}});
    for (const Case& c : cases) {
        chart->View3DOptions()->SetOrthoAngle(c.orthoAngle);
        chart->BackWall()->SetSize(c.backSize);
        chart->RightWall()->SetVisible(c.sideVisible);
        chart->RightWall()->SetSize(c.sideSize);
        chart->LeftWall()->SetVisible(c.sideVisible);
        chart->LeftWall()->SetSize(c.sideSize);
        chart->SetPlotRect({10, 20, 310, 220});
        chart->SetFixedPlotRect(false);
        chart->ReserveWallRoom();
        const int dx = std::abs(chart->Depth3DX());
        const int side = c.sideVisible ? c.sideSize + 1 : 0;
        const TRect r = chart->PlotRect();
        if (c.orthoAngle <= 90) {
            EXPECT_EQ(r.Left, 10);
            EXPECT_EQ(r.Right, 310 - dx - c.backSize - side) << c.orthoAngle;
        } else {
            EXPECT_EQ(r.Left, 10 + dx + c.backSize + side) << c.orthoAngle;
            EXPECT_EQ(r.Right, 310);
        }
        EXPECT_EQ(r.Top, 20 + c.backSize + std::abs(chart->Depth3DY()));
        EXPECT_EQ(r.Bottom, 220);
        EXPECT_FALSE(chart->FixedPlotRect());
    }
}

TEST_F(ChartFixture, WallRoomLeavesAFixedPlotRectangleAnd2DAlone) {
    chart->BackWall()->SetSize(6);
    chart->SetPlotRect({10, 20, 310, 220});
    chart->ReserveWallRoom();
    EXPECT_EQ(chart->PlotRect(), (TRect{10, 20, 310, 220}));
    chart->SetFixedPlotRect(false);
    chart->SetView3D(false);
    chart->ReserveWallRoom();
    EXPECT_EQ(chart->PlotRect(), (TRect{10, 20, 310, 220}));
}

TEST_F(ChartFixture, PaletteIndexIsStoredAboveZeroAndAppliedWhenRead) {
    EXPECT_EQ(ComponentToText(chart).find("ColorPaletteIndex"), std::string::npos);
    chart->ApplyColorPalette(13);
    ASSERT_EQ(chart->ColorPalette().size(), 12u);
    EXPECT_EQ(chart->ColorPalette()[0], static_cast<TColor>(0xA36644));
    const std::string text = ComponentToText(chart);
    EXPECT_NE(text.find("ColorPaletteIndex = 13"), std::string::npos) << text;

    TChart copy(nullptr);
    ReadComponentDescription(text, &copy);
    EXPECT_EQ(copy.ColorPaletteIndex(), 13);
    ASSERT_FALSE(copy.ColorPalette().empty());
    EXPECT_EQ(copy.ColorPalette()[0], static_cast<TColor>(0xA36644));
    EXPECT_EQ(ColorPaletteName(13), "Opera");

    chart->ApplyColorPalette(0);
    EXPECT_TRUE(chart->ColorPalette().empty());
    EXPECT_EQ(chart->ColorPaletteIndex(), 0);
}

TEST_F(ChartFixture, ApplyingAPaletteRecoloursOnlySeriesWithoutTheirOwnColour) {
    auto* automatic = AddSeries();
    auto* own = AddSeries();
    own->SetSeriesColor(clRed);
    automatic->SetSeriesColor(clDefault);
    chart->ApplyColorPalette(13);
    EXPECT_EQ(automatic->SeriesColor(), static_cast<TColor>(0xA36644));
    EXPECT_EQ(own->SeriesColor(), clRed);
}

TEST_F(ChartFixture, OlderBackColorSetsTheBackWallsColour) {
    const std::string text = "object Chart1: TChart\n  BackColor = clYellow\nend\n";
    TChart copy(nullptr);
    ReadComponentDescription(text, &copy);
    EXPECT_EQ(copy.BackWall()->Color(), clYellow);
    const std::string numeric = "object Chart1: TChart\n  BackColor = 255\nend\n";
    ReadComponentDescription(numeric, &copy);
    EXPECT_EQ(copy.BackWall()->Color(), clRed);
}

TEST_F(ChartFixture, DescriptionOfTheApplicationsChartLoads) {
    const std::string text = "object Chart1: TChart\n"
                             "  Legend.Visible = False\n"
                             "  Title.Text.Strings = (\n"
                             "    'Изменение напряжения питания прибора')\n"
                             "  View3D = False\n"
                             "  ColorPaletteIndex = 13\n"
                             "end\n";
    std::unique_ptr<TComponent> loaded(ReadComponentDescription(text, nullptr));
    auto* loadedChart = dynamic_cast<TChart*>(loaded.get());
    ASSERT_NE(loadedChart, nullptr);
    EXPECT_FALSE(loadedChart->Legend()->Visible());
    EXPECT_FALSE(loadedChart->View3D());
    EXPECT_EQ(loadedChart->Title()->Text()->Text(), "Изменение напряжения питания прибора\r\n");
    EXPECT_EQ(loadedChart->ColorPaletteIndex(), 13);
}

TEST_F(ChartFixture, PartsAndSettingsRoundTripThroughADescription) {
    chart->Title()->Text()->Add("Один");
    chart->Foot()->SetAlignment(taLeftJustify);
    chart->Legend()->SetAlignment(laBottom);
    chart->LeftWall()->SetSize(4);
    chart->RightWall()->SetVisible(true);
    chart->BackWall()->SetTransparent(false);
    chart->SetScrollMouseButton(mbMiddle);
    const std::string text = ComponentToText(chart);
    TChart copy(nullptr);
    ReadComponentDescription(text, &copy);
    EXPECT_EQ(copy.Title()->Text()->Get(0), "Один");
    EXPECT_EQ(copy.Foot()->Alignment(), taLeftJustify);
    EXPECT_EQ(copy.Legend()->Alignment(), laBottom);
    EXPECT_EQ(copy.LeftWall()->Size(), 4);
    EXPECT_TRUE(copy.RightWall()->Visible());
    EXPECT_FALSE(copy.BackWall()->Transparent());
    EXPECT_EQ(copy.ScrollMouseButton(), mbMiddle);
    // Defaults are not written.
    EXPECT_EQ(text.find("SubTitle"), std::string::npos) << text;
    EXPECT_EQ(text.find("BottomWall"), std::string::npos) << text;
    EXPECT_EQ(text.find("Shadow"), std::string::npos) << text;
    copy.BackWall()->Shadow()->SetVisible(true);
    TChart again(nullptr);
    ReadComponentDescription(ComponentToText(&copy), &again);
    EXPECT_TRUE(again.BackWall()->Shadow()->Visible());
}

TEST_F(ChartFixture, AssignCopiesTitlesLegendWallsPaletteAndScrollButton) {
    TChart other(nullptr);
    other.Title()->Text()->Add("x");
    other.SubFoot()->SetVertMargin(11);
    other.Legend()->SetAlignment(laTop);
    other.BackWall()->SetSize(9);
    other.SetScrollMouseButton(mbLeft);
    other.ApplyColorPalette(13);
    chart->Assign(&other);
    EXPECT_EQ(chart->Title()->Text()->Count(), 1);
    EXPECT_EQ(chart->SubFoot()->VertMargin(), 11);
    EXPECT_EQ(chart->Legend()->Alignment(), laTop);
    EXPECT_EQ(chart->BackWall()->Size(), 9);
    EXPECT_EQ(chart->ScrollMouseButton(), mbLeft);
    EXPECT_EQ(chart->ColorPaletteIndex(), 13);
}

TEST_F(ChartFixture, EditorsListTheValueListsOfASeriesSource) {
    auto* source = AddSeries({{0, 1}});
    auto* linked = AddSeries();
    std::vector<std::string> names;
    const auto add = [&](const std::string& name) { names.push_back(name); };
    chart->FillSeriesSourceItems(linked, add);
    EXPECT_TRUE(names.empty());
    linked->AddDataSourceItem(source);
    chart->FillSeriesSourceItems(linked, add);
    EXPECT_EQ(names, (std::vector<std::string>{"X", "Y"}));
}

class TTestTool : public TPlotCustomTool {
    Q4_CLASS(TTestTool, TPlotCustomTool)
public:
    explicit TTestTool(TComponent* owner) : TPlotCustomTool(owner) {}
};

TEST_F(ChartFixture, ChildrenAreTheSeriesThenTheTools) {
    auto* tool = new TTestTool(owner);
    tool->SetParentChart(chart);
    auto* first = AddSeries();
    auto* second = AddSeries();
    std::vector<TComponent*> children;
    chart->GetChildren([&](TComponent* c) { children.push_back(c); }, owner);
    EXPECT_EQ(children, (std::vector<TComponent*>{first, second, tool}));
}

} // namespace
