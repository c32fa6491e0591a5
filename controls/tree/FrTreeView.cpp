#include "controls/tree/FrTreeView.h"

#include "platform/forms/SystemMetrics.h"

#include <algorithm>
#include <cstdlib>

TFrCustomTreeView::TFrCustomTreeView(TComponent* owner)
    : TCustomTreeView(owner), TFrFraming(this), selectionPen_(std::make_unique<TPen>()) {
    selectionPen_->SetColor(clBtnShadow);
    selectionPen_->OnChange = [this](TObject*) { Invalidate(); };
    SetParentColor(false);
}

TFrCustomTreeView::~TFrCustomTreeView() {
    selectionPen_->OnChange = nullptr;
}

void TFrTreeView::DeclareProperties(TPropertyList& p) {
    using T = TFrTreeView;
    DeclareFramingProperties<T>(p);
    p.AddFn<T>(
         "AutoSelect", [](T* t) { return t->AutoSelect(); },
         [](T* t, bool v) { t->SetAutoSelect(v); })
        .Default(false);
    p.AddFn<T>(
         "PathDelimiter", [](T* t) { return t->PathDelimiter(); },
         [](T* t, char v) { t->SetPathDelimiter(v); })
        .Default('\\');
    p.AddFn<T>(
        "SelectionPen", [](T* t) { return t->SelectionPen(); },
        [](T* t, TPen* v) { t->SetSelectionPen(v); });
    p.Add("OnNodeContextMenu", &T::OnNodeContextMenu);
}

void TFrCustomTreeView::DefineProperties(TFiler* filer) {
    TCustomTreeView::DefineProperties(filer);
    DefineLegacyFramingProperties(filer);
}

// ---- expanding and selecting --------------------------------------------------------------------

void TFrCustomTreeView::ExpandAllNodes() {
    const bool was = autoSelect_;
    autoSelect_ = false;
    try {
        FullExpand();
    } catch (...) {
        autoSelect_ = was;
        throw;
    }
    autoSelect_ = was;
}

void TFrCustomTreeView::SetAutoExpand(bool v) {
    TCustomTreeView::SetAutoExpand(v);
    if (TCustomTreeView::AutoExpand())
        autoSelect_ = false;
}

void TFrCustomTreeView::SetAutoSelect(bool v) {
    if (v == autoSelect_)
        return;
    autoSelect_ = v;
    if (v)
        SetAutoExpand(false);
}

void TFrCustomTreeView::Expand(TTreeNode* node) {
    TCustomTreeView::Expand(node);
    if (autoSelect_)
        SetSelected(node);
}

void TFrCustomTreeView::Collapse(TTreeNode* node) {
    if (autoSelect_)
        SetSelected(node);
    TCustomTreeView::Collapse(node);
}

TTreeNode* TFrCustomTreeView::CurrentNode() const {
    if (!HandleAllocated())
        return nullptr;
    if (RightClickSelect() && rightClicked_ != nullptr)
        return rightClicked_;
    return Selected();
}

// ---- painting -----------------------------------------------------------------------------------

void TFrCustomTreeView::PaintSelectionOutline(TCanvas* canvas) {
    TTreeNode* node = CurrentNode();
    if (HideSelection() || Focused() || node == nullptr)
        return;
    const TRect r = NodeDisplayRect(node, true);
    if (r.Width() <= 0)
        return;
    canvas->Pen()->Assign(selectionPen_.get());
    canvas->Brush()->SetStyle(bsClear);
    canvas->Rectangle(r);
}

// ---- the wheel and context menus ----------------------------------------------------------------

// Each whole notch scrolls the desktop's line count of rows; partial deltas add up.
bool TFrCustomTreeView::DoMouseWheel(TShiftState, int wheelDelta, TPoint) {
    const int notches = wheel_.Add(wheelDelta);
    if (notches != 0 && HandleAllocated()) {
        const int rows = std::abs(notches) * WheelScrollLines();
        SetScrollPos(notches < 0 ? ScrollPos() + rows : std::max(ScrollPos() - rows, 0));
    }
    return true;
}

void TFrCustomTreeView::NodeContextMenu(TTreeNode* node, TPoint at) {
    TPopupMenu* menu = PopupMenu();
    if (OnNodeContextMenu)
        OnNodeContextMenu(this, node, at, menu);
    if (menu != PopupMenu())
        menuHandled_ = true;
    if (menu != nullptr) {
        const TPoint screen = ClientToScreen(at);
        menu->SetPopupComponent(this);
        menu->Popup(screen.X, screen.Y);
    }
}

void TFrCustomTreeView::KeyboardContextMenu() {
    if (TTreeNode* node = CurrentNode()) {
        const TRect r = NodeDisplayRect(node, true);
        NodeContextMenu(node, {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2});
    } else if (PopupMenu() != nullptr) {
        const TPoint screen = ClientToScreen({0, 0});
        PopupMenu()->SetPopupComponent(this);
        PopupMenu()->Popup(screen.X, screen.Y);
    }
}

void TFrCustomTreeView::KeyDown(TKeyCode& key, TShiftState shift) {
    if (IsContextMenuKey(key, shift)) {
        key = 0;
        KeyboardContextMenu();
    }
    TCustomTreeView::KeyDown(key, shift);
}

// The node under the pointer (else the selected one) gets its menu; the view does not select
// the node unless RightClickSelect.
void TFrCustomTreeView::RightButtonDown(TMessage& message) {
    const TPoint at{LParamX(message.LParam), LParamY(message.LParam)};
    TTreeNode* node = GetNodeAt(at.X, at.Y);
    rightClicked_ = node != nullptr ? node : Selected();
    if (rightClicked_ != nullptr)
        NodeContextMenu(rightClicked_, at);
    rightClicked_ = nullptr;
    menuHandled_ = true;
    TCustomTreeView::WndProc(message);
    if (!RightClickSelect())
        message.Result = 1;
}

void TFrCustomTreeView::ContextMenuRequest(TMessage& message) {
    message.Result = 1; // never the platform's popup on top of ours
    if (menuHandled_ || CurrentNode() != nullptr) {
        menuHandled_ = false;
        return;
    }
    if (LParamX(message.LParam) == -1 && LParamY(message.LParam) == -1)
        KeyboardContextMenu();
    else
        NodeContextMenu(nullptr,
                        ScreenToClient({LParamX(message.LParam), LParamY(message.LParam)}));
}

// ---- messages and state -------------------------------------------------------------------------

void TFrCustomTreeView::WndProc(TMessage& message) {
    switch (message.Msg) {
    case WM_RBUTTONDOWN:
        RightButtonDown(message);
        return;
    case WM_RBUTTONUP:
        TCustomTreeView::WndProc(message);
        menuHandled_ = false;
        return;
    case WM_CONTEXTMENU:
        ContextMenuRequest(message);
        return;
    case CM_VIEWPORTPAINT:
        if (auto* canvas = reinterpret_cast<TCanvas*>(message.WParam))
            PaintSelectionOutline(canvas);
        message.Result = 1;
        return;
    case CM_ENTER:
    case CM_EXIT: // the outline comes and goes with the focus
        FramingMessage(message, [&] { TCustomTreeView::WndProc(message); });
        Invalidate();
        return;
    default:
        FramingMessage(message, [&] { TCustomTreeView::WndProc(message); });
    }
}

void TFrCustomTreeView::Loaded() {
    TCustomTreeView::Loaded();
    FramingLoaded();
}

void TFrCustomTreeView::Notification(TComponent* component, TOperation operation) {
    TCustomTreeView::Notification(component, operation);
    FramingNotification(component, operation);
}
