#include "platform/stdctrls/MaskEdit.h"

#include "platform/forms/WidgetBridge.h"
#include "platform/stdctrls/WidgetSupport.h"

#include <QLineEdit>
#include <QSignalBlocker>

#include <algorithm>

TCustomMaskEdit::TCustomMaskEdit(TComponent* owner) : TCustomEdit(owner) {}

void TCustomMaskEdit::DeclareProperties(TPropertyList& p) {
    // The mask comes before the text, so that a description's text is fitted into it.
    p.Add("EditMask", &TCustomMaskEdit::EditMask, &TCustomMaskEdit::SetEditMask);
    p.AddFn<TCustomMaskEdit>(
        "Text", [](TCustomMaskEdit* e) { return e->GetText(); },
        [](TCustomMaskEdit* e, std::string v) { e->SetText(v); });
}

void TCustomMaskEdit::SetEditMask(const std::string& v) {
    mask_.SetMask(v);
    TWinControl::DoSetText(mask_.Text());
    ShowText();
}

void TCustomMaskEdit::SetEditText(const std::string& v) {
    const std::string before = mask_.Text();
    mask_.SetEditText(v);
    TWinControl::DoSetText(mask_.Text());
    ShowText();
    if (mask_.Text() != before)
        Change();
}

std::string TCustomMaskEdit::GetText() const {
    return mask_.Text();
}

void TCustomMaskEdit::DoSetText(const std::string& value) {
    mask_.SetText(ApplyCase(value, charCase_));
    TWinControl::DoSetText(mask_.Text());
    modified_ = false;
    ShowText();
    Change();
}

QWidget* TCustomMaskEdit::CreateWidget() {
    auto* w = new TWidgetBridge<QLineEdit>(this);
    QObject::connect(w, &QLineEdit::textEdited, guard_.get(), [this, w](const QString& text) {
        // Only reached without a mask: masked keys are handled before the widget sees them.
        SafeCall(this, [&] {
            if (mask_.IsMasked()) {
                ShowText();
                return;
            }
            (void)w;
            mask_.SetText(StdStr(text));
            UserChangedText(StdStr(text));
        });
    });
    return w;
}

QLineEdit* TCustomMaskEdit::LineEdit() {
    return static_cast<QLineEdit*>(Handle());
}

void TCustomMaskEdit::ShowText() {
    if (!HandleAllocated())
        return;
    auto* w = static_cast<QLineEdit*>(Handle());
    const QString text = QStr(mask_.EditText());
    if (w->text() != text) {
        const int pos = w->cursorPosition();
        QSignalBlocker block(w);
        w->setText(text);
        w->setCursorPosition(std::min(pos, static_cast<int>(text.size())));
    }
}

void TCustomMaskEdit::UpdateWidgetState() {
    TCustomEdit::UpdateWidgetState();
    if (!HandleAllocated())
        return;
    auto* w = static_cast<QLineEdit*>(Handle());
    w->setMaxLength(mask_.IsMasked() ? mask_.Length() : (maxLength_ > 0 ? maxLength_ : 32767));
    w->setReadOnly(readOnly_);
    ShowText();
}

int TCustomMaskEdit::SelStart() const {
    return HandleAllocated() ? const_cast<TCustomMaskEdit*>(this)->LineEdit()->cursorPosition()
                             : selStart_;
}

void TCustomMaskEdit::SetSelStart(int v) {
    TCustomEdit::SetSelStart(v);
    if (HandleAllocated())
        LineEdit()->setCursorPosition(v);
}

void TCustomMaskEdit::MaskChanged(int cursor) {
    TWinControl::DoSetText(mask_.Text());
    modified_ = true;
    ShowText();
    SetSelStart(cursor);
    Change();
}

void TCustomMaskEdit::KeyDown(TKeyCode& key, TShiftState shift) {
    TCustomEdit::KeyDown(key, shift);
    if (key == 0 || !mask_.IsMasked() || readOnly_)
        return;
    if (key == VK_DELETE) {
        const int start = SelStart();
        int count = HandleAllocated() ? static_cast<int>(LineEdit()->selectedText().size()) : 0;
        if (HandleAllocated() && LineEdit()->hasSelectedText())
            SetSelStart(LineEdit()->selectionStart());
        mask_.Clear(HandleAllocated() && LineEdit()->hasSelectedText()
                        ? LineEdit()->selectionStart()
                        : start,
                    std::max(count, 1));
        MaskChanged(start);
        key = 0;
    }
}

void TCustomMaskEdit::KeyPress(char16_t& key) {
    TCustomEdit::KeyPress(key); // OnKeyPress may filter or change the key
    if (key == 0 || !mask_.IsMasked())
        return;
    if (key == 0x0D || key == 0x1B)
        return;
    if (readOnly_) {
        key = 0;
        return;
    }
    int cursor = SelStart();
    if (key == 0x08) {
        if (mask_.Backspace(cursor))
            MaskChanged(cursor);
    } else if (key >= 0x20) {
        char32_t c = key;
        if (mask_.TypeChar(cursor, c))
            MaskChanged(cursor);
    }
    key = 0;
}
