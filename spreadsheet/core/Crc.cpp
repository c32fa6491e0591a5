#include "spreadsheet/core/Crc.h"

#include <array>

namespace {

constexpr std::array<uint32_t, 256> MakeTable() {
    std::array<uint32_t, 256> table{};
    for (uint32_t i = 0; i < 256; ++i) {
        uint32_t c = i;
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? (c >> 1) ^ 0xEDB88320u : c >> 1;
        table[i] = c;
    }
    return table;
}

constexpr std::array<uint32_t, 256> kTable = MakeTable();

uint32_t Step(uint32_t reg, uint8_t b) {
    return kTable[(reg ^ b) & 0xFF] ^ (reg >> 8);
}

} // namespace

uint32_t CRC32Bytes(const void* data, int count) {
    uint32_t reg = 0xFFFFFFFFu;
    const auto* p = static_cast<const uint8_t*>(data);
    for (int i = 0; i < count; ++i)
        reg = Step(reg, p[i]);
    return reg;
}

uint32_t CRC32Text(std::u16string_view text) {
    uint32_t reg = 0xFFFFFFFFu;
    for (char16_t c : text) {
        if (c >> 8)
            reg = Step(reg, static_cast<uint8_t>(c >> 8));
        reg = Step(reg, static_cast<uint8_t>(c & 0xFF));
    }
    return reg;
}

uint16_t Hash16(const void* data, int count) {
    uint16_t h = 0;
    const auto* p = static_cast<const uint8_t*>(data);
    for (int i = 0; i < count; ++i) {
        h = static_cast<uint16_t>((h << 5) | (h >> 11));
        h ^= p[i];
    }
    return h;
}
