#pragma once
// The look of an axis text (the axis title, a custom label, the labels' format): a chart font,
// visibility and transparency, and the rectangle it was last drawn into. It repaints its chart
// when a setting changes. The framed-shape look (frame, fill, gradient, shadow) joins it when
// the panel library's framed shapes are available to this layer.

#include "chart/draw/ChartTypes.h"
#include "chart/draw/PlotFont.h"
#include "platform/classes/Persistent.h"

#include <functional>
#include <memory>

class TChartHost;

class TAxisTextShape : public TPersistent {
    Q4_CLASS(TAxisTextShape, TPersistent)

    // transparentByDefault: the class's default transparency (stored only when it differs).
    explicit TAxisTextShape(TChartHost* chart = nullptr, bool transparentByDefault = true);
    ~TAxisTextShape() override;
    static void DeclareProperties(TPropertyList& p);
    void Assign(TPersistent* source) override;

    TChartHost* ParentChart() const { return chart_; }
    void SetParentChart(TChartHost* chart) { chart_ = chart; }
    TPlotFont* Font() const { return font_.get(); }
    void SetFont(TPlotFont* font) { font_->Assign(font); }
    bool Visible() const { return visible_; }
    void SetVisible(bool value);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);
    // Where the text was drawn last.
    const TRect& ShapeRect() const { return shapeRect_; }
    void SetShapeRect(const TRect& r) { shapeRect_ = r; }

protected:
    void Repaint();

private:
    bool TransparentStored() const { return transparent_ != defaultTransparent_; }

    TChartHost* chart_;
    std::unique_ptr<TPlotFont> font_;
    bool visible_ = true;
    bool transparent_;
    bool defaultTransparent_;
    TRect shapeRect_;
};
