#include "platform/stdctrls/Button.h"

#include "platform/forms/Forms.h"
#include "platform/forms/WidgetBridge.h"
#include "platform/stdctrls/WidgetSupport_p.h"

#include <QPushButton>

// ---- TButtonControl and TButton -----------------------------------------------------------------

TButtonControl::TButtonControl(TComponent* owner) : TWinControl(owner) {
    SetTabStop(true);
    // The widget's own clicked signal is the click (mouse, Space, Enter); a mouse release must
    // not click a second time.
    SetControlStyle(ControlStyle() - TControlStyle{csClickEvents});
}

TButton::TButton(TComponent* owner) : TButtonControl(owner) {
    SetBounds(0, 0, 75, 25);
}

void TButton::DeclareProperties(TPropertyList& p) {
    p.Add("Cancel", &TButton::Cancel, &TButton::SetCancel).Default(false);
    p.Add("Default", &TButton::Default, &TButton::SetDefault).Default(false);
    p.Add("ModalResult", &TButton::ModalResult, &TButton::SetModalResult).Default(0);
}

void TButton::SetDefault(bool v) {
    default_ = v;
    UpdateWidgetState();
}

void TButton::Click() {
    if (TCustomForm* form = GetParentForm())
        form->SetModalResult(modalResult_);
    TButtonControl::Click();
}

void TButton::WndProc(TMessage& message) {
    if (message.Msg == CM_DIALOGKEY && Enabled() && Visible()) {
        const auto key = static_cast<TKeyCode>(message.WParam);
        if ((key == VK_RETURN && default_) || (key == VK_ESCAPE && cancel_)) {
            Click();
            message.Result = 1;
            return;
        }
    }
    TButtonControl::WndProc(message);
}

QWidget* TButton::CreateWidget() {
    auto* w = new TWidgetBridge<QPushButton>(this);
    w->setAutoDefault(false);
    QObject::connect(w, &QPushButton::clicked, guard_.get(),
                     [this] { SafeCall(this, [&] { Click(); }); });
    return w;
}

void TButton::UpdateWidgetState() {
    TButtonControl::UpdateWidgetState();
    if (!HandleAllocated())
        return;
    auto* w = static_cast<QPushButton*>(Handle());
    w->setText(QStr(Caption()));
    w->setDefault(default_);
}

// ---- TBitBtn ------------------------------------------------------------------------------------

void TBitBtn::DeclareProperties(TPropertyList& p) {
    p.Add("Kind", &TBitBtn::Kind, &TBitBtn::SetKind).Default(bkCustom);
}

void TBitBtn::SetKind(TBitBtnKind v) {
    kind_ = v;
    if (!InLoading())
        ApplyKind();
}

void TBitBtn::Loaded() {
    TButton::Loaded();
    // A description names the kind; its caption and result come from it unless given.
    if (kind_ != bkCustom && Caption().empty())
        ApplyKind();
}

void TBitBtn::ApplyKind() {
    if (kind_ == bkCustom)
        return;
    struct Std {
        const char* caption;
        int result;
    };
    static const Std kinds[] = {{"", 0},
                                {"OK", mrOk},
                                {"Cancel", mrCancel},
                                {"&Help", 0},
                                {"&Yes", mrYes},
                                {"&No", mrNo},
                                {"&Close", 0},
                                {"Abort", mrAbort},
                                {"&Retry", mrRetry},
                                {"&Ignore", mrIgnore},
                                {"&All", mrAll}};
    SetCaption(kinds[kind_].caption);
    SetModalResult(kinds[kind_].result);
    if (kind_ == bkOK || kind_ == bkYes)
        SetDefault(true);
    if (kind_ == bkCancel || kind_ == bkNo)
        SetCancel(true);
}
