#include "controls/containers/FrControlExtras.h"

void TFrPadding::DeclareProperties(TPropertyList& p) {
    p.Add("Left", &TFrPadding::Left, &TFrPadding::SetLeft).Default(0);
    p.Add("Top", &TFrPadding::Top, &TFrPadding::SetTop).Default(0);
    p.Add("Right", &TFrPadding::Right, &TFrPadding::SetRight).Default(0);
    p.Add("Bottom", &TFrPadding::Bottom, &TFrPadding::SetBottom).Default(0);
}

void TFrPadding::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TFrPadding*>(source);
    if (other == nullptr) {
        TPersistent::Assign(source);
        return;
    }
    left_ = other->left_;
    top_ = other->top_;
    right_ = other->right_;
    bottom_ = other->bottom_;
    if (OnChange)
        OnChange(this);
}

void TFrPadding::Set(int& field, int value) {
    if (field == value)
        return;
    field = value;
    if (OnChange)
        OnChange(this);
}

void TFrPadding::Apply(TRect& r) const {
    r.Left += left_;
    r.Top += top_;
    r.Right -= right_;
    r.Bottom -= bottom_;
}
