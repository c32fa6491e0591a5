// Zoom and scroll of the chart's axes: the zoom rectangle turned into axis ranges (in animated
// steps when asked), the scroll that makes the content follow the mouse, and the scales kept
// before the first of them so that one undo brings them back.

#include "chart/control/Chart.h"

#include <algorithm>
#include <cmath>

double ZoomStepFactor = 3.0;

namespace {

// The values at two pixels of an axis, smaller first.
TZoomAxisRange RangeBetween(const TChartAxis& axis, int from, int to) {
    const double a = axis.PixelToValue(from);
    const double b = axis.PixelToValue(to);
    return {std::min(a, b), std::max(a, b)};
}

// One step of an animated zoom: each end moves by its share of the way left to the target. A
// factor below 1 (or none) would overshoot or never end; the step then goes the whole way.
void StepTowards(TChartAxis& axis, const TZoomAxisRange& target) {
    const double factor = ZoomStepFactor >= 1 ? ZoomStepFactor : 1;
    const double minimum = axis.Minimum() + (target.Minimum - axis.Minimum()) / factor;
    const double maximum = axis.Maximum() - (axis.Maximum() - target.Maximum) / factor;
    axis.SetMinMax(minimum, maximum);
}

} // namespace

// ---- saved scales -------------------------------------------------------------------------------

void TCustomChart::SaveAxisScales() {
    if (scalesSaved_)
        return;
    savedAxisScales_.assign(static_cast<std::size_t>(AxisCount()), TAxisSavedScales{});
    for (int i = 0; i < AxisCount(); ++i) {
        const TChartAxis* axis = AxisAt(i);
        if (axis->IsDepthAxis())
            continue;
        TAxisSavedScales& saved = savedAxisScales_[static_cast<std::size_t>(i)];
        saved.Automatic = axis->Automatic();
        saved.AutomaticMinimum = axis->AutomaticMinimum();
        saved.AutomaticMaximum = axis->AutomaticMaximum();
        saved.Minimum = axis->Minimum();
        saved.Maximum = axis->Maximum();
    }
    scalesSaved_ = true;
}

namespace {

// The axis' own scales again. The ends are set one at a time in the order that never puts the
// minimum above the maximum, so neither end's range check objects and neither moves.
void RestoreScales(TChartAxis& axis, const TAxisSavedScales& saved) {
    axis.SetAutomatic(saved.Automatic);
    axis.SetAutomaticMinimum(saved.AutomaticMinimum);
    axis.SetAutomaticMaximum(saved.AutomaticMaximum);
    if (saved.Minimum > saved.Maximum) {
        axis.SetMinMax(saved.Minimum, saved.Maximum);
    } else if (saved.Minimum <= axis.Maximum()) {
        axis.SetMinimum(saved.Minimum);
        axis.SetMaximum(saved.Maximum);
    } else {
        axis.SetMaximum(saved.Maximum);
        axis.SetMinimum(saved.Minimum);
    }
}

} // namespace

void TCustomChart::ResetZoom() {
    if (scalesSaved_) {
        // Axes added since the scales were saved keep their own; the saved ones of axes freed
        // since have no axis left to go to.
        const int count = std::min(AxisCount(), static_cast<int>(savedAxisScales_.size()));
        for (int i = 0; i < count; ++i) {
            TChartAxis* axis = AxisAt(i);
            if (!axis->IsDepthAxis())
                RestoreScales(*axis, savedAxisScales_[static_cast<std::size_t>(i)]);
        }
        savedAxisScales_.clear();
        scalesSaved_ = false;
    }
    TCustomAxisPanel::ResetZoom();
}

// ---- zoom ---------------------------------------------------------------------------------------

void TCustomChart::ZoomToRect() {
    TPlotZoom& zoom = *Zoom();
    zoom.Check();
    ZoomAxesTo(
        RangeBetween(*LeftAxis(), zoom.Y0, zoom.Y1), RangeBetween(*RightAxis(), zoom.Y0, zoom.Y1),
        RangeBetween(*BottomAxis(), zoom.X0, zoom.X1), RangeBetween(*TopAxis(), zoom.X0, zoom.X1));
}

void TCustomChart::ZoomAxesTo(const TZoomAxisRange& left, const TZoomAxisRange& right,
                              const TZoomAxisRange& bottom, const TZoomAxisRange& top) {
    SaveAxisScales();
    const TPlotZoom& zoom = *Zoom();
    const bool vertical = zoom.Direction != tzdHorizontal;
    const bool horizontal = zoom.Direction != tzdVertical;
    if (zoom.Animated) {
        for (int step = 1; step < zoom.AnimatedSteps; ++step) {
            if (vertical) {
                StepTowards(*LeftAxis(), left);
                StepTowards(*RightAxis(), right);
            }
            if (horizontal) {
                StepTowards(*BottomAxis(), bottom);
                StepTowards(*TopAxis(), top);
            }
            Repaint();
        }
    }
    if (vertical) {
        LeftAxis()->SetMinMax(left.Minimum, left.Maximum);
        RightAxis()->SetMinMax(right.Minimum, right.Maximum);
    }
    if (horizontal) {
        BottomAxis()->SetMinMax(bottom.Minimum, bottom.Maximum);
        TopAxis()->SetMinMax(top.Minimum, top.Maximum);
    }
    SetZoomed(true);
    if (OnZoom)
        OnZoom(this);
}

// ---- scroll -------------------------------------------------------------------------------------

void TCustomChart::ScrollAxis(TChartAxis* axis, double delta, bool applyChanges) {
    double minimum = axis->Minimum() + delta;
    double maximum = axis->Maximum() + delta;
    bool allow = true;
    if (OnAllowScroll)
        OnAllowScroll(axis, minimum, maximum, allow);
    if (!allow)
        return;
    // The range is set as one, so that a handler's range in either order never raises here.
    if (applyChanges)
        axis->SetMinMax(minimum, maximum);
    else
        axis->ScrollBy(delta, false);
}

bool TCustomChart::PanBy(TPoint from, TPoint to) {
    SaveAxisScales();
    bool scrolled = false;
    const auto scrollAll = [&](bool horizontal, int old, int now) {
        for (int i = 0; i < AxisCount(); ++i) {
            TChartAxis* axis = AxisAt(i);
            if (axis->IsDepthAxis() || axis->Horizontal() != horizontal)
                continue;
            ScrollAxis(axis, axis->PixelToValue(old) - axis->PixelToValue(now), true);
            scrolled = true;
        }
    };
    if (from.X != to.X)
        scrollAll(true, from.X, to.X);
    if (from.Y != to.Y)
        scrollAll(false, from.Y, to.Y);
    return scrolled;
}
