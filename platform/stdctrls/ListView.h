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
// Parts of an item's place: the whole item, its icon, its caption's label, or the part that
// selects it.
Q4_ENUM(TDisplayCode, drBounds, drIcon, drLabel, drSelectBounds);
// How a header section looks under the mouse: plain, under the pointer, or pressed.
Q4_ENUM(THeaderSectionState, hssNormal, hssHot, hssPressed);

using TLVSelectItemEvent = std::function<void(TObject* Sender, TListItem* Item, bool Selected)>;

using TLVColumnClickEvent = std::function<void(TObject* Sender, TListColumn* Column)>;

using TLVCompareEvent = std::function<void(TObject* Sender, TListItem* Item1, TListItem* Item2,
                                           int Data, int& Compare)>;
using TLVEditingEvent = std::function<void(TObject* Sender, TListItem* Item, bool& AllowEdit)>;
using TLVEditedEvent = std::function<void(TObject* Sender, TListItem* Item, std::string& S)>;
using TLVInfoTipEvent = std::function<void(TObject* Sender, TListItem* Item, std::string& InfoTip)>;

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
    // Whether the selection disappears while the list has no focus (else it shows in grey).
    bool HideSelection() const { return hideSelection_; }
    void SetHideSelection(bool v);
    bool GridLines() const { return gridLines_; }
    void SetGridLines(bool v);
    bool RowSelect() const { return rowSelect_; }
    void SetRowSelect(bool v);
    // Captions can be edited (a double click, F2 or a click on the selected item) unless set.
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool v);
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

    // The item with the keyboard focus (the current one), or null.
    TListItem* ItemFocused();
    void SetItemFocused(TListItem* item);
    // Geometry, in client coordinates (a report view's header lies at the top of the client
    // area). Empty rectangles and nulls for items not shown.
    TListItem* GetItemAt(int x, int y);
    TRect ItemDisplayRect(TListItem* item, TDisplayCode code);
    // The header's height in a report view (0 otherwise) and the place of a column's section.
    int HeaderHeight();
    TRect HeaderSectionRect(int index);
    void InvalidateHeader();
    // The width the items are shown in: the client width less a vertical scroll bar shown.
    int ViewWidth();
    // The first item shown, and scrolling by pixels (a report view moves by whole rows).
    TListItem* TopItem();
    void Scroll(int dx, int dy);
    // Starts editing an item's caption, as a double click on it does (not when ReadOnly).
    void EditCaption(TListItem* item);
    bool IsEditing();

    TLVSelectItemEvent OnSelectItem;
    TLVColumnClickEvent OnColumnClick;
    TLVCompareEvent OnCompare;
    TLVEditingEvent OnEditing;
    TLVEditedEvent OnEdited;
    // The text of an item's tip, as the view is asked for it.
    TLVInfoTipEvent OnInfoTip;

protected:
    friend class TListViewWidget;
    friend class TListViewHeader;
    QWidget* CreateWidget() override;
    void UpdateWidgetState() override;
    // A column's header was clicked (with ColumnClick): fires OnColumnClick.
    virtual void ColClick(TListColumn* column);
    // Whether the caption may be edited now (OnEditing decides), and the text it gets.
    virtual bool CanEdit(TListItem* item);
    virtual void Edited(TListItem* item, std::string& text);
    // Before and after an item's check mark changes (not while loading): false keeps it.
    virtual bool CanChangeCheck(TListItem* item, bool checked);
    virtual void CheckChanged(TListItem* item);
    // A report view whose control draws the header sections itself answers true; each section
    // is then drawn by DrawHeaderSection on a canvas over the header (rect in its coordinates).
    virtual bool OwnerDrawsHeader() const { return false; }
    virtual void DrawHeaderSection(TCanvas* canvas, int index, const TRect& rect,
                                   THeaderSectionState state);
    // The user let go of a header divider after dragging it, or double-clicked it.
    virtual void HeaderResized() {}

private:
    void ItemsChanged(TListItems::TChange change, TListItem* item);
    void RowChanged(int index, bool checked, const std::string& text);
    void ShowItem(int index);
    void ShowColumns();
    void Rebuild();

    std::unique_ptr<TListColumns> columns_;
    std::unique_ptr<TListItems> items_;
    TViewStyle viewStyle_ = vsIcon;
    TCustomImageList* smallImages_ = nullptr;
    bool checkboxes_ = false;
    bool gridLines_ = false;
    bool hideSelection_ = true;
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
