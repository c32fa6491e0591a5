#pragma once
// Mouse and wheel input sent to a windowed control's window as Qt would deliver it (the offscreen
// platform has no pointer): presses, moves with the buttons held, releases, double clicks and
// wheel turns at client coordinates.

#include "platform/forms/Controls.h"

#include <Qt>

namespace charttest {

void Press(TWinControl* control, int x, int y, Qt::MouseButton button = Qt::LeftButton,
           Qt::KeyboardModifiers keys = Qt::NoModifier);
void MoveTo(TWinControl* control, int x, int y, Qt::MouseButtons held = Qt::LeftButton);
void Release(TWinControl* control, int x, int y, Qt::MouseButton button = Qt::LeftButton);
// Press, release, the double-click press, release: what a double click delivers.
void DoubleClick(TWinControl* control, int x, int y);
// Press, a move half way, a move to the end, release.
void Drag(TWinControl* control, int x0, int y0, int x1, int y1,
          Qt::MouseButton button = Qt::LeftButton);
// One wheel turn of delta (120 a notch; negative towards the user) over (x, y).
void Wheel(TWinControl* control, int delta, int x, int y);

} // namespace charttest
