#pragma once
// TFrCustomTreeView: the platform tree view with the framing of the framed views (TFrFraming), an
// outline round the selected node's text while the tree has no focus (SelectionPen), selection
// following expanding and collapsing (AutoSelect), node context menus (OnNodeContextMenu; the
// right mouse button, the context-menu key and Shift+F10), wheel scrolling by the desktop's
// line count and ExpandAllNodes. TFrTreeView publishes it.

#include "controls/framing/FrFraming.h"
#include "controls/framing/FrWheelNotches.h"
#include "platform/forms/Menus.h"
#include "platform/stdctrls/TreeView.h"

#include <functional>
#include <memory>

// Asked before a node's context menu shows: Pos (client coordinates) and Menu may be changed; a
// null Menu shows none.
using TFrTvOnNodeContextMenuEvent =
    std::function<void(TObject* Sender, TTreeNode* Node, TPoint& Pos, TPopupMenu*& Menu)>;

class TFrCustomTreeView : public TCustomTreeView, public TFrFraming {
    Q4_CLASS(TFrCustomTreeView, TCustomTreeView)
public:
    explicit TFrCustomTreeView(TComponent* owner);
    ~TFrCustomTreeView() override;

    // Expands every node without moving the selection (AutoSelect is off meanwhile).
    void ExpandAllNodes();

    bool AutoExpand() const override { return TCustomTreeView::AutoExpand(); }
    // Switching it on switches AutoSelect off.
    void SetAutoExpand(bool v) override;
    // Expanding or collapsing a node selects it. Switching it on switches AutoExpand off.
    bool AutoSelect() const { return autoSelect_; }
    void SetAutoSelect(bool v);
    // The outline round the selected node's text while the tree has no focus (and does not hide
    // its selection).
    TPen* SelectionPen() const { return selectionPen_.get(); }
    void SetSelectionPen(TPen* v) { selectionPen_->Assign(v); }
    // Kept for descriptions; nothing here reads it.
    char PathDelimiter() const { return pathDelimiter_; }
    void SetPathDelimiter(char v) { pathDelimiter_ = v; }
    // The node a command applies to: the right-clicked one while a right click selects and is
    // under way, else the selected node; none before the window exists.
    TTreeNode* CurrentNode() const;

    TFrTvOnNodeContextMenuEvent OnNodeContextMenu;

    void WndProc(TMessage& message) override;
    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;
    void DefineProperties(TFiler* filer) override;

protected:
    TRect NonClientMargins() const override { return TRect{2, 2, 2, 2}; }
    void Expand(TTreeNode* node) override;
    void Collapse(TTreeNode* node) override;
    void KeyDown(TKeyCode& key, TShiftState shift) override;
    bool DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) override;

    // The context menu for a node (or none) at a client point.
    void NodeContextMenu(TTreeNode* node, TPoint at);
    // From the keyboard: at the current node's text, else PopupMenu at the client origin.
    void KeyboardContextMenu();

private:
    void RightButtonDown(TMessage& message);
    void ContextMenuRequest(TMessage& message);
    void PaintSelectionOutline(TCanvas* canvas);

    bool autoSelect_ = false;
    std::unique_ptr<TPen> selectionPen_;
    TTreeNode* rightClicked_ = nullptr;
    bool menuHandled_ = false;
    char pathDelimiter_ = '\\';
    TFrWheelNotches wheel_;
};

class TFrTreeView : public TFrCustomTreeView {
    Q4_CLASS(TFrTreeView, TFrCustomTreeView)
public:
    explicit TFrTreeView(TComponent* owner) : TFrCustomTreeView(owner) {}
    static void DeclareProperties(TPropertyList& p);
};
