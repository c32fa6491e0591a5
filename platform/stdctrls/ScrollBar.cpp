#include "platform/stdctrls/ScrollBar.h"

#include "platform/forms/WidgetBridge.h"
#include "platform/stdctrls/WidgetSupport.h"

#include <QScrollBar>
#include <QSignalBlocker>

#include <algorithm>

TScrollBar::TScrollBar(TComponent* owner) : TWinControl(owner) {
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
    min_ = v;
    if (max_ < min_)
        max_ = min_;
    SetPosition(position_);
    UpdateWidgetState();
}

void TScrollBar::SetMax(int v) {
    max_ = v;
    if (min_ > max_)
        min_ = max_;
    SetPosition(position_);
    UpdateWidgetState();
}

void TScrollBar::SetPosition(int v) {
    v = std::clamp(v, min_, std::max(min_, max_ - std::max(pageSize_ - 1, 0)));
    if (v == position_)
        return;
    position_ = v;
    UpdateWidgetState();
    if (OnChange)
        OnChange(this);
}

void TScrollBar::SetPageSize(int v) {
    pageSize_ = std::max(v, 0);
    UpdateWidgetState();
}

QScrollBar* TScrollBar::Bar() {
    return static_cast<QScrollBar*>(Handle());
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
    w->setRange(min_, std::max(min_, max_ - std::max(pageSize_ - 1, 0)));
    w->setPageStep(std::max(pageSize_, largeChange_));
    w->setSingleStep(smallChange_);
    w->setValue(position_);
}

void TScrollBar::WndProc(TMessage& message) {
    if (!KeepArrowKeys(message))
        TWinControl::WndProc(message);
}
