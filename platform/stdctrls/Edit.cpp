#include "platform/stdctrls/Edit.h"

#include "platform/forms/WidgetBridge.h"
#include "platform/rtl/CodePage.h"
#include "platform/stdctrls/WidgetSupport.h"

#include <QLineEdit>
#include <QSignalBlocker>

#include <algorithm>

// ---- TCustomEdit --------------------------------------------------------------------------------

TCustomEdit::TCustomEdit(TComponent* owner) : TWinControl(owner) {
    SetBounds(0, 0, 121, 21);
    SetTabStop(true);
    SetColor(clWindow);
    SetControlStyle(ControlStyle() - TControlStyle{csSetCaption});
}

std::string TCustomEdit::ApplyCase(const std::string& s, TEditCharCase c) {
    if (c == ecUpperCase)
        return AnsiUpperCase(s);
    if (c == ecLowerCase)
        return AnsiLowerCase(s);
    return s;
}

void TCustomEdit::DeclareProperties(TPropertyList& p) {
    p.Add("CharCase", &TCustomEdit::CharCase, &TCustomEdit::SetCharCase).Default(ecNormal);
    p.Add("MaxLength", &TCustomEdit::MaxLength, &TCustomEdit::SetMaxLength).Default(0);
    p.Add("ReadOnly", &TCustomEdit::ReadOnly, &TCustomEdit::SetReadOnly).Default(false);
    p.AddFn<TCustomEdit>(
        "Text", [](TCustomEdit* e) { return e->GetText(); },
        [](TCustomEdit* e, std::string v) { e->SetText(v); });
    p.Add("OnChange", &TCustomEdit::OnChange);
}

void TCustomEdit::SetMaxLength(int v) {
    maxLength_ = std::max(v, 0);
    UpdateWidgetState();
}

void TCustomEdit::SetReadOnly(bool v) {
    readOnly_ = v;
    UpdateWidgetState();
}

void TCustomEdit::SetCharCase(TEditCharCase v) {
    charCase_ = v;
    if (v != ecNormal)
        SetText(ApplyCase(GetText(), v));
}

int TCustomEdit::SelStart() const {
    return selStart_;
}

void TCustomEdit::SetSelStart(int v) {
    selStart_ = std::max(v, 0);
}

int TCustomEdit::SelLength() const {
    return selLength_;
}

void TCustomEdit::SetSelLength(int v) {
    selLength_ = std::max(v, 0);
}

void TCustomEdit::SelectAll() {
    SetSelStart(0);
    SetSelLength(static_cast<int>(Utf8ToUtf16(GetText()).size()));
}

void TCustomEdit::Change() {
    if (OnChange)
        OnChange(this);
}

void TCustomEdit::DoSetText(const std::string& value) {
    TWinControl::DoSetText(ApplyCase(value, charCase_));
    modified_ = false;
    ShowText();
    Change();
}

void TCustomEdit::UserChangedText(const std::string& text) {
    TWinControl::DoSetText(text);
    modified_ = true;
    Change();
}

void TCustomEdit::UpdateWidgetState() {
    TWinControl::UpdateWidgetState();
}

void TCustomEdit::WndProc(TMessage& message) {
    if (!KeepArrowKeys(message))
        TWinControl::WndProc(message);
}

// ---- TEdit --------------------------------------------------------------------------------------

QWidget* TEdit::CreateWidget() {
    auto* w = new TWidgetBridge<QLineEdit>(this);
    QObject::connect(w, &QLineEdit::textEdited, guard_.get(), [this](const QString& text) {
        SafeCall(this, [&] {
            std::string t = ApplyCase(StdStr(text), charCase_);
            if (t != StdStr(text))
                ShowText();
            UserChangedText(t);
        });
    });
    return w;
}

QLineEdit* TEdit::LineEdit() {
    return static_cast<QLineEdit*>(Handle());
}

void TEdit::ShowText() {
    if (!HandleAllocated())
        return;
    auto* w = static_cast<QLineEdit*>(Handle());
    const QString text = QStr(GetText());
    if (w->text() != text) {
        QSignalBlocker block(w);
        w->setText(text);
    }
}

void TEdit::UpdateWidgetState() {
    TCustomEdit::UpdateWidgetState();
    if (!HandleAllocated())
        return;
    auto* w = static_cast<QLineEdit*>(Handle());
    w->setMaxLength(maxLength_ > 0 ? maxLength_ : 32767);
    w->setReadOnly(readOnly_);
    ShowText();
}

int TEdit::SelStart() const {
    return HandleAllocated() ? const_cast<TEdit*>(this)->LineEdit()->cursorPosition() : selStart_;
}

void TEdit::SetSelStart(int v) {
    TCustomEdit::SetSelStart(v);
    if (HandleAllocated())
        LineEdit()->setCursorPosition(v);
}

int TEdit::SelLength() const {
    return HandleAllocated()
               ? static_cast<int>(const_cast<TEdit*>(this)->LineEdit()->selectedText().size())
               : selLength_;
}

void TEdit::SetSelLength(int v) {
    TCustomEdit::SetSelLength(v);
    if (HandleAllocated())
        LineEdit()->setSelection(SelStart(), v);
}
