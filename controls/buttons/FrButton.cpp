#include "controls/buttons/FrButton.h"

#include "controls/paint/FrBitmaps.h"
#include "controls/paint/FrColors.h"
#include "controls/paint/FrFrames.h"
#include "controls/paint/FrGradient.h"
#include "controls/paint/FrPatterns.h"
#include "platform/classes/Reader.h"
#include "platform/forms/Forms.h"
#include "platform/forms/Menus.h"
#include "platform/stdctrls/Button.h"

#include <cctype>

namespace {

// A one-pixel outline without its four corner pixels.
void PaintCornerlessBox(TCanvas* canvas, const TRect& r, TColor color) {
    canvas->Pen()->SetStyle(psSolid);
    canvas->Pen()->SetWidth(1);
    canvas->Pen()->SetColor(color);
    canvas->MoveTo(r.Left, r.Top + 1);
    canvas->LineTo(r.Left, r.Bottom - 1);
    canvas->MoveTo(r.Left + 1, r.Top);
    canvas->LineTo(r.Right - 1, r.Top);
    canvas->MoveTo(r.Right - 1, r.Top + 1);
    canvas->LineTo(r.Right - 1, r.Bottom - 1);
    canvas->MoveTo(r.Left + 1, r.Bottom - 1);
    canvas->LineTo(r.Right - 1, r.Bottom - 1);
}

} // namespace

TFrButton::TFrButton(TComponent* owner) : TFrCustomButton(owner) {
    SetColor(clBtnFace);
    SetParentColor(false);
    SetBounds(Left(), Top(), 75, 25);
}

void TFrButton::DeclareProperties(TPropertyList& p) {
    using B = TFrButton;
    p.Add("Alignment", &B::Alignment, &B::SetAlignment).Default(taCenter);
    p.Add("AllowAllUp", &B::AllowAllUp, &B::SetAllowAllUp).Default(false);
    p.Add("Cancel", &B::Cancel, &B::SetCancel).Default(false);
    p.Add("Color", &B::Color, &B::SetColor, TColorTypeInfo()).Default(clBtnFace);
    p.Add("Default", &B::Default, &B::SetDefault).Default(false);
    p.Add("DropDownOnEnter", &B::DropDownOnEnter, &B::SetDropDownOnEnter).Default(true);
    p.Add("FrameColor", &B::FrameColor, &B::SetFrameColor, TColorTypeInfo()).Default(cl3DDkShadow);
    p.Add("GroupIndex", &B::GroupIndex, &B::SetGroupIndex).Default(0);
    p.Add("Down", &B::Down, &B::SetDown).Default(false);
    p.Add("ModalResult", &B::ModalResult, &B::SetModalResult).Default(0);
    p.Add("ParentColor", &B::ParentColor, &B::SetParentColor).Default(false);
    p.Add("ShowDownPattern", &B::ShowDownPattern, &B::SetShowDownPattern).Default(true);
    p.Add("ShowFocusRect", &B::ShowFocusRect, &B::SetShowFocusRect).Default(true);
}

void TFrButton::DefineProperties(TFiler* filer) {
    TFrCustomButton::DefineProperties(filer);
    // Older descriptions name the hot-tracking look "FrameFlat".
    filer->DefineProperty(
        "FrameFlat", [this](TReader* reader) { SetHotTrack(reader->ReadBoolean()); }, nullptr,
        false);
}

// ---- properties ---------------------------------------------------------------------------------

void TFrButton::SetAlignment(TAlignment value) {
    if (value != alignment_) {
        alignment_ = value;
        Invalidate();
    }
}

void TFrButton::SetAllowAllUp(bool value) {
    if (value != allowAllUp_) {
        allowAllUp_ = value;
        BroadcastGroup();
    }
}

void TFrButton::SetDefault(bool value) {
    if (value == default_)
        return;
    default_ = value;
    Invalidate();
    // The form works out again which button acts on Enter.
    if (TCustomForm* form = GetParentForm(); form != nullptr && !InLoading())
        form->Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(form->ActiveControl()));
}

void TFrButton::SetGroupIndex(int value) {
    if (value != groupIndex_) {
        groupIndex_ = value;
        BroadcastGroup();
    }
}

void TFrButton::SetDown(bool value) {
    if (groupIndex_ == 0)
        value = false;
    if (value == down_ || (down_ && !allowAllUp_ && groupIndex_ != 0))
        return;
    down_ = value;
    Invalidate();
    if (value)
        BroadcastGroup();
}

void TFrButton::SetFrameColor(TColor value) {
    if (value != frameColor_) {
        frameColor_ = value;
        Invalidate();
    }
}

void TFrButton::SetShowDownPattern(bool value) {
    if (value != showDownPattern_) {
        showDownPattern_ = value;
        Invalidate();
    }
}

void TFrButton::SetShowFocusRect(bool value) {
    if (value != showFocusRect_) {
        showFocusRect_ = value;
        Invalidate();
    }
}

void TFrButton::SetHotTrack(bool value) {
    TFrCustomButton::SetHotTrack(value);
    SetTransparent(value);
    Invalidate();
}

// ---- clicks, groups, focus and keys -------------------------------------------------------------

void TFrButton::Click() {
    if (TCustomForm* form = GetParentForm())
        form->SetModalResult(modalResult_);
    TFrCustomButton::Click();
}

void TFrButton::RunClick() {
    std::weak_ptr<int> alive = lifeToken_;
    clicking_ = true;
    Click();
    if (!alive.expired())
        clicking_ = false;
}

void TFrButton::ClickAction() {
    if (groupIndex_ != 0)
        SetDown(!down_);
    else
        Invalidate();
    RunClick();
}

void TFrButton::BroadcastGroup() {
    if (groupIndex_ == 0 || Parent() == nullptr)
        return;
    TMessage m{CM_FRBUTTONPRESSED, static_cast<WPARAM>(groupIndex_), reinterpret_cast<LPARAM>(this),
               0};
    Parent()->Broadcast(m);
}

void TFrButton::GroupPressed(TMessage& m) {
    auto* sender = reinterpret_cast<TFrButton*>(m.LParam);
    if (static_cast<int>(m.WParam) != groupIndex_ || sender == this || sender == nullptr)
        return;
    if (sender->Down() && down_) {
        down_ = false;
        Invalidate();
    }
    allowAllUp_ = sender->AllowAllUp();
}

bool TFrButton::ActiveFor(const TWinControl* focused) const {
    if (dynamic_cast<const TFrButton*>(focused) != nullptr ||
        dynamic_cast<const TButton*>(focused) != nullptr)
        return focused == this;
    return default_;
}

bool TFrButton::Active() const {
    TCustomForm* form = GetParentForm();
    return ActiveFor(form != nullptr ? form->ActiveControl() : nullptr);
}

void TFrButton::FocusChanged(TMessage& m) {
    const bool active = ActiveFor(reinterpret_cast<TWinControl*>(m.LParam));
    if (active != active_) {
        active_ = active;
        Invalidate();
    }
}

bool TFrButton::DialogKey(TMessage& m) {
    const auto key = static_cast<TKeyCode>(m.WParam);
    const TShiftState shift = TShiftState::FromBits(static_cast<uint64_t>(m.LParam));
    if (shift.Contains(ssShift) || shift.Contains(ssAlt) || shift.Contains(ssCtrl))
        return false;
    if (!((key == VK_RETURN && Active()) || (key == VK_ESCAPE && cancel_)) || !CanFocus())
        return false;
    const bool flagKey = key == VK_RETURN && !dropDownOnEnter_;
    std::weak_ptr<int> alive = lifeToken_;
    if (flagKey)
        keyWasPressed_ = true;
    Click();
    if (flagKey && !alive.expired())
        keyWasPressed_ = false;
    return true;
}

void TFrButton::WndProc(TMessage& m) {
    switch (m.Msg) {
    case CM_FRBUTTONPRESSED:
        GroupPressed(m);
        return;
    case CM_FOCUSCHANGED:
        FocusChanged(m);
        return;
    case CM_DIALOGKEY:
        if (DialogKey(m))
            m.Result = 1;
        return;
    case CM_DIALOGCHAR: {
        const char32_t hotkey = GetHotkey(Caption());
        if (hotkey != 0 && hotkey < 128 &&
            std::toupper(static_cast<int>(hotkey)) == static_cast<int>(m.WParam) && CanFocus()) {
            Click();
            m.Result = 1;
        }
        return;
    }
    default:
        TFrCustomButton::WndProc(m);
    }
}

// ---- painting -----------------------------------------------------------------------------------

TRect TFrButton::CaptionRect() {
    TRect r = ClientRect();
    InflateRect(r, -5, -5);
    if (!HotTrack() && !UseThemes() && ((groupIndex_ != 0 && DownIsh()) || ShowDownVersion()))
        OffsetRect(r, 1, 1);
    return r;
}

unsigned TFrButton::CaptionFormat() const {
    unsigned align = DT_CENTER;
    if (alignment_ == taLeftJustify)
        align = DT_LEFT;
    else if (alignment_ == taRightJustify)
        align = DT_RIGHT;
    return align | DT_WORDBREAK | DT_EXPANDTABS;
}

void TFrButton::DrawContent(TCanvas* canvas) {
    DrawCaption(canvas, CaptionRect(), CaptionFormat());
}

void TFrButton::PaintTransparentBackground(TCanvas* canvas) {
    if (!Transparent())
        return;
    // Everything but the four corners the rounded edge leaves open.
    TRect inner = ClientRect();
    const int d = Enabled() ? 1 : 2;
    InflateRect(inner, -d, -d);
    TRect wide = inner;
    InflateRect(wide, 1, -1);
    TRect tall = wide;
    InflateRect(tall, -2, 2);
    const int saved = canvas->SaveDC();
    canvas->ExcludeClipRect(inner);
    canvas->ExcludeClipRect(wide);
    canvas->ExcludeClipRect(tall);
    PaintParentBackground(this, canvas, false);
    canvas->RestoreDC(saved);
}

void TFrButton::Paint() {
    TCanvas* canvas = Canvas();
    TRect r = ClientRect();
    TRect focus = r;
    const int inset = HotTrack() || UseThemes() ? 3 : 4;
    InflateRect(focus, -inset, -inset);
    if (groupIndex_ != 0 && DownIsh())
        OffsetRect(focus, 1, 1);

    if (UseThemes()) {
        PaintThemed(canvas, r);
    } else {
        PaintTransparentBackground(canvas);
        if (HotTrack() && Enabled())
            PaintHotTrack(canvas, r);
        else if (HotTrack())
            PaintHotTrackDisabled(canvas, r);
        else
            r = PaintClassic(canvas, r);
        if (groupIndex_ != 0 && down_ && showDownPattern_)
            PaintDownPattern(canvas, r);
    }
    canvas->Font()->Assign(Font());
    DrawContent(canvas);
    if (Focused() && showFocusRect_)
        PaintDottedFocusBox(canvas, focus);
}

// The desktop theme's push button, drawn by our own stand-in of the element (the theme service
// has no drawing of its own here): a rounded outline and a face shaded by the state.
void TFrButton::PaintThemed(TCanvas* canvas, TRect r) {
    PaintParentBackground(this, canvas, false);
    TColor frame = RGB(0, 60, 116);
    TColor top = RGB(255, 255, 255), bottom = RGB(214, 208, 197);
    if (!Enabled()) {
        frame = RGB(201, 199, 186);
        top = bottom = RGB(245, 244, 234);
    } else if (DownIsh()) {
        top = RGB(226, 225, 218);
        bottom = RGB(240, 240, 234);
    } else if (MouseOverButton()) {
        bottom = RGB(248, 179, 48);
    } else if (groupIndex_ == 0 && (Active() || Focused()) && !ShowDownVersion()) {
        bottom = RGB(105, 130, 238);
    }
    TRect face = PaintRoundedFlatSides(canvas, r, frame, AllSides);
    PaintGradient(canvas, face, gdHorizontalEnd, 1, bottom, top);
}

void TFrButton::PaintHotTrack(TCanvas* canvas, TRect r) {
    const TColor parentColor = Parent() != nullptr ? Parent()->Color() : clBtnFace;
    const TColor dark = DarkenColor(parentColor, 20);
    const TColor light = LightenColor(parentColor, 20);
    canvas->Pen()->SetStyle(psSolid);
    canvas->Pen()->SetWidth(1);
    auto line = [canvas](TColor c, int x1, int y1, int x2, int y2) {
        canvas->Pen()->SetColor(c);
        canvas->MoveTo(x1, y1);
        canvas->LineTo(x2, y2);
    };
    // The rounded outer edge in shades of the parent's colour.
    line(dark, r.Left, r.Top + 2, r.Left, r.Bottom - 2);
    line(dark, r.Left + 2, r.Top, r.Right - 2, r.Top);
    line(light, r.Right - 1, r.Top + 2, r.Right - 1, r.Bottom - 2);
    line(light, r.Left + 2, r.Bottom - 1, r.Right - 2, r.Bottom - 1);
    canvas->SetPixel(r.Left + 1, r.Top + 1, dark);
    canvas->SetPixel(r.Right - 2, r.Top + 1, dark);
    canvas->SetPixel(r.Left + 1, r.Bottom - 2, dark);
    canvas->SetPixel(r.Right - 2, r.Bottom - 2, light);
    InflateRect(r, -1, -1);
    PaintCornerlessBox(canvas, r, frameColor_);
    InflateRect(r, -1, -1);
    PaintHotTrackFace(canvas, r);
}

void TFrButton::PaintHotTrackFace(TCanvas* canvas, const TRect& face) {
    const TColor color = Color();
    canvas->Brush()->SetStyle(bsSolid);
    if (DownIsh()) {
        canvas->Brush()->SetColor(DarkenColor(color, 10));
        canvas->FillRect(face);
    } else {
        canvas->Pen()->SetColor(DarkenColor(color, 20));
        canvas->MoveTo(face.Left, face.Bottom - 2);
        canvas->LineTo(face.Right, face.Bottom - 2);
        canvas->Pen()->SetColor(DarkenColor(color, 30));
        canvas->MoveTo(face.Left, face.Bottom - 1);
        canvas->LineTo(face.Right, face.Bottom - 1);
        const TRect upper = Rect(face.Left, face.Top, face.Right, face.Bottom - 2);
        if (FullColorSupported) {
            PaintGradient(canvas, upper, gdHorizontalEnd, 1, DarkenColor(color, 10),
                          LightenColor(color, 30));
        } else {
            canvas->Brush()->SetColor(color);
            canvas->FillRect(upper);
        }
    }
    TColor start = clNone, stop = clNone;
    if (MouseOverButton()) {
        HotTrackColors(start, stop);
    } else if (groupIndex_ == 0 && (Active() || Focused()) && !ShowDownVersion()) {
        TColor h = HighlightColor();
        if (ColorsAreSimilar(h, clBtnFace))
            h = DarkenColor(h, 30);
        const TColor c = LightenColor(color, 30);
        stop = BlendColors(h, c, 160);
        start = BlendColors(h, c, 60);
    }
    if (start != clNone)
        PaintGradientHighlightFrame(canvas, face, gdHorizontalEnd, stop, start);
}

void TFrButton::PaintHotTrackDisabled(TCanvas* canvas, TRect r) {
    InflateRect(r, -1, -1);
    const TColor frame =
        Color() == clBtnFace ? LightenColor(clBtnShadow, 30) : DarkenColor(Color(), 80);
    PaintCornerlessBox(canvas, r, frame);
    InflateRect(r, -1, -1);
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(Color());
    canvas->FillRect(r);
}

TRect TFrButton::PaintClassic(TCanvas* canvas, TRect r) {
    const bool grouped = groupIndex_ != 0;
    if (!grouped && (((Active() || Focused()) && !ShowDownVersion()) || clicking_))
        r = PaintBox(canvas, r, clWindowFrame);
    const TColor color = Color();
    if (color == clBtnFace) {
        if (grouped)
            r = PaintFrameStyleSides(canvas, r, DownIsh() ? fsLowered : fsButtonUp);
        else
            r = PaintButtonSides(canvas, r, ShowDownVersion());
    } else if (!grouped) {
        r = PaintColorButtonSides(canvas, r, color, ShowDownVersion());
    } else if (DownIsh()) {
        r = PaintColorFrameStyleSides(canvas, r, color, fsLowered);
    } else {
        r = PaintColorButtonSides(canvas, r, color, false);
    }
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(color);
    canvas->FillRect(r);
    return r;
}

// An 8 x 8 checker from the control's corner: every pixel whose row and column have the same
// parity is silver (grey on a silver face).
void TFrButton::PaintDownPattern(TCanvas* canvas, const TRect& r) {
    const TColor color = ColorToRGB(Color());
    PaintChecker(canvas, r, color == clSilver ? clGray : clSilver, color);
}
