#pragma once
// List boxes.

#include "platform/forms/Controls.h"
#include "platform/rtl/Classes.h"
#include "platform/stdctrls/SignalGuard.h"

#include <memory>

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
