#include "controls/buttons/FrGlyphButton.h"

#include "controls/paint/FrBitmaps.h"
#include "controls/paint/FrColors.h"
#include "controls/paint/FrFrames.h"
#include "platform/forms/Forms.h"
#include "platform/forms/Menus.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Gdi.h"
#include "platform/rtl/Strings.h"

#include <algorithm>
#include <cctype>

TFrCustomGlyphButton::TFrCustomGlyphButton(TComponent* owner)
    : TFrCustomButton(owner), customGlyphs_(std::make_unique<TBitmap>()) {
    customGlyphs_->OnChange = [this](TObject*) {
        useCustomGlyphs_ = !customGlyphs_->Empty();
        UpdateGlyphSize();
        InvalidateBackground();
        Invalidate();
    };
    SetAlignmentVertical(avTop);
}

TFrCustomGlyphButton::~TFrCustomGlyphButton() {
    if (frameController_ != nullptr)
        frameController_->RemoveControl(this);
}

void TFrCustomGlyphButton::DeclareProperties(TPropertyList& p) {
    using B = TFrCustomGlyphButton;
    p.Add("AlignmentVertical", &B::AlignmentVertical, &B::SetAlignmentVertical).Default(avTop);
    p.Add("Alignment", &B::Alignment, &B::SetAlignment).Default(taRightJustify);
    p.Add("Checked", &B::GetChecked, &B::SetChecked).Default(false).Stored(&B::IsCheckedStored);
    p.Add("CustomGlyphs", &B::CustomGlyphs, &B::SetCustomGlyphs);
    p.Add("UseCustomGlyphs", &B::UseCustomGlyphs, &B::SetUseCustomGlyphs).Default(false);
    p.Add("FillColor", &B::FillColor, &B::SetFillColor, TColorTypeInfo()).Default(clWindow);
    p.Add("FocusColor", &B::FocusColor, &B::SetFocusColor, TColorTypeInfo()).Default(clWindow);
    p.Add("FrameColor", &B::FrameColor, &B::SetFrameColor, TColorTypeInfo()).Default(clBtnShadow);
    p.Add("DisabledColor", &B::DisabledColor, &B::SetDisabledColor, TColorTypeInfo())
        .Default(clBtnFace);
    p.Add("ReadOnly", &B::ReadOnly, &B::SetReadOnly).Default(false);
    p.Add("ReadOnlyColor", &B::ReadOnlyColor, &B::SetReadOnlyColor, TColorTypeInfo())
        .Default(clInfoBk);
    p.Add("ReadOnlyColorOnFocus", &B::ReadOnlyColorOnFocus, &B::SetReadOnlyColorOnFocus)
        .Default(false);
    p.Add("TransparentColor", &B::TransparentColor, &B::SetTransparentColor, TColorTypeInfo())
        .Default(GlyphKeyColor);
    p.Add("WinMaskColor", &B::WinMaskColor, &B::SetWinMaskColor, TColorTypeInfo())
        .Default(static_cast<TColor>(0x00FF00));
    p.Add("HotTrackStyle", &B::HotTrackStyle, &B::SetHotTrackStyle).Default(htsInterior);
    p.Add("TabOnEnter", &B::TabOnEnter, &B::SetTabOnEnter).Default(false);
    p.Add("FrameController", &B::FrameController, &B::SetFrameController);
    p.Add("FrameControllerNotifications", &B::FrameControllerNotifications,
          &B::SetFrameControllerNotifications)
        .Default(TFrFrameControllerNotifications::FromBits(AllFrameControllerNotifications));
}

// ---- properties ---------------------------------------------------------------------------------

void TFrCustomGlyphButton::Changed(bool changed) {
    if (changed)
        Invalidate();
}

void TFrCustomGlyphButton::InvalidateBackground() {
    backgroundStale_ = true;
}

void TFrCustomGlyphButton::SetAlignment(TAlignment value) {
    const bool changed = value != alignment_;
    alignment_ = value;
    Changed(changed);
}

void TFrCustomGlyphButton::SetCustomGlyphs(TBitmap* value) {
    if (value != nullptr)
        customGlyphs_->Assign(*value);
    else
        customGlyphs_->SetSize(0, 0);
}

void TFrCustomGlyphButton::SetUseCustomGlyphs(bool value) {
    if (value == useCustomGlyphs_)
        return;
    useCustomGlyphs_ = value;
    UpdateGlyphSize();
    InvalidateBackground();
    Invalidate();
}

void TFrCustomGlyphButton::UpdateGlyphSize() {
    if (useCustomGlyphs_ && !customGlyphs_->Empty()) {
        // A strip narrower than its cells gives cells 0 pixels wide: no glyph is drawn then.
        glyphWidth_ = customGlyphs_->Width() / GlyphStates();
        glyphHeight_ = customGlyphs_->Height();
    } else {
        glyphWidth_ = glyphHeight_ = GlyphSize;
    }
}

void TFrCustomGlyphButton::SetFillColor(TColor value) {
    const bool changed = value != fillColor_;
    fillColor_ = value;
    Changed(changed);
}

void TFrCustomGlyphButton::SetFocusColor(TColor value) {
    const bool changed = value != focusColor_;
    focusColor_ = value;
    Changed(changed);
}

void TFrCustomGlyphButton::SetFrameColor(TColor value) {
    const bool changed = value != frameColor_;
    frameColor_ = value;
    Changed(changed);
}

void TFrCustomGlyphButton::SetDisabledColor(TColor value) {
    const bool changed = value != disabledColor_;
    disabledColor_ = value;
    Changed(changed);
}

void TFrCustomGlyphButton::SetReadOnly(bool value) {
    const bool changed = value != readOnly_;
    readOnly_ = value;
    Changed(changed);
}

void TFrCustomGlyphButton::SetReadOnlyColor(TColor value) {
    const bool changed = value != readOnlyColor_;
    readOnlyColor_ = value;
    Changed(changed);
}

void TFrCustomGlyphButton::SetReadOnlyColorOnFocus(bool value) {
    const bool changed = value != readOnlyColorOnFocus_;
    readOnlyColorOnFocus_ = value;
    Changed(changed);
}

void TFrCustomGlyphButton::SetTransparentColor(TColor value) {
    const bool changed = value != transparentColor_;
    transparentColor_ = value;
    InvalidateBackground();
    Changed(changed);
}

void TFrCustomGlyphButton::SetWinMaskColor(TColor value) {
    const bool changed = value != winMaskColor_;
    winMaskColor_ = value;
    InvalidateBackground();
    Changed(changed);
}

void TFrCustomGlyphButton::SetHotTrackStyle(TFrButtonHotTrackStyle value) {
    const bool changed = value != hotTrackStyle_;
    hotTrackStyle_ = value;
    Changed(changed);
}

void TFrCustomGlyphButton::SetTransparent(bool value) {
    InvalidateBackground();
    TFrCustomButton::SetTransparent(value);
}

void TFrCustomGlyphButton::SetFrameController(TFrFrameController* value) {
    ChangeFrameController(this, frameController_, value);
}

void TFrCustomGlyphButton::Notification(TComponent* component, TOperation operation) {
    TFrCustomButton::Notification(component, operation);
    if (operation == opRemove && component == frameController_)
        frameController_ = nullptr;
}

void TFrCustomGlyphButton::ActionChecked(bool actionChecked, bool checkDefaults) {
    if (!checkDefaults || !GetChecked())
        SetChecked(actionChecked);
}

void TFrCustomGlyphButton::FramingChanged() {
    const TFrFrameController* fc = frameController_;
    if (fc == nullptr || !fc->FrameVisible())
        return;
    SetHotTrack(true);
    const TFrFrameControllerNotifications n = notifications_;
    if (n.Contains(fcpColor))
        SetFillColor(fc->Color());
    if (n.Contains(fcpFrameColor))
        SetFrameColor(fc->FrameColor());
    if (n.Contains(fcpFocusColor))
        SetFocusColor(fc->FocusColor());
    if (n.Contains(fcpDisabledColor))
        SetDisabledColor(fc->DisabledColor());
    if (n.Contains(fcpReadOnlyColor))
        SetReadOnlyColor(fc->ReadOnlyColor());
    if (n.Contains(fcpReadOnlyColorOnFocus))
        SetReadOnlyColorOnFocus(fc->ReadOnlyColorOnFocus());
    if (n.Contains(fcpFrameHotTrack))
        SetHotTrackStyle(fc->FrameHotTrack() ? htsFrame : htsInterior);
    if (n.Contains(fcpFrameHotColor) && hotTrackStyle_ == htsFrame)
        SetHotTrackColor(fc->FrameHotColor());
    Invalidate();
}

// ---- messages, keys and mouse -------------------------------------------------------------------

void TFrCustomGlyphButton::WndProc(TMessage& m) {
    switch (m.Msg) {
    case BM_GETCHECK:
        m.Result = GetChecked() ? 1 : 0;
        return;
    case WM_ERASEBKGND:
    case CM_ENABLEDCHANGED:
    case CM_COLORCHANGED:
    case CM_PARENTCOLORCHANGED:
        InvalidateBackground();
        break;
    default:
        break;
    }
    TFrCustomButton::WndProc(m);
}

void TFrCustomGlyphButton::SetBounds(int left, int top, int width, int height) {
    if (width != Width() || height != Height())
        InvalidateBackground();
    TFrCustomButton::SetBounds(left, top, width, height);
}

void TFrCustomGlyphButton::KeyDown(TKeyCode& key, TShiftState shift) {
    if (key == VK_RETURN && tabOnEnter_) {
        // Enter moves on as Tab does.
        key = 0;
        if (TCustomForm* form = GetParentForm())
            form->Perform(CM_DIALOGKEY, VK_TAB, 0);
        return;
    }
    TFrCustomButton::KeyDown(key, shift);
}

void TFrCustomGlyphButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft)
        usingMouse_ = true;
    TFrCustomButton::MouseDown(button, shift, x, y);
}

void TFrCustomGlyphButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TFrCustomButton::MouseUp(button, shift, x, y);
    if (button == mbLeft)
        usingMouse_ = false;
}

bool TFrCustomGlyphButton::FocusByAccelerator(TMessage& m) {
    const char32_t hotkey = GetHotkey(Caption());
    if (hotkey == 0 || hotkey >= 128 ||
        std::toupper(static_cast<int>(hotkey)) != static_cast<int>(m.WParam) || !CanFocus())
        return false;
    SetFocus();
    m.Result = 1;
    return true;
}

// ---- painting -----------------------------------------------------------------------------------

TGlyphLook TFrCustomGlyphButton::Look() const {
    if (!Enabled())
        return TGlyphLook::Disabled;
    if (ShowDownVersion())
        return TGlyphLook::Pressed;
    if (MouseOverButton())
        return TGlyphLook::Hover;
    return TGlyphLook::Normal;
}

TGlyphKind TFrCustomGlyphButton::GlyphKind() const {
    if (useCustomGlyphs_ && !customGlyphs_->Empty())
        return TGlyphKind::Custom;
    if (UseThemes())
        return TGlyphKind::Themed;
    return HotTrack() ? TGlyphKind::Flat : TGlyphKind::Classic;
}

TFlatGlyph TFrCustomGlyphButton::FlatGlyph() const {
    TFlatGlyph g;
    g.Look = Look();
    g.HotTrackStyle = hotTrackStyle_;
    g.Interior = InteriorColor(g.Look);
    g.Frame = FlatFrameColor(g.Look);
    g.Mark = MarkColor();
    HotTrackColors(g.HoverStart, g.HoverStop);
    g.Back = Color();
    g.Transparent = Transparent();
    return g;
}

TColor TFrCustomGlyphButton::InteriorColor(TGlyphLook look) const {
    if (look == TGlyphLook::Pressed)
        return DarkenColor(focusColor_, 20);
    if (look == TGlyphLook::Disabled)
        return disabledColor_;
    if (Focused())
        return readOnly_ && readOnlyColorOnFocus_ ? readOnlyColor_ : focusColor_;
    return readOnly_ ? readOnlyColor_ : fillColor_;
}

TColor TFrCustomGlyphButton::FlatFrameColor(TGlyphLook look) const {
    if (look == TGlyphLook::Hover && hotTrackStyle_ == htsFrame) {
        TColor start, stop;
        HotTrackColors(start, stop);
        return stop;
    }
    return frameColor_;
}

TPoint TFrCustomGlyphButton::GlyphOrigin() const {
    const bool glyphRight = alignment_ == taLeftJustify;
    const int x = glyphRight ? Width() - glyphWidth_ : 0;
    int y = 2;
    if (AlignmentVertical() == avCenter)
        y = (Height() - glyphHeight_) / 2;
    else if (AlignmentVertical() == avBottom)
        y = Height() - glyphHeight_ - 2;
    return {x, y};
}

TRect TFrCustomGlyphButton::CaptionRect() const {
    TRect r = ClientRect();
    InflateRect(r, -1, -1);
    if (alignment_ == taLeftJustify)
        r.Right -= glyphWidth_ + 4;
    else
        r.Left += glyphWidth_ + 4;
    return r;
}

int TFrCustomGlyphButton::CustomCell(int state, int states) const {
    if (!Enabled())
        return 2 * states + state;
    return ShowDownVersion() ? states + state : state;
}

void TFrCustomGlyphButton::CopyCustomGlyph(TBitmap& glyph, int index) {
    const TRect cell = Bounds(index * glyphWidth_, 0, glyphWidth_, glyphHeight_);
    glyph.Canvas()->CopyRect(Rect(0, 0, glyphWidth_, glyphHeight_), customGlyphs_->Canvas(), cell);
}

void TFrCustomGlyphButton::FinishTransparentGlyph(TCanvas*, TPoint) {}

// The glyph's key-coloured pixels show what lies below (Transparent) or the control's colour;
// custom glyphs show the window colour where they hold WinMaskColor.
void TFrCustomGlyphButton::LayGlyph(TCanvas* canvas, TBitmap& glyph, TPoint at) {
    const TColor key = ColorToRGB(transparentColor_);
    const TColor mask = ColorToRGB(winMaskColor_);
    const bool custom = GlyphKind() == TGlyphKind::Custom;
    for (int y = 0; y < glyphHeight_; ++y)
        for (int x = 0; x < glyphWidth_; ++x) {
            TColor c = glyph.Canvas()->Pixel(x, y);
            if (c == key) {
                if (Transparent())
                    continue;
                c = ColorToRGB(Color());
            } else if (custom && c == mask) {
                c = ColorToRGB(clWindow);
            }
            canvas->SetPixel(at.X + x, at.Y + y, c);
        }
}

void TFrCustomGlyphButton::DrawGlyph(TCanvas* canvas, TPoint at) {
    if (glyphWidth_ <= 0 || glyphHeight_ <= 0)
        return;
    TBitmap glyph(glyphWidth_, glyphHeight_, pfDevice);
    DrawStateGlyph(glyph);
    LayGlyph(canvas, glyph, at);
    if (Transparent() && !UseThemes())
        FinishTransparentGlyph(canvas, at);
}

void TFrCustomGlyphButton::RefreshBackground() {
    if (background_ && !backgroundStale_ && background_->Width() == Width() &&
        background_->Height() == Height())
        return;
    background_ = std::make_unique<TBitmap>(Width(), Height(), pfDevice);
    TCanvas* canvas = background_->Canvas();
    if (Transparent()) {
        PaintParentBackground(this, canvas, false);
    } else {
        canvas->Brush()->SetColor(Color());
        canvas->FillRect(Rect(0, 0, Width(), Height()));
    }
    backgroundStale_ = false;
}

void TFrCustomGlyphButton::PaintFocusBox(TCanvas* canvas, const TRect& caption) {
    const std::string text = Trim(StripHotkey(Caption()));
    const int width = std::min(caption.Width(), canvas->TextWidth(text) + 3);
    TRect box = Rect(caption.Left, 0, caption.Left + width, Height());
    if (alignment_ == taLeftJustify)
        box = Rect(caption.Right - width, 0, caption.Right, Height());
    PaintDottedFocusBox(canvas, box);
}

void TFrCustomGlyphButton::Paint() {
    if (InDestruction() || Width() <= 0 || Height() <= 0)
        return;
    RefreshBackground();
    TBitmap shot(Width(), Height(), pfDevice);
    TCanvas* canvas = shot.Canvas();
    canvas->Draw(0, 0, background_.get());
    DrawGlyph(canvas, GlyphOrigin());
    const TRect caption = CaptionRect();
    DrawCaption(canvas, caption, DT_LEFT | DT_WORDBREAK | DT_EXPANDTABS);
    if (Focused() && !Caption().empty()) {
        canvas->Font()->Assign(Font());
        PaintFocusBox(canvas, caption);
    }
    Canvas()->Draw(0, 0, &shot);
}
