#pragma once
// The coloured sign in front of (or after) each legend row: its settings (width, position, pen,
// gradient, shadow, a drawing handler of the user's), its width rule and the drawing used for
// rows that have no series and for gradient-filled symbols.

#include "chart/draw/ChartTypes.h"
#include "platform/classes/Persistent.h"
#include "platform/classes/Properties.h"
#include "platform/classes/TypeInfo.h"

#include <functional>
#include <memory>

class TCanvas3D;
class TChartPen;
class TChartSeries;
class TPlotGradient;
class TPlotShadow;

Q4_ENUM(TLegendSymbolPosition, spLeft, spRight);
Q4_ENUM(TLegendSymbolSize, lcsPercent, lcsPixels);

// Draws the symbol of one legend row in place of the legend: the series (null for a row without
// one), the point (-1 for a series row) and the symbol's rectangle.
using TSymbolDrawEvent =
    std::function<void(TObject* sender, TChartSeries* series, int valueIndex, const TRect& rect)>;

class TLegendSymbol : public TPersistent {
    Q4_CLASS(TLegendSymbol, TPersistent)
public:
    // changed: called after a setting changed its value (the legend repaints the chart).
    explicit TLegendSymbol(std::function<void()> changed = {});
    ~TLegendSymbol() override;
    static void DeclareProperties(TPropertyList& p);
    // Continuous, Gradient, Pen, Position, Shadow, Squared, Width, WidthUnits and Visible of
    // another symbol; DefaultPen stays.
    void Assign(TPersistent* source) override;

    // The symbol's width beside texts textWidth wide in rows rowHeight high: 0 when hidden,
    // rowHeight - 5 when squared, Width pixels, or Width percent of the texts.
    int WidthFor(int textWidth, int rowHeight) const;
    // The symbol in color: its shadow, its own pen unless DefaultPen, the gradient ending in color
    // (or a solid brush of color), then the rectangle. Without a pen the rectangle reaches one
    // pixel further right and down, so it covers what the pen would.
    void Draw(TCanvas3D& canvas, TColor color, const TRect& rect);

    bool Continuous() const { return continuous_; }
    void SetContinuous(bool on) { Set(continuous_, on); }
    // The series' own pen frames the symbol; false: Pen does.
    bool DefaultPen() const { return defaultPen_; }
    void SetDefaultPen(bool on) { Set(defaultPen_, on); }
    TPlotGradient* Gradient() const { return gradient_.get(); }
    void SetGradient(TPlotGradient* gradient);
    TChartPen* Pen() const { return pen_.get(); }
    void SetPen(TChartPen* pen);
    TLegendSymbolPosition Position() const { return position_; }
    void SetPosition(TLegendSymbolPosition position) { Set(position_, position); }
    TPlotShadow* Shadow() const { return shadow_.get(); }
    void SetShadow(TPlotShadow* shadow);
    bool Squared() const { return squared_; }
    void SetSquared(bool on) { Set(squared_, on); }
    bool Visible() const { return visible_; }
    void SetVisible(bool on) { Set(visible_, on); }
    int Width() const { return width_; }
    void SetWidth(int width) { Set(width_, width); }
    TLegendSymbolSize WidthUnits() const { return widthUnits_; }
    void SetWidthUnits(TLegendSymbolSize units) { Set(widthUnits_, units); }
    // The shadow is shown and casts to some side.
    bool ShadowShown() const;

    // Replaces the drawing of every symbol when set.
    TSymbolDrawEvent OnDraw;

private:
    template <class T> void Set(T& field, const T& value) {
        if (field == value)
            return;
        field = value;
        Changed();
    }
    void Changed() const {
        if (changed_)
            changed_();
    }

    std::function<void()> changed_;
    bool continuous_ = false;
    bool defaultPen_ = true;
    std::unique_ptr<TPlotGradient> gradient_;
    std::unique_ptr<TChartPen> pen_;
    TLegendSymbolPosition position_ = spLeft;
    std::unique_ptr<TPlotShadow> shadow_;
    bool squared_ = false;
    bool visible_ = true;
    int width_ = 20;
    TLegendSymbolSize widthUnits_ = lcsPercent;
};
