#pragma once
// The mouse press of a button its control paints itself (speed and tool buttons): while the left
// button is down on it, the button is shown pressed. The click itself is the control's own: a
// control turns a left press let go over it into Click() (csClickEvents), once.

#include "platform/forms/Controls.h"

class TButtonPress {
public:
    bool Pressed() const { return pressed_; }
    // From the control's MouseDown; canPress is false while the control takes no press.
    void MouseDown(TControl& control, TMouseButton button, bool canPress);
    // From the control's MouseUp: ends the press.
    void MouseUp(TControl& control, TMouseButton button);

private:
    bool pressed_ = false;
};
