// The mouse wheel in whole notches: a turn that OnMouseWheel leaves unhandled goes on to the
// control notch by notch, towards the user (down) or away from the user (up).

#include "platform/forms/Controls.h"
#include "platform/forms/SystemMetrics.h"

bool TControl::DoWheelNotches(TShiftState shift, int wheelDelta, TPoint mousePos) {
    // Turning the other way drops what was left of a notch in the last direction.
    if ((wheelDelta > 0 && wheelRest_ < 0) || (wheelDelta < 0 && wheelRest_ > 0))
        wheelRest_ = 0;
    wheelRest_ += wheelDelta;
    bool handled = false;
    while (wheelRest_ <= -WHEEL_DELTA) {
        wheelRest_ += WHEEL_DELTA;
        handled = DoMouseWheelDown(shift, mousePos);
    }
    while (wheelRest_ >= WHEEL_DELTA) {
        wheelRest_ -= WHEEL_DELTA;
        handled = DoMouseWheelUp(shift, mousePos);
    }
    return handled;
}

bool TControl::DoMouseWheelDown(TShiftState shift, TPoint mousePos) {
    bool handled = false;
    if (OnMouseWheelDown)
        OnMouseWheelDown(this, shift, mousePos, handled);
    return handled;
}

bool TControl::DoMouseWheelUp(TShiftState shift, TPoint mousePos) {
    bool handled = false;
    if (OnMouseWheelUp)
        OnMouseWheelUp(this, shift, mousePos, handled);
    return handled;
}
