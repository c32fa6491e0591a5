#pragma once
// Library-wide settings of the drawing layer and its explicit start-up and shut-down. The program
// calls StartChartLibrary before its first window and StopChartLibrary after its last; starts
// nest, and only the first start and the last stop do anything.

#include <functional>
#include <string>

class TBitmap;
class TCustomPlotGradient;

// The default chart font, set at start-up from the message table ("Arial", 8; on a Japanese
// desktop 9 and the Japanese proportional Gothic font).
const std::string& DefaultChartFontName();
int DefaultChartFontSize();

// Pens wider than one pixel are realised as geometric pens with the chart pen's line ends.
extern bool ExtendedPensAllowed;
// When set, a one-pixel pen of a dashed style becomes a cosmetic pen (width 0).
extern bool CosmeticDashedPens;
// Mixing bitmaps with the constant-alpha blend (true) or the per-channel integer formula.
extern bool UseAlphaBlendMixing;

// Turns a gradient's bitmap by the gradient's angle; installed by the image filters at their
// start-up. Without it rotated gradients are drawn unrotated.
using TGradientRotateHook = std::function<void(const TCustomPlotGradient&, TBitmap&)>;
TGradientRotateHook& GradientRotateHook();
// Blurs the rectangle (left, top, right, bottom inclusive) of a bitmap with the given number of
// steps; installed by the image filters. Without it text shadows stay sharp.
using TBlurHook =
    std::function<void(TBitmap&, int left, int top, int right, int bottom, int steps)>;
TBlurHook& ShadowBlurHook();

// The user's desktop language is Japanese (the locale variables name "ja").
bool UserLanguageIsJapanese();

// The drawing layer's own start and stop (the default font; the switches above).
void StartChartDrawing();
void StopChartDrawing();

// The library in start-up order: the message table, then the drawing layer; stopped in reverse.
void StartChartLibrary();
void StopChartLibrary();
