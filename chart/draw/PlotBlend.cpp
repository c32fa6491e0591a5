#include "chart/draw/PlotBlend.h"

#include "chart/draw/DrawLibrary.h"
#include "chart/draw/DrawRoutines.h"
#include "chart/draw/PlotCanvas3D.h"
#include "platform/graphics/Bitmap.h"

#include <algorithm>

TPlotBlend::TPlotBlend(TPlotCanvas& canvas, const TRect& r) : canvas_(canvas) {
    SetRectangle(r);
}

TPlotBlend::~TPlotBlend() = default;

namespace {

TBitmap* OffscreenOf(TPlotCanvas& canvas) {
    auto* c = dynamic_cast<TPlotCanvas3D*>(&canvas);
    return c != nullptr ? c->Buffer() : nullptr;
}

} // namespace

void TPlotBlend::SetRectangle(const TRect& r) {
    TRect n = NormalizeRect(r);
    n.Left = std::max(n.Left, 0);
    n.Top = std::max(n.Top, 0);
    n.Right = std::max(n.Right, 0);
    n.Bottom = std::max(n.Bottom, 0);
    if (n.Right - n.Left <= 0)
        n.Right = n.Left + 1;
    if (n.Bottom - n.Top <= 0)
        n.Bottom = n.Top + 1;
    const TRect& bounds = canvas_.Bounds();
    n.Right = std::min(n.Right, bounds.Right);
    n.Bottom = std::min(n.Bottom, bounds.Bottom);
    rect_ = n;
    valid_ = n.Width() > 0 && n.Height() > 0;
    if (!valid_)
        return;
    saved_ = std::make_unique<TBitmap>(n.Width(), n.Height(), pf24bit);
    // A metafile has no pixels to save.
    if (canvas_.MetafileOutput())
        return;
    TBitmap* offscreen = OffscreenOf(canvas_);
    TCanvas* from = offscreen != nullptr ? offscreen->Canvas() : canvas_.GetDeviceContext();
    saved_->Canvas()->BitBlt(0, 0, n.Width(), n.Height(), from, n.Left, n.Top, cmSrcCopy);
}

void TPlotBlend::DoBlend(TPlotTransparency transparency) {
    if (canvas_.MetafileOutput() || !valid_)
        return;
    TBitmap* offscreen = OffscreenOf(canvas_);
    const unsigned align = canvas_.GetTextAlignment();
    if (offscreen != nullptr) {
        MixBitmaps(*saved_, *offscreen, rect_.Left, rect_.Top, 100 - transparency);
    } else {
        TBitmap target(rect_.Width(), rect_.Height(), pf24bit);
        target.Canvas()->BitBlt(0, 0, rect_.Width(), rect_.Height(), canvas_.GetDeviceContext(),
                                rect_.Left, rect_.Top, cmSrcCopy);
        MixBitmaps(*saved_, target, 0, 0, 100 - transparency);
        canvas_.GetDeviceContext()->Draw(rect_.Left, rect_.Top, &target);
    }
    if (canvas_.GetTextAlignment() != align)
        canvas_.SetTextAlignment(align);
}

void MixBitmaps(TBitmap& source, TBitmap& destination, int x, int y, double percent) {
    x = std::max(x, 0);
    y = std::max(y, 0);
    const int w = std::min(source.Width(), destination.Width() - x);
    const int h = std::min(source.Height(), destination.Height() - y);
    if (w <= 0 || h <= 0)
        return;
    if (UseAlphaBlendMixing) {
        const int alpha = 255 - RoundEven(percent * 2.55);
        destination.Canvas()->AlphaBlend(x, y, w, h, source.Canvas(), 0, 0, w, h,
                                         static_cast<std::uint8_t>(std::clamp(alpha, 0, 255)));
        return;
    }
    source.Canvas()->Flush();
    destination.Canvas()->Flush();
    const int keep = 100 - RoundEven(percent);
    const int srcStep = source.PixelFormat() == pf24bit ? 3 : 4;
    const int dstStep = destination.PixelFormat() == pf24bit ? 3 : 4;
    for (int row = 0; row < h; ++row) {
        const std::uint8_t* s = source.ScanLine(row);
        std::uint8_t* d = destination.ScanLine(y + row) + x * dstStep;
        for (int col = 0; col < w; ++col, s += srcStep, d += dstStep) {
            if (d[0] == 255 && d[1] == 255 && d[2] == 255)
                d[2] = 254;
            for (int c = 0; c < 3; ++c)
                d[c] = static_cast<std::uint8_t>(d[c] + keep * (s[c] - d[c]) / 100);
        }
    }
}
