#pragma once
// A sheet's autofilters: each the collection id of its drop-down combo box in the sheet's
// control list. Clearing removes the drop-downs (with their shapes) and the sheet's
// filter-database name.
//
// The sheet clears its autofilters before it frees its controls; a list whose drop-down owner
// is gone (DropDowns null) frees its items without reaching for it.

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class TInternalNames;

// The combo boxes that autofilter drop-downs live in.
class TAutoFilterDropDowns {
public:
    virtual ~TAutoFilterDropDowns() = default;
    // Removes the control with that collection id and its shape.
    virtual void DeleteControlById(int id) = 0;
};

struct TAutoFilter {
    int32_t Column = 0;
    int32_t DropDownId = 0;
};

class TAutoFilters {
public:
    // The filter-database name's built-in code.
    static constexpr int kFilterDatabase = 13;

    TAutoFilters(TAutoFilterDropDowns* dropDowns, TInternalNames* names,
                 std::function<int()> sheetIndex)
        : DropDowns(dropDowns), Names(names), SheetIndex(std::move(sheetIndex)) {}
    ~TAutoFilters() { Clear(); }

    int Count() const { return static_cast<int>(items_.size()); }
    TAutoFilter* Items(int index) const { return items_.at(static_cast<size_t>(index)).get(); }
    TAutoFilter* Add(std::unique_ptr<TAutoFilter> item);
    void Clear();

    TAutoFilterDropDowns* DropDowns;
    TInternalNames* Names;
    std::function<int()> SheetIndex;

private:
    std::vector<std::unique_ptr<TAutoFilter>> items_;
};
