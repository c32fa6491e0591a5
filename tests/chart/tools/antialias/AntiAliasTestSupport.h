#pragma once
// The anti-alias tests' surface: a chart canvas (the anti-alias one or the standard one) drawing
// into a bitmap of a given size, pixel format and background, with or without buffered display,
// the whole bitmap visible; its pixels as red, green, blue bytes; binary PPM files.

#include "chart/draw/AntiAliasCanvas.h"
#include "platform/graphics/Bitmap.h"

#include <QImage>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace aatest {

class TDrawSurface {
public:
    // Buffered: the canvas draws into its own buffer of the format; else straight into a
    // bitmap of the format.
    TDrawSurface(std::unique_ptr<TPlotCanvas3D> canvas, int width, int height, TColor background,
                 bool buffered = true, TPixelFormat format = pf24bit);
    static TDrawSurface Smoothed(int width, int height, TColor background = clWhite) {
        return TDrawSurface(std::make_unique<TAntiAliasCanvas>(), width, height, background);
    }
    static TDrawSurface Standard(int width, int height, TColor background = clWhite) {
        return TDrawSurface(std::make_unique<TPlotCanvas3D>(), width, height, background);
    }

    TPlotCanvas3D& Canvas() { return *canvas_; }
    // The anti-alias canvas (null for the standard one).
    TAntiAliasCanvas* Smoothing() { return dynamic_cast<TAntiAliasCanvas*>(canvas_.get()); }
    // A one-pixel pen of colour and style, the brush clear.
    void UsePen(TColor color, TPenStyle style = psSolid, int width = 1);
    TBitmap& Bitmap();
    QImage Image();
    // Red, green, blue bytes, row by row.
    std::vector<std::uint8_t> Rgb();

private:
    std::unique_ptr<TPlotCanvas3D> canvas_;
    std::unique_ptr<TBitmap> target_;
};

void WritePpm(const std::string& path, int width, int height, const std::vector<std::uint8_t>& rgb);
// The pixels of a binary PPM file (empty when it is not one of that size).
std::vector<std::uint8_t> ReadPpm(const std::string& path, int width, int height);
// The number of pixels in which two images of one size differ.
int DifferingPixels(const QImage& a, const QImage& b);

} // namespace aatest
