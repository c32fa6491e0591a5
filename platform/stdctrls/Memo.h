#pragma once
// The memo: a multi-line edit.

#include "platform/rtl/Classes.h"
#include "platform/stdctrls/Edit.h"

#include <memory>
#include <string>

class QPlainTextEdit;

Q4_ENUM(TScrollStyle, ssNone, ssHorizontal, ssVertical, ssBoth);

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
    QPlainTextEdit* TextEdit();
    void WndProc(TMessage& message) override;

protected:
    QWidget* CreateWidget() override;
    void KeyDown(TKeyCode& key, TShiftState shift) override;
    void DoSetText(const std::string& value) override;
    void ShowText() override;
    void UpdateWidgetState() override;

private:
    void LinesChanged();
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
