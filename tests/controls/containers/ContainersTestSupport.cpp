#include "ContainersTestSupport.h"

#include "controls/containers/ContainerControls.h"
#include "tests/controls/support/ControlsTestApp.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QWidget>

#include <algorithm>

namespace {
[[maybe_unused]] ::testing::Environment* const kApplication = ::testing::AddGlobalTestEnvironment(
    new controlstest::ApplicationEnvironment("controls-containers-fonts", [] {
        // An exception escaping a handler would show a message box; here it fails the test.
        SetMessageBoxHook([](const TMessageBoxRequest& r) {
            ADD_FAILURE() << "message box: " << r.Text;
            return mrOk;
        });
        RegisterContainerControls();
    }));
} // namespace

namespace containerstest {

QImage Grab(TWinControl* control) {
    QCoreApplication::processEvents();
    return controlstest::Grab(control);
}

int CountColor(const QImage& image, const TRect& rect, TColor color) {
    const TColor want = ColorToRGB(color);
    int n = 0;
    for (int y = std::max(0, rect.Top); y < std::min(image.height(), rect.Bottom); ++y)
        for (int x = std::max(0, rect.Left); x < std::min(image.width(), rect.Right); ++x)
            n += At(image, x, y) == want ? 1 : 0;
    return n;
}

TRect BoundsOfColor(const QImage& image, TColor color) {
    const TColor want = ColorToRGB(color);
    TRect r = Rect(image.width(), image.height(), 0, 0);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (At(image, x, y) == want) {
                r.Left = std::min(r.Left, x);
                r.Top = std::min(r.Top, y);
                r.Right = std::max(r.Right, x + 1);
                r.Bottom = std::max(r.Bottom, y + 1);
            }
    if (r.Right <= r.Left)
        return Rect(0, 0, 0, 0);
    return r;
}

} // namespace containerstest
