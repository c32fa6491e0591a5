#pragma once
// The coloured sign in front of (or after) each legend row: its width rule and the plain drawing
// used for rows that have no series.

#include "chart/draw/ChartTypes.h"
#include "platform/classes/TypeInfo.h"

#include <functional>

class TCanvas3D;

Q4_ENUM(TLegendSymbolPosition, spLeft, spRight);
Q4_ENUM(TLegendSymbolSize, lcsPercent, lcsPixels);

class TLegendSymbol {
public:
    // changed: called after a setting changed its value (the legend repaints the chart).
    explicit TLegendSymbol(std::function<void()> changed) : changed_(std::move(changed)) {}
    void Assign(const TLegendSymbol& other);

    // The symbol's width beside texts textWidth wide in rows rowHeight high: 0 when hidden,
    // rowHeight - 5 when squared, Width pixels, or Width percent of the texts.
    int WidthFor(int textWidth, int rowHeight) const;
    // The plain symbol: a rectangle filled with color in the canvas pen. Without a pen the
    // rectangle reaches one pixel further right and down, so it covers what the pen would.
    void DrawPlain(TCanvas3D& canvas, TColor color, const TRect& rect) const;

    bool Continuous() const { return continuous_; }
    void SetContinuous(bool on) { Set(continuous_, on); }
    bool DefaultPen() const { return defaultPen_; }
    void SetDefaultPen(bool on) { Set(defaultPen_, on); }
    TLegendSymbolPosition Position() const { return position_; }
    void SetPosition(TLegendSymbolPosition position) { Set(position_, position); }
    bool Squared() const { return squared_; }
    void SetSquared(bool on) { Set(squared_, on); }
    bool Visible() const { return visible_; }
    void SetVisible(bool on) { Set(visible_, on); }
    int Width() const { return width_; }
    void SetWidth(int width) { Set(width_, width); }
    TLegendSymbolSize WidthUnits() const { return widthUnits_; }
    void SetWidthUnits(TLegendSymbolSize units) { Set(widthUnits_, units); }

private:
    template <class T> void Set(T& field, const T& value) {
        if (field == value)
            return;
        field = value;
        if (changed_)
            changed_();
    }

    std::function<void()> changed_;
    bool continuous_ = false;
    bool defaultPen_ = true;
    TLegendSymbolPosition position_ = spLeft;
    bool squared_ = false;
    bool visible_ = true;
    int width_ = 20;
    TLegendSymbolSize widthUnits_ = lcsPercent;
};
