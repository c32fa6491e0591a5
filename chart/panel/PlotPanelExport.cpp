// The chart drawn into other canvases: bitmaps and metafiles through the same drawing cycle.

#include "chart/panel/PlotPanel.h"

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Metafile.h"

#include <algorithm>

namespace {

// Draws unbuffered for the guard's life and puts buffering back after, also when drawing raises.
class TUnbufferedScope {
public:
    TUnbufferedScope(TCustomPlotPanel& panel, TCanvas3D& canvas)
        : panel_(panel), plot_(dynamic_cast<TPlotCanvas3D*>(&canvas)),
          buffered_(panel.BufferedDisplay()) {
        if (plot_ != nullptr)
            plot_->SetKeepBuffer(true);
        panel_.SetBufferedDisplay(false);
    }
    ~TUnbufferedScope() {
        panel_.SetBufferedDisplay(buffered_);
        if (plot_ != nullptr)
            plot_->SetKeepBuffer(false);
        panel_.Invalidate();
    }
    TUnbufferedScope(const TUnbufferedScope&) = delete;
    TUnbufferedScope& operator=(const TUnbufferedScope&) = delete;

private:
    TCustomPlotPanel& panel_;
    TPlotCanvas3D* plot_;
    bool buffered_;
};

} // namespace

void TCustomPlotPanel::DrawToCanvas(TCanvas* canvas, const TRect& rect) {
    TUnbufferedScope scope(*this, *drawCanvas_);
    DrawPanel(canvas, rect);
}

void TCustomPlotPanel::DrawIntoMetafileCanvas(TCanvas* canvas, const TRect& rect) {
    drawCanvas_->SetMetafileOutput(true);
    try {
        DrawToCanvas(canvas, rect);
    } catch (...) {
        drawCanvas_->SetMetafileOutput(false);
        throw;
    }
    drawCanvas_->SetMetafileOutput(false);
}

std::unique_ptr<TMetafile> TCustomPlotPanel::CreateMetafileImage(bool enhanced, const TRect& rect) {
    auto metafile = std::make_unique<TMetafile>();
    metafile->SetEnhanced(enhanced);
    TMetafileCanvas canvas(*metafile, std::max(1, rect.Width()), std::max(1, rect.Height()));
    DrawIntoMetafileCanvas(&canvas, rect);
    canvas.Finish();
    return metafile;
}

std::unique_ptr<TBitmap> TCustomPlotPanel::CreateBitmapImage(TColor backColor, const TRect& rect,
                                                             TPixelFormat format) {
    auto bitmap = std::make_unique<TBitmap>(std::max(1, rect.Width()), std::max(1, rect.Height()),
                                            drawCanvas_->RendersTrue3D() ? pf24bit : format);
    if (backColor != clWhite && backColor != clNone) {
        bitmap->Canvas()->Brush()->SetStyle(bsSolid);
        bitmap->Canvas()->Brush()->SetColor(backColor);
        bitmap->Canvas()->FillRect({0, 0, bitmap->Width(), bitmap->Height()});
    }
    DrawToCanvas(bitmap->Canvas(), rect);
    return bitmap;
}

std::unique_ptr<TBitmap> TCustomPlotPanel::CreateBitmapImage() {
    return CreateBitmapImage(Color(), PanelRectangle(), pfDevice);
}

void TCustomPlotPanel::AssignTo(TPersistent* dest) {
    if (auto* picture = dynamic_cast<TPicture*>(dest)) {
        picture->SetGraphic(CreateBitmapImage());
        return;
    }
    if (auto* graphic = dynamic_cast<TGraphic*>(dest)) {
        graphic->Assign(*CreateBitmapImage());
        return;
    }
    TCustomPanelNoCaption::AssignTo(dest);
}
