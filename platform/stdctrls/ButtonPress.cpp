#include "platform/stdctrls/ButtonPress.h"

void TButtonPress::MouseDown(TControl& control, TMouseButton button, bool canPress) {
    if (button == mbLeft && canPress && control.Enabled()) {
        pressed_ = true;
        control.Invalidate();
    }
}

void TButtonPress::MouseUp(TControl& control, TMouseButton button) {
    if (button != mbLeft || !pressed_)
        return;
    pressed_ = false;
    control.Invalidate();
}
