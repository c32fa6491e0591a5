#include "controls/buttons/FrRadioButton.h"

#include "platform/graphics/Bitmap.h"

TFrRadioButton::TFrRadioButton(TComponent* owner) : TFrCustomGlyphButton(owner) {
    SetTabStop(false);
}

void TFrRadioButton::DeclareProperties(TPropertyList& p) {
    p.Add("TabStop", &TFrRadioButton::TabStop, &TFrRadioButton::SetTabStop).Default(false);
}

template <class F> void TFrRadioButton::ForSiblings(F f) {
    if (Parent() == nullptr)
        return;
    for (int i = 0; i < Parent()->ControlCount(); ++i) {
        auto* sibling = dynamic_cast<TFrRadioButton*>(Parent()->Controls(i));
        if (sibling != nullptr && sibling != this)
            f(sibling);
    }
}

void TFrRadioButton::SetChecked(bool value) {
    if (value == checked_)
        return;
    checked_ = value;
    SetTabStop(value);
    Invalidate();
    if (!value)
        return;
    ForSiblings([](TFrRadioButton* sibling) { sibling->SetChecked(false); });
    if (!ClicksDisabled())
        Click();
}

void TFrRadioButton::SetReadOnly(bool value) {
    TFrCustomGlyphButton::SetReadOnly(value);
    ForSiblings(
        [value](TFrRadioButton* sibling) { sibling->TFrCustomGlyphButton::SetReadOnly(value); });
}

void TFrRadioButton::ClickAction() {
    if (!checked_ && !ReadOnly())
        SetChecked(true);
}

void TFrRadioButton::DoEnter() {
    TFrCustomGlyphButton::DoEnter();
    if (!UsingMouse() && !ReadOnly())
        SetChecked(true);
}

void TFrRadioButton::WndProc(TMessage& m) {
    switch (m.Msg) {
    case CM_DIALOGCHAR:
        FocusByAccelerator(m);
        return;
    case CM_DIALOGKEY: {
        // The down arrow on the focused button: its click event, and the key is used up.
        const TShiftState shift = TShiftState::FromBits(static_cast<std::uint64_t>(m.LParam));
        if (m.WParam == VK_DOWN && shift.Bits() == 0 && Focused() && CanFocus()) {
            if (!ClicksDisabled())
                Click();
            m.Result = 1;
        }
        return;
    }
    default:
        TFrCustomGlyphButton::WndProc(m);
    }
}

void TFrRadioButton::DrawStateGlyph(TBitmap& glyph) {
    TCanvas* canvas = glyph.Canvas();
    switch (GlyphKind()) {
    case TGlyphKind::Custom:
        // Cells: unchecked, checked; the same pressed; the same disabled.
        CopyCustomGlyph(glyph, CustomCell(checked_ ? 1 : 0, 2));
        return;
    case TGlyphKind::Themed:
        // The theme's button stands on the control's colour unless the control is transparent;
        // ours is the classic one.
        canvas->Brush()->SetColor(Transparent() ? TransparentColor() : Color());
        canvas->FillRect(Rect(0, 0, glyph.Width(), glyph.Height()));
        PaintClassicRadioGlyph(canvas, checked_, ShowDownVersion(), !Enabled(),
                               Transparent() ? TransparentColor() : Color());
        return;
    case TGlyphKind::Flat:
        PaintFlatRadioGlyph(canvas, FlatGlyph(), checked_);
        return;
    case TGlyphKind::Classic:
        PaintClassicRadioGlyph(canvas, checked_, ShowDownVersion(), !Enabled(), TransparentColor());
        return;
    }
}

void TFrRadioButton::FinishTransparentGlyph(TCanvas* canvas, TPoint at) {
    SmoothRadioRim(canvas, at, FrameColor());
}
