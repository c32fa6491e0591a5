// The smooth shadow: the shape drawn into a white bitmap, blurred with an integer kernel and
// multiplied into the canvas's off-screen buffer.

#include "chart/draw/PlotCanvas3D.h"
#include "chart/draw/Shadow.h"
#include "platform/graphics/Bitmap.h"

#include <cmath>
#include <cstdlib>
#include <vector>

namespace {

std::vector<long long> Kernel(int radius, int smoothBlur) {
    std::vector<long long> w(2 * radius + 1, 100000);
    if (radius == 0)
        return w;
    const double base = ((smoothBlur + 180) * 0.01 + 180) * 0.01;
    for (int d = -radius; d <= radius; ++d)
        w[d + radius] = RoundEven(std::pow(base, -static_cast<double>(d) * d / radius) * 100000);
    return w;
}

struct TPixels {
    int width = 0;
    int height = 0;
    std::vector<int> bgr; // three values per pixel
    int& at(int x, int y, int c) { return bgr[(static_cast<std::size_t>(y) * width + x) * 3 + c]; }
};

} // namespace

void TPlotShadow::SmoothShape(TPlotCanvas3D& canvas, const TRect& r, int kind, int roundSize,
                              const TPointList& points) const {
    const int ah = std::abs(horizSize_);
    const int av = std::abs(vertSize_);
    const int width = std::max(1, r.Right - r.Left + 2 * ah + 1);
    const int height = std::max(1, r.Bottom - r.Top + 2 * av + 1);
    TBitmap shape(width, height);
    TCanvas& sc = *shape.Canvas();
    sc.Pen()->SetStyle(psClear);
    sc.Brush()->SetStyle(bsSolid);
    sc.Brush()->SetColor(color_);
    const TRect inner{ah, av, width - ah, height - av};
    int originX = r.Left - (horizSize_ < 0 ? 2 * ah : 0);
    int originY = r.Top - (vertSize_ < 0 ? 2 * av : 0);
    switch (kind) {
    case 0:
        sc.Rectangle(inner);
        break;
    case 1:
        sc.RoundRect(inner.Left, inner.Top, inner.Right, inner.Bottom, roundSize, roundSize);
        break;
    case 2:
        sc.Ellipse(inner);
        break;
    default: {
        // The polygon's points are already moved: it lands on them, blurred both ways.
        TPointList local = points;
        for (TPoint& p : local) {
            p.X += ah - r.Left;
            p.Y += av - r.Top;
        }
        sc.Polygon(local);
        originX = r.Left - ah;
        originY = r.Top - av;
        break;
    }
    }
    sc.Flush();
    const bool full = fullDraw_ || kind != 0;
    const auto kh = Kernel(ah, smoothBlur_);
    const auto kv = Kernel(av, smoothBlur_);
    long long totalH = 0, totalV = 0;
    for (long long w : kh)
        totalH += w;
    for (long long w : kv)
        totalV += w;
    // Horizontal pass into a work image (weighted means).
    TPixels work{width, height, std::vector<int>(static_cast<std::size_t>(width) * height * 3)};
    const int step = shape.BytesPerScanLine() / width;
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* row = shape.ScanLine(y);
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < 3; ++c) {
                long long sum = 0;
                for (int d = -ah; d <= ah; ++d) {
                    const int sx = std::clamp(x + d, 0, width - 1);
                    sum += kh[d + ah] * row[sx * step + c];
                }
                work.at(x, y, c) = static_cast<int>(sum / totalH);
            }
    }
    // Vertical pass, multiplied into the buffer; only the band beside the element unless the
    // whole shape shows. The band lies on the side the shadow falls to.
    TBitmap& buffer = *canvas.Buffer();
    TCanvas* device = canvas.GetDeviceContext();
    const int bandX = 2 * ah + 1;
    const int bandY = 2 * av + 1;
    const int bufStep = buffer.BytesPerScanLine() / std::max(1, buffer.Width());
    device->Flush();
    for (int y = 0; y < height; ++y) {
        const int by = originY + y;
        if (by < 0 || by >= buffer.Height())
            continue;
        const bool inBandY = vertSize_ >= 0 ? y >= height - bandY : y < bandY;
        for (int x = 0; x < width; ++x) {
            const int bx = originX + x;
            if (bx < 0 || bx >= buffer.Width())
                continue;
            const bool inBandX = horizSize_ >= 0 ? x >= width - bandX : x < bandX;
            if (!full && !inBandX && !inBandY)
                continue;
            if (clip_ && !device->PtVisible(bx, by))
                continue;
            long long sum[3] = {0, 0, 0};
            for (int d = -av; d <= av; ++d) {
                const int sy = std::clamp(y + d, 0, height - 1);
                for (int c = 0; c < 3; ++c)
                    sum[c] += kv[d + av] * work.at(x, sy, c);
            }
            std::uint8_t* px = buffer.ScanLine(by) + bx * bufStep;
            const bool grey = sum[0] == sum[1] && sum[1] == sum[2];
            for (int c = 0; c < 3; ++c) {
                const long long s = grey ? sum[0] : sum[c];
                px[c] = static_cast<std::uint8_t>(RoundEven(px[c] * static_cast<double>(s) / 255.0 /
                                                            static_cast<double>(totalV)));
            }
        }
    }
}
