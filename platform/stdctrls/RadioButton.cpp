#include "platform/stdctrls/RadioButton.h"

#include "platform/forms/WidgetBridge.h"
#include "platform/stdctrls/WidgetSupport_p.h"

#include <QRadioButton>
#include <QSignalBlocker>

TRadioButton::TRadioButton(TComponent* owner) : TButtonControl(owner) {
    SetBounds(0, 0, 113, 17);
}

void TRadioButton::DeclareProperties(TPropertyList& p) {
    p.Add("Alignment", &TRadioButton::Alignment, &TRadioButton::SetAlignment)
        .Default(taRightJustify);
    p.Add("Checked", &TRadioButton::Checked, &TRadioButton::SetChecked).Default(false);
}

void TRadioButton::SetChecked(bool v) {
    if (v == checked_)
        return;
    checked_ = v;
    SetTabStop(v);
    UpdateWidgetState();
    if (!v)
        return;
    if (TWinControl* parent = Parent())
        for (int i = 0; i < parent->ControlCount(); ++i)
            if (auto* other = dynamic_cast<TRadioButton*>(parent->Controls(i));
                other && other != this)
                other->SetChecked(false);
    if (!InLoading())
        Click();
}

void TRadioButton::SetAlignment(TAlignment v) {
    alignment_ = v;
    UpdateWidgetState();
}

QWidget* TRadioButton::CreateWidget() {
    auto* w = new TWidgetBridge<QRadioButton>(this);
    w->setAutoExclusive(false);
    QObject::connect(w, &QRadioButton::clicked, guard_.get(), [this] {
        SafeCall(this, [&] {
            if (checked_)
                Click(); // a click on the checked button still reports
            else
                SetChecked(true);
            UpdateWidgetState();
        });
    });
    return w;
}

void TRadioButton::UpdateWidgetState() {
    TButtonControl::UpdateWidgetState();
    if (!HandleAllocated())
        return;
    auto* w = static_cast<QRadioButton*>(Handle());
    QSignalBlocker block(w);
    w->setText(QStr(Caption()));
    w->setChecked(checked_);
    w->setLayoutDirection(alignment_ == taLeftJustify ? Qt::RightToLeft : Qt::LeftToRight);
}
