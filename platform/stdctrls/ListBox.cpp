#include "platform/stdctrls/ListBox.h"

#include "platform/forms/WidgetBridge.h"
#include "platform/stdctrls/OwnerDraw_p.h"
#include "platform/stdctrls/StringsProperty.h"
#include "platform/stdctrls/WidgetSupport_p.h"

#include <QApplication>
#include <QListWidget>
#include <QMouseEvent>

#include <algorithm>
#include <cstdlib>

TCustomListBox::TCustomListBox(TComponent* owner)
    : TWinControl(owner), items_(std::make_unique<TStringList>()) {
    SetBounds(0, 0, 121, 97);
    SetTabStop(true);
    SetColor(clWindow);
    // Click comes from the selection (see the header), never from the mouse release as well.
    SetControlStyle(ControlStyle() - TControlStyle{csClickEvents});
    items_->OnChange = [this](TObject*) {
        if (itemIndex_ >= items_->Count())
            itemIndex_ = -1;
        if (static_cast<int>(selected_.size()) != items_->Count())
            selected_.assign(static_cast<std::size_t>(items_->Count()), 0);
        FillWidget();
    };
}

TCustomListBox::~TCustomListBox() {
    items_->OnChange = nullptr;
}

void TCustomListBox::DeclareProperties(TPropertyList& p) {
    p.Add("Items", &TCustomListBox::Items, &TCustomListBox::SetItems);
    p.Add("Sorted", &TCustomListBox::Sorted, &TCustomListBox::SetSorted).Default(false);
    p.Add("Style", &TCustomListBox::Style, &TCustomListBox::SetStyle).Default(lbStandard);
    p.Add("ItemHeight", &TCustomListBox::ItemHeight, &TCustomListBox::SetItemHeight).Default(13);
    p.Add("MultiSelect", &TCustomListBox::MultiSelect, &TCustomListBox::SetMultiSelect)
        .Default(false);
    p.Add("ExtendedSelect", &TCustomListBox::ExtendedSelect, &TCustomListBox::SetExtendedSelect)
        .Default(true);
}

// ---- selection ----------------------------------------------------------------------------------

void TCustomListBox::SetMultiSelect(bool v) {
    multiSelect_ = v;
    selected_.assign(static_cast<std::size_t>(items_->Count()), 0);
    if (HandleAllocated())
        UpdateSelectionMode();
    FillWidget();
}

void TCustomListBox::SetExtendedSelect(bool v) {
    extendedSelect_ = v;
    if (HandleAllocated())
        UpdateSelectionMode();
}

void TCustomListBox::UpdateSelectionMode() {
    auto* w = static_cast<QListWidget*>(Handle());
    w->setSelectionMode(!multiSelect_     ? QAbstractItemView::SingleSelection
                        : extendedSelect_ ? QAbstractItemView::ExtendedSelection
                                          : QAbstractItemView::MultiSelection);
}

bool TCustomListBox::Selected(int index) const {
    if (index < 0 || index >= items_->Count())
        return false;
    if (!multiSelect_)
        return index == itemIndex_;
    return selected_[static_cast<std::size_t>(index)] != 0;
}

void TCustomListBox::SetSelected(int index, bool v) {
    if (index < 0 || index >= items_->Count())
        return;
    if (!multiSelect_) {
        if (v)
            SetItemIndex(index);
        else if (index == itemIndex_)
            SetItemIndex(-1);
        return;
    }
    selected_[static_cast<std::size_t>(index)] = v ? 1 : 0;
    ApplySelection();
}

int TCustomListBox::SelCount() const {
    if (!multiSelect_)
        return itemIndex_ >= 0 ? 1 : 0;
    return static_cast<int>(std::count(selected_.begin(), selected_.end(), 1));
}

void TCustomListBox::SelectAll() {
    if (!multiSelect_)
        return;
    std::fill(selected_.begin(), selected_.end(), 1);
    ApplySelection();
}

void TCustomListBox::ClearSelection() {
    if (!multiSelect_) {
        SetItemIndex(-1);
        return;
    }
    std::fill(selected_.begin(), selected_.end(), 0);
    ApplySelection();
}

void TCustomListBox::ApplySelection() {
    if (!HandleAllocated() || filling_)
        return;
    filling_ = true;
    auto* w = static_cast<QListWidget*>(Handle());
    for (int i = 0; i < w->count() && i < static_cast<int>(selected_.size()); ++i)
        w->item(i)->setSelected(selected_[static_cast<std::size_t>(i)] != 0);
    filling_ = false;
}

void TCustomListBox::ReadSelection() {
    if (!HandleAllocated() || !multiSelect_)
        return;
    auto* w = static_cast<QListWidget*>(Handle());
    for (int i = 0; i < w->count() && i < static_cast<int>(selected_.size()); ++i)
        selected_[static_cast<std::size_t>(i)] = w->item(i)->isSelected() ? 1 : 0;
}

// ---- the mouse over the items -------------------------------------------------------------------

// Lets the viewport handle each mouse event first (so the selection follows the mouse), then
// hands it to the control in its client coordinates; while an item is dragged, the drag takes
// the moves and the release.
class TCustomListBox::TViewportMouse : public QObject {
public:
    explicit TViewportMouse(QListWidget* list) : QObject(list), list_(list) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const auto type = event->type();
        if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease &&
            type != QEvent::MouseButtonDblClick && type != QEvent::MouseMove)
            return false;
        auto* link = dynamic_cast<TWidgetLink*>(list_);
        auto* box = link ? dynamic_cast<TCustomListBox*>(link->LinkedControl()) : nullptr;
        if (sending_ || box == nullptr || watched != list_->viewport() ||
            !list_->viewport()->isEnabled())
            return false;
        auto* me = static_cast<QMouseEvent*>(event);
        const QPointF at = me->position() + QPointF(list_->viewport()->pos());
        const TPoint p{static_cast<int>(at.x()), static_cast<int>(at.y())};
        if (box->drag_ != TDragState::None && box->DragMouse(static_cast<int>(type), p))
            return true;
        const bool press = type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick;
        if (press)
            box->dragStart_ = p;
        sending_ = true;
        box->inPress_ = press;
        QCoreApplication::sendEvent(list_->viewport(), event);
        sending_ = false;
        if (link->LinkedControl() != box)
            return true;
        box->inPress_ = false;
        box->ReadSelection();
        if (box->clickPending_) {
            box->clickPending_ = false;
            std::weak_ptr<int> alive = box->lifeToken_;
            SafeCall(box, [box] { box->Click(); });
            if (alive.expired())
                return true;
        }
        QMouseEvent moved(type, at, me->scenePosition(), me->globalPosition(), me->button(),
                          me->buttons(), me->modifiers());
        box->HandleWidgetEvent(list_, &moved);
        return true;
    }

private:
    QListWidget* list_;
    bool sending_ = false;
};

// ---- dragging items -----------------------------------------------------------------------------

void TCustomListBox::BeginDrag(bool immediate) {
    cursorBeforeDrag_ = Cursor();
    drag_ = immediate ? TDragState::Dragging : TDragState::Pending;
}

void TCustomListBox::CancelDrag() {
    if (drag_ == TDragState::Dragging)
        SetCursor(cursorBeforeDrag_);
    drag_ = TDragState::None;
}

bool TCustomListBox::DragMouse(int type, TPoint p) {
    if (type == QEvent::MouseButtonRelease && drag_ == TDragState::Pending) {
        drag_ = TDragState::None;
        return false;
    }
    if (type == QEvent::MouseMove && drag_ == TDragState::Pending) {
        const int distance = QApplication::startDragDistance();
        if (std::abs(p.X - dragStart_.X) < distance && std::abs(p.Y - dragStart_.Y) < distance)
            return true;
        drag_ = TDragState::Dragging;
    }
    if (drag_ != TDragState::Dragging)
        return false;
    SafeCall(this, [&] {
        bool accept = false;
        DragOver(this, p.X, p.Y, accept);
        if (type == QEvent::MouseMove) {
            SetCursor(accept ? crDrag : crNoDrop);
            return;
        }
        CancelDrag();
        if (accept && type == QEvent::MouseButtonRelease)
            DragDrop(this, p.X, p.Y);
    });
    return true;
}

void TCustomListBox::DragOver(TObject* source, int x, int y, bool& accept) {
    accept = static_cast<bool>(OnDragOver);
    if (OnDragOver)
        OnDragOver(this, source, x, y, accept);
}

void TCustomListBox::DragDrop(TObject* source, int x, int y) {
    if (OnDragDrop)
        OnDragDrop(this, source, x, y);
}

void TCustomListBox::SetStyle(TListBoxStyle v) {
    style_ = v;
    if (HandleAllocated())
        UpdateOwnerDraw();
}

void TCustomListBox::SetItemHeight(int v) {
    itemHeight_ = std::max(v, 1);
    if (HandleAllocated())
        UpdateOwnerDraw();
}

int TCustomListBox::ItemAtPos(TPoint p) const {
    if (!HandleAllocated())
        return -1;
    auto* w = static_cast<QListWidget*>(const_cast<TCustomListBox*>(this)->Handle());
    return w->indexAt(w->viewport()->mapFrom(w, QPoint(p.X, p.Y))).row();
}

TRect TCustomListBox::ItemRect(int index) const {
    if (!HandleAllocated() || index < 0 || index >= items_->Count())
        return {};
    auto* w = static_cast<QListWidget*>(const_cast<TCustomListBox*>(this)->Handle());
    const QRect r = w->visualItemRect(w->item(index));
    const QPoint at = w->viewport()->mapTo(w, r.topLeft());
    return Rect(at.x(), at.y(), at.x() + r.width(), at.y() + r.height());
}

void TCustomListBox::UpdateOwnerDraw() {
    auto* w = static_cast<QListWidget*>(Handle());
    const bool owner =
        style_ == lbOwnerDrawFixed || style_ == lbOwnerDrawVariable || style_ == lbVirtualOwnerDraw;
    const bool installed = dynamic_cast<TOwnerDrawDelegate*>(w->itemDelegate()) != nullptr;
    if (owner && !installed)
        w->setItemDelegate(new TOwnerDrawDelegate(
            w,
            [this](QPainter* painter, const QRect& rect, int index, TOwnerDrawState state) {
                if (!OnDrawItem)
                    return false;
                SafeCall(this, [&] {
                    PaintOwnerDrawnItem(painter, rect, this, canvas_, OnDrawItem, index, state);
                });
                return true;
            },
            [this] { return itemHeight_; }));
    if (!owner && installed)
        w->setItemDelegate(new QStyledItemDelegate(w));
    w->doItemsLayout();
    w->viewport()->update();
}

void TCustomListBox::SetItems(TStrings* v) {
    AssignStrings(*items_, v);
}

void TCustomListBox::SetItemIndex(int v) {
    if (v < -1 || v >= items_->Count())
        v = -1;
    itemIndex_ = v;
    if (!multiSelect_ || !HandleAllocated() || filling_) {
        FillWidget();
        return;
    }
    // Several items may be selected: only the focus frame moves.
    filling_ = true;
    auto* w = static_cast<QListWidget*>(Handle());
    w->selectionModel()->setCurrentIndex(w->model()->index(v, 0), QItemSelectionModel::NoUpdate);
    filling_ = false;
}

void TCustomListBox::SetSorted(bool v) {
    items_->SetSorted(v);
}

QWidget* TCustomListBox::CreateWidget() {
    auto* w = new TWidgetBridge<QListWidget>(this);
    QObject::connect(w, &QListWidget::currentRowChanged, guard_.get(), [this](int row) {
        if (filling_)
            return;
        itemIndex_ = row;
        // A press moves the current item before the selection: Click waits for both.
        if (inPress_) {
            clickPending_ = true;
            return;
        }
        ReadSelection();
        SafeCall(this, [&] { Click(); });
    });
    QObject::connect(w, &QListWidget::itemSelectionChanged, guard_.get(), [this] {
        if (!filling_)
            ReadSelection();
    });
    w->viewport()->setMouseTracking(true);
    w->viewport()->installEventFilter(new TViewportMouse(w));
    filling_ = false;
    return w;
}

void TCustomListBox::UpdateWidgetState() {
    TWinControl::UpdateWidgetState();
    UpdateSelectionMode();
    UpdateOwnerDraw();
    FillWidget();
}

void TCustomListBox::FillWidget() {
    if (!HandleAllocated() || filling_)
        return;
    filling_ = true;
    auto* w = static_cast<QListWidget*>(Handle());
    w->clear();
    for (int i = 0; i < items_->Count(); ++i)
        w->addItem(QStr(items_->Get(i)));
    if (multiSelect_) {
        w->selectionModel()->setCurrentIndex(w->model()->index(itemIndex_, 0),
                                             QItemSelectionModel::NoUpdate);
        filling_ = false;
        ApplySelection();
        return;
    }
    w->setCurrentRow(itemIndex_);
    filling_ = false;
}

void TCustomListBox::WndProc(TMessage& message) {
    if (!KeepArrowKeys(message))
        TWinControl::WndProc(message);
}
