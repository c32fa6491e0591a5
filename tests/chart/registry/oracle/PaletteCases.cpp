// Prints every palette as the chart stores it: "index<TAB>name<TAB>colour colour ...", each
// colour as the eight hexadecimal digits of its stored value.

#include "chart/control/ChartPalettes.h"
#include "chart/draw/ChartMessages.h"

#include <cstdio>

int main() {
    StartChartMessages();
    for (int index = -1; index <= ColorPaletteCount; ++index) {
        std::printf("%d\t%s\t", index, ColorPaletteName(index).c_str());
        const char* separator = "";
        for (TColor color : ColorPaletteColors(index)) {
            std::printf("%s%08X", separator, static_cast<unsigned>(color));
            separator = " ";
        }
        std::printf("\n");
    }
    StopChartMessages();
    return 0;
}
