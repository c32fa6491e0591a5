#include "controls/buttons/FrCustomButton.h"

#include "controls/paint/FrColors.h"
#include "platform/forms/Forms.h"
#include "platform/graphics/Themes.h"

TFrCustomButton::TFrCustomButton(TComponent* owner) : TCustomControl(owner) {
    controlStyle_ = {csCaptureMouse, csSetCaption,   csOpaque,
                     csDoubleClicks, csReplicatable, csReflector};
    SetBounds(0, 0, 115, 17);
    SetTabStop(true);
}

void TFrCustomButton::DeclareProperties(TPropertyList& p) {
    using B = TFrCustomButton;
    p.Add("AlignmentVertical", &B::AlignmentVertical, &B::SetAlignmentVertical).Default(avCenter);
    p.Add("HighlightColor", &B::HighlightColor, &B::SetHighlightColor, TColorTypeInfo())
        .Default(clHighlight);
    p.Add("HotTrack", &B::HotTrack, &B::SetHotTrack).Default(false);
    p.Add("HotTrackColor", &B::HotTrackColor, &B::SetHotTrackColor, TColorTypeInfo())
        .Default(static_cast<TColor>(0x00149BF0));
    p.Add("HotTrackColorType", &B::HotTrackColorType, &B::SetHotTrackColorType).Default(htctActual);
    p.Add("LightTextStyle", &B::LightTextStyle, &B::SetLightTextStyle).Default(false);
    p.Add("TextHighlightColor", &B::TextHighlightColor, &B::SetTextHighlightColor, TColorTypeInfo())
        .Default(clBtnHighlight);
    p.Add("TextShadowColor", &B::TextShadowColor, &B::SetTextShadowColor, TColorTypeInfo())
        .Default(clBtnShadow);
    p.Add("TextShadowDepth", &B::TextShadowDepth, &B::SetTextShadowDepth).Default(2);
    p.Add("TextStyle", &B::TextStyle, &B::SetTextStyle).Default(tsNormal);
    p.Add("ThemeAware", &B::ThemeAware, &B::SetThemeAware).Default(true);
    p.Add("Transparent", &B::Transparent, &B::SetTransparent).Default(false);
    p.Add("TabStop", &B::TabStop, &B::SetTabStop).Default(true);
}

// ---- properties ---------------------------------------------------------------------------------

void TFrCustomButton::Changed(bool changed) {
    if (changed)
        Invalidate();
}

void TFrCustomButton::SetAlignmentVertical(TAlignmentVertical value) {
    bool changed = value != alignmentVertical_;
    alignmentVertical_ = value;
    Changed(changed);
}

void TFrCustomButton::SetHotTrack(bool value) {
    bool changed = value != hotTrack_;
    hotTrack_ = value;
    Changed(changed);
}

void TFrCustomButton::SetHighlightColor(TColor value) {
    bool changed = value != highlightColor_;
    highlightColor_ = value;
    Changed(changed);
}

void TFrCustomButton::SetLightTextStyle(bool value) {
    bool changed = value != lightTextStyle_;
    lightTextStyle_ = value;
    Changed(changed);
}

void TFrCustomButton::SetTextStyle(TTextStyle value) {
    bool changed = value != textStyle_;
    textStyle_ = value;
    Changed(changed);
}

void TFrCustomButton::SetTextHighlightColor(TColor value) {
    bool changed = value != textHighlightColor_;
    textHighlightColor_ = value;
    Changed(changed);
}

void TFrCustomButton::SetTextShadowColor(TColor value) {
    bool changed = value != textShadowColor_;
    textShadowColor_ = value;
    Changed(changed);
}

void TFrCustomButton::SetTextShadowDepth(int value) {
    bool changed = value != textShadowDepth_;
    textShadowDepth_ = value;
    Changed(changed);
}

void TFrCustomButton::SetThemeAware(bool value) {
    bool changed = value != themeAware_;
    themeAware_ = value;
    Changed(changed);
}

void TFrCustomButton::SetTransparent(bool value) {
    bool changed = value != transparent_;
    transparent_ = value;
    Changed(changed);
}

bool TFrCustomButton::UseThemes() const {
    return themeAware_ && ThemeServicesEnabled();
}

void TFrCustomButton::HotTrackColors(TColor& start, TColor& stop) const {
    if (hotTrackColorType_ == htctActual) {
        stop = hotTrackColor_;
        start = BlendColors(clWhite, hotTrackColor_, 190);
    } else {
        start = ContrastingHueColor(hotTrackColor_, 180);
        stop = DarkenColor(start, 30);
    }
}

// ---- state --------------------------------------------------------------------------------------

void TFrCustomButton::SetShowDownVersion(bool value) {
    if (value == showDownVersion_)
        return;
    showDownVersion_ = value;
    StateChangedRepaint();
    Invalidate();
}

void TFrCustomButton::CancelKeyPress() {
    keyToggle_ = false;
    SetShowDownVersion(false);
}

void TFrCustomButton::PaintTransparentBackground(TCanvas*) {}

void TFrCustomButton::FocusChangedRepaint() {
    Invalidate();
}

TRect TFrCustomButton::HotTrackArea() const {
    return ClientRect();
}

void TFrCustomButton::ReleaseFocus() {
    TCustomForm* form = GetParentForm();
    if (form != nullptr && form->ActiveControl() == this)
        form->FocusControl(nullptr);
}

// ---- mouse, keys and focus ----------------------------------------------------------------------

void TFrCustomButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseDown(button, shift, x, y);
    if (button != mbLeft || !Enabled())
        return;
    if (!Focused() && CanFocus())
        SetFocus();
    if (Focused()) {
        SetShowDownVersion(true);
        dragging_ = true;
    }
}

void TFrCustomButton::MouseMove(TShiftState shift, int x, int y) {
    TCustomControl::MouseMove(shift, x, y);
    if (dragging_) {
        // Pressed exactly while the pointer is over one of the control's pixels.
        SetShowDownVersion(x >= 0 && x < Width() && y >= 0 && y < Height());
    }
}

void TFrCustomButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseUp(button, shift, x, y);
    if (button != mbLeft || !dragging_)
        return;
    dragging_ = false;
    SetShowDownVersion(false);
    if (ClientRect().Contains({x, y}))
        ClickAction();
}

void TFrCustomButton::KeyDown(TKeyCode& key, TShiftState shift) {
    TCustomControl::KeyDown(key, shift);
    if (key == VK_SPACE && !shift.Contains(ssAlt)) {
        keyToggle_ = true;
        SetShowDownVersion(true);
    }
}

void TFrCustomButton::KeyUp(TKeyCode& key, TShiftState shift) {
    TCustomControl::KeyUp(key, shift);
    if (key == VK_SPACE) {
        SetShowDownVersion(false);
        if (keyToggle_) {
            keyToggle_ = false;
            ClickAction();
        }
    }
}

void TFrCustomButton::DoEnter() {
    TCustomControl::DoEnter();
    FocusChangedRepaint();
}

void TFrCustomButton::DoExit() {
    TCustomControl::DoExit();
    keyToggle_ = false;
    dragging_ = false;
    SetShowDownVersion(false);
    FocusChangedRepaint();
}

void TFrCustomButton::WndProc(TMessage& m) {
    switch (m.Msg) {
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
        mouseOverButton_ = m.Msg == CM_MOUSEENTER;
        if (hotTrack_ || UseThemes())
            Invalidate();
        TCustomControl::WndProc(m);
        return;
    case CM_ENABLEDCHANGED:
        if (!Enabled()) {
            dragging_ = false;
            keyToggle_ = false;
            showDownVersion_ = false;
            ReleaseFocus();
        }
        TCustomControl::WndProc(m);
        return;
    default:
        TCustomControl::WndProc(m);
    }
}

// ---- captions -----------------------------------------------------------------------------------

void TFrCustomButton::DrawCaptionText(TCanvas* canvas, const std::string& text, TRect rect,
                                      unsigned format, int dx, int dy, TColor color) {
    OffsetRect(rect, dx, dy);
    canvas->Font()->SetColor(color);
    canvas->DrawText(text, rect, format);
}

void TFrCustomButton::DrawCaption(TCanvas* canvas, TRect rect, unsigned format) {
    const std::string text = Caption();
    canvas->Brush()->SetStyle(bsClear);
    canvas->Font()->Assign(Font());

    TRect measure = rect;
    const int height = canvas->DrawText(
        text, measure, DT_CALCRECT | DT_CENTER | DT_VCENTER | DT_WORDBREAK | DT_EXPANDTABS);
    switch (alignmentVertical_) {
    case avTop:
        rect.Bottom = rect.Top + height;
        break;
    case avCenter:
        rect.Top = (rect.Top + rect.Bottom - height) / 2;
        rect.Bottom = rect.Top + height;
        break;
    case avBottom:
        rect.Top = rect.Bottom - height - 1;
        break;
    }

    if (!Enabled()) {
        DrawCaptionText(canvas, text, rect, format, 0, 0, clGrayText);
        canvas->Brush()->SetStyle(bsSolid);
        return;
    }
    const bool rightAligned = (format & DT_RIGHT) != 0;
    switch (textStyle_) {
    case tsRaised:
    case tsRecessed: {
        const bool raised = textStyle_ == tsRaised;
        const TColor below = raised ? textShadowColor_ : textHighlightColor_;
        const TColor above = raised ? textHighlightColor_ : textShadowColor_;
        // The light style keeps one copy: below the text when recessed, above it when raised.
        if (!lightTextStyle_ || !raised)
            DrawCaptionText(canvas, text, rect, format, 1, 1, below);
        if (!lightTextStyle_ || raised)
            DrawCaptionText(canvas, text, rect, format, -1, -1, above);
        break;
    }
    case tsShadow:
        DrawCaptionText(canvas, text, rect, format, rightAligned ? 0 : textShadowDepth_,
                        textShadowDepth_, textShadowColor_);
        break;
    case tsNormal:
        break;
    }
    if (rightAligned)
        OffsetRect(rect, -textShadowDepth_, 0);
    DrawCaptionText(canvas, text, rect, format, 0, 0, Font()->Color());
    canvas->Brush()->SetStyle(bsSolid);
}
