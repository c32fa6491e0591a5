// Prints the colour routines' answers for a 17 x 17 x 17 grid, one line each:
//   "rgb R G B H S L"   colour to hue, saturation, lightness
//   "hsl H S L R G B"   hue, saturation, lightness to colour
// Channel and scale values are 0, 16, 32, ... 240 and the top of the range (255 or 240).

#include "controls/paint/FrColors.h"

#include <cstdio>

namespace {
int GridValue(int i, int top) {
    return i == 16 ? top : i * 16;
}
} // namespace

int main() {
    for (int i = 0; i < 17; ++i)
        for (int j = 0; j < 17; ++j)
            for (int k = 0; k < 17; ++k) {
                const int r = GridValue(i, 255), g = GridValue(j, 255), b = GridValue(k, 255);
                std::uint8_t h, s, l;
                ColorToHueSatLum(RGB(r, g, b), h, s, l);
                std::printf("rgb %d %d %d %d %d %d\n", r, g, b, h, s, l);
            }
    for (int i = 0; i < 17; ++i)
        for (int j = 0; j < 17; ++j)
            for (int k = 0; k < 17; ++k) {
                const int h = i * 15, s = j * 15, l = k * 15;
                const TColor c = HueSatLumToColor(h, s, l);
                std::printf("hsl %d %d %d %d %d %d\n", h, s, l, GetRValue(c), GetGValue(c),
                            GetBValue(c));
            }
    return 0;
}
