#pragma once
// Helpers of the tool-bar tests: a shown form in a colour no control paints with, tool bars and
// buttons on it, mouse messages to windowless buttons through their parent's widget, and
// pictures of what is painted.

#include "controls/toolbar/FrToolbar.h"
#include "tests/controls/support/WindowPixels.h"
#include "tests/support/FormFixture.h"

#include <QImage>

#include <ostream>

inline void PrintTo(const TRect& r, std::ostream* os) {
    *os << '(' << r.Left << ", " << r.Top << ", " << r.Right << ", " << r.Bottom << ')';
}

namespace toolbartest {

constexpr TColor kFormColor = 0x1E8C14;

// The mouse over a control: pressed, moved (button held), let go, at (x, y) of the control.
void Press(TControl* c, int x, int y);
void Move(TControl* c, int x, int y);
void Release(TControl* c, int x, int y);
inline void Click(TControl* c, int x, int y) {
    Press(c, x, y);
    Release(c, x, y);
}
// The control's area of the shown form, once the waiting events have run.
QImage Picture(TForm* form, TControl* c);
inline TColor At(const QImage& image, int x, int y) {
    return controlstest::PixelOf(image, x, y);
}

class ToolbarFixture : public FormFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        form->SetColor(kFormColor);
    }
    TFrToolbar* MakeToolbar() { return Make<TFrToolbar>(); }
    TFrToolButton* AddButton(TFrToolbar* bar, const std::string& name = "") {
        auto* b = new TFrToolButton(form);
        if (!name.empty())
            b->SetName(name);
        b->SetParent(bar);
        return b;
    }
};

} // namespace toolbartest
