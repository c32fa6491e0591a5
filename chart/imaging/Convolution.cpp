#include "chart/imaging/Convolution.h"

#include "chart/draw/ChartTypes.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kMaxShift = 8;           // weights up to multiples of 1/256 sum in integers
constexpr long kFloatExact = 1L << 24; // integers below this are exact in single precision
constexpr long kMaxTable = 1L << 20;   // largest result table worth making

// Weights scaled by 2^shift to integers, with the range of the sums they can give.
struct TIntegerKernel {
    std::array<int, 9> w{};
    int shift = 0;
    long low = 0;
    long high = 0;
};

// True when every weight is a multiple of 1/2^shift for some small shift and every partial sum
// stays exact in single precision: then summing in integers gives the very sum the single
// precision arithmetic gives, in any order.
bool MakeIntegerKernel(const std::array<float, 9>& weights, TIntegerKernel& kernel) {
    for (int shift = 0; shift <= kMaxShift; ++shift) {
        const double scale = std::ldexp(1.0, shift);
        long positive = 0;
        long negative = 0;
        bool whole = true;
        for (int k = 0; k < 9 && whole; ++k) {
            const double s = static_cast<double>(weights[k]) * scale;
            whole = std::isfinite(s) && s == std::floor(s) && std::fabs(s) <= 65536;
            if (!whole)
                break;
            kernel.w[k] = static_cast<int>(s);
            (s > 0 ? positive : negative) += static_cast<long>(s);
        }
        if (!whole)
            continue;
        kernel.shift = shift;
        kernel.low = 255 * negative;
        kernel.high = 255 * positive;
        return kernel.high < kFloatExact && -kernel.low < kFloatExact &&
               kernel.high - kernel.low < kMaxTable;
    }
    return false;
}

std::uint8_t Clamped(float product) {
    return static_cast<std::uint8_t>(std::clamp(RoundEven(product), 0, 255));
}

// a[i] += src[i] x w along a row, in blocks of a fixed length that the compiler turns into vector
// code even where it makes no loop of unknown length into one.
template <class Acc, bool kUnit>
void AddTapBlocks(Acc* __restrict a, const std::uint8_t* __restrict src, std::size_t n, Acc w) {
    constexpr std::size_t kBlock = 64;
    std::size_t i = 0;
    for (; i + kBlock <= n; i += kBlock)
        for (std::size_t k = 0; k < kBlock; ++k)
            a[i + k] += kUnit ? static_cast<Acc>(src[i + k])
                              : static_cast<Acc>(static_cast<Acc>(src[i + k]) * w);
    for (; i < n; ++i)
        a[i] += static_cast<Acc>(static_cast<Acc>(src[i]) * w);
}

// A weight of one (most of a blur) only adds.
template <class Acc> void AddTap(Acc* a, const std::uint8_t* src, std::size_t n, Acc w) {
    if (w == 1)
        AddTapBlocks<Acc, true>(a, src, n, w);
    else
        AddTapBlocks<Acc, false>(a, src, n, w);
}

// Runs the kernel over the inner rows, tap by tap along whole rows (which the compiler turns
// into vector code), keeping the source of the row above and of the current row in copies so
// that each result row is written straight back. store turns an accumulated sum into a byte.
template <class Acc, class Store>
bool ConvolveRows(const std::vector<std::uint8_t*>& lines, const TRect& r,
                  const std::array<Acc, 9>& w, bool skipZero, Store store) {
    const std::size_t first = static_cast<std::size_t>(r.Left) * 4;
    const std::size_t bytes = static_cast<std::size_t>(r.Right - r.Left + 1) * 4;
    const std::size_t inner = bytes - 8;
    std::vector<std::uint8_t> prev(lines[r.Top] + first, lines[r.Top] + first + bytes);
    std::vector<std::uint8_t> cur(lines[r.Top + 1] + first, lines[r.Top + 1] + first + bytes);
    std::vector<Acc> acc(inner);
    bool changed = false;
    for (int y = r.Top + 1; y < r.Bottom; ++y) {
        const std::uint8_t* rows[3] = {prev.data(), cur.data(), lines[y + 1] + first};
        std::fill(acc.begin(), acc.end(), Acc(0));
        for (int k = 0; k < 9; ++k) {
            if (skipZero && w[k] == 0)
                continue;
            AddTap(acc.data(), rows[k / 3] + (k % 3) * 4, inner, w[k]);
        }
        std::uint8_t* out = lines[y] + first + 4;
        for (std::size_t i = 0; i < inner; i += 4)
            for (std::size_t c = i; c < i + 3; ++c) {
                const std::uint8_t v = store(acc[c]);
                changed |= out[c] != v;
                out[c] = v;
            }
        std::swap(prev, cur);
        std::copy(lines[y + 1] + first, lines[y + 1] + first + bytes, cur.begin());
    }
    return changed;
}

} // namespace

bool Convolve3x3(const std::vector<std::uint8_t*>& lines, const TRect& r,
                 const std::array<float, 9>& weights) {
    if (r.Right - r.Left < 2 || r.Bottom - r.Top < 2)
        return false;
    float sum = 0;
    for (float w : weights)
        sum += w;
    const float inverse = sum == 0 ? 1 : 1 / sum;
    TIntegerKernel kernel;
    if (MakeIntegerKernel(weights, kernel)) {
        const float unscale = std::ldexp(1.0f, -kernel.shift);
        std::vector<std::uint8_t> table(static_cast<std::size_t>(kernel.high - kernel.low + 1));
        for (long s = kernel.low; s <= kernel.high; ++s) {
            const float value = static_cast<float>(s) * unscale;
            table[static_cast<std::size_t>(s - kernel.low)] = Clamped(value * inverse);
        }
        const std::uint8_t* lookup = table.data();
        const long low = kernel.low;
        const auto store = [lookup, low](int s) { return lookup[s - low]; };
        if (kernel.high < 32768 && -kernel.low < 32768) {
            std::array<std::int16_t, 9> w16;
            for (int k = 0; k < 9; ++k)
                w16[k] = static_cast<std::int16_t>(kernel.w[k]);
            return ConvolveRows(lines, r, w16, true, store);
        }
        return ConvolveRows(lines, r, kernel.w, true, store);
    }
    return ConvolveRows(lines, r, weights, false,
                        [inverse](float v) { return Clamped(v * inverse); });
}
