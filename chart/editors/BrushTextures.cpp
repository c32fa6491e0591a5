#include "chart/editors/BrushTextures.h"

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

// A small fixed pseudo-random sequence, so that textures look the same on every run.
class TNoise {
public:
    explicit TNoise(std::uint32_t seed) : state_(seed) {}
    int Next(int range) {
        state_ = state_ * 1664525u + 1013904223u;
        return static_cast<int>((state_ >> 16) % static_cast<std::uint32_t>(range));
    }

private:
    std::uint32_t state_;
};

std::uint8_t Clamp(int v) {
    return static_cast<std::uint8_t>(std::clamp(v, 0, 255));
}

struct TTextureRecipe {
    int size;
    int r, g, b;   // base colour
    int spread;    // noise amplitude
    int stripes;   // > 0: bands across the rows of this period
    bool vertical; // gradient from top (fire)
};

constexpr TTextureRecipe kRecipes[BrushTextureCount] = {
    {16, 168, 172, 180, 40, 4, false}, // metal: brushed grey bands
    {16, 150, 96, 48, 30, 5, false},   // wood: brown grain
    {16, 128, 124, 118, 70, 0, false}, // stone: grey speckles
    {32, 120, 170, 235, 60, 0, false}, // clouds: blue with white blots
    {32, 60, 150, 50, 60, 0, false},   // grass
    {32, 240, 120, 20, 50, 0, true},   // fire: red below, yellow above
    {32, 235, 240, 250, 25, 0, false}, // snow
};

} // namespace

std::unique_ptr<TBitmap> MakeBrushTexture(int index) {
    const TTextureRecipe& t = kRecipes[std::clamp(index, 0, BrushTextureCount - 1)];
    auto bitmap = std::make_unique<TBitmap>(t.size, t.size, pf24bit);
    TNoise noise(0x51ED270Bu + static_cast<std::uint32_t>(index) * 7919u);
    TCanvas* canvas = bitmap->Canvas();
    for (int y = 0; y < t.size; ++y)
        for (int x = 0; x < t.size; ++x) {
            int shade = noise.Next(t.spread + 1) - t.spread / 2;
            if (t.stripes > 0)
                shade += static_cast<int>(18 * std::sin(6.2832 * (y + x / 8) / t.stripes));
            int r = t.r + shade, g = t.g + shade, b = t.b + shade;
            if (t.vertical) {
                g = t.g + (t.size - y) * 4 + shade;
                r = t.r + shade / 2;
                b = t.b + shade / 3;
            }
            if (index == 3 && noise.Next(4) == 0) // clouds
                r = g = b = 240 + noise.Next(16);
            canvas->SetPixel(x, y, RGB(Clamp(r), Clamp(g), Clamp(b)));
        }
    return bitmap;
}
