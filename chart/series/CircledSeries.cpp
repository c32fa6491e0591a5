#include "chart/series/CircledSeries.h"

#include "chart/control/Chart.h"
#include "chart/core/MarksCallout.h"
#include "chart/core/SeriesMarks.h"
#include "chart/draw/PlotCanvas.h"
#include "platform/forms/Forms.h"

#include <cmath>

namespace {

constexpr double DegreesToRadians = 0.017453292519943295;

} // namespace

TCircledShadow::TCircledShadow(TNotifyEvent onChange) : TPlotShadow(std::move(onChange)) {
    SetDefaults(TCircledSeries::DefaultShadowColor, 3);
}

TCircledSeries::TCircledSeries(TComponent* owner) : TChartSeries(owner) {
    const TNotifyEvent changed = [this](TObject*) { Repaint(); };
    shadow_ = std::make_unique<TCircledShadow>(changed);
    gradient_ = std::make_unique<TPlotGradient>(changed);
    calcVisiblePoints_ = false;
    XValues()->SetName("Angle");
}

TCircledSeries::~TCircledSeries() {
    // The chart gets its view options back (not while it is being freed itself).
    SwapView3DOptions(true);
    savedOptions_.reset();
    gradient_.reset();
    shadow_.reset();
}

void TCircledSeries::DeclareProperties(TPropertyList& p) {
    using S = TCircledSeries;
    p.Add("Circled", &S::Circled, &S::SetCircled).Default(false);
    p.Add("CustomXRadius", &S::CustomXRadius, &S::SetCustomXRadius).Default(0);
    p.Add("CustomYRadius", &S::CustomYRadius, &S::SetCustomYRadius).Default(0);
    p.Add("Shadow", &S::Shadow, &S::SetShadow);
}

void TCircledSeries::Assign(TPersistent* source) {
    if (auto* s = dynamic_cast<TCircledSeries*>(source)) {
        circled_ = s->circled_;
        SetRotationAngle(s->rotationAngle_);
        customXRadius_ = s->customXRadius_;
        customYRadius_ = s->customYRadius_;
        circleBackColor_ = s->circleBackColor_;
        gradient_->Assign(s->gradient_.get());
        shadow_->Assign(s->shadow_.get());
    }
    TChartSeries::Assign(source);
}

TCustomChart* TCircledSeries::Chart() const {
    return dynamic_cast<TCustomChart*>(ParentChart());
}

// ---- view options -------------------------------------------------------------------------------

void TCircledSeries::SetActive(bool value) {
    TChartSeries::SetActive(value);
    SwapView3DOptions(!Active());
}

void TCircledSeries::SetParentChart(TChartHost* chart) {
    // Leaving the chart gives its options back whether or not the series is active.
    if (chart == nullptr)
        RestoreView3DOptions();
    if (chart == ParentChart())
        return;
    TChartSeries::SetParentChart(chart);
    if (ParentChart() != nullptr)
        SwapView3DOptions(false);
}

void TCircledSeries::SwapView3DOptions(bool restore) {
    TCustomChart* chart = Chart();
    if (chart == nullptr || chart->ChartDestroying() || chart->View3DOptions() == nullptr)
        return;
    if (TCanvas3D* canvas = chart->DrawCanvas(); canvas != nullptr && canvas->RendersTrue3D())
        return;
    const bool destroying = ComponentState().Contains(csDestroying);
    if (!restore || (Active() && !destroying)) {
        if (savedOptions_)
            return;
        savedOptions_ = std::make_unique<TView3DOptions>();
        savedOptions_->Assign(chart->View3DOptions());
        ApplyOwn3DOptions();
    } else {
        RestoreView3DOptions();
    }
}

void TCircledSeries::RestoreView3DOptions() {
    TCustomChart* chart = Chart();
    if (!savedOptions_ || chart == nullptr || chart->ChartDestroying())
        return;
    chart->View3DOptions()->Assign(savedOptions_.get());
    savedOptions_.reset();
}

// ---- settings -----------------------------------------------------------------------------------

void TCircledSeries::ChangeSiblings(const std::function<void(TCircledSeries&)>& change) {
    bool self = false;
    if (TChartHost* chart = ParentChart())
        for (int i = 0; i < chart->SeriesCount(); ++i)
            if (auto* s = dynamic_cast<TCircledSeries*>(chart->SeriesAt(i));
                s != nullptr && s->InheritsFrom(ClassType())) {
                change(*s);
                self = self || s == this;
            }
    if (!self)
        change(*this);
}

void TCircledSeries::SetCircled(bool value) {
    ChangeSiblings([value](TCircledSeries& s) {
        s.SetField(s.circled_, value);
        if (!s.ComponentState().Contains(csLoading)) {
            s.customXRadius_ = 0;
            s.customYRadius_ = 0;
        }
    });
}

void TCircledSeries::SetCustomXRadius(int value) {
    ChangeSiblings([value](TCircledSeries& s) { s.SetField(s.customXRadius_, value); });
}

void TCircledSeries::SetCustomYRadius(int value) {
    ChangeSiblings([value](TCircledSeries& s) { s.SetField(s.customYRadius_, value); });
}

void TCircledSeries::SetRotationAngle(int value) {
    SetField(rotationAngle_, value % 360);
    rotation_ = rotationAngle_ * DegreesToRadians;
}

TColor TCircledSeries::CircleBackColorInUse() const {
    TColor color = circleBackColor_;
    if (color != clDefault)
        return color;
    TCustomChart* chart = Chart();
    if (chart == nullptr)
        return clWhite;
    if (chart->IsPrinting())
        return clWhite;
    if (!chart->BackWall()->Transparent())
        color = chart->BackWall()->Color();
    if (color == clDefault)
        color = chart->Color();
    return color;
}

void TCircledSeries::PrepareLegendBrush(int, TColor& backColor, TBrushStyle&) {
    backColor = CircleBackColorInUse();
}

// ---- the circle ---------------------------------------------------------------------------------

TRect TCircledSeries::NormalizeCircleRect(TRect r) {
    if ((r.Right - r.Left) % 2 != 0)
        --r.Right;
    if ((r.Bottom - r.Top) % 2 != 0)
        --r.Bottom;
    if (r.Right - r.Left < MinCircleSize)
        r.Right = r.Left + MinCircleSize;
    if (r.Bottom - r.Top < MinCircleSize)
        r.Bottom = r.Top + MinCircleSize;
    return r;
}

void TCircledSeries::SetCircleRect(const TRect& r) {
    circleRect_ = NormalizeCircleRect(r);
    circleWidth_ = circleRect_.Right - circleRect_.Left;
    circleHeight_ = circleRect_.Bottom - circleRect_.Top;
    circleXCenter_ = (circleRect_.Left + circleRect_.Right) / 2;
    circleYCenter_ = (circleRect_.Top + circleRect_.Bottom) / 2;
}

void TCircledSeries::ApplyRadii() {
    if (customXRadius_ != 0) {
        xRadius_ = customXRadius_;
        circleWidth_ = 2 * customXRadius_;
    } else {
        xRadius_ = circleWidth_ / 2;
    }
    if (customYRadius_ != 0) {
        yRadius_ = customYRadius_;
        circleHeight_ = 2 * customYRadius_;
    } else {
        yRadius_ = circleHeight_ / 2;
    }
    circleRect_ = {circleXCenter_ - xRadius_, circleYCenter_ - yRadius_, circleXCenter_ + xRadius_,
                   circleYCenter_ + yRadius_};
}

void TCircledSeries::MakeRound(TRect& r, int xr, int yr, double ratio) {
    const int d = RoundEven(yr * ratio);
    if (xr > d) {
        r.Left += xr - d;
        r.Right -= xr - d;
    } else {
        const int e = yr - RoundEven(xr / ratio);
        r.Top += e;
        r.Bottom -= e;
    }
}

double TCircledSeries::DeviceCorrection() const {
    double screen = 1;
    if (Screen != nullptr && Screen->Height() > 0)
        screen = static_cast<double>(Screen->Width()) / Screen->Height();
    double device = 0;
    if (TCustomChart* chart = Chart(); chart != nullptr && chart->DrawCanvas() != nullptr) {
        if (TCanvas* dc = chart->DrawCanvas()->GetDeviceContext())
            device = TCustomPlotPanel::PlotDeviceAspectRatio(dc);
    }
    return device > 0 ? screen / device : screen;
}

void TCircledSeries::ComputeCircle() {
    TChartHost* chart = ParentChart();
    SetCircleRect(chart->ChartRect());
    TSeriesMarks* marks = Marks();
    if (marks != nullptr && marks->Visible() && markSpace_) {
        int length = marks->Callout()->Length();
        if (marks->Pen()->Visible())
            length += 2 * marks->Pen()->Width();
        const int fontHeight = chart->FontHeight(marks->Font());
        int lines = 0;
        const int w = chart->WidestTextLine(marks->Font(), "W", lines);
        TRect r = circleRect_;
        r.Top += length + fontHeight;
        r.Bottom -= length + fontHeight;
        r.Left += w + chart->WidestMark() + length;
        r.Right -= w + chart->WidestMark() + length;
        SetCircleRect(r);
    } else {
        ShareCircleRect();
    }
    if (circled_) {
        ApplyRadii();
        TRect r = circleRect_;
        MakeRound(r, xRadius_, yRadius_, DeviceCorrection());
        SetCircleRect(r);
    }
    ApplyRadii();
}

void TCircledSeries::DoBeforeDrawValues() {
    TChartSeries::DoBeforeDrawValues();
    if (ParentChart() != nullptr)
        ComputeCircle();
}

TPoint TCircledSeries::AngleToPos(double angle, double rx, double ry) const {
    return {RoundEven(std::cos(angle + rotation_) * rx) + circleXCenter_,
            circleYCenter_ - RoundEven(std::sin(angle + rotation_) * ry)};
}
