#pragma once
// Lists: TList of untyped pointers, and the string lists TStrings / TStringList.

#include "platform/rtl/Events.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

class TEncoding;
class TStream;

// --- TList ---------------------------------------------------------------------------------------

enum TListNotification { lnAdded, lnExtracted, lnDeleted };

// A list of pointers. Index errors raise EListError "List index out of bounds (<index>)".
class TList {
public:
    using TListSortCompare = std::function<int(void* a, void* b)>;

    TList() = default;
    virtual ~TList();
    TList(const TList&) = delete;
    TList& operator=(const TList&) = delete;

    int Count() const { return static_cast<int>(items_.size()); }
    void* Get(int index) const;
    void Put(int index, void* item);
    void* operator[](int index) const { return Get(index); }
    void* First() const { return Get(0); }
    void* Last() const { return Get(Count() - 1); }
    int Capacity() const { return static_cast<int>(items_.capacity()); }
    void SetCapacity(int capacity);
    const std::vector<void*>& List() const { return items_; }

    int Add(void* item);
    void Insert(int index, void* item);
    void Delete(int index);
    // Removes the first occurrence; returns its former index or -1.
    int Remove(void* item);
    // Removes `item` without the deletion notice; returns it, or null when absent.
    void* Extract(void* item);
    void Clear();
    int IndexOf(void* item) const;
    void Exchange(int index1, int index2);
    void Move(int curIndex, int newIndex);
    // Removes every null item.
    void Pack();
    void Sort(const TListSortCompare& compare);

protected:
    // Told about every item that joins or leaves the list (TObjectList frees deleted ones).
    virtual void Notify(void* item, TListNotification action);

private:
    void Check(int index) const;
    std::vector<void*> items_;
};

// --- TStrings ------------------------------------------------------------------------------------

// An ordered list of strings, each with an optional object pointer. Name=Value lines, Text
// (lines joined with LineBreak, CR LF by default), CommaText and DelimitedText.
class TStrings {
public:
    TStrings() = default;
    virtual ~TStrings() = default;
    TStrings(const TStrings&) = delete;
    TStrings& operator=(const TStrings&) = delete;

    // --- the storage a descendant provides
    virtual int Count() const = 0;
    virtual std::string Get(int index) const = 0;
    virtual void Put(int index, const std::string& s);
    virtual TObject* GetObject(int index) const;
    virtual void PutObject(int index, TObject* object);
    virtual void Insert(int index, const std::string& s) = 0;
    virtual void Delete(int index) = 0;
    virtual void Clear() = 0;

    std::string operator[](int index) const { return Get(index); }
    std::string Strings(int index) const { return Get(index); }
    TObject* Objects(int index) const { return GetObject(index); }

    virtual int Add(const std::string& s);
    virtual int AddObject(const std::string& s, TObject* object);
    void InsertObject(int index, const std::string& s, TObject* object);
    void AddStrings(const TStrings& strings);
    void AddStrings(const std::vector<std::string>& strings);
    // Replaces the contents with those of `source` (strings and objects).
    virtual void Assign(const TStrings& source);
    virtual void Exchange(int index1, int index2);
    virtual void Move(int curIndex, int newIndex);
    virtual int IndexOf(std::string_view s) const;
    int IndexOfName(std::string_view name) const;
    int IndexOfObject(const TObject* object) const;
    bool Equals(const TStrings& other) const;
    std::vector<std::string> ToVector() const;

    // --- Name=Value
    std::string Names(int index) const;
    std::string ValueFromIndex(int index) const;
    void SetValueFromIndex(int index, const std::string& value);
    std::string Values(std::string_view name) const;
    // Setting an empty value removes the line.
    void SetValue(std::string_view name, const std::string& value);
    char NameValueSeparator() const { return nameValueSeparator_; }
    void SetNameValueSeparator(char c) { nameValueSeparator_ = c; }

    // --- whole-text forms
    virtual std::string Text() const;
    virtual void SetText(std::string_view text);
    const std::string& LineBreak() const { return lineBreak_; }
    void SetLineBreak(std::string lineBreak) { lineBreak_ = std::move(lineBreak); }
    std::string CommaText() const;
    void SetCommaText(std::string_view text);
    std::string DelimitedText() const;
    void SetDelimitedText(std::string_view text);
    char Delimiter() const { return delimiter_; }
    void SetDelimiter(char c) { delimiter_ = c; }
    char QuoteChar() const { return quoteChar_; }
    void SetQuoteChar(char c) { quoteChar_ = c; }
    // With a strict delimiter only the delimiter separates items (blanks stay in them).
    bool StrictDelimiter() const { return strictDelimiter_; }
    void SetStrictDelimiter(bool value) { strictDelimiter_ = value; }

    // --- files and streams. Lines end with CR LF, LF or CR. Without an encoding, a UTF-8 mark
    // selects UTF-8 and plain bytes are read as UTF-8 when valid, else as Windows-1251.
    void LoadFromFile(const std::string& fileName, const TEncoding* encoding = nullptr);
    void LoadFromStream(TStream& stream, const TEncoding* encoding = nullptr);
    // Writes with `encoding` (plain UTF-8 when null), its mark first.
    void SaveToFile(const std::string& fileName, const TEncoding* encoding = nullptr) const;
    void SaveToStream(TStream& stream, const TEncoding* encoding = nullptr) const;

    // --- change notification
    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return updateCount_; }

protected:
    // Called when an update starts (true) or ends (false); TStringList fires its events here.
    virtual void SetUpdateState(bool updating);
    [[noreturn]] void Error(const std::string& message) const;
    void CheckIndex(int index, bool allowEnd = false) const;
    // Compares two strings as IndexOf does (TStringList honours CaseSensitive).
    virtual int CompareStrings(std::string_view a, std::string_view b) const;

private:
    std::string DelimitedWith(char delimiter, char quote, bool strict) const;
    void SetDelimitedWith(std::string_view text, char delimiter, char quote, bool strict);

    char nameValueSeparator_ = '=';
    char delimiter_ = ',';
    char quoteChar_ = '"';
    bool strictDelimiter_ = false;
    std::string lineBreak_ = "\r\n";
    int updateCount_ = 0;
};

// --- TStringList ---------------------------------------------------------------------------------

enum TDuplicates { dupIgnore, dupAccept, dupError };

class TStringList : public TStrings {
public:
    using TStringListSortCompare = std::function<int(TStringList& list, int index1, int index2)>;

    TStringList() = default;
    explicit TStringList(std::initializer_list<std::string> lines);

    int Count() const override { return static_cast<int>(items_.size()); }
    std::string Get(int index) const override;
    void Put(int index, const std::string& s) override;
    TObject* GetObject(int index) const override;
    void PutObject(int index, TObject* object) override;
    void Insert(int index, const std::string& s) override;
    void Delete(int index) override;
    void Clear() override;
    int Add(const std::string& s) override;
    // On a sorted list that ignores duplicates, an existing string keeps its own object.
    int AddObject(const std::string& s, TObject* object) override;
    void Exchange(int index1, int index2) override;
    void Move(int curIndex, int newIndex) override;
    int IndexOf(std::string_view s) const override;

    // Binary search of a sorted list: true when found; `index` is the match or the insertion
    // point. Only meaningful when Sorted.
    bool Find(std::string_view s, int& index) const;
    void Sort();
    void CustomSort(const TStringListSortCompare& compare);

    bool Sorted() const { return sorted_; }
    void SetSorted(bool value);
    TDuplicates Duplicates() const { return duplicates_; }
    void SetDuplicates(TDuplicates value) { duplicates_ = value; }
    // Case-insensitive by default (Cyrillic included); changing it re-sorts a sorted list.
    bool CaseSensitive() const { return caseSensitive_; }
    void SetCaseSensitive(bool value);

    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;
    // The Sender passed to OnChange/OnChanging (the owning component, if any).
    void SetEventSender(TObject* sender) { sender_ = sender; }

protected:
    void SetUpdateState(bool updating) override;
    int CompareStrings(std::string_view a, std::string_view b) const override;
    virtual void Changed();
    virtual void Changing();

private:
    struct Item {
        std::string text;
        TObject* object = nullptr;
    };
    void InsertItem(int index, const std::string& s, TObject* object);
    void QuickSort(const TStringListSortCompare& compare);

    std::vector<Item> items_;
    bool sorted_ = false;
    bool caseSensitive_ = false;
    TDuplicates duplicates_ = dupIgnore;
    TObject* sender_ = nullptr;
};
