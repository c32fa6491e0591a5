#pragma once
// The common controls: tree view, list view (report style), progress bar, track bar and status
// bar. The tree and the list keep their content in TTreeNodes and TListItems (TreeNodes.h,
// ListItems.h); the widgets mirror it.

#include "platform/forms/Controls.h"
#include "platform/stdctrls/ControlTypes.h"
#include "platform/stdctrls/ListItems.h"
#include "platform/stdctrls/SignalGuard.h"
#include "platform/stdctrls/TreeNodes.h"

#include <functional>
#include <memory>
#include <string>
#include <unordered_map>

class QTreeWidget;
class QTreeWidgetItem;
class QProgressBar;
class QSlider;
class TCustomImageList;

Q4_ENUM(TViewStyle, vsIcon, vsSmallIcon, vsList, vsReport);
Q4_ENUM(TTrackBarOrientation, trHorizontal, trVertical);
Q4_ENUM(TStatusPanelBevel, pbNone, pbLowered, pbRaised);

using TTVChangedEvent = std::function<void(TObject* Sender, TTreeNode* Node)>;
using TLVSelectItemEvent = std::function<void(TObject* Sender, TListItem* Item, bool Selected)>;
using TLVColumnClickEvent = std::function<void(TObject* Sender, TListColumn* Column)>;
using TLVCompareEvent = std::function<void(TObject* Sender, TListItem* Item1, TListItem* Item2,
                                           int Data, int& Compare)>;

// ---- tree view ----------------------------------------------------------------------------------

// OnChange follows every change of the selected node, the program's and the user's.
class TCustomTreeView : public TWinControl {
    Q4_CLASS(TCustomTreeView, TWinControl)
public:
    explicit TCustomTreeView(TComponent* owner);
    // Arrow keys belong to the control, not to the form's dialog navigation.
    void WndProc(TMessage& message) override;
    ~TCustomTreeView() override;
    static void DeclareProperties(TPropertyList& p);

    TTreeNodes* Items() const { return items_.get(); }
    void SetItems(TTreeNodes* v) { items_->Assign(v); }
    TTreeNode* Selected() const { return items_->Selected(); }
    void SetSelected(TTreeNode* node) { items_->SetSelected(node); }
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool v) { readOnly_ = v; }
    bool ShowRoot() const { return showRoot_; }
    void SetShowRoot(bool v);
    int Indent() const { return indent_; }
    void SetIndent(int v);
    bool ToolTips() const { return toolTips_; }
    void SetToolTips(bool v) { toolTips_ = v; }
    TCustomImageList* Images() const { return images_; }
    void SetImages(TCustomImageList* v);
    TCustomImageList* StateImages() const { return stateImages_; }
    void SetStateImages(TCustomImageList* v);
    void FullExpand() { items_->FullExpand(); }
    void FullCollapse() { items_->FullCollapse(); }
    bool PaintsOwnWidget() const override { return false; }
    QTreeWidget* TreeWidget();
    // The widget row of a node (for tests and drawing), or null before the widget exists.
    QTreeWidgetItem* WidgetItem(TTreeNode* node) const;

    TTVChangedEvent OnChange;
    TTVChangedEvent OnDeletion;
    TTVChangedEvent OnExpanded;
    TTVChangedEvent OnCollapsed;

protected:
    QWidget* CreateWidget() override;
    void UpdateWidgetState() override;

private:
    void NodesChanged(TTreeNodes::TChange change, TTreeNode* node);
    QTreeWidgetItem* MakeItem(TTreeNode* node);
    void ShowNode(TTreeNode* node, QTreeWidgetItem* item);
    void Rebuild();

    std::unique_ptr<TTreeNodes> items_;
    std::unordered_map<TTreeNode*, QTreeWidgetItem*> map_;
    TCustomImageList* images_ = nullptr;
    TCustomImageList* stateImages_ = nullptr;
    bool readOnly_ = false;
    bool showRoot_ = true;
    bool toolTips_ = true;
    int indent_ = 19;
    bool mirroring_ = false;

protected:
    TSignalGuard guard_; // declared last: cut first
};

class TTreeView : public TCustomTreeView {
    Q4_CLASS(TTreeView, TCustomTreeView)
public:
    explicit TTreeView(TComponent* owner) : TCustomTreeView(owner) {}
};

// ---- list view ----------------------------------------------------------------------------------

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
    QTreeWidget* TreeWidget();

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

// ---- bars ---------------------------------------------------------------------------------------

class TProgressBar : public TWinControl {
    Q4_CLASS(TProgressBar, TWinControl)
public:
    explicit TProgressBar(TComponent* owner);
    static void DeclareProperties(TPropertyList& p);
    int Min() const { return min_; }
    void SetMin(int v);
    int Max() const { return max_; }
    void SetMax(int v);
    int Position() const { return position_; }
    // Kept within Min..Max.
    void SetPosition(int v);
    int Step() const { return step_; }
    void SetStep(int v) { step_ = v; }
    // Moves by Step, wrapping to Min past Max.
    void StepIt();
    void StepBy(int delta) { SetPosition(position_ + delta); }
    bool PaintsOwnWidget() const override { return false; }

protected:
    QWidget* CreateWidget() override;
    void UpdateWidgetState() override;

private:
    int min_ = 0;
    int max_ = 100;
    int position_ = 0;
    int step_ = 10;
};

// Setting Position fires OnChange, as moving the thumb does. A vertical bar has Min at the top.
class TTrackBar : public TWinControl {
    Q4_CLASS(TTrackBar, TWinControl)
public:
    explicit TTrackBar(TComponent* owner);
    // Arrow keys belong to the control, not to the form's dialog navigation.
    void WndProc(TMessage& message) override;
    static void DeclareProperties(TPropertyList& p);
    int Min() const { return min_; }
    void SetMin(int v);
    int Max() const { return max_; }
    void SetMax(int v);
    int Position() const { return position_; }
    void SetPosition(int v);
    int PageSize() const { return pageSize_; }
    void SetPageSize(int v);
    int Frequency() const { return frequency_; }
    void SetFrequency(int v);
    TTrackBarOrientation Orientation() const { return orientation_; }
    void SetOrientation(TTrackBarOrientation v);
    bool PaintsOwnWidget() const override { return false; }
    QSlider* Slider();

    TNotifyEvent OnChange;

protected:
    QWidget* CreateWidget() override;
    void UpdateWidgetState() override;

private:
    int min_ = 0;
    int max_ = 10;
    int position_ = 0;
    int pageSize_ = 2;
    int frequency_ = 1;
    TTrackBarOrientation orientation_ = trHorizontal;

protected:
    TSignalGuard guard_; // declared last: cut first
};

class TStatusPanel : public TCollectionItem {
    Q4_CLASS(TStatusPanel, TCollectionItem)
public:
    explicit TStatusPanel(TCollection* c) : TCollectionItem(c) {}
    static void DeclareProperties(TPropertyList& p);
    const std::string& Text() const { return text_; }
    void SetText(const std::string& v);
    int Width() const { return width_; }
    void SetWidth(int v);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment v);
    TStatusPanelBevel Bevel() const { return bevel_; }
    void SetBevel(TStatusPanelBevel v);
    std::string DisplayName() const override { return text_.empty() ? ClassName() : text_; }

private:
    std::string text_;
    int width_ = 50;
    TAlignment alignment_ = taLeftJustify;
    TStatusPanelBevel bevel_ = pbLowered;
};

class TStatusPanels : public TCollection {
    Q4_CLASS(TStatusPanels, TCollection)
public:
    explicit TStatusPanels(TPersistent* owner = nullptr)
        : TCollection(TStatusPanel::StaticClass(), owner) {}
    TStatusPanel* Add() { return static_cast<TStatusPanel*>(TCollection::Add()); }
    TStatusPanel* Items(int i) const { return static_cast<TStatusPanel*>(TCollection::Items(i)); }
    std::function<void()> OnUpdate;

protected:
    void Update(TCollectionItem*) override {
        if (OnUpdate)
            OnUpdate();
    }
};

// Panels side by side (the last one takes the rest), or one simple text.
class TStatusBar : public TCustomControl {
    Q4_CLASS(TStatusBar, TCustomControl)
public:
    explicit TStatusBar(TComponent* owner);
    ~TStatusBar() override;
    static void DeclareProperties(TPropertyList& p);
    TStatusPanels* Panels() const { return panels_.get(); }
    void SetPanels(TStatusPanels* v) { panels_->Assign(v); }
    bool SimplePanel() const { return simplePanel_; }
    void SetSimplePanel(bool v);
    const std::string& SimpleText() const { return simpleText_; }
    void SetSimpleText(const std::string& v);
    // The area of panel i in the bar's client coordinates.
    TRect PanelRect(int index) const;

protected:
    void Paint() override;

private:
    std::unique_ptr<TStatusPanels> panels_;
    bool simplePanel_ = false;
    std::string simpleText_;
};

void RegisterComControls();
