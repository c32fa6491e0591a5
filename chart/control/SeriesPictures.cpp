#include "chart/control/SeriesPictures.h"

#include "chart/control/Chart.h"
#include "chart/draw/PlotCanvas3D.h"
#include "chart/util/ChartUtils.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"

#include <memory>

namespace {

// Lends a series without a chart to a chart for one drawing: the given one, else a temporary
// chart made here. The series leaves the chart again on every way out.
class TLentChart {
public:
    TLentChart(TChartSeries* series, TCustomChart* chart) : series_(series) {
        if (series_->ParentChart() != nullptr)
            return;
        if (chart == nullptr) {
            temporary_ = std::make_unique<TCustomChart>(nullptr);
            chart = temporary_.get();
        }
        series_->SetParentChart(chart);
        lent_ = true;
    }
    ~TLentChart() {
        if (lent_)
            series_->SetParentChart(nullptr);
    }
    TLentChart(const TLentChart&) = delete;
    TLentChart& operator=(const TLentChart&) = delete;

private:
    TChartSeries* series_;
    std::unique_ptr<TCustomChart> temporary_;
    bool lent_ = false;
};

// Points a chart's drawing canvas at another canvas, its buffering off, and gives both back.
class TCanvasRedirect {
public:
    TCanvasRedirect(TCanvas3D& drawCanvas, TCanvas* target)
        : drawCanvas_(drawCanvas), saved_(drawCanvas.Canvas()),
          buffered_(drawCanvas.GetBufferedDisplay()) {
        auto* plot = dynamic_cast<TPlotCanvas3D*>(&drawCanvas_);
        savedWasBuffer_ =
            plot != nullptr && plot->Buffer() != nullptr && saved_ == plot->Buffer()->Canvas();
        if (buffered_)
            drawCanvas_.SetBufferedDisplay(false);
        drawCanvas_.AttachCanvas(target);
    }
    ~TCanvasRedirect() {
        if (buffered_)
            drawCanvas_.SetBufferedDisplay(true);
        if (!savedWasBuffer_) {
            drawCanvas_.AttachCanvas(saved_);
            return;
        }
        // Switching buffering off may have dropped the buffer the canvas drew on.
        auto* plot = static_cast<TPlotCanvas3D*>(&drawCanvas_);
        drawCanvas_.AttachCanvas(plot->Buffer() ? plot->Buffer()->Canvas() : nullptr);
    }
    TCanvasRedirect(const TCanvasRedirect&) = delete;
    TCanvasRedirect& operator=(const TCanvasRedirect&) = delete;

private:
    TCanvas3D& drawCanvas_;
    TCanvas* saved_;
    bool buffered_;
    bool savedWasBuffer_ = false;
};

} // namespace

void DrawSeriesLegendSymbol(TChartSeries* series, TCanvas* canvas, const TRect& rect,
                            TCustomChart* chart) {
    if (series == nullptr || canvas == nullptr)
        return;
    TLentChart lent(series, chart);
    TChartHost* host = series->ParentChart();
    auto* panel = host ? dynamic_cast<TCustomPlotPanel*>(host->ChartComponent()) : nullptr;
    if (panel == nullptr || panel->DrawCanvas() == nullptr)
        return;
    TCanvas3D& drawCanvas = *panel->DrawCanvas();
    if (drawCanvas.RendersTrue3D())
        return;
    TCanvasRedirect redirect(drawCanvas, canvas);
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(host->LegendBackColor());
    series->DrawLegendEntry(-1, rect);
}

bool DrawClassPicture(TCanvas* canvas, int x, int y, TClass cls) {
    if (canvas == nullptr)
        return false;
    TBitmap bitmap;
    if (!LoadClassBitmap(cls, bitmap))
        return false;
    canvas->Draw(x, y, &bitmap);
    return true;
}
