#pragma once
// The columns and items of a list view, apart from its window: column captions, widths and
// alignment (published, so that a description stores them), items with their caption, sub-items,
// image and state indexes, check mark, selection and user data, and sorting. The view listens
// through Observer and mirrors each change.

#include "platform/classes/Collection.h"
#include "platform/rtl/Classes.h"
#include "platform/stdctrls/ControlTypes.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TFiler;
class TStream;

class TListColumns;
class TListItems;

class TListColumn : public TCollectionItem {
    Q4_CLASS(TListColumn, TCollectionItem)

    // The collection hears of a new column once it is whole (the base announces it half-built).
    explicit TListColumn(TCollection* collection) : TCollectionItem(collection) { Changed(false); }

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& value);
    int Width() const { return width_; }
    // Kept within MinWidth and MaxWidth (a zero MaxWidth is no limit).
    void SetWidth(int value);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);
    int MinWidth() const { return minWidth_; }
    void SetMinWidth(int value);
    int MaxWidth() const { return maxWidth_; }
    void SetMaxWidth(int value);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int value);
    int Tag = 0;

    std::string DisplayName() const override { return caption_.empty() ? ClassName() : caption_; }
    void Assign(TPersistent* source) override;

    static void DeclareProperties(TPropertyList& p);

private:
    std::string caption_;
    int width_ = 50;
    TAlignment alignment_ = taLeftJustify;
    bool autoSize_ = false;
    int minWidth_ = 0;
    int maxWidth_ = 0;
    int imageIndex_ = -1;
};

class TListColumns : public TCollection {
    Q4_CLASS(TListColumns, TCollection)

    explicit TListColumns(TPersistent* owner = nullptr)
        : TCollection(TListColumn::StaticClass(), owner) {}

    TListColumn* Add() { return static_cast<TListColumn*>(TCollection::Add()); }
    TListColumn* Insert(int index) { return static_cast<TListColumn*>(TCollection::Insert(index)); }
    TListColumn* Items(int index) const {
        return static_cast<TListColumn*>(TCollection::Items(index));
    }

    // Told after a change of one column, or with null after columns came, went or moved. Never
    // told while a column is still being built.
    std::function<void(TListColumn*)> Observer;
    // Whether every item is a whole column (false while one is being built).
    bool Complete() const {
        for (int i = 0; i < Count(); ++i)
            if (!dynamic_cast<TListColumn*>(TCollection::Items(i)))
                return false;
        return true;
    }

protected:
    void Update(TCollectionItem* item) override {
        if (Observer && Complete())
            Observer(dynamic_cast<TListColumn*>(item));
    }
};

Q4_ENUM(TSortType, stNone, stData, stText, stBoth);

class TListItem : public TPersistent {
    Q4_CLASS(TListItem, TPersistent)

    explicit TListItem(TListItems* owner);
    ~TListItem() override;

    TListItems* Owner() const { return owner_; }
    int Index() const;

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& value);
    // The texts of the second and later columns; changing them is reported to the view.
    TStringList* SubItems() const { return subItems_.get(); }
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int value);
    int StateIndex() const { return stateIndex_; }
    void SetStateIndex(int value);
    bool Checked() const { return checked_; }
    void SetChecked(bool value);
    bool Selected() const { return selected_; }
    void SetSelected(bool value);
    void* Data() const { return data_; }
    void SetData(void* value);

    void Delete();
    void Assign(TPersistent* source) override;

private:
    friend class TListItems;
    void Changed();

    TListItems* owner_;
    std::string caption_;
    std::unique_ptr<TStringList> subItems_;
    int imageIndex_ = -1;
    int stateIndex_ = -1;
    bool checked_ = false;
    bool selected_ = false;
    void* data_ = nullptr;
};

class TListItems : public TPersistent {
    Q4_CLASS(TListItems, TPersistent)

    enum class TChange { Added, Deleting, Changed, Selected, Cleared, Reset };
    // Told of every change (null for Cleared and Reset), unless inside BeginUpdate/EndUpdate,
    // which reports Reset once at its end instead.
    std::function<void(TChange, TListItem*)> Observer;

    TListItems() = default;
    ~TListItems() override;

    int Count() const { return static_cast<int>(items_.size()); }
    // Raises EListError outside the list.
    TListItem* Item(int index) const;
    int IndexOf(const TListItem* item) const;
    TListItem* Add();
    // Raises EListError for an index outside 0..Count.
    TListItem* Insert(int index);
    void Delete(int index);
    void Clear();

    // Only one item may be selected unless MultiSelect.
    bool MultiSelect = false;
    TListItem* Selected() const;
    int SelCount() const;

    // Kept sorted by caption (stText, stBoth) through Compare when it is set, by caption otherwise.
    TSortType SortType() const { return sortType_; }
    void SetSortType(TSortType value);
    // The view's comparison (its OnCompare): negative, zero or positive.
    std::function<int(TListItem*, TListItem*)> Compare;
    // Asked before an item's check mark changes (false keeps it), and told after it changed.
    std::function<bool(TListItem*, bool checked)> CheckChanging;
    std::function<void(TListItem*)> CheckChanged;
    // Sorts by caption, ignoring case; equal items keep their order.
    void AlphaSort();
    void CustomSort(const std::function<int(TListItem*, TListItem*)>& compare);

    void BeginUpdate() { ++updateCount_; }
    void EndUpdate();

    void Assign(TPersistent* source) override;

    // Descriptions store the items as "Data": their number, then each item's image and state
    // indexes, check mark, caption and sub-items. Reading replaces the items; malformed data
    // raises EReadError.
    void DefineProperties(TFiler* filer) override;
    void WriteData(TStream& stream) const;
    void ReadData(TStream& stream);

private:
    friend class TListItem;
    void Notify(TChange change, TListItem* item);
    void SortIfNeeded();

    std::vector<std::unique_ptr<TListItem>> items_;
    TSortType sortType_ = stNone;
    int updateCount_ = 0;
    bool changedWhileUpdating_ = false;
};
