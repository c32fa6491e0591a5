#include "chart/draw/AntiAliasCanvas.h"

#include "chart/draw/ChartPen.h"
#include "chart/draw/View3DOptions.h"
#include "platform/graphics/Bitmap.h"

#include <cmath>

TAntiAliasCanvas::TAntiAliasCanvas() = default;

TAntiAliasCanvas::~TAntiAliasCanvas() {
    if (tool_ != nullptr)
        tool_->AntiAliasCanvasDestroyed(this);
}

void TAntiAliasCanvas::SetDisabled(bool value) {
    if (value == disabled_)
        return;
    disabled_ = value;
    UpdateSmoothing();
    SetBufferStale();
    if (options_ != nullptr)
        options_->NotifyPanel();
}

void TAntiAliasCanvas::UpdateSmoothing() {
    smoothing_ = GetBufferedDisplay() && !MetafileOutput() && !disabled_;
    rows_ = {};
}

void TAntiAliasCanvas::SetBufferedDisplay(bool on) {
    TPlotCanvas3D::SetBufferedDisplay(on);
    UpdateSmoothing();
}

TRect TAntiAliasCanvas::BeginDrawing(TCanvas* destination, TView3DOptions* options, bool is3D,
                                     const TRect& bounds) {
    const TRect r = TPlotCanvas3D::BeginDrawing(destination, options, is3D, bounds);
    UpdateSmoothing();
    return r;
}

void TAntiAliasCanvas::SelectPenColored(TPen* pen, TColor color) {
    TPlotCanvas3D::SelectPenColored(pen, color);
    color_ = ColorToRGB(Pen()->Color());
}

// ---- pixels -------------------------------------------------------------------------------------

void TAntiAliasCanvas::PrepareRows() {
    rows_ = {};
    TBitmap* buffer = Buffer();
    if (!Smoothing() || buffer == nullptr || canvas_ == nullptr || canvas_ != buffer->Canvas())
        return;
    const TPixelFormat format = buffer->PixelFormat();
    const int bytes = format == pf24bit ? 3 : (format == pfDevice || format == pf32bit) ? 4 : 0;
    if (bytes == 0 || buffer->Width() <= 0 || buffer->Height() <= 0)
        return;
    rows_.first = buffer->ScanLine(0); // finishes the standard drawing in progress
    rows_.stride = buffer->Height() > 1 ? buffer->ScanLine(1) - rows_.first : 0;
    rows_.pixelBytes = bytes;
    rows_.width = buffer->Width();
    rows_.height = buffer->Height();
    rows_.origin = canvas_->ViewportOrigin();
    rows_.clipped = canvas_->HasClipRegion();
}

void TAntiAliasCanvas::PutPixel(int x, int y) {
    if (!rows_) {
        if (canvas_ != nullptr && canvas_->PtVisible(x, y))
            canvas_->SetPixel(x, y, color_);
        return;
    }
    const int dx = x + rows_.origin.X;
    const int dy = y + rows_.origin.Y;
    if (dx < 0 || dy < 0 || dx >= rows_.width || dy >= rows_.height ||
        (rows_.clipped && !canvas_->PtVisible(x, y)))
        return;
    std::uint8_t* p =
        rows_.first + dy * rows_.stride + static_cast<std::ptrdiff_t>(dx) * rows_.pixelBytes;
    p[0] = GetBValue(color_);
    p[1] = GetGValue(color_);
    p[2] = GetRValue(color_);
}

namespace {

std::uint8_t Mix(int old, int target, float weight) {
    return static_cast<std::uint8_t>(target +
                                     RoundEven((old - target) * static_cast<double>(weight)));
}

} // namespace

void TAntiAliasCanvas::BlendPixel(int x, int y, float weight) {
    if (!rows_) {
        if (canvas_ == nullptr || !canvas_->PtVisible(x, y))
            return;
        const TColor old = canvas_->Pixel(x, y);
        if (old == CLR_INVALID)
            return;
        canvas_->SetPixel(x, y,
                          RGB(Mix(GetRValue(old), GetRValue(color_), weight),
                              Mix(GetGValue(old), GetGValue(color_), weight),
                              Mix(GetBValue(old), GetBValue(color_), weight)));
        return;
    }
    const int dx = x + rows_.origin.X;
    const int dy = y + rows_.origin.Y;
    // Through the rows the left column and the top row are never blended.
    if (dx <= 0 || dy <= 0 || dx >= rows_.width || dy >= rows_.height ||
        (rows_.clipped && !canvas_->PtVisible(x, y)))
        return;
    std::uint8_t* p =
        rows_.first + dy * rows_.stride + static_cast<std::ptrdiff_t>(dx) * rows_.pixelBytes;
    p[0] = Mix(p[0], GetBValue(color_), weight);
    p[1] = Mix(p[1], GetGValue(color_), weight);
    p[2] = Mix(p[2], GetRValue(color_), weight);
}

// ---- plain fills --------------------------------------------------------------------------------

void TAntiAliasCanvas::FillGradientRect(const TRect& r, TColor start, TColor end,
                                        TGradientDirection direction, int balance, int radialX,
                                        int radialY) {
    // The bands of a gradient are straight: no smoothing while it fills, also when it raises.
    struct TSmoothingOff {
        bool& flag;
        bool saved;
        ~TSmoothingOff() { flag = saved; }
    } off{smoothing_, smoothing_};
    smoothing_ = false;
    TPlotCanvas3D::FillGradientRect(r, start, end, direction, balance, radialX, radialY);
}
