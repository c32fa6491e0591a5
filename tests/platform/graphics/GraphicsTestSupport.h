#pragma once
// Shared helpers of the drawing tests: a bitmap to draw on, pixel probes, and ASCII-art pictures
// of small areas so that a fixture shows the expected pixels at a glance.

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/Color.h"

#include <QImage>

#include <map>
#include <string>

namespace gfxtest {

// A white pfDevice bitmap of the given size.
std::unique_ptr<TBitmap> WhiteBitmap(int width, int height);

// The area as text: one line per row, each pixel the legend's character for its colour, '?' for a
// colour not in the legend. Lines end with '\n'.
std::string Ascii(const QImage& image, const TRect& area, const std::map<TColor, char>& legend);
std::string Ascii(TBitmap& bitmap, const std::map<TColor, char>& legend);

// Strips the leading newline of a raw-string fixture, so that fixtures can start on their own line.
std::string Art(const char* text);

TColor At(const QImage& image, int x, int y);
int Count(const QImage& image, TColor color);
// The bounding box of pixels that differ from the background (all zero when none do).
TRect InkBox(const QImage& image, TColor background);

// Writes image to a PNG named after the running test, for a look when an assertion fails.
std::string Dump(const QImage& image, const std::string& suffix = "");

} // namespace gfxtest
