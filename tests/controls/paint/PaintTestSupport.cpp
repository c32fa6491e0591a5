#include "PaintTestSupport.h"

#include "platform/forms/Forms.h"
#include "platform/graphics/GraphicsQt_p.h"
#include "platform/graphics/Snapshot.h"
#include "platform/rtl/Files.h"
#include "tests/controls/support/ControlsTestApp.h"
#include "tests/controls/support/RunLengths.h"
#include "tests/controls/support/WindowPixels.h"

#include <gtest/gtest.h>

namespace {
[[maybe_unused]] ::testing::Environment* const kApplication = ::testing::AddGlobalTestEnvironment(
    new controlstest::ApplicationEnvironment("controls-paint-fonts"));
} // namespace

namespace painttest {

std::unique_ptr<TBitmap> Surface(int width, int height, TColor fill) {
    auto bmp = std::make_unique<TBitmap>(width, height, pfDevice);
    bmp->Canvas()->Brush()->SetColor(fill);
    bmp->Canvas()->FillRect(Rect(0, 0, width, height));
    return bmp;
}

TColor At(TBitmap& bitmap, int x, int y) {
    return bitmap.Canvas()->Pixel(x, y);
}

std::string Mismatch(TBitmap& bitmap, const std::string& picture,
                     const std::map<char, TColor>& legend) {
    std::map<char, TColor> colours = legend;
    colours['.'] = kBackground;
    return controlstest::PictureMismatch(TGraphicsQt::Image(bitmap), 0, 0, picture, colours);
}

namespace {
std::vector<int> Runs(TBitmap& bitmap, bool row, int fixed, TColor color) {
    const int n = row ? bitmap.Width() : bitmap.Height();
    return controlstest::RunLengths(n, [&](int i) {
        return (row ? At(bitmap, i, fixed) : At(bitmap, fixed, i)) == ColorToRGB(color);
    });
}
} // namespace

std::vector<int> RowRuns(TBitmap& bitmap, int y, TColor color) {
    return Runs(bitmap, true, y, color);
}

std::vector<int> ColumnRuns(TBitmap& bitmap, int x, TColor color) {
    return Runs(bitmap, false, x, color);
}

std::string Snapshot(TBitmap& bitmap, const std::string& suffix) {
    return controlstest::SnapshotOf(TGraphicsQt::Image(bitmap), suffix);
}

} // namespace painttest
