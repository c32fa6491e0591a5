#pragma once
// The axis panel's tests: a panel that fills the chart control's steps with entries in an event
// log, a tool that logs the drawing events it hears, a chart canvas that logs its groups, clips
// and the zoom band, and a test double of a line series that draws straight lines between its
// points (the real line series are built elsewhere).

#include "chart/axispanel/AxisPanel.h"
#include "chart/draw/PlotCanvas3D.h"
#include "platform/forms/Forms.h"

#include <QImage>

#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace axistest {

using TEventLog = std::vector<std::string>;
using TPoints = std::vector<std::pair<double, double>>;

// count points (x0 + i, y0 + yStep * i).
TPoints LinePoints(int count, double x0 = 0, double y0 = 0, double yStep = 1);

// The name of a drawing event of the tools.
std::string ToolEventName(TChartToolEventKind kind);

// Logs "group <name>" and "end <name>" for canvas groups, "clip" and "unclip" for plot clips and
// "zoom band" for the inverted rectangle of a zoom drag, then draws as the chart canvas does.
class TLogCanvas : public TPlotCanvas3D {
public:
    explicit TLogCanvas(TEventLog& log) : log_(log) {}
    void BeginGroup(const std::string& name) override;
    void EndGroup() override;
    void ClipToBox(const TRect& r, int z0, int z1) override;
    void RemoveClip() override;
    void Rectangle(int left, int top, int right, int bottom) override;
    using TPlotCanvas::Rectangle;
    int OpenGroups() const { return static_cast<int>(groups_.size()); }
    // Stands in for a canvas that renders true 3D itself.
    bool true3D = false;
    bool RendersTrue3D() override { return true3D; }

private:
    TEventLog& log_;
    std::vector<std::string> groups_;
};

// Test double of a line series: each point after the first draws a straight line from the one
// before it, in the series colour. It logs its drawing hooks and can ask for pixel margins.
class TStraightLineSeries : public TChartSeries {
    Q4_CLASS(TStraightLineSeries, TChartSeries)
public:
    explicit TStraightLineSeries(TComponent* owner) : TChartSeries(owner) {}
    TEventLog* log = nullptr;
    int marginLeft = 0, marginRight = 0, marginTop = 0, marginBottom = 0;
    // The point PointAt answers (-1: none) and how often it was asked.
    int pointUnderMouse = -1;
    int pointQuestions = 0;
    // DrawPoint raises at this index (-1: never).
    int raiseAtPoint = -1;
    int PointAt(int, int) override {
        ++pointQuestions;
        return pointUnderMouse;
    }
    void DrawPoint(int index) override;
    void DoBeforeDrawValues() override;
    void DoAfterDrawValues() override;
    void GetHorizMargins(int& left, int& right) override;
    void GetVertMargins(int& top, int& bottom) override;
};

// A series type without axes (as a pie is).
class TAxislessSeries : public TStraightLineSeries {
    Q4_CLASS(TAxislessSeries, TStraightLineSeries)
public:
    explicit TAxislessSeries(TComponent* owner) : TStraightLineSeries(owner) {}
    bool HasAxes() const override { return false; }
};

class TLogTool : public TPlotCustomTool {
    Q4_CLASS(TLogTool, TPlotCustomTool)
public:
    explicit TLogTool(TComponent* owner) : TPlotCustomTool(owner) {}
    TEventLog* log = nullptr;
    void ChartToolEvent(TChartToolEventKind kind) override;
};

class TTestAxisTool : public TPlotCustomToolAxis {
    Q4_CLASS(TTestAxisTool, TPlotCustomToolAxis)
public:
    explicit TTestAxisTool(TComponent* owner) : TPlotCustomToolAxis(owner) {}
};

class TTestSeriesTool : public TPlotCustomToolSeries {
    Q4_CLASS(TTestSeriesTool, TPlotCustomToolSeries)
public:
    explicit TTestSeriesTool(TComponent* owner) : TPlotCustomToolSeries(owner) {}
};

// The chart control's steps as log entries: walls, titles and legend (which a test may make
// raise), the wall room (the depth sizes only), the free-colour test over the other series.
class TTestAxisPanel : public TCustomAxisPanel {
    Q4_CLASS(TTestAxisPanel, TCustomAxisPanel)
public:
    explicit TTestAxisPanel(TComponent* owner);
    TEventLog log;
    // Runs inside the titles step; may raise.
    std::function<void(bool beforeSeries)> titles;
    int wallSize = 0;
    TLogCanvas* logCanvas = nullptr;

    void ReserveWallRoom() override;
    int WallSizeOfAxis(TChartAxis*) override { return wallSize; }
    void PaintTitlesAndLegend(bool beforeSeries) override;
    void PaintWalls() override { log.push_back("walls"); }
    bool ColorIsFree(TColor color, bool checkBackground, TChartSeries* series) override;
    void DrawBackground(TRect rect) override;
    // The tools are stored with the chart after its series.
    void GetChildren(const TGetChildProc& proc, TComponent* root) override;

    using TCustomAxisPanel::ApplySeriesMargins;
    using TCustomAxisPanel::AssignDepthSlots;
    using TCustomAxisPanel::FitAxesIntoPlot;
};

// Counts what the chart's listeners hear: series events and page changes.
class TSeriesEventCounter : public IChartEventListener {
public:
    std::vector<TSeriesEventKind> kinds;
    int pageChanges = 0;
    void ChartEvent(TPlotEvent& event) override {
        if (auto* e = dynamic_cast<TPlotSeriesEvent*>(&event))
            kinds.push_back(e->Kind);
        if (dynamic_cast<TChartChangePage*>(&event))
            ++pageChanges;
    }
};

// A shown form for the panels of a test, and the chart library started.
class AxisPanelFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

public:
    // A panel of w x h on the form, its drawing events logged.
    TTestAxisPanel* MakePanel(int w = 400, int h = 250);
    // A straight-line series of the form on the panel, with (x, y) points.
    TStraightLineSeries* AddSeries(TTestAxisPanel* panel,
                                   const std::vector<std::pair<double, double>>& points,
                                   const std::string& name = {});
    // The panel drawn into a bitmap of its size.
    void Draw(TTestAxisPanel* panel);

    TForm* form = nullptr;
};

// The window as it is painted now (a paint runs first when one is due).
QImage Grab(TWinControl* control);

// The log without the groups and lines that axes and points draw inside their own groups.
TEventLog PipelineEvents(const TEventLog& log);

} // namespace axistest
