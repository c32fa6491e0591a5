#pragma once
// The memo: a multi-line edit.

#include "platform/rtl/Classes.h"
#include "platform/stdctrls/ControlTypes.h"
#include "platform/stdctrls/Edit.h"

#include <memory>
#include <string>

// A multi-line edit; Lines and Text are one content.
class TCustomMemo : public TCustomEdit {
    Q4_CLASS(TCustomMemo, TCustomEdit)
public:
    explicit TCustomMemo(TComponent* owner);
    ~TCustomMemo() override;
    static void DeclareProperties(TPropertyList& p);

    TStrings* Lines() const { return lines_.get(); }
    void SetLines(TStrings* v);
    std::string GetText() const override;
    TScrollStyle ScrollBars() const { return scrollBars_; }
    void SetScrollBars(TScrollStyle v);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool v);
    // Enter (Tab) goes into the text only when set; otherwise Enter is left to the form's
    // default button and Tab moves the focus, and neither ever reaches the text.
    bool WantReturns() const { return wantReturns_; }
    void SetWantReturns(bool v) { wantReturns_ = v; }
    bool WantTabs() const { return wantTabs_; }
    void SetWantTabs(bool v) { wantTabs_ = v; }
    void WndProc(TMessage& message) override;

    // The caret and the selection, in characters (UTF-16 units) of the text; lines are the
    // entries of Lines and count from 0, as do columns. The caret is the moving end of the
    // selection.
    int SelStart() const override;
    void SetSelStart(int v) override;
    int SelLength() const override;
    void SetSelLength(int v) override;
    // X: the caret's column, Y: its line. Setting it moves the caret (clamped to the text) and
    // drops the selection.
    TPoint CaretPos() const;
    void SetCaretPos(TPoint p);
    // The line holding character `index` (the last line for an index past the end).
    int LineFromChar(int index) const;
    // The first character of a line; -1 when there is no such line.
    int LineIndex(int line) const;
    // The characters of a line, without its break; 0 when there is no such line.
    int LineLength(int line) const;
    // The first line shown. Setting it scrolls as far as the view can go.
    int TopLine() const;
    void SetTopLine(int line);
    // Scrolls by lines or pages (positive: down); how many lines the view moved (0 at its end).
    int ScrollLines(int count);
    int ScrollPages(int count);

protected:
    // Whether the key the widget is handling now is Enter.
    bool PressingEnter() const;
    QWidget* CreateWidget() override;
    void KeyDown(TKeyCode& key, TShiftState shift) override;
    void DoSetText(const std::string& value) override;
    void ShowText() override;
    void UpdateWidgetState() override;

private:
    void LinesChanged();
    // Applies one edit of Lines to the widget in place; false when the whole text must be shown.
    bool ShowLineEdit();
    std::unique_ptr<TStringList> lines_;
    TScrollStyle scrollBars_ = ssNone;
    bool wordWrap_ = true;
    bool wantReturns_ = true;
    bool wantTabs_ = false;
    int pressedKey_ = 0; // the Qt key being pressed, while the widget handles it
    bool syncing_ = false;
};

class TMemo : public TCustomMemo {
    Q4_CLASS(TMemo, TCustomMemo)
public:
    explicit TMemo(TComponent* owner) : TCustomMemo(owner) {}
};
