#pragma once
// The seven textures of the brush editor, made by code: metal, wood and stone of 16 x 16 pixels,
// clouds, grass, fire and snow of 32 x 32, 24 bits each. The same pixels on every run.

#include <memory>

class TBitmap;

constexpr int BrushTextureCount = 7;

// Texture index 0 (metal) to 6 (snow).
std::unique_ptr<TBitmap> MakeBrushTexture(int index);
