#pragma once
// The chart's tools: TPlotCustomTool is the base of every tool (it hears the chart's drawing,
// mouse and wheel events), TPlotCustomToolSeries and TPlotCustomToolAxis the bases of tools
// bound to one series or one axis. TChartTools is the chart's list of its tools; the tools are
// components of their owner, the list frees them when the chart goes.

#include "chart/axispanel/ChartPointerList.h"
#include "chart/core/ChartElement.h"
#include "platform/forms/Controls.h"

#include <string>

class TChartAxis;
class TChartSeries;
class TCustomAxisPanel;

class TPlotCustomTool : public TCustomChartElement {
    Q4_CLASS(TPlotCustomTool, TCustomChartElement)

    explicit TPlotCustomTool(TComponent* owner) : TCustomChartElement(owner) {}
    ~TPlotCustomTool() override;
    // Leaves the old chart's tools and joins the new one's (an old chart left alone repaints).
    void SetParentChart(TChartHost* chart) override;
    // The chart as an axis panel (none when the tool has no chart).
    TCustomAxisPanel* Panel() const;

    // A drawing event of the chart; nothing here.
    virtual void ChartToolEvent(TChartToolEventKind) {}
    // Mouse down (0), move (1) or up (2) over the chart; nothing here.
    virtual void ChartMouseEvent(int, TMouseButton, TShiftState, int, int) {}
    // Wheel down (0), wheel (1) or wheel up (2); nothing here.
    virtual void ChartWheelEvent(int, int, int, int) {}
    // A short text naming the tool type, and a longer one; empty here.
    virtual std::string ToolTitleText() const { return {}; }
    virtual std::string ToolSummaryText() const { return {}; }
};

class TPlotCustomToolSeries : public TPlotCustomTool {
    Q4_CLASS(TPlotCustomToolSeries, TPlotCustomTool)

    explicit TPlotCustomToolSeries(TComponent* owner) : TPlotCustomTool(owner) {}
    static void DeclareProperties(TPropertyList& p);
    void Assign(TPersistent* source) override;
    void Notification(TComponent* component, TOperation operation) override;
    std::string EditorClassName() const override { return "TSeriesToolEditor"; }
    // A drawing event of the tool's own series: before (ctkBeforeDrawSeries) and after
    // (ctkAfterDrawSeries) the series draws itself. Taken as a chart event here; a tool that
    // treats the two differently overrides it.
    virtual void SeriesToolEvent(TChartToolEventKind kind) { ChartToolEvent(kind); }

    TChartSeries* Series() const { return series_; }
    virtual void SetSeries(TChartSeries* value);
    // The series' axes; without a series the bottom (left) axis, or the top (right) one when
    // only that one has series bound to it.
    TChartAxis* HorizAxisOf() const;
    TChartAxis* VertAxisOf() const;

private:
    TChartSeries* series_ = nullptr;
};

class TPlotCustomToolAxis : public TPlotCustomTool {
    Q4_CLASS(TPlotCustomToolAxis, TPlotCustomTool)

    explicit TPlotCustomToolAxis(TComponent* owner) : TPlotCustomTool(owner) {}
    void Assign(TPersistent* source) override;
    // "AxisID": the axis' index in its chart's list of every axis, written when there is an axis.
    void DefineProperties(TFiler* filer) override;
    // An index read before the chart's axes existed is looked up now; one outside the list
    // leaves the tool without an axis.
    void Loaded() override;
    std::string EditorClassName() const override { return "TAxisToolEditor"; }

    TChartAxis* Axis() const { return axis_; }
    // Joins the axis' chart and repaints.
    virtual void SetAxis(TChartAxis* value);

private:
    // The axis at the index of the chart's list; none when the index is outside it.
    void ResolveAxisIndex(int index);

    TChartAxis* axis_ = nullptr;
    int pendingAxisIndex_ = -1;
};

class TChartTools : public TChartPointerList<TPlotCustomTool> {
public:
    explicit TChartTools(TCustomAxisPanel* panel) : panel_(panel) {}
    ~TChartTools() { Clear(); }

    TCustomAxisPanel* Panel() const { return panel_; }
    // Frees every tool, the first one repeatedly, and empties the list.
    void Clear() {
        FreeAll([](TPlotCustomTool* tool) { tool->Free(); });
    }

private:
    TCustomAxisPanel* panel_;
};
