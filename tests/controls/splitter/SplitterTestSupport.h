#pragma once
// Helpers of the splitter tests: a shown form, splitters on it, the mouse held and moved over a
// splitter's widget, and pictures of what it paints.

#include "controls/splitter/FrSplitter.h"
#include "tests/controls/support/WindowPixels.h"
#include "tests/support/FormFixture.h"

#include <QImage>

#include <ostream>

inline void PrintTo(const TRect& r, std::ostream* os) {
    *os << '(' << r.Left << ", " << r.Top << ", " << r.Right << ", " << r.Bottom << ')';
}

namespace splittertest {

// The mouse moved to (x, y) of the control's widget with the left button held.
void DragTo(TWinControl* c, int x, int y);
// The left button pressed and let go at (x, y) of the control's widget.
void ClickOn(TWinControl* c, int x, int y);
// The control's widget as it is painted once the waiting events have run.
QImage Grab(TWinControl* control);
inline TColor At(const QImage& image, int x, int y) {
    return controlstest::PixelOf(image, x, y);
}

class SplitterFixture : public FormFixture {
protected:
    // A splitter on the form, without frames, at (0, 0).
    TFrSplitter* MakeSplitter(int width, int height, TOrientation orientation = orHorizontal) {
        auto* s = Make<TFrSplitter>();
        s->SetBounds(0, 0, width, height);
        s->SetOrientation(orientation);
        return s;
    }
};

} // namespace splittertest
