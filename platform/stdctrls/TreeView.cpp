#include "platform/stdctrls/TreeView.h"

#include "platform/forms/WidgetBridge.h"
#include "platform/stdctrls/StdCtrlsBridge.h"
#include "platform/stdctrls/WidgetSupport_p.h"

#include <QFontMetrics>
#include <QScrollBar>
#include <QStyle>
#include <QTreeWidget>

#include <algorithm>

TCustomTreeView::TCustomTreeView(TComponent* owner)
    : TWinControl(owner), items_(std::make_unique<TTreeNodes>()),
      rows_(std::make_unique<TTreeViewRows>()) {
    SetBounds(0, 0, 121, 97);
    SetTabStop(true);
    SetColor(clWindow);
    items_->Observer = [this](TTreeNodes::TChange change, TTreeNode* node) {
        NodesChanged(change, node);
    };
}

TCustomTreeView::~TCustomTreeView() {
    items_->Observer = nullptr;
    rows_->Clear();
}

void TCustomTreeView::DeclareProperties(TPropertyList& p) {
    p.AddFn<TCustomTreeView>(
         "AutoExpand", [](TCustomTreeView* t) { return t->AutoExpand(); },
         [](TCustomTreeView* t, bool v) { t->SetAutoExpand(v); })
        .Default(false);
    p.Add("HideSelection", &TCustomTreeView::HideSelection, &TCustomTreeView::SetHideSelection)
        .Default(true);
    p.Add("Indent", &TCustomTreeView::Indent, &TCustomTreeView::SetIndent).Default(19);
    p.Add("RightClickSelect", &TCustomTreeView::RightClickSelect,
          &TCustomTreeView::SetRightClickSelect)
        .Default(false);
    p.Add("Items", &TCustomTreeView::Items, &TCustomTreeView::SetItems);
    p.Add("ReadOnly", &TCustomTreeView::ReadOnly, &TCustomTreeView::SetReadOnly).Default(false);
    p.Add("ShowRoot", &TCustomTreeView::ShowRoot, &TCustomTreeView::SetShowRoot).Default(true);
    p.Add("ToolTips", &TCustomTreeView::ToolTips, &TCustomTreeView::SetToolTips).Default(true);
    p.Add("OnChange", &TCustomTreeView::OnChange);
    p.Add("OnDeletion", &TCustomTreeView::OnDeletion);
    p.Add("OnExpanded", &TCustomTreeView::OnExpanded);
    p.Add("OnCollapsed", &TCustomTreeView::OnCollapsed);
}

void TCustomTreeView::SetShowRoot(bool v) {
    showRoot_ = v;
    UpdateWidgetState();
}

void TCustomTreeView::SetIndent(int v) {
    indent_ = std::max(v, 0);
    UpdateWidgetState();
}

void TCustomTreeView::SetImages(TCustomImageList* v) {
    images_ = v;
    Rebuild();
}

void TCustomTreeView::SetStateImages(TCustomImageList* v) {
    stateImages_ = v;
    Rebuild();
}

void TCustomTreeView::ShowNode(TTreeNode* node) {
    QTreeWidgetItem* item = rows_->Item(node);
    if (item == nullptr)
        return;
    item->setText(0, QStr(node->Text()));
    item->setData(0, kImageRole, node->ImageIndex());
    item->setData(0, kStateRole, node->StateIndex());
    // One icon per row: the node's image, else its state image.
    item->setIcon(0, IconOf(images_, node->ImageIndex(), IconOf(stateImages_, node->StateIndex())));
    item->setExpanded(node->Expanded());
}

void TCustomTreeView::MakeItem(TTreeNode* node) {
    auto* item = new QTreeWidgetItem();
    rows_->Add(node, item);
    if (QTreeWidgetItem* parent = node->Parent() ? rows_->Item(node->Parent()) : nullptr)
        parent->insertChild(node->Index(), item);
    else
        static_cast<QTreeWidget*>(Handle())->insertTopLevelItem(node->Index(), item);
    ShowNode(node);
}

void TCustomTreeView::Rebuild() {
    if (!HandleAllocated())
        return;
    mirroring_ = true;
    auto* w = static_cast<QTreeWidget*>(Handle());
    w->clear();
    rows_->Clear();
    for (TTreeNode* n = items_->GetFirstNode(); n; n = n->GetNext())
        MakeItem(n);
    for (TTreeNode* n = items_->GetFirstNode(); n; n = n->GetNext())
        rows_->Item(n)->setExpanded(n->Expanded());
    w->setCurrentItem(rows_->Item(Selected()));
    mirroring_ = false;
}

void TCustomTreeView::NodesChanged(TTreeNodes::TChange change, TTreeNode* node) {
    using C = TTreeNodes::TChange;
    const bool widget = HandleAllocated();
    mirroring_ = true;
    switch (change) {
    case C::Added:
        if (widget)
            MakeItem(node);
        break;
    case C::Deleting:
        if (lastSelected_ == node)
            lastSelected_ = nullptr;
        if (OnDeletion)
            OnDeletion(this, node);
        if (QTreeWidgetItem* item = rows_->Item(node)) {
            delete item;
            rows_->Remove(node);
        }
        break;
    case C::Changed:
        ShowNode(node);
        break;
    case C::Expanded:
    case C::Collapsed:
        if (QTreeWidgetItem* item = rows_->Item(node))
            item->setExpanded(change == C::Expanded);
        mirroring_ = false;
        if (change == C::Expanded)
            Expand(node);
        else
            Collapse(node);
        break;
    case C::Selected: {
        if (widget)
            static_cast<QTreeWidget*>(Handle())->setCurrentItem(rows_->Item(node));
        mirroring_ = false;
        TTreeNode* old = lastSelected_;
        lastSelected_ = node;
        if (autoExpand_)
            SelectionMoved(old, node);
        if (OnChange)
            OnChange(this, node);
        break;
    }
    case C::Cleared:
        lastSelected_ = nullptr;
        if (widget)
            static_cast<QTreeWidget*>(Handle())->clear();
        rows_->Clear();
        break;
    }
    mirroring_ = false;
}

void TCustomTreeView::Expand(TTreeNode* node) {
    if (OnExpanded)
        OnExpanded(this, node);
}

void TCustomTreeView::Collapse(TTreeNode* node) {
    if (OnCollapsed)
        OnCollapsed(this, node);
}

void TCustomTreeView::SelectionMoved(TTreeNode* old, TTreeNode* node) {
    if (old != nullptr && old != node) {
        bool leadsThere = false;
        for (TTreeNode* p = node ? node->Parent() : nullptr; p != nullptr; p = p->Parent())
            leadsThere = leadsThere || p == old;
        if (!leadsThere)
            old->Collapse(false);
    }
    if (node != nullptr)
        node->Expand(false);
}

void TCustomTreeView::SetHideSelection(bool v) {
    hideSelection_ = v;
    UpdateWidgetState();
}

TTreeNode* TCustomTreeView::GetNodeAt(int x, int y) {
    return rows_->Node(static_cast<QTreeWidget*>(Handle())->itemAt(x, y));
}

TRect TCustomTreeView::NodeDisplayRect(TTreeNode* node, bool textOnly) {
    auto* w = static_cast<QTreeWidget*>(Handle());
    QTreeWidgetItem* item = rows_->Item(node);
    if (item == nullptr)
        return TRect{};
    QRect r = w->visualItemRect(item);
    if (r.isEmpty())
        return TRect{};
    if (textOnly) {
        // The text as the view draws it: after the icon, with the style's margin on each side.
        const int margin = w->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, w) + 1;
        const int icon = item->icon(0).isNull() ? 0 : w->iconSize().width() + 2 * margin;
        const int text = QFontMetrics(w->font()).horizontalAdvance(item->text(0));
        r.setLeft(r.left() + icon);
        r.setWidth(text + 2 * margin);
    }
    return Rect(r.left(), r.top(), r.right() + 1, r.bottom() + 1);
}

int TCustomTreeView::ScrollPos() {
    return static_cast<QTreeWidget*>(Handle())->verticalScrollBar()->value();
}

void TCustomTreeView::SetScrollPos(int row) {
    static_cast<QTreeWidget*>(Handle())->verticalScrollBar()->setValue(row);
}

QWidget* TCustomTreeView::CreateWidget() {
    auto* w = new TWidgetBridge<QTreeWidget>(this);
    w->setHeaderHidden(true);
    w->setColumnCount(1);
    auto nodeOf = [this](QTreeWidgetItem* item) { return rows_->Node(item); };
    QObject::connect(w, &QTreeWidget::currentItemChanged, guard_.get(),
                     [this, nodeOf](QTreeWidgetItem* current) {
                         if (mirroring_)
                             return;
                         SafeCall(this, [&] { items_->SetSelected(nodeOf(current)); });
                     });
    QObject::connect(w, &QTreeWidget::itemExpanded, guard_.get(),
                     [this, nodeOf](QTreeWidgetItem* item) {
                         if (mirroring_)
                             return;
                         SafeCall(this, [&] {
                             if (TTreeNode* n = nodeOf(item))
                                 n->SetExpanded(true);
                         });
                     });
    QObject::connect(w, &QTreeWidget::itemCollapsed, guard_.get(),
                     [this, nodeOf](QTreeWidgetItem* item) {
                         if (mirroring_)
                             return;
                         SafeCall(this, [&] {
                             if (TTreeNode* n = nodeOf(item))
                                 n->SetExpanded(false);
                         });
                     });
    return w;
}

void TCustomTreeView::UpdateWidgetState() {
    TWinControl::UpdateWidgetState();
    if (!HandleAllocated())
        return;
    auto* w = static_cast<QTreeWidget*>(Handle());
    w->setIndentation(indent_);
    w->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    ApplyViewColors(w, Color(), Font()->Color(), hideSelection_);
    w->setRootIsDecorated(showRoot_);
    if (rows_->Count() != static_cast<size_t>(items_->Count()))
        Rebuild();
}

void TCustomTreeView::WndProc(TMessage& message) {
    if (!KeepArrowKeys(message))
        TWinControl::WndProc(message);
}
