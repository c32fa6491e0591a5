#pragma once
// Helpers of the container tests: a shown form of a colour no control uses, pictures of windowed
// controls taken from their widgets, pixels as colour numbers, and PNG snapshots.

#include "platform/forms/Forms.h"
#include "platform/graphics/Color.h"
#include "tests/controls/support/WindowPixels.h"
#include "tests/support/FormFixture.h"

#include <QImage>

#include <ostream>
#include <string>

// Rectangles in test messages.
inline void PrintTo(const TRect& r, std::ostream* os) {
    *os << '(' << r.Left << ", " << r.Top << ", " << r.Right << ", " << r.Bottom << ')';
}

namespace containerstest {

constexpr TColor kFormColor = 0x1E8C14; // a green no control paints with

// The control as it is painted once the waiting events have run (its whole widget).
QImage Grab(TWinControl* control);
// The pixel at (x, y) as a colour number ($00BBGGRR).
inline TColor At(const QImage& image, int x, int y) {
    return controlstest::PixelOf(image, x, y);
}
// How many pixels of `rect` have `color` (system colours are turned into RGB first).
int CountColor(const QImage& image, const TRect& rect, TColor color);
// The smallest rectangle holding every pixel of `color` in the image; empty when there is none.
TRect BoundsOfColor(const QImage& image, TColor color);
// Saves the picture as <test name><suffix>.png under the build's snapshots/controls folder.
inline std::string Snapshot(const QImage& image, const std::string& suffix = "") {
    return controlstest::SnapshotOf(image, suffix);
}

// A shown form in kFormColor with the application's default font.
class ContainerFixture : public FormFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        form->SetColor(kFormColor);
    }
};

} // namespace containerstest
