#include "controls/containers/FrGroupBox.h"

#include "controls/common/FrSystem.h"
#include "controls/containers/FrContainerSupport.h"
#include "controls/paint/FrGradient.h"
#include "platform/forms/Menus.h"
#include "platform/graphics/Themes.h"
#include "platform/rtl/CodePage.h"

bool IsAccelerator(char16_t ch, const std::string& caption) {
    const char32_t hotkey = GetHotkey(caption);
    if (hotkey == 0 || hotkey > 0xFFFF || ch == 0)
        return false;
    const std::string a = Utf16ToUtf8(std::u16string(1, ch));
    const std::string b = Utf16ToUtf8(std::u16string(1, static_cast<char16_t>(hotkey)));
    return AnsiUpperCase(a) == AnsiUpperCase(b);
}

TFrCustomGroupBox::TFrCustomGroupBox(TComponent* owner) : TFrCustomPanel(owner) {
    SetControlStyle(ControlStyle() + TControlStyle{csSetCaption, csDoubleClicks});
    SetBorderOuter(fsNone);
    SetBorderInner(fsNone);
    SetAlignment(taLeftJustify);
    SetAlignmentVertical(avTop);
    SetHeight(105);
}

void TFrCustomGroupBox::DeclareProperties(TPropertyList& p) {
    using C = TFrCustomGroupBox;
    p.Add("Alignment", &C::Alignment, &C::SetAlignment).Default(taLeftJustify);
    p.Add("AlignmentVertical", &C::AlignmentVertical, &C::SetAlignmentVertical).Default(avTop);
    p.Add("BorderOuter", &C::BorderOuter, &C::SetBorderOuter).Default(fsNone);
    p.Add("GroupStyle", &C::GroupStyle, &C::SetGroupStyle).Default(gsFlat);
}

void TFrCustomGroupBox::SetGroupStyle(TFrGroupBoxStyle v) {
    ChangeAndRealign(groupStyle_, v);
}

bool TFrCustomGroupBox::Themed() const {
    return VisualStyle() == vsWinXP && ThemeServicesEnabled();
}

int TFrCustomGroupBox::FontTextHeight(const std::string& sample) {
    TCanvas* canvas = Canvas();
    canvas->Font()->Assign(Font());
    return canvas->TextHeight(sample);
}

void TFrCustomGroupBox::AdjustChildArea(TRect& rect) {
    TFrCustomPanel::AdjustChildArea(rect);
    const int h = FontTextHeight("Yy");
    switch (groupStyle_) {
    case gsStandard:
    case gsFlat: {
        const int a = h / 2 - 1;
        rect.Top += a >= BorderWidth() ? h - BorderWidth() : a;
        const int d = groupStyle_ == gsStandard ? 2 : 1;
        InflateRect(rect, -d, -d);
        break;
    }
    case gsCustom:
        if (!Caption().empty())
            rect.Top += h;
        InflateRect(rect, -2, -2);
        break;
    case gsTopLine:
        rect.Top += h;
        break;
    case gsBanner:
        rect.Top += h + 8;
        break;
    case gsUnderline:
        rect.Top += h + 4;
        break;
    }
}

TRect TFrCustomGroupBox::CaptionRect() {
    if (Caption().empty() || groupStyle_ == gsCustom)
        return Rect(0, 0, 0, 0);
    TCanvas* canvas = Canvas();
    canvas->Font()->Assign(Font());
    const TSize size = canvas->TextExtent(StripAccelerators(Caption()));
    switch (groupStyle_) {
    case gsTopLine:
        return Rect(0, 0, size.cx + 4, size.cy);
    case gsBanner:
        return Rect(0, 0, Width(), size.cy + 6);
    case gsUnderline:
        return Rect(0, 0, Width(), size.cy + 2);
    default:
        return Rect(8, 0, 8 + size.cx, size.cy);
    }
}

void TFrCustomGroupBox::FramingChanged() {
    if (groupStyle_ == gsCustom)
        TFrCustomPanel::FramingChanged();
}

void TFrCustomGroupBox::WndProc(TMessage& message) {
    switch (message.Msg) {
    case CM_DIALOGCHAR:
        if (DialogChar(static_cast<char16_t>(message.WParam))) {
            message.Result = 1;
            return;
        }
        break;
    case CM_FONTCHANGED:
        TFrCustomPanel::WndProc(message);
        Realign();
        Invalidate();
        return;
    default:
        break;
    }
    TFrCustomPanel::WndProc(message);
}

bool TFrCustomGroupBox::DialogChar(char16_t ch) {
    if (!IsAccelerator(ch, Caption()) || !CanFocus())
        return false;
    if (TWinControl* first = FindNextControl(nullptr, true, true, false))
        first->SetFocus();
    return true;
}

// ---- painting -----------------------------------------------------------------------------------

void TFrCustomGroupBox::Paint() {
    const TRect k = CaptionRect();
    if (Themed() && (groupStyle_ == gsStandard || groupStyle_ == gsFlat)) {
        PaintThemed(k);
        return;
    }
    if (groupStyle_ == gsCustom) {
        PaintPanel();
        return;
    }
    TCanvas* canvas = Canvas();
    const int saved = canvas->SaveDC();
    if (!Transparent()) {
        canvas->Brush()->SetStyle(bsSolid);
        canvas->Brush()->SetColor(Color());
        canvas->FillRect(Rect(0, 0, Width(), Height()));
    } else if (groupStyle_ != gsBanner) {
        canvas->ExcludeClipRect(k);
    }
    PaintFrame(k);
    canvas->RestoreDC(saved);
    if (!Caption().empty())
        PaintGroupCaption(k);
    if (OnPaint)
        OnPaint(this);
}

// The themed look: the parent's background, the group-box element around the caption, and the
// caption in the theme's text colour. Our stand-in for the element is a one-pixel frame with cut
// corners in the theme's border colour (the shadow colour when disabled).
void TFrCustomGroupBox::PaintThemed(const TRect& k) {
    TCanvas* canvas = Canvas();
    if (!Transparent())
        PaintParentBackground(this, canvas, true);
    const int y0 = FontTextHeight("Pp") / 2 - 1;
    TColor frame = clBtnShadow;
    if (Enabled() && !GetThemeColor(tcEdit, 0, 0, TMT_BORDERCOLOR, frame))
        frame = clBtnShadow;
    const int saved = canvas->SaveDC();
    canvas->ExcludeClipRect(k);
    PaintRoundedFlatSides(canvas, Rect(0, y0, Width(), Height()), frame, AllSides);
    canvas->RestoreDC(saved);
    if (Caption().empty())
        return;
    canvas->Font()->Assign(Font());
    canvas->Font()->SetColor(Enabled() ? ThemedElementColor(6) : clGrayText);
    canvas->Brush()->SetStyle(bsClear);
    unsigned flags = DT_SINGLELINE;
    flags |= Alignment() == taCenter ? DT_CENTER : Alignment() == taRightJustify ? DT_RIGHT : 0;
    TRect r = k;
    canvas->DrawText(Caption(), r, flags);
    canvas->Brush()->SetStyle(bsSolid);
    if (OnPaint)
        OnPaint(this);
}

void TFrCustomGroupBox::PaintFrame(const TRect& k) {
    TCanvas* canvas = Canvas();
    const TRect f = Rect(0, FontTextHeight("Pp") / 2 - 1, Width(), Height());
    const TColor flat = ColorToRGB(AdjustColorLightness(FlatColor(), FlatColorAdjustment()));
    canvas->Pen()->SetStyle(psSolid);
    canvas->Pen()->SetWidth(1);
    canvas->Pen()->SetColor(flat);
    auto line = [canvas](int x0, int y0, int x1, int y1) {
        canvas->MoveTo(x0, y0);
        canvas->LineTo(x1, y1);
    };
    switch (groupStyle_) {
    case gsStandard:
        if (BorderOuter() == fsNone)
            PaintFrameStyleSides(canvas, f, fsGroove, AllSides);
        else if (BorderOuter() == fsFlat)
            PaintBox(canvas, f, flat);
        else if (BorderOuter() == fsFlatBold)
            PaintBevel(canvas, f, flat, flat, AllSides, 2);
        else
            PaintFrameStyleSides(canvas, f, BorderOuter(), AllSides);
        break;
    case gsTopLine:
        if (BorderOuter() == fsFlat || BorderOuter() == fsFlatBold) {
            line(f.Left + 2, f.Top, f.Right - 2, f.Top);
            if (BorderOuter() == fsFlatBold)
                line(f.Left + 2, f.Top + 1, f.Right - 2, f.Top + 1);
        } else {
            PaintFrameStyleSides(canvas, f, BorderOuter() == fsNone ? fsGroove : BorderOuter(),
                                 TSides{sdTop});
        }
        break;
    case gsFlat:
        line(f.Left, f.Top + 2, f.Left, f.Bottom - 2);
        line(f.Left + 2, f.Top, f.Right - 2, f.Top);
        line(f.Right - 1, f.Top + 2, f.Right - 1, f.Bottom - 2);
        line(f.Left + 2, f.Bottom - 1, f.Right - 2, f.Bottom - 1);
        canvas->SetPixel(f.Left + 1, f.Top + 1, flat);
        canvas->SetPixel(f.Right - 2, f.Top + 1, flat);
        canvas->SetPixel(f.Right - 2, f.Bottom - 2, flat);
        canvas->SetPixel(f.Left + 1, f.Bottom - 2, flat);
        break;
    case gsBanner:
        PaintBannerFrame(k, flat);
        break;
    case gsUnderline:
        line(k.Left, k.Bottom, k.Right, k.Bottom);
        break;
    case gsCustom:
        break;
    }
}

void TFrCustomGroupBox::PaintBannerFrame(const TRect& k, TColor flat) {
    TCanvas* canvas = Canvas();
    TColor start = GradientColorStart(), stop = GradientColorStop(), outline = flat;
    if (GradientColorStyle() != gcsCustom)
        StatusBarGradientColors(GradientColorStyle(), stop, start, outline);
    PaintOpenCornerOutline(canvas, k, outline);
    TRect inside = k;
    InflateRect(inside, -1, -1);
    PaintGradient(canvas, inside, gdHorizontalEnd, 1, stop, start);
}

void TFrCustomGroupBox::PaintGroupCaption(TRect k) {
    TCanvas* canvas = Canvas();
    canvas->Brush()->SetColor(Color());
    canvas->Brush()->SetStyle(bsSolid);
    if (groupStyle_ == gsBanner)
        InflateRect(k, -4, -1);
    else if (!Transparent())
        canvas->FillRect(k);
    canvas->Brush()->SetStyle(bsClear);
    canvas->Font()->Assign(Font());
    if (!Enabled())
        canvas->Font()->SetColor(clGrayText);
    else if (Themed())
        canvas->Font()->SetColor(ThemedElementColor(6));
    unsigned flags = DT_SINGLELINE;
    flags |= Alignment() == taCenter ? DT_CENTER : Alignment() == taRightJustify ? DT_RIGHT : 0;
    canvas->DrawText(Caption(), k, flags);
    canvas->Brush()->SetStyle(bsSolid);
}
