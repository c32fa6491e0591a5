#pragma once
// What the framed containers share: following a frame controller and a one-pixel outline whose
// corner pixels are left open.

#include "platform/graphics/Color.h"
#include "platform/graphics/Types.h"

class TCanvas;
class TComponent;
class TControl;
class TFrFrameController;

// Leaves the old controller (when there is one) and joins the new one, asking it for its removal
// notice; `field` holds the control's controller.
void SwitchFrameController(TControl* control, TFrFrameController*& field,
                           TFrFrameController* value);
// Clears `field` when the component going away is that controller.
void ForgetRemovedController(TFrFrameController*& field, TComponent* removed);

// The four sides of r in one colour, each a pixel short at both ends.
void PaintOpenCornerOutline(TCanvas* canvas, const TRect& r, TColor color);
