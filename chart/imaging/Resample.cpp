#include "chart/imaging/Resample.h"

#include "chart/draw/ChartTypes.h"
#include "platform/graphics/Bitmap.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

struct TContributor {
    int index;
    int weight;
};

// An index outside 0..n-1 reflected at both edges as often as needed, so that a window wider
// than the source (a destination of two or three pixels) never leaves it.
int Reflect(int j, int n) {
    if (n == 1)
        return 0;
    const int period = 2 * n;
    j %= period;
    if (j < 0)
        j += period;
    return j < n ? j : period - j - 1;
}

std::vector<std::vector<TContributor>> Contributors(int n, int m, float (*kernel)(float),
                                                    float support) {
    const float scale = static_cast<float>(m - 1) / static_cast<float>(n - 1);
    const float step = 1 / scale;
    const float f = std::min(scale, 1.0f);
    const float width = support * step;
    const float weightScale = f * 1024;
    std::vector<std::vector<TContributor>> lists(static_cast<std::size_t>(m));
    for (int i = 0; i < m; ++i) {
        const float centre = i * step;
        const int from = static_cast<int>(std::floor(centre - width));
        const int to = static_cast<int>(std::ceil(centre + width));
        for (int j = from; j <= to; ++j) {
            const int w = RoundEven(kernel(f * (centre - static_cast<float>(j))) * weightScale);
            if (w != 0)
                lists[static_cast<std::size_t>(i)].push_back({Reflect(j, n), w});
        }
    }
    return lists;
}

// One pixel of the pass across: the weighted sum of the contributors' three colour channels.
void Blend(const std::vector<TContributor>& contributors, const std::uint8_t* row,
           std::uint8_t* out) {
    int b = 0, g = 0, r = 0;
    for (const TContributor& k : contributors) {
        const std::uint8_t* p = row + static_cast<std::size_t>(k.index) * 4;
        b += k.weight * p[0];
        g += k.weight * p[1];
        r += k.weight * p[2];
    }
    out[0] = ClampChannel(b);
    out[1] = ClampChannel(g);
    out[2] = ClampChannel(r);
}

} // namespace

float LanczosWeight(float x) {
    if (x == 0)
        return 1;
    if (std::fabs(x) >= 3)
        return 0;
    const float pi = 3.14159265358979f;
    auto sinc = [pi](float t) { return std::sin(pi * t) / (pi * t); };
    return sinc(x) * sinc(x / 3);
}

float TriangleWeight(float x) {
    x = std::fabs(x);
    return x < 1 ? 1 - x : 0;
}

std::uint8_t ClampChannel(int sum) {
    return static_cast<std::uint8_t>(std::clamp(sum >> 10, 0, 255));
}

void ResampleBitmap(TBitmap& source, TBitmap& destination, TResampleQuality quality) {
    const int sw = source.Width(), sh = source.Height();
    const int dw = destination.Width(), dh = destination.Height();
    if (sw <= 1 || sh <= 1 || dw <= 1 || dh <= 1)
        return;
    source.SetPixelFormat(pf32bit);
    destination.SetPixelFormat(pf32bit);
    float (*kernel)(float) = quality == rqBest ? LanczosWeight : TriangleWeight;
    const float support = quality == rqBest ? 3 : 1;
    // Horizontal pass into a work image of dw x sh, then vertical into the destination.
    std::vector<std::uint8_t> work(static_cast<std::size_t>(dw) * sh * 4);
    const auto across = Contributors(sw, dw, kernel, support);
    for (int y = 0; y < sh; ++y) {
        const std::uint8_t* row = source.ScanLine(y);
        std::uint8_t* out = &work[static_cast<std::size_t>(y) * dw * 4];
        for (int x = 0; x < dw; ++x)
            Blend(across[static_cast<std::size_t>(x)], row, out + x * 4);
    }
    const auto down = Contributors(sh, dh, kernel, support);
    // Row by row: each contributing work row is added whole, in memory order.
    const std::size_t stride = static_cast<std::size_t>(dw) * 4;
    std::vector<int> sums(stride);
    for (int y = 0; y < dh; ++y) {
        std::fill(sums.begin(), sums.end(), 0);
        for (const TContributor& k : down[static_cast<std::size_t>(y)]) {
            const std::uint8_t* row = &work[static_cast<std::size_t>(k.index) * stride];
            for (std::size_t i = 0; i < stride; ++i)
                sums[i] += k.weight * row[i];
        }
        std::uint8_t* out = destination.ScanLine(y);
        for (std::size_t x = 0; x < static_cast<std::size_t>(dw); ++x)
            for (std::size_t c = 0; c < 3; ++c)
                out[x * 4 + c] = ClampChannel(sums[x * 4 + c]);
    }
    destination.Canvas()->Refresh();
}
