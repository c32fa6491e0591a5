#pragma once
// Group boxes: a frame with a caption around other controls.

#include "platform/forms/Controls.h"

// A framed box with its caption in the top edge.
class TCustomGroupBox : public TCustomControl {
    Q4_CLASS(TCustomGroupBox, TCustomControl)
public:
    explicit TCustomGroupBox(TComponent* owner);
    void WndProc(TMessage& message) override;
    // Aligned children go inside the frame, below the caption.
    void AlignControls(TControl* changed, TRect& rect) override;

protected:
    void Paint() override;
};

class TGroupBox : public TCustomGroupBox {
    Q4_CLASS(TGroupBox, TCustomGroupBox)
public:
    explicit TGroupBox(TComponent* owner) : TCustomGroupBox(owner) {}
};
