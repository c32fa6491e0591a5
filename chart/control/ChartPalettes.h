#pragma once
// The named colour palettes a chart can apply. Index 0 is the chart's own default colours;
// indexes 1 to 15 select the fifteen colour tables. The names are the library's message texts,
// so a translated message names its palette.

#include "platform/graphics/Graphics.h"
#include "platform/rtl/Classes.h"

#include <cstdint>
#include <string>
#include <vector>

class TCustomAxisPanel;

constexpr int ColorPaletteCount = 16;

// The palette's name ("" outside 0 .. ColorPaletteCount - 1).
std::string ColorPaletteName(int index);
// The palette's colours (empty for 0 and any index outside the tables).
std::vector<TColor> ColorPaletteColors(int index);
// Gives the chart the palette's colours (the default ones for 0 or an index outside the
// tables), free colours to its series without their own, records the index when the chart is a
// chart control (TCustomChart) and repaints it.
void UsePalette(TCustomAxisPanel& chart, int index);

// The palette names in index order, for editors that offer the palettes. One process-wide list,
// made on first use (the chart control's start makes it) and freed by the chart control's last
// stop; it belongs to the user-interface thread.
class TColorPalettes : public TStringList {
public:
    // The names of palettes 0 .. ColorPaletteCount - 1, each with its index as its object.
    TColorPalettes();

    // Adds to items, with addDefault first "Default" (no object), then every name of the
    // process-wide list with its palette index as the object (PaletteIndexOf reads it back).
    static void FillNames(TStrings& items, bool addDefault);
    // The palette index an object of FillNames stands for.
    static int PaletteIndexOf(const TObject* object) {
        return static_cast<int>(reinterpret_cast<std::intptr_t>(object));
    }
    static TObject* PaletteObject(int index) {
        return reinterpret_cast<TObject*>(static_cast<std::intptr_t>(index));
    }
};

// The process-wide list (made here on first use).
TColorPalettes& ColorPalettes();
// Frees the list (the chart control's last stop).
void FreeColorPalettes();
