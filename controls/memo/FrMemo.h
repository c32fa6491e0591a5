#pragma once
// TFrMemo: the platform memo with the framing of the framed views (TFrFraming: a frame ring in
// its border, hot tracking, state colours), a colour of its own while read-only, the caret's
// line and column with a change event, the state of the clipboard commands, wheel scrolling by
// the desktop's line count and Enter as Tab.
//
// The caret and clipboard events are worked out only when a handler listens: a log memo that
// takes a line per device exchange does no extra work per line.

#include "controls/framing/FrFraming.h"
#include "controls/framing/FrWheelNotches.h"
#include "platform/stdctrls/Memo.h"

#include <functional>

// Line and column count from 1.
using TFrLineColChangeEvent = std::function<void(TObject* Sender, int Line, int Column)>;
using TFrClipboardChangeEvent =
    std::function<void(TObject* Sender, bool CanCutCopy, bool CanPaste)>;

class TFrMemo : public TMemo, public TFrFraming {
    Q4_CLASS(TFrMemo, TMemo)
public:
    explicit TFrMemo(TComponent* owner);
    static void DeclareProperties(TPropertyList& p);

    void SetReadOnly(bool v);
    TColor ReadOnlyColor() const { return readOnlyColor_; }
    void SetReadOnlyColor(TColor v);
    bool ReadOnlyColorOnFocus() const { return readOnlyColorOnFocus_; }
    void SetReadOnlyColorOnFocus(bool v);
    bool TabOnEnter() const { return tabOnEnter_; }
    void SetTabOnEnter(bool v) { tabOnEnter_ = v; }

    // The caret's line and column, from 1.
    int CaretLine() const;
    int CaretColumn() const;
    // Puts the caret at the start of a line (the last one for a line past the end) and scrolls
    // that line to the top when it exists.
    void SetCaretLine(int line);
    // Moves the caret within its line. A column past the end of the line + 1 leaves the caret
    // where it was; returns the line's length + 1 then, else the column.
    int SetCaretColumn(int column);

    TFrLineColChangeEvent OnLineColChange;
    TFrClipboardChangeEvent OnClipboardChange;

    void Click() override;
    void WndProc(TMessage& message) override;
    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;
    void DefineProperties(TFiler* filer) override;

    bool IsReadOnlyColorStored() const { return !Controlled(fcpReadOnlyColor); }
    bool IsReadOnlyColorOnFocusStored() const { return !Controlled(fcpReadOnlyColorOnFocus); }

protected:
    TColor StateColor() const override;
    TRect NonClientMargins() const override { return TRect{2, 2, 2, 2}; }
    void UpdateWidgetState() override;
    void Change() override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void KeyDown(TKeyCode& key, TShiftState shift) override;
    void KeyUp(TKeyCode& key, TShiftState shift) override;
    bool DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) override;
    // Tells OnLineColChange (when assigned) and then the clipboard state.
    void LineColChange();
    void ClipboardChange();

private:
    TColor readOnlyColor_ = clInfoBk;
    bool readOnlyColorOnFocus_ = false;
    bool tabOnEnter_ = false;
    bool widgetAnnounced_ = false;
    TFrWheelNotches wheel_;
};
