// The chart's four walls as a set, and their drawing: which side of the series each lies on, the
// walls behind the series, and those the rotation brings in front of them.

#include "chart/control/Chart.h"
#include "chart/control/ChartWall.h"
#include "chart/draw/DrawRoutines.h"
#include "chart/draw/PlotBlend.h"
#include "chart/imaging/PlotFilter.h"

#include <algorithm>

namespace {

// A blend over the bounds of a wall's corners, ended when the wall is drawn, also when drawing
// raises. A wall picture with filters and no image filters what the blend shows through.
class TWallBlend {
public:
    TWallBlend(TCanvas3D& canvas, const TCustomChartWall& wall) : canvas_(canvas), wall_(wall) {}
    ~TWallBlend() { End(); }
    TWallBlend(const TWallBlend&) = delete;
    TWallBlend& operator=(const TWallBlend&) = delete;

    void Begin(const TRect& area) {
        if (wall_.Transparency() > 0 && !blend_)
            blend_ = canvas_.BeginTransparency(area, wall_.Transparency());
    }
    void End() {
        if (!blend_)
            return;
        TBackImage* picture = wall_.PictureIfAny();
        if (picture != nullptr && picture->Graphic() == nullptr && picture->HasFilters() &&
            blend_->Saved() != nullptr)
            picture->Filters()->ApplyTo(*blend_->Saved());
        canvas_.EndTransparency(std::move(blend_));
    }

private:
    TCanvas3D& canvas_;
    const TCustomChartWall& wall_;
    std::unique_ptr<TPlotBlend> blend_;
};

// The axis takes part in this drawing: visible and shown by the chart (an axis no series uses is
// not, and its position is stale).
bool AxisDrawn(const TChartAxis& axis) {
    return axis.Visible() && axis.Shown();
}

TRect BoundsOfPoints(const TPointList& points) {
    TRect r{points[0].X, points[0].Y, points[0].X, points[0].Y};
    for (const TPoint& p : points) {
        r.Left = std::min(r.Left, p.X);
        r.Top = std::min(r.Top, p.Y);
        r.Right = std::max(r.Right, p.X);
        r.Bottom = std::max(r.Bottom, p.Y);
    }
    return r;
}

// Sets a flag of an axis for a scope and puts the old value back.
class TAxisFlag {
public:
    TAxisFlag(TChartAxis& axis, bool (TChartAxis::*get)() const, void (TChartAxis::*set)(bool))
        : axis_(axis), set_(set), old_((axis.*get)()) {
        (axis_.*set_)(true);
    }
    ~TAxisFlag() { (axis_.*set_)(old_); }
    TAxisFlag(const TAxisFlag&) = delete;
    TAxisFlag& operator=(const TAxisFlag&) = delete;

private:
    TChartAxis& axis_;
    void (TChartAxis::*set_)(bool);
    bool old_;
};

} // namespace

// ---- the set ------------------------------------------------------------------------------------

TChartWalls::TChartWalls(TCustomChart* chart)
    : chart_(chart), back_(std::make_unique<TChartBackWall>(chart)),
      bottom_(std::make_unique<TChartBottomWall>(chart)),
      left_(std::make_unique<TChartLeftWall>(chart)),
      right_(std::make_unique<TChartRightWall>(chart)) {}

TChartWalls::~TChartWalls() = default;

void TChartWalls::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TChartWalls*>(source);
    if (other == nullptr) {
        TPersistent::Assign(source);
        return;
    }
    back_->Assign(other->back_.get());
    bottom_->Assign(other->bottom_.get());
    left_->Assign(other->left_.get());
    right_->Assign(other->right_.get());
}

// ---- which side ---------------------------------------------------------------------------------

bool TChartWalls::DrawnInFront(const TCustomChartWall& wall) const {
    return chart_->View3DWalls() && wall.Visible() && !wall.AutoHide();
}

void TChartWalls::VerticalExtent(const TCustomChartWall& wall, int& top, int& bottom) const {
    const TRect& plot = chart_->PlotRect();
    bottom = plot.Bottom + chart_->WallSizeOfAxis(chart_->BottomAxis());
    if (wall.EndPosition() != 100)
        bottom -= RoundEven((100 - wall.EndPosition()) * (bottom - plot.Top) / 100.0);
    top = plot.Top;
    if (wall.StartPosition() != 0)
        top = plot.Top + RoundEven(wall.StartPosition() * (plot.Bottom - plot.Top) / 100.0);
}

bool TChartWalls::SideTest(int x) {
    TCanvas3D& canvas = *chart_->DrawCanvas();
    if (canvas.RendersTrue3D())
        return true;
    const TRect& plot = chart_->PlotRect();
    const int bottom = plot.Bottom + chart_->WallSizeOfAxis(chart_->BottomAxis());
    return IsBackFacing(canvas.Project(x, plot.Top, 0), canvas.Project(x, bottom, 0),
                        canvas.Project(x, bottom, back_->Size() + chart_->Depth3DX()));
}

bool TChartWalls::RightInFront() {
    return !SideTest(chart_->PlotRect().Right);
}

bool TChartWalls::LeftInFront() {
    return SideTest(chart_->PlotRect().Left);
}

bool TChartWalls::BackInFront() {
    return chart_->PlaneFacesAway(chart_->Depth3DX());
}

// ---- drawing each wall --------------------------------------------------------------------------

void TChartWalls::Prepare(TCustomChartWall& wall) {
    TCanvas3D& canvas = *chart_->DrawCanvas();
    canvas.SelectPenColored(wall.Pen(), wall.Pen()->Color());
    if (wall.Transparent())
        canvas.Brush()->SetStyle(bsClear);
    else
        chart_->SetCanvasBrush(wall.Color(), wall.Brush(), chart_->Color());
}

void TChartWalls::DrawSide(TCustomChartWall& wall, bool right) {
    TCanvas3D& canvas = *chart_->DrawCanvas();
    const TRect& plot = chart_->PlotRect();
    const int depth = chart_->Depth3DX();
    const int x = right ? plot.Right : plot.Left;
    Prepare(wall);
    int top = 0, bottom = 0;
    VerticalExtent(wall, top, bottom);
    TWallBlend blend(canvas, wall);
    if (!wall.Transparent() && (wall.Transparency() > 0 || wall.GradientInUse())) {
        const TPointList corners{canvas.Project(x, top, 0), canvas.Project(x, top, depth),
                                 canvas.Project(x, bottom, depth), canvas.Project(x, bottom, 0)};
        blend.Begin(BoundsOfPoints(corners));
        if (wall.GradientInUse()) {
            wall.GradientIfAny()->FillQuad(canvas, corners);
            canvas.Brush()->SetStyle(bsClear);
        }
    }
    if (wall.Size() <= 0) {
        canvas.SideFace(x, top, bottom, 0, right ? depth + 1 : depth);
    } else if (right) {
        const int boxDepth = depth + (back_->Visible() ? back_->Size() : 0);
        canvas.BoxShape(x, x + wall.Size(), top, bottom, 0, boxDepth, wall.DarkShading());
    } else {
        canvas.BoxShape(x - wall.Size(), x, top, bottom, 0, depth, wall.DarkShading());
    }
    if (wall.HasPicture())
        canvas.GraphicOnPlane({0, top, depth, bottom}, wall.PictureIfAny(), x, 0);
    blend.End();
}

void TChartWalls::DrawRight() {
    if (chart_->View3D() && chart_->View3DWalls())
        DrawSide(*right_, true);
}

void TChartWalls::DrawLeft() {
    if (chart_->View3D() && chart_->View3DWalls())
        DrawSide(*left_, false);
}

void TChartWalls::DrawBottom() {
    TCanvas3D& canvas = *chart_->DrawCanvas();
    const TRect& plot = chart_->PlotRect();
    const int depth = chart_->Depth3DX();
    TChartBottomWall& wall = *bottom_;
    Prepare(wall);
    const int y = plot.Bottom + (canvas.RendersTrue3D() ? 1 : 0);
    const int z0 = wall.StartPosition() != 0 ? RoundEven(wall.StartPosition() * depth / 100.0) : 0;
    const int z1 = wall.EndPosition() != 100
                       ? depth - RoundEven((100 - wall.EndPosition()) * depth / 100.0)
                       : depth;
    int left = plot.Left;
    if (left_->Visible() && left_->AutoHide() && LeftInFront())
        left -= chart_->WallSizeOfAxis(chart_->LeftAxis());
    TWallBlend blend(canvas, wall);
    if (!wall.Transparent()) {
        const TPointList corners{canvas.Project(left, y, z0), canvas.Project(left, y, z1),
                                 canvas.Project(plot.Right, y, z1),
                                 canvas.Project(plot.Right, y, z0)};
        blend.Begin(BoundsOfPoints(corners));
        if (wall.GradientInUse()) {
            wall.GradientIfAny()->FillQuad(canvas, corners);
            canvas.Brush()->SetStyle(bsClear);
        }
    }
    if (wall.Size() < 1)
        canvas.HorizontalFace(left, y, plot.Right, z0, z1);
    else
        canvas.BoxShape(left, plot.Right, y, y + wall.Size(), z0, z1, wall.DarkShading());
    if (wall.HasPicture())
        canvas.GraphicOnPlane({left, z0, plot.Right, z1}, wall.PictureIfAny(), y, 1);
    blend.End();
}

void TChartWalls::DrawBack() {
    TCanvas3D& canvas = *chart_->DrawCanvas();
    const TRect& plot = chart_->PlotRect();
    TChartBackWall& wall = *back_;
    Prepare(wall);
    int top = 0, bottom = 0;
    VerticalExtent(wall, top, bottom);
    TRect rect{plot.Left, top, plot.Right, bottom};
    if (chart_->View3D()) {
        if (!chart_->View3DWalls()) {
            DrawBackPicture(rect);
        } else {
            if (wall.Size() > 0)
                rect.Left -= chart_->WallSizeOfAxis(chart_->LeftAxis());
            DrawBack3D(rect);
        }
        return;
    }
    rect.Right += 1;
    if (wall.EndPosition() == 100)
        rect.Bottom += 1;
    TWallBlend blend(canvas, wall);
    blend.Begin(canvas.ProjectedBounds(rect, chart_->Depth3DX()));
    if (wall.Shadow()->Visible() && wall.Shadow()->Size() != 0)
        wall.Shadow()->DrawRectShadow(canvas, rect);
    if (wall.GradientInUse() && !wall.Transparent()) {
        wall.GradientIfAny()->Fill(canvas, rect, 0);
        canvas.Brush()->SetStyle(bsClear);
    }
    canvas.Rectangle(rect);
    DrawBackPicture(rect);
    blend.End();
}

void TChartWalls::DrawBack3D(const TRect& rect) {
    TCanvas3D& canvas = *chart_->DrawCanvas();
    const int depth = chart_->Depth3DX();
    TChartBackWall& wall = *back_;
    const bool orthogonal = chart_->View3DOptions()->Orthogonal();
    const bool true3D = canvas.RendersTrue3D();
    const int size = depth < 0 ? -wall.Size() : wall.Size();
    const auto corners = canvas.ProjectCorners(rect, depth);
    const TPointList quad(corners.begin(), corners.end());
    TWallBlend blend(canvas, wall);
    blend.Begin(canvas.ProjectedBounds(rect, depth));
    if (wall.Shadow()->Visible() && wall.Shadow()->Size() != 0) {
        if (orthogonal)
            wall.Shadow()->DrawRectShadow(canvas, canvas.ProjectRect(rect, depth));
        else
            wall.Shadow()->DrawPolygonShadow(canvas, quad);
    }
    if (!wall.Transparent() && wall.GradientInUse()) {
        if (orthogonal)
            wall.GradientIfAny()->Fill(canvas, canvas.ProjectRect(rect, depth), 0);
        else if (true3D)
            wall.GradientIfAny()->FillQuadAtDepth(canvas, quad, depth);
        else
            wall.GradientIfAny()->FillQuad(canvas, quad);
        if (!true3D)
            canvas.Brush()->SetStyle(bsClear);
    }
    canvas.SelectPenColored(wall.Pen(), wall.Pen()->Color());
    if (wall.Size() < 1)
        canvas.RectangleAtDepth(rect, depth);
    else
        canvas.BoxShape(rect, depth, depth + size, wall.DarkShading());
    DrawBackPicture(rect);
    blend.End();
}

void TChartWalls::DrawBackPicture(const TRect& rect) {
    TChartBackWall& wall = *back_;
    if (wall.HasPicture()) {
        PaintBackImage(*wall.PictureIfAny(), *chart_, rect, chart_->Depth3DX());
    } else if (chart_->BackImageLoaded() && chart_->BackImageInside()) {
        TRect inside = rect;
        if (wall.Pen()->Visible()) {
            ++inside.Left;
            ++inside.Top;
        }
        chart_->PaintBackImageIn(inside, chart_->Depth3DX());
    }
}

// ---- behind and in front of the series ----------------------------------------------------------

void TChartWalls::PaintWalls() {
    const bool walls3D = chart_->View3D() && chart_->View3DWalls();
    if (walls3D && right_->Visible() && !RightInFront())
        DrawRight();
    if (chart_->View3DWalls() && back_->Visible() && !BackInFront())
        DrawBack();
    if (!walls3D)
        return;
    if (left_->Visible() && !LeftInFront())
        DrawLeft();
    if (bottom_->Visible())
        DrawBottom();
    if (chart_->PlaneFacesAway(0))
        for (TChartAxis* axis : {chart_->TopAxis(), chart_->BottomAxis()})
            if (AxisDrawn(*axis))
                axis->DrawAxis(true);
}

void TChartWalls::PaintFrontWalls() {
    if (RightInFront()) {
        if (DrawnInFront(*right_))
            DrawRight();
        RedrawOverWall(chart_->RightAxis());
    }
    if (LeftInFront()) {
        if (DrawnInFront(*left_))
            DrawLeft();
        RedrawOverWall(chart_->LeftAxis());
    }
    if (BackInFront()) {
        for (TChartAxis* axis : {chart_->TopAxis(), chart_->BottomAxis()})
            if (AxisDrawn(*axis)) {
                TAxisFlag noSide(*axis, &TChartAxis::HideSideGrid, &TChartAxis::SetHideSideGrid);
                axis->DrawAxis(false);
            }
        if (DrawnInFront(*back_))
            DrawBack();
    }
}

void TChartWalls::RedrawOverWall(TChartAxis* axis) {
    if (!AxisDrawn(*axis))
        return;
    TAxisFlag noBack(*axis, &TChartAxis::HideBackGrid, &TChartAxis::SetHideBackGrid);
    axis->DrawAxis(false);
}
