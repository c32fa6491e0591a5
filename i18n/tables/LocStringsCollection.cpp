#include "i18n/tables/LocStringsCollection.h"

#include "i18n/text/LocCharSets.h"
#include "i18n/text/LocText.h"

// --- TLocSortCollection
// ---------------------------------------------------------------------------

void TLocSortCollection::SortItems(const TCompare& compare) {
    if (Count() == 0)
        return;
    BeginUpdate();
    try {
        QuickSortRange(0, Count() - 1, compare);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TLocSortCollection::QuickSortRange(int low, int high, const TCompare& compare) {
    int i = low;
    do {
        i = low;
        int j = high;
        TCollectionItem* pivot = TCollection::Items((low + high) / 2);
        do {
            while (compare(TCollection::Items(i), pivot) < 0)
                ++i;
            while (compare(TCollection::Items(j), pivot) > 0)
                --j;
            if (i <= j) {
                if (i != j)
                    Exchange(i, j);
                ++i;
                --j;
            }
        } while (i <= j);
        if (low < j)
            QuickSortRange(low, j, compare);
        low = i;
    } while (i < high);
}

// --- TLocStringsCollectionItem
// --------------------------------------------------------------------

std::string TLocStringsCollectionItem::Text(int language) const {
    return language >= 1 && language <= Texts.Count() ? Texts.Get(language - 1) : std::string();
}

// --- TLocStringsCollection
// ------------------------------------------------------------------------

TLocStringsCollection::TLocStringsCollection(TPersistent* owner, TLocStringTableHost* host)
    : TLocSortCollection(TLocStringsCollectionItem::StaticClass(), owner), host_(host) {}

int TLocStringsCollection::IndexOfName(std::string_view name) const {
    for (int i = 0; i < Count(); ++i)
        if (CompareTextLocale(Items(i)->StringName, name) == 0)
            return i;
    return -1;
}

void TLocStringsCollection::Sort() {
    const int id = sortID_;
    if (id == 0) {
        SortItems([](TCollectionItem* a, TCollectionItem* b) {
            return CompareTextLocale(static_cast<TLocStringsCollectionItem*>(a)->StringName,
                                     static_cast<TLocStringsCollectionItem*>(b)->StringName);
        });
    } else {
        SortItems([id](TCollectionItem* a, TCollectionItem* b) {
            return CompareStrLocale(static_cast<TLocStringsCollectionItem*>(a)->Text(id),
                                    static_cast<TLocStringsCollectionItem*>(b)->Text(id));
        });
    }
}

int TLocStringsCollection::Search(
    const std::function<int(const TLocStringsCollectionItem*)>& compareToKey) const {
    if (Count() == 0)
        return -1;
    int lo = 0, hi = Count() - 1;
    do {
        const int m = (lo + hi) / 2;
        const int c = compareToKey(Items(m));
        if (c == 0)
            return m;
        if (c < 0) {
            if (lo == m) {
                if (m + 1 < Count() && compareToKey(Items(m + 1)) == 0)
                    return m + 1;
                return -1;
            }
            lo = m;
        } else {
            hi = m;
        }
    } while (lo < hi);
    return -1;
}

std::string TLocStringsCollection::FromStored(std::string text, int language) {
    if (!text.empty() && host_ && host_->StoreAsUTF8())
        return Utf8ToAnsiByCharSet(text, host_->LanguageCharSet(language));
    return text;
}

std::string TLocStringsCollection::TextByName(std::string_view name, int language) {
    int at = Search([&](const TLocStringsCollectionItem* item) {
        return CompareTextLocale(item->StringName, name);
    });
    return at < 0 ? std::string() : FromStored(Items(at)->Text(language), language);
}

std::string TLocStringsCollection::TranslateText(const std::string& text, int language) {
    const int id = sortID_;
    int at = Search([&](const TLocStringsCollectionItem* item) {
        return CompareStrLocale(item->Text(id), text);
    });
    if (at < 0)
        return text;
    const TLocStringsCollectionItem* item = Items(at);
    std::string result = item->Text(language);
    std::string distorted;
    if (result.empty() && language > 1 && host_ && host_->TestModeText(item->Text(1), distorted))
        result = distorted;
    return FromStored(std::move(result), language);
}

void BuildStringTable(TLocStringsCollection& table, const TStrings& strings, int numLanguages,
                      char delimiter, int sortID) {
    table.BeginUpdate();
    table.Clear();
    for (int i = 0; i < strings.Count(); ++i) {
        const std::string line = strings.Get(i);
        TLocStringsCollectionItem* item = table.Add();
        item->StringName = GetField(line, delimiter, 0);
        for (int l = 1; l <= numLanguages; ++l)
            item->Texts.Add(GetField(line, delimiter, l));
    }
    table.EndUpdate();
    table.SetSortID(sortID);
    table.Sort();
}

void PadEntries(TStrings& list, int numLanguages, char delimiter) {
    const std::string_view delim(&delimiter, 1);
    for (int i = 0; i < list.Count(); ++i) {
        std::string line = list.Get(i);
        const int d = CountDelimiters(line, delim);
        if (numLanguages >= d) {
            line.append(static_cast<size_t>(numLanguages - d + 1), delimiter);
            list.Put(i, line);
        }
    }
}
