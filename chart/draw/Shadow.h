#pragma once
// Drop shadows of rectangles, ellipses, polygons and text. Three renderings: smooth (the shape
// blurred and multiplied into the canvas's off-screen buffer), fading lines for a canvas without a
// buffer, and plain solid strips.

#include "chart/draw/ChartTypes.h"
#include "chart/draw/StoreChanged.h"
#include "platform/classes/Persistent.h"
#include "platform/classes/Properties.h"
#include "platform/graphics/Graphics.h"

class TCanvas3D;
class TPlotCanvas3D;
class TBitmap;

class TPlotShadow : public TPersistent {
    Q4_CLASS(TPlotShadow, TPersistent)
public:
    explicit TPlotShadow(TNotifyEvent onChange = {});
    static void DeclareProperties(TPropertyList& p);
    void Assign(TPersistent* source) override;

    bool Clip() const { return clip_; }
    void SetClip(bool on) { Set(clip_, on); }
    TColor Color() const { return color_; }
    void SetColor(TColor c) { Set(color_, c); }
    int HorizSize() const { return horizSize_; }
    void SetHorizSize(int size) { Set(horizSize_, size); }
    int VertSize() const { return vertSize_; }
    void SetVertSize(int size) { Set(vertSize_, size); }
    bool Smooth() const { return smooth_; }
    void SetSmooth(bool on) { Set(smooth_, on); }
    int SmoothBlur() const { return smoothBlur_; }
    void SetSmoothBlur(int blur) { Set(smoothBlur_, blur); }
    TPlotTransparency Transparency() const { return transparency_; }
    void SetTransparency(TPlotTransparency percent) { Set(transparency_, percent); }
    bool Visible() const { return visible_; }
    void SetVisible(bool on) { Set(visible_, on); }
    // The larger of the two sizes; setting it sets both.
    int Size() const;
    void SetSize(int size);
    // An owner's own defaults: colour and both sizes, also what storing compares with.
    void SetDefaults(TColor color, int size);
    // An owner whose shadow starts hidden: Visible, and what storing compares it with.
    void SetDefaultVisible(bool on) { visible_ = defaultVisible_ = on; }
    // Blur the whole shadow, not only its visible border band.
    void SetFullDraw(bool on) { fullDraw_ = on; }

    void DrawRectShadow(TCanvas3D& canvas, const TRect& r, int roundSize = 0, int depth = 0);
    void DrawEllipseShadow(TCanvas3D& canvas, const TRect& r, int depth = 0);
    void DrawPolygonShadow(TCanvas3D& canvas, const TPointList& points);

    TNotifyEvent OnChange;

private:
    template <class V> void Set(V& field, V value) { StoreAndNotify(field, value, OnChange, this); }
    bool ColorStored() const { return color_ != defaultColor_; }
    bool HorizSizeStored() const { return horizSize_ != defaultSize_; }
    bool VertSizeStored() const { return vertSize_ != defaultSize_; }
    bool VisibleStored() const { return visible_ != defaultVisible_; }
    bool Nothing() const { return color_ == clNone || (horizSize_ == 0 && vertSize_ == 0); }
    TPlotCanvas3D* SmoothCanvas(TCanvas3D& canvas) const;
    void Prepare(TCanvas3D& canvas, TPlotCanvas3D* smooth) const;
    void Plain(TCanvas3D& canvas, const TRect& r, int roundSize, int depth) const;
    void Fading(TCanvas3D& canvas, const TRect& r, int depth) const;
    // kind: 0 rectangle, 1 rounded rectangle, 2 ellipse, 3 polygon (points relative to r).
    void SmoothShape(TPlotCanvas3D& canvas, const TRect& r, int kind, int roundSize,
                     const TPointList& points) const;

    bool clip_ = false;
    TColor color_ = clSilver;
    int horizSize_ = 0;
    bool smooth_ = true;
    int smoothBlur_ = 0;
    TPlotTransparency transparency_ = 0;
    int vertSize_ = 0;
    bool visible_ = true;
    TColor defaultColor_ = clSilver;
    int defaultSize_ = 0;
    bool defaultVisible_ = true;
    bool fullDraw_ = false;
};
