#pragma once
// Lists that map texts to numbers through buckets: a text's bucket comes from BucketIndex,
// and the bucket's entries are compared with it exactly (case-sensitive). Adding a text twice
// raises EListError "Duplicate Item"; adding or clearing while Locked raises "Bucket List
// Locked".

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

class TXLSCustomStrBucketList {
public:
    virtual ~TXLSCustomStrBucketList();
    TXLSCustomStrBucketList(const TXLSCustomStrBucketList&) = delete;
    TXLSCustomStrBucketList& operator=(const TXLSCustomStrBucketList&) = delete;

    intptr_t Add(std::u16string_view text, intptr_t data);
    // The data of a text, or false when the list does not hold it.
    bool Find(std::u16string_view text, intptr_t& data);
    void Clear();

    bool Locked = false;
    int BucketCount() const { return bucketCount_; }

protected:
    struct TEntry {
        std::u16string Text;
        intptr_t Data;
    };
    struct TBucket {
        std::vector<TEntry> Items;
        int Count = 0;
    };

    TXLSCustomStrBucketList() = default;
    void SetBucketCount(int count);

    virtual int BucketIndex(std::u16string_view text) = 0;
    virtual bool FindEntry(std::u16string_view text, int& bucket, int& index);
    virtual intptr_t AddEntry(int bucket, std::u16string_view text, intptr_t data);
    virtual intptr_t RemoveEntry(int bucket, int index);

    std::vector<TBucket> buckets_;

private:
    int bucketCount_ = 0;
    bool clearing_ = false;
};

// 256 buckets; a text's bucket is its CRC-32 modulo 255, so the last bucket stays empty.
class TXLSStringBucketList : public TXLSCustomStrBucketList {
public:
    TXLSStringBucketList();
    // Text i of the list gets the data i.
    explicit TXLSStringBucketList(std::initializer_list<std::u16string_view> texts);

protected:
    int BucketIndex(std::u16string_view text) override;

private:
    uint8_t modulus_ = 255;
};
