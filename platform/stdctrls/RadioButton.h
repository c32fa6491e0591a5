#pragma once
// Radio buttons.

#include "platform/stdctrls/Button.h"
#include "platform/stdctrls/ControlTypes.h"

// Checking a radio button unchecks the radio buttons beside it (same parent) and fires OnClick;
// unchecking fires nothing.
class TRadioButton : public TButtonControl {
    Q4_CLASS(TRadioButton, TButtonControl)
public:
    explicit TRadioButton(TComponent* owner);
    static void DeclareProperties(TPropertyList& p);

    bool Checked() const { return checked_; }
    void SetChecked(bool v);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment v);

protected:
    QWidget* CreateWidget() override;
    void UpdateWidgetState() override;

private:
    bool checked_ = false;
    TAlignment alignment_ = taRightJustify;

protected:
    TSignalGuard guard_; // declared last: cut first
};
