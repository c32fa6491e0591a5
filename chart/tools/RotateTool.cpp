#include "chart/tools/RotateTool.h"

#include "chart/axispanel/AxisPanel.h"
#include "chart/draw/PlotCanvas.h"
#include "chart/tools/ToolDrawing.h"
#include "chart/tools/ToolTexts.h"
#include "chart/util/ChartUtils.h"
#include "platform/forms/Forms.h"
#include "platform/forms/Timer.h"

#include <cmath>

namespace {

constexpr int kMouseDown = 0;
constexpr int kMouseMove = 1;
constexpr int kMouseUp = 2;
// Steps this small count as stopped.
constexpr double kRestingStep = 0.01;

double WrapDegrees(double angle) {
    if (angle > 360)
        return angle - 360;
    if (angle < 0)
        return angle + 360;
    return angle;
}

// The standard canvas turns the rotation round the circle in the step's direction.
double TurnRotation(double rotation, double step) {
    if (step == 0)
        return rotation;
    const double sum = rotation + step;
    if (step > 0 && sum > 360)
        return sum - 360;
    if (step < 0 && sum < 0)
        return sum + 360;
    return sum;
}

// The standard canvas looks at the chart from above only: 270 (straight down) to 360 (level).
double TurnElevation(double elevation, double step) {
    if (step > 0)
        return std::min(elevation + step, 360.0);
    if (step < 0)
        return std::max(elevation + step, 270.0);
    return elevation;
}

} // namespace

TRotateTool::TRotateTool(TComponent* owner) : TPlotCustomTool(owner), cursor_(crPlotHand) {
    Pen()->SetVisible(false);
    Pen()->SetMode(pmXor);
    Pen()->SetColor(clWhite);
}

TRotateTool::~TRotateTool() {
    StopInertia();
    RestoreCursor();
    RestoreRepaint();
}

void TRotateTool::DeclareProperties(TPropertyList& p) {
    using T = TRotateTool;
    p.Add("Active", &T::Active, &T::SetActive).Default(true);
    p.Add("Button", &T::Button, &T::SetButton).Default(mbLeft);
    p.Add("Cursor", &T::Cursor, &T::SetCursor).Default(crPlotHand);
    p.Add("Inertia", &T::Inertia, &T::SetInertia).Default(0);
    p.Add("Inverted", &T::Inverted, &T::SetInverted).Default(false);
    p.Add("Pen", &T::Pen, &T::SetPen);
    p.Add("Speed", &T::Speed, &T::SetSpeed).Default(50);
    p.Add("Style", &T::Style, &T::SetStyle).Default(rsAll);
}

void TRotateTool::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TRotateTool*>(source)) {
        button_ = other->button_;
        inertia_ = other->inertia_;
        inverted_ = other->inverted_;
        speed_ = other->speed_;
        style_ = other->style_;
    }
    TPlotCustomTool::Assign(source);
}

std::string TRotateTool::ToolTitleText() const {
    return ToolText(ttRotateTitle);
}

std::string TRotateTool::ToolSummaryText() const {
    return ToolText(ttRotateSummary);
}

// ---- turning ------------------------------------------------------------------------------------

void TRotateTool::ApplyRotation(double elevationStep, double rotationStep) {
    TCustomAxisPanel* panel = Panel();
    if (panel == nullptr)
        return;
    TView3DOptions* view = panel->View3DOptions();
    view->SetOrthogonal(false);
    const bool turnRotation = style_ != rsElevation;
    const bool turnElevation = style_ != rsRotation;
    TCanvas3D* canvas = panel->DrawCanvas();
    if (canvas != nullptr && canvas->RendersTrue3D()) {
        if (turnRotation)
            view->SetRotationValue(WrapDegrees(view->RotationValue() + rotationStep));
        if (turnElevation)
            view->SetElevationValue(WrapDegrees(view->ElevationValue() + elevationStep));
        return;
    }
    if (turnRotation)
        view->SetRotationValue(TurnRotation(view->RotationValue(), rotationStep));
    if (turnElevation)
        view->SetElevationValue(TurnElevation(view->ElevationValue(), elevationStep));
}

void TRotateTool::StartInertia() {
    if (!timer_) {
        timer_ = std::make_unique<TTimer>(nullptr);
        timer_->SetEnabled(false);
        timer_->SetInterval(1);
        timer_->SetOnTimer([this](TObject*) { InertiaTick(); });
    }
    timer_->SetEnabled(true);
}

void TRotateTool::StopInertia() {
    if (timer_)
        timer_->SetEnabled(false);
}

void TRotateTool::InertiaTick() {
    StopInertia();
    if (dragging_)
        return;
    ApplyRotation(elevationStep_, rotationStep_);
    StartInertia();
}

void TRotateTool::ChartToolEvent(TChartToolEventKind kind) {
    TPlotCustomTool::ChartToolEvent(kind);
    if (inertia_ <= 0)
        return;
    const bool rotationResting = std::fabs(rotationStep_) <= kRestingStep;
    const bool elevationResting = std::fabs(elevationStep_) <= kRestingStep;
    if (rotationResting && elevationResting) {
        StopInertia();
        return;
    }
    const double slowing = (100 - inertia_) * 0.001;
    const auto slow = [slowing](double& step, bool resting) {
        step = resting ? 0 : step - step * slowing;
    };
    slow(rotationStep_, rotationResting);
    slow(elevationStep_, elevationResting);
}

// ---- the outline --------------------------------------------------------------------------------

void TRotateTool::DrawOutline(TCanvas3D& canvas) {
    TCustomAxisPanel* panel = Panel();
    const TRect r = panel->PlotRect();
    const int depth = panel->Depth3D();
    canvas.ApplyChartPen(Pen(), Pen()->Color());
    canvas.Brush()->SetStyle(bsClear);
    TPenModeScope mode(canvas, Pen()->Mode());
    canvas.RectangleAtDepth(r, 0);
    canvas.RectangleAtDepth(r, depth);
    canvas.DepthLine(r.Left, r.Top, 0, depth);
    canvas.DepthLine(r.Right, r.Top, 0, depth);
    canvas.DepthLine(r.Left, r.Bottom, 0, depth);
    canvas.DepthLine(r.Right, r.Bottom, 0, depth);
}

void TRotateTool::DrawOutlineOverBuffer(bool reproject) {
    TCustomAxisPanel* panel = Panel();
    DrawOverChart(*panel, false, [this, panel, reproject](TCanvas3D& canvas) {
        if (reproject)
            canvas.SetProjectionCenter(panel->Depth3D(), panel->PanelBounds(), panel->PlotRect());
        DrawOutline(canvas);
    });
}

// ---- the mouse ----------------------------------------------------------------------------------

void TRotateTool::RestoreCursor() {
    if (savedCursor_ && Screen != nullptr)
        Screen->SetCursor(*savedCursor_);
    savedCursor_.reset();
}

void TRotateTool::RestoreRepaint() {
    if (savedRepaint_) {
        if (TCustomAxisPanel* panel = Panel())
            panel->SetRepaintEnabled(*savedRepaint_);
    }
    savedRepaint_.reset();
}

void TRotateTool::Pressed(int x, int y) {
    StopInertia();
    dragging_ = true;
    oldX_ = x;
    oldY_ = y;
    firstMove_ = true;
    if (cursor_ != crDefault && Screen != nullptr) {
        if (!savedCursor_)
            savedCursor_ = Screen->Cursor();
        Screen->SetCursor(cursor_);
    }
    Panel()->MouseCancelled = true;
}

void TRotateTool::Moved(int x, int y) {
    TCustomAxisPanel* panel = Panel();
    const double factor = 1 + (speed_ - 50) * 0.01;
    // A chart without a size has nothing to turn by.
    const int width = panel->Width();
    const int height = panel->Height();
    rotationStep_ = width > 0 ? (x - oldX_) * 90.0 / width * factor : 0;
    elevationStep_ = height > 0 ? (oldY_ - y) * 90.0 / height * factor : 0;
    if (inverted_) {
        rotationStep_ = -rotationStep_;
        elevationStep_ = -elevationStep_;
    }
    const bool outline = Pen()->Visible();
    if (outline) {
        if (firstMove_) {
            savedRepaint_ = panel->RepaintEnabled();
            panel->SetRepaintEnabled(false);
        } else {
            DrawOutlineOverBuffer(false);
        }
    }
    firstMove_ = false;
    panel->SetView3D(true);
    ApplyRotation(elevationStep_, rotationStep_);
    oldX_ = x;
    oldY_ = y;
    if (outline)
        DrawOutlineOverBuffer(true);
    if (OnRotate)
        OnRotate(this);
}

void TRotateTool::Released() {
    dragging_ = false;
    if (savedRepaint_) {
        RestoreRepaint();
        Panel()->Invalidate();
    }
    if (inertia_ > 0)
        StartInertia();
    RestoreCursor();
}

void TRotateTool::ChartMouseEvent(int kind, TMouseButton button, TShiftState, int x, int y) {
    if (Panel() == nullptr)
        return;
    switch (kind) {
    case kMouseDown:
        if (button == button_)
            Pressed(x, y);
        break;
    case kMouseMove:
        if (dragging_)
            Moved(x, y);
        break;
    case kMouseUp:
        if (dragging_)
            Released();
        break;
    default:
        break;
    }
}
