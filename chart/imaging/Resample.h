#pragma once
// Smooth stretching of bitmaps: two separable passes with a Lanczos-3 (best) or triangle (fast)
// kernel over contributor lists in 10-bit fixed point, edges mirrored.

#include <cstdint>

class TBitmap;

enum TResampleQuality : std::uint8_t { rqBest, rqFast };

// Resamples source into destination at destination's size. Nothing unless both are wider and
// taller than one pixel. Both become 32-bit bitmaps.
void ResampleBitmap(TBitmap& source, TBitmap& destination, TResampleQuality quality = rqBest);

// The kernels, in single precision.
float LanczosWeight(float x);
float TriangleWeight(float x);
// A channel sum in 10-bit fixed point, shifted back and clamped to 0..255.
std::uint8_t ClampChannel(int sum);
