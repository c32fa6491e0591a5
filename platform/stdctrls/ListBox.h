#pragma once
// List boxes.

#include "platform/forms/Controls.h"
#include "platform/graphics/Canvas.h"
#include "platform/rtl/Classes.h"
#include "platform/stdctrls/OwnerDraw.h"
#include "platform/stdctrls/SignalGuard.h"

#include <memory>

Q4_ENUM(TListBoxStyle, lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable, lbVirtual,
        lbVirtualOwnerDraw);

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
    // Owner-drawn styles: every item is drawn by OnDrawItem on Canvas, ItemHeight pixels high.
    TListBoxStyle Style() const { return style_; }
    void SetStyle(TListBoxStyle v);
    int ItemHeight() const { return itemHeight_; }
    void SetItemHeight(int v);
    TCanvas* Canvas() { return &canvas_; }
    // The item under a client point, or -1.
    int ItemAtPos(TPoint p) const;
    // Where item index is drawn in client coordinates (empty when it is not shown).
    TRect ItemRect(int index) const;

    TDrawItemEvent OnDrawItem;

protected:
    QWidget* CreateWidget() override;
    void UpdateWidgetState() override;
    void FillWidget();

private:
    void UpdateOwnerDraw();

    std::unique_ptr<TStringList> items_;
    int itemIndex_ = -1;
    bool filling_ = false;
    TListBoxStyle style_ = lbStandard;
    int itemHeight_ = 13;
    TCanvas canvas_;

protected:
    TSignalGuard guard_; // declared last: cut first
};

class TListBox : public TCustomListBox {
    Q4_CLASS(TListBox, TCustomListBox)
public:
    explicit TListBox(TComponent* owner) : TCustomListBox(owner) {}
};
