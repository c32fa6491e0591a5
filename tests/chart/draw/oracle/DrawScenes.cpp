// Draws the scenes the Python oracles check into PNG files of the folder given on the command line:
//   blend-src.png, blend-dst.png, blend-<p>.png   MixBitmaps of the two at percent p
//   gradient.png                                  the default gradient, 20 x 300
//   shadow.png                                    a red plain shadow at 50 % over black
//   text.png                                      shadowed, outlined and rotated text

#include "chart/draw/ChartPen.h"
#include "chart/draw/DrawLibrary.h"
#include "chart/draw/Gradient.h"
#include "chart/draw/PlotBlend.h"
#include "chart/draw/PlotCanvas3D.h"
#include "chart/draw/PlotFont.h"
#include "chart/draw/Shadow.h"
#include "platform/graphics/Bitmap.h"
#include "tests/support/ProjectFonts.h"

#include <QGuiApplication>
#include <QImage>

#include <cstdio>
#include <random>
#include <string>

namespace {

std::string folder;

void Save(TBitmap& bitmap, const std::string& name) {
    bitmap.Canvas()->Flush();
    bitmap.Image().save(QString::fromStdString(folder + "/" + name + ".png"));
}

// Noise in both pictures, so that every channel value is tried.
void Noise(TBitmap& bitmap, unsigned seed) {
    std::mt19937 random(seed);
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x)
            bitmap.Canvas()->SetPixel(x, y, static_cast<TColor>(random() & 0xFFFFFF));
}

void Blends() {
    TBitmap source(64, 64);
    TBitmap destination(64, 64);
    Noise(source, 1);
    Noise(destination, 2);
    Save(source, "blend-src");
    Save(destination, "blend-dst");
    for (int percent : {0, 10, 25, 50, 73, 100}) {
        TBitmap mixed(64, 64);
        mixed.Assign(destination);
        MixBitmaps(source, mixed, 0, 0, percent);
        Save(mixed, "blend-" + std::to_string(percent));
    }
}

void Gradient() {
    TBitmap bitmap(20, 300);
    TPlotCanvas3D canvas;
    canvas.SetBufferedDisplay(false);
    canvas.BeginDrawing(bitmap.Canvas(), nullptr, false, {0, 0, 20, 300});
    TPlotGradient gradient;
    gradient.Fill(canvas, {0, 0, 20, 300}, 0);
    Save(bitmap, "gradient");
}

void Shadow() {
    TBitmap bitmap(100, 80);
    TPlotCanvas3D canvas;
    canvas.BeginDrawing(bitmap.Canvas(), nullptr, false, {0, 0, 100, 80});
    canvas.ResetAttributes();
    canvas.Brush()->SetColor(clBlack);
    canvas.FillRect({0, 0, 100, 80});
    TPlotShadow shadow;
    shadow.SetSmooth(false);
    shadow.SetColor(clRed);
    shadow.SetSize(8);
    shadow.SetTransparency(50);
    shadow.DrawRectShadow(canvas, {20, 20, 60, 50});
    canvas.FinishDrawing(bitmap.Canvas(), bitmap.Canvas(), {0, 0, 100, 80});
    Save(bitmap, "shadow");
}

void Text() {
    TBitmap bitmap(200, 120);
    TPlotCanvas3D canvas;
    canvas.BeginDrawing(bitmap.Canvas(), nullptr, false, {0, 0, 200, 120});
    canvas.ResetAttributes();
    TPlotFont font;
    font.SetSize(16);
    font.Shadow()->SetSize(2);
    font.Shadow()->SetTransparency(40);
    canvas.SelectFont(&font);
    canvas.Brush()->SetStyle(bsClear); // text leaves its cell's background alone
    canvas.TextOut(10, 10, "Voltage 12,4");
    TPlotFont outlined;
    outlined.SetSize(20);
    outlined.OutLine()->Show();
    outlined.OutLine()->SetColor(clBlue);
    outlined.SetColor(clYellow);
    canvas.SelectFont(&outlined);
    canvas.TextOut(10, 40, "Ab");
    canvas.AngledText(170, 110, "Up", 90);
    canvas.FinishDrawing(bitmap.Canvas(), bitmap.Canvas(), {0, 0, 200, 120});
    Save(bitmap, "text");
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: chart_draw_scenes <folder>\n");
        return 2;
    }
    folder = argv[1];
    UseProjectFontsOnly("chart-fonts");
    QGuiApplication app(argc, argv);
    StartChartLibrary();
    Blends();
    Gradient();
    Shadow();
    Text();
    StopChartLibrary();
    return 0;
}
