// How the user moves the bar of a splitter: pressing on it, dragging an outline (or the bar
// itself with RealTimeDrag), releasing to apply, Escape to cancel; the hot spot that closes a
// pane with one click and opens it with the next; the cursors over the bar.

#include "controls/splitter/FrDragOutline.h"
#include "controls/splitter/FrSplitter.h"

#include <climits>

namespace {
bool Inside(const TRect& r, TPoint p) {
    return p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom;
}
} // namespace

bool TFrSplitter::OnHotSpot(TPoint p) const {
    return hotSpotVisible_ && Inside(hotSpotRect_, p);
}

void TFrSplitter::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TFrCustomPanel::MouseDown(button, shift, x, y);
    const TPoint p{x, y};
    if (button != mbLeft || !Inside(barRect_, p))
        return;
    if (lockBar_ && !OnHotSpot(p))
        return;
    StartDrag(p);
}

void TFrSplitter::StartDrag(TPoint p) {
    if (!realTimeDrag_ && CanFocus())
        SetFocus();
    dragging_ = true;
    pressedOnHotSpot_ = OnHotSpot(p);
    centreOffset_ = orientation_ == orVertical ? p.Y - Height() / 2 : p.X - Width() / 2;
    dragStart_ = position_;
    lastPosition_ = position_;
    if (!realTimeDrag_ && Parent() != nullptr) {
        outline_ = std::make_unique<TFrDragOutline>(nullptr);
        outline_->SetParent(Parent());
        MoveOutline(position_);
        outline_->BringToFront();
    }
}

void TFrSplitter::MoveOutline(int position) {
    if (!outline_)
        return;
    const int b = BorderThickness();
    const int x = Left() + b + (orientation_ == orVertical ? 0 : position);
    const int y = Top() + b + (orientation_ == orVertical ? position : 0);
    outline_->SetBounds(x, y, barRect_.Width(), barRect_.Height());
}

void TFrSplitter::MouseMove(TShiftState shift, int x, int y) {
    TFrCustomPanel::MouseMove(shift, x, y);
    const TPoint p{x, y};
    mouse_ = p;
    if (hotSpotVisible_)
        TrackHotSpot(p, OnHotSpot(p));
    UpdateCursor(p);
    if (!dragging_ || (pressedOnHotSpot_ && lockBar_))
        return;
    const int64_t travelled = static_cast<int64_t>(CoordinateOf(p)) - Size() / 2 - centreOffset_;
    const int moved = CheckPosition(travelled + dragStart_);
    bool allow = true;
    if (OnChanging)
        OnChanging(this, moved, allow);
    if (!allow)
        return;
    if (moved != lastPosition_) {
        hotSpotClosed_ = closedToMin_ = closedToMax_ = pressedOnHotSpot_ = false;
        MoveOutline(moved);
        if (realTimeDrag_)
            SetPositionAndRemember(moved);
    }
    lastPosition_ = moved;
}

void TFrSplitter::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TFrCustomPanel::MouseUp(button, shift, x, y);
    if (!((dragging_ && button == mbLeft) || pressedOnHotSpot_))
        return;
    EndDrag(TPoint{x, y});
}

void TFrSplitter::EndDrag(TPoint p) {
    dragging_ = false;
    if (!realTimeDrag_) {
        outline_.reset();
        SetPositionAndRemember(lastPosition_);
    }
    if (pressedOnHotSpot_) {
        pressedOnHotSpot_ = false;
        if (Inside(hotSpotRect_, p))
            ToggleHotSpot(p);
    }
}

void TFrSplitter::ToggleHotSpot(TPoint p) {
    hotSpotClosed_ = !hotSpotClosed_;
    if (!hotSpotClosed_) {
        closedToMin_ = closedToMax_ = false;
        SetPositionAndRemember(hotSpotPosition_);
    } else {
        hotSpotPosition_ = position_;
        const bool firstHalf = orientation_ == orVertical
                                   ? p.X < hotSpotRect_.Left + hotSpotRect_.Width() / 2
                                   : p.Y < hotSpotRect_.Top + hotSpotRect_.Height() / 2;
        if (hotSpotDirection_ == hsdMin || (hotSpotDirection_ == hsdBoth && firstHalf)) {
            closedToMin_ = true;
            SetPosition(0);
        } else {
            closedToMax_ = true;
            ChangePosition(INT_MAX); // the check brings it to the far end
        }
    }
    Invalidate();
    if (OnHotSpotClick)
        OnHotSpotClick(this);
}

void TFrSplitter::KeyDown(TKeyCode& key, TShiftState shift) {
    if (key == VK_ESCAPE && dragging_) {
        CancelDrag();
        key = 0;
        return;
    }
    TFrCustomPanel::KeyDown(key, shift);
}

void TFrSplitter::CancelDrag() {
    dragging_ = false;
    pressedOnHotSpot_ = false;
    outline_.reset(); // the outline goes with the drag it belonged to
    manualPosition_ = ManualPositionOf(position_);
}

void TFrSplitter::TrackHotSpot(TPoint p, bool inside) {
    mouse_ = p;
    if (inside != highlighted_ || (inside && hotSpotDirection_ == hsdBoth)) {
        highlighted_ = inside;
        Invalidate();
    }
}

void TFrSplitter::UpdateCursor(TPoint p) {
    if (lockBar_ || !Inside(barRect_, p)) {
        SetCursor(crDefault);
        return;
    }
    if (OnHotSpot(p))
        SetCursor(crHandPoint);
    else
        SetCursor(orientation_ == orVertical ? crVSplit : crHSplit);
}
