#pragma once
// TFrCustomListView: the platform list view with the framing of the framed views (TFrFraming), a
// last report column stretched to the client width (FillLastColumn), sorting by a column click
// (AlphaSortAll: ascending, then descending, empty texts last), check-mark events with a veto,
// item context menus, its own tip window, caption editing kept to the caption in row-select
// report views, wheel scrolling by the desktop's line count, and a report header it draws
// itself: sort arrows at the left, right of the text or at the right edge, or the program's
// own drawing through OnDrawHeader (FrListViewHeader.cpp). TFrListView publishes it.

#include "controls/framing/FrFraming.h"
#include "controls/framing/FrWheelNotches.h"
#include "platform/forms/Menus.h"
#include "platform/stdctrls/ListView.h"

#include <functional>
#include <memory>

class THintWindow;

Q4_ENUM(TFrLVHeaderSortDisplayMode, hsdmNone, hsdmLeftAlign, hsdmRightOfText, hsdmRightAlign);
Q4_ENUM(TFrLVSortDirection, sdAscending, sdDescending);

using TLVNotifyEvent = std::function<void(TObject* Sender, TListItem* Item)>;
using TFrLVCheckStateChanging =
    std::function<void(TObject* Sender, TListItem* Item, bool ToBeChecked, bool& AllowChange)>;
// Asked before an item's context menu shows: Pos (client coordinates) and Menu may be changed; a
// null Menu shows none.
using TFrLVOnItemContextMenuEvent =
    std::function<void(TObject* Sender, TListItem* Item, TPoint& Pos, TPopupMenu*& Menu)>;
// Draws header section Index in Rect (header coordinates) on Canvas.
using TFrLVDrawHeaderEvent =
    std::function<void(TObject* Sender, TCanvas* Canvas, int Index, const TRect& Rect)>;

class TFrCustomListView : public TCustomListView, public TFrFraming {
    Q4_CLASS(TFrCustomListView, TCustomListView)
public:
    explicit TFrCustomListView(TComponent* owner);
    ~TFrCustomListView() override;

    bool AlphaSortAll() const { return alphaSortAll_; }
    void SetAlphaSortAll(bool v) { alphaSortAll_ = v; }
    bool EditOnRowClick() const { return editOnRowClick_; }
    void SetEditOnRowClick(bool v) { editOnRowClick_ = v; }
    bool FillLastColumn() const { return fillLastColumn_; }
    void SetFillLastColumn(bool v);
    // Stretches the last column of a report view over the rest of the client width (not below
    // 5 pixels); a list without items leaves room for a vertical scroll bar.
    void FillLastColumnNow();

    TFrLVHeaderSortDisplayMode HeaderSortDisplayMode() const { return headerSortDisplayMode_; }
    void SetHeaderSortDisplayMode(TFrLVHeaderSortDisplayMode v);
    bool HeaderDefaultDrawing() const { return headerDefaultDrawing_; }
    void SetHeaderDefaultDrawing(bool v);
    // The column whose header shows the sort arrow (-1: none) and the arrow's direction.
    int SortColumn() const { return sortColumn_; }
    void SetSortColumn(int v);
    TFrLVSortDirection SortDirection() const { return sortDirection_; }
    void SetSortDirection(TFrLVSortDirection v);
    // Sorts the items by a column's text (0: the caption), ignoring case; empty texts come last
    // when ascending.
    void SortByColumn(int column, TFrLVSortDirection direction);

    TFrLVCheckStateChanging OnCheckStateChanging;
    TLVNotifyEvent OnCheckStateChange;
    TFrLVDrawHeaderEvent OnDrawHeader;
    TFrLVOnItemContextMenuEvent OnItemContextMenu;

    void SetViewStyle(TViewStyle v);
    void WndProc(TMessage& message) override;
    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;
    void DefineProperties(TFiler* filer) override;

protected:
    TRect NonClientMargins() const override { return TRect{2, 2, 2, 2}; }
    void RepaintFrame() override;
    void ColClick(TListColumn* column) override;
    bool CanEdit(TListItem* item) override;
    bool CanChangeCheck(TListItem* item, bool checked) override;
    void CheckChanged(TListItem* item) override;
    bool OwnerDrawsHeader() const override;
    void DrawHeaderSection(TCanvas* canvas, int index, const TRect& rect,
                           THeaderSectionState state) override;
    void HeaderResized() override { FillLastColumnNow(); }
    void KeyDown(TKeyCode& key, TShiftState shift) override;
    bool DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) override;

    // The context menu at a client point: the item's when the request came from a right click
    // on one, else the focused (or selected) item's from the keyboard, else PopupMenu's.
    void ContextMenuAt(TPoint at);
    void ItemContextMenu(TPoint at);

private:
    // FrListViewHeader.cpp
    void DefaultDrawHeaderSection(TCanvas* canvas, int index, const TRect& rect,
                                  THeaderSectionState state);
    void DrawSectionText(TCanvas* canvas, int index, TRect& t, bool measure);
    void DrawSortArrow(TCanvas* canvas, int index, const TRect& a);
    // FrListViewMenus.cpp
    void PopupDefaultMenu(TPoint at);
    void ContextMenuRequest(TMessage& message);
    void ShowInfoTip(int x, int y);
    void HideInfoTip();

    bool alphaSortAll_ = false;
    int lastSortedColumn_ = -1;
    bool editOnRowClick_ = false;
    bool fillLastColumn_ = true;
    bool loadingFill_ = false;
    TFrLVHeaderSortDisplayMode headerSortDisplayMode_ = hsdmRightOfText;
    bool headerDefaultDrawing_ = true;
    int sortColumn_ = -1;
    TFrLVSortDirection sortDirection_ = sdAscending;
    bool rightClicked_ = false;
    bool menuHandled_ = false;
    std::unique_ptr<THintWindow> infoTip_;
    TFrWheelNotches wheel_;
};

class TFrListView : public TFrCustomListView {
    Q4_CLASS(TFrListView, TFrCustomListView)
public:
    explicit TFrListView(TComponent* owner) : TFrCustomListView(owner) {}
    static void DeclareProperties(TPropertyList& p);
};
