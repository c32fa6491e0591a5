#include "platform/stdctrls/MaskEdit.h"

#include "platform/stdctrls/StdCtrlsBridge.h"
#include "platform/stdctrls/WidgetSupport_p.h"

#include <QLineEdit>

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

void TCustomMaskEdit::LineEdited(const std::string& text) {
    // Only reached without a mask: masked keys are handled before the widget sees them.
    if (mask_.IsMasked()) {
        ShowText();
        return;
    }
    mask_.SetText(text);
    UserChangedText(text);
}

void TCustomMaskEdit::ShowText() {
    ShowLineText(mask_.EditText(), true);
}

int TCustomMaskEdit::WidgetMaxLength() const {
    return mask_.IsMasked() ? mask_.Length() : TCustomEdit::WidgetMaxLength();
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
        // Delete clears the selection, or else the position at the cursor.
        const QLineEdit* w = LineEditOf(this);
        const bool selected = w && w->hasSelectedText();
        const int start = selected ? w->selectionStart() : SelStart();
        const int count = selected ? static_cast<int>(w->selectedText().size()) : 1;
        mask_.Clear(start, count);
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
