#include "controls/tree/FrTreeView.h"
#include "platform/stdctrls/Edit.h"
#include "tests/controls/support/ViewTestSupport.h"

#include <gtest/gtest.h>

#include <QContextMenuEvent>
#include <QMouseEvent>

#include <string>
#include <vector>

namespace {

using namespace viewtest;

constexpr TColor kPageFrame = 0xB99D7F; // RGB (127, 157, 185)

class FrTreeViewTest : public ViewFixture {
protected:
    // The main window's page tree: framed, read-only, no root lines, dotted selection outline.
    TFrTreeView* PageTree() {
        auto* t = MakeWithWidget<TFrTreeView>();
        t->SetBounds(10, 10, 180, 160);
        t->SetFrameColor(kPageFrame);
        t->SetFrameVisible(true);
        t->SetReadOnly(true);
        t->SetShowRoot(false);
        t->SetToolTips(false);
        t->SelectionPen()->SetColor(clActiveCaption);
        t->SelectionPen()->SetStyle(psDot);
        TTreeNodes* n = t->Items();
        TTreeNode* settings = n->Add(nullptr, "Настройки");
        n->AddChild(settings, "Общие");
        n->AddChild(settings, "GPRS");
        n->AddChild(settings, "Телефоны");
        TTreeNode* history = n->Add(nullptr, "История");
        n->AddChild(history, "Трек");
        return t;
    }
    // The right mouse button pressed and let go at a client point, with the context-menu
    // request Qt sends in between.
    static void RightClickAt(TWinControl* c, int x, int y) {
        QWidget* viewport = ViewportOf(c);
        const QPointF at(x, y);
        QMouseEvent press(QEvent::MouseButtonPress, at, at, Qt::RightButton, Qt::RightButton,
                          Qt::NoModifier);
        QApplication::sendEvent(viewport, &press);
        QContextMenuEvent menu(QContextMenuEvent::Mouse, QPoint(x, y),
                               viewport->mapToGlobal(QPoint(x, y)));
        QApplication::sendEvent(viewport, &menu);
        QMouseEvent release(QEvent::MouseButtonRelease, at, at, Qt::RightButton, Qt::NoButton,
                            Qt::NoModifier);
        QApplication::sendEvent(viewport, &release);
    }
};

TEST_F(FrTreeViewTest, PageTreeRingAndDisabledColours) {
    TFrTreeView* tree = PageTree();
    tree->ExpandAllNodes();
    QImage image = Grab(tree);
    EXPECT_EQ(RingColor(image, 0), ColorToRGB(kPageFrame));
    EXPECT_EQ(RingColor(image, 1), ColorToRGB(clWindow));
    EXPECT_EQ(At(image, 170, 150), ColorToRGB(clWindow));
    Snapshot(image);

    tree->SetEnabled(false); // the page tree while the unit is read
    EXPECT_EQ(tree->Color(), clBtnFace);
    image = Grab(tree);
    EXPECT_EQ(At(image, 170, 150), ColorToRGB(clBtnFace));
    EXPECT_EQ(RingColor(image, 1), ColorToRGB(clBtnFace)); // the face under the frame
    EXPECT_FALSE(Stores(StoredLines(tree), "Color"));
    tree->SetEnabled(true);
    EXPECT_EQ(tree->Color(), clWindow);
    EXPECT_EQ(At(Grab(tree), 170, 150), ColorToRGB(clWindow));
}

TEST_F(FrTreeViewTest, ExpandAllNodesKeepsTheSelection) {
    TFrTreeView* tree = PageTree();
    TTreeNode* history = tree->Items()->Root(1);
    tree->SetSelected(history->Item(0)); // its parent is collapsed
    tree->SetAutoSelect(true);
    tree->ExpandAllNodes();
    EXPECT_TRUE(tree->Items()->Root(0)->Expanded());
    EXPECT_TRUE(history->Expanded());
    EXPECT_EQ(tree->Selected(), history->Item(0));
    EXPECT_TRUE(tree->AutoSelect());

    // Outside ExpandAllNodes, expanding or collapsing a node selects it.
    tree->Items()->Root(0)->Collapse(false);
    EXPECT_EQ(tree->Selected(), tree->Items()->Root(0));
    history->Collapse(false);
    EXPECT_EQ(tree->Selected(), history);
    tree->SetAutoSelect(false);
    tree->Items()->Root(0)->Expand(false);
    EXPECT_EQ(tree->Selected(), history);
}

TEST_F(FrTreeViewTest, AutoSelectAndAutoExpandExcludeEachOther) {
    auto* tree = Make<TFrTreeView>();
    tree->SetAutoSelect(true);
    tree->SetAutoExpand(true);
    EXPECT_TRUE(tree->AutoExpand());
    EXPECT_FALSE(tree->AutoSelect());
    tree->SetAutoSelect(true);
    EXPECT_TRUE(tree->AutoSelect());
    EXPECT_FALSE(tree->AutoExpand());
}

// While the tree has no focus and shows its selection, the selected node's text is outlined in
// the selection pen.
TEST_F(FrTreeViewTest, SelectionOutlineWhileUnfocused) {
    auto* other = MakeWithWidget<TEdit>();
    TFrTreeView* tree = PageTree();
    tree->ExpandAllNodes();
    tree->SetSelected(tree->Items()->Root(0)->Item(1));
    const TRect text = tree->NodeDisplayRect(tree->Selected(), true);
    ASSERT_GT(text.Width(), 0);
    const int y = text.Top + 2; // client to window: the border is 2 pixels
    auto outlined = [&](const QImage& image) {
        int dots = 0;
        for (int x = text.Left + 2; x < text.Right + 2; ++x)
            dots += At(image, x, y) == ColorToRGB(clActiveCaption) ? 1 : 0;
        return dots;
    };
    other->SetFocus();
    EXPECT_EQ(outlined(Grab(tree)), 0); // the selection is hidden
    tree->SetHideSelection(false);
    QImage image = Grab(tree);
    const int dots = outlined(image);
    EXPECT_GT(dots, text.Width() / 3); // dotted: about every other pixel
    EXPECT_LT(dots, text.Width() * 2 / 3 + 2);
    Snapshot(image);
    tree->SetFocus();
    EXPECT_EQ(outlined(Grab(tree)), 0);
}

// Shift+F10 and the context-menu key: at the selected node's text, or without one the tree's
// own menu at its top-left corner.
TEST_F(FrTreeViewTest, KeyboardContextMenu) {
    TFrTreeView* tree = PageTree();
    auto* popup = new TPopupMenu(form);
    tree->SetPopupMenu(popup);
    std::vector<TPoint> shownAt;
    auto old = SetPopupMenuHook([&](TPopupMenu* m, int x, int y) {
        EXPECT_EQ(m->PopupComponent(), tree);
        shownAt.push_back({x, y});
        return nullptr;
    });
    std::vector<TTreeNode*> asked;
    tree->OnNodeContextMenu = [&](TObject*, TTreeNode* node, TPoint&, TPopupMenu*&) {
        asked.push_back(node);
    };
    tree->SetFocus();
    QKeyEvent shiftF10(QEvent::KeyPress, Qt::Key_F10, Qt::ShiftModifier);
    QApplication::sendEvent(tree->Handle(), &shiftF10);
    tree->SetSelected(tree->Items()->Root(1));
    SendKey(tree->Handle(), Qt::Key_Menu);
    SetPopupMenuHook(old);
    ASSERT_EQ(shownAt.size(), 2u);
    const TPoint origin = tree->ClientToScreen({0, 0});
    EXPECT_EQ(shownAt[0].X, origin.X);
    EXPECT_EQ(shownAt[0].Y, origin.Y);
    const TRect r = tree->NodeDisplayRect(tree->Items()->Root(1), true);
    const TPoint centre = tree->ClientToScreen({(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2});
    EXPECT_EQ(shownAt[1].X, centre.X);
    EXPECT_EQ(shownAt[1].Y, centre.Y);
    EXPECT_EQ(asked, std::vector<TTreeNode*>{tree->Items()->Root(1)}); // only with a node
}

// A right click offers the node under the pointer, once, and leaves the selection alone unless
// RightClickSelect; the handler may swap the menu or show none.
TEST_F(FrTreeViewTest, RightClickNodeContextMenu) {
    TFrTreeView* tree = PageTree();
    auto* popup = new TPopupMenu(form);
    auto* other = new TPopupMenu(form);
    tree->SetPopupMenu(popup);
    tree->SetSelected(tree->Items()->Root(0));
    std::vector<TPopupMenu*> shown;
    auto old = SetPopupMenuHook([&](TPopupMenu* m, int, int) {
        shown.push_back(m);
        return nullptr;
    });
    TTreeNode* offered = nullptr;
    TPopupMenu* swapTo = other;
    tree->OnNodeContextMenu = [&](TObject*, TTreeNode* node, TPoint&, TPopupMenu*& menu) {
        offered = node;
        menu = swapTo;
    };
    const TRect second = tree->NodeDisplayRect(tree->Items()->Root(1), false);
    RightClickAt(tree, second.Left + 20, second.Top + 3);
    EXPECT_EQ(offered, tree->Items()->Root(1));
    EXPECT_EQ(shown, std::vector<TPopupMenu*>{other});
    EXPECT_EQ(tree->Selected(), tree->Items()->Root(0));

    swapTo = nullptr; // no menu at all
    RightClickAt(tree, second.Left + 20, second.Top + 3);
    EXPECT_EQ(shown.size(), 1u);

    swapTo = popup;
    tree->SetRightClickSelect(true);
    RightClickAt(tree, second.Left + 20, second.Top + 3);
    EXPECT_EQ(tree->Selected(), tree->Items()->Root(1));
    EXPECT_EQ(shown.size(), 2u);
    SetPopupMenuHook(old);
}

// Partial wheel deltas add up to notches of three rows; up at the top stays at the top.
TEST_F(FrTreeViewTest, WheelScrollsRowsByWholeNotches) {
    auto* tree = MakeWithWidget<TFrTreeView>();
    tree->SetBounds(10, 10, 150, 100);
    for (int i = 0; i < 40; ++i)
        tree->Items()->Add(nullptr, "узел " + std::to_string(i));
    Grab(tree); // laid out and shown
    for (int i = 0; i < 7; ++i)
        SendWheel(tree, -15);
    EXPECT_EQ(tree->ScrollPos(), 0);
    SendWheel(tree, -15);
    EXPECT_EQ(tree->ScrollPos(), 3);
    SendWheel(tree, -240);
    EXPECT_EQ(tree->ScrollPos(), 9);
    SendWheel(tree, 120 * 5);
    EXPECT_EQ(tree->ScrollPos(), 0);
}

TEST_F(FrTreeViewTest, PageTreeDescriptionReadsAndWritesBack) {
    auto* tree = Make<TFrTreeView>();
    ReadComponentDescription(R"(object tv1: TFrTreeView
  Left = 0
  Top = 0
  Width = 180
  Height = 300
  FrameColor = 12164479
  FrameVisible = True
  Indent = 19
  ReadOnly = True
  SelectionPen.Color = clActiveCaption
  SelectionPen.Style = psDot
  ShowRoot = False
  ToolTips = False
  FrameFlatStyle = fsRaised
end
)",
                             tree);
    EXPECT_TRUE(tree->FrameVisible());
    EXPECT_EQ(tree->FrameColor(), kPageFrame);
    EXPECT_EQ(tree->SelectionPen()->Color(), clActiveCaption);
    EXPECT_EQ(tree->SelectionPen()->Style(), psDot);
    EXPECT_FALSE(tree->ShowRoot());
    const std::vector<std::string> lines = StoredLines(tree);
    for (const char* p : {"FrameColor", "FrameVisible", "ReadOnly", "SelectionPen.Color",
                          "SelectionPen.Style", "ShowRoot", "ToolTips"})
        EXPECT_TRUE(Stores(lines, p)) << p;
    for (const char* p : {"Color", "FocusColor", "AutoSelect", "PathDelimiter", "TabStop",
                          "ParentColor", "FrameFlatStyle", "About"})
        EXPECT_FALSE(Stores(lines, p)) << p;
}

} // namespace
