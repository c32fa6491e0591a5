// The splitter's arithmetic: position, percent and margins, hidden and fixed panes, the veto of
// OnChanging, and nested splitters through a resize.
#include "SplitterTestSupport.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

using namespace splittertest;

class FrSplitterTest : public SplitterFixture {};

TEST_F(FrSplitterTest, PercentPlacesTheBarOnTheShareOfTheSize) {
    TFrSplitter* s = MakeSplitter(1130, 300);
    s->SetSplitterWidth(7);
    s->SetUsePercent(true);
    s->SetPercent(16);
    EXPECT_EQ(s->Position(), 180); // round(16 / 100 x 1127)
    EXPECT_EQ(s->UpperLeftPane()->BoundsRect(), Rect(0, 0, 180, 300));
    EXPECT_EQ(s->BarRect(), Rect(180, 0, 187, 300));
    EXPECT_EQ(s->LowerRightPane()->BoundsRect(), Rect(187, 0, 1130, 300));
    // The percent follows a position set in pixels.
    s->SetPosition(563);
    EXPECT_EQ(s->Percent(), 50);
}

TEST_F(FrSplitterTest, MarginsKeepTheBarInside) {
    TFrSplitter* s = MakeSplitter(400, 100);
    s->SetMarginMin(50);
    s->SetMarginMax(50);
    const struct {
        int requested, expected;
    } cases[] = {{10, 50}, {390, 346}, {200, 200}, {-5, 50}, {INT_MAX, 346}};
    for (const auto& c : cases) {
        s->SetPosition(c.requested);
        EXPECT_EQ(s->Position(), c.expected) << c.requested;
    }
    // The border thickness (the left and the top frame, 2 + 2 px for a raised one) counts twice
    // against the far end.
    s->SetBorderOuterAndLayout(fsRaised);
    s->SetPosition(390);
    EXPECT_EQ(s->Position(), 338);
    EXPECT_EQ(s->UpperLeftPane()->BoundsRect(), Rect(2, 2, 340, 98));
    // Margins never add up to more than the size.
    s->SetMarginMin(300);
    EXPECT_EQ(s->MarginMin(), 300);
    s->SetMarginMax(300);
    EXPECT_EQ(s->MarginMax(), 100);
}

TEST_F(FrSplitterTest, PercentMarginsFollowThePercentLimits) {
    TFrSplitter* s = MakeSplitter(404, 100);
    s->SetUsePercent(true);
    s->SetPercentMin(10);
    s->SetPercentMax(80);
    EXPECT_EQ(s->MarginMin(), 40);        // round(0.1 x 402)
    EXPECT_EQ(s->MarginMax(), 402 - 322); // 402 - round(0.8 x 402)
    s->SetPercentMin(-5);
    EXPECT_EQ(s->PercentMin(), 0);
    s->SetPercentMax(150);
    EXPECT_EQ(s->PercentMax(), 100);
}

TEST_F(FrSplitterTest, HiddenPaneGivesTheOtherTheWholeArea) {
    TFrSplitter* s = MakeSplitter(400, 100);
    s->SetPosition(150);
    s->UpperLeft()->SetVisible(false);
    EXPECT_EQ(s->LowerRightPane()->BoundsRect(), Rect(0, 0, 400, 100));
    EXPECT_EQ(s->BarRect().Width(), 0);
    // The position check is off while a pane is hidden ...
    s->SetPosition(1000);
    EXPECT_EQ(s->Position(), 1000);
    EXPECT_EQ(s->LowerRightPane()->BoundsRect(), Rect(0, 0, 400, 100));
    // ... and applies again once the pane shows: no pane beyond the splitter.
    s->UpperLeft()->SetVisible(true);
    EXPECT_EQ(s->Position(), 396);
    EXPECT_EQ(s->UpperLeftPane()->BoundsRect(), Rect(0, 0, 396, 100));
    EXPECT_EQ(s->LowerRightPane()->BoundsRect(), Rect(400, 0, 400, 100));

    s->LowerRight()->SetVisible(false);
    EXPECT_EQ(s->UpperLeftPane()->BoundsRect(), Rect(0, 0, 400, 100));
    EXPECT_EQ(s->LowerRightPane()->Width(), 0);
}

TEST_F(FrSplitterTest, HotSpotClosedTowardsTheMaximumWithAHiddenPaneStaysInRange) {
    TFrSplitter* s = MakeSplitter(20, 100);
    s->LowerRight()->SetVisible(false);
    s->SetPosition(INT_MAX); // the far end of a hot spot closed towards the maximum
    EXPECT_EQ(s->Position(), INT_MAX);
    EXPECT_EQ(s->Percent(), INT_MAX); // INT_MAX / 18 x 100, computed in doubles and clamped
    s->LowerRight()->SetVisible(true);
    EXPECT_EQ(s->Position(), 16);
    EXPECT_GE(s->LowerRightPane()->Width(), 0);
}

TEST_F(FrSplitterTest, SplitterSmallerThanItsMarginsLeavesNoNegativePane) {
    TFrSplitter* s = MakeSplitter(400, 100);
    s->SetMarginMin(150);
    s->SetMarginMax(150);
    s->SetWidth(100);
    // The upper bound wins over the lower one (the position may go below zero) ...
    s->SetPosition(120);
    EXPECT_LT(s->Position(), 0);
    // ... but no pane gets a negative size.
    EXPECT_GE(s->UpperLeftPane()->Width(), 0);
    EXPECT_GE(s->LowerRightPane()->Width(), 0);
    EXPECT_LE(s->LowerRightPane()->Left() + s->LowerRightPane()->Width(), 100);
}

TEST_F(FrSplitterTest, FixedPaneKeepsItsSizeThroughAResize) {
    TFrSplitter* s = MakeSplitter(400, 100);
    s->SetPosition(300);
    s->SetFixedPane(fpLowerRight);
    s->SetWidth(500);
    EXPECT_EQ(s->Position(), 400);
    EXPECT_EQ(s->LowerRightPane()->Width(), 96);
    // The upper-left pane keeps its size by default; the bar returns to where the user put it
    // once there is room again.
    TFrSplitter* t = MakeSplitter(400, 100);
    t->SetPositionAndRemember(300);
    t->SetWidth(200);
    EXPECT_EQ(t->Position(), 196);
    t->SetWidth(500);
    EXPECT_EQ(t->Position(), 300);
}

TEST_F(FrSplitterTest, PercentFixedPaneAndUsePercentSwitchEachOther) {
    TFrSplitter* s = MakeSplitter(400, 100);
    s->SetPercent(30);
    EXPECT_TRUE(s->UsePercent());
    EXPECT_EQ(s->Position(), 119); // round(0.3 x 398)
    s->SetFixedPane(fpLowerRight);
    EXPECT_FALSE(s->UsePercent());
    s->SetUsePercent(true);
    EXPECT_EQ(s->FixedPane(), fpUpperLeft);
    // The percent keeps its share through a resize.
    s->SetWidth(802);
    EXPECT_EQ(s->Position(), 240);
}

TEST_F(FrSplitterTest, RefusedChangeLeavesEverythingAsItWas) {
    TFrSplitter* s = MakeSplitter(400, 100);
    s->SetPosition(120);
    const int percent = s->Percent();
    int changes = 0, asked = 0, offered = 0;
    s->OnChange = [&](TObject*) { ++changes; };
    s->OnChanging = [&](TObject* sender, int newPos, bool& allow) {
        EXPECT_EQ(sender, s);
        offered = newPos;
        ++asked;
        allow = false;
    };
    s->SetPosition(500);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(offered, 396); // the handler is offered the checked position
    EXPECT_EQ(s->Position(), 120);
    EXPECT_EQ(s->Percent(), percent);
    EXPECT_EQ(s->UpperLeftPane()->Width(), 120);
    EXPECT_EQ(changes, 0);
    s->OnChanging = nullptr;
    s->SetPosition(200);
    EXPECT_EQ(changes, 1);
}

TEST_F(FrSplitterTest, OrientationTurnsTheLayout) {
    TFrSplitter* s = MakeSplitter(300, 200);
    s->SetPosition(80);
    s->SetOrientation(orVertical);
    EXPECT_EQ(s->UpperLeftPane()->BoundsRect(), Rect(0, 0, 300, 80));
    EXPECT_EQ(s->BarRect(), Rect(0, 80, 300, 84));
    EXPECT_EQ(s->LowerRightPane()->BoundsRect(), Rect(0, 84, 300, 200));
    // A bar style other than the standard one needs 6 pixels, a hot spot 7.
    s->SetSplitterStyle(ssGroove);
    EXPECT_EQ(s->SplitterWidth(), 6);
    s->SetHotSpotVisible(true);
    EXPECT_EQ(s->SplitterWidth(), 7);
    EXPECT_EQ(s->LowerRightPane()->Top(), 87);
}

TEST_F(FrSplitterTest, NestedSplittersKeepTheirPlacesThroughAResize) {
    // The main window's two splitters: 540 px down, and 16 % across in the upper pane.
    TFrSplitter* outer = MakeSplitter(1130, 800, orVertical);
    outer->SetSplitterWidth(7);
    outer->SetPositionAndRemember(540);
    auto* inner = new TFrSplitter(form);
    inner->SetParent(outer->UpperLeftPane());
    inner->SetAlign(alClient);
    inner->SetSplitterWidth(7);
    inner->SetUsePercent(true);
    inner->SetPercent(16);
    EXPECT_EQ(inner->Width(), 1130);
    EXPECT_EQ(inner->Position(), 180);

    outer->SetBounds(0, 0, 1400, 900);
    EXPECT_EQ(outer->Position(), 540);
    EXPECT_EQ(inner->Height(), 540);
    EXPECT_EQ(inner->Percent(), 16);
    EXPECT_EQ(inner->Position(), 224); // round(0.16 x 1397)
    outer->SetBounds(0, 0, 800, 600);
    EXPECT_EQ(outer->Position(), 540);
    EXPECT_EQ(inner->Position(), 128); // round(0.16 x 797)
    // Moving the outer bar lays the inner splitter out again.
    outer->SetPosition(300);
    EXPECT_EQ(inner->Height(), 300);
    EXPECT_EQ(inner->LowerRightPane()->Height(), 300);
}

} // namespace
