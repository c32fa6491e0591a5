// The chart's tools (joining and leaving a chart, a series tool's series going away, an axis
// tool's axis stored by its index) and paging (page counts, the current page, events).

#include "tests/chart/axispanel/AxisPanelTestSupport.h"

#include "platform/classes/ObjectText.h"
#include "platform/classes/Streaming.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QEnterEvent>
#include <QEvent>
#include <QWidget>

using namespace axistest;

namespace {

TPoints Points(int count) {
    return LinePoints(count);
}

class ToolsAndPages : public AxisPanelFixture {};

} // namespace

TEST_F(ToolsAndPages, PageCounts) {
    struct Case {
        const char* what;
        std::vector<int> bottomSeries, topSeries; // point counts of the active series
        int perPage, pages;
    };
    const Case cases[] = {
        {"25 points, 10 a page", {25}, {}, 10, 3},
        {"20 points fill two pages exactly", {20}, {}, 10, 2},
        {"the fullest series counts", {7, 25, 11}, {}, 10, 3},
        {"the fuller of the two axes", {5}, {31}, 10, 4},
        {"no paging", {25}, {}, 0, 1},
        {"series without points", {0}, {}, 10, 1},
    };
    for (const Case& c : cases) {
        TTestAxisPanel* panel = MakePanel();
        for (int n : c.bottomSeries)
            AddSeries(panel, Points(n));
        for (int n : c.topSeries)
            AddSeries(panel, Points(n))->SetHorizAxis(aTopAxis);
        panel->Pages()->SetMaxPointsPerPage(c.perPage);
        EXPECT_EQ(panel->Pages()->PageCount(), c.pages) << c.what;
        EXPECT_EQ(panel->PageCount(), c.pages) << c.what;
        panel->DestroySeries();
        panel->Free();
    }
    // No active series on the axes: one page.
    TTestAxisPanel* panel = MakePanel();
    AddSeries(panel, Points(25))->SetActive(false);
    panel->Pages()->SetMaxPointsPerPage(10);
    EXPECT_EQ(panel->Pages()->PageCount(), 1);
}

TEST_F(ToolsAndPages, TheCurrentPageStaysWithinThePages) {
    TTestAxisPanel* panel = MakePanel();
    AddSeries(panel, Points(25));
    TSeriesEventCounter events;
    panel->AddListener(&events);
    int pageChanges = 0;
    TObject* sender = nullptr;
    panel->OnPageChange = [&](TObject* s) {
        ++pageChanges;
        sender = s;
    };
    panel->Pages()->SetMaxPointsPerPage(10);
    events.pageChanges = 0;
    struct Case {
        int asked, current;
        bool event;
    };
    const Case cases[] = {{2, 2, true},   {2, 2, false}, {0, 1, true},
                          {-3, 1, false}, {99, 3, true}, {3, 3, false}};
    for (const Case& c : cases) {
        const int before = events.pageChanges;
        const int firedBefore = pageChanges;
        panel->Pages()->SetCurrent(c.asked);
        EXPECT_EQ(panel->Pages()->Current(), c.current) << c.asked;
        EXPECT_EQ(events.pageChanges - before, c.event ? 1 : 0) << c.asked;
        EXPECT_EQ(pageChanges - firedBefore, c.event ? 1 : 0) << c.asked;
    }
    EXPECT_EQ(sender, panel->Pages());
    EXPECT_EQ(panel->Pages()->FirstValueIndex(), 20);
    panel->Pages()->NextPage();
    EXPECT_EQ(panel->Pages()->Current(), 3);
    panel->Pages()->PreviousPage();
    panel->Pages()->PreviousPage();
    panel->Pages()->PreviousPage();
    EXPECT_EQ(panel->Pages()->Current(), 1);

    // Fewer pages: the current one moves to the new last page.
    panel->Pages()->SetCurrent(3);
    panel->Pages()->SetMaxPointsPerPage(20);
    EXPECT_EQ(panel->Pages()->Current(), 2);
    panel->Pages()->SetMaxPointsPerPage(0);
    EXPECT_EQ(panel->Pages()->Current(), 1);
    panel->OnPageChange = nullptr;
    panel->RemoveListener(&events);
}

TEST_F(ToolsAndPages, ANegativePageSizeIsRefused) {
    TTestAxisPanel* panel = MakePanel();
    panel->Pages()->SetMaxPointsPerPage(8);
    try {
        panel->Pages()->SetMaxPointsPerPage(-1);
        ADD_FAILURE() << "taken";
    } catch (const ChartException& e) {
        EXPECT_EQ(e.Message(), "MaxPointsPerPage must be >= 0");
    }
    EXPECT_EQ(panel->Pages()->MaxPointsPerPage(), 8);
}

TEST_F(ToolsAndPages, OlderDescriptionsSetThePagesThroughTheChart) {
    TTestAxisPanel* panel = MakePanel();
    panel->SetName("Chart1");
    AddSeries(panel, Points(40));
    const std::string text = "object Chart1: TTestAxisPanel\n"
                             "  MaxPointsPerPage = 10\n"
                             "  Page = 3\n"
                             "  ScaleLastPage = False\n"
                             "end\n";
    ReadComponentDescription(ObjectTextToBinary(text), panel);
    EXPECT_EQ(panel->Pages()->MaxPointsPerPage(), 10);
    EXPECT_EQ(panel->Pages()->Current(), 3);
    EXPECT_FALSE(panel->Pages()->ScaleLastPage());
    // Written back, they are the pages' own.
    const std::string written = ComponentToText(panel);
    EXPECT_NE(written.find("Pages.MaxPointsPerPage = 10"), std::string::npos) << written;
    EXPECT_EQ(written.find("\n  Page = "), std::string::npos) << written;
}

TEST_F(ToolsAndPages, ToolsFollowTheirChart) {
    TTestAxisPanel* first = MakePanel();
    TTestAxisPanel* second = MakePanel();
    auto* tool = new TLogTool(form);
    tool->SetParentChart(first);
    EXPECT_EQ(first->Tools()->IndexOf(tool), 0);
    tool->SetParentChart(second);
    EXPECT_EQ(first->Tools()->Count(), 0);
    EXPECT_EQ(second->Tools()->IndexOf(tool), 0);
    tool->SetParentChart(nullptr);
    EXPECT_EQ(second->Tools()->Count(), 0);
    tool->SetParentChart(first);
    tool->Free();
    EXPECT_EQ(first->Tools()->Count(), 0);
    // A chart freed with its tools.
    auto* kept = new TLogTool(form);
    kept->SetName("Kept");
    kept->SetParentChart(second);
    second->Free();
    EXPECT_EQ(form->FindComponent("Kept"), nullptr);
}

TEST_F(ToolsAndPages, ASeriesToolLosesItsSeriesWhenTheSeriesGoes) {
    TTestAxisPanel* panel = MakePanel();
    TStraightLineSeries* series = AddSeries(panel, Points(3));
    auto* tool = new TTestSeriesTool(form);
    tool->SetParentChart(panel);
    tool->SetSeries(series);
    EXPECT_EQ(tool->HorizAxisOf(), panel->BottomAxis());
    series->SetVertAxis(aRightAxis);
    EXPECT_EQ(tool->VertAxisOf(), panel->RightAxis());
    series->Free();
    EXPECT_EQ(tool->Series(), nullptr);
    // Without a series: the top axis when only it has series bound to it.
    EXPECT_EQ(tool->HorizAxisOf(), panel->BottomAxis());
    AddSeries(panel, Points(3))->SetHorizAxis(aTopAxis);
    EXPECT_EQ(tool->HorizAxisOf(), panel->TopAxis());
    EXPECT_EQ(tool->VertAxisOf(), panel->LeftAxis());
    EXPECT_EQ(tool->EditorClassName(), "TSeriesToolEditor");
}

TEST_F(ToolsAndPages, AnAxisToolStoresItsAxisByIndex) {
    RegisterClasses({TTestAxisPanel::StaticClass(), TTestAxisTool::StaticClass()});
    auto* source = new TForm(nullptr);
    source->SetName("Form1");
    auto* chart = new TTestAxisPanel(source);
    chart->SetName("Chart1");
    chart->SetParent(source);
    auto* custom = new TChartAxis(chart->CustomAxes());
    ASSERT_EQ(chart->Axes()->IndexOf(custom), 6);
    auto* tool = new TTestAxisTool(source);
    tool->SetName("Tool1");
    tool->SetAxis(custom);
    EXPECT_EQ(tool->ParentChart(), chart);
    EXPECT_EQ(chart->Tools()->IndexOf(tool), 0);
    EXPECT_EQ(tool->EditorClassName(), "TAxisToolEditor");
    const std::string text = ComponentToText(source);
    source->Free();
    ASSERT_NE(text.find("AxisID = 6"), std::string::npos) << text;

    struct Case {
        const char* what;
        std::string from, to;
        int expectIndex; // -1: no axis
    };
    const Case cases[] = {
        {"round trip", "AxisID = 6", "AxisID = 6", 6},
        {"an index beyond the axes", "AxisID = 6", "AxisID = 9", -1},
        {"a negative index", "AxisID = 6", "AxisID = -4", -1},
    };
    for (const Case& c : cases) {
        std::string description = text;
        description.replace(description.find(c.from), c.from.size(), c.to);
        auto* read = new TForm(nullptr);
        ReadComponentDescription(ObjectTextToBinary(description), read);
        auto* readChart = dynamic_cast<TTestAxisPanel*>(read->FindComponent("Chart1"));
        auto* readTool = dynamic_cast<TTestAxisTool*>(read->FindComponent("Tool1"));
        ASSERT_NE(readChart, nullptr) << c.what << description;
        ASSERT_NE(readTool, nullptr) << c.what << description;
        ASSERT_EQ(readChart->Axes()->Count(), 7) << c.what;
        if (c.expectIndex < 0)
            EXPECT_EQ(readTool->Axis(), nullptr) << c.what;
        else
            EXPECT_EQ(readTool->Axis(), readChart->Axes()->Items(c.expectIndex)) << c.what;
        read->Free();
    }
    UnRegisterClasses({TTestAxisPanel::StaticClass(), TTestAxisTool::StaticClass()});
}

TEST_F(ToolsAndPages, AnAxisToolLetsGoOfAnAxisThatIsFreed) {
    TTestAxisPanel* panel = MakePanel();
    auto* custom = new TChartAxis(panel->CustomAxes());
    auto* onCustom = new TTestAxisTool(form);
    onCustom->SetAxis(custom);
    auto* onLeft = new TTestAxisTool(form);
    onLeft->SetAxis(panel->LeftAxis());
    ASSERT_EQ(panel->Tools()->Count(), 2);
    delete custom;
    EXPECT_EQ(onCustom->Axis(), nullptr);
    EXPECT_EQ(onCustom->ParentChart(), nullptr);
    EXPECT_EQ(onLeft->Axis(), panel->LeftAxis());
    EXPECT_EQ(panel->Axes()->Count(), 6);
    // The chart going frees its tools; those on its axes first let go of them.
    panel->Free();
    EXPECT_EQ(onCustom->Axis(), nullptr);
    onCustom->Free();
}

TEST_F(ToolsAndPages, EverySeriesIsAskedAboutTheMouseAndToolsHearItLeave) {
    TTestAxisPanel* panel = MakePanel();
    TStraightLineSeries* under = AddSeries(panel, Points(3));
    TStraightLineSeries* last = AddSeries(panel, Points(3));
    TStraightLineSeries* off = AddSeries(panel, Points(3));
    std::vector<std::string> entered;
    for (TStraightLineSeries* s : {under, last, off})
        s->OnMouseEnter = [&entered, s](TObject*) { entered.push_back(s->Name()); };
    under->SetName("Under");
    under->pointUnderMouse = 1;
    off->SetActive(false);
    off->pointUnderMouse = 0;
    EXPECT_TRUE(panel->HitTestSeries(10, 10));
    // The answer of the first does not stop the others being asked; inactive ones are not.
    EXPECT_EQ(under->pointQuestions, 1);
    EXPECT_EQ(last->pointQuestions, 1);
    EXPECT_EQ(off->pointQuestions, 0);
    EXPECT_EQ(entered, (std::vector<std::string>{"Under"}));
    under->pointUnderMouse = -1;
    EXPECT_FALSE(panel->HitTestSeries(10, 10));

    auto* tool = new TLogTool(form);
    tool->log = &panel->log;
    tool->SetParentChart(panel);
    QEnterEvent enter(QPointF(80, 65), QPointF(80, 65), QPointF(80, 65));
    QApplication::sendEvent(panel->Handle(), &enter);
    panel->log.clear();
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(panel->Handle(), &leave);
    EXPECT_EQ(panel->log, (TEventLog{"ctkMouseLeave"}));
    for (TStraightLineSeries* s : {under, last, off})
        s->OnMouseEnter = nullptr;
}
