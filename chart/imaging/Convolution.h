#pragma once
// The 3 x 3 convolution over 32-bit rows (blue, green, red, a fourth byte left alone).

#include "platform/graphics/Types.h"

#include <array>
#include <cstdint>
#include <vector>

// Convolves the inner pixels of the inclusive rectangle r (already cut to the rows) with the
// weights w0..w8 laid out row by row: each channel becomes round(weighted sum x 1 / sum of the
// weights) in single precision, clamped to 0..255 (a kernel whose weights cancel out is applied
// as it stands). The outermost rows and columns of r keep their values. Kernels whose weights are
// small multiples of a power of two (every blur, sharpen, emboss and soften) sum in integers
// (16 bits wide where the sums fit, so that vector code takes eight at a time), which is exact,
// and read the result from a table. Answers whether any pixel changed.
bool Convolve3x3(const std::vector<std::uint8_t*>& lines, const TRect& r,
                 const std::array<float, 9>& weights);
