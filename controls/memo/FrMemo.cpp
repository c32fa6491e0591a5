#include "controls/memo/FrMemo.h"

#include "platform/forms/Clipbrd.h"
#include "platform/forms/Forms.h"
#include "platform/forms/SystemMetrics.h"

#include <algorithm>
#include <cstdlib>

TFrMemo::TFrMemo(TComponent* owner) : TMemo(owner), TFrFraming(this) {}

void TFrMemo::DeclareProperties(TPropertyList& p) {
    DeclareFramingProperties<TFrMemo>(p);
    p.AddFn<TFrMemo>(
         "ReadOnly", [](TFrMemo* m) { return m->ReadOnly(); },
         [](TFrMemo* m, bool v) { m->SetReadOnly(v); })
        .Default(false);
    p.Add("ReadOnlyColor", &TFrMemo::ReadOnlyColor, &TFrMemo::SetReadOnlyColor, TColorTypeInfo())
        .Default(clInfoBk)
        .Stored(&TFrMemo::IsReadOnlyColorStored);
    p.Add("ReadOnlyColorOnFocus", &TFrMemo::ReadOnlyColorOnFocus, &TFrMemo::SetReadOnlyColorOnFocus)
        .Default(false)
        .Stored(&TFrMemo::IsReadOnlyColorOnFocusStored);
    p.Add("TabOnEnter", &TFrMemo::TabOnEnter, &TFrMemo::SetTabOnEnter).Default(false);
    p.Add("OnLineColChange", &TFrMemo::OnLineColChange);
    p.Add("OnClipboardChange", &TFrMemo::OnClipboardChange);
}

void TFrMemo::DefineProperties(TFiler* filer) {
    TMemo::DefineProperties(filer);
    DefineLegacyFramingProperties(filer);
}

// ---- colours ------------------------------------------------------------------------------------

void TFrMemo::SetReadOnly(bool v) {
    TMemo::SetReadOnly(v);
    UpdateColors();
}

void TFrMemo::SetReadOnlyColor(TColor v) {
    readOnlyColor_ = v;
    if (ReadOnly())
        UpdateColors();
}

void TFrMemo::SetReadOnlyColorOnFocus(bool v) {
    readOnlyColorOnFocus_ = v;
    if (ReadOnly() && Focused())
        UpdateColors();
}

TColor TFrMemo::StateColor() const {
    if (!Enabled())
        return DisabledColor();
    if (Focused())
        return ReadOnly() && readOnlyColorOnFocus_ ? readOnlyColor_ : FocusColor();
    return ReadOnly() ? readOnlyColor_ : NormalColor();
}

// ---- caret --------------------------------------------------------------------------------------

int TFrMemo::CaretLine() const {
    return HandleAllocated() ? CaretPos().Y + 1 : 1;
}

int TFrMemo::CaretColumn() const {
    return HandleAllocated() ? CaretPos().X + 1 : 1;
}

void TFrMemo::SetCaretLine(int line) {
    const int last = std::max(1, Lines()->Count());
    const int target = std::clamp(line, 1, last);
    SetCaretPos({0, target - 1});
    if (line >= 1 && line <= last)
        SetTopLine(target - 1);
    LineColChange();
}

int TFrMemo::SetCaretColumn(int column) {
    const TPoint caret = CaretPos();
    const int end = LineLength(caret.Y) + 1;
    if (column > end)
        return end;
    SetCaretPos({std::max(column, 1) - 1, caret.Y});
    LineColChange();
    return column;
}

void TFrMemo::LineColChange() {
    if (OnLineColChange)
        OnLineColChange(this, CaretLine(), CaretColumn());
    ClipboardChange();
}

void TFrMemo::ClipboardChange() {
    if (OnClipboardChange)
        OnClipboardChange(this, SelLength() > 0, Clipboard()->HasText());
}

// ---- events -------------------------------------------------------------------------------------

void TFrMemo::UpdateWidgetState() {
    TMemo::UpdateWidgetState();
    if (HandleAllocated() && !widgetAnnounced_) {
        widgetAnnounced_ = true;
        LineColChange();
    }
}

void TFrMemo::Change() {
    TMemo::Change();
    LineColChange();
}

void TFrMemo::Click() {
    TMemo::Click();
    LineColChange();
}

void TFrMemo::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TMemo::MouseUp(button, shift, x, y);
    ClipboardChange();
}

void TFrMemo::KeyDown(TKeyCode& key, TShiftState shift) {
    if (tabOnEnter_ && key == VK_RETURN) {
        key = 0;
        if (TCustomForm* form = GetParentForm())
            form->SelectNext(this, true, true);
        return;
    }
    TMemo::KeyDown(key, shift);
    LineColChange();
}

void TFrMemo::KeyUp(TKeyCode& key, TShiftState shift) {
    TMemo::KeyUp(key, shift);
    LineColChange();
}

// One scroll per line (or page), until the view can go no further; partial notches add up.
bool TFrMemo::DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) {
    if (OnMouseWheel)
        return TMemo::DoMouseWheel(shift, wheelDelta, mousePos);
    const int notches = wheel_.Add(wheelDelta);
    if (HandleAllocated()) {
        const int step = notches > 0 ? -1 : 1;
        for (int i = 0; i < std::abs(notches) * WheelScrollLines(); ++i)
            if (ScrollLines(step) == 0)
                break;
    }
    return true;
}

// ---- messages and state -------------------------------------------------------------------------

void TFrMemo::WndProc(TMessage& message) {
    if (message.Msg == WM_GETDLGCODE) {
        TMemo::WndProc(message);
        if (tabOnEnter_ && PressingEnter())
            message.Result |= DLGC_WANTALLKEYS;
        return;
    }
    FramingMessage(message, [&] { TMemo::WndProc(message); });
}

void TFrMemo::Loaded() {
    TMemo::Loaded();
    FramingLoaded();
}

void TFrMemo::Notification(TComponent* component, TOperation operation) {
    TMemo::Notification(component, operation);
    FramingNotification(component, operation);
}
