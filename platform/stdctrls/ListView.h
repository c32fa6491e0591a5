#pragma once
// List views (report style). The columns and items live in TListColumns and TListItems
// (ListItems.h); the widget mirrors them.

#include "platform/forms/Controls.h"
#include "platform/stdctrls/ControlTypes.h"
#include "platform/stdctrls/ListItems.h"
#include "platform/stdctrls/SignalGuard.h"

#include <functional>
#include <memory>

class TCustomImageList;

Q4_ENUM(TViewStyle, vsIcon, vsSmallIcon, vsList, vsReport);

using TLVSelectItemEvent = std::function<void(TObject* Sender, TListItem* Item, bool Selected)>;

using TLVColumnClickEvent = std::function<void(TObject* Sender, TListColumn* Column)>;

using TLVCompareEvent = std::function<void(TObject* Sender, TListItem* Item1, TListItem* Item2,
                                           int Data, int& Compare)>;

class TCustomListView : public TWinControl {
    Q4_CLASS(TCustomListView, TWinControl)
public:
    explicit TCustomListView(TComponent* owner);
    // Arrow keys belong to the control, not to the form's dialog navigation.
    void WndProc(TMessage& message) override;
    ~TCustomListView() override;
    static void DeclareProperties(TPropertyList& p);

    TListColumns* Columns() const { return columns_.get(); }
    void SetColumns(TListColumns* v) { columns_->Assign(v); }
    TListItems* Items() const { return items_.get(); }
    void SetItems(TListItems* v) { items_->Assign(v); }
    TListItem* Selected() const { return items_->Selected(); }
    TViewStyle ViewStyle() const { return viewStyle_; }
    void SetViewStyle(TViewStyle v);
    bool Checkboxes() const { return checkboxes_; }
    void SetCheckboxes(bool v);
    bool GridLines() const { return gridLines_; }
    void SetGridLines(bool v);
    bool RowSelect() const { return rowSelect_; }
    void SetRowSelect(bool v);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool v) { readOnly_ = v; }
    bool ColumnClick() const { return columnClick_; }
    void SetColumnClick(bool v);
    bool MultiSelect() const { return items_->MultiSelect; }
    void SetMultiSelect(bool v);
    TSortType SortType() const { return items_->SortType(); }
    void SetSortType(TSortType v) { items_->SetSortType(v); }
    int AllocBy() const { return allocBy_; }
    void SetAllocBy(int v) { allocBy_ = v; }
    TCustomImageList* SmallImages() const { return smallImages_; }
    void SetSmallImages(TCustomImageList* v);
    bool AlphaSort();
    void Clear() { items_->Clear(); }
    bool PaintsOwnWidget() const override { return false; }

    TLVSelectItemEvent OnSelectItem;
    TLVColumnClickEvent OnColumnClick;
    TLVCompareEvent OnCompare;

protected:
    QWidget* CreateWidget() override;
    void UpdateWidgetState() override;

private:
    void ItemsChanged(TListItems::TChange change, TListItem* item);
    void ShowItem(int index);
    void ShowColumns();
    void Rebuild();

    std::unique_ptr<TListColumns> columns_;
    std::unique_ptr<TListItems> items_;
    TViewStyle viewStyle_ = vsIcon;
    TCustomImageList* smallImages_ = nullptr;
    bool checkboxes_ = false;
    bool gridLines_ = false;
    bool rowSelect_ = false;
    bool readOnly_ = false;
    bool columnClick_ = true;
    int allocBy_ = 0;
    bool mirroring_ = false;
    bool showingColumns_ = false;

protected:
    TSignalGuard guard_; // declared last: cut first
};

class TListView : public TCustomListView {
    Q4_CLASS(TListView, TCustomListView)
public:
    explicit TListView(TComponent* owner) : TCustomListView(owner) {}
};
