#include "platform/stdctrls/TreeNodes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string Walk(const TTreeNodes& nodes) {
    std::string out;
    for (TTreeNode* n = nodes.GetFirstNode(); n; n = n->GetNext())
        out += std::string(n->Level(), '-') + n->Text() + " ";
    return out;
}

// The page tree of the main window: five roots with state indexes 0..4, a sixth added later.
TEST(TreeNodes, PageTreeWithStateIndexes) {
    TTreeNodes nodes;
    const char* pages[] = {"Общие", "GPRS", "История", "Инженерные номера", "Питание"};
    for (int i = 0; i < 5; ++i)
        nodes.Add(nullptr, pages[i])->SetStateIndex(i);
    nodes.Add(nodes.GetFirstNode(), "GPS фиксация")->SetStateIndex(5);

    ASSERT_EQ(nodes.Count(), 6);
    for (int i = 0; i < nodes.Count(); ++i) {
        EXPECT_EQ(nodes.Item(i)->StateIndex(), i);
        EXPECT_EQ(nodes.Item(i)->AbsoluteIndex(), i);
        EXPECT_EQ(nodes.Item(i)->Level(), 0);
    }
    EXPECT_EQ(nodes.Item(5)->Text(), "GPS фиксация");
    EXPECT_EQ(nodes.GetFirstNode()->ImageIndex(), -1);
    nodes.Item(2)->SetStateIndex(-7);
    EXPECT_EQ(nodes.Item(2)->StateIndex(), -1) << "anything below -1 means no state image";
    EXPECT_THROW(nodes.Item(6), EListError);
    EXPECT_THROW(nodes.Item(-1), EListError);
}

TEST(TreeNodes, AddInsertAndWalk) {
    TTreeNodes nodes;
    TTreeNode* a = nodes.Add(nullptr, "a");
    TTreeNode* c = nodes.Add(a, "c");
    TTreeNode* b = nodes.Insert(c, "b");
    TTreeNode* a2 = nodes.AddChild(a, "a2");
    nodes.AddChildFirst(a, "a1");
    nodes.AddChild(a2, "a2x");
    nodes.AddFirst(a, "0");
    EXPECT_EQ(Walk(nodes), "0 a -a1 -a2 --a2x b c ");
    EXPECT_EQ(nodes.Count(), 7);
    EXPECT_EQ(a2->Index(), 1);
    EXPECT_EQ(a2->Parent(), a);
    EXPECT_EQ(nodes.Item(4)->Text(), "a2x");
    EXPECT_EQ(nodes.Item(4)->AbsoluteIndex(), 4);
    EXPECT_EQ(b->GetPrev()->Text(), "a2x");
    EXPECT_EQ(b->GetPrevSibling(), a);
    EXPECT_EQ(c->GetNext(), nullptr);

    // Only expanded nodes are walked into when walking what is shown.
    EXPECT_EQ(a->GetNextVisible(), b);
    EXPECT_FALSE(a2->IsVisible());
    nodes.FullExpand();
    EXPECT_EQ(a->GetNextVisible()->Text(), "a1");
    EXPECT_TRUE(nodes.Item(4)->IsVisible());
    nodes.FullCollapse();
    EXPECT_FALSE(a->Expanded());
    EXPECT_FALSE(a2->Expanded());
}

TEST(TreeNodes, DeletingMovesTheSelectionOutOfTheSubtree) {
    struct Case {
        const char* deleted;
        const char* selectedBefore;
        const char* selectedAfter; // "" for none
    };
    const Case cases[] = {
        {"a", "a", "b"},   // next sibling
        {"c", "c", "b"},   // previous sibling
        {"a", "a1", "b"},  // selection inside the deleted subtree
        {"a1", "a1", "a"}, // only child: the parent
        {"b", "a1", "a1"}, // elsewhere: kept
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(std::string("delete ") + k.deleted + " with " + k.selectedBefore);
        TTreeNodes nodes;
        TTreeNode* a = nodes.Add(nullptr, "a");
        nodes.AddChild(a, "a1");
        nodes.Add(a, "b");
        nodes.Add(a, "c");
        auto find = [&](const std::string& text) -> TTreeNode* {
            for (TTreeNode* n = nodes.GetFirstNode(); n; n = n->GetNext())
                if (n->Text() == text)
                    return n;
            return nullptr;
        };
        find(k.selectedBefore)->SetSelected(true);
        std::vector<std::string> told;
        nodes.Observer = [&](TTreeNodes::TChange change, TTreeNode* node) {
            if (change == TTreeNodes::TChange::Selected)
                told.push_back(node ? node->Text() : "");
        };
        find(k.deleted)->Delete();
        EXPECT_EQ(find(k.deleted), nullptr);
        const std::string after = nodes.Selected() ? nodes.Selected()->Text() : "";
        EXPECT_EQ(after, k.selectedAfter);
        if (after != k.selectedBefore) {
            EXPECT_EQ(told, std::vector<std::string>{k.selectedAfter});
        } else {
            EXPECT_TRUE(told.empty());
        }
    }
}

TEST(TreeNodes, ObserverHearsEveryChangeOnce) {
    TTreeNodes nodes;
    std::vector<std::pair<TTreeNodes::TChange, std::string>> told;
    nodes.Observer = [&](TTreeNodes::TChange change, TTreeNode* node) {
        told.emplace_back(change, node ? node->Text() : "");
    };
    TTreeNode* n = nodes.Add(nullptr, "n");
    n->SetText("n"); // unchanged: nothing
    n->SetStateIndex(3);
    n->SetStateIndex(3); // unchanged: nothing
    nodes.AddChild(n, "k");
    n->Expand(false);
    nodes.SetSelected(n);
    nodes.Clear();
    using C = TTreeNodes::TChange;
    const std::vector<std::pair<C, std::string>> expected = {
        {C::Added, "n"},    {C::Changed, "n"},  {C::Added, "k"},
        {C::Expanded, "n"}, {C::Selected, "n"}, {C::Selected, ""},
        {C::Deleting, "k"}, {C::Deleting, "n"}, {C::Cleared, ""},
    };
    EXPECT_EQ(told, expected);
    EXPECT_EQ(nodes.Count(), 0);
}

TEST(TreeNodes, AssignCopiesTheTree) {
    TTreeNodes from;
    TTreeNode* r = from.Add(nullptr, "r");
    r->SetImageIndex(2);
    r->SetSelectedIndex(3);
    r->SetStateIndex(4);
    from.AddChild(r, "c");
    r->Expand(false);
    TTreeNodes to;
    to.Add(nullptr, "old");
    to.Assign(&from);
    EXPECT_EQ(Walk(to), "r -c ");
    EXPECT_EQ(to.GetFirstNode()->ImageIndex(), 2);
    EXPECT_EQ(to.GetFirstNode()->SelectedIndex(), 3);
    EXPECT_EQ(to.GetFirstNode()->StateIndex(), 4);
    EXPECT_TRUE(to.GetFirstNode()->Expanded());
    EXPECT_NE(to.GetFirstNode(), r);
}

} // namespace
