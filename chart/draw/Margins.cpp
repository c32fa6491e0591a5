#include "chart/draw/Margins.h"

#include "chart/draw/ChartTypes.h"

TMargins::TMargins(TNotifyEvent onChange, int defaultHoriz)
    : OnChange(std::move(onChange)), defaultHoriz_(defaultHoriz), left_(defaultHoriz),
      right_(defaultHoriz) {}

void TMargins::DeclareProperties(TPropertyList& p) {
    p.Add("Bottom", &TMargins::Bottom, &TMargins::SetBottom).Default(5);
    p.Add("Left", &TMargins::Left, &TMargins::SetLeft).Stored(&TMargins::LeftStored);
    p.Add("Right", &TMargins::Right, &TMargins::SetRight).Stored(&TMargins::RightStored);
    p.Add("Top", &TMargins::Top, &TMargins::SetTop).Default(5);
    p.Add("Units", &TMargins::Units, &TMargins::SetUnits).Default(maPercentFont);
}

void TMargins::Assign(TPersistent* source) {
    if (auto* m = dynamic_cast<TMargins*>(source)) {
        SetUnits(m->units_);
        SetLeft(m->left_);
        SetTop(m->top_);
        SetRight(m->right_);
        SetBottom(m->bottom_);
        return;
    }
    TPersistent::Assign(source);
}

void TMargins::ComputePixels(int width, int height, int fontHeight) {
    switch (units_) {
    case maPercentFont:
        pixels_ = {RoundEven(left_ * 0.02 * fontHeight), RoundEven(top_ * 0.02 * fontHeight),
                   RoundEven(right_ * 0.02 * fontHeight), RoundEven(bottom_ * 0.02 * fontHeight)};
        break;
    case maPercentSize:
        pixels_ = {RoundEven(left_ * 0.01 * width), RoundEven(top_ * 0.01 * height),
                   RoundEven(right_ * 0.01 * width), RoundEven(bottom_ * 0.01 * height)};
        break;
    default:
        pixels_ = {left_, top_, right_, bottom_};
        break;
    }
}
