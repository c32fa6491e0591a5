#include "GraphicsTestSupport.h"

#include "platform/graphics/GraphicsQt_p.h"
#include "platform/graphics/Snapshot.h"
#include "platform/graphics/Snapshot_p.h"
#include "tests/support/ProjectFonts.h"

#include <gtest/gtest.h>

#include <QGuiApplication>

#include <cstdlib>

namespace {

// Every graphics test runs with a display-less platform, only the project's fonts, and a font
// cache of its own, so that text renders the same on every machine.
class GuiEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        UseProjectFontsOnly("graphics-fonts");
        static int argc = 1;
        static char name[] = "test_platform_graphics";
        static char* argv[] = {name, nullptr};
        if (!QGuiApplication::instance())
            app_ = new QGuiApplication(argc, argv);
    }

private:
    QGuiApplication* app_ = nullptr;
};

[[maybe_unused]] ::testing::Environment* const kGui =
    ::testing::AddGlobalTestEnvironment(new GuiEnvironment);

} // namespace

namespace gfxtest {

std::unique_ptr<TBitmap> WhiteBitmap(int width, int height) {
    return std::make_unique<TBitmap>(width, height);
}

std::string Ascii(const QImage& image, const TRect& area, const std::map<TColor, char>& legend) {
    std::string out;
    for (int y = area.Top; y < area.Bottom; ++y) {
        for (int x = area.Left; x < area.Right; ++x) {
            auto it = legend.find(At(image, x, y));
            out += it == legend.end() ? '?' : it->second;
        }
        out += '\n';
    }
    return out;
}

std::string Ascii(TBitmap& bitmap, const std::map<TColor, char>& legend) {
    return Ascii(TGraphicsQt::Image(bitmap), Rect(0, 0, bitmap.Width(), bitmap.Height()), legend);
}

std::string Art(const char* text) {
    std::string s(text);
    if (!s.empty() && s.front() == '\n')
        s.erase(0, 1);
    return s;
}

TColor At(const QImage& image, int x, int y) {
    QRgb c = image.pixel(x, y);
    return RGB(qRed(c), qGreen(c), qBlue(c));
}

int Count(const QImage& image, TColor color) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += At(image, x, y) == color;
    return n;
}

TRect InkBox(const QImage& image, TColor background) {
    TRect box{image.width(), image.height(), -1, -1};
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (At(image, x, y) != background) {
                box.Left = std::min(box.Left, x);
                box.Top = std::min(box.Top, y);
                box.Right = std::max(box.Right, x + 1);
                box.Bottom = std::max(box.Bottom, y + 1);
            }
        }
    }
    return box.Right < 0 ? TRect{} : box;
}

std::string Dump(const QImage& image, const std::string& suffix) {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = info ? std::string(info->test_suite_name()) + "." + info->name() : "image";
    const char* dir = std::getenv("Q4_SNAPSHOT_DIR");
    if (!dir || !*dir)
        setenv("Q4_SNAPSHOT_DIR", Q4_BINARY_DIR "/graphics-snapshots", 0);
    return SaveSnapshot(image, name + suffix);
}

} // namespace gfxtest
