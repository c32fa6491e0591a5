#pragma once
// TFrCustomCheckBox / TFrCheckBox: the framed check box, unchecked, checked or (with AllowGrayed,
// or set by code) grayed. A change of State fires OnClick, whether the user or the program made
// it, unless an action link is pushing the value. A read-only box refuses the mouse, Space and
// its accelerator; the program still sets it.

#include "controls/buttons/FrGlyphButton.h"

class TFrCustomCheckBox : public TFrCustomGlyphButton {
    Q4_CLASS(TFrCustomCheckBox, TFrCustomGlyphButton)
public:
    explicit TFrCustomCheckBox(TComponent* owner) : TFrCustomGlyphButton(owner) {}

    TCheckBoxState State() const { return state_; }
    virtual void SetState(TCheckBoxState value);
    bool AllowGrayed() const { return allowGrayed_; }
    void SetAllowGrayed(bool value) { allowGrayed_ = value; }

    // Checked is State = cbChecked; setting it gives cbChecked or cbUnchecked.
    bool GetChecked() const override { return state_ == cbChecked; }
    void SetChecked(bool value) override { SetState(value ? cbChecked : cbUnchecked); }

    // The next state: unchecked -> grayed (AllowGrayed) or checked -> unchecked; grayed ->
    // checked. Nothing for a read-only box clicked with the mouse.
    void ClickAction() override;
    void WndProc(TMessage& message) override;

protected:
    void DrawStateGlyph(TBitmap& glyph) override;
    int GlyphStates() const override { return 9; }
    void KeyDown(TKeyCode& key, TShiftState shift) override;

private:
    TCheckBoxState state_ = cbUnchecked;
    bool allowGrayed_ = false;
};

class TFrCheckBox : public TFrCustomCheckBox {
    Q4_CLASS(TFrCheckBox, TFrCustomCheckBox)
public:
    explicit TFrCheckBox(TComponent* owner) : TFrCustomCheckBox(owner) {}
    static void DeclareProperties(TPropertyList& p);
};
