#pragma once
// A form's window placement: its normal rectangle (where it returns to from maximised) and
// whether it is maximised now. Rectangles are the form's outer bounds in screen coordinates.

#include "platform/graphics/Types.h"

class TCustomForm;

struct TWindowPlacement {
    TRect NormalPosition;
    bool Zoomed = false;
};

TWindowPlacement GetWindowPlacement(TCustomForm* form);
// Sets the normal rectangle (of a form that is not maximised: the placement is restored before
// the form is shown).
void SetWindowPlacement(TCustomForm* form, const TRect& normalPosition);
