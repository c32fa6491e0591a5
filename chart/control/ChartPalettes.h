#pragma once
// The named colour palettes a chart can apply. Index 0 is the chart's own default colours;
// indexes 1 to 15 select the tables below.

#include "platform/graphics/Graphics.h"

#include <string>
#include <vector>

class TCustomChart;

constexpr int ColorPaletteCount = 16;

// The palette's name ("" outside 0 .. ColorPaletteCount - 1).
std::string ColorPaletteName(int index);
// The palette's colours (empty for 0 and any index outside the tables).
std::vector<TColor> ColorPaletteColors(int index);
// Gives the chart the palette's colours (the default ones for 0 or an index outside the
// tables), free colours to its series without their own, records the index and repaints it.
void UsePalette(TCustomChart& chart, int index);
