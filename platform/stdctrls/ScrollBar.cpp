#include "platform/stdctrls/ScrollBar.h"

#include "platform/forms/WidgetBridge.h"
#include "platform/stdctrls/WidgetSupport_p.h"

#include <QScrollBar>
#include <QSignalBlocker>

#include <algorithm>

TScrollBar::TScrollBar(TComponent* owner)
    : TWinControl(owner), range_(0, 100, [this] {
          UpdateWidgetState();
          if (OnChange)
              OnChange(this);
      }) {
    SetBounds(0, 0, 121, 17);
    SetTabStop(true);
}

void TScrollBar::DeclareProperties(TPropertyList& p) {
    p.Add("Kind", &TScrollBar::Kind, &TScrollBar::SetKind).Default(sbHorizontal);
    p.Add("LargeChange", &TScrollBar::LargeChange, &TScrollBar::SetLargeChange).Default(1);
    p.Add("Max", &TScrollBar::Max, &TScrollBar::SetMax).Default(100);
    p.Add("Min", &TScrollBar::Min, &TScrollBar::SetMin).Default(0);
    p.Add("PageSize", &TScrollBar::PageSize, &TScrollBar::SetPageSize).Default(0);
    p.Add("Position", &TScrollBar::Position, &TScrollBar::SetPosition).Default(0);
    p.Add("SmallChange", &TScrollBar::SmallChange, &TScrollBar::SetSmallChange).Default(1);
    p.Add("OnChange", &TScrollBar::OnChange);
}

void TScrollBar::SetKind(TScrollBarKind v) {
    if (v == kind_)
        return;
    kind_ = v;
    if (!InLoading())
        SetBounds(Left(), Top(), Height(), Width());
    UpdateWidgetState();
}

void TScrollBar::SetMin(int v) {
    range_.SetMin(v);
    UpdateWidgetState();
}

void TScrollBar::SetMax(int v) {
    range_.SetMax(v);
    UpdateWidgetState();
}

void TScrollBar::SetPosition(int v) {
    range_.SetPosition(v);
}

void TScrollBar::SetPageSize(int v) {
    range_.SetPage(std::max(v, 0));
    UpdateWidgetState();
}

QWidget* TScrollBar::CreateWidget() {
    auto* w = new TWidgetBridge<QScrollBar>(this);
    QObject::connect(w, &QScrollBar::valueChanged, guard_.get(),
                     [this](int v) { SafeCall(this, [&] { SetPosition(v); }); });
    return w;
}

void TScrollBar::UpdateWidgetState() {
    TWinControl::UpdateWidgetState();
    if (!HandleAllocated())
        return;
    auto* w = static_cast<QScrollBar*>(Handle());
    QSignalBlocker block(w);
    w->setOrientation(kind_ == sbVertical ? Qt::Vertical : Qt::Horizontal);
    w->setRange(range_.Min(), range_.Top());
    w->setPageStep(std::max(range_.Page(), largeChange_));
    w->setSingleStep(smallChange_);
    w->setValue(range_.Position());
}

void TScrollBar::WndProc(TMessage& message) {
    if (!KeepArrowKeys(message))
        TWinControl::WndProc(message);
}
