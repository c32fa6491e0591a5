#include "spreadsheet/core/WideStringList.h"

#include "platform/rtl/Exception.h"
#include "platform/rtl/Strings.h"

TXLSWideStringList::~TXLSWideStringList() {
    SuppressChange = true;
    Clear();
}

void TXLSWideStringList::Changed() {
    if (OnChange && !SuppressChange)
        OnChange(this);
}

int TXLSWideStringList::Add(const std::u16string& text) {
    entries_.push_back(std::make_unique<TEntry>(TEntry{text}));
    Changed();
    return Count() - 1;
}

void TXLSWideStringList::Clear() {
    entries_.clear();
    Changed();
}

std::u16string TXLSWideStringList::Strings(int index) const {
    if (index < 0 || index >= Count())
        throw EListError("List index out of bounds (" + IntToStr(index) + ")");
    const auto& entry = entries_[static_cast<size_t>(index)];
    return entry ? entry->Text : std::u16string();
}

void TXLSWideStringList::SetStrings(int index, const std::u16string& text) {
    if (index < 0 || index > Count())
        throw Exception("Index out of range");
    if (index < Count())
        entries_[static_cast<size_t>(index)]->Text = text;
    else
        Add(text);
    Changed();
}
