#pragma once
// The standard controls over Qt widgets: labels, edits, the masked edit, memos, buttons, check
// boxes, radio buttons, combo boxes, list boxes and group boxes.
//
// Programmatic changes fire events as the classic library does: setting Checked of a check box
// fires OnClick (a radio button's only when it becomes checked); setting an edit's Text fires
// OnChange; setting ItemIndex fires nothing. The user's changes fire the same events. Click()
// runs OnClick even on a disabled control.

#include "platform/forms/Controls.h"
#include "platform/rtl/Classes.h"
#include "platform/stdctrls/ControlTypes.h"
#include "platform/stdctrls/EditMask.h"
#include "platform/stdctrls/SignalGuard.h"

#include <memory>
#include <string>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QCheckBox;
class QRadioButton;
class QComboBox;
class QListWidget;

Q4_ENUM(TTextLayout, tlTop, tlCenter, tlBottom);
Q4_ENUM(TCheckBoxState, cbUnchecked, cbChecked, cbGrayed);
Q4_ENUM(TScrollStyle, ssNone, ssHorizontal, ssVertical, ssBoth);
Q4_ENUM(TComboBoxStyle, csDropDown, csSimple, csDropDownList, csOwnerDrawFixed,
        csOwnerDrawVariable);
Q4_ENUM(TEditCharCase, ecNormal, ecUpperCase, ecLowerCase);

// ---- labels -------------------------------------------------------------------------------------

// A label paints its own text (no widget): alignment, layout, word wrap, transparency and the
// accelerator underline ("&x").
class TCustomLabel : public TGraphicControl {
    Q4_CLASS(TCustomLabel, TGraphicControl)
public:
    explicit TCustomLabel(TComponent* owner);
    static void DeclareProperties(TPropertyList& p);

    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment v);
    TTextLayout Layout() const { return layout_; }
    void SetLayout(TTextLayout v);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool v);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool v);
    bool ShowAccelChar() const { return showAccelChar_; }
    void SetShowAccelChar(bool v);
    bool CanAutoSize(int& newWidth, int& newHeight) override;
    void WndProc(TMessage& message) override;
    void Loaded() override;

protected:
    void Paint() override;
    unsigned DrawFlags() const;

private:
    void Changed();
    TAlignment alignment_ = taLeftJustify;
    TTextLayout layout_ = tlTop;
    bool wordWrap_ = false;
    bool transparent_ = false;
    bool showAccelChar_ = true;
};

class TLabel : public TCustomLabel {
    Q4_CLASS(TLabel, TCustomLabel)
public:
    explicit TLabel(TComponent* owner) : TCustomLabel(owner) {}
};

// ---- edits --------------------------------------------------------------------------------------

// The common base of the one-line edit, the masked edit and the memo.
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
    virtual int SelStart() const;
    virtual void SetSelStart(int v);
    virtual int SelLength() const;
    virtual void SetSelLength(int v);
    void SelectAll();
    bool PaintsOwnWidget() const override { return false; }

    TNotifyEvent OnChange;

protected:
    virtual void Change();
    // The user changed the text in the widget.
    void UserChangedText(const std::string& text);
    void DoSetText(const std::string& value) override;
    // Puts the text into the widget without telling anyone.
    virtual void ShowText() {}
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
    QLineEdit* LineEdit();
    int SelStart() const override;
    void SetSelStart(int v) override;
    int SelLength() const override;
    void SetSelLength(int v) override;

protected:
    QWidget* CreateWidget() override;
    void ShowText() override;
    void UpdateWidgetState() override;
};

// An edit whose text follows an edit mask (EditMask.h). Text is the masked text; EditText what
// is shown. Keys are fitted into the mask; a key that fits nowhere is refused.
class TCustomMaskEdit : public TCustomEdit {
    Q4_CLASS(TCustomMaskEdit, TCustomEdit)
public:
    explicit TCustomMaskEdit(TComponent* owner);
    static void DeclareProperties(TPropertyList& p);

    const std::string& EditMask() const { return mask_.Mask(); }
    void SetEditMask(const std::string& v);
    std::string EditText() const { return mask_.EditText(); }
    void SetEditText(const std::string& v);
    std::string GetText() const override;
    bool IsMasked() const { return mask_.IsMasked(); }
    // Raises EEditMaskError when a required position is empty.
    void ValidateEdit() { mask_.Validate(); }
    QLineEdit* LineEdit();
    int SelStart() const override;
    void SetSelStart(int v) override;

protected:
    QWidget* CreateWidget() override;
    void DoSetText(const std::string& value) override;
    void ShowText() override;
    void KeyDown(TKeyCode& key, TShiftState shift) override;
    void KeyPress(char16_t& key) override;
    void UpdateWidgetState() override;

private:
    void MaskChanged(int cursor);
    TEditMask mask_;
};

class TMaskEdit : public TCustomMaskEdit {
    Q4_CLASS(TMaskEdit, TCustomMaskEdit)
public:
    explicit TMaskEdit(TComponent* owner) : TCustomMaskEdit(owner) {}
};

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

// ---- buttons ------------------------------------------------------------------------------------

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

class TCustomCheckBox : public TButtonControl {
    Q4_CLASS(TCustomCheckBox, TButtonControl)
public:
    explicit TCustomCheckBox(TComponent* owner);
    static void DeclareProperties(TPropertyList& p);

    bool Checked() const { return state_ == cbChecked; }
    void SetChecked(bool v) { SetState(v ? cbChecked : cbUnchecked); }
    TCheckBoxState State() const { return state_; }
    // A change fires OnClick.
    void SetState(TCheckBoxState v);
    bool AllowGrayed() const { return allowGrayed_; }
    void SetAllowGrayed(bool v) { allowGrayed_ = v; }
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment v);

protected:
    QWidget* CreateWidget() override;
    void UpdateWidgetState() override;
    // The user's click: the next state, then OnClick.
    void Toggle();

private:
    TCheckBoxState state_ = cbUnchecked;
    bool allowGrayed_ = false;
    TAlignment alignment_ = taRightJustify;

protected:
    TSignalGuard guard_; // declared last: cut first
};

class TCheckBox : public TCustomCheckBox {
    Q4_CLASS(TCheckBox, TCustomCheckBox)
public:
    explicit TCheckBox(TComponent* owner) : TCustomCheckBox(owner) {}
};

// Checking a radio button unchecks the radio buttons beside it (same parent) and fires OnClick;
// unchecking fires nothing.
class TRadioButton : public TButtonControl {
    Q4_CLASS(TRadioButton, TButtonControl)
public:
    explicit TRadioButton(TComponent* owner);
    static void DeclareProperties(TPropertyList& p);

    bool Checked() const { return checked_; }
    void SetChecked(bool v);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment v);

protected:
    QWidget* CreateWidget() override;
    void UpdateWidgetState() override;

private:
    bool checked_ = false;
    TAlignment alignment_ = taRightJustify;

protected:
    TSignalGuard guard_; // declared last: cut first
};

// ---- lists --------------------------------------------------------------------------------------

// A combo box: csDropDown has an edit, csDropDownList only the list. Items may be kept sorted.
class TCustomComboBox : public TWinControl {
    Q4_CLASS(TCustomComboBox, TWinControl)
public:
    explicit TCustomComboBox(TComponent* owner);
    // Arrow keys belong to the control, not to the form's dialog navigation.
    void WndProc(TMessage& message) override;
    ~TCustomComboBox() override;
    static void DeclareProperties(TPropertyList& p);

    TStrings* Items() const { return items_.get(); }
    void SetItems(TStrings* v);
    int ItemIndex() const { return itemIndex_; }
    // Fires nothing; -1 clears the selection. An index outside the items is refused.
    void SetItemIndex(int v);
    TComboBoxStyle Style() const { return style_; }
    void SetStyle(TComboBoxStyle v);
    bool Sorted() const { return items_->Sorted(); }
    void SetSorted(bool v);
    int DropDownCount() const { return dropDownCount_; }
    void SetDropDownCount(int v);
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int v);
    std::string GetText() const override;
    void Clear();
    bool PaintsOwnWidget() const override { return false; }
    QComboBox* ComboBox();

    TNotifyEvent OnChange;
    TNotifyEvent OnSelect;
    TNotifyEvent OnDropDown;
    TNotifyEvent OnCloseUp;

protected:
    QWidget* CreateWidget() override;
    void DoSetText(const std::string& value) override;
    void UpdateWidgetState() override;
    virtual void Change();
    // The user picked an item: ItemIndex and Text follow, then OnClick, OnSelect, OnChange.
    void UserSelected(int index);
    // The list dropped down (OnDropDown) or closed up (OnCloseUp).
    void DroppedDown(bool down);
    virtual void FillWidget();

    std::unique_ptr<TStringList> items_;
    int itemIndex_ = -1;
    TComboBoxStyle style_ = csDropDown;
    int dropDownCount_ = 8;
    int maxLength_ = 0;
    bool filling_ = false;

private:
    void ItemsChanged();

protected:
    TSignalGuard guard_; // declared last: cut first
};

class TComboBox : public TCustomComboBox {
    Q4_CLASS(TComboBox, TCustomComboBox)
public:
    explicit TComboBox(TComponent* owner) : TCustomComboBox(owner) {}
};

class TCustomListBox : public TWinControl {
    Q4_CLASS(TCustomListBox, TWinControl)
public:
    explicit TCustomListBox(TComponent* owner);
    // Arrow keys belong to the control, not to the form's dialog navigation.
    void WndProc(TMessage& message) override;
    ~TCustomListBox() override;
    static void DeclareProperties(TPropertyList& p);

    TStrings* Items() const { return items_.get(); }
    void SetItems(TStrings* v);
    int ItemIndex() const { return itemIndex_; }
    void SetItemIndex(int v);
    bool Sorted() const { return items_->Sorted(); }
    void SetSorted(bool v);
    int Count() const { return items_->Count(); }
    void Clear() { items_->Clear(); }
    bool PaintsOwnWidget() const override { return false; }
    QListWidget* ListWidget();

protected:
    QWidget* CreateWidget() override;
    void UpdateWidgetState() override;
    void FillWidget();

private:
    std::unique_ptr<TStringList> items_;
    int itemIndex_ = -1;
    bool filling_ = false;

protected:
    TSignalGuard guard_; // declared last: cut first
};

class TListBox : public TCustomListBox {
    Q4_CLASS(TListBox, TCustomListBox)
public:
    explicit TListBox(TComponent* owner) : TCustomListBox(owner) {}
};

// ---- containers ---------------------------------------------------------------------------------

// A framed box with its caption in the top edge.
class TCustomGroupBox : public TCustomControl {
    Q4_CLASS(TCustomGroupBox, TCustomControl)
public:
    explicit TCustomGroupBox(TComponent* owner);
    void WndProc(TMessage& message) override;
    // Aligned children go inside the frame, below the caption.
    void AlignControls(TControl* changed, TRect& rect) override;

protected:
    void Paint() override;
};

class TGroupBox : public TCustomGroupBox {
    Q4_CLASS(TGroupBox, TCustomGroupBox)
public:
    explicit TGroupBox(TComponent* owner) : TCustomGroupBox(owner) {}
};

// Registers the classes of this file with the class registry, for descriptions.
void RegisterStdControls();
