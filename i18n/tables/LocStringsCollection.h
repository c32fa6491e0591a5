#pragma once
// The localiser's string tables: copies of its Strings list (identifier, one text per language)
// kept sorted for fast look-up, by identifier (the user string table) or by the text of one
// language (the resource string table).

#include "platform/classes/Collection.h"
#include "platform/rtl/Classes.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

// What the tables ask of the localiser that owns them.
class TLocStringTableHost {
public:
    virtual ~TLocStringTableHost() = default;
    virtual bool StoreAsUTF8() const = 0;
    virtual uint8_t LanguageCharSet(int language) = 0;
    // The test-mode distortion of a text, when the localiser's dispatcher has test mode on;
    // false otherwise.
    virtual bool TestModeText(const std::string& text, std::string& distorted) = 0;
};

// A collection that sorts its items with its own quicksort.
class TLocSortCollection : public TCollection {
    Q4_CLASS(TLocSortCollection, TCollection)
    using TCompare = std::function<int(TCollectionItem* a, TCollectionItem* b)>;
    using TCollection::TCollection;

    // Sorts inside one update bracket; nothing for an empty collection.
    void SortItems(const TCompare& compare);

protected:
    virtual void QuickSortRange(int low, int high, const TCompare& compare);
};

class TLocStringsCollectionItem : public TCollectionItem {
    Q4_CLASS(TLocStringsCollectionItem, TCollectionItem)
    using TCollectionItem::TCollectionItem;

    std::string StringName;
    TStringList Texts; // one line per language, language 1 first
    // The text of a language (from 1); empty when the item has none.
    std::string Text(int language) const;
};

class TLocStringsCollection : public TLocSortCollection {
    Q4_CLASS(TLocStringsCollection, TLocSortCollection)
    explicit TLocStringsCollection(TPersistent* owner = nullptr,
                                   TLocStringTableHost* host = nullptr);

    TLocStringsCollectionItem* Add() {
        return static_cast<TLocStringsCollectionItem*>(TCollection::Add());
    }
    TLocStringsCollectionItem* Items(int index) const {
        return static_cast<TLocStringsCollectionItem*>(TCollection::Items(index));
    }
    // 0: sorted by name; k >= 1: by the text of language k.
    int SortID() const { return sortID_; }
    void SetSortID(int value) { sortID_ = value; }
    int IndexOfName(std::string_view name) const;
    void Sort();

    // The text of language L of the item named Name (table sorted by name); empty when none.
    std::string TextByName(std::string_view name, int language);
    // The language-L text of the item whose language-SortID text is Text (table sorted by that
    // language); Text itself when there is none.
    std::string TranslateText(const std::string& text, int language);

private:
    // Bisection over the sorted items: the index of the item whose key equals `key`, or -1.
    int Search(const std::function<int(const TLocStringsCollectionItem*)>& compareToKey) const;
    std::string FromStored(std::string text, int language);

    TLocStringTableHost* host_;
    int sortID_ = 0;
};

// The table rebuilt from Strings entries (key, delimiter, texts), sorted by sortID.
void BuildStringTable(TLocStringsCollection& table, const TStrings& strings, int numLanguages,
                      char delimiter, int sortID);
// Every entry padded with delimiters up to numLanguages + 1 of them.
void PadEntries(TStrings& list, int numLanguages, char delimiter);
