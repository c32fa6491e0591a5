// The range chain of an axis and its conversions between values and pixels.

#include "chart/core/ChartAxis.h"

#include "platform/rtl/Math.h"

#include <cmath>

void TChartAxis::GetAutoExtremes(double& minimum, double& maximum) {
    if (!chart_)
        return;
    if (automatic_ || automaticMaximum_)
        maximum = chart_->CalcAxisExtreme(this, false, horizontal_);
    if (automatic_ || automaticMinimum_)
        minimum = chart_->CalcAxisExtreme(this, true, horizontal_);
}

void TChartAxis::AdjustRange() {
    GetAutoExtremes(minimum_, maximum_);
    iMaximum_ = maximum_;
    iMinimum_ = minimum_;
    if (LabelMaximumHook) {
        bool flag = false;
        double value = iMaximum_;
        LabelMaximumHook(this, -1, flag, value);
        iMaximum_ -= value;
    }
    UpdateScale();
    RoundToStep();
}

void TChartAxis::UpdateScale() {
    iRange_ = iMaximum_ - iMinimum_;
    iRangeZero_ = iRange_ == 0;
    iAxisScale_ = iRangeZero_ ? 0 : iAxisSize_ / iRange_;
    if (logarithmic_) {
        iLogMin_ = iMinimum_ > 0 ? std::log(iMinimum_) : 0;
        iLogMax_ = iMaximum_ > 0 ? std::log(iMaximum_) : 0;
        iLogRange_ = iLogMax_ - iLogMin_;
        iAxisLogScale_ = iLogRange_ == 0 ? 0 : iAxisSize_ / iLogRange_;
    }
    double reference = 0;
    if (chart_)
        reference = isDepthAxis_ ? chart_->ChartRect().Height() : chart_->Depth3D();
    iZPos_ = RoundEven(zPosition_ * reference * 0.01);
}

void TChartAxis::RoundToStep() {
    if (iAxisSize_ == 0 || iRangeZero_)
        return;
    double step = 0;
    bool computed = false;
    bool rounded = false;
    if (maximumRound_ && (automatic_ || automaticMaximum_)) {
        step = CalcLabelStep();
        computed = true;
        if (step != 0) {
            iMaximum_ = step * std::ceil(iMaximum_ / step);
            rounded = true;
        }
    }
    if (minimumRound_ && (automatic_ || automaticMinimum_)) {
        if (!computed)
            step = CalcLabelStep();
        if (step != 0) {
            iMinimum_ = step * std::floor(iMinimum_ / step);
            rounded = true;
        }
    }
    if (rounded)
        UpdateScale();
}

void TChartAxis::CalcStartEnd() {
    int base = 0, size = 0;
    if (chart_) {
        const TRect r = chart_->ChartRect();
        if (isDepthAxis_) {
            size = chart_->Depth3D();
        } else if (horizontal_) {
            base = r.Left;
            size = r.Width();
        } else {
            base = r.Top;
            size = r.Height();
        }
    }
    iStartPos_ = base + RoundEven(size * startPosition_ * 0.01);
    iEndPos_ = base + RoundEven(size * endPosition_ * 0.01);
    iAxisSize_ = iEndPos_ - iStartPos_;
    iCenterPos_ = (iStartPos_ + iEndPos_) / 2;
    UpdateScale();
}

void TChartAxis::ApplyMargins(int before, int after) {
    const int oldStart = iStartPos_;
    const int oldEnd = iEndPos_;
    iStartPos_ += before;
    iEndPos_ -= after;
    iAxisSize_ = iEndPos_ - iStartPos_;
    const double atStart = PixelToValue(oldStart);
    const double atEnd = PixelToValue(oldEnd);
    CalcStartEnd();
    iMaximum_ = atStart;
    iMinimum_ = atEnd;
    if (iMinimum_ > iMaximum_)
        std::swap(iMinimum_, iMaximum_);
    UpdateScale();
}

double TChartAxis::PixelToValue(int pixel) const {
    const double along = inverted_ ? iEndPos_ - pixel : pixel - iStartPos_;
    if (!logarithmic_) {
        if (iAxisSize_ < 1)
            return 0;
        const double a = along * iRange_ / iAxisSize_;
        return horizontal_ ? iMinimum_ + a : iMaximum_ - a;
    }
    const bool maximumAtStart = horizontal_ == inverted_;
    if (pixel == iStartPos_)
        return maximumAtStart ? iMaximum_ : iMinimum_;
    if (pixel == iEndPos_)
        return maximumAtStart ? iMinimum_ : iMaximum_;
    if (iLogRange_ == 0 || iAxisSize_ == 0)
        return iMinimum_;
    const double c = along * iLogRange_ / iAxisSize_;
    return horizontal_ ? std::exp(iLogMin_ + c) : std::exp(iLogMax_ - c);
}

// Rounds a pixel computed in floating point, keeping it within the drawing calls' range; a value
// that is not a number lands on the centre.
int TChartAxis::ClampedPixel(double b) const {
    if (std::isnan(b))
        return iCenterPos_;
    if (b > PixelLimit)
        return PixelLimit;
    if (b < -PixelLimit)
        return -PixelLimit;
    return RoundEven(b);
}

// The pixel of a value in the X direction (values grow rightwards) or the Y direction (values
// grow upwards), each turned round when the axis is inverted.
int TChartAxis::PixelIn(double value, bool xDirection) const {
    // Where the minimum lies and which way the values grow from there.
    const bool growsFromStart = xDirection != inverted_;
    const int base = growsFromStart ? iStartPos_ : iEndPos_;
    const double sign = growsFromStart ? 1 : -1;
    switch (positionKind_) {
    case TPositionKind::Clamped:
    case TPositionKind::Plain: {
        if (iRangeZero_ || std::isnan(value))
            return iCenterPos_;
        const double a = (value - iMinimum_) * iAxisScale_;
        if (positionKind_ == TPositionKind::Clamped)
            return ClampedPixel(base + sign * a);
        return ClampedPixel(base + sign * ClampedPixel(a)); // the fast form rounds the offset
    }
    case TPositionKind::Log: {
        if (iLogRange_ == 0 || std::isnan(value))
            return iCenterPos_;
        if (value <= 0)
            return base;
        const double ln = std::log(value);
        const int offset =
            ClampedPixel(iAxisLogScale_ * (inverted_ ? iLogMax_ - ln : ln - iLogMin_));
        return xDirection ? ClampedPixel(iStartPos_ + offset) : ClampedPixel(iEndPos_ - offset);
    }
    case TPositionKind::Depth:
        break;
    }
    if (iRangeZero_ || std::isnan(value))
        return iCenterPos_;
    return ClampedPixel(inverted_ ? iAxisScale_ * (iMaximum_ - value)
                                  : (value - iMinimum_) * iAxisScale_);
}

void TChartAxis::SelectPositionFunctions() {
    if (isDepthAxis_)
        positionKind_ = TPositionKind::Depth;
    else if (logarithmic_)
        positionKind_ = TPositionKind::Log;
    else if (chart_ && chart_->FastCalc())
        positionKind_ = TPositionKind::Plain;
    else
        positionKind_ = TPositionKind::Clamped;
}

void TChartAxis::ScrollBy(double offset, bool checkLimits) {
    if (checkLimits) {
        if (offset == 0 || !chart_)
            return;
        if (offset > 0 && !(chart_->CalcAxisExtreme(this, false, horizontal_) > maximum_))
            return;
        if (offset < 0 && !(chart_->CalcAxisExtreme(this, true, horizontal_) < minimum_))
            return;
    }
    automatic_ = automaticMaximum_ = automaticMinimum_ = false;
    maximum_ += offset;
    minimum_ += offset;
    Repaint();
}

int TChartAxis::ApplyPositionOffset(int pixel, const TRect& rect) const {
    if (positionPercent_ == 0)
        return pixel;
    int offset =
        positionUnits_ == muPixels
            ? RoundEven(positionPercent_)
            : RoundEven(positionPercent_ * 0.01 * (horizontal_ ? rect.Height() : rect.Width()));
    if (otherSide_)
        offset = -offset;
    return horizontal_ ? pixel - offset : pixel + offset;
}

// The depth axis stands at the rectangle's right (other side) or left like a vertical axis; where
// it runs across the chart is DepthAxisPosition.
int TChartAxis::SideOf(const TRect& rect) const {
    if (horizontal_)
        return otherSide_ ? rect.Top : rect.Bottom;
    return otherSide_ ? rect.Right : rect.Left;
}

int TChartAxis::DepthAxisPosition() const {
    if (!chart_)
        return 0;
    const TRect r = chart_->ChartRect();
    return otherSide_ ? r.Bottom - iZPos_ : r.Top + iZPos_;
}
