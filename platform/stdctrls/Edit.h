#pragma once
// The one-line edit and the base every edit shares (text, case, selection, OnChange).
// Setting Text fires OnChange, as typing does.

#include "platform/forms/Controls.h"
#include "platform/stdctrls/SignalGuard.h"

#include <string>

Q4_ENUM(TEditCharCase, ecNormal, ecUpperCase, ecLowerCase);

// The common base of the one-line edit, the masked edit, the spin edit and the memo. Its own
// widget is a one-line edit: the selection, the length limit, the read-only state and
// the shown text are kept there; an edit with another widget keeps the selection here.
class TCustomEdit : public TWinControl {
    Q4_CLASS(TCustomEdit, TWinControl)
public:
    explicit TCustomEdit(TComponent* owner);
    // Arrow keys belong to the control, not to the form's dialog navigation.
    void WndProc(TMessage& message) override;
    static void DeclareProperties(TPropertyList& p);

    int MaxLength() const { return maxLength_; }
    virtual void SetMaxLength(int v);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool v);
    TEditCharCase CharCase() const { return charCase_; }
    void SetCharCase(TEditCharCase v);
    bool Modified() const { return modified_; }
    void SetModified(bool v) { modified_ = v; }
    void Clear() { SetText(""); }
    // The selection, in characters (UTF-16 units) of the text.
    virtual int SelStart() const;
    virtual void SetSelStart(int v);
    virtual int SelLength() const;
    virtual void SetSelLength(int v);
    void SelectAll();
    bool PaintsOwnWidget() const override { return false; }

    TNotifyEvent OnChange;

protected:
    // The text in the given character case.
    static std::string ApplyCase(const std::string& s, TEditCharCase c);
    virtual void Change();
    // The user changed the text in the widget.
    void UserChangedText(const std::string& text);
    void DoSetText(const std::string& value) override;
    // A one-line edit widget whose typing goes to LineEdited.
    QWidget* CreateWidget() override;
    // The user typed into the one-line widget; the text is the widget's.
    virtual void LineEdited(const std::string& text) { UserChangedText(text); }
    // Puts the text into the widget without telling anyone.
    virtual void ShowText();
    // Puts text into the one-line widget, if there is one, without a signal; the cursor goes to
    // the end, or stays where it was with keepCursor.
    void ShowLineText(const std::string& text, bool keepCursor);
    // The most characters the one-line widget takes.
    virtual int WidgetMaxLength() const { return maxLength_ > 0 ? maxLength_ : 32767; }
    void UpdateWidgetState() override;

    int maxLength_ = 0;
    bool readOnly_ = false;
    TEditCharCase charCase_ = ecNormal;
    bool modified_ = false;
    int selStart_ = 0;
    int selLength_ = 0;

protected:
    TSignalGuard guard_; // declared last: cut first
};

class TEdit : public TCustomEdit {
    Q4_CLASS(TEdit, TCustomEdit)
public:
    explicit TEdit(TComponent* owner) : TCustomEdit(owner) {}

protected:
    void LineEdited(const std::string& text) override;
};
