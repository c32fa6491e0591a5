#pragma once
// Records held as raw bytes: each item is one block of header (id, body length) and body, and
// is written back unchanged. A slot may be empty (null); clearing skips it.

#include <cstdint>
#include <memory>
#include <vector>

class TBIFFStream;

// One raw record: 4 header bytes (id, length, little-endian) and the body.
class TRawRecord {
public:
    TRawRecord(uint16_t id, uint16_t length, const void* body);

    uint16_t Id() const { return static_cast<uint16_t>(bytes_[0] | bytes_[1] << 8); }
    uint16_t Length() const { return static_cast<uint16_t>(bytes_[2] | bytes_[3] << 8); }
    uint8_t* Body() { return bytes_.data() + 4; }
    const uint8_t* Body() const { return bytes_.data() + 4; }
    const uint8_t* Data() const { return bytes_.data(); }
    void SetId(uint16_t id);
    // A new length and body; `body` may be null for zeros.
    void Replace(uint16_t length, const void* body);

    // Bounded access to the body: a read beyond its length gives 0 and a write there does
    // nothing, so a short record never lets a reader run past it.
    uint8_t ByteAt(int offset) const;
    uint16_t WordAt(int offset) const;
    uint32_t LongAt(int offset) const;
    double DoubleAt(int offset) const;
    void SetByteAt(int offset, uint8_t value);
    void SetWordAt(int offset, uint16_t value);
    void SetLongAt(int offset, uint32_t value);
    void SetDoubleAt(int offset, double value);

private:
    bool Fits(int offset, int size) const { return offset >= 0 && offset + size <= Length(); }
    std::vector<uint8_t> bytes_;
};

// Packs a record id (low 16 bits) and a body length (high 16 bits).
constexpr uint32_t IdAndLength(uint16_t id, uint16_t length) {
    return static_cast<uint32_t>(id) | static_cast<uint32_t>(length) << 16;
}

class TBaseRecordStorage {
public:
    TBaseRecordStorage() = default;
    virtual ~TBaseRecordStorage() = default;
    TBaseRecordStorage(const TBaseRecordStorage&) = delete;
    TBaseRecordStorage& operator=(const TBaseRecordStorage&) = delete;

    int Count() const { return static_cast<int>(items_.size()); }
    // Appends a record; `data` may be null for a body of zeros.
    TRawRecord* AddRecord(uint32_t idAndLength, const void* data);
    virtual void Clear();
    int IndexOfId(uint16_t id) const;
    TRawRecord* Items(int index) const;
    void SetItem(int index, std::unique_ptr<TRawRecord> item);
    // Takes the item out of its slot, leaving the slot empty.
    std::unique_ptr<TRawRecord> Release(int index);
    void WriteRecord(int index, TBIFFStream& stream) const;
    virtual void WriteAll(TBIFFStream& stream) const;
    int TotalSize() const;
    TRawRecord* ReplaceBody(int index, uint16_t length, const void* data);
    void CopyTo(TBaseRecordStorage& other) const;

protected:
    int Add(std::unique_ptr<TRawRecord> item);

private:
    void Check(int index) const;
    std::vector<std::unique_ptr<TRawRecord>> items_;
};
