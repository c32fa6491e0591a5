#pragma once
// The CRC-32 register the library hashes strings, fonts and string-table entries with, and the
// 16-bit hash of number-format texts. The register is not inverted at the end.

#include <cstdint>
#include <string_view>

uint32_t CRC32Bytes(const void* data, int count);
// Over UTF-16 code units: the high byte first when it is not 0, then the low byte always.
uint32_t CRC32Text(std::u16string_view text);
uint16_t Hash16(const void* data, int count);
