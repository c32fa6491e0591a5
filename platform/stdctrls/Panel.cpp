#include "platform/stdctrls/Panel.h"

#include "platform/stdctrls/BevelFrame.h"

#include <algorithm>

TCustomPanel::TCustomPanel(TComponent* owner) : TCustomControl(owner) {
    SetControlStyle(ControlStyle() + TControlStyle{csAcceptsControls, csOpaque, csSetCaption});
    SetBounds(0, 0, 185, 41);
    SetColor(clBtnFace);
}

void TCustomPanel::DeclareProperties(TPropertyList& p) {
    p.Add("Alignment", &TCustomPanel::Alignment, &TCustomPanel::SetAlignment).Default(taCenter);
    p.Add("BevelInner", &TCustomPanel::BevelInner, &TCustomPanel::SetBevelInner).Default(bvNone);
    p.Add("BevelOuter", &TCustomPanel::BevelOuter, &TCustomPanel::SetBevelOuter).Default(bvRaised);
    p.Add("BevelWidth", &TCustomPanel::BevelWidth, &TCustomPanel::SetBevelWidth).Default(1);
    p.Add("BorderWidth", &TCustomPanel::BorderWidth, &TCustomPanel::SetBorderWidth).Default(0);
}

void TCustomPanel::Changed() {
    Realign();
    Invalidate();
}

void TCustomPanel::SetBevelInner(TPanelBevel v) {
    bevelInner_ = v;
    Changed();
}

void TCustomPanel::SetBevelOuter(TPanelBevel v) {
    bevelOuter_ = v;
    Changed();
}

void TCustomPanel::SetBevelWidth(int v) {
    bevelWidth_ = std::max(v, 1);
    Changed();
}

void TCustomPanel::SetBorderWidth(int v) {
    borderWidth_ = std::max(v, 0);
    Changed();
}

void TCustomPanel::SetAlignment(TAlignment v) {
    alignment_ = v;
    Invalidate();
}

int TCustomPanel::Inset() const {
    int inset = borderWidth_;
    if (bevelOuter_ != bvNone)
        inset += bevelWidth_;
    if (bevelInner_ != bvNone)
        inset += bevelWidth_;
    return inset;
}

void TCustomPanel::AlignControls(TControl* changed, TRect& rect) {
    const int inset = Inset();
    rect.Left += inset;
    rect.Top += inset;
    rect.Right = std::max(rect.Left, rect.Right - inset);
    rect.Bottom = std::max(rect.Top, rect.Bottom - inset);
    TCustomControl::AlignControls(changed, rect);
}

void TCustomPanel::WndProc(TMessage& message) {
    TCustomControl::WndProc(message);
    if (message.Msg == CM_TEXTCHANGED || message.Msg == CM_FONTCHANGED ||
        message.Msg == CM_COLORCHANGED)
        Invalidate();
}

void TCustomPanel::Paint() {
    TCanvas* c = Canvas();
    TRect r = ClientRect();
    c->Brush()->SetColor(Color());
    c->Brush()->SetStyle(bsSolid);
    c->FillRect(r);
    auto bevel = [&](TPanelBevel b) {
        if (b == bvNone)
            return;
        if (b == bvSpace) {
            r.Left += bevelWidth_;
            r.Top += bevelWidth_;
            r.Right -= bevelWidth_;
            r.Bottom -= bevelWidth_;
            return;
        }
        BevelFrame(c, r, b == bvRaised, bevelWidth_);
    };
    bevel(bevelOuter_);
    r.Left += borderWidth_;
    r.Top += borderWidth_;
    r.Right -= borderWidth_;
    r.Bottom -= borderWidth_;
    bevel(bevelInner_);
    if (!Caption().empty()) {
        c->Brush()->SetStyle(bsClear);
        c->Font()->Assign(Font());
        unsigned flags = DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS;
        if (alignment_ == taCenter)
            flags |= DT_CENTER;
        else if (alignment_ == taRightJustify)
            flags |= DT_RIGHT;
        c->TextRect(r, Caption(), flags);
    }
}
