#include "platform/rtl/Classes.h"

#include "platform/rtl/CodePage.h"
#include "platform/rtl/Exception.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/Strings.h"

#include <algorithm>
#include <numeric>

namespace {
[[noreturn]] void ListIndexError(int index) {
    throw EListError("List index out of bounds (" + std::to_string(index) + ")");
}
} // namespace

// --- TList ---------------------------------------------------------------------------------------

TList::~TList() {
    Clear();
}

void TList::Check(int index) const {
    if (index < 0 || index >= Count())
        ListIndexError(index);
}

void* TList::Get(int index) const {
    Check(index);
    return items_[static_cast<size_t>(index)];
}

void TList::Put(int index, void* item) {
    Check(index);
    void* old = items_[static_cast<size_t>(index)];
    if (old == item)
        return;
    items_[static_cast<size_t>(index)] = item;
    if (old)
        Notify(old, lnDeleted);
    if (item)
        Notify(item, lnAdded);
}

void TList::SetCapacity(int capacity) {
    if (capacity < Count())
        throw EListError("List capacity out of bounds (" + std::to_string(capacity) + ")");
    items_.reserve(static_cast<size_t>(capacity));
}

int TList::Add(void* item) {
    items_.push_back(item);
    if (item)
        Notify(item, lnAdded);
    return Count() - 1;
}

void TList::Insert(int index, void* item) {
    if (index < 0 || index > Count())
        ListIndexError(index);
    items_.insert(items_.begin() + index, item);
    if (item)
        Notify(item, lnAdded);
}

void TList::Delete(int index) {
    Check(index);
    void* item = items_[static_cast<size_t>(index)];
    items_.erase(items_.begin() + index);
    if (item)
        Notify(item, lnDeleted);
}

int TList::Remove(void* item) {
    const int index = IndexOf(item);
    if (index >= 0)
        Delete(index);
    return index;
}

void* TList::Extract(void* item) {
    const int index = IndexOf(item);
    if (index < 0)
        return nullptr;
    items_.erase(items_.begin() + index);
    Notify(item, lnExtracted);
    return item;
}

void TList::Clear() {
    // Items leave one by one from the end, so that a notification sees a consistent list.
    while (!items_.empty()) {
        void* item = items_.back();
        items_.pop_back();
        if (item)
            Notify(item, lnDeleted);
    }
    items_.shrink_to_fit();
}

int TList::IndexOf(void* item) const {
    auto it = std::find(items_.begin(), items_.end(), item);
    return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

void TList::Exchange(int index1, int index2) {
    Check(index1);
    Check(index2);
    std::swap(items_[static_cast<size_t>(index1)], items_[static_cast<size_t>(index2)]);
}

void TList::Move(int curIndex, int newIndex) {
    if (curIndex == newIndex)
        return;
    Check(curIndex);
    Check(newIndex);
    void* item = items_[static_cast<size_t>(curIndex)];
    items_.erase(items_.begin() + curIndex);
    items_.insert(items_.begin() + newIndex, item);
}

void TList::Pack() {
    std::erase(items_, nullptr);
}

void TList::Sort(const TListSortCompare& compare) {
    std::stable_sort(items_.begin(), items_.end(),
                     [&](void* a, void* b) { return compare(a, b) < 0; });
}

void TList::Notify(void*, TListNotification) {}

// --- TStrings ------------------------------------------------------------------------------------

void TStrings::Error(const std::string& message) const {
    throw EStringListError(message);
}

void TStrings::CheckIndex(int index, bool allowEnd) const {
    if (index < 0 || index > Count() || (index == Count() && !allowEnd))
        throw EStringListError("List index out of bounds (" + std::to_string(index) + ")");
}

int TStrings::CompareStrings(std::string_view a, std::string_view b) const {
    return AnsiCompareText(a, b);
}

void TStrings::Put(int index, const std::string& s) {
    TObject* object = GetObject(index);
    BeginUpdate();
    try {
        Delete(index);
        InsertObject(index, s, object);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

TObject* TStrings::GetObject(int index) const {
    CheckIndex(index);
    return nullptr;
}

void TStrings::PutObject(int, TObject*) {}

int TStrings::Add(const std::string& s) {
    const int index = Count();
    Insert(index, s);
    return index;
}

int TStrings::AddObject(const std::string& s, TObject* object) {
    const int index = Add(s);
    PutObject(index, object);
    return index;
}

void TStrings::InsertObject(int index, const std::string& s, TObject* object) {
    Insert(index, s);
    PutObject(index, object);
}

void TStrings::AddStrings(const TStrings& strings) {
    BeginUpdate();
    try {
        for (int i = 0; i < strings.Count(); ++i)
            AddObject(strings.Get(i), strings.GetObject(i));
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TStrings::AddStrings(const std::vector<std::string>& strings) {
    BeginUpdate();
    try {
        for (const std::string& s : strings)
            Add(s);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TStrings::Assign(const TStrings& source) {
    if (&source == this)
        return;
    BeginUpdate();
    try {
        Clear();
        nameValueSeparator_ = source.nameValueSeparator_;
        delimiter_ = source.delimiter_;
        quoteChar_ = source.quoteChar_;
        strictDelimiter_ = source.strictDelimiter_;
        lineBreak_ = source.lineBreak_;
        AddStrings(source);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TStrings::Exchange(int index1, int index2) {
    BeginUpdate();
    try {
        const std::string s1 = Get(index1), s2 = Get(index2);
        TObject* o1 = GetObject(index1);
        TObject* o2 = GetObject(index2);
        Put(index1, s2);
        Put(index2, s1);
        PutObject(index1, o2);
        PutObject(index2, o1);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TStrings::Move(int curIndex, int newIndex) {
    if (curIndex == newIndex)
        return;
    CheckIndex(curIndex);
    CheckIndex(newIndex);
    BeginUpdate();
    try {
        const std::string s = Get(curIndex);
        TObject* object = GetObject(curIndex);
        Delete(curIndex);
        InsertObject(newIndex, s, object);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

int TStrings::IndexOf(std::string_view s) const {
    for (int i = 0; i < Count(); ++i)
        if (CompareStrings(Get(i), s) == 0)
            return i;
    return -1;
}

int TStrings::IndexOfName(std::string_view name) const {
    for (int i = 0; i < Count(); ++i) {
        const std::string line = Get(i);
        const size_t at = line.find(nameValueSeparator_);
        if (at != std::string::npos &&
            CompareStrings(std::string_view(line).substr(0, at), name) == 0)
            return i;
    }
    return -1;
}

int TStrings::IndexOfObject(const TObject* object) const {
    for (int i = 0; i < Count(); ++i)
        if (GetObject(i) == object)
            return i;
    return -1;
}

bool TStrings::Equals(const TStrings& other) const {
    if (Count() != other.Count())
        return false;
    for (int i = 0; i < Count(); ++i)
        if (Get(i) != other.Get(i))
            return false;
    return true;
}

std::vector<std::string> TStrings::ToVector() const {
    std::vector<std::string> r;
    r.reserve(static_cast<size_t>(Count()));
    for (int i = 0; i < Count(); ++i)
        r.push_back(Get(i));
    return r;
}

std::string TStrings::Names(int index) const {
    const std::string line = Get(index);
    const size_t at = line.find(nameValueSeparator_);
    return at == std::string::npos ? std::string() : line.substr(0, at);
}

std::string TStrings::ValueFromIndex(int index) const {
    if (index < 0)
        return {};
    const std::string line = Get(index);
    const size_t at = line.find(nameValueSeparator_);
    return at == std::string::npos ? std::string() : line.substr(at + 1);
}

void TStrings::SetValueFromIndex(int index, const std::string& value) {
    if (value.empty()) {
        if (index >= 0)
            Delete(index);
        return;
    }
    if (index < 0)
        index = Add("");
    Put(index, Names(index) + nameValueSeparator_ + value);
}

std::string TStrings::Values(std::string_view name) const {
    return ValueFromIndex(IndexOfName(name));
}

void TStrings::SetValue(std::string_view name, const std::string& value) {
    int index = IndexOfName(name);
    if (value.empty()) {
        if (index >= 0)
            Delete(index);
        return;
    }
    const std::string line = std::string(name) + nameValueSeparator_ + value;
    if (index < 0)
        Add(line);
    else
        Put(index, line);
}

std::string TStrings::Text() const {
    std::string r;
    for (int i = 0; i < Count(); ++i) {
        r += Get(i);
        r += lineBreak_;
    }
    return r;
}

void TStrings::SetText(std::string_view text) {
    BeginUpdate();
    try {
        Clear();
        size_t i = 0;
        while (i < text.size()) {
            const size_t start = i;
            while (i < text.size() && text[i] != '\r' && text[i] != '\n')
                ++i;
            Add(std::string(text.substr(start, i - start)));
            if (i < text.size() && text[i] == '\r')
                ++i;
            if (i < text.size() && text[i] == '\n')
                ++i;
        }
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

std::string TStrings::DelimitedWith(char delimiter, char quote, bool strict) const {
    if (Count() == 1 && Get(0).empty())
        return std::string(2, quote);
    std::string r;
    for (int i = 0; i < Count(); ++i) {
        const std::string s = Get(i);
        const bool needsQuotes = std::any_of(s.begin(), s.end(), [&](char c) {
            return c == quote || c == delimiter || c == '\0' ||
                   (!strict && static_cast<unsigned char>(c) <= ' ');
        });
        if (i > 0)
            r += delimiter;
        r += needsQuotes ? AnsiQuotedStr(s, quote) : s;
    }
    return r;
}

void TStrings::SetDelimitedWith(std::string_view text, char delimiter, char quote, bool strict) {
    auto blank = [](char c) { return c != '\0' && static_cast<unsigned char>(c) <= ' '; };
    BeginUpdate();
    try {
        Clear();
        std::string_view p = text;
        if (!strict)
            while (!p.empty() && blank(p.front()))
                p.remove_prefix(1);
        while (!p.empty()) {
            std::string item;
            if (p.front() == quote) {
                item = AnsiExtractQuotedStr(p, quote);
            } else {
                size_t n = 0;
                while (n < p.size() && p[n] != delimiter &&
                       (strict || static_cast<unsigned char>(p[n]) > ' '))
                    ++n;
                item = std::string(p.substr(0, n));
                p.remove_prefix(n);
            }
            Add(item);
            if (!strict)
                while (!p.empty() && blank(p.front()))
                    p.remove_prefix(1);
            if (!p.empty() && p.front() == delimiter) {
                if (p.size() == 1)
                    Add(""); // a trailing delimiter ends with an empty item
                do
                    p.remove_prefix(1);
                while (!strict && !p.empty() && blank(p.front()));
            } else if (!p.empty() && p.front() == '\0') {
                p.remove_prefix(1); // a NUL between items separates them like a blank
            }
        }
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

std::string TStrings::CommaText() const {
    return DelimitedWith(',', '"', false);
}
void TStrings::SetCommaText(std::string_view text) {
    SetDelimitedWith(text, ',', '"', false);
}

std::string TStrings::DelimitedText() const {
    return DelimitedWith(delimiter_, quoteChar_, strictDelimiter_);
}

void TStrings::SetDelimitedText(std::string_view text) {
    SetDelimitedWith(text, delimiter_, quoteChar_, strictDelimiter_);
}

void TStrings::LoadFromFile(const std::string& fileName, const TEncoding* encoding) {
    TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(file, encoding);
}

void TStrings::LoadFromStream(TStream& stream, const TEncoding* encoding) {
    const std::string bytes = stream.ReadToEnd();
    std::string_view body = bytes;
    size_t markSize = 0;
    const TEncoding* marked = DetectEncodingFromPreamble(body, markSize);
    if (!encoding) {
        if (marked) {
            encoding = marked;
        } else {
            encoding = IsValidUtf8(body) ? &TEncoding::UTF8NoBOM() : &TEncoding::CP1251();
        }
    }
    if (marked && marked->CodePage() == encoding->CodePage())
        body.remove_prefix(markSize);
    SetText(encoding->Decode(body));
}

void TStrings::SaveToFile(const std::string& fileName, const TEncoding* encoding) const {
    TFileStream file(fileName, fmCreate);
    SaveToStream(file, encoding);
}

void TStrings::SaveToStream(TStream& stream, const TEncoding* encoding) const {
    if (!encoding)
        encoding = &TEncoding::UTF8NoBOM();
    stream.WriteBytes(encoding->Preamble());
    stream.WriteBytes(encoding->Encode(Text()));
}

void TStrings::BeginUpdate() {
    if (updateCount_ == 0)
        SetUpdateState(true);
    ++updateCount_;
}

void TStrings::EndUpdate() {
    if (updateCount_ <= 0)
        return;
    --updateCount_;
    if (updateCount_ == 0)
        SetUpdateState(false);
}

void TStrings::SetUpdateState(bool) {}

// --- TStringList ---------------------------------------------------------------------------------

TStringList::TStringList(std::initializer_list<std::string> lines) {
    for (const std::string& s : lines)
        Add(s);
}

std::string TStringList::Get(int index) const {
    CheckIndex(index);
    return items_[static_cast<size_t>(index)].text;
}

void TStringList::Put(int index, const std::string& s) {
    if (sorted_)
        Error("Operation not allowed on sorted list");
    CheckIndex(index);
    Changing();
    items_[static_cast<size_t>(index)].text = s;
    Changed();
}

TObject* TStringList::GetObject(int index) const {
    CheckIndex(index);
    return items_[static_cast<size_t>(index)].object;
}

void TStringList::PutObject(int index, TObject* object) {
    CheckIndex(index);
    Changing();
    items_[static_cast<size_t>(index)].object = object;
    Changed();
}

void TStringList::InsertItem(int index, const std::string& s, TObject* object) {
    Changing();
    items_.insert(items_.begin() + index, Item{s, object});
    Changed();
}

void TStringList::Insert(int index, const std::string& s) {
    if (sorted_)
        Error("Operation not allowed on sorted list");
    CheckIndex(index, true);
    InsertItem(index, s, nullptr);
}

int TStringList::Add(const std::string& s) {
    return AddObject(s, nullptr);
}

int TStringList::AddObject(const std::string& s, TObject* object) {
    int index;
    if (!sorted_) {
        index = Count();
    } else if (Find(s, index)) {
        if (duplicates_ == dupIgnore)
            return index;
        if (duplicates_ == dupError)
            Error("String list does not allow duplicates");
    }
    InsertItem(index, s, object);
    return index;
}

void TStringList::Delete(int index) {
    CheckIndex(index);
    Changing();
    items_.erase(items_.begin() + index);
    Changed();
}

void TStringList::Clear() {
    if (items_.empty())
        return;
    Changing();
    items_.clear();
    Changed();
}

void TStringList::Exchange(int index1, int index2) {
    CheckIndex(index1);
    CheckIndex(index2);
    Changing();
    std::swap(items_[static_cast<size_t>(index1)], items_[static_cast<size_t>(index2)]);
    Changed();
}

void TStringList::Move(int curIndex, int newIndex) {
    if (curIndex == newIndex)
        return;
    if (sorted_)
        Error("Operation not allowed on sorted list");
    CheckIndex(curIndex);
    CheckIndex(newIndex);
    Changing();
    Item item = std::move(items_[static_cast<size_t>(curIndex)]);
    items_.erase(items_.begin() + curIndex);
    items_.insert(items_.begin() + newIndex, std::move(item));
    Changed();
}

int TStringList::CompareStrings(std::string_view a, std::string_view b) const {
    return caseSensitive_ ? AnsiCompareStr(a, b) : AnsiCompareText(a, b);
}

bool TStringList::Find(std::string_view s, int& index) const {
    bool found = false;
    int lo = 0, hi = Count() - 1;
    while (lo <= hi) {
        const int mid = (lo + hi) / 2;
        const int c = CompareStrings(items_[static_cast<size_t>(mid)].text, s);
        if (c < 0) {
            lo = mid + 1;
        } else {
            hi = mid - 1;
            if (c == 0) {
                found = true;
                if (duplicates_ != dupAccept)
                    lo = mid;
            }
        }
    }
    index = lo;
    return found;
}

int TStringList::IndexOf(std::string_view s) const {
    if (!sorted_)
        return TStrings::IndexOf(s);
    int index;
    return Find(s, index) ? index : -1;
}

void TStringList::QuickSort(const TStringListSortCompare& compare) {
    // Sort a permutation against the untouched list, then apply it in one step.
    std::vector<int> order(items_.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return compare(*this, a, b) < 0; });
    std::vector<Item> sorted;
    sorted.reserve(items_.size());
    for (int i : order)
        sorted.push_back(std::move(items_[static_cast<size_t>(i)]));
    items_ = std::move(sorted);
}

void TStringList::Sort() {
    CustomSort([](TStringList& list, int a, int b) {
        return list.CompareStrings(list.items_[static_cast<size_t>(a)].text,
                                   list.items_[static_cast<size_t>(b)].text);
    });
}

void TStringList::CustomSort(const TStringListSortCompare& compare) {
    if (Count() < 2)
        return;
    Changing();
    QuickSort(compare);
    Changed();
}

void TStringList::SetSorted(bool value) {
    if (value == sorted_)
        return;
    if (value)
        Sort();
    sorted_ = value;
}

void TStringList::SetCaseSensitive(bool value) {
    if (value == caseSensitive_)
        return;
    caseSensitive_ = value;
    if (sorted_)
        Sort();
}

void TStringList::SetUpdateState(bool updating) {
    if (updating)
        Changing();
    else
        Changed();
}

void TStringList::Changing() {
    if (UpdateCount() == 0 && OnChanging)
        OnChanging(sender_);
}

void TStringList::Changed() {
    if (UpdateCount() == 0 && OnChange)
        OnChange(sender_);
}
