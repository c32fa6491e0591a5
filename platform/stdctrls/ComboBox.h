#pragma once
// Combo boxes. Setting ItemIndex fires nothing; the user's choice fires OnClick, OnSelect
// and OnChange.

#include "platform/forms/Controls.h"
#include "platform/graphics/Canvas.h"
#include "platform/rtl/Classes.h"
#include "platform/stdctrls/OwnerDraw.h"
#include "platform/stdctrls/SignalGuard.h"

#include <memory>
#include <string>

Q4_ENUM(TComboBoxStyle, csDropDown, csSimple, csDropDownList, csOwnerDrawFixed,
        csOwnerDrawVariable);

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
    // The width of the dropped-down list; 0 (the default): as wide as the box.
    int DropDownWidth() const { return dropDownWidth_; }
    void SetDropDownWidth(int width);
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int v);
    std::string GetText() const override;
    void Clear();
    bool PaintsOwnWidget() const override { return false; }
    // Owner-drawn styles: every item (and the closed box's field) is drawn by OnDrawItem on
    // Canvas, each ItemHeight pixels high.
    int ItemHeight() const { return itemHeight_; }
    void SetItemHeight(int v);
    TCanvas* Canvas() { return &canvas_; }
    bool OwnerDrawn() const;

    TNotifyEvent OnChange;
    TDrawItemEvent OnDrawItem;
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
    // Drawn over the box after the platform painted it, on a canvas over the whole window (the
    // pixels left alone keep the platform's look). Nothing here.
    virtual void PaintOver(TCanvas&, const TRect&) {}
    virtual bool PaintsOver() const { return false; }
    friend struct TComboBoxPainting;

    std::unique_ptr<TStringList> items_;
    int itemIndex_ = -1;
    TComboBoxStyle style_ = csDropDown;
    int dropDownCount_ = 8;
    int maxLength_ = 0;
    int dropDownWidth_ = 0;
    bool filling_ = false;

private:
    void ItemsChanged();
    void UpdateOwnerDraw();

    int itemHeight_ = 16;
    TCanvas canvas_;

protected:
    TSignalGuard guard_; // declared last: cut first
};

class TComboBox : public TCustomComboBox {
    Q4_CLASS(TComboBox, TCustomComboBox)
public:
    explicit TComboBox(TComponent* owner) : TCustomComboBox(owner) {}
};
