#include "tests/chart/tools/antialias/AntiAliasTestSupport.h"

#include "chart/series/SeriesLibrary.h"
#include "chart/tools/ToolsLibrary.h"
#include "platform/graphics/GraphicsQt_p.h"
#include "tests/chart/support/ChartAppEnvironment.h"

#include <fstream>
#include <iterator>
#include <sstream>

namespace aatest {

namespace {

[[maybe_unused]] ::testing::Environment* const kAntiAlias =
    ::testing::AddGlobalTestEnvironment(new charttest::TChartAppEnvironment(
        "chart-antialias-fonts", "test_chart_tools_antialias",
        [] {
            StartChartSeries();
            StartChartTools();
        },
        [] {
            StopChartTools();
            StopChartSeries();
        }));

} // namespace

TDrawSurface::TDrawSurface(std::unique_ptr<TPlotCanvas3D> canvas, int width, int height,
                           TColor background, bool buffered, TPixelFormat format)
    : canvas_(std::move(canvas)), target_(std::make_unique<TBitmap>(width, height, format)) {
    auto fill = [&](TBitmap& bitmap) {
        bitmap.Canvas()->Brush()->SetColor(background);
        bitmap.Canvas()->FillRect({0, 0, width, height});
    };
    fill(*target_);
    if (buffered) {
        auto buffer = std::make_unique<TBitmap>(width, height, format);
        fill(*buffer);
        canvas_->AdoptBuffer(std::move(buffer));
    }
    canvas_->SetBufferedDisplay(buffered);
    canvas_->BeginDrawing(target_->Canvas(), nullptr, false, {0, 0, width, height});
    canvas_->ResetAttributes();
    UsePen(clBlack);
}

void TDrawSurface::UsePen(TColor color, TPenStyle style, int width) {
    TPen* pen = canvas_->Pen();
    pen->SetColor(color);
    pen->SetStyle(style);
    pen->SetWidth(width);
    canvas_->Brush()->SetStyle(bsClear);
}

TBitmap& TDrawSurface::Bitmap() {
    return canvas_->Buffer() != nullptr ? *canvas_->Buffer() : *target_;
}

QImage TDrawSurface::Image() {
    Bitmap().Canvas()->Flush();
    return TGraphicsQt::Image(Bitmap()).convertToFormat(QImage::Format_RGB32);
}

std::vector<std::uint8_t> TDrawSurface::Rgb() {
    const QImage image = Image();
    std::vector<std::uint8_t> rgb;
    rgb.reserve(static_cast<std::size_t>(image.width()) * image.height() * 3);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = image.pixel(x, y);
            rgb.push_back(static_cast<std::uint8_t>(qRed(c)));
            rgb.push_back(static_cast<std::uint8_t>(qGreen(c)));
            rgb.push_back(static_cast<std::uint8_t>(qBlue(c)));
        }
    return rgb;
}

void WritePpm(const std::string& path, int width, int height,
              const std::vector<std::uint8_t>& rgb) {
    std::ofstream out(path, std::ios::binary);
    out << "P6\n" << width << " " << height << "\n255\n";
    out.write(reinterpret_cast<const char*>(rgb.data()), static_cast<std::streamsize>(rgb.size()));
}

std::vector<std::uint8_t> ReadPpm(const std::string& path, int width, int height) {
    std::ifstream in(path, std::ios::binary);
    std::string magic;
    int w = 0, h = 0, maxValue = 0;
    in >> magic >> w >> h >> maxValue;
    if (!in || magic != "P6" || w != width || h != height || maxValue != 255)
        return {};
    in.get(); // the one white-space character before the pixels
    std::vector<std::uint8_t> rgb(static_cast<std::size_t>(w) * h * 3);
    in.read(reinterpret_cast<char*>(rgb.data()), static_cast<std::streamsize>(rgb.size()));
    if (in.gcount() != static_cast<std::streamsize>(rgb.size()))
        return {};
    return rgb;
}

int DifferingPixels(const QImage& a, const QImage& b) {
    if (a.size() != b.size())
        return -1;
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            n += a.pixel(x, y) != b.pixel(x, y);
    return n;
}

} // namespace aatest
