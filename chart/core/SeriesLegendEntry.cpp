// The coloured symbol a series shows beside its legend texts.

#include "chart/core/ChartSeries.h"
#include "chart/draw/PlotCanvas.h"
#include "chart/panel/PlotPanel.h"

namespace {

// Holds the chart's repainting off and gives it back as it was, on every way out.
class TRepaintPause {
public:
    explicit TRepaintPause(TCustomPlotPanel* panel) : panel_(panel), was_(panel->RepaintEnabled()) {
        panel_->SetRepaintEnabled(false);
    }
    ~TRepaintPause() { panel_->SetRepaintEnabled(was_); }
    TRepaintPause(const TRepaintPause&) = delete;
    TRepaintPause& operator=(const TRepaintPause&) = delete;

private:
    TCustomPlotPanel* panel_;
    bool was_;
};

// Gives a brush its style back, on every way out.
class TBrushStyleGuard {
public:
    explicit TBrushStyleGuard(TChartBrush* brush) : brush_(brush), style_(brush->Style()) {}
    ~TBrushStyleGuard() { brush_->SetStyle(style_); }
    TBrushStyleGuard(const TBrushStyleGuard&) = delete;
    TBrushStyleGuard& operator=(const TBrushStyleGuard&) = delete;

private:
    TChartBrush* brush_;
    TBrushStyle style_;
};

} // namespace

void TChartSeries::DrawLegendEntry(int index, const TRect& rect) {
    if (index == -1 && ColorEachPoint())
        return;
    TChartHost* chart = ParentChart();
    auto* panel =
        chart != nullptr ? dynamic_cast<TCustomPlotPanel*>(chart->ChartComponent()) : nullptr;
    if (panel == nullptr || panel->DrawCanvas() == nullptr)
        return;
    TRepaintPause pause(panel);
    TCanvas3D* canvas = panel->DrawCanvas();
    const TColor color = index == -1 ? SeriesColor() : LegendItemColor(index);
    canvas->Brush()->SetColor(color);
    if (color == clNone)
        return;
    TColor back = chart->LegendBackColor();
    TBrushStyle style = Brush()->Style();
    canvas->SelectPen(Pen());
    PrepareLegendBrush(index, back, style);
    if (TChartPen* pen = chart->LegendSymbolPen())
        canvas->SelectPen(pen);
    if (back == clDefault) {
        back = chart->LegendBackColor();
        if (back == clDefault)
            back = panel->Color();
    }
    TBrushStyleGuard keepStyle(Brush());
    if (Brush()->Style() != style && !Brush()->HasImage())
        Brush()->SetStyle(style);
    panel->SetCanvasBrush(canvas->Brush()->Color(), Brush(), back);
    DrawLegendShape(index, rect);
}
