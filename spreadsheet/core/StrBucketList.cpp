#include "spreadsheet/core/StrBucketList.h"

#include "platform/rtl/Exception.h"
#include "spreadsheet/core/Crc.h"

TXLSCustomStrBucketList::~TXLSCustomStrBucketList() {
    Locked = false;
    Clear();
}

void TXLSCustomStrBucketList::SetBucketCount(int count) {
    if (count == bucketCount_)
        return;
    bucketCount_ = count;
    buckets_.resize(static_cast<size_t>(count));
}

intptr_t TXLSCustomStrBucketList::Add(std::u16string_view text, intptr_t data) {
    if (Locked)
        throw EListError("Bucket List Locked");
    int bucket = 0, index = 0;
    if (FindEntry(text, bucket, index))
        throw EListError("Duplicate Item");
    return AddEntry(bucket, text, data);
}

bool TXLSCustomStrBucketList::Find(std::u16string_view text, intptr_t& data) {
    int bucket = 0, index = 0;
    if (!FindEntry(text, bucket, index))
        return false;
    data = buckets_[static_cast<size_t>(bucket)].Items[static_cast<size_t>(index)].Data;
    return true;
}

bool TXLSCustomStrBucketList::FindEntry(std::u16string_view text, int& bucket, int& index) {
    bucket = BucketIndex(text);
    const TBucket& b = buckets_[static_cast<size_t>(bucket)];
    for (int i = 0; i < b.Count; ++i)
        if (b.Items[static_cast<size_t>(i)].Text == text) {
            index = i;
            return true;
        }
    return false;
}

intptr_t TXLSCustomStrBucketList::AddEntry(int bucket, std::u16string_view text, intptr_t data) {
    TBucket& b = buckets_[static_cast<size_t>(bucket)];
    const size_t length = b.Items.size();
    if (static_cast<size_t>(b.Count) == length) {
        const size_t grow = length < 9 ? 4 : length < 65 ? 16 : length / 4;
        b.Items.resize(length + grow);
    }
    b.Items[static_cast<size_t>(b.Count)] = TEntry{std::u16string(text), data};
    ++b.Count;
    return data;
}

intptr_t TXLSCustomStrBucketList::RemoveEntry(int bucket, int index) {
    TBucket& b = buckets_[static_cast<size_t>(bucket)];
    const intptr_t data = b.Items[static_cast<size_t>(index)].Data;
    if (clearing_)
        return data;
    if (b.Count == 1)
        b.Items.clear();
    else
        b.Items.erase(b.Items.begin() + index);
    --b.Count;
    return data;
}

void TXLSCustomStrBucketList::Clear() {
    if (Locked)
        throw EListError("Bucket List Locked");
    struct ClearingGuard {
        bool& flag;
        explicit ClearingGuard(bool& f) : flag(f) { flag = true; }
        ~ClearingGuard() { flag = false; }
    } guard(clearing_);
    for (int bucket = 0; bucket < bucketCount_; ++bucket) {
        TBucket& b = buckets_[static_cast<size_t>(bucket)];
        for (int i = b.Count - 1; i >= 0; --i)
            RemoveEntry(bucket, i);
        b.Items.clear();
        b.Count = 0;
    }
}

TXLSStringBucketList::TXLSStringBucketList() {
    modulus_ = 255;
    SetBucketCount(256);
}

TXLSStringBucketList::TXLSStringBucketList(std::initializer_list<std::u16string_view> texts)
    : TXLSStringBucketList() {
    intptr_t i = 0;
    for (std::u16string_view text : texts)
        Add(text, i++);
}

int TXLSStringBucketList::BucketIndex(std::u16string_view text) {
    return static_cast<int>(CRC32Text(text) % modulus_);
}
