#include "controls/containers/FrContainerSupport.h"

#include "controls/common/FrFrameController.h"
#include "platform/forms/Controls.h"

void SwitchFrameController(TControl* control, TFrFrameController*& field,
                           TFrFrameController* value) {
    if (field != nullptr)
        field->RemoveControl(control);
    field = value;
    if (value != nullptr) {
        value->FreeNotification(control);
        value->AddControl(control);
    }
}

void ForgetRemovedController(TFrFrameController*& field, TComponent* removed) {
    if (removed == field)
        field = nullptr;
}

void PaintOpenCornerOutline(TCanvas* canvas, const TRect& r, TColor color) {
    canvas->Pen()->SetStyle(psSolid);
    canvas->Pen()->SetWidth(1);
    canvas->Pen()->SetColor(ColorToRGB(color));
    canvas->MoveTo(r.Left, r.Top + 1);
    canvas->LineTo(r.Left, r.Bottom - 1);
    canvas->MoveTo(r.Left + 1, r.Top);
    canvas->LineTo(r.Right - 1, r.Top);
    canvas->MoveTo(r.Right - 1, r.Top + 1);
    canvas->LineTo(r.Right - 1, r.Bottom - 1);
    canvas->MoveTo(r.Left + 1, r.Bottom - 1);
    canvas->LineTo(r.Right - 1, r.Bottom - 1);
}
