// The popup panel (placement, what ends it, re-entry, the controls coming back), the spacer,
// and the chevron with its popup of cut-off tool buttons.
#include "ToolbarTestSupport.h"

#include "controls/buttons/FrButton.h"
#include "controls/popup/FrPopupPanel.h"
#include "controls/toolbar/FrSpacer.h"
#include "controls/toolbar/FrToolbarPopupButton.h"
#include "platform/classes/Streaming.h"
#include "platform/forms/PopupWindow.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

#include <map>

namespace {

using namespace toolbartest;

class PopupTest : public ToolbarFixture {
protected:
    void SetUp() override {
        ToolbarFixture::SetUp();
        previous_ = SetPopupLoopHook([this](TWinControl* popup) {
            ++loops_;
            if (inLoop_)
                inLoop_(popup);
            else
                EndPopupLoop(popup);
        });
    }
    void TearDown() override {
        SetPopupLoopHook(previous_);
        ToolbarFixture::TearDown();
    }
    // A popup panel with one button, and an anchor at (x, y) of the work area.
    TFrPopupPanel* PanelAt(int x, int y, TAlignment alignment) {
        const TRect work = Screen->WorkAreaRect();
        form->SetBounds(work.Left + x - 10, work.Top + y - 10, 200, 100);
        anchor_ = Make<TFrButton>();
        anchor_->SetBounds(10, 10, 60, 25);
        auto* panel = Make<TFrPopupPanel>();
        panel->SetAlignment(alignment);
        inside_ = new TFrButton(form);
        inside_->SetBounds(5, 6, 70, 25);
        inside_->SetParent(panel);
        return panel;
    }

    int loops_ = 0;
    std::function<void(TWinControl*)> inLoop_;
    TPopupLoopHook previous_;
    TFrButton* anchor_ = nullptr;
    TFrButton* inside_ = nullptr;
};

TEST_F(PopupTest, OpensUnderItsControlInsideTheWorkArea) {
    const TRect work = Screen->WorkAreaRect();
    TFrPopupPanel* panel = PanelAt(100, 100, taLeftJustify);
    TRect placed;
    inLoop_ = [&](TWinControl* popup) {
        placed = popup->BoundsRect();
        EXPECT_EQ(inside_->Parent(), popup);
        EXPECT_TRUE(panel->PopupOpen());
        EndPopupLoop(popup);
    };
    const TPoint a = anchor_->Parent()->ClientToScreen({10, 10});
    panel->Popup(anchor_);
    EXPECT_EQ(placed, Bounds(a.X, a.Y + 25, 100, 100));
    // Back in the panel where it was.
    EXPECT_EQ(inside_->Parent(), panel);
    EXPECT_EQ(inside_->BoundsRect(), Bounds(5, 6, 70, 25));
    EXPECT_FALSE(panel->PopupOpen());

    // Too close to the right edge: it ends at the edge. Too low: it opens upwards.
    TFrPopupPanel* low = PanelAt(work.Width() - 40, work.Height() - 40, taLeftJustify);
    const TPoint b = anchor_->Parent()->ClientToScreen({10, 10});
    panel = low;
    panel->Popup(anchor_);
    EXPECT_EQ(placed.Right, work.Right);
    EXPECT_EQ(placed.Bottom, b.Y);
}

TEST_F(PopupTest, OutsidePressEndsItAndGoesNowhere) {
    TFrPopupPanel* panel = PanelAt(100, 100, taRightJustify);
    int formPresses = 0;
    form->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { ++formPresses; };
    inLoop_ = [&](TWinControl*) {
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(150, 80), QPointF(150, 80),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(form->Handle(), &press);
    };
    EXPECT_FALSE(panel->Popup(anchor_));
    EXPECT_EQ(formPresses, 0);
    EXPECT_EQ(loops_, 1);
}

TEST_F(PopupTest, EscapeEndsItAndReentryIsRefused) {
    TFrPopupPanel* panel = PanelAt(100, 100, taCenter);
    int popups = 0, closes = 0;
    panel->OnPopup = [&](TObject*) { ++popups; };
    panel->OnClose = [&](TObject*) { ++closes; };
    bool again = true;
    inLoop_ = [&](TWinControl* popup) {
        again = panel->Popup(anchor_); // refused while open, nothing changes
        EXPECT_EQ(inside_->Parent(), popup);
        QKeyEvent key(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(popup->Handle(), &key);
    };
    EXPECT_FALSE(panel->Popup(anchor_));
    EXPECT_FALSE(again);
    EXPECT_EQ(popups, 1);
    EXPECT_EQ(closes, 1);
}

TEST_F(PopupTest, ClosedByThePanelReportsIt) {
    TFrPopupPanel* panel = PanelAt(100, 100, taRightJustify);
    inside_->OnClick = [&](TObject*) { panel->ClosePopup(); };
    inLoop_ = [&](TWinControl*) { inside_->Click(); };
    EXPECT_TRUE(panel->Popup(anchor_));
}

TEST_F(PopupTest, SpacerGroovesAndTurns) {
    auto* spacer = Make<TFrSpacer>();
    spacer->SetBounds(20, 20, 8, 25);
    QImage plain = Picture(form, spacer);
    EXPECT_EQ(At(plain, 3, 5), kFormColor); // nothing painted
    spacer->SetGrooved(true);
    QImage groove = Picture(form, spacer);
    for (int y = 1; y < 25; ++y) {
        EXPECT_EQ(At(groove, 3, y), ColorToRGB(clBtnShadow)) << y;
        EXPECT_EQ(At(groove, 4, y), ColorToRGB(clBtnHighlight)) << y;
    }
    EXPECT_EQ(At(groove, 3, 0), kFormColor);
    spacer->SetOrientation(orVertical);
    EXPECT_EQ(spacer->Width(), 25);
    EXPECT_EQ(spacer->Height(), 8);
    // Read from a description, the stored size stays as it is written.
    const char* text = R"(object SpacerForm: TForm
  Width = 200
  Height = 100
  object spTall: TFrSpacer
    Width = 99
    Height = 8
    Orientation = orVertical
  end
end
)";
    auto* f = new TForm(nullptr);
    ReadComponentDescription(text, f);
    auto* tall = static_cast<TFrSpacer*>(f->FindComponent("spTall"));
    ASSERT_NE(tall, nullptr);
    EXPECT_EQ(tall->Orientation(), orVertical);
    EXPECT_EQ(tall->Width(), 99);
    EXPECT_EQ(tall->Height(), 8);
    f->Free();
}

class ChevronTest : public PopupTest {
protected:
    // A bar 100 wide that does not wrap, with five tool buttons, a push button between them
    // and a spacer: the last two tool buttons and the push button are cut off.
    TFrToolbar* CutOffBar() {
        TFrToolbar* bar = MakeToolbar();
        bar->SetAlign(alNone);
        bar->SetBounds(0, 0, 100, 32);
        bar->SetWrapControls(false);
        for (int i = 0; i < 3; ++i)
            buttons_.push_back(AddButton(bar, "tb" + std::to_string(i)));
        auto* push = new TFrButton(form);
        push->SetBounds(0, 0, 40, 25);
        push->SetParent(bar);
        buttons_.push_back(AddButton(bar, "tb3"));
        auto* spacer = new TFrSpacer(form);
        spacer->SetParent(bar);
        buttons_.push_back(AddButton(bar, "tb4"));
        bar->PositionControls();
        return bar;
    }
    std::vector<TFrToolButton*> buttons_;
};

TEST_F(ChevronTest, ChevronFaceAndGlyph) {
    TFrToolbar* bar = CutOffBar();
    bar->SetVisualStyleAndTell(vsClassic);
    bar->SetColor(clBtnFace);
    TFrToolbarPopupButton* chevron = bar->Chevron();
    ASSERT_NE(chevron, nullptr);
    chevron->SetFrameColor(clBlue);
    chevron->SetHeight(25);
    QImage image = Picture(form, chevron);
    const std::map<char, TColor> legend = {{'#', clBlack}, {'.', clBtnFace}};
    // m = 7, c = 21: the bar on row 16, then 7, 5, 3 and 1 pixels on rows 18 to 21.
    const char* glyph = "#######\n"
                        ".......\n"
                        "#######\n"
                        ".#####.\n"
                        "..###..\n"
                        "...#...";
    EXPECT_EQ(controlstest::PictureMismatch(image, 4, 16, glyph, legend), "");
    EXPECT_EQ(At(image, 0, 0), ColorToRGB(clBlue));
    EXPECT_EQ(At(image, 13, 24), ColorToRGB(clBlue));
    EXPECT_EQ(At(image, 5, 5), ColorToRGB(clBtnFace));
    // Held down: a darker face and the glyph a row lower.
    Press(chevron, 5, 5);
    image = Picture(form, chevron);
    EXPECT_EQ(At(image, 5, 5), ColorToRGB(DarkenColor(clBtnFace, 20)));
    EXPECT_EQ(controlstest::PictureMismatch(image, 4, 17, "#######", {{'#', clBlack}}), "");
    Move(chevron, 40, 5);
    Release(chevron, 40, 5); // let go outside: nothing pops up
    EXPECT_EQ(loops_, 0);
    controlstest::SnapshotOf(image);
}

TEST_F(ChevronTest, PopupShowsOnlyCutOffToolButtonsAndClicksTheChosenOne) {
    TFrToolbar* bar = CutOffBar();
    int clicked = -1;
    for (int i = 0; i < 5; ++i)
        buttons_[i]->OnClick = [&clicked, i](TObject*) { clicked = i; };
    std::vector<TFrToolButton*> mapped;
    inLoop_ = [&](TWinControl* popup) {
        ASSERT_EQ(popup->ControlCount(), 1);
        auto* popupBar = dynamic_cast<TFrToolbar*>(popup->Controls(0));
        ASSERT_NE(popupBar, nullptr);
        for (int i = 0; i < popupBar->ToolbarControls().Count(); ++i) {
            auto* copy =
                dynamic_cast<TFrPopupToolButton*>(popupBar->ToolbarControls().Items(i).Control);
            ASSERT_NE(copy, nullptr);
            mapped.push_back(copy->MappedButton());
        }
        EXPECT_EQ(popupBar->Width(), 25 * 3 + 8);
        // Clicking the second copy closes the popup before the mapped button is clicked.
        auto* second = popupBar->ToolbarControls().Items(1).Control;
        Click(second, 5, 5);
        EXPECT_EQ(clicked, -1);
    };
    TFrToolbarPopupButton* chevron = bar->Chevron();
    ASSERT_NE(chevron, nullptr);
    Press(chevron, 5, 5);
    Move(chevron, 40, 5);
    EXPECT_FALSE(chevron->DrawnDown());
    Move(chevron, 5, 5);
    EXPECT_TRUE(chevron->DrawnDown());
    Release(chevron, 5, 5);
    EXPECT_EQ(loops_, 1);
    ASSERT_EQ(mapped.size(), 2u);
    EXPECT_EQ(mapped[0], buttons_[3]);
    EXPECT_EQ(mapped[1], buttons_[4]);
    EXPECT_EQ(clicked, 4);
}

} // namespace
