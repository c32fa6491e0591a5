#pragma once
// Colour gradients: a small persistent description owned by the element it fills, that paints
// itself through the chart canvas into a rectangle, a polygon or a clip path. The canvas's
// FillGradientRect does the banding itself.

#include "chart/draw/ChartTypes.h"
#include "chart/draw/StoreChanged.h"
#include "platform/classes/Persistent.h"
#include "platform/classes/Properties.h"
#include "platform/graphics/Graphics.h"

#include <memory>

class TPlotCanvas;
class TCanvas3D;
class TSubGradient;

class TCustomPlotGradient : public TPersistent {
    Q4_CLASS(TCustomPlotGradient, TPersistent)
public:
    explicit TCustomPlotGradient(TNotifyEvent onChange = {});
    ~TCustomPlotGradient() override;
    static void DeclareProperties(TPropertyList& p);
    void Assign(TPersistent* source) override;

    int Angle() const { return angle_; }
    void SetAngle(int degrees) { Set(angle_, degrees); }
    int Balance() const { return balance_; }
    void SetBalance(int percent) { Set(balance_, percent); }
    TGradientDirection Direction() const { return direction_; }
    void SetDirection(TGradientDirection d) { Set(direction_, d); }
    TColor StartColor() const { return startColor_; }
    void SetStartColor(TColor c) { Set(startColor_, c); }
    TColor EndColor() const { return endColor_; }
    void SetEndColor(TColor c) { Set(endColor_, c); }
    // clNone while no middle colour takes part.
    TColor MidColor() const { return hasMiddle_ ? midColor_ : clNone; }
    void SetMidColor(TColor c);
    // Lets the stored middle colour take part.
    void UseMiddle();
    bool HasMiddle() const { return hasMiddle_; }
    int RadialX() const { return radialX_; }
    void SetRadialX(int x) { Set(radialX_, x); }
    int RadialY() const { return radialY_; }
    void SetRadialY(int y) { Set(radialY_, y); }
    bool Visible() const { return visible_; }
    void SetVisible(bool on) { Set(visible_, on); }

    // The sub-gradient drawn over this one with its transparency, if one was made.
    TSubGradient* SubGradientIfAny() const { return sub_.get(); }

    // Paints into r; a round size above 0 clips to a rounded rectangle first.
    void Fill(TPlotCanvas& canvas, const TRect& r, int roundSize);
    // Paints the quad (pen clear) through GradientPolygon; the second form projects the corners.
    void FillQuad(TPlotCanvas& canvas, const TPointList& corners);
    void FillQuadAtDepth(TCanvas3D& canvas, const TPointList& corners, int z);
    // The concentric fill of gdRadial, clipped to r.
    void FillRadial(TPlotCanvas& canvas, const TRect& r);

    TNotifyEvent OnChange;

protected:
    template <class V> void Set(V& field, V value) {
        if (StoreChanged(field, value))
            Changed();
    }
    void Changed();
    TSubGradient* MakeSubGradient();
    void FreeSubGradient();

private:
    void FillRotated(TPlotCanvas& canvas, const TRect& r, int roundSize);
    void FillUnrotated(TPlotCanvas& canvas, const TRect& r, int roundSize);
    void FillSubGradient(TPlotCanvas& canvas, const TRect& r, int roundSize);
    void Concentric(TPlotCanvas& canvas, const TRect& r);

    int angle_ = 0;
    int balance_ = 50;
    TGradientDirection direction_ = gdTopBottom;
    TColor endColor_ = clYellow;
    TColor midColor_ = clNone;
    int radialX_ = 0;
    int radialY_ = 0;
    TColor startColor_ = clWhite;
    bool visible_ = false;
    bool hasMiddle_ = false;
    std::unique_ptr<TSubGradient> sub_;
};

class TSubGradient : public TCustomPlotGradient {
    Q4_CLASS(TSubGradient, TCustomPlotGradient)
public:
    explicit TSubGradient(TNotifyEvent onChange = {}) : TCustomPlotGradient(std::move(onChange)) {}
    static void DeclareProperties(TPropertyList& p);
    void Assign(TPersistent* source) override;
    TPlotTransparency Transparency() const { return transparency_; }
    void SetTransparency(TPlotTransparency percent) { Set(transparency_, percent); }

private:
    TPlotTransparency transparency_ = 0;
};

class TPlotGradient : public TCustomPlotGradient {
    Q4_CLASS(TPlotGradient, TCustomPlotGradient)
public:
    explicit TPlotGradient(TNotifyEvent onChange = {}) : TCustomPlotGradient(std::move(onChange)) {}
    static void DeclareProperties(TPropertyList& p);
    // Created on first read with transparency 50.
    TSubGradient* SubGradient() { return MakeSubGradient(); }
    void SetSubGradient(TSubGradient* sub);

private:
    bool SubGradientStored() const { return SubGradientIfAny() != nullptr; }
};

class TPlotFontGradient : public TPlotGradient {
    Q4_CLASS(TPlotFontGradient, TPlotGradient)
public:
    explicit TPlotFontGradient(TNotifyEvent onChange = {}) : TPlotGradient(std::move(onChange)) {}
    static void DeclareProperties(TPropertyList& p);
    void Assign(TPersistent* source) override;
    // Fill the widened outline of the text instead of its glyphs.
    bool Outline() const { return outline_; }
    void SetOutline(bool on) { Set(outline_, on); }

private:
    bool outline_ = false;
};

// The colour of step k of n from start to end under a balance (50: linear; the banded fills
// truncate, the concentric fill rounds).
TColor GradientStepColor(TColor start, TColor end, int k, int n, int balance, bool rounded);
