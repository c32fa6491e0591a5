#include "platform/stdctrls/SpinEdit.h"

#include "platform/forms/WidgetBridge.h"
#include "platform/stdctrls/SignalGuard_p.h"

#include <QSignalBlocker>
#include <QSpinBox>

#include <algorithm>
#include <cstdlib>

TSpinEdit::TSpinEdit(TComponent* owner) : TCustomEdit(owner) {
    TWinControl::DoSetText("0");
}

void TSpinEdit::DeclareProperties(TPropertyList& p) {
    p.Add("Increment", &TSpinEdit::Increment, &TSpinEdit::SetIncrement).Default(1);
    p.Add("MaxValue", &TSpinEdit::MaxValue, &TSpinEdit::SetMaxValue).Default(0);
    p.Add("MinValue", &TSpinEdit::MinValue, &TSpinEdit::SetMinValue).Default(0);
    p.Add("Value", &TSpinEdit::Value, &TSpinEdit::SetValue).Default(0);
    p.AddFn<TSpinEdit>(
         "Text", [](TSpinEdit* e) { return e->GetText(); }, nullptr)
        .Stored(false);
}

int TSpinEdit::Clamp(int v) const {
    if (minValue_ == 0 && maxValue_ == 0)
        return v;
    return std::clamp(v, std::min(minValue_, maxValue_), std::max(minValue_, maxValue_));
}

void TSpinEdit::SetValue(int v) {
    SetText(std::to_string(Clamp(v)));
}

void TSpinEdit::DoSetText(const std::string& value) {
    // A text that is no number counts as the lowest value.
    char* end = nullptr;
    const long parsed = std::strtol(value.c_str(), &end, 10);
    const bool number = !value.empty() && end && *end == '\0';
    value_ = Clamp(number ? static_cast<int>(parsed) : minValue_);
    TCustomEdit::DoSetText(std::to_string(value_));
}

void TSpinEdit::SetMinValue(int v) {
    minValue_ = v;
    UpdateWidgetState();
}

void TSpinEdit::SetMaxValue(int v) {
    maxValue_ = v;
    UpdateWidgetState();
}

void TSpinEdit::SetIncrement(int v) {
    increment_ = v;
    UpdateWidgetState();
}

QWidget* TSpinEdit::CreateWidget() {
    auto* w = new TWidgetBridge<QSpinBox>(this);
    QObject::connect(w, QOverload<int>::of(&QSpinBox::valueChanged), guard_.get(), [this](int v) {
        SafeCall(this, [&] {
            if (v == value_)
                return;
            value_ = v;
            UserChangedText(std::to_string(v));
        });
    });
    return w;
}

void TSpinEdit::UpdateWidgetState() {
    TCustomEdit::UpdateWidgetState();
    if (!HandleAllocated())
        return;
    auto* w = static_cast<QSpinBox*>(Handle());
    QSignalBlocker block(w);
    if (minValue_ == 0 && maxValue_ == 0)
        w->setRange(-2147483647, 2147483647);
    else
        w->setRange(std::min(minValue_, maxValue_), std::max(minValue_, maxValue_));
    w->setSingleStep(increment_);
    w->setReadOnly(readOnly_);
    w->setValue(value_);
}
