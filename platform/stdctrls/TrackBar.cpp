#include "platform/stdctrls/TrackBar.h"

#include "platform/forms/WidgetBridge.h"
#include "platform/stdctrls/WidgetSupport_p.h"

#include <QSignalBlocker>
#include <QSlider>

#include <algorithm>

TTrackBar::TTrackBar(TComponent* owner)
    : TWinControl(owner), range_(0, 10, [this] {
          UpdateWidgetState();
          if (OnChange)
              OnChange(this);
      }) {
    SetBounds(0, 0, 150, 45);
    SetTabStop(true);
}

void TTrackBar::DeclareProperties(TPropertyList& p) {
    p.Add("Max", &TTrackBar::Max, &TTrackBar::SetMax).Default(10);
    p.Add("Min", &TTrackBar::Min, &TTrackBar::SetMin).Default(0);
    p.Add("Frequency", &TTrackBar::Frequency, &TTrackBar::SetFrequency).Default(1);
    p.Add("Orientation", &TTrackBar::Orientation, &TTrackBar::SetOrientation).Default(trHorizontal);
    p.Add("PageSize", &TTrackBar::PageSize, &TTrackBar::SetPageSize).Default(2);
    p.Add("Position", &TTrackBar::Position, &TTrackBar::SetPosition).Default(0);
    p.Add("OnChange", &TTrackBar::OnChange);
}

void TTrackBar::SetMin(int v) {
    range_.SetMin(v);
    UpdateWidgetState();
}

void TTrackBar::SetMax(int v) {
    range_.SetMax(v);
    UpdateWidgetState();
}

void TTrackBar::SetPosition(int v) {
    range_.SetPosition(v);
}

void TTrackBar::SetPageSize(int v) {
    pageSize_ = std::max(v, 0);
    UpdateWidgetState();
}

void TTrackBar::SetFrequency(int v) {
    frequency_ = std::max(v, 0);
    UpdateWidgetState();
}

void TTrackBar::SetOrientation(TTrackBarOrientation v) {
    if (v == orientation_)
        return;
    orientation_ = v;
    if (!InLoading())
        SetBounds(Left(), Top(), Height(), Width());
    UpdateWidgetState();
}

QWidget* TTrackBar::CreateWidget() {
    auto* w = new TWidgetBridge<QSlider>(this);
    w->setTickPosition(QSlider::TicksBelow);
    QObject::connect(w, &QSlider::valueChanged, guard_.get(),
                     [this](int value) { SafeCall(this, [&] { SetPosition(value); }); });
    return w;
}

void TTrackBar::UpdateWidgetState() {
    TWinControl::UpdateWidgetState();
    if (!HandleAllocated())
        return;
    auto* w = static_cast<QSlider*>(Handle());
    QSignalBlocker block(w);
    w->setOrientation(orientation_ == trVertical ? Qt::Vertical : Qt::Horizontal);
    // The classic vertical bar has its minimum at the top.
    w->setInvertedAppearance(orientation_ == trVertical);
    w->setInvertedControls(orientation_ == trVertical);
    w->setRange(range_.Min(), range_.Max());
    w->setPageStep(pageSize_);
    w->setTickInterval(frequency_);
    w->setValue(range_.Position());
}

void TTrackBar::WndProc(TMessage& message) {
    if (!KeepArrowKeys(message))
        TWinControl::WndProc(message);
}
