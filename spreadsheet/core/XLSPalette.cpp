#include "spreadsheet/core/XLSPalette.h"

#include "spreadsheet/core/XLSUtils.h"

#include <algorithm>

namespace {

constexpr TExcelPalette MakeDefault() {
    // Indexes 9 to 63, in the 0x00BBGGRR layout.
    constexpr uint32_t tail[] = {
        0xFFFFFF, 0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF, 0xFF00FF, 0xFFFF00, 0x000080,
        0x008000, 0x800000, 0x008080, 0x800080, 0x808000, 0xC0C0C0, 0x808080, 0xFF9999,
        0x663399, 0xCCFFFF, 0xFFFFCC, 0x660066, 0x8080FF, 0xCC6600, 0xFFCCCC, 0x800000,
        0xFF00FF, 0x00FFFF, 0xFFFF00, 0x800080, 0x000080, 0x808000, 0xFF0000, 0xFFCC00,
        0xFFFFCC, 0xCCFFCC, 0x99FFFF, 0xFFCC99, 0xCC99FF, 0xFF99CC, 0x99CCFF, 0xFF6633,
        0xCCCC33, 0x00CC99, 0x00CCFF, 0x0099FF, 0x0066FF, 0x996666, 0x969696, 0x663300,
        0x669933, 0x003300, 0x003333, 0x003399, 0x663399, 0x993333, 0x333333};
    TExcelPalette palette{};
    for (int i = 0; i < 55; ++i)
        palette[static_cast<size_t>(9 + i)] = tail[i];
    palette[xcAutomatic] = 0x0F000000;
    return palette;
}

constexpr TExcelPalette kDefault = MakeDefault();

} // namespace

TExcelPalette ExcelPalette = kDefault;

const TExcelPalette& DefaultExcelPalette() {
    return kDefault;
}

void ResetExcelPalette() {
    ExcelPalette = kDefault;
}

uint32_t ExcelPaletteColor(int index) {
    return ExcelPalette[static_cast<size_t>(std::clamp(index, 0, 64))];
}

int NearestExcelColor(uint32_t rgb) {
    std::array<uint32_t, 64> first{};
    std::copy_n(ExcelPalette.begin(), 64, first.begin());
    return NearestPaletteColor(rgb, first);
}
