#include "platform/stdctrls/TreeNodes.h"

#include "platform/classes/Filer.h"
#include "platform/stdctrls/StoredData.h"

#include "platform/rtl/Exception.h"

#include <algorithm>
#include <string>

namespace {

[[noreturn]] void IndexError(int index) {
    throw EListError("List index out of bounds (" + std::to_string(index) + ")");
}

} // namespace

// --- TTreeNode -----------------------------------------------------------------------------------

TTreeNode::TTreeNode(TTreeNodes* owner, TTreeNode* parent) : owner_(owner), parent_(parent) {}

TTreeNode::~TTreeNode() = default;

void TTreeNode::Changed() {
    owner_->Notify(TTreeNodes::TChange::Changed, this);
}

void TTreeNode::SetText(const std::string& text) {
    if (text == text_)
        return;
    text_ = text;
    Changed();
}

void TTreeNode::SetImageIndex(int index) {
    if (index == imageIndex_)
        return;
    imageIndex_ = index;
    Changed();
}

void TTreeNode::SetSelectedIndex(int index) {
    if (index == selectedIndex_)
        return;
    selectedIndex_ = index;
    Changed();
}

void TTreeNode::SetStateIndex(int index) {
    if (index < -1)
        index = -1;
    if (index == stateIndex_)
        return;
    stateIndex_ = index;
    Changed();
}

TTreeNode* TTreeNode::Item(int index) const {
    if (index < 0 || index >= Count())
        IndexError(index);
    return children_[index].get();
}

std::vector<std::unique_ptr<TTreeNode>>& TTreeNode::Siblings() const {
    return parent_ ? parent_->children_ : owner_->roots_;
}

int TTreeNode::Index() const {
    const auto& s = Siblings();
    for (size_t i = 0; i < s.size(); ++i)
        if (s[i].get() == this)
            return static_cast<int>(i);
    return -1;
}

int TTreeNode::Level() const {
    int level = 0;
    for (TTreeNode* p = parent_; p; p = p->parent_)
        ++level;
    return level;
}

int TTreeNode::AbsoluteIndex() const {
    int index = 0;
    for (const TTreeNode* n = GetPrev(); n; n = n->GetPrev())
        ++index;
    return index;
}

TTreeNode* TTreeNode::GetNextSibling() const {
    const auto& s = Siblings();
    const int i = Index();
    return i + 1 < static_cast<int>(s.size()) ? s[i + 1].get() : nullptr;
}

TTreeNode* TTreeNode::GetPrevSibling() const {
    const int i = Index();
    return i > 0 ? Siblings()[i - 1].get() : nullptr;
}

TTreeNode* TTreeNode::GetNext() const {
    if (!children_.empty())
        return children_.front().get();
    for (const TTreeNode* n = this; n; n = n->parent_)
        if (TTreeNode* s = n->GetNextSibling())
            return s;
    return nullptr;
}

TTreeNode* TTreeNode::GetPrev() const {
    TTreeNode* prev = GetPrevSibling();
    if (!prev)
        return parent_;
    while (prev->HasChildren())
        prev = prev->GetLastChild();
    return prev;
}

TTreeNode* TTreeNode::GetNextVisible() const {
    if (expanded_ && !children_.empty())
        return children_.front().get();
    for (const TTreeNode* n = this; n; n = n->parent_)
        if (TTreeNode* s = n->GetNextSibling())
            return s;
    return nullptr;
}

bool TTreeNode::IsVisible() const {
    for (TTreeNode* p = parent_; p; p = p->parent_)
        if (!p->expanded_)
            return false;
    return true;
}

void TTreeNode::SetExpanded(bool value) {
    if (value == expanded_)
        return;
    expanded_ = value;
    owner_->Notify(value ? TTreeNodes::TChange::Expanded : TTreeNodes::TChange::Collapsed, this);
}

void TTreeNode::Expand(bool recurse) {
    SetExpanded(true);
    if (recurse)
        for (auto& c : children_)
            c->Expand(true);
}

void TTreeNode::Collapse(bool recurse) {
    SetExpanded(false);
    if (recurse)
        for (auto& c : children_)
            c->Collapse(true);
}

bool TTreeNode::Selected() const {
    return owner_->selected_ == this;
}

void TTreeNode::SetSelected(bool value) {
    if (value)
        owner_->SetSelected(this);
    else if (Selected())
        owner_->SetSelected(nullptr);
}

void TTreeNode::Delete() {
    owner_->Delete(this);
}

void TTreeNode::DeleteChildren() {
    while (!children_.empty())
        owner_->Delete(children_.back().get());
}

void TTreeNode::Assign(TPersistent* source) {
    auto* node = dynamic_cast<TTreeNode*>(source);
    if (!node) {
        TPersistent::Assign(source);
        return;
    }
    text_ = node->text_;
    imageIndex_ = node->imageIndex_;
    selectedIndex_ = node->selectedIndex_;
    stateIndex_ = node->stateIndex_;
    data_ = node->data_;
    Changed();
}

// --- TTreeNodes ----------------------------------------------------------------------------------

TTreeNodes::~TTreeNodes() {
    Observer = nullptr;
    roots_.clear();
}

TTreeNode* TTreeNodes::Item(int absoluteIndex) const {
    if (absoluteIndex < 0 || absoluteIndex >= count_)
        IndexError(absoluteIndex);
    TTreeNode* n = GetFirstNode();
    for (int i = 0; i < absoluteIndex; ++i)
        n = n->GetNext();
    return n;
}

TTreeNode* TTreeNodes::Root(int index) const {
    if (index < 0 || index >= RootCount())
        IndexError(index);
    return roots_[index].get();
}

TTreeNode* TTreeNodes::InsertAt(TTreeNode* parent, int index, const std::string& text) {
    auto& list = parent ? parent->children_ : roots_;
    auto node = std::make_unique<TTreeNode>(this, parent);
    node->text_ = text;
    TTreeNode* raw = node.get();
    list.insert(list.begin() + index, std::move(node));
    ++count_;
    Notify(TChange::Added, raw);
    return raw;
}

TTreeNode* TTreeNodes::Add(TTreeNode* sibling, const std::string& text) {
    TTreeNode* parent = sibling ? sibling->parent_ : nullptr;
    return AddChild(parent, text);
}

TTreeNode* TTreeNodes::AddFirst(TTreeNode* sibling, const std::string& text) {
    return AddChildFirst(sibling ? sibling->parent_ : nullptr, text);
}

TTreeNode* TTreeNodes::AddChild(TTreeNode* parent, const std::string& text) {
    const int end = parent ? parent->Count() : RootCount();
    return InsertAt(parent, end, text);
}

TTreeNode* TTreeNodes::AddChildFirst(TTreeNode* parent, const std::string& text) {
    return InsertAt(parent, 0, text);
}

TTreeNode* TTreeNodes::Insert(TTreeNode* sibling, const std::string& text) {
    if (!sibling)
        return AddChild(nullptr, text);
    return InsertAt(sibling->parent_, sibling->Index(), text);
}

void TTreeNodes::Delete(TTreeNode* node) {
    if (!node || node->owner_ != this)
        return;
    // The selection leaves the subtree first, so that the view never shows a freed node.
    bool selectionInside = false;
    for (TTreeNode* s = selected_; s; s = s->parent_)
        if (s == node) {
            selectionInside = true;
            break;
        }
    if (selectionInside) {
        TTreeNode* next = node->GetNextSibling();
        if (!next)
            next = node->GetPrevSibling();
        if (!next)
            next = node->parent_;
        SetSelected(next);
    }
    while (node->HasChildren())
        Delete(node->children_.back().get());
    Notify(TChange::Deleting, node);
    auto& list = node->Siblings();
    const int index = node->Index();
    --count_;
    list.erase(list.begin() + index);
}

void TTreeNodes::Clear() {
    if (selected_)
        SetSelected(nullptr);
    while (!roots_.empty())
        Delete(roots_.back().get());
    Notify(TChange::Cleared, nullptr);
}

void TTreeNodes::SetSelected(TTreeNode* node) {
    if (node && node->owner_ != this)
        return;
    if (node == selected_)
        return;
    selected_ = node;
    Notify(TChange::Selected, node);
}

void TTreeNodes::FullExpand() {
    for (auto& r : roots_)
        r->Expand(true);
}

void TTreeNodes::FullCollapse() {
    for (auto& r : roots_)
        r->Collapse(true);
}

void TTreeNodes::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TTreeNodes*>(source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    if (other == this)
        return;
    Clear();
    std::function<void(TTreeNode*, TTreeNode*)> copy = [&](TTreeNode* from, TTreeNode* parent) {
        TTreeNode* n = AddChild(parent, from->Text());
        n->imageIndex_ = from->imageIndex_;
        n->selectedIndex_ = from->selectedIndex_;
        n->stateIndex_ = from->stateIndex_;
        n->data_ = from->data_;
        for (auto& c : from->children_)
            copy(c.get(), n);
        n->SetExpanded(from->expanded_);
    };
    for (auto& r : other->roots_)
        copy(r.get(), nullptr);
}

// ---- descriptions -------------------------------------------------------------------------------

namespace {
// Image, selected image, state, expanded flag, child count, text length.
constexpr int kNodeBytes = 4 + 4 + 4 + 1 + 4 + 4;
// Deeper trees than this in a description are taken as damage (and would exhaust the stack).
constexpr int kMaxStoredDepth = 256;

void WriteNode(TStream& s, const TTreeNode* node) {
    stored_data::PutInt(s, node->ImageIndex());
    stored_data::PutInt(s, node->SelectedIndex());
    stored_data::PutInt(s, node->StateIndex());
    uint8_t expanded = node->Expanded() ? 1 : 0;
    s.WriteBuffer(&expanded, 1);
    stored_data::PutInt(s, node->Count());
    stored_data::PutText(s, node->Text());
    for (int i = 0; i < node->Count(); ++i)
        WriteNode(s, node->Item(i));
}
} // namespace

void TTreeNodes::WriteData(TStream& stream) const {
    stored_data::PutInt(stream, RootCount());
    for (const auto& root : roots_)
        WriteNode(stream, root.get());
}

void TTreeNodes::ReadData(TStream& stream) {
    BeginUpdate();
    Clear();
    std::function<void(TTreeNode*, int)> readNode = [&](TTreeNode* parent, int depth) {
        if (depth > kMaxStoredDepth)
            throw EReadError("Stored tree too deep");
        int32_t image = stored_data::GetInt(stream);
        int32_t selected = stored_data::GetInt(stream);
        int32_t state = stored_data::GetInt(stream);
        uint8_t expanded = 0;
        stream.ReadBuffer(&expanded, 1);
        int32_t children = stored_data::GetCount(stream, kNodeBytes);
        TTreeNode* node = AddChild(parent, stored_data::GetText(stream));
        node->SetImageIndex(image);
        node->SetSelectedIndex(selected);
        node->SetStateIndex(state);
        for (int32_t i = 0; i < children; ++i)
            readNode(node, depth + 1);
        node->SetExpanded(expanded != 0);
    };
    try {
        int32_t roots = stored_data::GetCount(stream, kNodeBytes);
        for (int32_t i = 0; i < roots; ++i)
            readNode(nullptr, 0);
    } catch (...) {
        Clear();
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TTreeNodes::DefineProperties(TFiler* filer) {
    TPersistent::DefineProperties(filer);
    stored_data::DefineItemsData(*this, filer);
}
