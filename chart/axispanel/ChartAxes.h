#pragma once
// The list of every axis of a chart, in creation order: bottom (0), top (1), left (2),
// right (3), depth (4), depth top (5), then the custom axes. The list owns the axes: Clear frees
// every one of them (each leaves the list as it goes, custom axes also their collection).

#include "chart/axispanel/ChartPointerList.h"

#include <functional>

class TChartAxis;
class TCustomAxisPanel;

// The room an axis that is not shown still takes from the plot rectangle.
using TAxisLabelPositionHook = std::function<int(TChartAxis* axis)>;
// The room the labels of a shown axis take across it, from what the axis measured.
using TAxisLabelsRoomHook = std::function<int(TChartAxis* axis, int measured)>;

class TChartAxes : public TChartPointerList<TChartAxis> {
public:
    explicit TChartAxes(TCustomAxisPanel* chart) : chart_(chart) {}
    ~TChartAxes() { Clear(); }

    TCustomAxisPanel* Chart() const { return chart_; }
    // Frees every axis, the first one repeatedly, and empties the list.
    void Clear();

    TChartAxis* Bottom() const;
    TChartAxis* Top() const;
    TChartAxis* Left() const;
    TChartAxis* Right() const;
    TChartAxis* Depth() const;
    TChartAxis* DepthTop() const;

    // The chart's AxisVisible.
    bool Visible() const;
    void SetVisible(bool value);
    // Axes skip clamping their pixels.
    bool FastCalc() const { return fastCalc_; }
    void SetFastCalc(bool value) { fastCalc_ = value; }
    TAxisLabelPositionHook LabelPositionHook;
    TAxisLabelsRoomHook LabelsRoomHook;

private:
    TCustomAxisPanel* chart_;
    bool fastCalc_ = false;
};
