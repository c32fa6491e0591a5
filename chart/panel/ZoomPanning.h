#pragma once
// The state of a mouse drag over a chart panel (zooming or panning: where it started, where the
// mouse is now, whether it is going on) and the zoom settings the chart stores.

#include "chart/draw/ChartBrush.h"
#include "chart/draw/ChartPen.h"
#include "platform/classes/Persistent.h"
#include "platform/forms/Controls.h"

#include <memory>

Q4_ENUM(TPanningMode, pmNone, pmHorizontal, pmVertical, pmBoth);
Q4_ENUM(TPlotZoomDirection, tzdHorizontal, tzdVertical, tzdBoth);

class TZoomPanning : public TPersistent {
    Q4_CLASS(TZoomPanning, TPersistent)
public:
    TZoomPanning() = default;
    // Both corners at (x, y), and active.
    void Activate(int x, int y);
    // Orders the corners so that X0 <= X1 and Y0 <= Y1.
    void Check();
    TRect Rect() const { return {X0, Y0, X1, Y1}; }

    int X0 = 0;
    int Y0 = 0;
    int X1 = 0;
    int Y1 = 0;
    bool Active = false;
};

// The outline of the zoom rectangle: white, its colour stored only when it is not.
class TPlotZoomPen : public TChartPen {
    Q4_CLASS(TPlotZoomPen, TChartPen)
public:
    explicit TPlotZoomPen(TNotifyEvent onChange = {});
    static void DeclareProperties(TPropertyList& p);
};

// The fill of the zoom rectangle: white and clear.
class TPlotZoomBrush : public TChartBrush {
    Q4_CLASS(TPlotZoomBrush, TChartBrush)
public:
    explicit TPlotZoomBrush(TNotifyEvent onChange = {});
    static void DeclareProperties(TPropertyList& p);
};

class TPlotZoom : public TZoomPanning {
    Q4_CLASS(TPlotZoom, TZoomPanning)
public:
    TPlotZoom();
    ~TPlotZoom() override;
    static void DeclareProperties(TPropertyList& p);
    // Allow, Animated, AnimatedSteps, Brush, Direction, KeyShift, MouseButton and Pen.
    void Assign(TPersistent* source) override;

    bool Allow = true;
    bool Animated = false;
    int AnimatedSteps = 8;
    TPlotZoomDirection Direction = tzdBoth;
    TShiftState KeyShift;
    // The smallest drag (more pixels than this) that counts as a zoom.
    int MinimumPixels = 16;
    TMouseButton MouseButton = mbLeft;
    // A drag towards the upper left zooms as well instead of undoing the zoom.
    bool UpLeftZooms = false;

    // Made on first read; setting null frees them.
    TPlotZoomPen* Pen();
    void SetPen(TPlotZoomPen* pen);
    bool HasPen() const { return pen_ != nullptr; }
    TPlotZoomBrush* Brush();
    void SetBrush(TPlotZoomBrush* brush);
    bool HasBrush() const { return brush_ != nullptr; }

private:
    std::unique_ptr<TPlotZoomPen> pen_;
    std::unique_ptr<TPlotZoomBrush> brush_;
};
