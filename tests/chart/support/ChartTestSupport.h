#pragma once
// Shared pieces of the chart drawing tests: the chart library started once, a chart canvas drawing
// straight into a white bitmap, and pixel probes.

#include "chart/draw/PlotCanvas3D.h"
#include "platform/graphics/Bitmap.h"

#include <QImage>

#include <memory>
#include <set>
#include <string>

namespace charttest {

// A white bitmap and a chart canvas drawing into it without buffering.
struct TSurface {
    TSurface(int width, int height);
    TBitmap bitmap;
    TPlotCanvas3D canvas;
    // The pixels, with any drawing in progress finished.
    const QImage& Image();
    TColor At(int x, int y);
};

TColor PixelAt(const QImage& image, int x, int y);
int CountColor(const QImage& image, TColor color);
// Pixels differing from background: their bounding box, Right and Bottom exclusive (all zero
// when none).
TRect InkBox(const QImage& image, TColor background);
// The box of the pixels of one colour.
TRect ColorBox(const QImage& image, TColor color);
std::set<TColor> RowColors(const QImage& image, int y);
// Writes the image to <build>/chart-pictures/<name>.png and answers the path.
std::string SavePicture(const QImage& image, const std::string& name);
// Runs a Python program with /usr/bin/python3 and answers what it printed.
std::string RunPython(const std::string& program);

} // namespace charttest
