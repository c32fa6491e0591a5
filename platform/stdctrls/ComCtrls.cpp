#include "platform/stdctrls/ComCtrls.h"

#include "platform/classes/ClassRegistry.h"
#include "platform/forms/WidgetBridge.h"
#include "platform/graphics/ImageList.h"
#include "platform/rtl/CodePage.h"
#include "platform/stdctrls/ExtCtrls.h"

#include <QHeaderView>
#include <QIcon>
#include <QPixmap>
#include <QProgressBar>
#include <QSignalBlocker>
#include <QSlider>
#include <QTreeWidget>

#include <algorithm>

namespace {

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

constexpr int kImageRole = Qt::UserRole + 1;

// The icon of image index in a list, or fallback when there is none.
QIcon IconOf(TCustomImageList* images, int index, const QIcon& fallback) {
    if (!images || index < 0 || index >= images->Count())
        return fallback;
    return QIcon(QPixmap::fromImage(images->Image(index)));
}
constexpr int kStateRole = Qt::UserRole + 2;

} // namespace

// ---- TCustomTreeView ----------------------------------------------------------------------------

TCustomTreeView::TCustomTreeView(TComponent* owner)
    : TWinControl(owner), items_(std::make_unique<TTreeNodes>()) {
    SetBounds(0, 0, 121, 97);
    SetTabStop(true);
    SetColor(clWindow);
    items_->Observer = [this](TTreeNodes::TChange change, TTreeNode* node) {
        NodesChanged(change, node);
    };
}

TCustomTreeView::~TCustomTreeView() {
    items_->Observer = nullptr;
    map_.clear();
}

void TCustomTreeView::DeclareProperties(TPropertyList& p) {
    p.Add("Indent", &TCustomTreeView::Indent, &TCustomTreeView::SetIndent).Default(19);
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

QTreeWidget* TCustomTreeView::TreeWidget() {
    return static_cast<QTreeWidget*>(Handle());
}

QTreeWidgetItem* TCustomTreeView::WidgetItem(TTreeNode* node) const {
    auto it = map_.find(node);
    return it == map_.end() ? nullptr : it->second;
}

void TCustomTreeView::ShowNode(TTreeNode* node, QTreeWidgetItem* item) {
    item->setText(0, Q(node->Text()));
    item->setData(0, kImageRole, node->ImageIndex());
    item->setData(0, kStateRole, node->StateIndex());
    // One icon per row: the node's image, else its state image.
    item->setIcon(
        0, IconOf(images_, node->ImageIndex(), IconOf(stateImages_, node->StateIndex(), QIcon())));
    item->setExpanded(node->Expanded());
}

QTreeWidgetItem* TCustomTreeView::MakeItem(TTreeNode* node) {
    auto* item = new QTreeWidgetItem();
    map_[node] = item;
    if (QTreeWidgetItem* parent = node->Parent() ? WidgetItem(node->Parent()) : nullptr)
        parent->insertChild(node->Index(), item);
    else
        static_cast<QTreeWidget*>(Handle())->insertTopLevelItem(node->Index(), item);
    ShowNode(node, item);
    return item;
}

void TCustomTreeView::Rebuild() {
    if (!HandleAllocated())
        return;
    mirroring_ = true;
    auto* w = static_cast<QTreeWidget*>(Handle());
    w->clear();
    map_.clear();
    for (TTreeNode* n = items_->GetFirstNode(); n; n = n->GetNext())
        MakeItem(n);
    for (TTreeNode* n = items_->GetFirstNode(); n; n = n->GetNext())
        map_[n]->setExpanded(n->Expanded());
    w->setCurrentItem(Selected() ? WidgetItem(Selected()) : nullptr);
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
        if (OnDeletion)
            OnDeletion(this, node);
        if (QTreeWidgetItem* item = WidgetItem(node)) {
            delete item;
            map_.erase(node);
        }
        break;
    case C::Changed:
        if (QTreeWidgetItem* item = WidgetItem(node))
            ShowNode(node, item);
        break;
    case C::Expanded:
    case C::Collapsed:
        if (QTreeWidgetItem* item = WidgetItem(node))
            item->setExpanded(change == C::Expanded);
        mirroring_ = false;
        if (change == C::Expanded && OnExpanded)
            OnExpanded(this, node);
        if (change == C::Collapsed && OnCollapsed)
            OnCollapsed(this, node);
        break;
    case C::Selected:
        if (widget)
            static_cast<QTreeWidget*>(Handle())->setCurrentItem(node ? WidgetItem(node) : nullptr);
        mirroring_ = false;
        if (OnChange)
            OnChange(this, node);
        break;
    case C::Cleared:
        if (widget)
            static_cast<QTreeWidget*>(Handle())->clear();
        map_.clear();
        break;
    }
    mirroring_ = false;
}

QWidget* TCustomTreeView::CreateWidget() {
    auto* w = new TWidgetBridge<QTreeWidget>(this);
    w->setHeaderHidden(true);
    w->setColumnCount(1);
    auto nodeOf = [this](QTreeWidgetItem* item) -> TTreeNode* {
        for (auto& [node, it] : map_)
            if (it == item)
                return node;
        return nullptr;
    };
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
    w->setRootIsDecorated(showRoot_);
    if (map_.size() != static_cast<size_t>(items_->Count()))
        Rebuild();
}

// ---- TCustomListView ----------------------------------------------------------------------------

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
}

void TCustomListView::DeclareProperties(TPropertyList& p) {
    p.Add("AllocBy", &TCustomListView::AllocBy, &TCustomListView::SetAllocBy).Default(0);
    p.Add("Checkboxes", &TCustomListView::Checkboxes, &TCustomListView::SetCheckboxes)
        .Default(false);
    p.Add("ColumnClick", &TCustomListView::ColumnClick, &TCustomListView::SetColumnClick)
        .Default(true);
    p.Add("Columns", &TCustomListView::Columns, &TCustomListView::SetColumns);
    p.Add("GridLines", &TCustomListView::GridLines, &TCustomListView::SetGridLines).Default(false);
    p.Add("Items", &TCustomListView::Items, &TCustomListView::SetItems);
    p.Add("MultiSelect", &TCustomListView::MultiSelect, &TCustomListView::SetMultiSelect)
        .Default(false);
    p.Add("ReadOnly", &TCustomListView::ReadOnly, &TCustomListView::SetReadOnly).Default(false);
    p.Add("RowSelect", &TCustomListView::RowSelect, &TCustomListView::SetRowSelect).Default(false);
    p.Add("SortType", &TCustomListView::SortType, &TCustomListView::SetSortType).Default(stNone);
    p.Add("ViewStyle", &TCustomListView::ViewStyle, &TCustomListView::SetViewStyle).Default(vsIcon);
    p.Add("OnColumnClick", &TCustomListView::OnColumnClick);
    p.Add("OnCompare", &TCustomListView::OnCompare);
    p.Add("OnSelectItem", &TCustomListView::OnSelectItem);
}

QTreeWidget* TCustomListView::TreeWidget() {
    return static_cast<QTreeWidget*>(Handle());
}

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
        labels << Q(columns_->Items(i)->Caption());
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
    row->setText(0, Q(item->Caption()));
    for (int i = 0; i < item->SubItems()->Count(); ++i)
        row->setText(i + 1, Q(item->SubItems()->Get(i)));
    for (int i = item->SubItems()->Count() + 1; i < w->columnCount(); ++i)
        row->setText(i, QString());
    for (int i = 0; i < columns_->Count(); ++i) {
        TListColumn* c = columns_->Items(i);
        const Qt::Alignment a = c->Alignment() == taRightJustify ? Qt::AlignRight
                                : c->Alignment() == taCenter     ? Qt::AlignHCenter
                                                                 : Qt::AlignLeft;
        row->setTextAlignment(i, a | Qt::AlignVCenter);
    }
    row->setData(0, kImageRole, item->ImageIndex());
    row->setData(0, kStateRole, item->StateIndex());
    row->setIcon(0, IconOf(smallImages_, item->ImageIndex(), QIcon()));
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
    auto* w = new TWidgetBridge<QTreeWidget>(this);
    w->setRootIsDecorated(false);
    w->setUniformRowHeights(true);
    // Columns keep the widths they are given; the view does not stretch the last one.
    w->header()->setStretchLastSection(false);
    QObject::connect(w, &QTreeWidget::itemChanged, guard_.get(),
                     [this, w](QTreeWidgetItem* row, int column) {
                         if (mirroring_ || column != 0 || !checkboxes_)
                             return;
                         SafeCall(this, [&] {
                             const int index = w->indexOfTopLevelItem(row);
                             if (index >= 0 && index < items_->Count())
                                 items_->Item(index)->SetChecked(row->checkState(0) == Qt::Checked);
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
        SafeCall(this, [&] {
            if (OnColumnClick)
                OnColumnClick(this, columns_->Items(section));
        });
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

void TCustomListView::UpdateWidgetState() {
    TWinControl::UpdateWidgetState();
    if (!HandleAllocated())
        return;
    auto* w = static_cast<QTreeWidget*>(Handle());
    w->setHeaderHidden(viewStyle_ != vsReport);
    w->setSelectionMode(items_->MultiSelect ? QAbstractItemView::ExtendedSelection
                                            : QAbstractItemView::SingleSelection);
    w->setSelectionBehavior(rowSelect_ ? QAbstractItemView::SelectRows
                                       : QAbstractItemView::SelectItems);
    w->header()->setSectionsClickable(columnClick_);
    w->setStyleSheet(
        gridLines_ ? "QTreeView::item { border-right: 1px solid #c0c0c0; border-bottom: 1px solid "
                     "#c0c0c0; }"
                   : QString());
    if (w->columnCount() != std::max(columns_->Count(), 1))
        ShowColumns();
    else if (w->topLevelItemCount() != items_->Count())
        Rebuild();
}

// ---- TProgressBar -------------------------------------------------------------------------------

TProgressBar::TProgressBar(TComponent* owner) : TWinControl(owner) {
    SetBounds(0, 0, 150, 16);
}

void TProgressBar::DeclareProperties(TPropertyList& p) {
    p.Add("Max", &TProgressBar::Max, &TProgressBar::SetMax).Default(100);
    p.Add("Min", &TProgressBar::Min, &TProgressBar::SetMin).Default(0);
    p.Add("Position", &TProgressBar::Position, &TProgressBar::SetPosition).Default(0);
    p.Add("Step", &TProgressBar::Step, &TProgressBar::SetStep).Default(10);
}

void TProgressBar::SetMin(int v) {
    min_ = v;
    if (max_ < min_)
        max_ = min_;
    SetPosition(position_);
}

void TProgressBar::SetMax(int v) {
    max_ = v;
    if (min_ > max_)
        min_ = max_;
    SetPosition(position_);
}

void TProgressBar::SetPosition(int v) {
    position_ = std::clamp(v, min_, max_);
    UpdateWidgetState();
}

void TProgressBar::StepIt() {
    int next = position_ + step_;
    if (next > max_)
        next = min_ + (next - max_ - 1) % std::max(1, max_ - min_ + 1);
    SetPosition(next);
}

QWidget* TProgressBar::CreateWidget() {
    auto* w = new TWidgetBridge<QProgressBar>(this);
    w->setTextVisible(false);
    return w;
}

void TProgressBar::UpdateWidgetState() {
    TWinControl::UpdateWidgetState();
    if (!HandleAllocated())
        return;
    auto* w = static_cast<QProgressBar*>(Handle());
    w->setRange(min_, max_);
    w->setValue(position_);
}

// ---- TTrackBar ----------------------------------------------------------------------------------

TTrackBar::TTrackBar(TComponent* owner) : TWinControl(owner) {
    SetBounds(0, 0, 150, 45);
    SetTabStop(true);
}

void TTrackBar::DeclareProperties(TPropertyList& p) {
    p.Add("Max", &TTrackBar::Max, &TTrackBar::SetMax).Default(10);
    p.Add("Min", &TTrackBar::Min, &TTrackBar::SetMin).Default(0);
    p.Add("Frequency", &TTrackBar::Frequency, &TTrackBar::SetFrequency).Default(1);
    p.Add("Orientation", &TTrackBar::Orientation, &TTrackBar::SetOrientation).Default(trHorizontal);
    p.Add("PageSize", &TTrackBar::PageSize, &TTrackBar::SetPageSize).Default(2);
    p.Add("Position", &TTrackBar::Position, &TTrackBar::SetPosition).Default(0);
    p.Add("OnChange", &TTrackBar::OnChange);
}

void TTrackBar::SetMin(int v) {
    min_ = v;
    if (max_ < min_)
        max_ = min_;
    SetPosition(position_);
    UpdateWidgetState();
}

void TTrackBar::SetMax(int v) {
    max_ = v;
    if (min_ > max_)
        min_ = max_;
    SetPosition(position_);
    UpdateWidgetState();
}

void TTrackBar::SetPosition(int v) {
    v = std::clamp(v, min_, max_);
    if (v == position_)
        return;
    position_ = v;
    UpdateWidgetState();
    if (OnChange)
        OnChange(this);
}

void TTrackBar::SetPageSize(int v) {
    pageSize_ = std::max(v, 0);
    UpdateWidgetState();
}

void TTrackBar::SetFrequency(int v) {
    frequency_ = std::max(v, 0);
    UpdateWidgetState();
}

void TTrackBar::SetOrientation(TTrackBarOrientation v) {
    if (v == orientation_)
        return;
    orientation_ = v;
    if (!InLoading())
        SetBounds(Left(), Top(), Height(), Width());
    UpdateWidgetState();
}

QSlider* TTrackBar::Slider() {
    return static_cast<QSlider*>(Handle());
}

QWidget* TTrackBar::CreateWidget() {
    auto* w = new TWidgetBridge<QSlider>(this);
    w->setTickPosition(QSlider::TicksBelow);
    QObject::connect(w, &QSlider::valueChanged, guard_.get(),
                     [this](int value) { SafeCall(this, [&] { SetPosition(value); }); });
    return w;
}

void TTrackBar::UpdateWidgetState() {
    TWinControl::UpdateWidgetState();
    if (!HandleAllocated())
        return;
    auto* w = static_cast<QSlider*>(Handle());
    QSignalBlocker block(w);
    w->setOrientation(orientation_ == trVertical ? Qt::Vertical : Qt::Horizontal);
    // The classic vertical bar has its minimum at the top.
    w->setInvertedAppearance(orientation_ == trVertical);
    w->setInvertedControls(orientation_ == trVertical);
    w->setRange(min_, max_);
    w->setPageStep(pageSize_);
    w->setTickInterval(frequency_);
    w->setValue(position_);
}

// ---- TStatusBar ---------------------------------------------------------------------------------

void TStatusPanel::DeclareProperties(TPropertyList& p) {
    p.Add("Alignment", &TStatusPanel::Alignment, &TStatusPanel::SetAlignment)
        .Default(taLeftJustify);
    p.Add("Bevel", &TStatusPanel::Bevel, &TStatusPanel::SetBevel).Default(pbLowered);
    p.Add("Text", &TStatusPanel::Text, &TStatusPanel::SetText);
    p.Add("Width", &TStatusPanel::Width, &TStatusPanel::SetWidth).Default(50);
}

void TStatusPanel::SetText(const std::string& v) {
    text_ = v;
    Changed(false);
}

void TStatusPanel::SetWidth(int v) {
    width_ = std::max(v, 0);
    Changed(false);
}

void TStatusPanel::SetAlignment(TAlignment v) {
    alignment_ = v;
    Changed(false);
}

void TStatusPanel::SetBevel(TStatusPanelBevel v) {
    bevel_ = v;
    Changed(false);
}

TStatusBar::TStatusBar(TComponent* owner)
    : TCustomControl(owner), panels_(std::make_unique<TStatusPanels>(this)) {
    SetBounds(0, 0, 200, 19);
    SetColor(clBtnFace);
    SetAlign(alBottom);
    panels_->OnUpdate = [this] { Invalidate(); };
}

TStatusBar::~TStatusBar() {
    panels_->OnUpdate = nullptr;
}

void TStatusBar::DeclareProperties(TPropertyList& p) {
    // A status bar starts aligned to the bottom, so that is what goes unsaid in a description.
    p.Add("Align", &TControl::Align, &TControl::SetAlign).Default(alBottom);
    p.Add("Panels", &TStatusBar::Panels, &TStatusBar::SetPanels);
    p.Add("SimplePanel", &TStatusBar::SimplePanel, &TStatusBar::SetSimplePanel).Default(false);
    p.Add("SimpleText", &TStatusBar::SimpleText, &TStatusBar::SetSimpleText);
}

void TStatusBar::SetSimplePanel(bool v) {
    simplePanel_ = v;
    Invalidate();
}

void TStatusBar::SetSimpleText(const std::string& v) {
    simpleText_ = v;
    Invalidate();
}

TRect TStatusBar::PanelRect(int index) const {
    int x = 0;
    for (int i = 0; i < index; ++i)
        x += panels_->Items(i)->Width() + 2;
    const bool last = index == panels_->Count() - 1;
    const int w = last ? std::max(0, Width() - x) : panels_->Items(index)->Width();
    return Rect(x, 2, x + w, Height());
}

void TStatusBar::Paint() {
    TCanvas* c = Canvas();
    c->Brush()->SetColor(Color());
    c->Brush()->SetStyle(bsSolid);
    c->FillRect(Rect(0, 0, Width(), Height()));
    c->Font()->Assign(Font());
    auto draw = [&](TRect r, const std::string& text, TAlignment a, TStatusPanelBevel bevel) {
        if (bevel != pbNone)
            Frame3D(c, r, bevel == pbLowered ? clBtnShadow : clBtnHighlight,
                    bevel == pbLowered ? clBtnHighlight : clBtnShadow, 1);
        c->Brush()->SetStyle(bsClear);
        unsigned flags = DT_SINGLELINE | DT_VCENTER;
        if (a == taCenter)
            flags |= DT_CENTER;
        else if (a == taRightJustify)
            flags |= DT_RIGHT;
        r.Left += 2;
        r.Right -= 2;
        c->TextRect(r, text, flags);
        c->Brush()->SetStyle(bsSolid);
    };
    if (simplePanel_) {
        draw(Rect(0, 2, Width(), Height()), simpleText_, taLeftJustify, pbNone);
        return;
    }
    for (int i = 0; i < panels_->Count(); ++i) {
        TStatusPanel* p = panels_->Items(i);
        draw(PanelRect(i), p->Text(), p->Alignment(), p->Bevel());
    }
}

void RegisterComControls() {
    RegisterClasses<TTreeView, TListView, TProgressBar, TTrackBar, TStatusBar>();
}

void TCustomTreeView::WndProc(TMessage& message) {
    if (message.Msg == WM_GETDLGCODE) {
        message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
        return;
    }
    TWinControl::WndProc(message);
}

void TCustomListView::WndProc(TMessage& message) {
    if (message.Msg == WM_GETDLGCODE) {
        message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
        return;
    }
    TWinControl::WndProc(message);
}

void TTrackBar::WndProc(TMessage& message) {
    if (message.Msg == WM_GETDLGCODE) {
        message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
        return;
    }
    TWinControl::WndProc(message);
}
