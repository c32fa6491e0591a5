#pragma once
// Helpers of the button tests: a shown form to put buttons on, pictures of a control as its
// widget paints it, pixel probes, mouse and key input sent to the widgets, and PNGs for review.

#include "platform/forms/Forms.h"
#include "platform/graphics/Bitmap.h"
#include "tests/support/FormFixture.h"

#include <memory>
#include <string>

namespace buttontest {

// What the control's widget shows (its own paint, as on the screen).
std::unique_ptr<TBitmap> Grab(TWinControl* control);
TColor At(TBitmap& bitmap, int x, int y);
// How many pixels of colour the rectangle holds.
int CountColor(TBitmap& bitmap, const TRect& r, TColor color);
// Saves the bitmap as <test name><suffix>.png under build/snapshots/controls/.
std::string Snapshot(TBitmap& bitmap, const std::string& suffix = "");

// The left button held at (x, y) of the widget while the pointer moves there.
void DragTo(TWinControl* c, int x, int y);
void SendEnter(TWinControl* c);
void SendLeave(TWinControl* c);
// A key pressed and let go with modifiers.
void SendKeyWith(QWidget* w, int qtKey, Qt::KeyboardModifiers modifiers,
                 const QString& text = QString());
void PressKey(QWidget* w, int qtKey);
void ReleaseKey(QWidget* w, int qtKey);

} // namespace buttontest
