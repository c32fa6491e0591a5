#include "platform/stdctrls/CheckBox.h"

#include "platform/forms/WidgetBridge.h"
#include "platform/stdctrls/WidgetSupport_p.h"

#include <QCheckBox>
#include <QSignalBlocker>

TCustomCheckBox::TCustomCheckBox(TComponent* owner) : TButtonControl(owner) {
    SetBounds(0, 0, 97, 17);
}

void TCustomCheckBox::DeclareProperties(TPropertyList& p) {
    p.Add("Alignment", &TCustomCheckBox::Alignment, &TCustomCheckBox::SetAlignment)
        .Default(taRightJustify);
    p.Add("AllowGrayed", &TCustomCheckBox::AllowGrayed, &TCustomCheckBox::SetAllowGrayed)
        .Default(false);
    p.Add("Checked", &TCustomCheckBox::Checked, &TCustomCheckBox::SetChecked).Stored(false);
    p.Add("State", &TCustomCheckBox::State, &TCustomCheckBox::SetState).Default(cbUnchecked);
}

void TCustomCheckBox::SetState(TCheckBoxState v) {
    if (v == state_)
        return;
    state_ = v;
    UpdateWidgetState();
    if (!InLoading())
        Click();
}

void TCustomCheckBox::SetAlignment(TAlignment v) {
    alignment_ = v;
    UpdateWidgetState();
}

TCheckBoxState NextCheckBoxState(TCheckBoxState state, bool allowGrayed) {
    switch (state) {
    case cbUnchecked:
        return allowGrayed ? cbGrayed : cbChecked;
    case cbChecked:
        return cbUnchecked;
    case cbGrayed:
        break;
    }
    return cbChecked;
}

void TCustomCheckBox::Toggle() {
    SetState(NextCheckBoxState(state_, allowGrayed_));
}

QWidget* TCustomCheckBox::CreateWidget() {
    auto* w = new TWidgetBridge<QCheckBox>(this);
    QObject::connect(w, &QCheckBox::clicked, guard_.get(), [this] {
        SafeCall(this, [&] {
            Toggle();
            UpdateWidgetState(); // the widget shows our state, not its own idea of the next one
        });
    });
    return w;
}

void TCustomCheckBox::UpdateWidgetState() {
    TButtonControl::UpdateWidgetState();
    if (!HandleAllocated())
        return;
    auto* w = static_cast<QCheckBox*>(Handle());
    QSignalBlocker block(w);
    w->setText(QStr(Caption()));
    w->setTristate(allowGrayed_ || state_ == cbGrayed);
    w->setCheckState(state_ == cbChecked  ? Qt::Checked
                     : state_ == cbGrayed ? Qt::PartiallyChecked
                                          : Qt::Unchecked);
    w->setLayoutDirection(alignment_ == taLeftJustify ? Qt::RightToLeft : Qt::LeftToRight);
}
