#include "tests/chart/support/ChartTestSupport.h"

#include "chart/draw/DrawLibrary.h"
#include "platform/graphics/GraphicsQt_p.h"
#include "tests/support/ProjectFonts.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QImage>

namespace {

// The chart tests draw offscreen with the project's fonts, with the chart library started the way
// the program starts it.
class ChartEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        UseProjectFontsOnly("chart-fonts");
        static int argc = 1;
        static char name[] = "test_chart_draw";
        static char* argv[] = {name, nullptr};
        if (!QApplication::instance())
            app_ = new QApplication(argc, argv);
        StartChartLibrary();
    }
    void TearDown() override { StopChartLibrary(); }

private:
    QApplication* app_ = nullptr;
};

[[maybe_unused]] ::testing::Environment* const kChart =
    ::testing::AddGlobalTestEnvironment(new ChartEnvironment);

} // namespace

namespace charttest {

TSurface::TSurface(int width, int height) : bitmap(width, height) {
    canvas.SetBufferedDisplay(false);
    canvas.BeginDrawing(bitmap.Canvas(), nullptr, false, {0, 0, width, height});
    canvas.ResetAttributes();
}

const QImage& TSurface::Image() {
    bitmap.Canvas()->Flush();
    return TGraphicsQt::Image(bitmap);
}

TColor TSurface::At(int x, int y) {
    return PixelAt(Image(), x, y);
}

TColor PixelAt(const QImage& image, int x, int y) {
    QRgb c = image.pixel(x, y);
    return RGB(static_cast<std::uint8_t>(qRed(c)), static_cast<std::uint8_t>(qGreen(c)),
               static_cast<std::uint8_t>(qBlue(c)));
}

int CountColor(const QImage& image, TColor color) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += PixelAt(image, x, y) == color;
    return n;
}

namespace {

template <class Pred> TRect BoxOf(const QImage& image, Pred match) {
    TRect box{image.width(), image.height(), 0, 0};
    bool any = false;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (match(PixelAt(image, x, y))) {
                any = true;
                box.Left = std::min(box.Left, x);
                box.Top = std::min(box.Top, y);
                box.Right = std::max(box.Right, x + 1);
                box.Bottom = std::max(box.Bottom, y + 1);
            }
    return any ? box : TRect{};
}

} // namespace

TRect InkBox(const QImage& image, TColor background) {
    return BoxOf(image, [background](TColor c) { return c != background; });
}

TRect ColorBox(const QImage& image, TColor color) {
    return BoxOf(image, [color](TColor c) { return c == color; });
}

std::set<TColor> RowColors(const QImage& image, int y) {
    std::set<TColor> colors;
    for (int x = 0; x < image.width(); ++x)
        colors.insert(PixelAt(image, x, y));
    return colors;
}

std::string SavePicture(const QImage& image, const std::string& name) {
    const QString dir = QStringLiteral(Q4_BINARY_DIR "/chart-pictures");
    QDir().mkpath(dir);
    const QString path = dir + "/" + QString::fromStdString(name) + ".png";
    image.save(path);
    return path.toStdString();
}

std::string RunPython(const std::string& program) {
    char path[] = "/tmp/q4-chart-oracle-XXXXXX";
    const int fd = mkstemp(path);
    if (fd < 0)
        return {};
    {
        std::ofstream out(path);
        out << program;
    }
    close(fd);
    std::string result;
    if (FILE* pipe = popen((std::string("/usr/bin/python3 ") + path).c_str(), "r")) {
        char buffer[4096];
        std::size_t n;
        while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0)
            result.append(buffer, n);
        pclose(pipe);
    }
    unlink(path);
    return result;
}

} // namespace charttest
