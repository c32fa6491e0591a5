// Context menus and tips of the framed list view: the item's menu from a right click on it, the
// focused item's from the context-menu key or Shift+F10, the list's own menu elsewhere, and the
// tip beside the item under the pointer.

#include "controls/listview/FrListView.h"

#include "platform/forms/Forms.h"
#include "platform/forms/HintWindow.h"

void TFrCustomListView::ItemContextMenu(TPoint at) {
    TPopupMenu* menu = PopupMenu();
    if (OnItemContextMenu)
        OnItemContextMenu(this, ItemFocused(), at, menu);
    menuHandled_ = true;
    if (menu != nullptr) {
        const TPoint screen = ClientToScreen(at);
        menu->SetPopupComponent(this);
        menu->Popup(screen.X, screen.Y);
    }
}

void TFrCustomListView::PopupDefaultMenu(TPoint at) {
    if (PopupMenu() != nullptr && PopupMenu()->AutoPopup()) {
        const TPoint screen = ClientToScreen(at);
        PopupMenu()->SetPopupComponent(this);
        PopupMenu()->Popup(screen.X, screen.Y);
    }
    menuHandled_ = true;
}

void TFrCustomListView::ContextMenuAt(TPoint at) {
    TListItem* focused = ItemFocused();
    if (focused == nullptr || rightClicked_) {
        if (rightClicked_)
            ItemContextMenu(at);
        else
            PopupDefaultMenu(at);
        return;
    }
    // From the keyboard: at the middle of the focused item's icon.
    const TRect icon = ItemDisplayRect(focused, drIcon);
    ItemContextMenu({(icon.Left + icon.Right) / 2, (icon.Top + icon.Bottom) / 2});
}

// A right click on an item gives that item's menu (the view has made it the focused one); from
// the keyboard the focused item's. Without a selection the list's own menu shows.
void TFrCustomListView::ContextMenuRequest(TMessage& message) {
    const bool keyboard = LParamX(message.LParam) == -1 && LParamY(message.LParam) == -1;
    const TPoint at = keyboard ? TPoint{0, 0}
                               : ScreenToClient({LParamX(message.LParam), LParamY(message.LParam)});
    if (!keyboard && HandleAllocated() && GetItemAt(at.X, at.Y) != nullptr) {
        rightClicked_ = true;
        try {
            ContextMenuAt(at);
        } catch (...) {
            rightClicked_ = false;
            throw;
        }
        rightClicked_ = false;
        message.Result = 1;
        return;
    }
    if (Selected() == nullptr || ItemFocused() == nullptr) {
        TCustomListView::WndProc(message);
        return;
    }
    if (keyboard)
        ContextMenuAt(at);
    else
        ItemContextMenu(at);
    message.Result = 1;
}

void TFrCustomListView::KeyDown(TKeyCode& key, TShiftState shift) {
    if (IsContextMenuKey(key, shift)) {
        key = 0;
        ContextMenuAt({0, 0});
    }
    TCustomListView::KeyDown(key, shift);
}

// ---- tips ---------------------------------------------------------------------------------------

// The caption of the item under the pointer (as OnInfoTip makes it), 5 pixels right of the
// item's left edge and 3 above its bottom; shown again only when it moves.
void TFrCustomListView::ShowInfoTip(int x, int y) {
    TListItem* item = HandleAllocated() ? GetItemAt(x, y) : nullptr;
    if (item == nullptr) {
        HideInfoTip();
        return;
    }
    std::string text = item->Caption();
    OnInfoTip(this, item, text);
    if (!infoTip_) {
        infoTip_ = std::make_unique<THintWindow>(nullptr);
        infoTip_->Font()->Assign(Font());
    }
    const TRect bounds = ItemDisplayRect(item, drBounds);
    const TPoint at = ClientToScreen({bounds.Left + 5, bounds.Bottom - 3});
    TRect r = infoTip_->CalcHintRect(Screen->Width(), text);
    OffsetRect(r, at.X, at.Y);
    if (!infoTip_->IsShowing() || infoTip_->Left() != r.Left || infoTip_->Top() != r.Top ||
        infoTip_->GetText() != text)
        infoTip_->ActivateHint(r, text);
}

void TFrCustomListView::HideInfoTip() {
    if (infoTip_)
        infoTip_->ReleaseHandle();
}
