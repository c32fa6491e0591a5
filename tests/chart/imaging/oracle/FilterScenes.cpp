// Writes src.png (noise), smooth.png (a smooth picture) and each filter's result on them into the
// folder given: <name>.png as listed in filter_oracles.py.

#include "chart/imaging/Filters.h"
#include "chart/imaging/Resample.h"
#include "platform/graphics/Bitmap.h"

#include <QGuiApplication>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <random>
#include <string>

namespace {

std::string folder;

void Save(TBitmap& b, const std::string& name) {
    b.SaveToFile(folder + "/" + name + ".bmp");
}

void Noise(TBitmap& b) {
    b.SetSize(64, 48);
    b.SetPixelFormat(pf32bit);
    std::mt19937 random(5);
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width() * 4; ++x)
            b.ScanLine(y)[x] = static_cast<std::uint8_t>(random());
}

void Smooth(TBitmap& b) {
    b.SetSize(120, 90);
    b.SetPixelFormat(pf32bit);
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x) {
            std::uint8_t* p = b.ScanLine(y) + 4 * x;
            p[0] = static_cast<std::uint8_t>(128 + 100 * std::sin(x / 9.0));
            p[1] = static_cast<std::uint8_t>(128 + 100 * std::cos(y / 7.0));
            p[2] = static_cast<std::uint8_t>((x + y) % 256);
        }
}

void Filtered(const std::string& name, const std::function<void(TFilterItems&)>& setUp) {
    TBitmap b;
    Noise(b);
    TFilterItems items;
    setUp(items);
    items.ApplyTo(b);
    Save(b, name);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2)
        return 2;
    folder = argv[1];
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication app(argc, argv);
    StartChartImaging();
    TBitmap src;
    Noise(src);
    Save(src, "src");
    Filtered("invert", [](TFilterItems& f) { f.Add<TInvertFilter>(); });
    Filtered("flip", [](TFilterItems& f) { f.Add<TFlipFilter>(); });
    Filtered("reverse", [](TFilterItems& f) { f.Add<TReverseFilter>(); });
    Filtered("rotate90", [](TFilterItems& f) { f.Add<TRotateFilter>()->Angle = 90; });
    Filtered("grey", [](TFilterItems& f) { f.Add<TGrayScaleFilter>()->Method = gmEye; });
    Filtered("blur", [](TFilterItems& f) { f.Add<TBlurFilter>(); });
    Filtered("blur-heavy", [](TFilterItems& f) { f.Add<TBlurFilter>()->Amount = 20; });
    Filtered("sharpen", [](TFilterItems& f) { f.Add<TSharpenFilter>(); });
    Filtered("emboss", [](TFilterItems& f) { f.Add<TEmbossFilter>(); });
    Filtered("soften", [](TFilterItems& f) { f.Add<TSoftenFilter>(); });
    Filtered("gamma", [](TFilterItems& f) { f.Add<TGammaCorrectionFilter>()->Amount = 70; });
    Filtered("mosaic", [](TFilterItems& f) { f.Add<TMosaicFilter>()->Amount = 8; });
    Filtered("hls", [](TFilterItems& f) { f.Add<THueLumSatFilter>()->Luminance = 20; });
    Filtered("tile", [](TFilterItems& f) { f.Add<TTileFilter>()->NumCols = 2; });
    TBitmap smooth;
    Smooth(smooth);
    Save(smooth, "smooth");
    TBitmap down(47, 35, pf32bit);
    ResampleBitmap(smooth, down);
    Save(down, "resampled");
    StopChartImaging();
    return 0;
}
