#include "platform/stdctrls/Button.h"
#include "platform/stdctrls/ListView.h"
#include "platform/stdctrls/ProgressBar.h"
#include "platform/stdctrls/SpeedButton.h"
#include "platform/stdctrls/StatusBar.h"
#include "platform/stdctrls/TrackBar.h"
#include "platform/stdctrls/TreeView.h"

#include "platform/forms/Forms.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/ImageList.h"

#include "tests/support/FormFixture.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QHeaderView>
#include <QMouseEvent>
#include <QSlider>
#include <QTreeWidget>

#include <string>
#include <vector>

namespace {

using ComCtrlsTest = FormFixture;

// The page tree: nodes with state indexes, selection by program and by user, OnChange for both.
TEST_F(ComCtrlsTest, TreeViewMirrorsNodesAndReportsSelection) {
    auto* tv = Make<TTreeView>();
    std::vector<std::string> changes;
    tv->OnChange = [&](TObject*, TTreeNode* node) { changes.push_back(node ? node->Text() : "-"); };
    for (const char* page : {"Общие", "GPRS", "История"})
        tv->Items()->Add(nullptr, page)->SetStateIndex(tv->Items()->Count());
    TTreeNode* child = tv->Items()->AddChild(tv->Items()->Item(1), "APN");
    QTreeWidget* w = tv->TreeWidget(); // made after the nodes: built from them
    ASSERT_EQ(w->topLevelItemCount(), 3);
    EXPECT_EQ(w->topLevelItem(1)->text(0).toStdString(), "GPRS");
    EXPECT_EQ(w->topLevelItem(1)->child(0), tv->WidgetItem(child));
    EXPECT_EQ(tv->WidgetItem(tv->Items()->Item(0))->data(0, Qt::UserRole + 2).toInt(), 1);

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

TEST_F(ComCtrlsTest, TreeAndListIconsComeFromTheirImageLists) {
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
    tv->TreeWidget();
    EXPECT_TRUE(tv->WidgetItem(withImage)->icon(0).isNull()) << "no image list yet";
    tv->SetImages(&images);
    tv->SetStateImages(&images);
    EXPECT_FALSE(tv->WidgetItem(withImage)->icon(0).isNull());
    EXPECT_FALSE(tv->WidgetItem(withState)->icon(0).isNull());
    EXPECT_TRUE(tv->WidgetItem(bare)->icon(0).isNull());

    auto* lv = Make<TListView>();
    lv->SetViewStyle(vsReport);
    lv->Columns()->Add()->SetCaption("N");
    lv->Items()->Add()->SetImageIndex(0);
    lv->Items()->Add();
    lv->SetSmallImages(&images);
    EXPECT_FALSE(lv->TreeWidget()->topLevelItem(0)->icon(0).isNull());
    EXPECT_TRUE(lv->TreeWidget()->topLevelItem(1)->icon(0).isNull());
    tv->SetImages(nullptr);
    tv->SetStateImages(nullptr);
    lv->SetSmallImages(nullptr); // the lists go before the views in this test
}

// The history list: report style, columns with widths, items with sub-items, check boxes.
TEST_F(ComCtrlsTest, ListViewColumnsItemsAndChecks) {
    auto* lv = Make<TListView>();
    lv->SetViewStyle(vsReport);
    lv->SetRowSelect(true);
    for (auto [caption, width] :
         std::vector<std::pair<std::string, int>>{{"RID", 50}, {"Тип", 70}, {"Дата", 100}}) {
        TListColumn* c = lv->Columns()->Add();
        c->SetCaption(caption);
        c->SetWidth(width);
    }
    QTreeWidget* w = lv->TreeWidget();
    EXPECT_FALSE(w->isHeaderHidden());
    ASSERT_EQ(w->columnCount(), 3);
    EXPECT_EQ(w->headerItem()->text(1).toStdString(), "Тип");
    EXPECT_EQ(w->columnWidth(2), 100);

    TListItem* it = lv->Items()->Add();
    it->SetCaption("0001");
    it->SubItems()->Add("Пакет");
    it->SubItems()->Add("01.02.26");
    ASSERT_EQ(w->topLevelItemCount(), 1);
    EXPECT_EQ(w->topLevelItem(0)->text(2).toStdString(), "01.02.26");

    // Inserting and deleting a column keeps the header in step.
    lv->Columns()->Insert(0)->SetCaption("№");
    EXPECT_EQ(w->columnCount(), 4);
    EXPECT_EQ(w->headerItem()->text(0).toStdString(), "№");
    lv->Columns()->Delete(0);
    EXPECT_EQ(w->columnCount(), 3);

    lv->SetCheckboxes(true);
    w->topLevelItem(0)->setCheckState(0, Qt::Checked); // the user ticks the box
    EXPECT_TRUE(it->Checked());
    it->SetChecked(false);
    EXPECT_EQ(w->topLevelItem(0)->checkState(0), Qt::Unchecked);

    std::vector<std::string> selected;
    lv->OnSelectItem = [&](TObject*, TListItem* item, bool sel) {
        selected.push_back(item->Caption() + (sel ? "+" : "-"));
    };
    w->topLevelItem(0)->setSelected(true);
    EXPECT_EQ(lv->Selected(), it);
    EXPECT_EQ(selected, std::vector<std::string>{"0001+"});

    lv->Items()->BeginUpdate();
    for (int i = 0; i < 32; ++i)
        lv->Items()->Add()->SetCaption(std::to_string(i));
    lv->Items()->EndUpdate();
    EXPECT_EQ(w->topLevelItemCount(), 33);
    lv->Clear();
    EXPECT_EQ(w->topLevelItemCount(), 0);
}

TEST_F(ComCtrlsTest, ListViewSortsThroughOnCompare) {
    auto* lv = Make<TListView>();
    lv->SetViewStyle(vsReport);
    lv->Columns()->Add()->SetCaption("N");
    for (const char* c : {"10", "9", "100"})
        lv->Items()->Add()->SetCaption(c);
    lv->OnCompare = [](TObject*, TListItem* a, TListItem* b, int, int& result) {
        result = std::stoi(a->Caption()) - std::stoi(b->Caption());
    };
    lv->AlphaSort();
    QTreeWidget* w = lv->TreeWidget();
    EXPECT_EQ(w->topLevelItem(0)->text(0).toStdString(), "9");
    EXPECT_EQ(w->topLevelItem(2)->text(0).toStdString(), "100");
    lv->OnCompare = nullptr;
    lv->AlphaSort();
    EXPECT_EQ(lv->Items()->Item(0)->Caption(), "10");
}

TEST_F(ComCtrlsTest, TrackBarPositionFiresChange) {
    auto* tb = Make<TTrackBar>();
    tb->SetOrientation(trVertical);
    tb->SetMax(2500);
    tb->SetMin(1000);
    tb->SetPageSize(1);
    int changes = 0;
    tb->OnChange = [&](TObject*) { ++changes; };
    tb->SetPosition(1200);
    EXPECT_EQ(changes, 1);
    tb->SetPosition(1200);
    EXPECT_EQ(changes, 1);
    tb->SetPosition(99999);
    EXPECT_EQ(tb->Position(), 2500);
    EXPECT_EQ(changes, 2);
    QSlider* s = tb->Slider();
    EXPECT_EQ(s->value(), 2500);
    EXPECT_TRUE(s->invertedAppearance()) << "minimum at the top";
    s->setValue(1500); // the user drags the thumb
    EXPECT_EQ(tb->Position(), 1500);
    EXPECT_EQ(changes, 3);
}

TEST_F(ComCtrlsTest, ProgressBarAndStatusBar) {
    auto* pb = Make<TProgressBar>();
    pb->SetMax(50);
    pb->SetPosition(70);
    EXPECT_EQ(pb->Position(), 50);
    pb->SetStep(20);
    pb->SetPosition(40);
    pb->StepIt();
    EXPECT_EQ(pb->Position(), 9) << "wraps past Max";

    auto* sb = Make<TStatusBar>();
    for (int w : {60, 80, 120, 200})
        sb->Panels()->Add()->SetWidth(w);
    sb->Panels()->Items(0)->SetText("Com-порт:");
    EXPECT_EQ(sb->PanelRect(1).Left, 62);
    EXPECT_EQ(sb->PanelRect(2).Left, 62 + 82);
    EXPECT_EQ(sb->Width(), form->ClientWidth()) << "aligned to the bottom";
    EXPECT_EQ(sb->PanelRect(3).Right, sb->Width()) << "the last panel takes the rest";
}

// The mode buttons of the common page: one group, one down at a time.
TEST_F(ComCtrlsTest, SpeedButtonGroups) {
    auto* a = Make<TSpeedButton>();
    auto* b = Make<TSpeedButton>();
    auto* c = Make<TSpeedButton>();
    auto* own = Make<TSpeedButton>();
    for (auto* s : {a, b, c})
        s->SetGroupIndex(1);
    own->SetGroupIndex(2);
    own->SetAllowAllUp(true);
    int clicks = 0;
    b->OnClick = [&](TObject*) { ++clicks; };

    a->SetDown(true);
    EXPECT_TRUE(a->Down());
    b->SetDown(true); // setting Down fires nothing and raises the rest of the group
    EXPECT_FALSE(a->Down());
    EXPECT_TRUE(b->Down());
    EXPECT_EQ(clicks, 0);
    b->SetDown(false); // the down button stays down without AllowAllUp
    EXPECT_TRUE(b->Down());
    b->Click();
    EXPECT_TRUE(b->Down());
    EXPECT_EQ(clicks, 1);
    c->Click();
    EXPECT_TRUE(c->Down());
    EXPECT_FALSE(b->Down());

    // A toggle of its own: a click puts it down, the next raises it.
    own->Click();
    EXPECT_TRUE(own->Down());
    own->Click();
    EXPECT_FALSE(own->Down());
    EXPECT_TRUE(c->Down()) << "other groups are untouched";

    // A speed button without a group never stays down.
    auto* plain = Make<TSpeedButton>();
    plain->SetDown(true);
    EXPECT_FALSE(plain->Down());
}

TEST_F(ComCtrlsTest, BitBtnKinds) {
    auto* b = Make<TBitBtn>();
    b->SetKind(bkCancel);
    EXPECT_EQ(b->Caption(), "Cancel");
    EXPECT_EQ(b->ModalResult(), mrCancel);
    EXPECT_TRUE(b->Cancel());
    EXPECT_TRUE(b->InheritsFrom(TButton::StaticClass()));
    b->Click();
    EXPECT_EQ(form->ModalResult(), mrCancel);
    form->SetModalResult(mrNone);
}

} // namespace
