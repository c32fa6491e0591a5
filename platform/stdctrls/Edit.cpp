#include "platform/stdctrls/Edit.h"

#include "platform/forms/WidgetBridge.h"
#include "platform/rtl/CodePage.h"
#include "platform/stdctrls/StdCtrlsBridge.h"
#include "platform/stdctrls/WidgetSupport_p.h"

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
    const QLineEdit* w = LineEditOf(this);
    return w ? w->cursorPosition() : selStart_;
}

void TCustomEdit::SetSelStart(int v) {
    selStart_ = std::max(v, 0);
    if (QLineEdit* w = LineEditOf(this))
        w->setCursorPosition(v);
}

int TCustomEdit::SelLength() const {
    const QLineEdit* w = LineEditOf(this);
    return w ? static_cast<int>(w->selectedText().size()) : selLength_;
}

void TCustomEdit::SetSelLength(int v) {
    selLength_ = std::max(v, 0);
    if (QLineEdit* w = LineEditOf(this))
        w->setSelection(SelStart(), v);
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

QWidget* TCustomEdit::CreateWidget() {
    auto* w = new TWidgetBridge<QLineEdit>(this);
    QObject::connect(w, &QLineEdit::textEdited, guard_.get(), [this](const QString& text) {
        SafeCall(this, [&] { LineEdited(StdStr(text)); });
    });
    return w;
}

void TCustomEdit::ShowText() {
    ShowLineText(GetText(), false);
}

void TCustomEdit::ShowLineText(const std::string& value, bool keepCursor) {
    QLineEdit* w = LineEditOf(this);
    const QString text = QStr(value);
    if (!w || w->text() == text)
        return;
    const int pos = w->cursorPosition();
    QSignalBlocker block(w);
    w->setText(text);
    if (keepCursor)
        w->setCursorPosition(std::min(pos, static_cast<int>(text.size())));
}

void TCustomEdit::UpdateWidgetState() {
    TWinControl::UpdateWidgetState();
    if (QLineEdit* w = LineEditOf(this)) {
        w->setMaxLength(WidgetMaxLength());
        w->setReadOnly(readOnly_);
        ShowText();
    }
}

void TCustomEdit::WndProc(TMessage& message) {
    if (!KeepArrowKeys(message))
        TWinControl::WndProc(message);
}

// ---- TEdit --------------------------------------------------------------------------------------

void TEdit::LineEdited(const std::string& text) {
    const std::string t = ApplyCase(text, charCase_);
    if (t != text)
        ShowText();
    UserChangedText(t);
}
