#include "spreadsheet/overlays/AutoFilters.h"

#include "spreadsheet/formulas/InternalNames.h"

TAutoFilter* TAutoFilters::Add(std::unique_ptr<TAutoFilter> item) {
    items_.push_back(std::move(item));
    return items_.back().get();
}

void TAutoFilters::Clear() {
    for (const auto& item : items_)
        if (item && DropDowns)
            DropDowns->DeleteControlById(item->DropDownId);
    items_.clear();
    if (Names)
        Names->DeleteBuiltinName(kFilterDatabase, (SheetIndex ? SheetIndex() : 0) + 1);
}
