#include "controls/paint/FrPatterns.h"

#include "platform/graphics/Canvas.h"

void PaintChecker(TCanvas* canvas, const TRect& r, TColor even, TColor odd) {
    const TColor a = ColorToRGB(even);
    const TColor b = ColorToRGB(odd);
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x)
            canvas->SetPixel(x, y, ((x ^ y) & 1) == 0 ? a : b);
}
