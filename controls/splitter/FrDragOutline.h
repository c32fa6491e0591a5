#pragma once
// TFrDragOutline: the outline of a splitter bar that follows the mouse while the bar is dragged.
// It is a small window above the splitter's siblings, filled with a black and white checker;
// moving it replaces drawing the outline again, hiding or freeing it erases it.

#include "platform/forms/Controls.h"

class TFrDragOutline : public TCustomControl {
    Q4_CLASS(TFrDragOutline, TCustomControl)
public:
    explicit TFrDragOutline(TComponent* owner);

protected:
    void Paint() override;
};
