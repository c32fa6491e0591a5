#pragma once
// Framed shapes: the boxes every framed part of a chart is drawn as (titles, legend, marks, axis
// titles, pointers, callouts). A shape has a fill (picture, gradient or brush in its colour), an
// outline pen, a bevel, a shadow, rounded or elliptic corners and a transparency, and draws
// itself into a rectangle of its panel's canvas, turned by an angle and placed at a depth.

#include "chart/draw/ChartBrush.h"
#include "chart/draw/ChartPen.h"
#include "chart/draw/ChartTypes.h"
#include "chart/draw/Gradient.h"
#include "chart/draw/PlotFont.h"
#include "chart/draw/Shadow.h"
#include "chart/panel/BackImage.h"
#include "chart/panel/PlotPanel.h"
#include "platform/classes/Persistent.h"
#include "platform/stdctrls/Panel.h"

#include <array>
#include <memory>

class TCustomPlotPanelExtended;

Q4_ENUM(TChartObjectShapeStyle, fosRectangle, fosRoundRectangle, fosEllipse);
Q4_ENUM(TTextFormat, ttfNormal, ttfHtml);

// A persistent with a brush, a pen and a visible flag that repaints its panel when they change.
class TPlotCustomShapeBrushPen : public TPersistent {
    Q4_CLASS(TPlotCustomShapeBrushPen, TPersistent)
public:
    // brush: the brush class a descendant draws with (a plain chart brush when null).
    explicit TPlotCustomShapeBrushPen(TCustomPlotPanel* parent,
                                      std::unique_ptr<TChartBrush> brush = nullptr);
    ~TPlotCustomShapeBrushPen() override;
    // Brush, Pen and Visible of another shape.
    void Assign(TPersistent* source) override;

    TChartBrush* Brush() const { return brush_.get(); }
    void SetBrush(TChartBrush* brush) { brush_->Assign(brush); }
    TChartPen* Pen() const { return pen_.get(); }
    void SetPen(TChartPen* pen) { pen_->Assign(pen); }
    bool Visible() const { return visible_; }
    void SetVisible(bool on);
    void Hide() { SetVisible(false); }
    TCustomPlotPanel* Parent() const { return parent_; }
    virtual void SetParent(TCustomPlotPanel* parent) { parent_ = parent; }

protected:
    // A part changed: the parent repaints.
    void Changed();
    // Stores value, through the parent's change-checked setter when there is a parent.
    template <class T> void SetValue(T& field, const T& value) {
        if (parent_ != nullptr)
            parent_->SetChecked(field, value);
        else
            field = value;
    }

private:
    TCustomPlotPanel* parent_;
    std::unique_ptr<TChartBrush> brush_;
    std::unique_ptr<TChartPen> pen_;
    bool visible_ = true;
};

class TPlotCustomShape : public TPlotCustomShapeBrushPen {
    Q4_CLASS(TPlotCustomShape, TPlotCustomShapeBrushPen)
public:
    explicit TPlotCustomShape(TCustomPlotPanel* parent,
                              std::unique_ptr<TChartBrush> brush = nullptr);
    ~TPlotCustomShape() override;
    void Assign(TPersistent* source) override;
    void DefineProperties(TFiler* filer) override;

    // ---- drawing ------------------------------------------------------------------------------
    // Into ShapeRect, upright and flat.
    void DrawShape();
    // The framed box into rect of the parent panel's canvas, turned by angle degrees
    // (counter-clockwise on the screen), at depth z. Nothing when Transparent. Without
    // withShadow the shadow is left out, for an owner that cast it already (DrawShadowIn) to
    // draw something between shadow and shape.
    void DrawShapeIn(const TRect& rect, double angle, int z, bool withShadow = true);
    // Whether DrawShapeIn casts a shadow.
    bool CastsShadow() const;
    // The shadow DrawShapeIn casts, alone.
    void DrawShadowIn(const TRect& rect, double angle, int z);
    // The corners of rect turned about its centre: left-top, right-top, right-bottom,
    // left-bottom.
    static std::array<TPoint, 4> RotatedRectCorners(const TRect& rect, double angle);

    TRect ShapeRect;
    int ShapeWidth() const { return ShapeRect.Right - ShapeRect.Left + 1; }
    void SetShapeWidth(int width) { ShapeRect.Right = ShapeRect.Left + width - 1; }
    int ShapeHeight() const { return ShapeRect.Bottom - ShapeRect.Top + 1; }
    void SetShapeHeight(int height) { ShapeRect.Bottom = ShapeRect.Top + height - 1; }

    // ---- properties ---------------------------------------------------------------------------
    TPanelBevel Bevel() const { return bevel_; }
    void SetBevel(TPanelBevel bevel) { SetChanged(bevel_, bevel); }
    int BevelWidth() const { return bevelWidth_; }
    void SetBevelWidth(int width) { SetChanged(bevelWidth_, width); }
    TColor Color() const { return color_; }
    void SetColor(TColor color) { SetValue(color_, color); }
    TPlotFont* Font() const { return font_.get(); }
    void SetFont(TPlotFont* font) { font_->Assign(font); }
    // Made on first read; setting null frees it.
    TPlotGradient* Gradient();
    void SetGradient(TPlotGradient* gradient);
    TPlotGradient* GradientIfAny() const { return gradient_.get(); }
    TBackImage* Picture();
    void SetPicture(TBackImage* picture);
    TBackImage* PictureIfAny() const { return picture_.get(); }
    int RoundSize() const { return roundSize_; }
    void SetRoundSize(int size) { SetChanged(roundSize_, size); }
    // Null when it was set to null.
    TPlotShadow* Shadow() const { return shadow_.get(); }
    void SetShadow(TPlotShadow* shadow);
    TChartObjectShapeStyle ShapeStyle() const { return shapeStyle_; }
    void SetShapeStyle(TChartObjectShapeStyle style) { SetChanged(shapeStyle_, style); }
    TTextFormat TextFormat() const { return textFormat_; }
    void SetTextFormat(TTextFormat format) { SetChanged(textFormat_, format); }
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool on) { SetValue(transparent_, on); }
    // Percent of what lies under the shape that shows through it (0..100).
    TPlotTransparency Transparency() const { return transparency_; }
    void SetTransparency(TPlotTransparency percent) { SetChanged(transparency_, percent); }

protected:
    // Descendants that are transparent unless told otherwise set both.
    bool defaultTransparent_ = false;
    // The gradient class a descendant fills with.
    virtual std::unique_ptr<TPlotGradient> NewGradient();

    bool TransparentStored() const { return transparent_ != defaultTransparent_; }
    bool GradientStored() const { return gradient_ != nullptr; }
    bool PictureStored() const { return picture_ != nullptr; }

private:
    template <class T> void SetChanged(T& field, T value) {
        if (field == value)
            return;
        field = value;
        Changed();
    }
    void ReadShadowColor(TReader* reader);

    TCanvas3D& Canvas() const;
    void DrawShapeOutline(TCanvas3D& canvas, const TRect& rect, double angle, int z);
    void DrawShapeShadow(TCanvas3D& canvas, const TRect& rect, double angle, int z);
    void DrawShapeGradient(TCanvas3D& canvas, const TRect& rect, double angle, int z);
    void DrawShapePicture(TCanvas3D& canvas, const TRect& rect);

    TPanelBevel bevel_ = bvNone;
    int bevelWidth_ = 2;
    TColor color_ = clWhite;
    std::unique_ptr<TPlotFont> font_;
    std::unique_ptr<TPlotGradient> gradient_;
    std::unique_ptr<TBackImage> picture_;
    int roundSize_ = 16;
    std::unique_ptr<TPlotShadow> shadow_;
    TChartObjectShapeStyle shapeStyle_ = fosRectangle;
    TTextFormat textFormat_ = ttfNormal;
    bool transparent_ = false;
    TPlotTransparency transparency_ = 0;
};

// The framed shape with its look published.
class TPlotShape : public TPlotCustomShape {
    Q4_CLASS(TPlotShape, TPlotCustomShape)
public:
    explicit TPlotShape(TCustomPlotPanel* parent, std::unique_ptr<TChartBrush> brush = nullptr)
        : TPlotCustomShape(parent, std::move(brush)) {}
    static void DeclareProperties(TPropertyList& p);
};
