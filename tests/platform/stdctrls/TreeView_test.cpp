#include "platform/stdctrls/ListView.h"
#include "platform/stdctrls/TreeView.h"

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/ImageList.h"

#include "platform/stdctrls/StdCtrlsBridge.h"
#include "tests/support/FormFixture.h"

#include <gtest/gtest.h>

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

} // namespace
