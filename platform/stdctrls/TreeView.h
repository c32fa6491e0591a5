#pragma once
// Tree views. The nodes live in TTreeNodes (TreeNodes.h); the widget mirrors them.

#include "platform/forms/Controls.h"
#include "platform/stdctrls/SignalGuard.h"
#include "platform/stdctrls/TreeNodes.h"

#include <functional>
#include <memory>

class TCustomImageList;
class TTreeViewRows;

using TTVChangedEvent = std::function<void(TObject* Sender, TTreeNode* Node)>;

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
    // Whether the selection disappears while the tree has no focus (else it shows in grey).
    bool HideSelection() const { return hideSelection_; }
    void SetHideSelection(bool v);
    // Whether a right click selects the node under the mouse.
    bool RightClickSelect() const { return rightClickSelect_; }
    void SetRightClickSelect(bool v) { rightClickSelect_ = v; }
    // Selecting a node expands it and collapses the branch selected before (unless it leads to
    // the new one).
    virtual bool AutoExpand() const { return autoExpand_; }
    virtual void SetAutoExpand(bool v) { autoExpand_ = v; }
    TCustomImageList* Images() const { return images_; }
    void SetImages(TCustomImageList* v);
    TCustomImageList* StateImages() const { return stateImages_; }
    void SetStateImages(TCustomImageList* v);
    void FullExpand() { items_->FullExpand(); }
    void FullCollapse() { items_->FullCollapse(); }
    // The node at a point of the client area, or null.
    TTreeNode* GetNodeAt(int x, int y);
    // Where a node is shown in the client area: its row, or with textOnly the box round its
    // text; empty when the node is not shown.
    TRect NodeDisplayRect(TTreeNode* node, bool textOnly);
    // The vertical scroll position: the first row shown, counted over the rows that can be shown.
    int ScrollPos();
    void SetScrollPos(int row);
    bool PaintsOwnWidget() const override { return false; }

    TTVChangedEvent OnChange;
    TTVChangedEvent OnDeletion;
    TTVChangedEvent OnExpanded;
    TTVChangedEvent OnCollapsed;

protected:
    QWidget* CreateWidget() override;
    void UpdateWidgetState() override;
    // A node was expanded or collapsed (by the user or the program): fire the events.
    virtual void Expand(TTreeNode* node);
    virtual void Collapse(TTreeNode* node);

private:
    void NodesChanged(TTreeNodes::TChange change, TTreeNode* node);
    void SelectionMoved(TTreeNode* old, TTreeNode* node);
    // Adds the node's widget row, in its place under its parent's row.
    void MakeItem(TTreeNode* node);
    // Shows the node's text, images and expansion on its row.
    void ShowNode(TTreeNode* node);
    void Rebuild();

    friend class TTreeViewRows;
    std::unique_ptr<TTreeNodes> items_;
    std::unique_ptr<TTreeViewRows> rows_; // the nodes' widget rows (StdCtrlsBridge.h)
    TCustomImageList* images_ = nullptr;
    TCustomImageList* stateImages_ = nullptr;
    bool readOnly_ = false;
    bool showRoot_ = true;
    bool toolTips_ = true;
    bool hideSelection_ = true;
    bool rightClickSelect_ = false;
    bool autoExpand_ = false;
    TTreeNode* lastSelected_ = nullptr;
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
