#pragma once
// Series drawn inside a circle or an ellipse instead of against axes (the pie). Before its points
// are drawn the series works out the circle from the chart's plot rectangle: room for the marks
// round it, a circle kept round on the output device when Circled is set, or fixed radii. It
// holds the rotation, the circle's background colour, gradient and shadow, and while it is active
// in a chart it puts its own 3D view options in place of the chart's, giving them back when it is
// deactivated, leaves the chart or is freed.

#include "chart/core/ChartSeries.h"
#include "chart/draw/Gradient.h"
#include "chart/draw/Shadow.h"
#include "chart/draw/View3DOptions.h"

#include <memory>

class TCustomChart;

// The circle's shadow: grey, 3 pixels right and down.
class TCircledShadow : public TPlotShadow {
    Q4_CLASS(TCircledShadow, TPlotShadow)
public:
    explicit TCircledShadow(TNotifyEvent onChange = {});
};

class TCircledSeries : public TChartSeries {
    Q4_CLASS(TCircledSeries, TChartSeries)
public:
    static constexpr TColor DefaultShadowColor = 0xA0A0A0;
    // The smallest circle rectangle's side.
    static constexpr int MinCircleSize = 4;

    explicit TCircledSeries(TComponent* owner);
    ~TCircledSeries() override;
    static void DeclareProperties(TPropertyList& p);
    // From another circled series: Circled, RotationAngle, the radii, CircleBackColor, the
    // gradient and the shadow; then the series.
    void Assign(TPersistent* source) override;

    // Switching the series off gives the chart its own view options back; on takes them again.
    void SetActive(bool value) override;
    // Leaving a chart gives it its view options back; joining one puts the series' own in place.
    void SetParentChart(TChartHost* chart) override;
    // Works out the circle (then the series' before-drawing events).
    void DoBeforeDrawValues() override;
    bool PointInChartRect(int) override { return true; }
    bool HasAxes() const override { return false; }
    // The legend symbol's background is the circle's.
    void PrepareLegendBrush(int index, TColor& backColor, TBrushStyle& style) override;

    // ---- settings ------------------------------------------------------------------------------
    TColor CircleBackColor() const { return circleBackColor_; }
    void SetCircleBackColor(TColor value) { SetField(circleBackColor_, value); }
    bool Circled() const { return circled_; }
    // Also given to every series of this class in the chart, whose fixed radii are cleared
    // (unless that series is being read).
    void SetCircled(bool value);
    int CustomXRadius() const { return customXRadius_; }
    void SetCustomXRadius(int value);
    int CustomYRadius() const { return customYRadius_; }
    void SetCustomYRadius(int value);
    // Degrees, kept as the remainder of division by 360 with the sign of the value.
    int RotationAngle() const { return rotationAngle_; }
    void SetRotationAngle(int value);
    TCircledShadow* Shadow() const { return shadow_.get(); }
    void SetShadow(TPlotShadow* value) { shadow_->Assign(value); }
    TPlotGradient* Gradient() const { return gradient_.get(); }
    void SetGradient(TPlotGradient* value) { gradient_->Assign(value); }

    // ---- the circle of the last drawing --------------------------------------------------------
    int XRadius() const { return xRadius_; }
    int YRadius() const { return yRadius_; }
    int CircleWidth() const { return circleWidth_; }
    int CircleHeight() const { return circleHeight_; }
    int CircleXCenter() const { return circleXCenter_; }
    int CircleYCenter() const { return circleYCenter_; }
    const TRect& CircleRect() const { return circleRect_; }
    // RotationAngle in radians.
    double Rotation() const { return rotation_; }
    // The circle's background: CircleBackColor; by default white while printing, else the back
    // wall's colour when it is not transparent, else the chart's.
    TColor CircleBackColorInUse() const;
    // The screen point at angle (radians, counter-clockwise from three o'clock) on the ellipse
    // of radii rx, ry round the centre, turned by the rotation.
    TPoint AngleToPos(double angle, double rx, double ry) const;

    // A rectangle with odd sides loses their last pixel and grows to MinCircleSize at least.
    static TRect NormalizeCircleRect(TRect r);
    // Keeps an ellipse of radii xr, yr round when a screen pixel is ratio times as wide as it is
    // high: the wider side is narrowed, on both sides alike.
    static void MakeRound(TRect& r, int xr, int yr, double ratio);

protected:
    // The chart this series is in, as a chart control (none detached or in another host).
    TCustomChart* Chart() const;
    // Sets the circle rectangle (normalised) and its size and centre.
    void SetCircleRect(const TRect& r);
    // The radii from the circle's size or the fixed ones; the rectangle follows them.
    void ApplyRadii();
    // Room for the marks round the circle is reserved unless this is cleared.
    bool markSpace_ = true;
    // The circle when no room is kept for marks; nothing here.
    virtual void ShareCircleRect() {}
    // The series' own view options, put in place of the chart's; nothing here.
    virtual void ApplyOwn3DOptions() {}
    // Restore false (or the series active): saves the chart's options and applies the own ones
    // (once); otherwise gives the saved ones back.
    void SwapView3DOptions(bool restore);
    // Gives the chart the options saved from it, if any.
    void RestoreView3DOptions();

private:
    void ComputeCircle();
    // Pixels of the screen over its millimetres, against the output device's.
    double DeviceCorrection() const;
    void ChangeSiblings(const std::function<void(TCircledSeries&)>& change);

    TColor circleBackColor_ = clDefault;
    bool circled_ = false;
    int customXRadius_ = 0;
    int customYRadius_ = 0;
    int rotationAngle_ = 0;
    std::unique_ptr<TCircledShadow> shadow_;
    std::unique_ptr<TPlotGradient> gradient_;
    std::unique_ptr<TView3DOptions> savedOptions_;
    int xRadius_ = 0;
    int yRadius_ = 0;
    int circleWidth_ = 0;
    int circleHeight_ = 0;
    int circleXCenter_ = 0;
    int circleYCenter_ = 0;
    TRect circleRect_{};
    double rotation_ = 0;
};
