#include "spreadsheet/drawing/OPT.h"

#include "platform/rtl/Exception.h"
#include "spreadsheet/drawing/MsoRecords.h"

namespace {

std::vector<uint8_t> TextBlock(std::u16string_view text) {
    std::vector<uint8_t> block;
    for (char16_t c : text) {
        block.push_back(static_cast<uint8_t>(c));
        block.push_back(static_cast<uint8_t>(c >> 8));
    }
    block.push_back(0);
    block.push_back(0);
    return block;
}

} // namespace

void TOPT::AddValue(uint16_t number, uint32_t value, bool isPicture) {
    const int at = IndexOf(number);
    if (at >= 0) {
        items_[static_cast<size_t>(at)].Value = value;
        return;
    }
    TOPTProperty p;
    p.Id = static_cast<uint16_t>((number & 0x3FFF) | (isPicture ? 0x4000 : 0));
    p.Value = value;
    if ((number & 0x3FFF) == 4)
        items_.insert(items_.begin(), std::move(p));
    else
        items_.push_back(std::move(p));
}

void TOPT::AddProperty(const TOPTProperty& property) {
    const int at = IndexOf(property.Number());
    if (at >= 0)
        items_[static_cast<size_t>(at)] = property;
    else if (property.Number() == 4)
        items_.insert(items_.begin(), property);
    else
        items_.push_back(property);
}

void TOPT::AddText(uint16_t number, std::u16string_view text) {
    const int at = IndexOf(number);
    TOPTProperty p;
    p.Id = static_cast<uint16_t>((number & 0x3FFF) | 0xC000);
    p.Complex = TextBlock(text);
    p.Value = static_cast<uint32_t>(p.Complex.size());
    if (at >= 0)
        items_[static_cast<size_t>(at)] = std::move(p);
    else if ((number & 0x3FFF) == 4)
        items_.insert(items_.begin(), std::move(p));
    else
        items_.push_back(std::move(p));
}

int TOPT::IndexOf(uint16_t number) const {
    for (size_t i = 0; i < items_.size(); ++i)
        if (items_[i].Number() == (number & 0x3FFF))
            return static_cast<int>(i);
    return -1;
}

int64_t TOPT::GetValue(uint16_t number) const {
    const int at = IndexOf(number);
    return at < 0 ? -1 : static_cast<int64_t>(items_[static_cast<size_t>(at)].Value);
}

std::u16string TOPT::GetText(uint16_t number) const {
    const int at = IndexOf(number);
    if (at < 0 || !items_[static_cast<size_t>(at)].IsComplex())
        return {};
    const std::vector<uint8_t>& b = items_[static_cast<size_t>(at)].Complex;
    std::u16string text;
    for (size_t i = 0; i + 1 < b.size(); i += 2) {
        const char16_t c = static_cast<char16_t>(b[i] | b[i + 1] << 8);
        if (c == 0)
            break;
        text += c;
    }
    return text;
}

void TOPT::SetValue(uint16_t number, uint32_t value) {
    const int at = IndexOf(number);
    if (at >= 0)
        items_[static_cast<size_t>(at)].Value = value;
}

void TOPT::SetText(uint16_t number, std::u16string_view text) {
    if (IndexOf(number) >= 0)
        AddText(number, text);
}

uint32_t TOPT::TextId() const {
    const int64_t v = GetValue(0x0080);
    return v < 0 ? 0 : static_cast<uint32_t>(v);
}

int TOPT::GetSize() const {
    int size = 0;
    for (const TOPTProperty& p : items_)
        size += 6 + (p.IsComplex() ? static_cast<int>(p.Complex.size()) : 0);
    return size;
}

void TOPT::AssignTo(TOPT& other) const {
    const std::vector<uint8_t> bytes = WriteToBuffer(false);
    other.ReadFromBuffer(static_cast<int>(bytes.size()), bytes.data(), Count());
}

std::vector<uint8_t> TOPT::WriteToBuffer(bool withHeader) const {
    std::vector<uint8_t> out;
    const auto put = [&](uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i)
            out.push_back(static_cast<uint8_t>(v >> (8 * i)));
    };
    if (withHeader) {
        put(static_cast<uint32_t>(3 | Count() << 4), 2);
        put(msoOpt, 2);
        put(static_cast<uint32_t>(GetSize()), 4);
    }
    for (const TOPTProperty& p : items_) {
        put(p.Id, 2);
        put(p.IsComplex() ? static_cast<uint32_t>(p.Complex.size()) : p.Value, 4);
    }
    for (const TOPTProperty& p : items_)
        if (p.IsComplex())
            out.insert(out.end(), p.Complex.begin(), p.Complex.end());
    return out;
}

void TOPT::WriteToStream(TBIFFStream& stream) const {
    const std::vector<uint8_t> bytes = WriteToBuffer(true);
    stream.WriteData(bytes.data(), static_cast<int>(bytes.size()));
}

void TOPT::ReadFromBuffer(int length, const uint8_t* bytes, int count) {
    const auto fail = [] { throw Exception("Error when reading OPT items, Length <> 0"); };
    if (count < 0 || static_cast<int64_t>(count) * 6 > length)
        fail();
    std::vector<TOPTProperty> items(static_cast<size_t>(count));
    int at = 0;
    for (TOPTProperty& p : items) {
        p.Id = static_cast<uint16_t>(bytes[at] | bytes[at + 1] << 8);
        p.Value = static_cast<uint32_t>(bytes[at + 2] | bytes[at + 3] << 8 | bytes[at + 4] << 16 |
                                        static_cast<uint32_t>(bytes[at + 5]) << 24);
        at += 6;
    }
    // Complex blocks follow in the same order; each must fit in what is left.
    for (TOPTProperty& p : items) {
        if (!p.IsComplex())
            continue;
        if (p.Value > static_cast<uint32_t>(length - at))
            fail();
        p.Complex.assign(bytes + at, bytes + at + p.Value);
        at += static_cast<int>(p.Value);
    }
    if (at != length)
        fail();
    items_ = std::move(items);
}

void TOPT::ReadFromStream(TDrawingReader& reader, int length, int count) {
    const std::vector<uint8_t> bytes = reader.ReadBytes(length);
    ReadFromBuffer(length, bytes.data(), count);
}
