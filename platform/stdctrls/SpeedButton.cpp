#include "platform/stdctrls/SpeedButton.h"

#include "platform/stdctrls/BevelFrame.h"

TSpeedButton::TSpeedButton(TComponent* owner) : TGraphicControl(owner) {
    SetBounds(0, 0, 23, 22);
}

void TSpeedButton::DeclareProperties(TPropertyList& p) {
    p.Add("AllowAllUp", &TSpeedButton::AllowAllUp, &TSpeedButton::SetAllowAllUp).Default(false);
    p.Add("GroupIndex", &TSpeedButton::GroupIndex, &TSpeedButton::SetGroupIndex).Default(0);
    p.Add("Down", &TSpeedButton::Down, &TSpeedButton::SetDown).Default(false);
    p.Add("Flat", &TSpeedButton::Flat, &TSpeedButton::SetFlat).Default(false);
}

void TSpeedButton::SetDown(bool v) {
    if (groupIndex_ == 0)
        v = false;
    if (v == down_)
        return;
    if (!v && !allowAllUp_ && !InLoading())
        return; // the down button of a group stays down until another one goes down
    down_ = v;
    if (v)
        UpdateGroup();
    Invalidate();
}

void TSpeedButton::UpdateGroup() {
    TWinControl* parent = Parent();
    if (!parent || groupIndex_ == 0)
        return;
    for (int i = 0; i < parent->ControlCount(); ++i)
        if (auto* other = dynamic_cast<TSpeedButton*>(parent->Controls(i));
            other && other != this && other->groupIndex_ == groupIndex_ && other->down_) {
            other->down_ = false;
            other->Invalidate();
        }
}

void TSpeedButton::SetGroupIndex(int v) {
    groupIndex_ = v;
    if (groupIndex_ == 0 && down_) {
        down_ = false;
        Invalidate();
    }
}

void TSpeedButton::SetAllowAllUp(bool v) {
    allowAllUp_ = v;
    // The group shares the setting.
    if (TWinControl* parent = Parent(); parent && groupIndex_ != 0)
        for (int i = 0; i < parent->ControlCount(); ++i)
            if (auto* other = dynamic_cast<TSpeedButton*>(parent->Controls(i));
                other && other->groupIndex_ == groupIndex_)
                other->allowAllUp_ = v;
}

void TSpeedButton::SetFlat(bool v) {
    flat_ = v;
    Invalidate();
}

void TSpeedButton::Click() {
    if (groupIndex_ != 0) {
        if (!down_) {
            down_ = true;
            UpdateGroup();
        } else if (allowAllUp_) {
            down_ = false;
        }
        Invalidate();
    }
    TGraphicControl::Click();
}

void TSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TGraphicControl::MouseDown(button, shift, x, y);
    press_.MouseDown(*this, button, true);
}

void TSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TGraphicControl::MouseUp(button, shift, x, y);
    press_.MouseUp(*this, button);
}

void TSpeedButton::Paint() {
    TCanvas* c = Canvas();
    TRect r = Rect(0, 0, Width(), Height());
    const bool sunken = down_ || press_.Pressed();
    c->Brush()->SetColor(down_ && !press_.Pressed() ? clBtnHighlight : clBtnFace);
    c->Brush()->SetStyle(bsSolid);
    c->FillRect(r);
    ButtonFrame(c, r, sunken, flat_);
    c->Brush()->SetStyle(bsClear);
    c->Font()->Assign(Font());
    if (!Enabled())
        c->Font()->SetColor(clGrayText);
    TRect t = Rect(0, 0, Width(), Height());
    if (sunken)
        OffsetRect(t, 1, 1);
    c->TextRect(t, Caption(), DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}
