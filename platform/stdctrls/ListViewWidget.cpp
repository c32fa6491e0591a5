// The list view's widget and header, and what the view offers through them: item and header
// geometry, the focused item, caption editing and the header drawn by the control.

#include "platform/stdctrls/ListViewWidget_p.h"

#include "platform/graphics/GraphicsQt_p.h"

#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>

#include <algorithm>
#include <cstdlib>

// ---- the widget ---------------------------------------------------------------------------------

namespace {

// Draws each cell as the style does, then, with GridLines, a silver line at its right and bottom.
class TGridLineDelegate : public QStyledItemDelegate {
public:
    TGridLineDelegate(TCustomListView* view, QObject* parent)
        : QStyledItemDelegate(parent), view_(view) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyledItemDelegate::paint(painter, option, index);
        if (!view_->GridLines())
            return;
        painter->save();
        painter->setPen(QColor(0xC0, 0xC0, 0xC0));
        const QRect r = option.rect;
        painter->drawLine(r.right(), r.top(), r.right(), r.bottom());
        painter->drawLine(r.left(), r.bottom(), r.right(), r.bottom());
        painter->restore();
    }

private:
    TCustomListView* view_;
};

} // namespace

TListViewWidget::TListViewWidget(TCustomListView* view)
    : TWidgetBridge<QTreeWidget>(view), view_(view) {
    setHeader(new TListViewHeader(view, this));
    setItemDelegate(new TGridLineDelegate(view, this));
}

QTreeWidgetItem* TListViewWidget::Row(const TListItem* item) const {
    const int index = item != nullptr ? item->Index() : -1;
    return index >= 0 ? topLevelItem(index) : nullptr;
}

bool TListViewWidget::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
    if (LinkedControl() == nullptr || !index.isValid() || index.column() != 0)
        return QTreeWidget::edit(index, trigger, event);
    const bool starting = trigger == AllEditTriggers || (editTriggers() & trigger) != 0;
    if (starting && state() != EditingState) {
        const int row = index.row();
        if (view_->ReadOnly() || row >= view_->Items()->Count())
            return false;
        bool allowed = false;
        SafeCall(view_, [&] { allowed = view_->CanEdit(view_->Items()->Item(row)); });
        if (!allowed)
            return false;
    }
    return QTreeWidget::edit(index, trigger, event);
}

// ---- the header ---------------------------------------------------------------------------------

TListViewHeader::TListViewHeader(TCustomListView* view, QWidget* parent)
    : QHeaderView(Qt::Horizontal, parent), view_(view) {
    setMouseTracking(true);
    connect(this, &QHeaderView::sectionResized, this, [this] {
        if (pressed_)
            resized_ = true;
    });
    connect(this, &QHeaderView::sectionHandleDoubleClicked, this,
            [this] { SafeCall(view_, [this] { view_->HeaderResized(); }); });
}

void TListViewHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
    if (!view_->OwnerDrawsHeader() || !rect.isValid()) {
        QHeaderView::paintSection(painter, rect, logicalIndex);
        return;
    }
    const THeaderSectionState state = logicalIndex != hot_ ? hssNormal
                                      : pressed_           ? hssPressed
                                                           : hssHot;
    QImage image(rect.size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    SafeCall(view_, [&] {
        TCanvas canvas;
        TGraphicsQt::SetImage(canvas, &image);
        canvas.SetViewportOrigin({-rect.left(), -rect.top()});
        canvas.Font()->Assign(view_->Font());
        view_->DrawHeaderSection(&canvas, logicalIndex,
                                 Rect(rect.left(), rect.top(), rect.right() + 1, rect.bottom() + 1),
                                 state);
        TGraphicsQt::SetImage(canvas, nullptr);
    });
    painter->drawImage(rect.topLeft(), image);
}

void TListViewHeader::SetHot(int section) {
    if (section != hot_) {
        hot_ = section;
        viewport()->update();
    }
}

void TListViewHeader::mouseMoveEvent(QMouseEvent* e) {
    if (!pressed_)
        SetHot(logicalIndexAt(e->position().toPoint()));
    QHeaderView::mouseMoveEvent(e);
}

void TListViewHeader::mousePressEvent(QMouseEvent* e) {
    pressed_ = e->button() == Qt::LeftButton;
    resized_ = false;
    viewport()->update();
    QHeaderView::mousePressEvent(e);
}

void TListViewHeader::mouseReleaseEvent(QMouseEvent* e) {
    QHeaderView::mouseReleaseEvent(e);
    const bool resized = resized_;
    pressed_ = resized_ = false;
    SetHot(logicalIndexAt(e->position().toPoint()));
    viewport()->update();
    if (resized)
        SafeCall(view_, [this] { view_->HeaderResized(); });
}

void TListViewHeader::leaveEvent(QEvent* e) {
    SetHot(-1);
    QHeaderView::leaveEvent(e);
}

// ---- the view's geometry ------------------------------------------------------------------------

namespace {

TListViewWidget* WidgetOfView(TCustomListView* view) {
    return static_cast<TListViewWidget*>(view->Handle());
}

// Client coordinates from the viewport's: the header lies above the viewport.
TRect ToClient(TCustomListView* view, const QRect& r) {
    const int top = view->HeaderHeight();
    return Rect(r.left(), r.top() + top, r.right() + 1, r.bottom() + 1 + top);
}

} // namespace

TListItem* TCustomListView::ItemFocused() {
    QTreeWidget* w = WidgetOfView(this);
    const int index = w->indexOfTopLevelItem(w->currentItem());
    return index >= 0 && index < items_->Count() ? items_->Item(index) : nullptr;
}

void TCustomListView::SetItemFocused(TListItem* item) {
    QTreeWidget* w = WidgetOfView(this);
    mirroring_ = true;
    w->setCurrentItem(WidgetOfView(this)->Row(item), 0, QItemSelectionModel::NoUpdate);
    mirroring_ = false;
}

TListItem* TCustomListView::GetItemAt(int x, int y) {
    QTreeWidget* w = WidgetOfView(this);
    const int index = w->indexOfTopLevelItem(w->itemAt(x, y - HeaderHeight()));
    return index >= 0 && index < items_->Count() ? items_->Item(index) : nullptr;
}

TRect TCustomListView::ItemDisplayRect(TListItem* item, TDisplayCode code) {
    TListViewWidget* w = WidgetOfView(this);
    QTreeWidgetItem* row = w->Row(item);
    if (row == nullptr)
        return TRect{};
    QRect cell = w->visualItemRect(row); // the first column's cell
    if (cell.isEmpty())
        return TRect{};
    if (code == drBounds || code == drSelectBounds) {
        // The whole row; without RowSelect only the caption selects.
        if (code == drBounds || rowSelect_)
            cell.setRight(w->header()->length() - w->header()->offset() - 1);
        return ToClient(this, cell);
    }
    const int icon = row->icon(0).isNull() ? 0 : w->iconSize().width() + 2;
    const int check = checkboxes_ ? w->style()->pixelMetric(QStyle::PM_IndicatorWidth) + 4 : 0;
    QRect part = cell;
    if (code == drIcon) {
        part.setLeft(cell.left() + check);
        part.setWidth(icon);
    } else {
        part.setLeft(cell.left() + check + icon);
    }
    return ToClient(this, part);
}

int TCustomListView::HeaderHeight() {
    QTreeWidget* w = WidgetOfView(this);
    if (w->isHeaderHidden())
        return 0;
    // As the view lays its header out.
    return std::max(w->header()->minimumHeight(), w->header()->sizeHint().height());
}

TRect TCustomListView::HeaderSectionRect(int index) {
    QHeaderView* h = WidgetOfView(this)->header();
    if (index < 0 || index >= h->count())
        return TRect{};
    const int left = h->sectionViewportPosition(index);
    return Rect(left, 0, left + h->sectionSize(index), HeaderHeight());
}

void TCustomListView::InvalidateHeader() {
    if (HandleAllocated())
        WidgetOfView(this)->header()->viewport()->update();
}

int TCustomListView::ViewWidth() {
    if (!HandleAllocated())
        return ClientWidth();
    QTreeWidget* w = WidgetOfView(this);
    QScrollBar* bar = w->verticalScrollBar();
    return ClientWidth() - (bar->isVisibleTo(w) ? bar->sizeHint().width() : 0);
}

TListItem* TCustomListView::TopItem() {
    QTreeWidget* w = WidgetOfView(this);
    const int index = w->indexOfTopLevelItem(w->itemAt(2, 1));
    return index >= 0 && index < items_->Count() ? items_->Item(index) : nullptr;
}

void TCustomListView::Scroll(int dx, int dy) {
    QTreeWidget* w = WidgetOfView(this);
    w->horizontalScrollBar()->setValue(w->horizontalScrollBar()->value() + dx);
    // The view scrolls by whole rows: dy in pixels, rounded to rows.
    const int row = w->topLevelItemCount() > 0 ? w->visualItemRect(w->topLevelItem(0)).height() : 0;
    if (row <= 0 || dy == 0)
        return;
    const int rows = (std::abs(dy) + row / 2) / row;
    QScrollBar* bar = w->verticalScrollBar();
    bar->setValue(bar->value() + (dy < 0 ? -1 : 1) * std::max(rows, 1));
}

void TCustomListView::EditCaption(TListItem* item) {
    TListViewWidget* w = WidgetOfView(this);
    if (QTreeWidgetItem* row = w->Row(item))
        w->editItem(row, 0);
}

bool TCustomListView::IsEditing() {
    return HandleAllocated() && WidgetOfView(this)->Editing();
}

void TCustomListView::DrawHeaderSection(TCanvas*, int, const TRect&, THeaderSectionState) {}
