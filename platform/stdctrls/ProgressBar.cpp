#include "platform/stdctrls/ProgressBar.h"

#include "platform/forms/WidgetBridge.h"

#include <QProgressBar>

#include <algorithm>

TProgressBar::TProgressBar(TComponent* owner) : TWinControl(owner) {
    SetBounds(0, 0, 150, 16);
}

void TProgressBar::DeclareProperties(TPropertyList& p) {
    p.Add("Max", &TProgressBar::Max, &TProgressBar::SetMax).Default(100);
    p.Add("Min", &TProgressBar::Min, &TProgressBar::SetMin).Default(0);
    p.Add("Position", &TProgressBar::Position, &TProgressBar::SetPosition).Default(0);
    p.Add("Step", &TProgressBar::Step, &TProgressBar::SetStep).Default(10);
}

void TProgressBar::SetMin(int v) {
    min_ = v;
    if (max_ < min_)
        max_ = min_;
    SetPosition(position_);
}

void TProgressBar::SetMax(int v) {
    max_ = v;
    if (min_ > max_)
        min_ = max_;
    SetPosition(position_);
}

void TProgressBar::SetPosition(int v) {
    position_ = std::clamp(v, min_, max_);
    UpdateWidgetState();
}

void TProgressBar::StepIt() {
    int next = position_ + step_;
    if (next > max_)
        next = min_ + (next - max_ - 1) % std::max(1, max_ - min_ + 1);
    SetPosition(next);
}

QWidget* TProgressBar::CreateWidget() {
    auto* w = new TWidgetBridge<QProgressBar>(this);
    w->setTextVisible(false);
    return w;
}

void TProgressBar::UpdateWidgetState() {
    TWinControl::UpdateWidgetState();
    if (!HandleAllocated())
        return;
    auto* w = static_cast<QProgressBar*>(Handle());
    w->setRange(min_, max_);
    w->setValue(position_);
}
