#pragma once
// TRotateTool: the user turns the chart's 3D view by dragging with the mouse: across for the
// rotation, up and down for the elevation. Optionally an outline of the 3D box is drawn in
// exclusive-or mode while dragging (the chart itself is drawn again only at the release), and
// with Inertia the view keeps turning after the release, slowing down with every drawing.

#include "chart/axispanel/ChartTool.h"
#include "platform/graphics/Cursors.h"
#include "platform/rtl/Events.h"

#include <memory>
#include <optional>

class TCanvas3D;
class TTimer;

Q4_ENUM(TRotateToolStyles, rsAll, rsRotation, rsElevation);

class TRotateTool : public TPlotCustomTool {
    Q4_CLASS(TRotateTool, TPlotCustomTool)
public:
    explicit TRotateTool(TComponent* owner);
    ~TRotateTool() override;
    static void DeclareProperties(TPropertyList& p);
    // Button, Inertia, Inverted, Speed and Style of another rotate tool, then the element part.
    void Assign(TPersistent* source) override;
    std::string EditorClassName() const override { return "TRotateToolEditor"; }
    std::string ToolTitleText() const override;
    std::string ToolSummaryText() const override;

    // Every drawing event slows an inertial turn down (and stops it once both steps are tiny).
    void ChartToolEvent(TChartToolEventKind kind) override;
    void ChartMouseEvent(int kind, TMouseButton button, TShiftState shift, int x, int y) override;

    // Turns the chart's view by an elevation step and a rotation step, in degrees (the view
    // stops being orthogonal). A canvas that renders true 3D wraps both angles into 0 .. 360;
    // the standard canvas wraps the rotation and keeps the elevation within 270 .. 360.
    void ApplyRotation(double elevationStep, double rotationStep);

    // ---- settings ------------------------------------------------------------------------------
    TMouseButton Button() const { return button_; }
    void SetButton(TMouseButton value) { button_ = value; }
    // The screen's cursor while dragging; 0 leaves the cursor alone.
    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor value) { cursor_ = value; }
    // 0: the view stops at the release; 1 to 99: it keeps turning, longer the higher.
    int Inertia() const { return inertia_; }
    void SetInertia(int value) { inertia_ = value; }
    bool Inverted() const { return inverted_; }
    void SetInverted(bool value) { inverted_ = value; }
    // 50 turns the view by 90 degrees for a drag across the whole chart; each point more or
    // less adds or takes 1 %.
    int Speed() const { return speed_; }
    void SetSpeed(int value) { speed_ = value; }
    TRotateToolStyles Style() const { return style_; }
    void SetStyle(TRotateToolStyles value) { style_ = value; }
    TNotifyEvent OnRotate;

    // ---- state ---------------------------------------------------------------------------------
    bool Dragging() const { return dragging_; }
    double RotationStep() const { return rotationStep_; }
    double ElevationStep() const { return elevationStep_; }
    // The timer that keeps an inertial turn going (interval 1 ms); none until first needed.
    TTimer* InertiaTimer() const { return timer_.get(); }

private:
    void Pressed(int x, int y);
    void Moved(int x, int y);
    void Released();
    void InertiaTick();
    void StartInertia();
    void StopInertia();
    // The outline of the plot rectangle's 3D box in the pen (exclusive-or: drawn again at the
    // same projection it goes away).
    void DrawOutline(TCanvas3D& canvas);
    void DrawOutlineOverBuffer(bool reproject);
    // The screen's cursor and the chart's repainting as they were before the drag.
    void RestoreCursor();
    void RestoreRepaint();

    TMouseButton button_ = mbLeft;
    TCursor cursor_;
    int inertia_ = 0;
    bool inverted_ = false;
    int speed_ = 50;
    TRotateToolStyles style_ = rsAll;

    bool dragging_ = false;
    bool firstMove_ = false;
    int oldX_ = 0;
    int oldY_ = 0;
    double rotationStep_ = 0;
    double elevationStep_ = 0;
    std::optional<bool> savedRepaint_;
    std::optional<TCursor> savedCursor_;
    std::unique_ptr<TTimer> timer_;
};
