#include "platform/stdctrls/ListItems.h"

#include "platform/classes/ObjectText.h"
#include "platform/classes/Properties.h"
#include "platform/rtl/CodePage.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string Captions(const TListItems& items) {
    std::string out;
    for (int i = 0; i < items.Count(); ++i)
        out += items.Item(i)->Caption() + " ";
    return out;
}

// The history list's columns: captions and widths as the page sets them, with width limits.
TEST(ListItems, Columns) {
    TListColumns cols;
    int told = 0;
    cols.Observer = [&](TListColumn*) { ++told; };
    const std::pair<const char*, int> spec[] = {{"RID", 50},
                                                {"Тип", 70},
                                                {"Дата", 100},
                                                {"Широта", 100},
                                                {"Долгота", 100},
                                                {"Скорость", 100},
                                                {"Напряжение питания", 70},
                                                {"КС", 39},
                                                {"Запись", 613}};
    for (auto [caption, width] : spec) {
        TListColumn* c = cols.Add();
        c->SetCaption(caption);
        c->SetWidth(width);
    }
    ASSERT_EQ(cols.Count(), 9);
    EXPECT_EQ(cols.Items(1)->Caption(), "Тип");
    EXPECT_EQ(cols.Items(8)->Width(), 613);
    EXPECT_EQ(cols.Items(0)->Width(), 50);
    EXPECT_GT(told, 0);

    cols.Delete(1);
    EXPECT_EQ(cols.Items(1)->Caption(), "Дата");
    cols.Insert(0)->SetCaption("№");
    EXPECT_EQ(cols.Items(0)->Caption(), "№");
    EXPECT_EQ(cols.Items(0)->Width(), 50);

    TListColumn* c = cols.Items(0);
    c->SetMaxWidth(80);
    c->SetWidth(200);
    EXPECT_EQ(c->Width(), 80);
    c->SetMaxWidth(0);
    c->SetMinWidth(90);
    EXPECT_EQ(c->Width(), 90);
    c->SetWidth(-5);
    EXPECT_EQ(c->Width(), 90);
    EXPECT_THROW(cols.Items(20), Exception);
}

TEST(ListItems, ColumnPropertiesArePublished) {
    TListColumns cols;
    TListColumn* c = cols.Add();
    SetPropValue(c, "Caption", "Дата");
    SetPropValue(c, "Width", "100");
    SetPropValue(c, "Alignment", "taRightJustify");
    EXPECT_EQ(c->Caption(), "Дата");
    EXPECT_EQ(c->Width(), 100);
    EXPECT_EQ(c->Alignment(), taRightJustify);
    EXPECT_EQ(GetPropValue(c, "Alignment"), "taRightJustify");
    EXPECT_EQ(GetPropValue(c, "Width"), "100");
}

TEST(ListItems, ItemsWithSubItemsChecksAndImages) {
    TListItems items;
    std::vector<TListItems::TChange> told;
    items.Observer = [&](TListItems::TChange change, TListItem*) { told.push_back(change); };
    TListItem* it = items.Add();
    it->SetCaption("0001");
    it->SubItems()->Add("Пакет");
    it->SubItems()->Add("01.02.26");
    it->SetChecked(true);
    it->SetImageIndex(2);
    it->SetStateIndex(1);
    EXPECT_EQ(it->SubItems()->Count(), 2);
    EXPECT_EQ(it->SubItems()->Get(1), "01.02.26");
    EXPECT_TRUE(it->Checked());
    EXPECT_EQ(it->ImageIndex(), 2);
    EXPECT_EQ(it->StateIndex(), 1);
    using C = TListItems::TChange;
    const std::vector<C> expected = {C::Added,   C::Changed, C::Changed, C::Changed,
                                     C::Changed, C::Changed, C::Changed};
    EXPECT_EQ(told, expected);

    TListItem* first = items.Insert(0);
    first->SetCaption("0000");
    EXPECT_EQ(Captions(items), "0000 0001 ");
    EXPECT_EQ(it->Index(), 1);
    EXPECT_THROW(items.Insert(3), EListError);
    EXPECT_THROW(items.Item(2), EListError);
    items.Delete(0);
    EXPECT_EQ(it->Index(), 0);
    it->Delete();
    EXPECT_EQ(items.Count(), 0);
}

TEST(ListItems, UpdateBracketReportsOnce) {
    TListItems items;
    int told = 0;
    items.Observer = [&](TListItems::TChange change, TListItem*) {
        ++told;
        EXPECT_EQ(change, TListItems::TChange::Reset);
    };
    items.BeginUpdate();
    for (int i = 0; i < 32; ++i)
        items.Add()->SetCaption(std::to_string(i));
    items.Clear();
    items.Add();
    items.EndUpdate();
    EXPECT_EQ(told, 1);
    EXPECT_EQ(items.Count(), 1);
}

TEST(ListItems, SelectionSingleAndMulti) {
    TListItems items;
    TListItem* a = items.Add();
    TListItem* b = items.Add();
    a->SetSelected(true);
    b->SetSelected(true);
    EXPECT_FALSE(a->Selected());
    EXPECT_EQ(items.Selected(), b);
    EXPECT_EQ(items.SelCount(), 1);
    items.MultiSelect = true;
    a->SetSelected(true);
    EXPECT_EQ(items.SelCount(), 2);
    EXPECT_EQ(items.Selected(), a);
    items.Delete(0);
    EXPECT_EQ(items.Selected(), b);
}

TEST(ListItems, Sorting) {
    TListItems items;
    for (const char* c : {"в", "Б", "а", "b", "A", "б"})
        items.Add()->SetCaption(c);
    items.AlphaSort();
    // Case ignored (Cyrillic too); equal captions keep their order.
    EXPECT_EQ(Captions(items), "A b а Б б в ");

    items.CustomSort(
        [](TListItem* x, TListItem* y) { return AnsiCompareText(y->Caption(), x->Caption()); });
    EXPECT_EQ(Captions(items), "в Б б а b A ");

    // Kept sorted while the sort type asks for it, through the view's comparison when it has one.
    items.SetSortType(stText);
    EXPECT_EQ(Captions(items), "A b а Б б в ");
    items.Add()->SetCaption("Г");
    EXPECT_EQ(Captions(items), "A b а Б б в Г ");
    items.Item(0)->SetCaption("я");
    EXPECT_EQ(items.Item(items.Count() - 1)->Caption(), "я");
    items.Compare = [](TListItem* x, TListItem* y) {
        return AnsiCompareText(y->Caption(), x->Caption());
    };
    items.SetSortType(stBoth);
    EXPECT_EQ(items.Item(0)->Caption(), "я");
}

} // namespace
