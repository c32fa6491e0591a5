// Chart texts in the HTML subset from outside (a title typed by the user or read from a form):
// each either measures and draws, or raises an ordinary error. Nothing is read past a tag's end.

#include "chart/draw/DrawLibrary.h"
#include "chart/draw/PlotCanvas3D.h"
#include "chart/draw/TaggedText.h"
#include "platform/graphics/Bitmap.h"
#include "platform/rtl/Exception.h"

#include <QGuiApplication>

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static QGuiApplication app(*argc, *argv);
    StartChartLibrary();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    TBitmap bitmap(200, 100);
    TPlotCanvas3D canvas;
    canvas.SetBufferedDisplay(false);
    canvas.BeginDrawing(bitmap.Canvas(), nullptr, false, {0, 0, 200, 100});
    canvas.ResetAttributes();
    try {
        MeasureTaggedText(canvas, text);
        DrawTaggedText(canvas, 5, 5, text);
    } catch (const Exception&) {
    }
    return 0;
}
