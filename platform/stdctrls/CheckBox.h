#pragma once
// Check boxes. Setting Checked or State fires OnClick, as the user's click does.

#include "platform/stdctrls/Button.h"
#include "platform/stdctrls/ControlTypes.h"

Q4_ENUM(TCheckBoxState, cbUnchecked, cbChecked, cbGrayed);

// The state a click gives: unchecked -> grayed (allowGrayed) or checked -> unchecked; grayed ->
// checked.
TCheckBoxState NextCheckBoxState(TCheckBoxState state, bool allowGrayed);

class TCustomCheckBox : public TButtonControl {
    Q4_CLASS(TCustomCheckBox, TButtonControl)
public:
    explicit TCustomCheckBox(TComponent* owner);
    static void DeclareProperties(TPropertyList& p);

    bool Checked() const { return state_ == cbChecked; }
    void SetChecked(bool v) { SetState(v ? cbChecked : cbUnchecked); }
    TCheckBoxState State() const { return state_; }
    // A change fires OnClick.
    void SetState(TCheckBoxState v);
    bool AllowGrayed() const { return allowGrayed_; }
    void SetAllowGrayed(bool v) { allowGrayed_ = v; }
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment v);

protected:
    QWidget* CreateWidget() override;
    void UpdateWidgetState() override;
    // The user's click: the next state, then OnClick.
    void Toggle();

private:
    TCheckBoxState state_ = cbUnchecked;
    bool allowGrayed_ = false;
    TAlignment alignment_ = taRightJustify;

protected:
    TSignalGuard guard_; // declared last: cut first
};

class TCheckBox : public TCustomCheckBox {
    Q4_CLASS(TCheckBox, TCustomCheckBox)
public:
    explicit TCheckBox(TComponent* owner) : TCustomCheckBox(owner) {}
};
