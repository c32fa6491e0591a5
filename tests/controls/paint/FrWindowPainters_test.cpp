#include "controls/paint/FrBitmaps.h"
#include "controls/paint/FrColors.h"
#include "controls/paint/FrFrames.h"

#include "PaintTestSupport.h"
#include "platform/classes/Properties.h"
#include "platform/forms/Controls.h"
#include "platform/forms/Forms.h"

#include <gtest/gtest.h>

namespace {

using namespace painttest;

// A windowed parent that paints a red square at (10, 10)-(20, 20) on its colour.
class TSquarePanel : public TCustomControl {
    Q4_CLASS(TSquarePanel, TCustomControl)
public:
    explicit TSquarePanel(TComponent* owner) : TCustomControl(owner) {
        SetBounds(0, 0, 60, 40);
        SetColor(clYellow);
    }

protected:
    void Paint() override {
        Canvas()->Brush()->SetColor(clRed);
        Canvas()->FillRect(Rect(10, 10, 20, 20));
    }
};

// A graphic child that counts its invalidations and publishes Transparent.
class TGlassShape : public TGraphicControl {
    Q4_CLASS(TGlassShape, TGraphicControl)
public:
    explicit TGlassShape(TComponent* owner) : TGraphicControl(owner) { SetBounds(0, 0, 10, 10); }
    static void DeclareProperties(TPropertyList& p) {
        p.Add("Transparent", &TGlassShape::transparent_);
    }
    void Invalidate() override {
        ++Invalidations;
        TGraphicControl::Invalidate();
    }
    bool transparent_ = false;
    int Invalidations = 0;
};

TEST(FrWindowPainters, ParentBackgroundUnderAChild) {
    TSquarePanel parent(nullptr);
    TGlassShape child(nullptr);
    child.SetParent(&parent);
    child.SetBounds(5, 5, 20, 20);
    auto bmp = Surface(20, 20);
    PaintParentBackground(&child, bmp->Canvas(), false);
    // The child's (0, 0) is the parent's (5, 5): the square starts at (5, 5) of the child.
    EXPECT_EQ(At(*bmp, 0, 0), clYellow);
    EXPECT_EQ(At(*bmp, 4, 4), clYellow);
    EXPECT_EQ(At(*bmp, 5, 5), clRed);
    EXPECT_EQ(At(*bmp, 14, 14), clRed);
    EXPECT_EQ(At(*bmp, 15, 15), clYellow);
    // A child without a parent draws nothing.
    TGlassShape orphan(nullptr);
    auto untouched = Surface(4, 4);
    PaintParentBackground(&orphan, untouched->Canvas(), true);
    EXPECT_EQ(At(*untouched, 1, 1), kBackground);
    child.SetParent(nullptr);
}

TEST(FrWindowPainters, TransparentChildrenAreInvalidated) {
    TSquarePanel parent(nullptr);
    TGlassShape clear(nullptr), solid(nullptr);
    clear.transparent_ = true;
    clear.SetParent(&parent);
    solid.SetParent(&parent);
    clear.Invalidations = solid.Invalidations = 0;
    InvalidateTransparentChildren(&parent);
    EXPECT_EQ(clear.Invalidations, 1);
    EXPECT_EQ(solid.Invalidations, 0);
    clear.SetParent(nullptr);
    solid.SetParent(nullptr);
}

TEST(FrWindowPainters, GradientHighlightFrameFillsOnlyItsRing) {
    auto bmp = Surface(12, 10);
    PaintGradientHighlightFrame(bmp->Canvas(), Rect(0, 0, 12, 10), gdHorizontalEnd, clBlue, clRed);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 12; ++x) {
            const bool ring = x < 2 || y < 2 || x >= 10 || y >= 8;
            EXPECT_EQ(At(*bmp, x, y) != kBackground, ring) << x << "," << y;
        }
    EXPECT_EQ(At(*bmp, 5, 9), clBlue); // the gradient's stop colour at the bottom
    // Without full colour nothing is drawn.
    const bool before = FullColorSupported;
    FullColorSupported = false;
    auto plain = Surface(12, 10);
    PaintGradientHighlightFrame(plain->Canvas(), Rect(0, 0, 12, 10), gdHorizontalEnd, clBlue,
                                clRed);
    FullColorSupported = before;
    EXPECT_EQ(At(*plain, 0, 0), kBackground);
}

} // namespace

namespace {

class TCountingPanel : public TCustomControl {
    Q4_CLASS(TCountingPanel, TCustomControl)
public:
    explicit TCountingPanel(TComponent* owner) : TCustomControl(owner) { SetBounds(0, 0, 30, 20); }
    void Invalidate() override {
        ++Invalidations;
        TCustomControl::Invalidate();
    }
    int Invalidations = 0;
};

TEST(FrWindowPainters, FrameRedrawOnlyWhenSeen) {
    TCountingPanel hidden(nullptr);
    hidden.Invalidations = 0;
    RedrawNonClientFrame(&hidden); // never shown: nothing to redraw
    EXPECT_EQ(hidden.Invalidations, 0);
    TForm* form = TCustomForm::Create<TForm>(nullptr);
    TCountingPanel shown(nullptr);
    shown.SetParent(form);
    form->Show();
    shown.Invalidations = 0;
    RedrawNonClientFrame(&shown);
    EXPECT_EQ(shown.Invalidations, 1);
    shown.SetParent(nullptr);
    form->Free();
}

} // namespace
