#include "ContainersTestSupport.h"

#include "controls/common/FrBlinkingList.h"
#include "controls/containers/FrPanel.h"
#include "controls/containers/FrStatusPane.h"
#include "controls/paint/FrColors.h"

#include <gtest/gtest.h>

namespace {

using namespace containerstest;

// A pane that counts its paints.
class TCountingPane : public TFrStatusPane {
public:
    explicit TCountingPane(TComponent* owner) : TFrStatusPane(owner) {}
    int Paints = 0;

protected:
    void Paint() override {
        ++Paints;
        TFrStatusPane::Paint();
    }
};

constexpr TColor kHostColor = 0x5A3C1E; // the host panel, under the transparent pane

class FrStatusPaneTest : public ContainerFixture {
protected:
    void SetUp() override {
        ContainerFixture::SetUp();
        host = Make<TFrPanel>();
        host->SetBounds(0, 0, 300, 100);
        host->SetBorderOuter(fsNone);
        host->SetColor(kHostColor);
    }
    template <class T = TFrStatusPane> T* MakePane(int left = 10, int top = 10) {
        auto* pane = new T(form);
        pane->SetParent(host);
        pane->SetLeft(left);
        pane->SetTop(top);
        return pane;
    }
    // The pane's pixels, from its host's picture.
    struct PanePicture {
        QImage image;
        TPoint origin;
        TColor operator()(int x, int y) const { return At(image, origin.X + x, origin.Y + y); }
    };
    PanePicture Picture(TControl* pane) { return {Grab(host), {pane->Left(), pane->Top()}}; }
    static int TextWidthOf(TControl* c, const std::string& text) {
        TCanvas canvas;
        canvas.Font()->Assign(c->Font());
        return canvas.TextWidth(text);
    }

    TFrPanel* host = nullptr;
};

TEST_F(FrStatusPaneTest, TransparentFlatFrameLeavesItsCornersOpen) {
    TFrStatusPane* pane = MakePane();
    EXPECT_EQ(pane->Width(), 100);
    EXPECT_EQ(pane->Height(), 20);
    EXPECT_EQ(pane->Color(), kHostColor); // follows its parent
    const PanePicture p = Picture(pane);
    const TColor flat = ColorToRGB(LightenColor(clBtnShadow, 30));
    EXPECT_EQ(p(0, 0), kHostColor); // outside the frame (border width 1)
    EXPECT_EQ(p(1, 1), kHostColor); // the open corner
    EXPECT_EQ(p(1, 2), flat);
    EXPECT_EQ(p(2, 1), flat);
    EXPECT_EQ(p(98, 17), flat);
    EXPECT_EQ(p(98, 18), kHostColor);
    EXPECT_EQ(p(97, 18), flat);
    EXPECT_EQ(p(50, 10), kHostColor); // neither client area nor text background is filled
}

TEST_F(FrStatusPaneTest, OpaquePaneFillsItselfAndItsTextBackground) {
    TFrStatusPane* pane = MakePane();
    pane->SetTransparent(false);
    pane->SetColor(clYellow);
    EXPECT_FALSE(pane->ParentColor());
    PanePicture p = Picture(pane);
    EXPECT_EQ(p(0, 0), ColorToRGB(clYellow));
    EXPECT_EQ(p(50, 10), ColorToRGB(clYellow)); // the fill colour follows the colour

    pane->SetFillColor(clAqua);
    pane->SetCaption("Готов");
    p = Picture(pane);
    EXPECT_EQ(p(0, 0), ColorToRGB(clYellow));
    EXPECT_EQ(p(95, 10), ColorToRGB(clAqua)); // the caption rectangle
    EXPECT_EQ(p(2, 2), ColorToRGB(clAqua));
    EXPECT_EQ(p(1, 1), ColorToRGB(clYellow));
}

TEST_F(FrStatusPaneTest, CaptionAlignmentAndDisabledColour) {
    TFrStatusPane* pane = MakePane();
    pane->SetWidth(200);
    pane->SetCaption("Версия прошивки");
    const int w = TextWidthOf(pane, "Версия прошивки");
    TRect text = BoundsOfColor(Grab(host), clWindowText);
    ASSERT_FALSE(IsRectEmpty(text));
    // Left: the reference point is the caption rectangle's left + offset + 1 (2 + 2 + 1).
    EXPECT_NEAR(text.Left - pane->Left(), 5, 1);

    pane->SetAlignment(taRightJustify);
    text = BoundsOfColor(Grab(host), clWindowText);
    EXPECT_NEAR(text.Right - pane->Left(), 200 - 5, 2);

    pane->SetAlignment(taCenter);
    text = BoundsOfColor(Grab(host), clWindowText);
    EXPECT_NEAR((text.Left + text.Right) / 2 - pane->Left(), 100, 2);
    EXPECT_NEAR(text.Right - text.Left, w, 2);

    pane->SetEnabled(false);
    QImage disabled = Grab(host);
    EXPECT_EQ(CountColor(disabled, pane->BoundsRect(), clWindowText), 0);
    EXPECT_GT(CountColor(disabled, pane->BoundsRect(), clGrayText), 10);
}

TEST_F(FrStatusPaneTest, AutoSizeFitsTheCaption) {
    TFrStatusPane* pane = MakePane();
    pane->SetAutoSize(true);
    EXPECT_EQ(pane->Width(), 40); // DefaultWidth without a caption
    pane->SetDefaultWidth(55);
    EXPECT_EQ(pane->Width(), 55);
    pane->SetCaption("Подключено к COM3");
    const int w = TextWidthOf(pane, "Подключено к COM3");
    EXPECT_EQ(pane->Width(), w + 2 * 1 + 2 + 6);
    pane->SetBorderWidth(3);
    pane->SetCaptionOffset(5);
    EXPECT_EQ(pane->Width(), w + 2 * 3 + 5 + 6);
    // An "&" is shown as it is, not taken as an accelerator.
    pane->SetCaption("A&B");
    EXPECT_EQ(pane->Width(), TextWidthOf(pane, "A&B") + 17);
    pane->SetAutoSize(false);
    pane->SetCaption("");
    EXPECT_EQ(pane->Width(), TextWidthOf(pane, "A&B") + 17);
}

TEST_F(FrStatusPaneTest, SettingTheSameCaptionDoesNotRepaint) {
    auto* pane = MakePane<TCountingPane>();
    Grab(host);
    pane->SetCaption("Связь");
    Grab(host);
    const int paints = pane->Paints;
    ASSERT_GT(paints, 0);
    pane->SetCaption("Связь");
    host->Update();
    EXPECT_EQ(pane->Paints, paints);
    // The output queue's caption change reaches the pixels.
    pane->SetCaption("Нет связи");
    QImage image = Grab(host);
    EXPECT_GT(pane->Paints, paints);
    EXPECT_GT(CountColor(image, pane->BoundsRect(), clWindowText), 10);
}

// Holds the shared blink timer off for a test that drives the list's ticks itself, so that a
// picture taken meanwhile (which runs the waiting events) never sees a tick of the real timer.
struct ManualBlinking {
    ManualBlinking() {
        TFrBlinkingControlsList::SetIntervalOn(3600000);
        TFrBlinkingControlsList::SetIntervalOff(3600000);
    }
    ~ManualBlinking() {
        TFrBlinkingControlsList::SetIntervalOn(500);
        TFrBlinkingControlsList::SetIntervalOff(500);
    }
};

TEST_F(FrStatusPaneTest, BlinksInStepThroughTheSharedList) {
    ManualBlinking manual;
    TFrStatusPane* a = MakePane();
    TFrStatusPane* b = MakePane(10, 40);
    TFrStatusPane* still = MakePane(10, 70);
    for (TFrStatusPane* p : {a, b, still})
        p->SetCaption("Тревога");
    a->SetBlinking(true);
    b->SetBlinking(true);
    a->SetBlinkColor(clRed);
    b->SetBlinkColor(clRed);
    EXPECT_EQ(a->CurrentTextColor(), clWindowText); // switching on waits for the next tick
    TFrBlinkingControlsList* list = TFrBlinkingControlsList::Instance();
    ASSERT_NE(list, nullptr);
    if (list->BlinkState() == 1)
        list->Tick(); // to the off phase
    EXPECT_EQ(a->CurrentTextColor(), clWindowText);
    list->Tick(); // the on phase: the blink colour, at once
    EXPECT_EQ(a->CurrentTextColor(), clRed);
    EXPECT_EQ(b->CurrentTextColor(), clRed);
    EXPECT_EQ(still->CurrentTextColor(), clWindowText);
    QImage on = Grab(host);
    EXPECT_GT(CountColor(on, a->BoundsRect(), clRed), 10);
    EXPECT_GT(CountColor(on, b->BoundsRect(), clRed), 10);
    EXPECT_EQ(CountColor(on, still->BoundsRect(), clRed), 0);

    // Turning blinking off while the blink colour shows restores the font colour at once.
    a->SetBlinking(false);
    EXPECT_EQ(a->CurrentTextColor(), clWindowText);
    QImage off = Grab(host);
    EXPECT_EQ(CountColor(off, a->BoundsRect(), clRed), 0);
    EXPECT_GT(CountColor(off, a->BoundsRect(), clWindowText), 10);
    list->Tick();
    list->Tick();
    EXPECT_EQ(a->CurrentTextColor(), clWindowText); // no longer told
}

TEST_F(FrStatusPaneTest, BlinkIntervalsAreSharedByEveryBlinkingControl) {
    TFrStatusPane* a = MakePane();
    TFrStatusPane* b = MakePane(10, 40);
    a->SetBlinkIntervalOn(250);
    EXPECT_EQ(b->BlinkIntervalOn(), 250);
    EXPECT_EQ(TFrBlinkingControlsList::IntervalOn(), 250u);
    EXPECT_EQ(GetPropValue(b, "BlinkIntervalOn"), "250");
    SetPropValue(b, "BlinkIntervalOff", "700");
    EXPECT_EQ(a->BlinkIntervalOff(), 700);
    a->SetBlinkIntervalOn(500);
    a->SetBlinkIntervalOff(500);
}

TEST_F(FrStatusPaneTest, FillColorFollowsTheParentUntilSetExplicitly) {
    TFrStatusPane* pane = MakePane();
    EXPECT_EQ(pane->FillColor(), kHostColor);
    host->SetColor(clLime);
    EXPECT_EQ(pane->FillColor(), clLime);
    pane->SetFillColor(clAqua);
    EXPECT_FALSE(pane->ParentFillColor());
    host->SetColor(clSilver);
    EXPECT_EQ(pane->Color(), clSilver);
    EXPECT_EQ(pane->FillColor(), clAqua);
    pane->SetParentFillColor(true);
    EXPECT_EQ(pane->FillColor(), clSilver);
}

TEST_F(FrStatusPaneTest, FontColourChangeAndHintFollowing) {
    TFrStatusPane* pane = MakePane();
    pane->Font()->SetColor(clNavy);
    EXPECT_EQ(pane->CurrentTextColor(), clNavy);
    EXPECT_FALSE(pane->ExecuteHintAction("Сохранить настройки"));
    EXPECT_EQ(pane->Caption(), "");
    pane->SetAutoHint(true);
    EXPECT_TRUE(pane->ExecuteHintAction("Сохранить настройки"));
    EXPECT_EQ(pane->Caption(), "Сохранить настройки");
}

TEST_F(FrStatusPaneTest, CaptionRectangleDependsOnTheFrameStyle) {
    TFrStatusPane* pane = MakePane();
    pane->SetBorderWidth(2);
    const struct {
        TFrameStyle style;
        int inset;
    } cases[] = {{fsNone, 2},   {fsFlat, 3},   {fsStatus, 3},   {fsPopup, 3},
                 {fsGroove, 4}, {fsRaised, 4}, {fsFlatBold, 4}, {fsButtonDown, 4}};
    for (const auto& c : cases) {
        pane->SetFrameStyle(c.style);
        EXPECT_EQ(pane->CaptionRect(), Rect(c.inset, c.inset, 100 - c.inset, 20 - c.inset))
            << c.style;
    }
    // Other styles are drawn with the frame painter inside the border width.
    pane->SetFrameStyle(fsLowered);
    const PanePicture p = Picture(pane);
    EXPECT_EQ(p(2, 2), ColorToRGB(clBtnShadow));
    EXPECT_EQ(p(1, 1), kHostColor);
}

TEST_F(FrStatusPaneTest, FreedPaneLeavesTheBlinkingList) {
    TFrStatusPane* pane = MakePane();
    pane->SetBlinking(true);
    TFrBlinkingControlsList* list = TFrBlinkingControlsList::Instance();
    ASSERT_NE(list, nullptr);
    const int before = list->Count();
    pane->Free();
    if (TFrBlinkingControlsList* now = TFrBlinkingControlsList::Instance())
        EXPECT_EQ(now->Count(), before - 1);
    else
        EXPECT_EQ(before, 1);
}

} // namespace
