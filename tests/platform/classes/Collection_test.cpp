#include "Fixtures.h"

#include <gtest/gtest.h>

namespace {

class TCountingCollection : public TCollection {
    Q4_CLASS(TCountingCollection, TCollection)
    TCountingCollection() : TCollection(TTestItem::StaticClass()) {}
    int updates = 0;

protected:
    void Update(TCollectionItem*) override { ++updates; }
};

} // namespace

TEST(CollectionTest, ItemsKeepOrderIdsAndMove) {
    TCountingCollection c;
    auto* a = c.Add();
    auto* b = c.Add();
    auto* d = c.Add();
    EXPECT_EQ(c.Count(), 3);
    EXPECT_EQ(a->Collection(), &c);
    EXPECT_EQ(b->Index(), 1);
    EXPECT_EQ(d->ID(), 2);

    d->SetIndex(0);
    EXPECT_EQ(c.Items(0), d);
    EXPECT_EQ(c.Items(1), a);
    EXPECT_EQ(d->ID(), 2); // the id stays with the item
    EXPECT_EQ(c.FindItemID(1), b);

    c.Delete(1); // frees a
    EXPECT_EQ(c.Count(), 2);
    EXPECT_EQ(c.Items(1), b);
    delete b; // freeing an item removes it
    EXPECT_EQ(c.Count(), 1);
    EXPECT_EQ(c.Add()->ID(), 3); // ids are not reused
    EXPECT_THROW(c.Items(5), EListError);
}

TEST(CollectionTest, UpdatesBetweenBeginAndEndAreReportedOnce) {
    TCountingCollection c;
    c.Add();
    int before = c.updates;
    c.BeginUpdate();
    c.Add();
    c.Add();
    c.Delete(0);
    EXPECT_EQ(c.updates, before);
    c.EndUpdate();
    EXPECT_EQ(c.updates, before + 1);
    c.Clear();
    EXPECT_EQ(c.updates, before + 2);
    EXPECT_EQ(c.Count(), 0);
}

TEST(CollectionTest, AssignCopiesItemByItem) {
    TCountingCollection source;
    static_cast<TTestItem*>(source.Add())->caption = "one";
    static_cast<TTestItem*>(source.Add())->value = 2;
    TCountingCollection dest;
    dest.Add();
    dest.Add();
    dest.Add();
    dest.Assign(&source);
    ASSERT_EQ(dest.Count(), 2);
    EXPECT_EQ(dest.Item<TTestItem>(0)->caption, "one");
    EXPECT_EQ(dest.Item<TTestItem>(1)->value, 2);
    TTestPen pen;
    EXPECT_THROW(dest.Assign(&pen), EConvertError);
}

TEST(CollectionTest, NamePathNamesTheOwnersProperty) {
    TTestForm form(nullptr);
    auto* w = new TTestWidget(&form);
    w->SetName("Grid");
    w->items.Add();
    auto* second = w->items.Add();
    EXPECT_EQ(w->items.GetNamePath(), "Grid.Items");
    EXPECT_EQ(second->GetNamePath(), "Grid.Items[1]");
    EXPECT_EQ(w->pen.GetNamePath(), "TTestPen");
}
