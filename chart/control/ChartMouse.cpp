// The chart's mouse: tools hear every press, move, release and wheel turn first; a press clicks
// the part under it (its handlers may keep the press for themselves) and else starts a zoom or a
// scroll drag; the wheel scrolls the vertical axes.

#include "chart/control/Chart.h"

bool WheelScrollEnabled = true;

namespace {

// Tool event kinds of the mouse and of the wheel.
constexpr int kMouseDown = 0;
constexpr int kMouseMove = 1;
constexpr int kMouseUp = 2;
constexpr int kWheelDown = 0;
constexpr int kWheelTurn = 1;
constexpr int kWheelUp = 2;

// One wheel notch scrolls the vertical axes by this many percent of their range.
constexpr double kWheelScrollPercent = 3;

} // namespace

void TCustomChart::BroadcastMouse(int kind, TMouseButton button, TShiftState shift, int x, int y) {
    TChartTools& tools = *Tools();
    for (int i = 0; i < tools.Count(); ++i) {
        TPlotCustomTool* tool = tools[i];
        if (!tool->Active())
            continue;
        tool->ChartMouseEvent(kind, button, shift, x, y);
        if (MouseCancelled)
            break;
    }
}

void TCustomChart::BroadcastWheel(int kind, int delta, TPoint mousePos) {
    const TPoint at = ScreenToClient(mousePos);
    TChartTools& tools = *Tools();
    for (int i = 0; i < tools.Count(); ++i) {
        TPlotCustomTool* tool = tools[i];
        if (!tool->Active())
            continue;
        tool->ChartWheelEvent(kind, delta, at.X, at.Y);
        if (MouseCancelled)
            break;
    }
}

// ---- presses ------------------------------------------------------------------------------------

void TCustomChart::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    // The plain panel's handling (OnMouseDown, the listeners): the drags start here, after the
    // click handlers had their say, not in the extended panel's handling.
    TCustomPlotPanel::MouseDown(button, shift, x, y);
    if (MouseCancelled || Zoom()->Active || PanningState()->Active)
        return;
    BroadcastMouse(kMouseDown, button, shift, x, y);
    if (!MouseCancelled)
        ClickPart(button, shift, x, y);
    MouseCancelled = false;
}

bool TCustomChart::BackgroundClick(TMouseButton button, TShiftState shift, int x, int y) {
    if (!OnClickBackground)
        return false;
    MouseCancelled = true;
    OnClickBackground(this, button, shift, x, y);
    return MouseCancelled;
}

void TCustomChart::ClickPart(TMouseButton button, TShiftState shift, int x, int y) {
    const TChartClickedPart part = PartAt(x, y, true);
    bool handled = false;
    bool drag = false;
    switch (part.Part) {
    case cpLegend:
        handled = legend_->ClickItem(part.PointIndex);
        if (OnClickLegend) {
            MouseCancelled = true;
            OnClickLegend(this, button, shift, x, y);
            handled = MouseCancelled;
        }
        break;
    case cpAxis:
        if (OnClickAxis) {
            MouseCancelled = true;
            OnClickAxis(this, part.AAxis, button, shift, x, y);
            handled = MouseCancelled;
        }
        drag = true;
        break;
    case cpSeries: {
        MouseCancelled = false;
        TChartSeries* series = part.ASeries;
        const TSeriesClick& own = shift.Contains(ssDouble) ? series->OnDblClick : series->OnClick;
        if (own)
            own(series, part.PointIndex, button, shift, x, y);
        handled = MouseCancelled;
        if (OnClickSeries) {
            MouseCancelled = true;
            OnClickSeries(this, series, part.PointIndex, button, shift, x, y);
            handled = MouseCancelled;
        }
        drag = true;
        break;
    }
    case cpTitle:
    case cpSubTitle:
    case cpFoot:
    case cpSubFoot:
        if (OnClickTitle) {
            TChartTitle* title = part.Part == cpTitle      ? title_.get()
                                 : part.Part == cpSubTitle ? subTitle_.get()
                                 : part.Part == cpFoot     ? foot_.get()
                                                           : subFoot_.get();
            MouseCancelled = true;
            OnClickTitle(this, title, button, shift, x, y);
            handled = MouseCancelled;
        }
        drag = true;
        break;
    case cpChartRect:
        handled = BackgroundClick(button, shift, x, y);
        drag = true;
        break;
    case cpSeriesMarks:
    case cpAxisTitle:
    case cpNone:
        break;
    }
    if (drag && !handled && AxesInUse())
        StartDrag(button, shift, x, y);
    if (!handled)
        BackgroundClick(button, shift, x, y);
}

// ---- moves and releases -------------------------------------------------------------------------

void TCustomChart::MouseMove(TShiftState shift, int x, int y) {
    TCustomPlotPanel::MouseMove(shift, x, y);
    BroadcastMouse(kMouseMove, mbLeft, shift, x, y);
    if (MouseCancelled)
        return;
    if (Zoom()->Active || PanningState()->Active)
        DragTo(x, y);
    else if (!HitTestSeries(x, y))
        SetCursor(SavedCursor());
}

void TCustomChart::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    MouseCancelled = false;
    TCustomPlotPanel::MouseUp(button, shift, x, y);
    EndDrag(button, x, y);
    BroadcastMouse(kMouseUp, button, shift, x, y);
}

// ---- the wheel ----------------------------------------------------------------------------------

bool TCustomChart::DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) {
    const bool handled = TCustomAxisPanel::DoMouseWheel(shift, wheelDelta, mousePos);
    BroadcastWheel(kWheelTurn, wheelDelta, mousePos);
    return handled;
}

bool TCustomChart::DoMouseWheelDown(TShiftState shift, TPoint mousePos) {
    const bool handled = TCustomAxisPanel::DoMouseWheelDown(shift, mousePos);
    WheelScroll(true);
    BroadcastWheel(kWheelDown, 0, mousePos);
    return handled;
}

bool TCustomChart::DoMouseWheelUp(TShiftState shift, TPoint mousePos) {
    const bool handled = TCustomAxisPanel::DoMouseWheelUp(shift, mousePos);
    WheelScroll(false);
    BroadcastWheel(kWheelUp, 0, mousePos);
    return handled;
}

void TCustomChart::WheelScroll(bool down) {
    const TPanningMode panning = AllowPanning();
    if (!WheelScrollEnabled || (panning != pmVertical && panning != pmBoth))
        return;
    for (int i = 0; i < AxisCount(); ++i) {
        TChartAxis* axis = AxisAt(i);
        if (axis->Horizontal())
            continue;
        const double delta = (axis->Maximum() - axis->Minimum()) * kWheelScrollPercent / 100;
        ScrollAxis(axis, down ? delta : -delta, false);
    }
}
