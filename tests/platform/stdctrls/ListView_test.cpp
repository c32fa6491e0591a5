#include "platform/stdctrls/ListView.h"

#include "platform/stdctrls/StdCtrlsBridge.h"
#include "tests/support/FormFixture.h"

#include <gtest/gtest.h>

#include <QTreeWidget>

#include <string>
#include <vector>

namespace {

using ListViewTest = FormFixture;

// The history list: report style, columns with widths, items with sub-items, check boxes.
TEST_F(ListViewTest, ListViewColumnsItemsAndChecks) {
    auto* lv = Make<TListView>();
    lv->SetViewStyle(vsReport);
    lv->SetRowSelect(true);
    for (auto [caption, width] :
         std::vector<std::pair<std::string, int>>{{"RID", 50}, {"Тип", 70}, {"Дата", 100}}) {
        TListColumn* c = lv->Columns()->Add();
        c->SetCaption(caption);
        c->SetWidth(width);
    }
    QTreeWidget* w = WidgetOf(lv);
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

TEST_F(ListViewTest, ListViewSortsThroughOnCompare) {
    auto* lv = Make<TListView>();
    lv->SetViewStyle(vsReport);
    lv->Columns()->Add()->SetCaption("N");
    for (const char* c : {"10", "9", "100"})
        lv->Items()->Add()->SetCaption(c);
    lv->OnCompare = [](TObject*, TListItem* a, TListItem* b, int, int& result) {
        result = std::stoi(a->Caption()) - std::stoi(b->Caption());
    };
    lv->AlphaSort();
    QTreeWidget* w = WidgetOf(lv);
    EXPECT_EQ(w->topLevelItem(0)->text(0).toStdString(), "9");
    EXPECT_EQ(w->topLevelItem(2)->text(0).toStdString(), "100");
    lv->OnCompare = nullptr;
    lv->AlphaSort();
    EXPECT_EQ(lv->Items()->Item(0)->Caption(), "10");
}

} // namespace
