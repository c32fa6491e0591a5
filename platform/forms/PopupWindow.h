#pragma once
// Popup windows: a borderless top-level window that drops down under a control like a menu and
// runs its own event loop until it is closed.
//
// The loop ends when the program closes the popup (EndPopupLoop), when a mouse button is pressed
// in a window that is not the popup or inside it (that press is swallowed: it never reaches the
// window clicked), on Escape, or when the application loses the activation. Keys typed meanwhile
// go to the popup's key target.

#include "platform/forms/Controls.h"

#include <functional>

class QWidget;

enum class TPopupEnd { Closed, OutsidePress, Escape, Deactivated };

// The widget for a control that is to be a popup window; a control answers it from CreateWidget.
QWidget* CreatePopupWidget(TWinControl* control);
// Shows the popup at its bounds (screen coordinates) without activating it and runs its loop.
// Raises EInvalidOperation when a loop of this popup is running already.
TPopupEnd RunPopupLoop(TWinControl* popup, TWinControl* keyTarget);
// Ends the popup's loop (from a handler that runs inside it); nothing when none runs.
void EndPopupLoop(TWinControl* popup);
bool PopupLoopRunning(const TWinControl* popup);

// Called once a popup's loop is running, so that tests can act in it. Returns the previous hook.
using TPopupLoopHook = std::function<void(TWinControl* popup)>;
TPopupLoopHook SetPopupLoopHook(TPopupLoopHook hook);
