#pragma once
// Radio groups: a group box of radio buttons made from a list of items.

#include "platform/rtl/Classes.h"
#include "platform/stdctrls/GroupBox.h"
#include "platform/stdctrls/RadioButton.h"

#include <memory>
#include <string>
#include <vector>

// A group box of radio buttons, one per item, in Columns columns. Setting ItemIndex checks that
// button and fires OnClick, as a user's choice does.
class TCustomRadioGroup : public TCustomGroupBox {
    Q4_CLASS(TCustomRadioGroup, TCustomGroupBox)
public:
    explicit TCustomRadioGroup(TComponent* owner);
    ~TCustomRadioGroup() override;
    static void DeclareProperties(TPropertyList& p);
    TStrings* Items() const { return items_.get(); }
    void SetItems(TStrings* v);
    int ItemIndex() const { return itemIndex_; }
    void SetItemIndex(int v);
    int Columns() const { return columns_; }
    void SetColumns(int v);
    TRadioButton* Buttons(int i) const { return buttons_.at(i); }
    void Loaded() override;

protected:
    void Resize() override;

private:
    void ItemsChanged();
    void ArrangeButtons();
    std::unique_ptr<TStringList> items_;
    std::vector<TRadioButton*> buttons_;
    int itemIndex_ = -1;
    std::string chosen_;
    int columns_ = 1;
    bool updating_ = false;
};

class TRadioGroup : public TCustomRadioGroup {
    Q4_CLASS(TRadioGroup, TCustomRadioGroup)
public:
    explicit TRadioGroup(TComponent* owner) : TCustomRadioGroup(owner) {}
};
