#pragma once
// What an axis asks of its chart while it takes its room and draws itself, beyond TChartHost: the
// walls beside it, whether the axes lie behind the series, the chart's next-label event and the
// axes list's say over the labels' room. The chart control implements it next to TChartHost; an
// axis finds it by a cross-cast of its chart and, when the chart does not implement it, draws as
// a chart without walls whose axes lie behind the series, with no next-label event.
// Everything here runs on the user-interface thread: the chart takes no locks.

#include <functional>

class TChartAxis;

// The chart's next-label event: the axis labels the values the handler gives it, one call per
// label (index 0, 1, 2, ...); the value starts as the axis' minimum and carries over from call to
// call. Setting stop ends labelling; a stop at index 0 asks for the axis' own labels instead.
using TAxisOnGetNextLabel =
    std::function<void(TChartAxis* sender, int labelIndex, double& labelValue, bool& stop)>;

class TAxisDrawHost {
public:
    virtual ~TAxisDrawHost() = default;

    // The thickness of the wall the axis stands on (0 in 2D or without walls).
    virtual int WallSizeOfAxis(TChartAxis* axis) = 0;
    // The axes are drawn before the series (their 3D grids lie on the walls).
    virtual bool AxisBehind() const = 0;
    virtual TAxisOnGetNextLabel& OnGetNextAxisLabel() = 0;
    // The room the labels of a visible axis take across it; the axes list may change what the
    // axis measured.
    virtual int AxisLabelsRoom(TChartAxis* /*axis*/, int measured) { return measured; }
};
