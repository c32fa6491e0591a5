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
    range_.SetMin(v);
    UpdateWidgetState();
}

void TProgressBar::SetMax(int v) {
    range_.SetMax(v);
    UpdateWidgetState();
}

void TProgressBar::SetPosition(int v) {
    range_.SetPosition(v);
    UpdateWidgetState();
}

void TProgressBar::StepIt() {
    const int min = range_.Min(), max = range_.Max();
    int next = range_.Position() + step_;
    if (next > max)
        next = min + (next - max - 1) % std::max(1, max - min + 1);
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
    w->setRange(range_.Min(), range_.Max());
    w->setValue(range_.Position());
}
