#include "spreadsheet/records/BaseRecordStorage.h"

#include "platform/rtl/Exception.h"
#include "platform/rtl/Strings.h"
#include "spreadsheet/records/BIFFStream.h"

#include <cstring>

TRawRecord::TRawRecord(uint16_t id, uint16_t length, const void* body) {
    bytes_.resize(4);
    SetId(id);
    Replace(length, body);
}

void TRawRecord::SetId(uint16_t id) {
    bytes_[0] = static_cast<uint8_t>(id);
    bytes_[1] = static_cast<uint8_t>(id >> 8);
}

void TRawRecord::Replace(uint16_t length, const void* body) {
    bytes_.resize(2);
    bytes_.resize(4u + length, 0);
    bytes_[2] = static_cast<uint8_t>(length);
    bytes_[3] = static_cast<uint8_t>(length >> 8);
    if (body && length > 0)
        std::memcpy(bytes_.data() + 4, body, length);
}

uint8_t TRawRecord::ByteAt(int offset) const {
    return Fits(offset, 1) ? Body()[offset] : 0;
}

uint16_t TRawRecord::WordAt(int offset) const {
    return Fits(offset, 2) ? static_cast<uint16_t>(Body()[offset] | Body()[offset + 1] << 8) : 0;
}

uint32_t TRawRecord::LongAt(int offset) const {
    return Fits(offset, 4) ? static_cast<uint32_t>(WordAt(offset) | WordAt(offset + 2) << 16) : 0;
}

double TRawRecord::DoubleAt(int offset) const {
    double value = 0;
    if (Fits(offset, 8))
        std::memcpy(&value, Body() + offset, 8);
    return value;
}

void TRawRecord::SetByteAt(int offset, uint8_t value) {
    if (Fits(offset, 1))
        Body()[offset] = value;
}

void TRawRecord::SetWordAt(int offset, uint16_t value) {
    if (!Fits(offset, 2))
        return;
    Body()[offset] = static_cast<uint8_t>(value);
    Body()[offset + 1] = static_cast<uint8_t>(value >> 8);
}

void TRawRecord::SetLongAt(int offset, uint32_t value) {
    if (!Fits(offset, 4))
        return;
    SetWordAt(offset, static_cast<uint16_t>(value));
    SetWordAt(offset + 2, static_cast<uint16_t>(value >> 16));
}

void TRawRecord::SetDoubleAt(int offset, double value) {
    if (Fits(offset, 8))
        std::memcpy(Body() + offset, &value, 8);
}

void TBaseRecordStorage::Check(int index) const {
    if (index < 0 || index >= Count())
        throw EListError("List index out of bounds (" + IntToStr(index) + ")");
}

int TBaseRecordStorage::Add(std::unique_ptr<TRawRecord> item) {
    items_.push_back(std::move(item));
    return Count() - 1;
}

TRawRecord* TBaseRecordStorage::AddRecord(uint32_t idAndLength, const void* data) {
    auto item = std::make_unique<TRawRecord>(static_cast<uint16_t>(idAndLength),
                                             static_cast<uint16_t>(idAndLength >> 16), data);
    TRawRecord* raw = item.get();
    Add(std::move(item));
    return raw;
}

void TBaseRecordStorage::Clear() {
    items_.clear();
}

int TBaseRecordStorage::IndexOfId(uint16_t id) const {
    for (int i = 0; i < Count(); ++i)
        if (items_[static_cast<size_t>(i)] && items_[static_cast<size_t>(i)]->Id() == id)
            return i;
    return -1;
}

TRawRecord* TBaseRecordStorage::Items(int index) const {
    Check(index);
    return items_[static_cast<size_t>(index)].get();
}

void TBaseRecordStorage::SetItem(int index, std::unique_ptr<TRawRecord> item) {
    Check(index);
    items_[static_cast<size_t>(index)] = std::move(item);
}

std::unique_ptr<TRawRecord> TBaseRecordStorage::Release(int index) {
    Check(index);
    return std::move(items_[static_cast<size_t>(index)]);
}

void TBaseRecordStorage::WriteRecord(int index, TBIFFStream& stream) const {
    const TRawRecord* item = Items(index);
    if (item)
        stream.WriteData(item->Data(), 4 + item->Length());
}

void TBaseRecordStorage::WriteAll(TBIFFStream& stream) const {
    for (int i = 0; i < Count(); ++i)
        WriteRecord(i, stream);
}

int TBaseRecordStorage::TotalSize() const {
    int total = 0;
    for (const auto& item : items_)
        if (item)
            total += item->Length() + 4;
    return total;
}

TRawRecord* TBaseRecordStorage::ReplaceBody(int index, uint16_t length, const void* data) {
    TRawRecord* item = Items(index);
    if (item)
        item->Replace(length, data);
    return item;
}

void TBaseRecordStorage::CopyTo(TBaseRecordStorage& other) const {
    for (const auto& item : items_)
        if (item)
            other.Add(std::make_unique<TRawRecord>(*item));
}
