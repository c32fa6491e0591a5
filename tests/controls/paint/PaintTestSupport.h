#pragma once
// Helpers of the painter tests: a bitmap filled with a background colour, pictures written as
// text (one letter per pixel, each letter standing for a colour), runs of a colour, and a PNG of
// what was drawn for a look by eye.

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/Color.h"

#include <map>
#include <memory>
#include <string>

namespace painttest {

constexpr TColor kBackground = 0x030201; // a colour no painter uses

std::unique_ptr<TBitmap> Surface(int width, int height, TColor fill = kBackground);

// Compares the bitmap with a picture: rows separated by '\n', '.' for the background, any other
// letter looked up in `legend`. Returns an empty string when they agree, else both pictures
// (the actual one in the legend's letters, '?' for a colour not in it).
std::string Mismatch(TBitmap& bitmap, const std::string& picture,
                     const std::map<char, TColor>& legend);

TColor At(TBitmap& bitmap, int x, int y);
// Lengths of the runs of `color` along row y (or column x).
std::vector<int> RowRuns(TBitmap& bitmap, int y, TColor color);
std::vector<int> ColumnRuns(TBitmap& bitmap, int x, TColor color);
// Saves the bitmap as <test name><suffix>.png in the build's snapshot folder; returns the path.
std::string Snapshot(TBitmap& bitmap, const std::string& suffix = "");

} // namespace painttest
