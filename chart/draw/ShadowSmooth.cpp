// The smooth shadow: the shape drawn into a white bitmap, blurred with an integer kernel and
// multiplied into the canvas's off-screen buffer.
//
// The blur is separable and works along whole rows. Rows of the shape that repeat the row above
// (all of a rectangle's inner rows) are blurred once; where the vertical kernel covers only copies
// of one row, the vertical sum is that row times the total weight and the multiplication is read
// from a table made by the same formula.

#include "chart/draw/PlotCanvas3D.h"
#include "chart/draw/Shadow.h"
#include "platform/graphics/Bitmap.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
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

long long Total(const std::vector<long long>& kernel) {
    long long total = 0;
    for (long long w : kernel)
        total += w;
    return total;
}

// Sums of weight x byte fit 32 bits for the usual sizes; larger kernels sum in 64.
bool FitsInt(long long total) {
    return total * 255 < std::numeric_limits<int>::max();
}

// The shape's distinct rows blurred across: work[id] holds width x 3 weighted means (blue,
// green, red) of the row, and rowId[y] the distinct row that row y repeats.
struct TBlurredRows {
    int width = 0;
    std::vector<int> rowId;
    std::vector<std::vector<std::uint8_t>> work;
};

template <class Acc>
void BlurRow(const std::uint8_t* row, int step, int width, const std::vector<long long>& kernel,
             long long total, std::vector<std::uint8_t>& out) {
    const int radius = static_cast<int>(kernel.size() / 2);
    // The row's channels packed, with the edge pixels repeated radius times on each side.
    std::vector<std::uint8_t> padded(static_cast<std::size_t>(width + 2 * radius) * 3);
    for (int x = -radius; x < width + radius; ++x) {
        const std::uint8_t* px = row + std::clamp(x, 0, width - 1) * step;
        std::memcpy(&padded[static_cast<std::size_t>(x + radius) * 3], px, 3);
    }
    const std::size_t n = static_cast<std::size_t>(width) * 3;
    std::vector<Acc> acc(n, 0);
    for (std::size_t k = 0; k < kernel.size(); ++k) {
        const Acc w = static_cast<Acc>(kernel[k]);
        const std::uint8_t* __restrict src = &padded[k * 3];
        Acc* __restrict a = acc.data();
        for (std::size_t i = 0; i < n; ++i)
            a[i] += w * static_cast<Acc>(src[i]);
    }
    out.resize(n);
    for (std::size_t i = 0; i < n; ++i)
        out[i] = static_cast<std::uint8_t>(acc[i] / static_cast<Acc>(total));
}

TBlurredRows BlurAcross(TBitmap& shape, const std::vector<long long>& kernel) {
    TBlurredRows rows;
    rows.width = shape.Width();
    const int height = shape.Height();
    const int step = shape.BytesPerScanLine() / rows.width;
    const long long total = Total(kernel);
    const std::size_t bytes = static_cast<std::size_t>(rows.width) * step;
    rows.rowId.resize(static_cast<std::size_t>(height));
    const std::uint8_t* previous = nullptr;
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* row = shape.ScanLine(y);
        if (previous == nullptr || std::memcmp(row, previous, bytes) != 0) {
            rows.work.emplace_back();
            if (FitsInt(total))
                BlurRow<int>(row, step, rows.width, kernel, total, rows.work.back());
            else
                BlurRow<long long>(row, step, rows.width, kernel, total, rows.work.back());
        }
        rows.rowId[static_cast<std::size_t>(y)] = static_cast<int>(rows.work.size()) - 1;
        previous = row;
    }
    return rows;
}

// The buffer channel multiplied by the weighted sum: round(channel x sum / 255 / total).
std::uint8_t Multiplied(int channel, long long sum, long long total) {
    return static_cast<std::uint8_t>(
        RoundEven(channel * static_cast<double>(sum) / 255.0 / static_cast<double>(total)));
}

// Where the vertical kernel covers copies of one row the sum is total x mean, so the product
// depends on the mean and the channel only; each mean's 256 products are made on first use.
class TProductTable {
public:
    explicit TProductTable(long long total) : total_(total), table_(256 * 256), made_(256) {}
    const std::uint8_t* Row(int mean) {
        std::uint8_t* row = &table_[static_cast<std::size_t>(mean) * 256];
        if (!made_[static_cast<std::size_t>(mean)]) {
            for (int channel = 0; channel < 256; ++channel)
                row[channel] = Multiplied(channel, total_ * mean, total_);
            made_[static_cast<std::size_t>(mean)] = true;
        }
        return row;
    }

private:
    long long total_;
    std::vector<std::uint8_t> table_;
    std::vector<bool> made_;
};

// True when every row under the vertical kernel at y repeats one distinct row (distinct rows
// are numbered in order, so the first and the last row under it tell).
bool OneRowUnder(const TBlurredRows& rows, int y, int radius) {
    const int last = static_cast<int>(rows.rowId.size()) - 1;
    return rows.rowId[static_cast<std::size_t>(std::max(0, y - radius))] ==
           rows.rowId[static_cast<std::size_t>(std::min(last, y + radius))];
}

// Where the blurred shape lands in the buffer and which of its pixels are composited.
struct TPlacement {
    int originX = 0;
    int originY = 0;
    bool full = false; // every pixel, not only the band on the shadow's side
    bool clip = false; // only pixels inside the device's clip region
    bool leftBand = false;
    bool topBand = false;
    int bandX = 0;
    int bandY = 0;
};

// The vertical pass of row y over columns from..to (exclusive), multiplied into the buffer row.
template <class Acc> class TDownPass {
public:
    TDownPass(const TBlurredRows& rows, const std::vector<long long>& kernel)
        : rows_(rows), kernel_(kernel), total_(Total(kernel)), products_(total_),
          acc_(static_cast<std::size_t>(rows.width) * 3) {}

    void Row(int y, int from, int to, std::uint8_t* line, int step, const TPlacement& at,
             TCanvas* device, int by) {
        const int radius = static_cast<int>(kernel_.size() / 2);
        const auto visible = [&](int x) {
            return !at.clip || device->PtVisible(at.originX + x, by);
        };
        if (OneRowUnder(rows_, y, radius)) {
            const std::uint8_t* mean = Work(y);
            for (int x = from; x < to; ++x) {
                if (!visible(x))
                    continue;
                std::uint8_t* px = line + (at.originX + x) * step;
                for (int c = 0; c < 3; ++c)
                    px[c] = products_.Row(mean[x * 3 + c])[px[c]];
            }
            return;
        }
        SumDown(y, from, to, radius);
        for (int x = from; x < to; ++x) {
            if (!visible(x))
                continue;
            const Acc* s = &acc_[static_cast<std::size_t>(x - from) * 3];
            const bool grey = s[0] == s[1] && s[1] == s[2];
            std::uint8_t* px = line + (at.originX + x) * step;
            for (int c = 0; c < 3; ++c)
                px[c] = Multiplied(px[c], grey ? s[0] : s[c], total_);
        }
    }

private:
    const std::uint8_t* Work(int y) const {
        return rows_.work[static_cast<std::size_t>(rows_.rowId[static_cast<std::size_t>(y)])]
            .data();
    }

    void SumDown(int y, int from, int to, int radius) {
        const int last = static_cast<int>(rows_.rowId.size()) - 1;
        const std::size_t n = static_cast<std::size_t>(to - from) * 3;
        std::fill_n(acc_.begin(), n, Acc(0));
        for (int d = -radius; d <= radius; ++d) {
            const std::uint8_t* __restrict src =
                Work(std::clamp(y + d, 0, last)) + static_cast<std::size_t>(from) * 3;
            const Acc w = static_cast<Acc>(kernel_[static_cast<std::size_t>(d + radius)]);
            Acc* __restrict a = acc_.data();
            for (std::size_t i = 0; i < n; ++i)
                a[i] += w * static_cast<Acc>(src[i]);
        }
    }

    const TBlurredRows& rows_;
    const std::vector<long long>& kernel_;
    long long total_;
    TProductTable products_;
    std::vector<Acc> acc_;
};

// Multiplies the blurred shape into the canvas's buffer at its placement.
template <class Acc>
void Composite(TPlotCanvas3D& canvas, const TBlurredRows& rows, const std::vector<long long>& kv,
               const TPlacement& at) {
    TBitmap& buffer = *canvas.Buffer();
    TCanvas* device = canvas.GetDeviceContext();
    device->Flush();
    const int width = rows.width;
    const int height = static_cast<int>(rows.rowId.size());
    const int step = buffer.BytesPerScanLine() / std::max(1, buffer.Width());
    TDownPass<Acc> pass(rows, kv);
    for (int y = 0; y < height; ++y) {
        const int by = at.originY + y;
        if (by < 0 || by >= buffer.Height())
            continue;
        const bool inBandY = at.topBand ? y < at.bandY : y >= height - at.bandY;
        int from = 0;
        int to = width;
        if (!at.full && !inBandY) {
            if (at.leftBand)
                to = at.bandX;
            else
                from = width - at.bandX;
        }
        from = std::max({from, 0, -at.originX});
        to = std::min({to, width, buffer.Width() - at.originX});
        if (from < to)
            pass.Row(y, from, to, buffer.ScanLine(by), step, at, device, by);
    }
}

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
    TPlacement at;
    at.originX = r.Left - (horizSize_ < 0 ? 2 * ah : 0);
    at.originY = r.Top - (vertSize_ < 0 ? 2 * av : 0);
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
        at.originX = r.Left - ah;
        at.originY = r.Top - av;
        break;
    }
    }
    sc.Flush();
    // Only the band beside the element unless the whole shape shows; the band lies on the side
    // the shadow falls to.
    at.full = fullDraw_ || kind != 0;
    at.clip = clip_;
    at.leftBand = horizSize_ < 0;
    at.topBand = vertSize_ < 0;
    at.bandX = 2 * ah + 1;
    at.bandY = 2 * av + 1;
    const auto kv = Kernel(av, smoothBlur_);
    const TBlurredRows rows = BlurAcross(shape, Kernel(ah, smoothBlur_));
    if (FitsInt(Total(kv)))
        Composite<int>(canvas, rows, kv, at);
    else
        Composite<long long>(canvas, rows, kv, at);
}
