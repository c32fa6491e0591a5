#include "platform/stdctrls/ListBox.h"

#include "platform/forms/WidgetBridge.h"
#include "platform/stdctrls/OwnerDraw_p.h"
#include "platform/stdctrls/StringsProperty.h"
#include "platform/stdctrls/WidgetSupport_p.h"

#include <QListWidget>

#include <algorithm>

TCustomListBox::TCustomListBox(TComponent* owner)
    : TWinControl(owner), items_(std::make_unique<TStringList>()) {
    SetBounds(0, 0, 121, 97);
    SetTabStop(true);
    SetColor(clWindow);
    items_->OnChange = [this](TObject*) {
        if (itemIndex_ >= items_->Count())
            itemIndex_ = -1;
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
    FillWidget();
}

void TCustomListBox::SetSorted(bool v) {
    items_->SetSorted(v);
}

QWidget* TCustomListBox::CreateWidget() {
    auto* w = new TWidgetBridge<QListWidget>(this);
    QObject::connect(w, &QListWidget::currentRowChanged, guard_.get(), [this](int row) {
        if (filling_)
            return;
        SafeCall(this, [&] {
            itemIndex_ = row;
            Click();
        });
    });
    filling_ = false;
    return w;
}

void TCustomListBox::UpdateWidgetState() {
    TWinControl::UpdateWidgetState();
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
    w->setCurrentRow(itemIndex_);
    filling_ = false;
}

void TCustomListBox::WndProc(TMessage& message) {
    if (!KeepArrowKeys(message))
        TWinControl::WndProc(message);
}
