#pragma once
// Push buttons: the button base, the button (default, cancel, modal result) and the
// button with a standard kind. Click() runs OnClick even on a disabled button.

#include "platform/forms/Controls.h"
#include "platform/stdctrls/SignalGuard.h"

Q4_ENUM(TBitBtnKind, bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry,
        bkIgnore, bkAll);

class TButtonControl : public TWinControl {
    Q4_CLASS(TButtonControl, TWinControl)
public:
    explicit TButtonControl(TComponent* owner);
    bool PaintsOwnWidget() const override { return false; }
};

class TButton : public TButtonControl {
    Q4_CLASS(TButton, TButtonControl)
public:
    explicit TButton(TComponent* owner);
    static void DeclareProperties(TPropertyList& p);

    int ModalResult() const { return modalResult_; }
    void SetModalResult(int v) { modalResult_ = v; }
    bool Default() const { return default_; }
    void SetDefault(bool v);
    bool Cancel() const { return cancel_; }
    void SetCancel(bool v) { cancel_ = v; }
    // Sets the form's ModalResult to the button's, then runs OnClick.
    void Click() override;
    void WndProc(TMessage& message) override;

protected:
    QWidget* CreateWidget() override;
    void UpdateWidgetState() override;

private:
    int modalResult_ = 0;
    bool default_ = false;
    bool cancel_ = false;

protected:
    TSignalGuard guard_; // declared last: cut first
};

class TBitBtn : public TButton {
    Q4_CLASS(TBitBtn, TButton)
public:
    explicit TBitBtn(TComponent* owner) : TButton(owner) {}
    static void DeclareProperties(TPropertyList& p);
    TBitBtnKind Kind() const { return kind_; }
    // A standard kind gives its caption and modal result (and Default or Cancel).
    void SetKind(TBitBtnKind v);
    void Loaded() override;

private:
    void ApplyKind();
    TBitBtnKind kind_ = bkCustom;
};
