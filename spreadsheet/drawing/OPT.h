#pragma once
// A shape's property table: 16-bit id words (bits 0-13 the number, 0x4000 a picture index,
// 0x8000 a complex value) and 32-bit values, complex ones with a byte block as long as the
// value. In the file: all 6-byte entries in list order, then the complex blocks in the same
// order. Properties keep the order they were added in, except property 4, always first.

#include "spreadsheet/records/BIFFStream.h"

#include <cstdint>
#include <string>
#include <vector>

class TDrawingReader;

struct TOPTProperty {
    uint16_t Id = 0;
    uint32_t Value = 0;
    std::vector<uint8_t> Complex;
    uint16_t Number() const { return Id & 0x3FFF; }
    bool IsComplex() const { return (Id & 0x8000) != 0; }
};

class TOPT {
public:
    // Adds a property; one of that number already there takes the new value instead.
    void AddValue(uint16_t number, uint32_t value, bool isPicture = false);
    // A property as it stands in another table (complex block included); one of that number
    // already there is replaced.
    void AddProperty(const TOPTProperty& property);
    // A text property: complex, the UTF-16 characters and two zero bytes.
    void AddText(uint16_t number, std::u16string_view text);
    int IndexOf(uint16_t number) const;
    // -1 when absent.
    int64_t GetValue(uint16_t number) const;
    // Empty when absent or not complex.
    std::u16string GetText(uint16_t number) const;
    // Change a property that is there; nothing happens when it is not.
    void SetValue(uint16_t number, uint32_t value);
    void SetText(uint16_t number, std::u16string_view text);
    // The value of property 0x0080, 0 when absent.
    uint32_t TextId() const;
    int Count() const { return static_cast<int>(items_.size()); }
    const TOPTProperty& Items(int index) const { return items_.at(static_cast<size_t>(index)); }
    // 6 per property and the complex blocks.
    int GetSize() const;
    void UpdateCount() {}
    void Clear() { items_.clear(); }
    void AssignTo(TOPT& other) const;

    // With the 8-byte header (instance = number of properties) when withHeader.
    std::vector<uint8_t> WriteToBuffer(bool withHeader) const;
    void WriteToStream(TBIFFStream& stream) const;
    // Raises "Error when reading OPT items, Length <> 0" when `count` entries and their
    // complex blocks do not fill `length` bytes exactly.
    void ReadFromBuffer(int length, const uint8_t* bytes, int count);
    void ReadFromStream(TDrawingReader& reader, int length, int count);

private:
    std::vector<TOPTProperty> items_;
};
