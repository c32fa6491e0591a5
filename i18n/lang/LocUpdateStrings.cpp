// Putting translated lines into a string list in place, keeping what the list's control shows:
// the selected item of a list control, a memo's word wrap, a sorted list's order.

#include "i18n/lang/LocApplyText.h"
#include "i18n/lang/LocCustomLang.h"
#include "platform/stdctrls/ComboBox.h"
#include "platform/stdctrls/ListBox.h"
#include "platform/stdctrls/Memo.h"

namespace {

// The selected item of a list control, taken off and put back around the update.
class TItemIndexKeeper {
public:
    explicit TItemIndexKeeper(TComponent* component)
        : listBox_(dynamic_cast<TCustomListBox*>(component)),
          comboBox_(dynamic_cast<TCustomComboBox*>(component)) {
        if (listBox_)
            index_ = listBox_->ItemIndex();
        else if (comboBox_)
            index_ = comboBox_->ItemIndex();
    }
    void Restore() const {
        if (listBox_)
            listBox_->SetItemIndex(index_);
        else if (comboBox_)
            comboBox_->SetItemIndex(index_);
    }

private:
    TCustomListBox* listBox_;
    TCustomComboBox* comboBox_;
    int index_ = -1;
};

} // namespace

void UpdateStringsInPlace(TStrings* target, TComponent* component, const std::string& text,
                          bool asLines) {
    TStringList lines;
    if (asLines)
        lines.SetText(text);
    else
        lines.SetCommaText(text);
    const TItemIndexKeeper itemIndex(component);
    auto* memo = dynamic_cast<TMemo*>(component);
    const bool wordWrap = memo != nullptr && memo->WordWrap();
    if (wordWrap)
        memo->SetWordWrap(false);
    auto* sortedList = dynamic_cast<TStringList*>(target);
    const bool sorted = sortedList != nullptr && sortedList->Sorted();
    if (sorted)
        sortedList->SetSorted(false);
    for (int i = 0; i < lines.Count(); ++i) {
        std::string line = lines.Get(i);
        if (TranslationHook)
            TranslationHook(component, nullptr, line);
        if (i < target->Count())
            target->Put(i, line);
        else
            target->Add(line);
    }
    while (target->Count() > lines.Count())
        target->Delete(target->Count() - 1);
    if (sorted)
        sortedList->SetSorted(true);
    if (component != nullptr)
        itemIndex.Restore();
    if (wordWrap)
        memo->SetWordWrap(true);
}
