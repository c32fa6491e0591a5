// Tool buttons: following the tool bar, groups, the drop-down menu and its re-open guard, and
// the looks per state.
#include "ToolbarTestSupport.h"

#include "platform/forms/Menus.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"

#include <gtest/gtest.h>

#include <QWidget>

#include <cstdint>

namespace {

using namespace toolbartest;

class FrToolButtonTest : public ToolbarFixture {
protected:
    void SetUp() override {
        ToolbarFixture::SetUp();
        previousMenuHook_ = SetPopupMenuHook([this](TPopupMenu* menu, int x, int y) {
            ++menusShown_;
            menuAt_ = {x, y};
            EXPECT_NE(menu->PopupComponent(), nullptr);
            return static_cast<TMenuItem*>(nullptr);
        });
        previousClock_ = TFrToolButton::SetDropDownClock([this] { return now_; });
    }
    void TearDown() override {
        TFrToolButton::SetDropDownClock(previousClock_);
        SetPopupMenuHook(previousMenuHook_);
        ToolbarFixture::TearDown();
    }
    TPopupMenu* MakeMenu() {
        auto* menu = new TPopupMenu(form);
        auto* item = new TMenuItem(menu);
        item->SetCaption("Экспорт в Excel");
        menu->Items()->Add(item);
        return menu;
    }
    // A 16 x 16 image list of one red square on a transparent ground.
    TCustomImageList* Images() {
        if (!images_) {
            images_ = std::make_unique<TCustomImageList>(16, 16);
            TBitmap picture(16, 16, pf24bit);
            picture.Canvas()->Brush()->SetColor(clFuchsia);
            picture.Canvas()->FillRect(Rect(0, 0, 16, 16));
            picture.Canvas()->Brush()->SetColor(clRed);
            picture.Canvas()->FillRect(Rect(4, 4, 12, 12));
            images_->AddMasked(picture, clFuchsia);
        }
        return images_.get();
    }

    int menusShown_ = 0;
    TPoint menuAt_{};
    std::uint64_t now_ = 1000;
    TPopupMenuHook previousMenuHook_;
    TFrDropDownClock previousClock_;
    std::unique_ptr<TCustomImageList> images_;
};

TEST_F(FrToolButtonTest, FollowsTheToolBarUntilSizedByHand) {
    TFrToolbar* bar = MakeToolbar();
    bar->SetButtonWidth(30);
    bar->SetButtonHeight(22);
    TFrToolButton* b = AddButton(bar);
    EXPECT_EQ(b->Width(), 30);
    EXPECT_EQ(b->Height(), 22);
    bar->SetButtonWidth(40);
    EXPECT_EQ(b->Width(), 40);
    b->SetButtonWidth(50);
    EXPECT_FALSE(b->UseToolbarButtonSize());
    bar->SetButtonWidth(25);
    EXPECT_EQ(b->Width(), 50);
    // Switching the flag back picks the bar's size up again.
    b->SetUseToolbarButtonSize(true);
    EXPECT_EQ(b->Width(), 25);
    bar->SetVisualStyleAndTell(vsGradient);
    EXPECT_EQ(b->VisualStyle(), vsGradient);
}

TEST_F(FrToolButtonTest, DropDownStyleWidensAndLeavesGroups) {
    TFrToolbar* bar = MakeToolbar();
    TFrToolButton* b = AddButton(bar);
    b->SetGroupIndex(3);
    b->SetToolStyle(tsDropDown);
    EXPECT_EQ(b->Width(), 39);
    EXPECT_EQ(b->GroupIndex(), 0);
    EXPECT_TRUE(b->UseToolbarButtonSize());
    b->SetGroupIndex(2);
    EXPECT_EQ(b->GroupIndex(), 0);
    b->SetToolStyle(tsButton);
    EXPECT_EQ(b->Width(), 25);
}

TEST_F(FrToolButtonTest, GroupButtonsGoDownOneAtATime) {
    TFrToolbar* bar = MakeToolbar();
    TFrToolButton* a = AddButton(bar);
    TFrToolButton* b = AddButton(bar);
    a->SetGroupIndex(1);
    b->SetGroupIndex(1);
    int clicks = 0;
    b->OnClick = [&](TObject*) { ++clicks; };
    Click(a, 5, 5);
    EXPECT_TRUE(a->Down());
    Click(b, 5, 5);
    EXPECT_TRUE(b->Down());
    EXPECT_FALSE(a->Down());
    EXPECT_EQ(clicks, 1);
    // The down button of a group that may not be all up stays down, and clicks nothing.
    Click(b, 5, 5);
    EXPECT_TRUE(b->Down());
    EXPECT_EQ(clicks, 1);
    // Down needs a group.
    TFrToolButton* loose = AddButton(bar);
    loose->SetDown(true);
    EXPECT_FALSE(loose->Down());
}

TEST_F(FrToolButtonTest, CaptionAcceleratorClicksOrDropsDown) {
    form->Handle()->show(); // accelerators reach only buttons that can be seen
    ASSERT_TRUE(form->Showing());
    TFrToolbar* bar = MakeToolbar();
    TFrToolButton* b = AddButton(bar);
    b->SetCaption("&Стереть");
    int clicks = 0;
    b->OnClick = [&](TObject*) { ++clicks; };
    EXPECT_EQ(b->Perform(CM_DIALOGCHAR, u'с'), 1);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(b->Perform(CM_DIALOGCHAR, u'x'), 0);
    TFrToolButton* menuButton = AddButton(bar);
    menuButton->SetCaption("&Экспорт");
    menuButton->SetToolStyle(tsDropDown);
    menuButton->SetDropDownMenu(MakeMenu());
    menuButton->Perform(CM_DIALOGCHAR, u'Э');
    EXPECT_EQ(menusShown_, 1);
}

TEST_F(FrToolButtonTest, ReleaseOutsideDoesNotClick) {
    TFrToolbar* bar = MakeToolbar();
    TFrToolButton* b = AddButton(bar);
    int clicks = 0;
    b->OnClick = [&](TObject*) { ++clicks; };
    Press(b, 5, 5);
    EXPECT_EQ(b->State(), tbsDown);
    Move(b, 40, 5);
    EXPECT_EQ(b->State(), tbsUp);
    Move(b, 5, 5);
    EXPECT_EQ(b->State(), tbsDown);
    Move(b, 40, 5);
    Release(b, 40, 5);
    EXPECT_EQ(clicks, 0);
    Click(b, 5, 5);
    EXPECT_EQ(clicks, 1);
}

TEST_F(FrToolButtonTest, ArrowPressRightAfterTheMenuClosedDoesNotReopenIt) {
    TFrToolbar* bar = MakeToolbar();
    TFrToolButton* b = AddButton(bar);
    b->SetToolStyle(tsDropDown);
    b->SetDropDownMenu(MakeMenu());
    int clicks = 0, dropDowns = 0;
    b->OnClick = [&](TObject*) { ++clicks; };
    b->OnDropDown = [&](TObject* sender) {
        EXPECT_EQ(sender, b->DropDownMenu());
        ++dropDowns;
    };
    Click(b, 30, 5); // on the arrow part
    EXPECT_EQ(menusShown_, 1);
    EXPECT_EQ(dropDowns, 1);
    const TPoint bottomLeft = bar->ClientToScreen({b->Left(), b->Top() + b->Height()});
    EXPECT_EQ(menuAt_.X, bottomLeft.X);
    EXPECT_EQ(menuAt_.Y, bottomLeft.Y);
    EXPECT_EQ(clicks, 0);
    now_ += 60; // the press that closed the menu
    Click(b, 30, 5);
    EXPECT_EQ(menusShown_, 1);
    now_ += 500;
    Click(b, 30, 5);
    EXPECT_EQ(menusShown_, 2);
    now_ += 101; // past the guard
    Click(b, 30, 5);
    EXPECT_EQ(menusShown_, 3);
    EXPECT_EQ(clicks, 0);
    // The main part clicks, once the first press after a menu (which may have closed it) has
    // been let go.
    now_ += 1000;
    Click(b, 5, 5);
    EXPECT_EQ(clicks, 0);
    Click(b, 5, 5);
    EXPECT_EQ(clicks, 1);
}

TEST_F(FrToolButtonTest, DropDownWithoutAClickHandlerOpensAnywhere) {
    TFrToolbar* bar = MakeToolbar();
    TFrToolButton* b = AddButton(bar);
    b->SetToolStyle(tsDropDown);
    b->SetDropDownMenu(MakeMenu());
    Click(b, 5, 5);
    EXPECT_EQ(menusShown_, 1);
    now_ += 1000;
    int clicks = 0;
    b->OnClick = [&](TObject*) { ++clicks; };
    Click(b, 5, 5); // now the main part is a button; the first press only ends the menu's turn
    Click(b, 5, 5);
    EXPECT_EQ(menusShown_, 1);
    EXPECT_EQ(clicks, 1);
}

TEST_F(FrToolButtonTest, LooksPerState) {
    TFrToolbar* bar = MakeToolbar();
    bar->SetColor(clBtnFace);
    bar->SetImages(Images());
    TFrToolButton* b = AddButton(bar);
    b->SetImageIndex(0);
    QImage idle = Picture(form, b);
    EXPECT_EQ(At(idle, 0, 0), ColorToRGB(clBtnFace)); // flat: no frame at rest
    EXPECT_EQ(At(idle, 24, 24), ColorToRGB(clBtnFace));
    EXPECT_EQ(At(idle, 8, 8), ColorToRGB(clRed)); // the image, centred: (25 - 4 - 16) div 2 + 2
    EXPECT_EQ(At(idle, 7, 7), ColorToRGB(clBtnFace));
    b->Perform(CM_MOUSEENTER);
    QImage hot = Picture(form, b);
    EXPECT_EQ(At(hot, 0, 0), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(At(hot, 24, 24), ColorToRGB(clBtnShadow));
    Press(b, 5, 5);
    QImage pressed = Picture(form, b);
    EXPECT_EQ(At(pressed, 0, 0), ColorToRGB(clBtnShadow));
    EXPECT_EQ(At(pressed, 24, 24), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(At(pressed, 8, 8), ColorToRGB(clBtnFace)); // the image moved one right and down
    EXPECT_EQ(At(pressed, 9, 9), ColorToRGB(clRed));
    Release(b, 5, 5);
    controlstest::SnapshotOf(hot, "-hot");
    controlstest::SnapshotOf(pressed, "-pressed");
    // Down in a group and not under the mouse: the checker of the button face and highlight.
    b->Perform(CM_MOUSELEAVE);
    b->SetGroupIndex(1);
    b->SetDown(true);
    QImage down = Picture(form, b);
    EXPECT_EQ(At(down, 2, 2), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(At(down, 3, 2), ColorToRGB(clBtnFace));
}

TEST_F(FrToolButtonTest, GradientHoverAndDropDownArrow) {
    TFrToolbar* bar = MakeToolbar();
    TFrToolButton* b = AddButton(bar);
    b->SetVisualStyle(vsGradient);
    b->Perform(CM_MOUSEENTER);
    TColor frame, start, stop;
    SelectionGradientColors(gcsSystem, frame, start, stop);
    QImage hot = Picture(form, b);
    EXPECT_EQ(At(hot, 0, 0), ColorToRGB(frame));
    EXPECT_EQ(At(hot, 12, 24), ColorToRGB(frame));
    EXPECT_NE(At(hot, 12, 1), At(hot, 12, 23)); // a gradient inside
    b->Perform(CM_MOUSELEAVE);
    b->SetVisualStyle(vsWinXP);
    b->SetToolStyle(tsDropDown);
    QImage arrow = Picture(form, b);
    const int x = b->Width() - 8, y = b->Height() / 2 + 2;
    EXPECT_EQ(At(arrow, x, y), ColorToRGB(clWindowText));
    EXPECT_EQ(At(arrow, x - 2, y - 2), ColorToRGB(clWindowText));
    EXPECT_EQ(At(arrow, x + 2, y - 2), ColorToRGB(clWindowText));
    EXPECT_NE(At(arrow, x - 1, y), ColorToRGB(clWindowText));
}

} // namespace
