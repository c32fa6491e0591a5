#pragma once
// The nodes of a tree view, apart from its window: text, image, selected-image and state indexes,
// user data, the expanded state and the one selected node. The view listens through Observer and
// mirrors each change.

#include "platform/classes/Persistent.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TFiler;
class TStream;

class TTreeNodes;

class TTreeNode : public TPersistent {
    Q4_CLASS(TTreeNode, TPersistent)

    TTreeNode(TTreeNodes* owner, TTreeNode* parent);
    ~TTreeNode() override;

    TTreeNodes* Owner() const { return owner_; }
    TTreeNode* Parent() const { return parent_; }

    const std::string& Text() const { return text_; }
    void SetText(const std::string& text);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int index);
    int SelectedIndex() const { return selectedIndex_; }
    void SetSelectedIndex(int index);
    // The state image (-1: none).
    int StateIndex() const { return stateIndex_; }
    void SetStateIndex(int index);
    void* Data() const { return data_; }
    void SetData(void* data) { data_ = data; }

    int Count() const { return static_cast<int>(children_.size()); }
    bool HasChildren() const { return !children_.empty(); }
    // Raises EListError for an index outside the children.
    TTreeNode* Item(int index) const;
    // The place among the parent's children (or among the roots).
    int Index() const;
    // Roots are level 0.
    int Level() const;
    // The place in a walk of the whole tree, parents before their children.
    int AbsoluteIndex() const;

    TTreeNode* GetFirstChild() const {
        return children_.empty() ? nullptr : children_.front().get();
    }
    TTreeNode* GetLastChild() const { return children_.empty() ? nullptr : children_.back().get(); }
    TTreeNode* GetNextSibling() const;
    TTreeNode* GetPrevSibling() const;
    // The next node of a walk of the whole tree, parents before children.
    TTreeNode* GetNext() const;
    TTreeNode* GetPrev() const;
    // The next node shown: as GetNext, but not into collapsed nodes.
    TTreeNode* GetNextVisible() const;
    bool IsVisible() const;

    bool Expanded() const { return expanded_; }
    void SetExpanded(bool value);
    void Expand(bool recurse);
    void Collapse(bool recurse);
    bool Selected() const;
    void SetSelected(bool value);

    // Frees the node and its children (through the owner).
    void Delete();
    void DeleteChildren();

    void Assign(TPersistent* source) override;

private:
    friend class TTreeNodes;
    std::vector<std::unique_ptr<TTreeNode>>& Siblings() const;
    void Changed();

    TTreeNodes* owner_;
    TTreeNode* parent_;
    std::vector<std::unique_ptr<TTreeNode>> children_;
    std::string text_;
    int imageIndex_ = -1;
    int selectedIndex_ = -1;
    int stateIndex_ = -1;
    void* data_ = nullptr;
    bool expanded_ = false;
};

class TTreeNodes : public TPersistent {
    Q4_CLASS(TTreeNodes, TPersistent)

    enum class TChange { Added, Deleting, Changed, Expanded, Collapsed, Selected, Cleared };
    // Told of every change; for Selected the node is the new selection (or null).
    std::function<void(TChange, TTreeNode*)> Observer;

    TTreeNodes() = default;
    ~TTreeNodes() override;

    // All nodes of the tree.
    int Count() const { return count_; }
    // The node at a place of the walk of the whole tree; raises EListError outside it.
    TTreeNode* Item(int absoluteIndex) const;
    TTreeNode* GetFirstNode() const { return roots_.empty() ? nullptr : roots_.front().get(); }
    int RootCount() const { return static_cast<int>(roots_.size()); }
    TTreeNode* Root(int index) const;

    // A new last sibling of `sibling` (a root when sibling is null).
    TTreeNode* Add(TTreeNode* sibling, const std::string& text);
    TTreeNode* AddFirst(TTreeNode* sibling, const std::string& text);
    // A new last (first) child of parent (a root when parent is null).
    TTreeNode* AddChild(TTreeNode* parent, const std::string& text);
    TTreeNode* AddChildFirst(TTreeNode* parent, const std::string& text);
    // A new node just before sibling (a last root when sibling is null).
    TTreeNode* Insert(TTreeNode* sibling, const std::string& text);
    // Frees the node and its children. A selection inside it moves to the next sibling, else the
    // previous one, else the parent.
    void Delete(TTreeNode* node);
    void Clear();

    TTreeNode* Selected() const { return selected_; }
    void SetSelected(TTreeNode* node);

    // Expands (collapses) every node.
    void FullExpand();
    void FullCollapse();

    void BeginUpdate() { ++updateCount_; }
    void EndUpdate() {
        if (updateCount_ > 0)
            --updateCount_;
    }
    bool Updating() const { return updateCount_ > 0; }

    // Copies the tree (texts, indexes, data, expanded state) of another node list.
    void Assign(TPersistent* source) override;

    // Descriptions store the tree as "Data": the number of roots, then each node with its image,
    // selected-image and state indexes, expanded flag, child count and text, its children right
    // after it. Reading replaces the tree; malformed data raises EReadError.
    void DefineProperties(TFiler* filer) override;
    void WriteData(TStream& stream) const;
    void ReadData(TStream& stream);

private:
    friend class TTreeNode;
    TTreeNode* InsertAt(TTreeNode* parent, int index, const std::string& text);
    void Notify(TChange change, TTreeNode* node) {
        if (Observer)
            Observer(change, node);
    }

    std::vector<std::unique_ptr<TTreeNode>> roots_;
    int count_ = 0;
    TTreeNode* selected_ = nullptr;
    int updateCount_ = 0;
};
