#include "controls/buttons/FrCheckBox.h"

#include "platform/graphics/Bitmap.h"

void TFrCheckBox::DeclareProperties(TPropertyList& p) {
    using C = TFrCustomCheckBox;
    p.Add("AllowGrayed", &C::AllowGrayed, &C::SetAllowGrayed).Default(false);
    p.Add("State", &C::State, &C::SetState).Default(cbUnchecked);
}

void TFrCustomCheckBox::SetState(TCheckBoxState value) {
    if (value == state_)
        return;
    state_ = value;
    Invalidate();
    if (!ClicksDisabled())
        Click();
}

void TFrCustomCheckBox::ClickAction() {
    if (ReadOnly() && UsingMouse())
        return;
    SetState(NextCheckBoxState(state_, allowGrayed_));
}

void TFrCustomCheckBox::KeyDown(TKeyCode& key, TShiftState shift) {
    if (ReadOnly() && key == VK_SPACE) {
        TCustomControl::KeyDown(key, shift); // OnKeyDown only: no press to release
        return;
    }
    if (key == VK_ESCAPE && KeyToggle())
        CancelKeyPress();
    TFrCustomGlyphButton::KeyDown(key, shift);
}

void TFrCustomCheckBox::WndProc(TMessage& m) {
    switch (m.Msg) {
    case BM_GETCHECK:
        m.Result = state_ == cbGrayed ? 2 : state_ == cbChecked ? 1 : 0;
        return;
    case CM_DIALOGCHAR:
        if (FocusByAccelerator(m) && Focused() && !ReadOnly())
            ClickAction();
        return;
    default:
        TFrCustomGlyphButton::WndProc(m);
    }
}

void TFrCustomCheckBox::DrawStateGlyph(TBitmap& glyph) {
    TCanvas* canvas = glyph.Canvas();
    switch (GlyphKind()) {
    case TGlyphKind::Custom:
        // Cells: unchecked, checked, grayed; the same pressed; the same disabled.
        CopyCustomGlyph(glyph, CustomCell(static_cast<int>(state_), 3));
        return;
    case TGlyphKind::Themed:
        // The theme's box stands on the control's colour; ours is the classic one.
        canvas->Brush()->SetColor(Color());
        canvas->FillRect(Rect(0, 0, glyph.Width(), glyph.Height()));
        PaintClassicCheckGlyph(canvas, state_, ShowDownVersion(), !Enabled());
        return;
    case TGlyphKind::Flat:
        PaintFlatCheckGlyph(canvas, FlatGlyph(), state_);
        return;
    case TGlyphKind::Classic:
        PaintClassicCheckGlyph(canvas, state_, ShowDownVersion(), !Enabled());
        return;
    }
}
