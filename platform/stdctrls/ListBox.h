#pragma once
// List boxes.
//
// Selection: a plain list box has one selected item, its ItemIndex. With MultiSelect several items
// are selected: each click toggles an item, or with ExtendedSelect (the default) a click selects
// one item and Shift and Ctrl extend the selection; ItemIndex is then the item with the focus
// frame. Changing the items keeps the selection by position while the count stays, and clears it
// otherwise.
//
// Mouse: presses, moves and releases over the items reach MouseDown, MouseMove and MouseUp (and a
// double click DblClick) after the list has moved its selection, in the list box's client
// coordinates; the list box's Click comes from the selection, not from the mouse.
//
// Dragging items inside the list: BeginDrag during a press starts a drag at once, or once the
// mouse has moved the platform's drag distance. While it runs the list keeps its selection; each
// move asks DragOver (OnDragOver) whether a drop is accepted there and shows the drag or no-drop
// cursor, and the release calls DragDrop (OnDragDrop) when accepted. The source is the list box.

#include "platform/forms/Controls.h"
#include "platform/graphics/Canvas.h"
#include "platform/rtl/Classes.h"
#include "platform/stdctrls/OwnerDraw.h"
#include "platform/stdctrls/SignalGuard.h"

#include <functional>
#include <memory>
#include <vector>

Q4_ENUM(TListBoxStyle, lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable, lbVirtual,
        lbVirtualOwnerDraw);

class TCustomListBox : public TWinControl {
    Q4_CLASS(TCustomListBox, TWinControl)
public:
    explicit TCustomListBox(TComponent* owner);
    // Arrow keys belong to the control, not to the form's dialog navigation.
    void WndProc(TMessage& message) override;
    ~TCustomListBox() override;
    static void DeclareProperties(TPropertyList& p);

    TStrings* Items() const { return items_.get(); }
    void SetItems(TStrings* v);
    int ItemIndex() const { return itemIndex_; }
    void SetItemIndex(int v);
    bool Sorted() const { return items_->Sorted(); }
    void SetSorted(bool v);
    int Count() const { return items_->Count(); }
    void Clear() { items_->Clear(); }
    bool PaintsOwnWidget() const override { return false; }
    // Owner-drawn styles: every item is drawn by OnDrawItem on Canvas, ItemHeight pixels high.
    TListBoxStyle Style() const { return style_; }
    void SetStyle(TListBoxStyle v);
    int ItemHeight() const { return itemHeight_; }
    void SetItemHeight(int v);
    TCanvas* Canvas() { return &canvas_; }
    bool MultiSelect() const { return multiSelect_; }
    void SetMultiSelect(bool v);
    bool ExtendedSelect() const { return extendedSelect_; }
    void SetExtendedSelect(bool v);
    // Whether item index is selected (false outside the items).
    bool Selected(int index) const;
    void SetSelected(int index, bool v);
    int SelCount() const;
    // Selects every item (only with MultiSelect).
    virtual void SelectAll();
    void ClearSelection();

    // ---- dragging items inside the list --------------------------------------------------------
    void BeginDrag(bool immediate);
    bool Dragging() const { return drag_ == TDragState::Dragging; }
    // Ends a drag without dropping.
    void CancelDrag();
    std::function<void(TObject* sender, TObject* source, int x, int y, bool& accept)> OnDragOver;
    std::function<void(TObject* sender, TObject* source, int x, int y)> OnDragDrop;
    // The item under a client point, or -1.
    int ItemAtPos(TPoint p) const;
    // Where item index is drawn in client coordinates (empty when it is not shown).
    TRect ItemRect(int index) const;

    TDrawItemEvent OnDrawItem;

protected:
    virtual void DragOver(TObject* source, int x, int y, bool& accept);
    virtual void DragDrop(TObject* source, int x, int y);
    QWidget* CreateWidget() override;
    void UpdateWidgetState() override;
    void FillWidget();

private:
    enum class TDragState { None, Pending, Dragging };
    class TViewportMouse;
    void UpdateOwnerDraw();
    void UpdateSelectionMode();
    void ApplySelection();
    void ReadSelection();
    // The viewport's mouse event at p (client coordinates) while dragging; true when used.
    bool DragMouse(int type, TPoint p);

    std::unique_ptr<TStringList> items_;
    int itemIndex_ = -1;
    bool filling_ = false;
    TListBoxStyle style_ = lbStandard;
    int itemHeight_ = 13;
    TCanvas canvas_;
    bool multiSelect_ = false;
    bool extendedSelect_ = true;
    std::vector<char> selected_;
    TDragState drag_ = TDragState::None;
    TPoint dragStart_{};
    bool inPress_ = false;
    bool clickPending_ = false;
    TCursor cursorBeforeDrag_ = crDefault;

protected:
    TSignalGuard guard_; // declared last: cut first
};

class TListBox : public TCustomListBox {
    Q4_CLASS(TListBox, TCustomListBox)
public:
    explicit TListBox(TComponent* owner) : TCustomListBox(owner) {}
};
