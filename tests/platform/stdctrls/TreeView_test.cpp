#include "platform/stdctrls/ListView.h"
#include "platform/stdctrls/TreeView.h"

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/ImageList.h"

#include "platform/stdctrls/StdCtrlsBridge.h"
#include "tests/support/FormFixture.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTreeWidget>

#include <string>
#include <vector>

namespace {

using TreeViewTest = FormFixture;

// The page tree: nodes with state indexes, selection by program and by user, OnChange for both.
TEST_F(TreeViewTest, TreeViewMirrorsNodesAndReportsSelection) {
    auto* tv = Make<TTreeView>();
    std::vector<std::string> changes;
    tv->OnChange = [&](TObject*, TTreeNode* node) { changes.push_back(node ? node->Text() : "-"); };
    for (const char* page : {"Общие", "GPRS", "История"})
        tv->Items()->Add(nullptr, page)->SetStateIndex(tv->Items()->Count());
    TTreeNode* child = tv->Items()->AddChild(tv->Items()->Item(1), "APN");
    QTreeWidget* w = WidgetOf(tv); // made after the nodes: built from them
    ASSERT_EQ(w->topLevelItemCount(), 3);
    EXPECT_EQ(w->topLevelItem(1)->text(0).toStdString(), "GPRS");
    EXPECT_EQ(w->topLevelItem(1)->child(0), WidgetItemOf(tv, child));
    EXPECT_EQ(WidgetItemOf(tv, tv->Items()->Item(0))->data(0, Qt::UserRole + 2).toInt(), 1);

    tv->Items()->Add(nullptr, "GPS фиксация")->SetStateIndex(5); // added with the widget in place
    ASSERT_EQ(w->topLevelItemCount(), 4);
    EXPECT_EQ(w->topLevelItem(3)->data(0, Qt::UserRole + 2).toInt(), 5);

    tv->SetSelected(tv->Items()->Item(0));
    EXPECT_EQ(w->currentItem(), w->topLevelItem(0));
    w->setCurrentItem(w->topLevelItem(2)); // as a user's click does
    EXPECT_EQ(tv->Selected()->Text(), "История");
    tv->Items()->Item(0)->SetText("Общие настройки");
    EXPECT_EQ(w->topLevelItem(0)->text(0).toStdString(), "Общие настройки");

    tv->FullExpand();
    EXPECT_TRUE(w->topLevelItem(1)->isExpanded());
    tv->Selected()->Delete();
    EXPECT_EQ(w->topLevelItemCount(), 4 - 1);
    EXPECT_EQ(changes, (std::vector<std::string>{"Общие", "История", "GPS фиксация"}));
}

TEST_F(TreeViewTest, TreeAndListIconsComeFromTheirImageLists) {
    TImageList images(16, 16);
    TBitmap strip(32, 16);
    images.Add(strip, nullptr);
    auto* tv = Make<TTreeView>();
    TTreeNode* withImage = tv->Items()->Add(nullptr, "a");
    withImage->SetImageIndex(1);
    TTreeNode* withState = tv->Items()->Add(nullptr, "b");
    withState->SetStateIndex(0);
    TTreeNode* bare = tv->Items()->Add(nullptr, "c");
    bare->SetImageIndex(7); // outside the list
    WidgetOf(tv);
    EXPECT_TRUE(WidgetItemOf(tv, withImage)->icon(0).isNull()) << "no image list yet";
    tv->SetImages(&images);
    tv->SetStateImages(&images);
    EXPECT_FALSE(WidgetItemOf(tv, withImage)->icon(0).isNull());
    EXPECT_FALSE(WidgetItemOf(tv, withState)->icon(0).isNull());
    EXPECT_TRUE(WidgetItemOf(tv, bare)->icon(0).isNull());

    auto* lv = Make<TListView>();
    lv->SetViewStyle(vsReport);
    lv->Columns()->Add()->SetCaption("N");
    lv->Items()->Add()->SetImageIndex(0);
    lv->Items()->Add();
    lv->SetSmallImages(&images);
    EXPECT_FALSE(WidgetOf(lv)->topLevelItem(0)->icon(0).isNull());
    EXPECT_TRUE(WidgetOf(lv)->topLevelItem(1)->icon(0).isNull());
    tv->SetImages(nullptr);
    tv->SetStateImages(nullptr);
    lv->SetSmallImages(nullptr); // the lists go before the views in this test
}

// AutoExpand: the node selected opens, and the branch selected before closes unless it leads to
// the new node.
TEST_F(TreeViewTest, AutoExpandOpensTheSelectedBranch) {
    auto* tv = MakeWithWidget<TTreeView>();
    TTreeNodes* n = tv->Items();
    TTreeNode* settings = n->Add(nullptr, "Настройки");
    TTreeNode* gprs = n->AddChild(settings, "GPRS");
    n->AddChild(gprs, "APN");
    TTreeNode* history = n->Add(nullptr, "История");
    n->AddChild(history, "Трек");
    std::vector<std::string> expanded;
    tv->OnExpanded = [&](TObject*, TTreeNode* node) { expanded.push_back(node->Text()); };
    tv->SetAutoExpand(true);
    tv->SetSelected(settings);
    tv->SetSelected(gprs); // inside: settings stays open
    EXPECT_TRUE(settings->Expanded());
    EXPECT_TRUE(gprs->Expanded());
    tv->SetSelected(history);
    EXPECT_TRUE(history->Expanded());
    EXPECT_FALSE(gprs->Expanded());
    EXPECT_TRUE(settings->Expanded()); // it did not lead to GPRS's selection last
    EXPECT_EQ(expanded, (std::vector<std::string>{"Настройки", "GPRS", "История"}));
    tv->SetAutoExpand(false);
    tv->SetSelected(gprs);
    EXPECT_FALSE(gprs->Expanded());
}

TEST_F(TreeViewTest, NodeGeometryAndScrolling) {
    auto* tv = MakeWithWidget<TTreeView>();
    tv->SetBounds(0, 0, 160, 90);
    TTreeNode* first = tv->Items()->Add(nullptr, "Настройки");
    TTreeNode* hidden = tv->Items()->AddChild(first, "GPRS");
    for (int i = 0; i < 30; ++i)
        tv->Items()->Add(nullptr, "узел " + std::to_string(i));
    QApplication::processEvents();
    const TRect row = tv->NodeDisplayRect(first, false);
    const TRect text = tv->NodeDisplayRect(first, true);
    EXPECT_GT(row.Width(), text.Width());
    EXPECT_GE(text.Left, row.Left);
    EXPECT_EQ(text.Top, row.Top);
    EXPECT_GT(text.Width(), 40);
    EXPECT_EQ(tv->GetNodeAt((text.Left + text.Right) / 2, (text.Top + text.Bottom) / 2), first);
    EXPECT_EQ(tv->NodeDisplayRect(hidden, false).Width(), 0); // inside a collapsed node
    EXPECT_EQ(tv->GetNodeAt(5, 2000), nullptr);
    tv->SetScrollPos(4);
    EXPECT_EQ(tv->ScrollPos(), 4);
    const TRect top = tv->NodeDisplayRect(tv->Items()->Root(4), false);
    EXPECT_EQ(top.Top, 0); // the fifth root is the first row shown
}

} // namespace
