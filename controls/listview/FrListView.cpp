#include "controls/listview/FrListView.h"

#include "platform/forms/HintWindow.h"
#include "platform/forms/SystemMetrics.h"
#include "platform/rtl/CodePage.h"

#include <algorithm>

TFrCustomListView::TFrCustomListView(TComponent* owner) : TCustomListView(owner), TFrFraming(this) {
    SetParentColor(false);
}

TFrCustomListView::~TFrCustomListView() = default;

void TFrListView::DeclareProperties(TPropertyList& p) {
    using L = TFrListView;
    DeclareFramingProperties<L>(p);
    p.Add("AlphaSortAll", &L::AlphaSortAll, &L::SetAlphaSortAll).Default(false);
    p.Add("EditOnRowClick", &L::EditOnRowClick, &L::SetEditOnRowClick).Default(false);
    p.Add("FillLastColumn", &L::FillLastColumn, &L::SetFillLastColumn).Default(true);
    p.Add("HeaderDefaultDrawing", &L::HeaderDefaultDrawing, &L::SetHeaderDefaultDrawing)
        .Default(true);
    p.Add("HeaderSortDisplayMode", &L::HeaderSortDisplayMode, &L::SetHeaderSortDisplayMode)
        .Default(hsdmRightOfText);
    p.AddFn<L>(
         "ViewStyle", [](L* l) { return l->ViewStyle(); },
         [](L* l, TViewStyle v) { l->SetViewStyle(v); })
        .Default(vsIcon);
    p.Add("OnCheckStateChange", &L::OnCheckStateChange);
    p.Add("OnCheckStateChanging", &L::OnCheckStateChanging);
    p.Add("OnDrawHeader", &L::OnDrawHeader);
    p.Add("OnItemContextMenu", &L::OnItemContextMenu);
}

void TFrCustomListView::DefineProperties(TFiler* filer) {
    TCustomListView::DefineProperties(filer);
    DefineLegacyFramingProperties(filer);
}

void TFrCustomListView::SetViewStyle(TViewStyle v) {
    if (v == ViewStyle())
        return;
    TCustomListView::SetViewStyle(v);
    if (v == vsReport)
        InvalidateHeader();
}

void TFrCustomListView::RepaintFrame() {
    if (!InLoading())
        TFrFraming::RepaintFrame();
}

// ---- the last column ----------------------------------------------------------------------------

void TFrCustomListView::SetFillLastColumn(bool v) {
    if (v != fillLastColumn_) {
        fillLastColumn_ = v;
        FillLastColumnNow();
    }
}

void TFrCustomListView::FillLastColumnNow() {
    const int count = Columns()->Count();
    if (!fillLastColumn_ || ViewStyle() != vsReport || InDestruction() || count == 0)
        return;
    Items()->BeginUpdate();
    int others = 0;
    for (int i = 0; i + 1 < count; ++i)
        others += Columns()->Items(i)->Width();
    int room = ViewWidth();
    if (Items()->Count() == 0 || loadingFill_)
        room -= GetSystemMetrics(SM_CXVSCROLL); // a scroll bar may come with the items
    if (others < room)
        Columns()->Items(count - 1)->SetWidth(room - others > 4 ? room - others : 5);
    Items()->EndUpdate();
}

// ---- sorting ------------------------------------------------------------------------------------

namespace {

// A column's text of an item: the caption for column 0, a sub-item after that (missing ones are
// empty).
std::string ColumnText(const TListItem* item, int column) {
    if (column == 0)
        return item->Caption();
    const TStrings* sub = item->SubItems();
    return column - 1 < sub->Count() ? sub->Get(column - 1) : std::string();
}

// Case-insensitive; empty texts after the others.
int CompareAscending(const TListItem* a, const TListItem* b, int column) {
    if (a == nullptr || b == nullptr || column < 0)
        return 0;
    const std::string x = ColumnText(a, column), y = ColumnText(b, column);
    const int r = AnsiCompareText(x, y);
    if (r > 0 && y.empty())
        return -1;
    if (r < 0 && x.empty())
        return 1;
    return r;
}

} // namespace

void TFrCustomListView::SortByColumn(int column, TFrLVSortDirection direction) {
    const int sign = direction == sdAscending ? 1 : -1;
    Items()->CustomSort([column, sign](TListItem* a, TListItem* b) {
        return sign * CompareAscending(a, b, column);
    });
}

// A second click on the column sorted last turns the order round; the next one sorts up again.
void TFrCustomListView::ColClick(TListColumn* column) {
    if (alphaSortAll_) {
        const int i = column->Index();
        if (i == lastSortedColumn_) {
            SetSortColumn(i);
            SetSortDirection(sdDescending);
            SortByColumn(i, sdDescending);
            lastSortedColumn_ = -1;
        } else {
            SetSortColumn(i);
            SetSortDirection(sdAscending);
            SortByColumn(i, sdAscending);
            lastSortedColumn_ = i;
        }
    }
    TCustomListView::ColClick(column);
}

// ---- check marks and editing --------------------------------------------------------------------

bool TFrCustomListView::CanChangeCheck(TListItem* item, bool checked) {
    bool allow = true;
    if (Checkboxes() && OnCheckStateChanging)
        OnCheckStateChanging(this, item, checked, allow);
    return allow && TCustomListView::CanChangeCheck(item, checked);
}

void TFrCustomListView::CheckChanged(TListItem* item) {
    TCustomListView::CheckChanged(item);
    if (Checkboxes() && OnCheckStateChange)
        OnCheckStateChange(this, item);
}

// In a row-select report view a caption is edited only from its own label, unless a click
// anywhere on the row may start it.
bool TFrCustomListView::CanEdit(TListItem* item) {
    if (RowSelect() && ViewStyle() == vsReport && !editOnRowClick_) {
        const TPoint at = ScreenToClient(GetCursorPos());
        return ItemDisplayRect(item, drLabel).Contains(at) && TCustomListView::CanEdit(item);
    }
    return TCustomListView::CanEdit(item);
}

// ---- the wheel ----------------------------------------------------------------------------------

// A notch scrolls the desktop's line count of lines: 32 pixels each among large icons, 16
// otherwise. Partial deltas add up.
bool TFrCustomListView::DoMouseWheel(TShiftState, int wheelDelta, TPoint) {
    const int notches = wheel_.Add(wheelDelta);
    if (notches != 0 && HandleAllocated())
        Scroll(0, -notches * WheelScrollLines() * (ViewStyle() == vsIcon ? 32 : 16));
    return true;
}

// ---- messages and state -------------------------------------------------------------------------

void TFrCustomListView::WndProc(TMessage& message) {
    switch (message.Msg) {
    case WM_CONTEXTMENU:
        ContextMenuRequest(message);
        return;
    case WM_MOUSEMOVE:
        TCustomListView::WndProc(message);
        if (OnInfoTip)
            ShowInfoTip(LParamX(message.LParam), LParamY(message.LParam));
        return;
    case CM_MOUSELEAVE:
        HideInfoTip();
        break;
    case WM_SIZE:
        FramingMessage(message, [&] { TCustomListView::WndProc(message); });
        if (HandleAllocated())
            FillLastColumnNow();
        return;
    default:
        break;
    }
    FramingMessage(message, [&] { TCustomListView::WndProc(message); });
}

void TFrCustomListView::Loaded() {
    TCustomListView::Loaded();
    FramingLoaded();
    loadingFill_ = true;
    FillLastColumnNow();
    loadingFill_ = false;
}

void TFrCustomListView::Notification(TComponent* component, TOperation operation) {
    TCustomListView::Notification(component, operation);
    FramingNotification(component, operation);
}
