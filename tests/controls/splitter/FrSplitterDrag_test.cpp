// Dragging the bar, Escape, the hot spot, cursors and the bar's pictures.
#include "SplitterTestSupport.h"

#include "controls/splitter/FrDragOutline.h"

#include <gtest/gtest.h>

#include <QWidget>

#include <map>

namespace {

using namespace splittertest;

class FrSplitterDragTest : public SplitterFixture {
protected:
    // The main window's upper splitter: panes above and below, the bar at y 100.
    TFrSplitter* VerticalWithHotSpot(THotSpotDirection direction) {
        TFrSplitter* s = MakeSplitter(400, 300, orVertical);
        s->SetHotSpotVisible(true);
        s->SetHotSpotDirection(direction);
        s->SetPositionAndRemember(100);
        return s;
    }
};

TEST_F(FrSplitterDragTest, DragMovesAnOutlineAndReleaseApplies) {
    TFrSplitter* s = MakeSplitter(400, 300, orVertical);
    s->SetLeft(10);
    s->SetPositionAndRemember(100);
    int changes = 0;
    s->OnChange = [&](TObject*) { ++changes; };
    FormFixture::PressAt(s, 50, 102);
    ASSERT_TRUE(s->Dragging());
    ASSERT_NE(s->DragOutline(), nullptr);
    EXPECT_EQ(s->DragOutline()->Parent(), form);
    EXPECT_EQ(s->DragOutline()->BoundsRect(), Rect(10, 100, 410, 104));
    DragTo(s, 50, 132);
    EXPECT_EQ(s->DragOutline()->BoundsRect(), Rect(10, 130, 410, 134));
    EXPECT_EQ(s->Position(), 100); // the bar waits for the release
    EXPECT_EQ(changes, 0);
    FormFixture::ReleaseAt(s, 50, 132);
    EXPECT_FALSE(s->Dragging());
    EXPECT_EQ(s->DragOutline(), nullptr);
    EXPECT_EQ(s->Position(), 130);
    EXPECT_EQ(s->ManualPosition(), 130);
    EXPECT_EQ(s->LowerRightPane()->Top(), 134);
    EXPECT_EQ(changes, 1);
}

TEST_F(FrSplitterDragTest, RealTimeDragMovesTheBarItself) {
    TFrSplitter* s = MakeSplitter(400, 300);
    s->SetRealTimeDrag(true);
    FormFixture::PressAt(s, 101, 50);
    EXPECT_EQ(s->DragOutline(), nullptr);
    DragTo(s, 141, 50);
    EXPECT_EQ(s->Position(), 140);
    FormFixture::ReleaseAt(s, 141, 50);
    EXPECT_EQ(s->Position(), 140);
}

TEST_F(FrSplitterDragTest, EscapeCancelsTheDragAndFreesTheOutline) {
    TFrSplitter* s = MakeSplitter(400, 300, orVertical);
    s->SetPositionAndRemember(100);
    FormFixture::PressAt(s, 50, 102);
    DragTo(s, 50, 132);
    SendKey(s->Handle(), Qt::Key_Escape);
    EXPECT_FALSE(s->Dragging());
    EXPECT_EQ(s->DragOutline(), nullptr);
    EXPECT_EQ(s->Position(), 100);
    // The release that follows changes nothing.
    FormFixture::ReleaseAt(s, 50, 132);
    EXPECT_EQ(s->Position(), 100);
}

TEST_F(FrSplitterDragTest, RefusedPositionKeepsTheOutlineWhereItIs) {
    TFrSplitter* s = MakeSplitter(400, 300, orVertical);
    s->SetPositionAndRemember(100);
    s->OnChanging = [](TObject*, int newPos, bool& allow) { allow = newPos < 120; };
    FormFixture::PressAt(s, 50, 102);
    DragTo(s, 50, 112);
    EXPECT_EQ(s->DragOutline()->Top(), 110);
    DragTo(s, 50, 152);
    EXPECT_EQ(s->DragOutline()->Top(), 110);
    FormFixture::ReleaseAt(s, 50, 152);
    EXPECT_EQ(s->Position(), 110);
}

TEST_F(FrSplitterDragTest, HotSpotOfBothDirectionsClosesTowardsTheHalfClicked) {
    TFrSplitter* s = VerticalWithHotSpot(hsdBoth);
    EXPECT_EQ(s->HotSpotRect(), Rect(120, 100, 280, 107));
    int clicks = 0;
    s->OnHotSpotClick = [&](TObject*) { ++clicks; };
    FormFixture::ClickAt(s, 150, 103); // the left half
    EXPECT_EQ(s->Position(), 0);
    EXPECT_TRUE(s->HotSpotClosed());
    EXPECT_TRUE(s->HotSpotClosedToMin());
    EXPECT_EQ(s->HotSpotPosition(), 100);
    EXPECT_EQ(clicks, 1);
    FormFixture::ClickAt(s, 250, 3); // anywhere on the hot spot, now at the top
    EXPECT_EQ(s->Position(), 100);
    EXPECT_FALSE(s->HotSpotClosed());
    FormFixture::ClickAt(s, 250, 103); // the right half
    EXPECT_TRUE(s->HotSpotClosedToMax());
    EXPECT_EQ(s->Position(), 293);
    EXPECT_EQ(clicks, 3);
}

TEST_F(FrSplitterDragTest, HotSpotTowardsTheMaximumStaysThereThroughAResize) {
    TFrSplitter* s = VerticalWithHotSpot(hsdMax);
    s->SetMarginMax(50);
    FormFixture::ClickAt(s, 200, 103);
    EXPECT_EQ(s->Position(), 293); // size - bar - borders: the margins are ignored while closed
    s->SetHeight(400);
    EXPECT_EQ(s->Position(), 393);
    FormFixture::ClickAt(s, 200, 396);
    EXPECT_EQ(s->Position(), 100);
}

TEST_F(FrSplitterDragTest, PressOnTheHotSpotThenDragIsAnOrdinaryDrag) {
    TFrSplitter* s = VerticalWithHotSpot(hsdMin);
    FormFixture::ClickAt(s, 200, 103);
    ASSERT_TRUE(s->HotSpotClosed());
    FormFixture::PressAt(s, 200, 3);
    DragTo(s, 200, 33);
    FormFixture::ReleaseAt(s, 200, 33);
    EXPECT_EQ(s->Position(), 30);
    EXPECT_FALSE(s->HotSpotClosed());
    EXPECT_FALSE(s->HotSpotClosedToMin());
}

TEST_F(FrSplitterDragTest, LockedBarOnlyAnswersTheHotSpot) {
    TFrSplitter* s = VerticalWithHotSpot(hsdMin);
    s->SetLockBar(true);
    FormFixture::PressAt(s, 50, 103);
    EXPECT_FALSE(s->Dragging());
    DragTo(s, 50, 150);
    FormFixture::ReleaseAt(s, 50, 150);
    EXPECT_EQ(s->Position(), 100);
    EXPECT_EQ(s->Cursor(), crDefault);
    FormFixture::ClickAt(s, 200, 103);
    EXPECT_EQ(s->Position(), 0);
}

TEST_F(FrSplitterDragTest, CursorsOverTheBarAndTheHotSpot) {
    TFrSplitter* s = VerticalWithHotSpot(hsdMin);
    DragTo(s, 50, 103);
    EXPECT_EQ(s->Cursor(), crVSplit);
    DragTo(s, 200, 103);
    EXPECT_EQ(s->Cursor(), crHandPoint);
    EXPECT_TRUE(s->HotSpotHighlighted());
    DragTo(s, 50, 103);
    EXPECT_FALSE(s->HotSpotHighlighted());
    s->SetOrientation(orHorizontal);
    DragTo(s, s->BarRect().Left + 1, 10);
    EXPECT_EQ(s->Cursor(), crHSplit);
}

TEST_F(FrSplitterDragTest, MouseOverAPaneReachesTheSplitter) {
    TFrSplitter* s = MakeSplitter(400, 300);
    s->SetPosition(100);
    TPoint seen{-1, -1};
    s->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int x, int y) { seen = {x, y}; };
    FormFixture::PressAt(s->LowerRightPane(), 10, 20);
    EXPECT_EQ(seen.X, 114);
    EXPECT_EQ(seen.Y, 20);
    FormFixture::ReleaseAt(s->LowerRightPane(), 10, 20);
}

// ---- pictures -----------------------------------------------------------------------------------

TEST_F(FrSplitterDragTest, GroovedBarHasTwoStripsMeetingInTheMiddle) {
    TFrSplitter* s = MakeSplitter(200, 200, orVertical);
    s->SetSplitterStyle(ssGroove);
    s->SetSplitterWidth(7);
    s->SetPosition(100);
    QImage image = Grab(s);
    const std::map<char, TColor> legend = {
        {'s', clBtnShadow}, {'h', clBtnHighlight}, {'f', clBtnFace}};
    // Rows 100..106 at x 50: each strip an fsStatus frame, shadow above and highlight below.
    const char* expected = "s\nf\nh\ns\nf\nh\nf";
    EXPECT_EQ(controlstest::PictureMismatch(image, 50, 100, expected, legend), "");
    controlstest::SnapshotOf(image);
}

TEST_F(FrSplitterDragTest, HotSpotFrameArrowsAndDots) {
    TFrSplitter* s = VerticalWithHotSpot(hsdMin);
    s->SetHotSpotDotColor(clRed);
    s->SetHotSpotFrameColor(clBlue);
    QImage image = Grab(s);
    EXPECT_EQ(At(image, 120, 103), ColorToRGB(clBlue));
    EXPECT_EQ(At(image, 279, 103), ColorToRGB(clBlue));
    EXPECT_EQ(At(image, 200, 100), ColorToRGB(clBlue));
    EXPECT_EQ(At(image, 119, 103), ColorToRGB(clBtnFace)); // the bar outside the hot spot
    // Both arrows point up while the hot spot is open: tip row 102, base row 104.
    const std::map<char, TColor> legend = {{'r', clRed}, {'.', clBtnFace}};
    const char* arrow = "..r..\n.rrr.\nrrrrr";
    EXPECT_EQ(controlstest::PictureMismatch(image, 128, 102, arrow, legend), "");
    EXPECT_EQ(controlstest::PictureMismatch(image, 267, 102, arrow, legend), "");
    // Dots every 3 pixels on the middle row from 15 pixels in: (160 - 32) div 3 + 1 of them.
    const std::vector<int> runs = controlstest::RowRunsOf(image, 103, 133, 267, clRed);
    EXPECT_EQ(runs.size(), 43u);
    EXPECT_EQ(At(image, 135, 103), ColorToRGB(clRed));
    EXPECT_EQ(At(image, 136, 103), ColorToRGB(clBtnFace));
    EXPECT_EQ(At(image, 261, 103), ColorToRGB(clRed));
    controlstest::SnapshotOf(image, "-open");

    // Closed, the arrows turn down.
    FormFixture::ClickAt(s, 200, 103);
    image = Grab(s);
    const char* down = "rrrrr\n.rrr.\n..r..";
    const TRect hs = s->HotSpotRect();
    EXPECT_EQ(controlstest::PictureMismatch(image, hs.Left + 8, hs.Top + 2, down, legend), "");
    controlstest::SnapshotOf(image, "-closed");
}

} // namespace
