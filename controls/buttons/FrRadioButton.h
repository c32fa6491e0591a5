#pragma once
// TFrRadioButton: the framed radio button. Checking it unchecks every other framed radio button
// of the same parent and fires OnClick (unchecking fires nothing); it takes the tab stop only
// while checked. Coming into focus by the keyboard checks it. ReadOnly is shared by the radio
// buttons of a parent.

#include "controls/buttons/FrGlyphButton.h"

class TFrRadioButton : public TFrCustomGlyphButton {
    Q4_CLASS(TFrRadioButton, TFrCustomGlyphButton)
public:
    explicit TFrRadioButton(TComponent* owner);
    static void DeclareProperties(TPropertyList& p);

    bool GetChecked() const override { return checked_; }
    void SetChecked(bool value) override;
    // Set on every framed radio button beside this one as well.
    void SetReadOnly(bool value) override;

    // Checks the button, unless it is checked already or read-only.
    void ClickAction() override;
    void WndProc(TMessage& message) override;

protected:
    void DrawStateGlyph(TBitmap& glyph) override;
    void FinishTransparentGlyph(TCanvas* canvas, TPoint at) override;
    int GlyphStates() const override { return 6; }
    void DoEnter() override;

private:
    template <class F> void ForSiblings(F f);

    bool checked_ = false;
};
