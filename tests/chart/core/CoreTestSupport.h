#pragma once
// A small chart for the core's tests: it holds series and the six standard axes the way the
// chart control will, counts repaints and series events, measures text with a fixed font
// (7 pixels a character, 13 pixels high) and answers axis extremes from its series. Given a
// canvas, its axes draw on it and text is measured there in the font asked for.

#include "chart/core/AxisDrawHost.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/ChartHost.h"
#include "chart/core/ChartSeries.h"
#include "platform/classes/Component.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

// Starts the chart core for a test and stops it afterwards.
struct ChartCoreSession {
    ChartCoreSession();
    ~ChartCoreSession();
};

class TTestChart : public TComponent, public TChartHost, public TAxisDrawHost {
    Q4_CLASS(TTestChart, TComponent)
public:
    static constexpr int CharWidth = 7;
    static constexpr int CharHeight = 13;

    explicit TTestChart(TComponent* owner = nullptr);
    ~TTestChart() override;
    // The standard axes are stored with the chart, as the chart control stores them.
    static void DeclareProperties(TPropertyList& p);

    // What the chart saw.
    int invalidations = 0;
    std::vector<std::pair<TCustomChartSeries*, TSeriesEventKind>> events;
    std::vector<std::pair<TChartSeries*, TChartToolEventKind>> toolEvents;
    std::vector<TChartAxis*> rangesSet;
    std::vector<std::string> detachedClasses;
    int refreshes = 0;

    // What the chart answers with.
    TRect chartRect{100, 50, 300, 250};
    bool view3D = false;
    bool applyZOrder = false;
    bool rotationInverted = false;
    bool fastCalc = false;
    bool loading = false;
    int depth3D = 0;
    int seriesDepth3D = 15;
    int maxZOrder = -1;
    int pointsPerPage = 0;
    int currentPage = 1;
    int cursor = 0;
    int widestMark = 0;
    std::vector<TColor> palette{0x0000FF, 0x008000, 0x00FFFF, 0xFF0000};
    TAxisOnGetLabel onGetAxisLabel;
    // For drawing axes: the canvas (none: nothing is drawn), the walls beside axes, whether the
    // axes lie behind the series, the next-label event and a fixed labels' room per axis.
    TCanvas3D* canvas = nullptr;
    std::map<const TChartAxis*, int> walls;
    bool axisBehind = true;
    TAxisOnGetNextLabel onGetNextAxisLabel;
    std::map<const TChartAxis*, int> labelsRooms;

    // Sets the pixel spans of every axis from chartRect and recomputes their ranges.
    void Layout();

    // TChartHost
    TComponent* ChartComponent() override { return this; }
    void Invalidate() override { ++invalidations; }
    bool ChartLoading() const override { return loading; }
    bool ChartDestroying() const override { return ComponentState().Contains(csDestroying); }
    int SeriesCount() const override { return static_cast<int>(series_.size()); }
    TChartSeries* SeriesAt(int index) const override { return series_.at(index); }
    void RegisterSeries(TChartSeries* series) override;
    void DetachSeries(TChartSeries* series) override;
    void NotifySeries(TCustomChartSeries* series, TSeriesEventKind kind) override {
        events.emplace_back(series, kind);
    }
    void NotifySeriesTools(TChartSeries* series, TChartToolEventKind kind) override {
        toolEvents.emplace_back(series, kind);
    }
    TColor FreeSeriesColor(bool checkBackground, TChartSeries* series) override;
    TColor PaletteColor(int index) const override {
        return palette[static_cast<size_t>(index) % palette.size()];
    }
    void RefreshSeriesData(TChartSeries*) override { ++refreshes; }
    void DrawLegendSymbolRect(const TRect&) override {}
    int ChartCursor() const override { return cursor; }
    void SetChartCursor(int value) override { cursor = value; }
    int MaxPointsPerPage() const override { return pointsPerPage; }
    int CurrentPage() const override { return currentPage; }
    TChartAxis* BottomAxis() const override { return axes_[0]; }
    TChartAxis* TopAxis() const override { return axes_[1]; }
    TChartAxis* LeftAxis() const override { return axes_[2]; }
    TChartAxis* RightAxis() const override { return axes_[3]; }
    TChartAxis* DepthAxis() const override { return axes_[4]; }
    TChartAxis* DepthTopAxis() const override { return axes_[5]; }
    int AxisCount() const override { return static_cast<int>(axes_.size()); }
    TChartAxis* AxisAt(int index) const override { return axes_.at(index); }
    void AxisCreated(TChartAxis* axis) override { axes_.push_back(axis); }
    void AxisDestroyed(TChartAxis* axis) override;
    TChartCustomAxes* CustomAxes() override { return customAxes_.get(); }
    void AxisRangeSet(TChartAxis* axis) override { rangesSet.push_back(axis); }
    double CalcAxisExtreme(TChartAxis* axis, bool minimum, bool xValues) override;
    bool FastCalc() const override { return fastCalc; }
    TRect ChartRect() const override { return chartRect; }
    bool View3D() const override { return view3D; }
    void SetView3D(bool value) override { view3D = value; }
    int Depth3D() const override { return depth3D; }
    int SeriesDepth3D() const override { return seriesDepth3D; }
    int MaxZOrder() const override { return maxZOrder; }
    void SetMaxZOrder(int value) override { maxZOrder = value; }
    bool ApplyZOrder() const override { return applyZOrder; }
    bool RotationInverted() const override { return rotationInverted; }
    TCanvas3D* ChartCanvas() override { return canvas; }
    int WidestTextLine(TPlotFont* font, const std::string& text, int& lineCount) override;
    int FontHeight(TPlotFont* font) override;
    int WidestLabelText(TPlotFont* font) override;
    int WidestMark() override { return widestMark; }
    TAxisOnGetLabel& OnGetAxisLabel() override { return onGetAxisLabel; }

    // TAxisDrawHost
    int WallSizeOfAxis(TChartAxis* axis) override;
    bool AxisBehind() const override { return axisBehind; }
    TAxisOnGetNextLabel& OnGetNextAxisLabel() override { return onGetNextAxisLabel; }
    int AxisLabelsRoom(TChartAxis* axis, int measured) override;

private:
    std::unique_ptr<TChartCustomAxes> customAxes_;
    std::vector<TChartAxis*> axes_;
    std::vector<std::unique_ptr<TChartAxis>> ownAxes_;
    std::vector<TChartSeries*> series_;
};

// The values of a list, in order.
std::vector<double> ValuesOf(const TChartValueList& list);
