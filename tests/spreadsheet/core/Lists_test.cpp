#include "spreadsheet/core/Crc.h"
#include "spreadsheet/core/HashTrie.h"
#include "spreadsheet/core/StrBucketList.h"
#include "spreadsheet/core/WideStringList.h"

#include "tests/support/ErrorMessage.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace {

// Items are texts; the hash is chosen by the test so that slots and levels can be forced.
struct TTextItem {
    std::string Text;
    uint32_t Hash;
};

class TTextTrie : public THashTrie {
public:
    std::vector<std::string> freed;

protected:
    uint32_t HashOf(const void* item) const override {
        return static_cast<const TTextItem*>(item)->Hash;
    }
    void FreeItem(void*& item) override {
        auto* text = static_cast<TTextItem*>(item);
        freed.push_back(text->Text);
        delete text;
        item = nullptr;
    }
    bool Equals(const void* stored, const void* key) const override {
        return static_cast<const TTextItem*>(stored)->Text ==
               static_cast<const TTextItem*>(key)->Text;
    }
};

} // namespace

// Against a map as the model, with many items in few slots so that chains split into nodes.
TEST(HashTrie, FindAndDeleteAgreeWithAModel) {
    TTextTrie trie;
    std::map<std::string, uint32_t> model;
    std::set<std::string> deleted;
    std::mt19937 random(3);
    for (int i = 0; i < 2000; ++i) {
        const std::string text = "t" + std::to_string(i);
        const uint32_t hash = (random() & 0x0303) | (i % 7 == 0 ? 0x5u : 0u);
        trie.Add(new TTextItem{text, hash}, hash);
        model[text] = hash;
    }
    for (int i = 0; i < 2000; i += 3) {
        const std::string text = "t" + std::to_string(i);
        TTextItem key{text, model[text]};
        trie.Delete(&key, key.Hash);
        deleted.insert(text);
    }
    EXPECT_EQ(trie.freed.size(), 667u);
    // Every item left is found under its hash, and none of the deleted ones.
    for (int i = 0; i < 2000; ++i) {
        const std::string text = "t" + std::to_string(i);
        TTextItem key{text, model[text]};
        const auto* found = static_cast<TTextItem*>(trie.Find(&key, key.Hash));
        EXPECT_EQ(found != nullptr, !deleted.count(text)) << text;
        EXPECT_TRUE(!found || found->Text == text) << text;
    }
    trie.Clear();
    EXPECT_EQ(trie.freed.size(), 2000u);
    TTextItem key{"t1", model["t1"]};
    EXPECT_EQ(trie.Find(&key, key.Hash), nullptr);
}

TEST(HashTrie, DeleteTakesOnlyTheFirstEqualItem) {
    TTextTrie trie;
    trie.Add(new TTextItem{"x", 1}, 1);
    trie.Add(new TTextItem{"x", 1}, 1);
    TTextItem key{"x", 1};
    trie.Delete(&key, 1);
    EXPECT_NE(trie.Find(&key, 1), nullptr);
    trie.Delete(&key, 1);
    EXPECT_EQ(trie.Find(&key, 1), nullptr);
    trie.Delete(&key, 1); // nothing left: no effect
    EXPECT_EQ(trie.freed.size(), 2u);
}

namespace {

class TNumber : public THashItem {
public:
    explicit TNumber(int v) : value(v) { hash_ = HashValue(); }
    uint32_t HashValue() override { return CRC32Bytes(&value, sizeof value); }
    bool IsEqual(const THashItem* other) const override {
        return static_cast<const TNumber*>(other)->value == value;
    }
    int value;
};

} // namespace

TEST(HashTrie, ObjectTrieFindsItemsItDoesNotOwn) {
    std::vector<std::unique_ptr<TNumber>> items;
    TObjectHashTrie trie;
    for (int i = 0; i < 100; ++i) {
        items.push_back(std::make_unique<TNumber>(i));
        trie.Add(items.back().get(), items.back()->Hash());
    }
    TNumber key(42);
    EXPECT_EQ(trie.Find(&key, key.Hash()), items[42].get());
    trie.Delete(&key, key.Hash());
    EXPECT_EQ(trie.Find(&key, key.Hash()), nullptr);
    EXPECT_EQ(items[42]->value, 42); // not released
    key.Reset();
    EXPECT_EQ(key.Hash(), 0u);
}

TEST(StrBucketList, MapsTextsToTheirPositions) {
    TXLSStringBucketList list{u"none", u"solid", u"Solid", u"\u0436"};
    intptr_t data = -1;
    EXPECT_TRUE(list.Find(u"Solid", data));
    EXPECT_EQ(data, 2);
    EXPECT_TRUE(list.Find(u"\u0436", data));
    EXPECT_EQ(data, 3);
    EXPECT_FALSE(list.Find(u"SOLID", data)); // case-sensitive
    EXPECT_EQ(list.BucketCount(), 256);
}

TEST(StrBucketList, ManyTextsInOneList) {
    TXLSStringBucketList list;
    for (int i = 0; i < 3000; ++i) {
        const std::string s = std::to_string(i);
        list.Add(std::u16string(s.begin(), s.end()), i);
    }
    intptr_t data = -1;
    EXPECT_TRUE(list.Find(u"2999", data));
    EXPECT_EQ(data, 2999);
    list.Clear();
    EXPECT_FALSE(list.Find(u"2999", data));
    list.Add(u"2999", 5);
    EXPECT_TRUE(list.Find(u"2999", data));
    EXPECT_EQ(data, 5);
}

TEST(StrBucketList, Errors) {
    EXPECT_EQ(ErrorMessage<EListError>([] {
                  TXLSStringBucketList list{u"a", u"a"};
              }),
              "Duplicate Item");
    TXLSStringBucketList list{u"a"};
    list.Locked = true;
    EXPECT_EQ(ErrorMessage<EListError>([&] { list.Add(u"b", 1); }), "Bucket List Locked");
    EXPECT_EQ(ErrorMessage<EListError>([&] { list.Clear(); }), "Bucket List Locked");
    intptr_t data;
    EXPECT_TRUE(list.Find(u"a", data));
    EXPECT_FALSE(list.Find(u"b", data));
}

TEST(WideStringList, ChangeEventsAndIndexes) {
    TXLSWideStringList list;
    int changes = 0;
    list.OnChange = [&](TXLSWideStringList* sender) {
        EXPECT_EQ(sender, &list);
        ++changes;
    };
    EXPECT_EQ(list.Add(u"a"), 0);
    EXPECT_EQ(changes, 1);
    list.SetStrings(1, u"b"); // append: Add and the write both fire
    EXPECT_EQ(changes, 3);
    list.SetStrings(0, u"c");
    EXPECT_EQ(changes, 4);
    EXPECT_EQ(list.Strings(0), u"c");
    EXPECT_EQ(list.Strings(1), u"b");
    EXPECT_EQ(ErrorMessage([&] { list.SetStrings(3, u"x"); }), "Index out of range");
    EXPECT_EQ(ErrorMessage([&] { list.SetStrings(-1, u"x"); }), "Index out of range");
    EXPECT_THROW(list.Strings(2), EListError);
    EXPECT_EQ(changes, 4);
    list.SuppressChange = true;
    list.Clear();
    EXPECT_EQ(changes, 4);
    EXPECT_EQ(list.Count(), 0);
}
