#include "platform/stdctrls/ListView.h"

#include "platform/forms/WidgetBridge.h"
#include "platform/rtl/CodePage.h"
#include "platform/stdctrls/ListViewWidget_p.h"
#include "platform/stdctrls/WidgetSupport_p.h"

#include <QHeaderView>
#include <QSignalBlocker>
#include <QTreeWidget>

#include <algorithm>

TCustomListView::TCustomListView(TComponent* owner)
    : TWinControl(owner), columns_(std::make_unique<TListColumns>(this)),
      items_(std::make_unique<TListItems>()) {
    SetBounds(0, 0, 250, 150);
    SetTabStop(true);
    SetColor(clWindow);
    columns_->Observer = [this](TListColumn*) {
        if (!showingColumns_)
            ShowColumns();
    };
    items_->Observer = [this](TListItems::TChange change, TListItem* item) {
        ItemsChanged(change, item);
    };
    items_->CheckChanging = [this](TListItem* item, bool checked) {
        return InLoading() || CanChangeCheck(item, checked);
    };
    items_->CheckChanged = [this](TListItem* item) {
        if (!InLoading())
            CheckChanged(item);
    };
    items_->Compare = [this](TListItem* a, TListItem* b) {
        int result = 0;
        if (OnCompare)
            OnCompare(this, a, b, 0, result);
        else
            result = AnsiCompareText(a->Caption(), b->Caption());
        return result;
    };
}

TCustomListView::~TCustomListView() {
    columns_->Observer = nullptr;
    items_->Observer = nullptr;
    items_->CheckChanging = nullptr;
    items_->CheckChanged = nullptr;
}

void TCustomListView::DeclareProperties(TPropertyList& p) {
    p.Add("AllocBy", &TCustomListView::AllocBy, &TCustomListView::SetAllocBy).Default(0);
    p.Add("Checkboxes", &TCustomListView::Checkboxes, &TCustomListView::SetCheckboxes)
        .Default(false);
    p.Add("ColumnClick", &TCustomListView::ColumnClick, &TCustomListView::SetColumnClick)
        .Default(true);
    p.Add("Columns", &TCustomListView::Columns, &TCustomListView::SetColumns);
    p.Add("GridLines", &TCustomListView::GridLines, &TCustomListView::SetGridLines).Default(false);
    p.Add("HideSelection", &TCustomListView::HideSelection, &TCustomListView::SetHideSelection)
        .Default(true);
    p.Add("Items", &TCustomListView::Items, &TCustomListView::SetItems);
    p.Add("MultiSelect", &TCustomListView::MultiSelect, &TCustomListView::SetMultiSelect)
        .Default(false);
    p.Add("ReadOnly", &TCustomListView::ReadOnly, &TCustomListView::SetReadOnly).Default(false);
    p.Add("RowSelect", &TCustomListView::RowSelect, &TCustomListView::SetRowSelect).Default(false);
    p.Add("SortType", &TCustomListView::SortType, &TCustomListView::SetSortType).Default(stNone);
    p.Add("ViewStyle", &TCustomListView::ViewStyle, &TCustomListView::SetViewStyle).Default(vsIcon);
    p.Add("OnColumnClick", &TCustomListView::OnColumnClick);
    p.Add("OnCompare", &TCustomListView::OnCompare);
    p.Add("OnEdited", &TCustomListView::OnEdited);
    p.Add("OnEditing", &TCustomListView::OnEditing);
    p.Add("OnInfoTip", &TCustomListView::OnInfoTip);
    p.Add("OnSelectItem", &TCustomListView::OnSelectItem);
}

void TCustomListView::SetHideSelection(bool v) {
    hideSelection_ = v;
    UpdateWidgetState();
}

void TCustomListView::SetReadOnly(bool v) {
    if (v == readOnly_)
        return;
    readOnly_ = v;
    UpdateWidgetState();
    Rebuild();
}

void TCustomListView::ColClick(TListColumn* column) {
    if (OnColumnClick)
        OnColumnClick(this, column);
}

bool TCustomListView::CanEdit(TListItem* item) {
    bool allow = true;
    if (OnEditing)
        OnEditing(this, item, allow);
    return allow;
}

void TCustomListView::Edited(TListItem* item, std::string& text) {
    if (OnEdited)
        OnEdited(this, item, text);
}

bool TCustomListView::CanChangeCheck(TListItem*, bool) {
    return true;
}

void TCustomListView::CheckChanged(TListItem*) {}

void TCustomListView::SetViewStyle(TViewStyle v) {
    viewStyle_ = v;
    UpdateWidgetState();
}

void TCustomListView::SetCheckboxes(bool v) {
    checkboxes_ = v;
    Rebuild();
}

void TCustomListView::SetGridLines(bool v) {
    gridLines_ = v;
    UpdateWidgetState();
}

void TCustomListView::SetRowSelect(bool v) {
    rowSelect_ = v;
    UpdateWidgetState();
}

void TCustomListView::SetColumnClick(bool v) {
    columnClick_ = v;
    UpdateWidgetState();
}

void TCustomListView::SetMultiSelect(bool v) {
    items_->MultiSelect = v;
    UpdateWidgetState();
}

void TCustomListView::SetSmallImages(TCustomImageList* v) {
    smallImages_ = v;
    Rebuild();
}

bool TCustomListView::AlphaSort() {
    items_->CustomSort(items_->Compare);
    return true;
}

void TCustomListView::ShowColumns() {
    if (!HandleAllocated())
        return;
    auto* w = static_cast<QTreeWidget*>(Handle());
    showingColumns_ = true;
    const int n = std::max(columns_->Count(), 1);
    w->setColumnCount(n);
    QStringList labels;
    for (int i = 0; i < columns_->Count(); ++i)
        labels << QStr(columns_->Items(i)->Caption());
    w->setHeaderLabels(labels);
    for (int i = 0; i < columns_->Count(); ++i) {
        TListColumn* c = columns_->Items(i);
        w->setColumnWidth(i, c->Width());
        const Qt::Alignment a = c->Alignment() == taRightJustify ? Qt::AlignRight
                                : c->Alignment() == taCenter     ? Qt::AlignHCenter
                                                                 : Qt::AlignLeft;
        w->headerItem()->setTextAlignment(i, a | Qt::AlignVCenter);
    }
    showingColumns_ = false;
    Rebuild();
}

void TCustomListView::ShowItem(int index) {
    auto* w = static_cast<QTreeWidget*>(Handle());
    QTreeWidgetItem* row = w->topLevelItem(index);
    TListItem* item = items_->Item(index);
    if (!row)
        return;
    QSignalBlocker block(w);
    row->setText(0, QStr(item->Caption()));
    for (int i = 0; i < item->SubItems()->Count(); ++i)
        row->setText(i + 1, QStr(item->SubItems()->Get(i)));
    for (int i = item->SubItems()->Count() + 1; i < w->columnCount(); ++i)
        row->setText(i, QString());
    for (int i = 0; i < columns_->Count(); ++i) {
        TListColumn* c = columns_->Items(i);
        const Qt::Alignment a = c->Alignment() == taRightJustify ? Qt::AlignRight
                                : c->Alignment() == taCenter     ? Qt::AlignHCenter
                                                                 : Qt::AlignLeft;
        row->setTextAlignment(i, a | Qt::AlignVCenter);
    }
    row->setFlags(readOnly_ ? row->flags() & ~Qt::ItemIsEditable
                            : row->flags() | Qt::ItemIsEditable);
    row->setData(0, kImageRole, item->ImageIndex());
    row->setData(0, kStateRole, item->StateIndex());
    row->setIcon(0, IconOf(smallImages_, item->ImageIndex()));
    if (checkboxes_)
        row->setCheckState(0, item->Checked() ? Qt::Checked : Qt::Unchecked);
    else
        row->setData(0, Qt::CheckStateRole, QVariant());
    row->setSelected(item->Selected());
}

void TCustomListView::Rebuild() {
    if (!HandleAllocated())
        return;
    mirroring_ = true;
    auto* w = static_cast<QTreeWidget*>(Handle());
    QSignalBlocker block(w);
    w->clear();
    for (int i = 0; i < items_->Count(); ++i) {
        w->addTopLevelItem(new QTreeWidgetItem());
        ShowItem(i);
    }
    mirroring_ = false;
}

void TCustomListView::ItemsChanged(TListItems::TChange change, TListItem* item) {
    using C = TListItems::TChange;
    if (change == C::Selected && !mirroring_ && OnSelectItem)
        OnSelectItem(this, item, item->Selected());
    if (!HandleAllocated())
        return;
    auto* w = static_cast<QTreeWidget*>(Handle());
    mirroring_ = true;
    switch (change) {
    case C::Added: {
        QSignalBlocker block(w);
        w->insertTopLevelItem(item->Index(), new QTreeWidgetItem());
        ShowItem(item->Index());
        break;
    }
    case C::Deleting: {
        QSignalBlocker block(w);
        delete w->takeTopLevelItem(item->Index());
        break;
    }
    case C::Changed:
    case C::Selected:
        ShowItem(item->Index());
        break;
    case C::Cleared: {
        QSignalBlocker block(w);
        w->clear();
        break;
    }
    case C::Reset:
        mirroring_ = false;
        Rebuild();
        break;
    }
    mirroring_ = false;
}

QWidget* TCustomListView::CreateWidget() {
    auto* w = new TListViewWidget(this);
    w->setRootIsDecorated(false);
    w->setUniformRowHeights(true);
    // Columns keep the widths they are given; the view does not stretch the last one.
    w->header()->setStretchLastSection(false);
    QObject::connect(
        w, &QTreeWidget::itemChanged, guard_.get(), [this, w](QTreeWidgetItem* row, int column) {
            const int index = w->indexOfTopLevelItem(row);
            if (mirroring_ || column != 0 || index < 0 || index >= items_->Count())
                return;
            SafeCall(this, [&] {
                RowChanged(index, row->checkState(0) == Qt::Checked, StdStr(row->text(0)));
            });
        });
    QObject::connect(w, &QTreeWidget::itemSelectionChanged, guard_.get(), [this, w] {
        if (mirroring_)
            return;
        SafeCall(this, [&] {
            for (int i = 0; i < items_->Count() && i < w->topLevelItemCount(); ++i) {
                const bool sel = w->topLevelItem(i)->isSelected();
                if (items_->Item(i)->Selected() != sel)
                    items_->Item(i)->SetSelected(sel);
            }
        });
    });
    QObject::connect(w->header(), &QHeaderView::sectionClicked, guard_.get(), [this](int section) {
        if (!columnClick_ || section >= columns_->Count())
            return;
        SafeCall(this, [&] { ColClick(columns_->Items(section)); });
    });
    QObject::connect(w->header(), &QHeaderView::sectionResized, guard_.get(),
                     [this, w](int section, int, int size) {
                         // Only the user's resizing goes back to the column.
                         if (showingColumns_ || section >= columns_->Count() || !w->isVisible())
                             return;
                         showingColumns_ = true;
                         columns_->Items(section)->SetWidth(size);
                         showingColumns_ = false;
                     });
    return w;
}

// The user checked a box or edited a caption in the widget. A change the view refuses is put
// back.
void TCustomListView::RowChanged(int index, bool checked, const std::string& caption) {
    TListItem* item = items_->Item(index);
    if (checkboxes_)
        item->SetChecked(checked);
    std::string text = caption;
    if (text != item->Caption()) {
        Edited(item, text);
        item->SetCaption(text);
    }
    if (index < items_->Count() && items_->Item(index) == item) {
        mirroring_ = true;
        ShowItem(index);
        mirroring_ = false;
    }
}

void TCustomListView::UpdateWidgetState() {
    TWinControl::UpdateWidgetState();
    if (!HandleAllocated())
        return;
    auto* w = static_cast<QTreeWidget*>(Handle());
    w->setHeaderHidden(viewStyle_ != vsReport);
    w->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    ApplyViewColors(w, Color(), Font()->Color(), hideSelection_);
    w->setSelectionMode(items_->MultiSelect ? QAbstractItemView::ExtendedSelection
                                            : QAbstractItemView::SingleSelection);
    w->setSelectionBehavior(rowSelect_ ? QAbstractItemView::SelectRows
                                       : QAbstractItemView::SelectItems);
    w->header()->setSectionsClickable(columnClick_);
    w->setEditTriggers(readOnly_
                           ? QAbstractItemView::NoEditTriggers
                           : QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                                 QAbstractItemView::SelectedClicked);
    w->viewport()->update(); // grid lines come and go with the cells' drawing
    if (w->columnCount() != std::max(columns_->Count(), 1))
        ShowColumns();
    else if (w->topLevelItemCount() != items_->Count())
        Rebuild();
}

void TCustomListView::WndProc(TMessage& message) {
    if (!KeepArrowKeys(message))
        TWinControl::WndProc(message);
}
