#include "chart/control/ChartPalettes.h"

#include "chart/control/Chart.h"
#include "chart/control/LibraryInstance.h"
#include "chart/draw/ChartMessages.h"

#include <array>
#include <cstdint>
#include <memory>

namespace {

// Each palette's colours as red, green, blue (six hexadecimal digits, 0000FF is pure blue).
using TPaletteTable = std::vector<std::uint32_t>;

const std::array<TPaletteTable, ColorPaletteCount>& Tables() {
    static const std::array<TPaletteTable, ColorPaletteCount> tables = {{
        {},
        {0x9999FF, 0x993366, 0xFFFFCC, 0xCCFFFF, 0x660066, 0xFF8080, 0x0066CC, 0xCCCCFF,
         0x000080, 0xFF00FF, 0xFFFF00, 0x00FFFF, 0x800080, 0x800000, 0x008080, 0x0000FF,
         0x00CCFF, 0xCCFFFF, 0xCCFFCC, 0xFFFF00, 0x99CCFF, 0xFF99CC},
        {0x5DA5A1, 0xC45331, 0xE79609, 0xF6E84A, 0xB1A2A7, 0xC9A784, 0x8C7951, 0xD8CDB7, 0x086553,
         0xF7D87B, 0x016484},
        {0xCCFFFF, 0xFFFFCC, 0xCCCCFF, 0x00CCCC, 0xCCCCCC, 0x009999, 0x999999, 0xFFCCCC, 0xFFCC66,
         0xCCCCFF, 0xFF9999, 0xFFFF99, 0x99CCFF, 0xCCFFCC},
        {0x0000FF, 0xFF0000, 0x00FF00, 0xFFCC00, 0x404040, 0xFFFF00, 0xFF00C0, 0xFFFFFF},
        {0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0x000080, 0x008000, 0x008080,
         0x800000, 0x800080, 0x808000},
        {0xFFA500, 0x0000CE, 0x00CE00, 0xFFFF40, 0x40FFFF, 0xFF40FF, 0xFF4000, 0x8080A5, 0x808040},
        {0xFF9966, 0xFF6666, 0x99CCFF, 0x669966, 0xCCCC99, 0x9966CC, 0xCC6666, 0xFFCC99, 0x9966FF,
         0xCCCCCC, 0x66FFCC, 0x6699FF, 0x996699, 0xCCCCFF},
        {0x990000, 0xC30000, 0xEE0000, 0xFF1A00, 0xFF4600, 0xFF7300, 0xFF9F00, 0xFFCB00, 0xFFF700,
         0xE3F408, 0xC3E711, 0xA3DA1B, 0x83CD25, 0x63C02E, 0x42B338, 0x22A642, 0x029A4B, 0x0C876A,
         0x1A758A, 0x2863AA, 0x3650CB, 0x443EEB, 0x612AFF, 0x9615FF, 0xCC00FF},
        {0x829BFE, 0xFCD124, 0x7CBC0D, 0xFD852F, 0xFDFEFC, 0xE24E21, 0x2938D6, 0xB79400, 0x5A8600,
         0xD24600, 0xD3E5FA, 0xD8D8D8, 0x5F717B},
        {0xFFFFFF, 0xFCF305, 0xFF6402, 0xDD0806, 0xF20884, 0x4600A5, 0x0000D4, 0x02ABEA, 0x1FB714,
         0x006411, 0x562C05, 0x90713A, 0xC0C0C0, 0x808080, 0x404040, 0x000000},
        {0x001FD2, 0xE00201, 0x1E6602, 0xE8CD7E, 0xAFABAC, 0xA4D0D9, 0x3D3B3C, 0x95DD31, 0x9E0001,
         0xDCF774, 0x45FDFD, 0xD18E74, 0xA0D891, 0xD57A65, 0x9695D9},
        {0xF0F0F0, 0xE0E0E0, 0xD0D0D0, 0xC0C0C0, 0xB0B0B0, 0xA0A0A0, 0x909090, 0x808080, 0x707070,
         0x606060, 0x505050, 0x404040, 0x303030, 0x202020, 0x101010},
        {0x4466A3, 0xF39C35, 0xF14C14, 0x4E97A8, 0x2B406B, 0x1D7B63, 0xB3080E, 0xF2C05D, 0x5DB79E,
         0x707070, 0xF3EA8D, 0xB4B4B4},
        {0xF3EA8D, 0xF2C05D, 0xF39C35, 0xF5811C, 0xF36B15, 0xF14C14, 0xE6180A, 0xB3080E},
        {0x2B406B, 0x3B548C, 0x4466A3, 0x4E97A8, 0x5DB79E, 0x41A08A, 0x2B927D, 0x1D7B63},
    }};
    return tables;
}

TLibraryInstance<TColorPalettes> instance;

bool Known(int index) {
    return index >= 0 && index < ColorPaletteCount;
}

} // namespace

std::string ColorPaletteName(int index) {
    return Known(index) ? ChartMsg(msgPaletteFirst + index) : "";
}

std::vector<TColor> ColorPaletteColors(int index) {
    std::vector<TColor> colors;
    if (!Known(index))
        return colors;
    for (std::uint32_t rgb : Tables()[static_cast<std::size_t>(index)])
        colors.push_back(RGB(static_cast<std::uint8_t>(rgb >> 16),
                             static_cast<std::uint8_t>(rgb >> 8), static_cast<std::uint8_t>(rgb)));
    return colors;
}

void UsePalette(TCustomAxisPanel& chart, int index) {
    chart.SetColorPalette(ColorPaletteColors(index));
    chart.AssignFreeColors();
    if (auto* control = dynamic_cast<TCustomChart*>(&chart))
        control->SetColorPaletteIndex(index);
    chart.Invalidate();
}

TColorPalettes::TColorPalettes() {
    for (int i = 0; i < ColorPaletteCount; ++i)
        AddObject(ColorPaletteName(i), PaletteObject(i));
}

void TColorPalettes::FillNames(TStrings& items, bool addDefault) {
    if (addDefault)
        items.Add(ChartMsg(msgPaletteDefault));
    const TColorPalettes& names = ColorPalettes();
    for (int i = 0; i < names.Count(); ++i)
        items.AddObject(names[i], PaletteObject(i));
}

TColorPalettes& ColorPalettes() {
    return instance.Get();
}

void FreeColorPalettes() {
    instance.Free();
}
